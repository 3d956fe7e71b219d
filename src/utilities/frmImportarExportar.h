#pragma once
// "Importar Base de Datos" / "Exportar Base de Datos": the catalogue's songs written to the export file,
// or the songs of such a file appended to the catalogue, the text fields optionally coded with a
// password. The opener sets the window's caption and that of cmdOK ("&Importar" or "&Exportar"); the
// dialog tells its mode by the caption of cmdOK.

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class frmImportarExportar : public QDialog {
    Q_OBJECT
public:
    explicit frmImportarExportar(QWidget* padre = nullptr);

    QLabel* Label1;
    QLineEdit* txtFilename;
    QPushButton* cmdBrowse;
    QCheckBox* chkEncriptado;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QProgressBar* ProgressBar;

private slots:
    void cmdBrowse_Click();
    void chkEncriptado_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Conectar();
    bool ModoImportar() const;
    std::optional<QString> Clave() const;
    void Exportar();
    void Importar();
    // Buttons back on after a failure, so that the user can try again.
    void Habilitar(bool habilitar);
    void Terminar();
};
