#pragma once
// Cataloguing a directory, optionally with all its subdirectories: every file that matches the pattern
// becomes one CANCIONES row under one header, with the route of its directory, the author, title and
// extension of its name, its length and its position within the directory.

#include "maintenance/InterpretacionNombre.h"
#include "store/InsercionPreparada.h"

#include <QString>
#include <QStringList>

struct OpcionesAnadido {
    QString cabecera;
    QString directorio;  // where the scan starts
    QString raizVolumen; // the routes are written relative to it
    QString filtro = QStringLiteral("*.*");
    bool incluirSubdirectorios = true;
    bool ordenar = true; // alphabetical order, letter case ignored; otherwise the file system's order
    OpcionesNombre nombre;
    // Also read each file's lyric (its tags, or a .lrc or .txt beside it) and, for a name that does not
    // split, the author and title of its tags.
    bool leerLetras = false;
};

// What the scan tells while it runs. Every call is optional to act on.
class ProgresoAnadido {
public:
    virtual ~ProgresoAnadido() = default;
    virtual void Titulo(const QString&) {}
    virtual void Linea(const QString&) {}
    virtual void Maximo(int) {}
    virtual void Avanzar() {}
};

struct ResultadoAnadido {
    bool encontrado = false; // some file matched the pattern
    int filas = 0;           // rows written and kept
    QStringList ilegibles;   // directories that could not be read
    QStringList grandes;     // files whose length does not fit the catalogue
    // Files whose name, and directories whose route, the catalogue cannot hold (dao::TextoAdmitido):
    // left out (the directory's own files; each folder below it is judged by its own route).
    QStringList nombresNoAdmitidos;
    QStringList rutasNoAdmitidas;
    int letras = 0;                 // lyrics read from the files and kept
    QStringList etiquetasIlegibles; // music files whose tags could not be read (their rows are written)
    // Files whose tags name an author or title the catalogue cannot hold (dao::TextoAdmitido): their
    // rows are written with the author and title of their file name.
    QStringList etiquetasNoAdmitidas;
    QString error; // the engine's description when an error stopped the scan
};

// The longest length of a file that the catalogue holds (LONGITUD is a 32-bit integer).
constexpr qint64 LongitudMaximaFichero = 2147483647;

// Appends songs to the CANCIONES table of one database through a statement prepared once: texts trimmed
// of blanks, an empty author, title or extension stored as a single blank, no lyric unless one is given
// by its number.
class EscrituraCanciones {
public:
    explicit EscrituraCanciones(dao::Database& base);
    void AnadirCancion(QStringView cabecera, QStringView ruta, QStringView autor, QStringView titulo,
                       QStringView extension, int longitud, int posicion, int idxCancion = 0);

private:
    dao::InsercionPreparada insercion_;
};

// Walks, lists and writes. The rows are written in batches; an engine error stops the scan and is told
// in the result with the rows and lyrics kept: all written before it, or, when the engine had to undo
// the open batch (a full disk), those of the batches committed. A directory's lyrics and its songs are
// always in the same batch, so that no lyric is kept without the song that names it. Directories that
// cannot be read, files too long for LONGITUD, and files whose name or directories whose route the
// catalogue cannot hold are left out and named in the result. A file whose tags name an author or title
// the catalogue cannot hold is catalogued under its file name and named in the result. A .lrc or .txt
// file read as the lyric of a song beside it is not catalogued as a song. The header must not be
// blank.
ResultadoAnadido AnadirFicheros(const OpcionesAnadido& opciones, ProgresoAnadido& progreso);
