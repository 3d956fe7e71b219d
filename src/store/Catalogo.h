#pragma once
// The program's statements about songs, routes and lyrics. A value taken from the catalogue (a tree
// node, a list line, a row) is always bound as a query parameter and compared as itself, never as a
// LIKE pattern, so a header "Rock'n Roll [*]" reaches exactly its own rows.
//
//     const catalogo::Ruta ruta{cabecera, camino};
//     catalogo::CancionesRuta canciones =
//         catalogo::LeerCancionesRuta(base, ruta, busquedaInteligente);          // one read per click
//     auto fila = catalogo::AbrirCancion(base, canciones[k].fila);               // the row, by identity
//
// Other statements of this module live in files of their own beside this one (CatalogoLetras,
// CatalogoMantenimiento, CatalogoUtilidades); they build "this route" with CondicionRuta.

#include "store/Dao.h"

#include <QLocale>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

namespace catalogo {

// The identity of a song: its row id in CANCIONES.
using IdCancion = qint64;

// A route: a header (CABECERA) and a path (RUTA) under it, as the trees show them.
struct Ruta {
    QString cabecera;
    QString ruta;
    bool operator==(const Ruta&) const = default;
};

// "This route", the one definition every statement uses: the condition over CANCIONES (alias, when
// given, names the table: "C" for "CANCIONES AS C") and its parameters [pCabecera] and [pRuta]. Equality
// under the catalogue's collation, the same that groups the tree's nodes, served by the route index.
QString CondicionRuta(const QString& alias = {});

// The one test of the intelligent lyric search: the song alias (of CANCIONES) has a lyric and the title
// titulo (a column of another row, or a parameter), equal under the catalogue's collation: letter case
// aside, accents not, pattern characters plain. The list's "?" mark, the result windows' one, the lyric
// picker and the mark a song window sends back all use it. Read alike by the Jet dialect and by
// SQLite's, and answered by the index of the titles of the songs that have a lyric.
QString CondicionHomonimo(const QString& alias, const QString& titulo);

// The lyric mark of a song: "S" it has a lyric; "?" it has none but a song with a lyric has the same
// title; "N" otherwise.
inline const QString MarcaConLetra = QStringLiteral("S");
inline const QString MarcaSinLetra = QStringLiteral("N");
inline const QString MarcaPosibleLetra = QStringLiteral("?");

// One song of a route. fila is the row's identity (the CANCIONES rowid): a list line keeps it, so the
// row is found again without splitting the line into author and title. A Null text reads as an empty
// one, a Null lyric number as 0; a Null size stays empty.
struct CancionRuta {
    IdCancion fila = 0;
    QString autor;
    QString titulo;
    QString extension;
    std::optional<qint64> longitud;
    int idxCancion = 0;
    int relPos = 0;
    QString marca; // MarcaConLetra, MarcaSinLetra or, when asked for, MarcaPosibleLetra
};
using CancionesRuta = std::vector<CancionRuta>;

// The route's songs in REL_POS order (equal positions keep the order in which they were added), in
// one statement prepared once per connection. With posiblesLetras, a song without a lyric whose title
// equals, under the catalogue's collation, the title of some song with a lyric is marked "?" instead
// of "N" (an indexed probe per such song, in the same statement).
CancionesRuta LeerCancionesRuta(dao::Database& base, const Ruta& ruta, bool posiblesLetras = false);

// The row fila of CANCIONES, updatable; nullptr when it is no longer there.
std::unique_ptr<dao::Recordset> AbrirCancion(dao::Database& base, IdCancion fila);

// The line that the maintenance lists show for a song: AUTOR, " -- ", TITULO.
QString LineaCancion(const CancionRuta& cancion);

// The number of a new lyric: one above the highest in use, 1 for an empty catalogue. "In use" counts
// the numbers of LETRAS and also those that songs name: a song may still name a lyric that is missing,
// and a new lyric under that number would silently become that song's lyric too. Raises
// dao::ErrorBD 6 when no number above the highest is left.
int NumeroLetraNueva(dao::Database& base);

// LONGITUD as "###,###,###,##0": thousands grouped with the locale's separator, zero shown as 0;
// empty for Null. The locale's signs are looked up once, for a whole list.
class FormatoTamano {
public:
    explicit FormatoTamano(const QLocale& locale);
    QString operator()(const QVariant& longitud) const;
    QString operator()(qint64 longitud) const;
    QString operator()(std::optional<qint64> longitud) const {
        return longitud ? (*this)(*longitud) : QString();
    }

private:
    QString separador_;
    QString negativo_;
};

// One size in that format.
QString TextoTamano(const QVariant& longitud, const QLocale& locale);

} // namespace catalogo
