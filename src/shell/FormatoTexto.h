#pragma once
// The lyric text style (EstiloTexto) as Qt shows it: colours kept as 32-bit numbers with red in the low
// byte become QColor, and the six font properties of the style become a QFont.

#include "shell/Estado.h"

#include <QColor>
#include <QFont>
#include <cstdint>

class QWidget;

QColor ColorDeEntero(std::uint32_t color);
std::uint32_t EnteroDeColor(const QColor& color);

// Font name, size, bold, italic, strikethrough and underline of the style; nothing else of QFont's.
QFont FuenteDeEstilo(const EstiloTexto& estilo);
// The style takes those six properties from a font; a font whose size is not given in points keeps
// the style's size.
void TomarFuente(EstiloTexto& estilo, const QFont& fuente);

// The widget shows its text in the style's text colour over the style's background colour.
void AplicarColores(QWidget* caja, const EstiloTexto& estilo);
// Colours, then font.
void AplicarEstilo(QWidget* caja, const EstiloTexto& estilo);
