#include "maintenance/LecturaEtiquetas.h"

#include "maintenance/EtiquetaId3v2.h"
#include "maintenance/RecorridoDirectorios.h"
#include "store/CatalogoLetras.h"
#include "utilities/Windows1252.h"

#include <QFile>
#include <QRegularExpression>
#include <QUtf8StringView>

#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/unsynchronizedlyricsframe.h>

namespace {

QString DeTagLib(const TagLib::String& texto) {
    return QString::fromStdWString(texto.toWString());
}

// Leading and trailing blank lines and blanks removed; the lines between them kept.
QString Limpia(const QString& texto) {
    return catalogo::ConSaltoGuardado(texto.trimmed());
}

// The extensions whose files TagLib reads: a file of one of them that it cannot read has a broken
// header or tags; a file of any other kind simply has no tags.
bool EsFicheroMusica(const QString& nombre) {
    static const QStringList extensiones = {
        QStringLiteral("mp3"), QStringLiteral("mp2"),  QStringLiteral("flac"), QStringLiteral("ogg"),
        QStringLiteral("oga"), QStringLiteral("opus"), QStringLiteral("spx"),  QStringLiteral("m4a"),
        QStringLiteral("m4b"), QStringLiteral("m4p"),  QStringLiteral("mp4"),  QStringLiteral("aac"),
        QStringLiteral("wma"), QStringLiteral("asf"),  QStringLiteral("ape"),  QStringLiteral("mpc"),
        QStringLiteral("wv"),  QStringLiteral("tta"),  QStringLiteral("wav"),  QStringLiteral("aif"),
        QStringLiteral("aiff")};
    const qsizetype punto = nombre.lastIndexOf(u'.');
    return punto >= 0 && extensiones.contains(nombre.mid(punto + 1), Qt::CaseInsensitive);
}

// The first lyric among the tag's properties: LYRICS (USLT, Vorbis, MP4 ©lyr), one with a
// description (LYRICS:...), then UNSYNCEDLYRICS.
QString LetraDePropiedades(const TagLib::PropertyMap& propiedades) {
    auto primera = [](const TagLib::StringList& valores) {
        for (const TagLib::String& valor : valores)
            if (const QString texto = Limpia(DeTagLib(valor)); !texto.isEmpty())
                return texto;
        return QString();
    };
    if (const auto it = propiedades.find("LYRICS"); it != propiedades.end())
        if (QString texto = primera(it->second); !texto.isEmpty())
            return texto;
    for (const auto& [clave, valores] : propiedades)
        if (clave.startsWith("LYRICS:") || clave == "UNSYNCEDLYRICS")
            if (QString texto = primera(valores); !texto.isEmpty())
                return texto;
    return {};
}

// A text file beside a song is a lyric only up to this size; a larger one is something else.
constexpr qint64 LargoMaximoFicheroAparte = 1 << 20;

// Beside «Canción.mp3»: «Canción.lrc», then «Canción.txt» (either in capitals).
bool LeerFicheroAparte(const QByteArray& ruta, const QString& nombre, const QSet<QString>& textos,
                       DatosFichero& datos) {
    const qsizetype puntoRuta = ruta.lastIndexOf('.');
    const qsizetype puntoNombre = nombre.lastIndexOf(u'.');
    if (puntoRuta < 0 || puntoNombre < 0 || ruta.lastIndexOf('/') > puntoRuta)
        return false;
    const QString propia = nombre.mid(puntoNombre + 1).toLower();
    if (propia == QLatin1String("lrc") || propia == QLatin1String("txt"))
        return false; // a text file is no music file with a lyric beside it
    for (const char* extension : {"lrc", "LRC", "txt", "TXT"}) {
        if (!textos.contains(nombre.left(puntoNombre + 1) + QLatin1String(extension)))
            continue;
        QFile fichero(QFile::decodeName(ruta.left(puntoRuta + 1) + extension));
        if (!fichero.open(QIODevice::ReadOnly) || fichero.size() > LargoMaximoFicheroAparte)
            continue;
        const QString texto = LetraDeTexto(fichero.readAll(), qstrnicmp(extension, "lrc", 3) == 0);
        if (texto.isEmpty())
            continue;
        datos.letra = texto;
        datos.origen = OrigenLetra::FicheroAparte;
        datos.ficheroLetra = nombre.left(puntoNombre + 1) + QLatin1String(extension);
        return true;
    }
    return false;
}

// The lyric of an MP3 file's ID3v2 USLT frames read straight, without building every property of
// its tags; for the other kinds, the tag's properties.
QString LetraDeEtiquetas(TagLib::File& fichero) {
    if (auto* mp3 = dynamic_cast<TagLib::MPEG::File*>(&fichero)) {
        if (!mp3->hasID3v2Tag())
            return LetraDePropiedades(mp3->properties());
        for (const TagLib::ID3v2::Frame* marco : mp3->ID3v2Tag()->frameList("USLT"))
            if (const auto* letra = dynamic_cast<const TagLib::ID3v2::UnsynchronizedLyricsFrame*>(marco))
                if (QString texto = Limpia(DeTagLib(letra->text())); !texto.isEmpty())
                    return texto;
        return {};
    }
    return LetraDePropiedades(fichero.properties());
}

} // namespace

