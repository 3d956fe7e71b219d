#pragma once
// Small text helpers used by every statement the program builds.

#include <QString>

namespace Globales {

// The number formed by the decimal digits of texto, all other characters skipped.
// Raises dao::ErrorBD 6 ("Desbordamiento") when it does not fit a 32-bit signed integer.
int ValorDigitos(const QString& texto);

// Left-to-right replacement of every occurrence of buscado by nuevo, ignoring letter case.
QString Reemplaza(const QString& texto, const QString& buscado, const QString& nuevo);

// texto made safe inside a quoted LIKE pattern: every apostrophe and every "#" becomes "?".
QString LimpiaLike(const QString& texto);

} // namespace Globales
