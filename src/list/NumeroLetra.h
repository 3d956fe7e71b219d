#pragma once
// The number of a new lyric.

#include "store/Dao.h"

namespace Lista {

// One above the highest lyric number in use, 1 for an empty catalogue. "In use" counts the numbers of
// LETRAS and also those that songs name: a song may still name a lyric that is missing, and a new
// lyric under that number would silently become that song's lyric too. Raises dao::ErrorBD 6 when no
// number above the highest is left.
int NumeroLetraNueva(dao::Database& base);

} // namespace Lista
