#pragma once
// The text style of a song window's boxes: the shared lyrics style turned into a font and two colours,
// and those put on a text box.

#include "shell/Estado.h"

#include <QColor>
#include <QFont>

#include <cstdint>

class QWidget;

// A colour kept as a 32-bit value with red in the low byte, then green, then blue.
QColor ColorDeValor(std::uint32_t valor);

struct EstiloCancion {
    QFont fuente;
    QColor texto;
    QColor fondo;
};

EstiloCancion EstiloDe(const EstiloTexto& estilo);

// Text and background colours of a box; its font stays.
void PonerColores(QWidget& caja, const QColor& texto, const QColor& fondo);
// Font and both colours.
void PonerEstilo(QWidget& caja, const EstiloCancion& estilo);
