#pragma once
// The catalogue's statements about lyrics: a lyric read, written, created and deleted by its number,
// the number a song is given, and the songs of the same title that have a lyric (the intelligent lyric
// search). A song is named by its row identity, the rowid of its CANCIONES row, never by its texts.

#include "store/Catalogo.h"
#include "store/Dao.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace catalogo {

// The one form in which line breaks are stored: CR LF, the form of the catalogues the program was
// first written for, so that old and new lyrics are alike.
inline const QString SaltoLinea = QStringLiteral("\r\n");
// texto with every line break (CR LF, CR, LF, U+2028, U+2029) in the stored form.
QString ConSaltoGuardado(const QString& texto);

// ORIGEN of a lyric read from a file while cataloguing it: this text when it came from the file's tags,
// otherwise the name of the text file beside it (a name ending in .lrc or .txt). Null for a lyric typed
// by the user; saving a lyric in the song window makes it the user's.
inline const QString OrigenEtiquetas = QStringLiteral("etiquetas");

struct LetraLeida {
    bool existe = false; // a LETRAS row has the number
    QString texto;       // LYRICS; empty when Null or when there is no row
    QString origen;      // ORIGEN; empty for a typed lyric
};
LetraLeida CargarLetra(dao::Database& base, int idx);

// The song a lyric window names: the row fila when it names idx, otherwise the first row that does.
struct CancionDeLetra {
    bool hallada = false;
    IdCancion fila = 0;
    QString cabecera, ruta, autor, titulo;
};
CancionDeLetra CancionConLetra(dao::Database& base, int idx, IdCancion fila);

// Adds the LETRAS row idx with no text, when there is none yet.
void CrearLetra(dao::Database& base, int idx);

enum class Guardado { Guardada, SinCancion };
// Writes texto as the lyric idx (every row of that number). When the row is gone but a song still
// names the number, the row is written again; when no song names it, nothing is written: SinCancion.
Guardado GuardarLetra(dao::Database& base, int idx, const QString& texto);

// Deletes the lyric idx and sets IDX_CANCION to 0 on every song that names it, all or nothing.
void BorrarLetra(dao::Database& base, int idx);

// IDX_CANCION of the song (0 for Null); nothing when the row is gone.
std::optional<int> NumeroLetraDe(dao::Database& base, IdCancion fila);

// The number of the song's lyric, giving it a new one when it has none. A number other than 0 is
// never replaced.
struct LetraAsignada {
    bool hallada = false; // false: the song is gone, nothing written
    int idx = 0;
    bool nueva = false; // the number was given just now and its LETRAS row does not exist yet
};
LetraAsignada AsignarLetra(dao::Database& base, IdCancion fila);

// A song of the same title that has a lyric, as the lyric picker lists it.
struct Homonimo {
    QString cabecera, ruta, autor;
    QVariant longitud;
    int idx = 0;
};
// The songs with a lyric whose title equals titulo (CondicionHomonimo), ordered by header, route and
// author.
std::vector<Homonimo> HomonimosConLetra(dao::Database& base, const QString& titulo);
// Whether there is any: the intelligent test for a song without lyric.
bool HayHomonimoConLetra(dao::Database& base, const QString& titulo);
// The same for every title of a list, in one statement (an indexed probe per title); a null title has
// none.
std::vector<bool> HayHomonimosConLetra(dao::Database& base, const QStringList& titulos);

// The lyric mark of a song: "S" with a lyric; without one "?" when inteligente is on and a song of the
// same title has one; "N" otherwise. Nothing when the row is gone.
std::optional<QString> MarcaLetra(dao::Database& base, IdCancion fila, bool inteligente);

} // namespace catalogo
