#pragma once
// What a double-click on a listed song does to the catalogue before its lyric is opened: the song's
// row is found again and, when it has no lyric yet, given the next free lyric number at once (the same
// number the list window would give).

#include "queries/SentenciasConsulta.h"

namespace dao {
class Database;
}

namespace Consultas {

struct LetraDeCancion {
    bool encontrada = false; // false: the song is no longer in the catalogue
    int idxCancion = 0;
    bool nueva = false; // the number was given just now
};

LetraDeCancion PrepararLetra(dao::Database& base, const IdentidadCancion& cancion);

} // namespace Consultas