QSet<QString> FicherosDeTexto(const QByteArray& directorio) {
    QSet<QString> nombres;
    std::vector<FicheroEncontrado> ficheros;
    for (const char* patron : {"*.lrc", "*.txt"})
        ListarFicheros(directorio, PatronFicheros(QLatin1String(patron)), ficheros);
    for (const FicheroEncontrado& fichero : ficheros)
        nombres.insert(fichero.nombre);
    return nombres;
}

QString LetraDeTexto(const QByteArray& contenido, bool esLrc) {
    QByteArray bytes = contenido;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QString texto =
        QUtf8StringView(bytes).isValidUtf8() ? QString::fromUtf8(bytes) : win1252::Decodificar(bytes);
    if (esLrc) {
        static const QRegularExpression cabecera(
            QStringLiteral("^[ \\t]*\\[[A-Za-z#]+:[^\\]\\n]*\\][ \\t]*$"),
            QRegularExpression::MultilineOption);
        static const QRegularExpression tiempo(
            QStringLiteral("[\\[<]\\d{1,3}:\\d{1,2}(?:[.:]\\d{1,3})?[\\]>]"));
        texto = catalogo::ConSaltoGuardado(texto);
        QStringList lineas = texto.split(catalogo::SaltoLinea);
        QStringList quedan;
        for (QString& linea : lineas) {
            if (cabecera.match(linea).hasMatch())
                continue;
            linea.remove(tiempo);
            quedan << linea.trimmed();
        }
        texto = quedan.join(u'\n');
    }
    return Limpia(texto);
}

namespace {

bool EsMp3(const QString& nombre) {
    return nombre.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
}

// The lyric, artist and title of an MP3 file's ID3v2 tag as the quick reader gives them.
void TomarId3v2(const EtiquetaId3v2& etiqueta, DatosFichero& datos) {
    for (const QString& letra : etiqueta.letras)
        if (datos.letra = Limpia(letra); !datos.letra.isEmpty())
            break;
    datos.artista = etiqueta.artista.trimmed();
    datos.titulo = etiqueta.titulo.trimmed();
}

void LeerConTagLib(const QByteArray& ruta, DatosFichero& datos) {
    // Opened read-only, so that nothing can be written into the user's file; no audio properties:
    // only the tags are wanted, and reading the stream would cost most.
    TagLib::FileStream flujo(ruta.constData(), true);
    const TagLib::FileRef fichero(&flujo, false);
    if (fichero.isNull() || !fichero.file()->isValid()) {
        datos.etiquetasIlegibles = true;
        return;
    }
    datos.letra = LetraDeEtiquetas(*fichero.file());
    if (const TagLib::Tag* etiqueta = fichero.tag()) {
        datos.artista = DeTagLib(etiqueta->artist()).trimmed();
        datos.titulo = DeTagLib(etiqueta->title()).trimmed();
    }
}

} // namespace

DatosFichero LeerDatosFichero(const QByteArray& ruta, const QString& nombre, const QSet<QString>& textos) {
    DatosFichero datos;
    if (EsFicheroMusica(nombre)) {
        // Most music files are MP3 with an ID3v2 tag: read quickly, TagLib reading the rest.
        if (const std::optional<EtiquetaId3v2> id3 = EsMp3(nombre) ? LeerEtiquetaId3v2(ruta) : std::nullopt)
            TomarId3v2(*id3, datos);
        else
            LeerConTagLib(ruta, datos);
        if (!datos.letra.isEmpty())
            datos.origen = OrigenLetra::Etiquetas;
    }
    if (datos.letra.isEmpty())
        LeerFicheroAparte(ruta, nombre, textos, datos);
    return datos;
}
