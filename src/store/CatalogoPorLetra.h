#pragma once
// The work tables of the query by lyric text: one per result window, in the catalogue itself, holding
// the songs whose lyric contains the text, so that the window can sort and open them while it lives.

#include "store/BuscaTexto.h"
#include "store/Dao.h"

#include <QString>

#include <array>

namespace catalogo {

// "AUX" followed by two numbers, the process's and a count of this run, that no table of the
// catalogue has yet.
QString NombreTablaAux(dao::Database& base);

// Creates the empty work table: the eight columns of CANCIONES, with their types, no index, no key.
void CrearTablaAux(dao::Database& base, const QString& nombre);

// The five catalogue fields a lyric query can narrow, in order: CABECERA, RUTA, AUTOR, TITULO, EXTENSION.
using CamposPorLetra = std::array<QString, 5>;

// Copies into the work table, with their row identities, the songs with a lyric whose fields contain the
// non-empty texts of campos (each a LIKE pattern "*text*" made safe by LimpiaLike, all joined by AND) and
// whose lyric contains texto (BuscaTexto, accents as asked): one statement, the lyric test made by the
// engine through a registered function, on the lyrics that the trigram index names when it can serve
// the text, on every lyric otherwise. A song whose lyric row is missing is left out; a Null lyric is an
// empty text. Returns the songs copied.
int LlenarTablaAux(dao::Database& base, const QString& nombre, const CamposPorLetra& campos,
                   const QString& texto, Acentos acentos = Acentos::Cuentan);

void BorrarTablaAux(dao::Database& base, const QString& nombre);

// Drops the work tables that a run which ended with lyric-query windows open left behind: only
// tables named "AUX" and digits whose columns are those of a work table.
void BorrarTablasAuxAbandonadas(dao::Database& base);

} // namespace catalogo
