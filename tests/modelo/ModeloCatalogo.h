#pragma once
// The catalogue as its user expects it to be, kept plainly in memory: its songs with their identity,
// its lyrics, and so which songs share a lyric. What each command the user can give does to it is
// written here one song at a time, from what the program promises, never from how it does it.

#include <QString>

#include <array>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

using Texto = std::optional<QString>;
using Numero = std::optional<qint64>;

struct CancionModelo {
    qint64 id = 0; // identity, in the order the songs were catalogued
    Texto cabecera, ruta, autor, titulo, extension;
    Numero longitud, idx, relPos;
    bool operator==(const CancionModelo&) const = default;
};

struct Modelo {
    std::vector<CancionModelo> canciones; // by identity
    std::map<qint64, Texto> letras;       // number -> LYRICS (Null: created and never saved)
    qint64 siguienteId = 1;

    const CancionModelo* Cancion(qint64 id) const;
    CancionModelo* Cancion(qint64 id);
    // Appends the songs, given in the order they are catalogued, with new identities.
    void Anadir(std::vector<CancionModelo> nuevas);
    // Whether some song names the lyric number.
    bool Nombrada(qint64 numero) const;
};

// Texts as the catalogue compares them: letter case aside, accents and everything else counted; Null
// before any text.
int CompararTextos(const Texto& a, const Texto& b);
// "=" of the catalogue: Null equals nothing.
bool Igual(const Texto& a, const Texto& b);
// The same place in a grouping: two Nulls together.
bool MismoGrupo(const Texto& a, const Texto& b);

// Deletes the songs that cumplen, then every lyric one of them named that no remaining song names.
// Returns the songs deleted.
template <typename Condicion> int EliminarDonde(Modelo& modelo, Condicion cumplen);

// The number a new lyric takes: one above the highest that LETRAS holds or a song names.
qint64 NumeroLetraNueva(const Modelo& modelo);

enum class Clave { Autor, Titulo, Extension, Tamano };
// Numbers the songs of the route 1, 2, 3... by the key and the other three, ties in the order they were
// catalogued; descending is the exact reverse.
void Reordenar(Modelo& modelo, const Texto& cabecera, const Texto& ruta, Clave clave, bool ascendente);

// The songs in the order of the export file: header, route, position, then the order catalogued.
std::vector<CancionModelo> OrdenExportacion(const Modelo& modelo);

// The four faults the integrity check looks for: a Null lyric number; a route with a position held
// twice, a Null position or a lowest position of 0; a lyric no song names; a song naming a missing lyric.
std::array<bool, 4> Fallos(const Modelo& modelo);
void Reparar(Modelo& modelo, int fallo);

std::ostream& operator<<(std::ostream& salida, const Texto& texto);
std::ostream& operator<<(std::ostream& salida, const CancionModelo& cancion);

template <typename Condicion> int EliminarDonde(Modelo& modelo, Condicion cumplen) {
    std::vector<qint64> letras;
    std::vector<CancionModelo> quedan;
    for (const CancionModelo& c : modelo.canciones) {
        if (!cumplen(c)) {
            quedan.push_back(c);
            continue;
        }
        if (c.idx && *c.idx > 0)
            letras.push_back(*c.idx);
    }
    const int eliminadas = int(modelo.canciones.size() - quedan.size());
    modelo.canciones = std::move(quedan);
    for (qint64 numero : letras)
        if (!modelo.Nombrada(numero))
            modelo.letras.erase(numero);
    return eliminadas;
}
