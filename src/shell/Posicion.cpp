#include "shell/Posicion.h"

#include "shell/Estado.h"
#include "shell/Twips.h"

#include <QPoint>
#include <QWidget>

QPoint PosicionCompartida() {
    return {Pixeles(Estado::VentanaIzda), Pixeles(Estado::VentanaArriba)};
}

void RecordarPosicion(const QWidget& ventana) {
    RecordarPosicion(ventana.pos());
}

void RecordarPosicion(const QPoint& esquina) {
    Estado::VentanaIzda = Twips(esquina.x());
    Estado::VentanaArriba = Twips(esquina.y());
}

void MoverAPosicionCompartida(QWidget& ventana) {
    ventana.move(PosicionCompartida());
}
