#pragma once
// The identity of a catalogue file and the journal (-wal) found beside it.
//
// Every catalogue carries a random identity in its header (PRAGMA user_version, on page 1). SQLite
// replays a -wal into whatever file stands beside it: a -wal left by another database, or by another
// catalogue killed in the middle of a scan, would silently become this catalogue. Before anything is
// written, the identity read from the file alone is compared with the one seen through the -wal;
// a -wal that does not belong to the file is moved aside and never replayed. A file the engine cannot
// read alone (a checkpoint stopped by a full disk) is told by the identity in its header's bytes, and
// opens only when its own -wal makes it whole.

#include <QString>

struct sqlite3;

namespace dao::interno {

// PRAGMA application_id of a catalogue file: "CTRO".
inline constexpr quint32 IdAplicacion = 0x4354524F;

// A new random identity; never 0 or 1, the values of a catalogue made before identities.
qint32 NuevaIdentidad();

// Looks at the -wal beside the catalogue at ruta, opening both read-only. When the -wal is not the
// catalogue's own, renames it to a name that says so and returns the notice for the user; otherwise
// returns an empty text. Raises ErrorBD 3045 when another program holds the catalogue locked, and 3343
// when the file cannot be read alone and its -wal does not make it a whole catalogue (both left as they are).
QString ApartarDiarioAjeno(const QString& ruta);

// Gives a catalogue without identity its own one. Written through a rollback journal, so that the
// identity is in the file itself, never only in a -wal. Called on an open connection that is the
// catalogue's only one, before any other write; does nothing when another connection holds it.
void AsegurarIdentidad(sqlite3* db);

} // namespace dao::interno
