#pragma once
// The progress window of the adding of songs: a status line, a progress bar and "Hecho!", which closes
// it once the work is over.

#include "maintenance/AnadidoCanciones.h"
#include "maintenance/VentanaProgreso.h"

#include <QElapsedTimer>

class QLineEdit;

class frmProcesando : public VentanaProgreso, public ProgresoAnadido {
    Q_OBJECT
public:
    explicit frmProcesando(QWidget* padre = nullptr);

    QLineEdit* txtNombreDir;

    // Paints what changed now, and the progress bar at most every few hundredths of a second.
    void Repintar() override;

    void Titulo(const QString& titulo) override;
    void Linea(const QString& texto) override;
    void Maximo(int maximo) override;
    void Avanzar() override;

private:
    void RepintarSiToca();

    QElapsedTimer ultimoRepintado_;
};
