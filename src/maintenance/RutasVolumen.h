#pragma once
// Where a directory lies among the mounted volumes, and the route the catalogue keeps for it.

#include <QString>
#include <QStringList>

// directorio relative to raizVolumen with "\" separators, a leading and a trailing "\":
// "/media/cd" and "/media/cd/Musica/Rock" give "\Musica\Rock\"; the volume's root itself gives "\".
// A directory outside that volume is written from the system's root.
QString RutaCatalogo(const QString& raizVolumen, const QString& directorio);

// The volume among raices whose root holds ruta (the deepest one when volumes are nested), or an empty
// text when none does.
QString VolumenDe(const QStringList& raices, const QString& ruta);
