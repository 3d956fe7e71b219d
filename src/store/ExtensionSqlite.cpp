// A loadable SQLite extension, so that the sqlite3 shell and other SQLite tools can work on a catalogue:
// every text column of a catalogue is ordered by the CANTORIO collation, which SQLite needs for any
// statement that compares or sorts those columns, even for PRAGMA integrity_check. It registers the same
// collation and Jet functions (like_jet, ucase_jet...) as the program, from the same code.
//
//   sqlite3 Cantorio.mdb
//   sqlite> .load /usr/lib/cantorio/cantorio
//
// The extension calls SQLite directly, so it loads into programs that use the system's shared SQLite
// library (the sqlite3 shell and the other SQLite tools of the distribution).

#include "store/FuncionesSql.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// SQLite looks for sqlite3_<file name>_init: the extension is installed as cantorio.so.
extern "C" __attribute__((visibility("default"))) int sqlite3_cantorio_init(sqlite3* conexion, char**,
                                                                            const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    dao::RegistrarFuncionesSql(conexion);
    return SQLITE_OK;
}
