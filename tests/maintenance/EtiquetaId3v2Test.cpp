// The quick reader of ID3v2 tags against TagLib on the same files: where it answers, its title, artist
// and lyrics are TagLib's; where it would not read a tag exactly as TagLib, it answers nothing. The
// files are written here, with TagLib or byte by byte for what TagLib does not write.

#include "maintenance/EtiquetaId3v2.h"
#include "ArbolFicheros.h"
#include "FicherosEtiquetados.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/textidentificationframe.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace etiquetados;

QString DeTagLib(const TagLib::String& texto) {
    return QString::fromStdWString(texto.toWString());
}

// What TagLib reads of the file: the title and artist of all its tags, the texts of its USLT frames.
EtiquetaId3v2 ConTagLib(const QString& ruta) {
    TagLib::MPEG::File fichero(QFile::encodeName(ruta).constData(), false);
    EtiquetaId3v2 leida{DeTagLib(fichero.tag()->title()), DeTagLib(fichero.tag()->artist()), {}};
    if (fichero.hasID3v2Tag())
        for (const TagLib::ID3v2::Frame* marco : fichero.ID3v2Tag()->frameList("USLT"))
            leida.letras << DeTagLib(
                static_cast<const TagLib::ID3v2::UnsynchronizedLyricsFrame*>(marco)->text());
    return leida;
}

// A file with the tag TagLib writes from what escribir puts in it.
void ConEtiqueta(const QString& ruta, const std::function<void(TagLib::ID3v2::Tag&)>& escribir,
                 TagLib::ID3v2::Version version = TagLib::ID3v2::v4) {
    Escribir(ruta, TramasMpeg());
    TagLib::MPEG::File fichero(QFile::encodeName(ruta).constData(), false);
    escribir(*fichero.ID3v2Tag(true));
    fichero.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, version);
}

TagLib::ID3v2::Frame* Texto(const char* id, const QString& texto, TagLib::String::Type codificacion) {
    auto* marco = new TagLib::ID3v2::TextIdentificationFrame(id, codificacion);
    marco->setText(etiquetados::Texto(texto));
    return marco;
}

TagLib::ID3v2::Frame* Letra(const QString& texto, TagLib::String::Type codificacion,
                            const QString& descripcion = {}) {
    auto* marco = new TagLib::ID3v2::UnsynchronizedLyricsFrame(codificacion);
    marco->setDescription(etiquetados::Texto(descripcion));
    marco->setText(etiquetados::Texto(texto));
    return marco;
}

void Nombrado(TagLib::ID3v2::Tag& etiqueta, TagLib::String::Type codificacion = TagLib::String::Latin1) {
    etiqueta.addFrame(Texto("TIT2", QStringLiteral("Río abajo"), codificacion));
    etiqueta.addFrame(Texto("TPE1", QStringLiteral("Ana"), codificacion));
}

QByteArray Entero(quint32 n, bool sincronizado) {
    if (sincronizado)
        n = (n & 0x7F) | (n & 0x3F80) << 1 | (n & 0x1FC000) << 2 | (n & 0xFE00000) << 3;
    const char bytes[] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    return QByteArray(bytes, 4);
}

// A tag written byte by byte: its header (version, flags), its frames, padding, then MPEG frames.
QByteArray Etiqueta(int version, char banderas, const QByteArray& marcos, int relleno = 16) {
    return QByteArray("ID3") + char(version) + '\0' + banderas +
           Entero(quint32(marcos.size() + relleno), true) + marcos + QByteArray(relleno, '\0') + TramasMpeg();
}

QByteArray Marco(const char* id, const QByteArray& datos, int version = 4, char formato = 0) {
    return QByteArray(id) + Entero(quint32(datos.size()), version == 4) + '\0' + formato + datos;
}

const QByteArray TitulosLatin1 =
    Marco("TIT2", QByteArray("\0Tema", 5)) + Marco("TPE1", QByteArray("\0Ana", 4));

enum class Espera { Responde, NoResponde };

struct Caso {
    const char* nombre;
    std::function<void(const QString&)> escribir;
    Espera espera;
};

