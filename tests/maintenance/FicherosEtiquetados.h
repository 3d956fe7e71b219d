#pragma once
// Music files made by the tests themselves, their tags written with TagLib: a few MPEG frames, a FLAC
// stream header, an MP4 movie header, each just enough for TagLib to take the file as its kind.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/xiphcomment.h>

namespace etiquetados {

inline TagLib::String Texto(const QString& texto) {
    return TagLib::String(texto.toStdString(), TagLib::String::UTF8);
}

inline void Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile fichero(ruta);
    fichero.open(QIODevice::WriteOnly);
    fichero.write(bytes);
}

// Ten frames of MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, silent.
inline QByteArray TramasMpeg() {
    QByteArray trama(417, '\0');
    trama[0] = char(0xFF);
    trama[1] = char(0xFB);
    trama[2] = char(0x90);
    trama[3] = char(0x64);
    return trama.repeated(10);
}

struct Mp3 {
    QString artista, titulo, letra;
    TagLib::String::Type codificacion = TagLib::String::UTF16;
};

inline void EscribirMp3(const QString& ruta, const Mp3& datos) {
    Escribir(ruta, TramasMpeg());
    TagLib::MPEG::File fichero(QFile::encodeName(ruta).constData(), false);
    TagLib::ID3v2::Tag* etiqueta = fichero.ID3v2Tag(true);
    if (!datos.artista.isEmpty())
        etiqueta->setArtist(Texto(datos.artista));
    if (!datos.titulo.isEmpty())
        etiqueta->setTitle(Texto(datos.titulo));
    if (!datos.letra.isEmpty()) {
        auto* marco = new TagLib::ID3v2::UnsynchronizedLyricsFrame(datos.codificacion);
        marco->setLanguage("spa");
        marco->setText(Texto(datos.letra));
        etiqueta->addFrame(marco);
    }
    fichero.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v4);
}

// "fLaC" and a STREAMINFO block (44.1 kHz, stereo, 16 bits, no samples), marked as the last one.
inline void EscribirFlac(const QString& ruta, const QString& campo, const QString& letra) {
    QByteArray bytes("fLaC");
    bytes += QByteArray::fromHex("80000022");
    bytes += QByteArray::fromHex("10001000000000000000"
                                 "0AC442F0000000000000000000000000000000000000");
    bytes.resize(4 + 4 + 34);
    Escribir(ruta, bytes);
    TagLib::FLAC::File fichero(QFile::encodeName(ruta).constData(), false);
    fichero.xiphComment(true)->addField(Texto(campo), Texto(letra));
    fichero.save();
}

inline QByteArray Atomo(const char* tipo, const QByteArray& contenido) {
    QByteArray atomo;
    const quint32 largo = quint32(8 + contenido.size());
    atomo.append(char(largo >> 24)).append(char(largo >> 16)).append(char(largo >> 8)).append(char(largo));
    return atomo + tipo + contenido;
}

// An "ftyp" and a "moov" with its movie header: an MP4 file with no track.
inline void EscribirMp4(const QString& ruta, const QString& letra) {
    QByteArray mvhd(100, '\0');
    mvhd[15] = char(0xE8); // time scale 1000
    mvhd[14] = char(0x03);
    Escribir(ruta, Atomo("ftyp", QByteArray("M4A ") + QByteArray(4, '\0') + "M4A isom") +
                       Atomo("moov", Atomo("mvhd", mvhd)));
    TagLib::MP4::File fichero(QFile::encodeName(ruta).constData(), false);
    fichero.tag()->setItem("\251lyr", TagLib::StringList(Texto(letra)));
    fichero.save();
}

} // namespace etiquetados
