#pragma once
// "Configurar Canción": restyles the lyric of one song window (font, effects, text and background
// colour) on a sample. One dialog for the run, modeless; opening it from another song window retargets
// it. The shared lyrics style is not touched.

#include "shell/Estado.h"

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;
class frmCancion;

class frmConfigCancion : public QDialog {
    Q_OBJECT
public:
    static frmConfigCancion& Instancia();

    // Sets the song window being styled and puts its style on the sample.
    void Preparar(frmCancion& padre, const EstiloTexto& estilo);
    // The song window being styled; null once it has closed.
    QPointer<frmCancion> Padre;
    EstiloTexto Ejemplo() const { return ejemplo_; }

    QLineEdit* txtEjemplo;
    QPushButton* cmdConfigTexto;
    QPushButton* cmdConfigColorTexto;
    QPushButton* cmdConfigColorFondo;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private slots:
    void cmdConfigTexto_Click();
    void cmdConfigColorTexto_Click();
    void cmdConfigColorFondo_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    frmConfigCancion();
    void Conectar();
    void MostrarEjemplo();

    EstiloTexto ejemplo_;
};
