#pragma once
// Writes small Access/Jet catalogue files, Jet 3 (2 KiB pages, Windows-1252 text) and Jet 4 (4 KiB pages,
// UCS-2 text, compressed where that is shorter), holding the tables CANCIONES and LETRAS, for the tests
// of the conversion of old catalogues. No program on Debian writes these files, so the tests make their
// own from the published notes on the format: a header page, the system catalogue MSysObjects, one table
// definition per table, page usage maps, data pages, and long-value pages for memos that do not fit in
// their row. Only what a reader needs is written: no indexes, no properties.

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace jet {

enum class Version { Jet3, Jet4 };

// One row of CANCIONES; an empty optional is a Null field.
struct Cancion {
    std::optional<QString> cabecera, ruta, autor, titulo, extension;
    std::optional<qint32> longitud, idxCancion, relPos;
};

// One row of LETRAS.
struct Letra {
    std::optional<qint32> idxCancion;
    std::optional<QString> lyrics;
};

// The bytes of the whole file. Jet 3 rows must stay under 256 bytes (texts of a few dozen characters):
// the generator writes no jump tables.
QByteArray Generar(Version version, const std::vector<Cancion>& canciones, const std::vector<Letra>& letras);

} // namespace jet
