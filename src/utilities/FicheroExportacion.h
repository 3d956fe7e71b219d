#pragma once
// The export file: every song of CANCIONES as text, for a backup or another catalogue.
//
//   line 1  70 hyphens
//   line 2  " Base de Datos del " + version + "   -   NO MODIFICAR ESTE FICHERO!!!"
//   line 3  70 hyphens
//   line 4  the number of songs that follow, " N " (a blank for the sign, a blank after)
//   then seven lines per song: CABECERA, RUTA, AUTOR, TITULO, EXTENSION (coded with the password when
//   one is given), LONGITUD and REL_POS (" N "). A field without a value is an empty line.
//
// Lines end in CR LF. The file is Windows-1252 when that holds every text, otherwise UTF-8 with a
// byte-order mark (the coding then shifts the UTF-8 bytes). Lyrics are not part of the file.

#include "store/Dao.h"
#include "utilities/FicheroTexto.h"
#include "utilities/ProgresoUtilidad.h"

#include <QString>

#include <optional>

struct ResultadoTransferencia {
    qint64 canciones = 0;
    bool utf8 = false;
};

// Writes the file (FalloFichero when it is a file of the catalogue itself, cannot be opened or written,
// or a song cannot be written: a line break inside a field, or a password with a character
// Windows-1252 has not). On a failure no file is left behind and an existing file keeps its content.
ResultadoTransferencia ExportarCanciones(dao::Database& base, const QString& ruta, const QString& version,
                                         const std::optional<QString>& clave, ProgresoUtilidad& progreso);

// Appends the songs of the file, with no lyric, all of them in one transaction: a file of the
// catalogue itself, a file that cannot be read, a record cut short or a number that is not one is
// refused with a message (naming the line), and the catalogue stays exactly as it was.
ResultadoTransferencia ImportarCanciones(dao::Database& base, const QString& ruta,
                                         const std::optional<QString>& clave, ProgresoUtilidad& progreso);
