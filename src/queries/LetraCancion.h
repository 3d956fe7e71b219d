#pragma once
// The song shown in one row of a result, found again in the catalogue to open its lyric.

#include "queries/SentenciasConsulta.h"
#include "store/Catalogo.h"

#include <optional>

namespace dao {
class Database;
}

namespace Consultas {

// The row identity of the song whose five texts and REL_POS are those of the result row, each compared as
// a value (a Null text with Null); the first such row when the catalogue holds it twice; nothing when the
// song is no longer there.
std::optional<catalogo::IdCancion> FilaDeCancion(dao::Database& base, const IdentidadCancion& cancion);

} // namespace Consultas
