#pragma once
// The files that make up a catalogue: the file itself and those SQLite keeps beside it while it is open
// (-wal, -shm, -journal). Writing any of them as if it were another file destroys the catalogue.

#include <QString>

namespace catalogo {

// Whether ruta is the catalogue at rutaCatalogo or one of the files beside it, as the system sees
// them: by device and inode after following every link, so that a link, a hard link or another spelling
// of the path is caught. A name that does not exist yet is one of them when, its links and its folder
// resolved, it is the name such a file would have.
bool EsFicheroDelCatalogo(const QString& ruta, const QString& rutaCatalogo);

} // namespace catalogo
