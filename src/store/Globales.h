#pragma once
// Small text helpers used by every statement the program builds.

#include <QString>

namespace Globales {

// texto without its leading and trailing blanks (spaces); tabs, line breaks and other white space stay.
QString QuitarBlancos(QStringView texto);

// The number formed by the decimal digits of texto, all other characters skipped.
// Raises dao::ErrorBD 6 ("Desbordamiento") when it does not fit a 32-bit signed integer.
int ValorDigitos(const QString& texto);

// Left-to-right replacement of every occurrence of buscado by nuevo, ignoring letter case.
QString Reemplaza(const QString& texto, const QString& buscado, const QString& nuevo);

// texto made safe inside a quoted LIKE pattern: every apostrophe and every "#" becomes "?".
QString LimpiaLike(const QString& texto);

// A file name split into the text before the separator, the text after it and the extension.
struct PartesNombre {
    QString primera;
    QString segunda;
    QString extension;
};
PartesNombre SepararNombre(const QString& nombre, const QString& separador);

// texto without its leading decimal digits, trimmed.
QString QuitarDigitos(const QString& texto);

// nombre without a leading track number written as formato ("01", "01 -", "01.-"); nombre itself
// when it does not follow the format.
QString QuitarNumeracion(const QString& nombre, const QString& formato);

} // namespace Globales
