#pragma once
// What a music file tells about itself while it is catalogued: the lyric embedded in its tags (ID3v2
// USLT, Vorbis and FLAC LYRICS or UNSYNCEDLYRICS, MP4 ©lyr), or else the one of a text file beside it
// with the same base name (.lrc, .txt), and the artist and title of its tags. Files are only read.

#include <QByteArray>
#include <QSet>
#include <QString>

enum class OrigenLetra { Ninguno, Etiquetas, FicheroAparte };

struct DatosFichero {
    QString letra; // with the catalogue's line breaks; empty when the file brings none
    OrigenLetra origen = OrigenLetra::Ninguno;
    QString ficheroLetra; // the name of the text file the lyric came from
    QString artista, titulo;
    bool etiquetasIlegibles = false; // a music file whose tags could not be read
};

// The names of the .lrc and .txt files of a directory (any letter case), listed once for all its songs.
QSet<QString> FicherosDeTexto(const QByteArray& directorio);

// ruta: the file's path as the system names it; nombre: its name as shown; textos: the names of the text
// files beside it (FicherosDeTexto).
DatosFichero LeerDatosFichero(const QByteArray& ruta, const QString& nombre, const QSet<QString>& textos);

// The lyric of a sidecar text file: UTF-8 when it is valid UTF-8, Windows-1252 otherwise; for a .lrc
// the time tags ([01:23.45], <01:23.45>) and the header lines ([ar:...]) are removed, the lines kept.
QString LetraDeTexto(const QByteArray& contenido, bool esLrc);
