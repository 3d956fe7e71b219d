#pragma once
// The trigram index of the lyrics: an SQLite FTS5 table over every lyric folded as the search with
// accents ignored folds it (plegar_sin_acentos), kept by triggers on LETRAS, so that every write to
// the lyrics (the song window, deletions, import, conversion, repairs, a statement typed in a tool
// that loaded the catalogue's extension) updates it in its own transaction. It only narrows the
// lyrics that the text search then tests one by one, so a search gives the same rows with or
// without it.

#include "store/Dao.h"

#include <QByteArray>
#include <QString>

namespace catalogo {

// The index table's name, which carries the version of its folding and form: a catalogue whose index
// bears another name (an older folding or form, another ICU) has it built again.
QString NombreIndiceLetras();

// Creates the index and its triggers, filled from LETRAS, when the catalogue has no current one;
// drops an out-of-date one first. All in one transaction.
void AsegurarIndiceLetras(dao::Database& base);

// Whether the catalogue has the current index with its triggers.
bool HayIndiceLetras(dao::Database& base);

// The FTS5 query that finds the lyrics that may contain texto, those holding all its trigrams, or
// nothing when the index cannot serve it: a text shorter than three characters once folded has none.
QByteArray ConsultaIndiceLetras(const QString& texto);

} // namespace catalogo
