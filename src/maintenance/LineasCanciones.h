#pragma once
// The songs of one route as the maintenance window lists them: one line per song, AUTOR, " -- ",
// TITULO, in REL_POS order.

#include <QString>
#include <QStringList>

// The list lines of the route's songs, read from BBDD::BaseDatos: exactly the songs whose header and
// route are these (letter case aside), whatever pattern characters the texts hold. A Null author or
// title adds nothing to its line.
QStringList LineasRuta(const QString& cabecera, const QString& ruta);
