#pragma once
// The songs of one route as the maintenance window lists them: one line per song, AUTOR, " -- ",
// TITULO, in REL_POS order.

#include <QString>
#include <QStringList>

// texto as a LIKE pattern that matches itself: "[", "*" and "?" are written as the literal classes
// "[[]", "[*]" and "[?]", then the text goes through Globales::LimpiaLike.
QString PatronLiteral(const QString& texto);

// "SELECT * FROM CANCIONES WHERE CABECERA LIKE '…' AND RUTA LIKE '…' ORDER BY REL_POS".
QString SentenciaRuta(const QString& cabecera, const QString& ruta);

// The list lines of the route's songs, read from BBDD::BaseDatos. A Null author or title adds nothing.
QStringList LineasRuta(const QString& cabecera, const QString& ruta);