const Caso Casos[] = {
    {"v2.4, letra en UTF-16",
     [](const QString& r) {
         ConEtiqueta(r, [](auto& e) {
             Nombrado(e);
             e.addFrame(Letra(QStringLiteral("Corazón\nsegunda línea €"), TagLib::String::UTF16));
         });
     },
     Espera::Responde},
    {"v2.3, todo en Latin-1",
     [](const QString& r) {
         ConEtiqueta(
             r,
             [](auto& e) {
                 Nombrado(e);
                 e.addFrame(Letra(QStringLiteral("Canción: año"), TagLib::String::Latin1, "desc"));
             },
             TagLib::ID3v2::v3);
     },
     Espera::Responde},
    {"v2.3, títulos en UTF-16",
     [](const QString& r) {
         ConEtiqueta(
             r, [](auto& e) { Nombrado(e, TagLib::String::UTF16); }, TagLib::ID3v2::v3);
     },
     Espera::Responde},
    {"v2.4, UTF-8 y emoji",
     [](const QString& r) {
         ConEtiqueta(r, [](auto& e) {
             e.addFrame(Texto("TIT2", QStringLiteral("Sol 😀"), TagLib::String::UTF8));
             e.addFrame(Texto("TPE1", QStringLiteral("Ñu"), TagLib::String::UTF8));
             e.addFrame(Letra(QStringLiteral("Letra 😀 en UTF-8"), TagLib::String::UTF8, "d"));
         });
     },
     Espera::Responde},
    {"v2.4, UTF-16BE",
     [](const QString& r) {
         ConEtiqueta(r, [](auto& e) {
             Nombrado(e, TagLib::String::UTF16BE);
             e.addFrame(Letra(QStringLiteral("Grande al principio"), TagLib::String::UTF16BE, "x"));
         });
     },
     Espera::Responde},
    {"dos letras, la primera vacía, tras una imagen grande",
     [](const QString& r) {
         ConEtiqueta(r, [](auto& e) {
             auto* imagen = new TagLib::ID3v2::AttachedPictureFrame;
             imagen->setPicture(TagLib::ByteVector(200'000, 'p'));
             e.addFrame(imagen);
             Nombrado(e);
             e.addFrame(Letra({}, TagLib::String::UTF16, "vacía"));
             e.addFrame(Letra(QStringLiteral("La segunda"), TagLib::String::UTF16));
         });
     },
     Espera::Responde},
    {"relleno tras los marcos, escrita a mano",
     [](const QString& r) {
         Escribir(r,
                  Etiqueta(3, 0, TitulosLatin1 + Marco("USLT", QByteArray("\0spaD\0Texto\0", 12), 3), 300));
     },
     Espera::Responde},
    {"letra sin fin de descripción",
     [](const QString& r) {
         Escribir(r, Etiqueta(4, 0, TitulosLatin1 + Marco("USLT", QByteArray("\0spasin fin", 11))));
     },
     Espera::Responde},
    {"título en UTF-16 fuera del plano básico",
     [](const QString& r) {
         ConEtiqueta(r, [](auto& e) {
             e.addFrame(Texto("TIT2", QStringLiteral("Sol 😀"), TagLib::String::UTF16));
             e.addFrame(Texto("TPE1", QStringLiteral("Ana"), TagLib::String::UTF16));
         });
     },
     Espera::NoResponde},
    {"sin título", [](const QString& r) { ConEtiqueta(r, [](auto& e) { e.setArtist("Ana"); }); },
     Espera::NoResponde},
    {"dos artistas en un marco",
     [](const QString& r) {
         ConEtiqueta(r, [](auto& e) {
             e.setTitle("Tema");
             auto* artistas = new TagLib::ID3v2::TextIdentificationFrame("TPE1", TagLib::String::UTF8);
             artistas->setText(TagLib::StringList(TagLib::String("Ana")).append(TagLib::String("Luis")));
             e.addFrame(artistas);
         });
     },
     Espera::NoResponde},
    {"desincronizada", [](const QString& r) { Escribir(r, Etiqueta(3, char(0x80), TitulosLatin1)); },
     Espera::NoResponde},
    {"marco comprimido",
     [](const QString& r) {
         Escribir(r, Etiqueta(4, 0, TitulosLatin1 + Marco("USLT", QByteArray("\0spa\0x", 6), 4, 0x08)));
     },
     Espera::NoResponde},
    {"letra en UTF-16 sin marca de orden",
     [](const QString& r) {
         Escribir(r, Etiqueta(4, 0, TitulosLatin1 + Marco("USLT", QByteArray("\1spa\0\0a\0b\0", 10))));
     },
     Espera::NoResponde},
    {"tamaño de marco no sincronizado en v2.4",
     [](const QString& r) {
         QByteArray marco = Marco("TALB", QByteArray(200, 'a'));
         marco.replace(4, 4, Entero(200, false));
         Escribir(r, Etiqueta(4, 0, TitulosLatin1 + marco));
     },
     Espera::NoResponde},
    {"tamaño de marco escrito como número llano en v2.4, que TagLib acepta",
     [](const QString& r) {
         // 300 bytes, written 00 00 01 2C: read seven bits a byte that is 172, where zeros follow, as
         // padding would; TagLib reads the 300 and the second lyric after them.
         const QByteArray primera = QByteArray("\0spa\0", 5) + QByteArray(167, 'l') + QByteArray(128, '\0');
         Escribir(r, Etiqueta(4, 0,
                              TitulosLatin1 + Marco("USLT", primera, 3) +
                                  Marco("USLT", QByteArray("\0spa\0segunda", 12))));
     },
     Espera::NoResponde},
    {"v2.3, marco de 256 bytes, cuyo tamaño leído a siete bits por byte sería 128",
     [](const QString& r) {
         // 00 00 01 00: a reader taking 128 bytes would find a frame header in the lyric, skip the
         // frame it announces and go on with the titles as if nothing were amiss, the lyric cut short.
         const QByteArray letra =
             QByteArray("\0spa\0", 5) + QByteArray(123, 'l') + Marco("TXXX", QByteArray(118, 'x'), 3);
         Escribir(r, Etiqueta(3, 0, Marco("USLT", letra, 3) + TitulosLatin1));
     },
     Espera::Responde},
    {"v2.4, letra con indicador de longitud de datos",
     [](const QString& r) {
         // The frame's data starts with its length (four bytes, seven bits each); TagLib skips it.
         Escribir(r, Etiqueta(4, 0,
                              TitulosLatin1 +
                                  Marco("USLT", Entero(10, true) + QByteArray("\0spa\0Texto", 10), 4, 0x01)));
     },
     Espera::NoResponde},
    {"v2.3 con cabecera extendida",
     [](const QString& r) {
         // Its size (6) does not count its own four bytes; TagLib skips only six bytes, lands on the
         // padding size and reads no frame at all.
         const QByteArray extendida = Entero(6, false) + QByteArray(2, '\0') + Entero(16, false);
         Escribir(r, Etiqueta(3, 0x40, extendida + TitulosLatin1));
     },
     Espera::NoResponde},
    {"v2.4 con pie y sin relleno",
     [](const QString& r) {
         // TagLib takes the ten bytes of a footer off the frames' room too, and so misses the artist,
         // the last frame.
         QByteArray etiqueta = Etiqueta(4, 0x10, TitulosLatin1, 0);
         etiqueta.insert(10 + TitulosLatin1.size(),
                         QByteArray("3DI\4\0\x10", 6) + Entero(quint32(TitulosLatin1.size()), true));
         Escribir(r, etiqueta);
     },
     Espera::NoResponde},
    {"texto en UTF-16 que empieza por una segunda marca de orden de bytes",
     [](const QString& r) {
         // TagLib drops it; taken as a character it would begin the artist.
         Escribir(r, Etiqueta(4, 0,
                              Marco("TIT2", QByteArray("\0Tema", 5)) +
                                  Marco("TPE1", QByteArray("\1\xFF\xFE\xFF\xFE"
                                                           "A\0n\0a\0",
                                                           11))));
     },
     Espera::NoResponde},
    {"texto en UTF-16BE que empieza por una marca de orden de bytes",
     [](const QString& r) {
         Escribir(r, Etiqueta(4, 0,
                              Marco("TIT2", QByteArray("\0Tema", 5)) +
                                  Marco("TPE1", QByteArray("\2\xFE\xFF\0A\0n\0a", 9))));
     },
     Espera::NoResponde},
    {"identificador no válido",
     [](const QString& r) {
         Escribir(r, Etiqueta(4, 0, TitulosLatin1 + Marco("tit2", QByteArray("\0x", 2))));
     },
     Espera::NoResponde},
    {"fichero cortado dentro de su letra",
     [](const QString& r) {
         Escribir(r, Etiqueta(4, 0,
                              TitulosLatin1 + Marco("USLT", QByteArray("\0spa\0", 5) + QByteArray(1000, 'l')))
                         .left(100));
     },
     Espera::NoResponde},
    {"sin etiqueta ID3v2", [](const QString& r) { Escribir(r, TramasMpeg()); }, Espera::NoResponde},
};

TEST(EtiquetaId3v2, DondeRespondeLeeLoMismoQueTagLib) {
    ArbolFicheros disco;
    for (const Caso& caso : Casos) {
        const QString ruta = disco.Ruta(QStringLiteral("caso.mp3"));
        caso.escribir(ruta);
        const std::optional<EtiquetaId3v2> rapida = LeerEtiquetaId3v2(QFile::encodeName(ruta));
        const EtiquetaId3v2 taglib = ConTagLib(ruta);
        EXPECT_EQ(rapida.has_value(), caso.espera == Espera::Responde) << caso.nombre;
        if (!rapida)
            continue;
        EXPECT_EQ(rapida->titulo, taglib.titulo) << caso.nombre;
        EXPECT_EQ(rapida->artista, taglib.artista) << caso.nombre;
        EXPECT_EQ(rapida->letras, taglib.letras) << caso.nombre;
    }
    EXPECT_FALSE(LeerEtiquetaId3v2(QFile::encodeName(disco.Ruta(QStringLiteral("no existe.mp3")))));
}

} // namespace
