#pragma once
// A quick reader of the ID3v2 tag at the start of an MP3 file, for the three frames cataloguing takes:
// the title (TIT2), the artist (TPE1) and the unsynchronised lyrics (USLT). It reads only the frame
// headers and those frames, skipping pictures and the rest, and decodes them as TagLib does. Whatever
// it would not read exactly as TagLib (version 2.2, unsynchronisation, an extended header, compressed,
// encrypted or grouped frames, several values in one frame, text without its byte-order mark, a missing
// title or artist, which TagLib then seeks in other tags) it leaves to TagLib by answering nothing.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct EtiquetaId3v2 {
    QString titulo, artista;
    QStringList letras; // the texts of the USLT frames, in the tag's order
};

// ruta: the file's path as the system names it. Nothing when the file cannot be opened, or its tag is
// one to leave to TagLib.
std::optional<EtiquetaId3v2> LeerEtiquetaId3v2(const QByteArray& ruta);
