#pragma once
// The catalogue's statements for the utilities: the four integrity checks and their repairs, the lyric
// coverage counts, and the songs read and written in bulk for the export file and the tree listing.
// Every statement is set-based over indexed columns; a value taken from the catalogue or typed by the
// user is bound as a parameter and compared as the catalogue compares texts, never as a pattern.

#include "store/Dao.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct sqlite3_stmt;

namespace catalogo {

// Rows of one statement, read as the caller moves. Texts are UTF-8 and valid until the next move.
class Filas {
public:
    Filas(dao::Database& base, const char* sql, const QStringList& parametros = {});
    ~Filas();
    Filas(const Filas&) = delete;
    Filas& operator=(const Filas&) = delete;

    bool Siguiente();
    bool Nulo(int columna) const;
    QByteArrayView Texto(int columna) const;
    qint64 Entero(int columna) const;

private:
    dao::Database& base_;
    sqlite3_stmt* sentencia_ = nullptr;
};

// --- Integrity checks. Each Hay... tells whether the fault exists; each repair runs in one transaction
// and returns the rows it changed.

// Songs whose IDX_CANCION is Null.
bool HayIdxNulos(dao::Database& base);
int RepararIdxNulos(dao::Database& base);

// What SQLite's own check (PRAGMA integrity_check) finds wrong in the file: empty when it is sound.
QStringList FallosDelFichero(dao::Database& base);

bool HayCanciones(dao::Database& base);
// Routes where two songs share a position, a position is Null, or the lowest position is 0. A Null
// header or path is a route of its own.
bool HayRutasMalNumeradas(dao::Database& base);
// Renumbers every such route 1, 2, 3 … in the order REL_POS (Nulls first), AUTOR, TITULO.
int RenumerarRutasMalNumeradas(dao::Database& base);

bool HayLetras(dao::Database& base);
// Lyrics that no song names (a Null or 0 number names none).
bool HayLetrasSinCanciones(dao::Database& base);
int BorrarLetrasSinCanciones(dao::Database& base);

bool HayCancionesConLetra(dao::Database& base);
// Songs whose lyric number (not 0) has no LETRAS row.
bool HayReferenciasRotas(dao::Database& base);
int QuitarReferenciasRotas(dao::Database& base);

// --- Lyric coverage: the three categories split the songs whose IDX_CANCION is not Null.
struct Cobertura {
    qint64 conLetra = 0;  // IDX_CANCION <> 0
    qint64 sinLetra = 0;  // IDX_CANCION = 0 and no namesake with a lyric
    qint64 huerfanas = 0; // IDX_CANCION = 0, a song of the same title has a lyric
    qint64 Total() const { return conLetra + sinLetra + huerfanas; }
};
Cobertura ContarCobertura(dao::Database& base);

// --- Export and import.
qint64 ContarCanciones(dao::Database& base);
// Columns CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, REL_POS of every song, ordered by
// CABECERA, RUTA, REL_POS and, for ties, the order in which the rows were stored.
std::unique_ptr<Filas> CancionesEnOrden(dao::Database& base);

// Appends songs with no lyric. Values are UTF-8 texts (empty optional: Null) and integers.
class InsercionCanciones {
public:
    explicit InsercionCanciones(dao::Database& base);
    ~InsercionCanciones();
    InsercionCanciones(const InsercionCanciones&) = delete;
    InsercionCanciones& operator=(const InsercionCanciones&) = delete;

    void Anadir(const std::optional<QByteArrayView> (&textos)[5], std::optional<qint32> longitud,
                std::optional<qint32> posicion);
    // Tells the layer that rows were written, so that open record sets read them again.
    void Terminar();

private:
    dao::Database& base_;
    sqlite3_stmt* sentencia_ = nullptr;
};

// --- Tree listing.
struct AlcanceListado {
    std::optional<QString> cabecera; // only this header
    std::optional<QString> ruta;     // only this route of the header
};
// Files listed: CABECERA, RUTA, AUTOR, TITULO, EXTENSION ordered by CABECERA, RUTA, REL_POS;
// otherwise the distinct CABECERA, RUTA.
std::unique_ptr<Filas> FilasListado(dao::Database& base, const AlcanceListado& alcance, bool ficheros);
qint64 ContarFilasListado(dao::Database& base, const AlcanceListado& alcance, bool ficheros);
// Whether two texts of the catalogue are equal as the catalogue compares them (letter case ignored),
// its statement prepared once for a walk over many rows.
class ComparacionTextos {
public:
    explicit ComparacionTextos(dao::Database& base);
    ~ComparacionTextos();
    ComparacionTextos(const ComparacionTextos&) = delete;
    ComparacionTextos& operator=(const ComparacionTextos&) = delete;

    bool Iguales(QByteArrayView a, QByteArrayView b);

private:
    dao::Database& base_;
    sqlite3_stmt* sentencia_ = nullptr;
};

// Headers, and routes of one header, for the listing's lists.
QStringList Cabeceras(dao::Database& base);
QStringList RutasDe(dao::Database& base, const QString& cabecera);

} // namespace catalogo
