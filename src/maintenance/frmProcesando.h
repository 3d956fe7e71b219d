#pragma once
// The progress window of the adding of songs: a status line, a progress bar and "Hecho!", which closes
// it once the work is over.

#include "maintenance/AnadidoCanciones.h"

#include <QElapsedTimer>
#include <QWidget>

class QLineEdit;
class QProgressBar;
class QPushButton;

class frmProcesando : public QWidget, public ProgresoAnadido {
    Q_OBJECT
public:
    explicit frmProcesando(QWidget* padre = nullptr);

    QLineEdit* txtNombreDir;
    QProgressBar* ProgressBar; // objectName "ProgressBar": the trees' refill follows it too
    QPushButton* cmdHecho;

    // Paints what changed now, and the progress bar at most every few hundredths of a second.
    void Repintar();

    void Titulo(const QString& titulo) override;
    void Linea(const QString& texto) override;
    void Maximo(int maximo) override;
    void Avanzar() override;

private slots:
    void cmdHecho_Click();

private:
    void RepintarSiToca();

    QElapsedTimer ultimoRepintado_;
};
