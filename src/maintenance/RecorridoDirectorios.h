#pragma once
// The file system as the adding of songs sees it: a breadth-first walk of a directory tree and the
// files of one directory that match a pattern. Hidden entries (names starting with a dot) are left out.
// Paths are kept as the bytes the file system uses, so that any name can be opened again, beside the
// text that is shown and stored.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// A file pattern: "*" any run of characters, "?" any one character, letter case ignored. As on the
// systems the catalogue comes from, a pattern ending in ".*" also matches names without a dot, so that
// "*.*" means every file.
class PatronFicheros {
public:
    explicit PatronFicheros(const QString& patron);
    // The name is folded character by character, with no copy made.
    bool Coincide(QStringView nombre) const;

private:
    QString patron_; // case-folded
    bool sinExtension_ = false;
};

// A name as the file system gives it: UTF-8 when it is valid UTF-8, otherwise one character per byte
// (Latin-1), so that no name is rejected and none loses a character to a replacement mark.
QString NombreLegible(const QByteArray& nombre);

struct FicheroEncontrado {
    QString nombre;
    qint64 longitud;
    QByteArray nombreSistema; // the name's bytes when they are not UTF-8; empty otherwise
    // The bytes of the name to open the file by.
    QByteArray NombreSistema() const { return nombreSistema.isEmpty() ? nombre.toUtf8() : nombreSistema; }
};

// The matching files of a directory as the walk read them, kept compact until they are written: the
// names as the file system gives them, one after another, each ended by a zero byte, and their lengths.
struct FicherosDirectorio {
    QByteArray nombres;
    std::vector<qint64> longitudes;
    // The files in the order they were listed, their names made readable (NombreLegible).
    std::vector<FicheroEncontrado> Ficheros() const;
};

// A directory found by the walk; both forms end in "/".
struct DirectorioEncontrado {
    QByteArray ruta;
    QString texto;
    FicherosDirectorio ficheros;
};

struct Recorrido {
    std::vector<DirectorioEncontrado> directorios; // the root first, then level by level
    QStringList ilegibles;                         // directories whose entries could not be listed
};

// The root and, with subdirectorios, every directory below it, breadth first, each level in the order
// the file system lists it. Each directory is read once, and that reading also keeps its plain files
// (links to files count) whose names match patron, in the order the file system lists them. Links to
// directories are followed, but every directory is entered once only, so a link to a parent never
// makes the walk loop. With subdirectorios, alEncontrar is told every directory as it is found, the
// root first.
Recorrido RecorrerDirectorios(const QString& raiz, const PatronFicheros& patron, bool subdirectorios,
                              const std::function<void(const QString&)>& alEncontrar);

// The plain files of directorio whose names match patron, as the walk keeps them. False when the
// directory cannot be read.
bool ListarFicheros(const QByteArray& directorio, const PatronFicheros& patron,
                    std::vector<FicheroEncontrado>& ficheros);
