#pragma once
// The song shown in a result row that carries no row identity (the statement joins tables, say), found
// again in the catalogue to open its lyric.

#include "queries/SentenciasConsulta.h"
#include "store/Catalogo.h"

#include <optional>

namespace dao {
class Database;
}

namespace Consultas {

// The row identity of a song whose five texts, REL_POS and lyric number are those of the result row, each
// compared as the value shown (a Null text with Null, letters as they are). Rows alike cannot be told
// apart by what they show, so they are paired in order: the row that is the ocurrencia-th alike in the
// list (from 0) is the ocurrencia-th song alike in the catalogue, counted round when the list shows more
// of them than the catalogue holds. Nothing when no such song is left.
std::optional<catalogo::IdCancion> FilaDeCancion(dao::Database& base, const IdentidadCancion& cancion,
                                                 int ocurrencia);

} // namespace Consultas
