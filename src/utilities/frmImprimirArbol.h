#pragma once
// "Imprimir Árbol": the catalogue tree, from the root, one header or one route, with or without its
// files, written as a text listing to a file the user names.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

class frmImprimirArbol : public QDialog {
    Q_OBJECT
public:
    explicit frmImprimirArbol(QWidget* padre = nullptr);

    QGroupBox* Frame1;
    QRadioButton* optRaiz;
    QRadioButton* optCabecera;
    QRadioButton* optRuta;
    QComboBox* comboCabecera;
    QComboBox* comboRuta;
    QLabel* lblFichero;
    QLineEdit* txtFichero;
    QPushButton* cmdBrowse;
    QCheckBox* chkImprimirFicheros;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QProgressBar* ProgressBar;

    // The last header chosen in comboCabecera (at load, the first of the list).
    QString CabeceraRecordada;

private slots:
    void optRaiz_Click();
    void optCabecera_Click();
    void optRuta_Click();
    void comboCabecera_Click();
    void cmdBrowse_Click();
    void txtFichero_KeyPress();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Conectar();
    void Form_Load();
    void LlenarRutas(const QString& cabecera);
    void Alto(int twips);
};
