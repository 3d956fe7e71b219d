#pragma once
// The catalogue's maintenance statements: deleting songs, a branch or everything together with the
// lyrics that no remaining song names, saving one song or every song of a route, renumbering a route.
//
// A song is known by its identity (its row id in CANCIONES), never by its author and title. A header or
// a route is its exact value, compared with "=" under the catalogue's collation (letter case aside),
// never as a LIKE pattern: "\Rock'n Roll\" or a header holding "*", "?", "[" or "#" reaches its own rows
// alone. Each operation runs in one transaction: all of it, or, on an error (a full disk, a catalogue
// locked by another program, a value the catalogue refuses), none of it, raised as a dao::ErrorBD.

#include "store/Catalogo.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace catalogo {

// Deletes the songs with these identities (those already gone are skipped) and every lyric that one of
// them named and no remaining song names. Returns the number of songs deleted.
int EliminarCanciones(dao::Database& base, const std::vector<IdCancion>& canciones);
// The same for every song of the header, whatever its route, a Null route included.
int EliminarCabecera(dao::Database& base, const QString& cabecera);
// The same for every song of the route.
int EliminarRuta(dao::Database& base, const Ruta& ruta);
// Empties LETRAS and CANCIONES.
void EliminarTodo(dao::Database& base);

// What saving one song writes: its texts and size. Position and lyric stay as they are.
struct ValoresCancion {
    QString cabecera, ruta, autor, titulo, extension;
    int longitud = 0;
};
// A text field as a single save stores it: without leading and trailing blanks, and a single blank
// when nothing is left (the catalogue holds no empty texts).
QString TextoGuardado(const QString& campo);
// Writes the values into the song; false, with nothing written, when the song is gone.
bool GuardarCancion(dao::Database& base, IdCancion id, const ValoresCancion& valores);

// The fields of a batch save: each one given is written as it stands into every song of the route.
struct CamposLote {
    std::optional<QString> cabecera, ruta, autor, titulo, extension;
    std::optional<int> longitud;
    bool CambiaRama() const { return cabecera.has_value() || ruta.has_value(); }
};
// Returns the number of songs written.
int GuardarLote(dao::Database& base, const Ruta& ruta, const CamposLote& campos);

enum class CampoOrden { Autor, Titulo, Extension, Tamano };
enum class Sentido { Ascendente, Descendente };
// Renumbers REL_POS of the route's songs 1, 2, 3... ordered by the field and then the others
// (Autor: author, title, extension, size; Titulo: title, author, extension, size; Extension: extension,
// author, title, size; Tamano: size, author, title, extension), songs equal in all four in the order
// they were catalogued. Descendente is exactly the reverse of Ascendente. Returns the songs renumbered.
int ReordenarRuta(dao::Database& base, const Ruta& ruta, CampoOrden campo, Sentido sentido);

} // namespace catalogo
