#include "utilities/ProgresoVentana.h"

#include "shell/FormatoTexto.h"

#include <QApplication>
#include <QProgressBar>

#include <algorithm>
#include <climits>

namespace {
constexpr int MilisegundosEntreRepintados = 40;
}

ProgresoVentana::ProgresoVentana(QProgressBar* barra) : barra_(barra) {
    reloj_.start();
}

void ProgresoVentana::Maximo(qint64 maximo) {
    barra_->setMaximum(int(std::clamp<qint64>(maximo, 0, INT_MAX)));
    RepintarVentana(barra_->window());
}

void ProgresoVentana::Valor(qint64 valor) {
    // The bar never passes its maximum, whatever the count that set it.
    barra_->setValue(int(std::clamp<qint64>(valor, 0, barra_->maximum())));
    if (reloj_.elapsed() >= MilisegundosEntreRepintados) {
        RepintarVentana(barra_->window());
        reloj_.restart();
    }
}

void RepintarVentana(QWidget* ventana) {
    ventana->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ColorFondo(QWidget* campo, quint32 color) {
    QPalette paleta = campo->palette();
    paleta.setColor(QPalette::Base, ColorDeEntero(color));
    campo->setPalette(paleta);
}
