#pragma once
// The screen position shared by the three main windows (Estado::VentanaIzda, Estado::VentanaArriba),
// kept in twips and applied to a window's frame in pixels.

class QPoint;
class QWidget;

// The shared position, in pixels.
QPoint PosicionCompartida();
// The shared position becomes the window's own top left corner, in whole twips.
void RecordarPosicion(const QWidget& ventana);
// The shared position becomes esquina (in pixels), in whole twips.
void RecordarPosicion(const QPoint& esquina);
// Moves the window to the shared position.
void MoverAPosicionCompartida(QWidget& ventana);
