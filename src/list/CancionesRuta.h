#pragma once
// The songs of one route (a header and a path) as the list window shows them: read in REL_POS order,
// with the size text and the lyric mark of each one.

#include "store/Dao.h"

#include <QLocale>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace Lista {

inline const QString MarcaConLetra = QStringLiteral("S");
inline const QString MarcaSinLetra = QStringLiteral("N");
inline const QString MarcaPosibleLetra = QStringLiteral("?");

// A Null text shows as an empty one; a Null size as no size at all.
struct CancionLista {
    QString autor;
    QString titulo;
    QString extension;
    QVariant longitud;
    QString marca;
};

// texto as a LIKE pattern that matches only itself (letter case aside): "[", "*" and "?" are
// bracketed so they lose their pattern meaning, then LimpiaLike makes it safe between quotes.
QString PatronLiteral(const QString& texto);

// "SELECT * FROM CANCIONES WHERE CABECERA LIKE '…' AND RUTA LIKE '…' ORDER BY REL_POS"
QString SentenciaRuta(const QString& cabecera, const QString& ruta);

// The songs of the route, in REL_POS order. Their marks: "S" with a lyric; "?" when
// busquedaInteligente is on and a song with a lyric has a title matching this one's title as a LIKE
// pattern (the title passed through LimpiaLike); "N" otherwise. The marks of the whole route take a
// fixed number of statements, plus one per distinct title holding pattern characters.
std::vector<CancionLista> LeerCancionesRuta(dao::Database& base, const QString& cabecera, const QString& ruta,
                                            bool busquedaInteligente);

// A set over the route statement standing on its song number indice (0-based, in the order that
// LeerCancionesRuta gives), ready for Edit; nullptr when the route has no such song.
std::unique_ptr<dao::Recordset> AbrirCancionRuta(dao::Database& base, const QString& cabecera,
                                                 const QString& ruta, int indice);

// LONGITUD as "###,###,###,##0": thousands grouped with the locale's separator, zero shown as 0;
// empty for Null. The locale's signs are looked up once, for a whole list.
class FormatoTamano {
public:
    explicit FormatoTamano(const QLocale& locale);
    QString operator()(const QVariant& longitud) const;

private:
    QString separador_;
    QString negativo_;
};

// One size in that format.
QString TextoTamano(const QVariant& longitud, const QLocale& locale);

} // namespace Lista
