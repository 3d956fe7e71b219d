// add-with-tags-10k: cataloguing 10,000 MP3 files with ID3v2 tags (a tenth with an embedded lyric, a
// tenth with a .lrc beside them) with "Leer letras y etiquetas", against the plain "Añadir" of the same
// tree, both through AnadirFicheros into a new catalogue. The tree is made once, its tags written with
// TagLib, and kept in the data directory.

#include "Medicion.h"
#include "Registro.h"

#include "maintenance/AnadidoCanciones.h"
#include "store/BBDD.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/unsynchronizedlyricsframe.h>

#include <stdexcept>

namespace bench {

namespace {

constexpr int Ficheros = 10'000;
constexpr int PorDirectorio = 100;

TagLib::String Texto(const QString& texto) {
    return TagLib::String(texto.toStdString(), TagLib::String::UTF8);
}

QString Letra(int numero) {
    QString texto;
    for (int linea = 0; linea < 25; ++linea)
        texto += QStringLiteral("Línea %1 de la canción %2, con su corazón\n").arg(linea).arg(numero);
    return texto;
}

// Ten silent MPEG frames, then the ID3v2 tag written by TagLib.
void Mp3(const QString& ruta, int numero) {
    QByteArray trama(417, '\0');
    trama[0] = char(0xFF);
    trama[1] = char(0xFB);
    trama[2] = char(0x90);
    trama[3] = char(0x64);
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::WriteOnly) || fichero.write(trama.repeated(10)) < 0)
        throw std::runtime_error("no se pudo crear " + ruta.toStdString());
    fichero.close();
    TagLib::MPEG::File mp3(QFile::encodeName(ruta).constData(), false);
    TagLib::ID3v2::Tag* etiqueta = mp3.ID3v2Tag(true);
    etiqueta->setArtist(Texto(QStringLiteral("Artista %1").arg(numero % 97)));
    etiqueta->setTitle(Texto(QStringLiteral("Tema %1").arg(numero)));
    etiqueta->setAlbum(Texto(QStringLiteral("Disco %1").arg(numero / PorDirectorio)));
    if (numero % 10 == 1) {
        auto* marco = new TagLib::ID3v2::UnsynchronizedLyricsFrame(TagLib::String::UTF16);
        marco->setText(Texto(Letra(numero)));
        etiqueta->addFrame(marco);
    }
    mp3.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers);
}

QString Arbol(const Contexto& contexto) {
    const QString raiz = QDir(contexto.directorioDatos).filePath(QStringLiteral("arbol-etiquetas-10k"));
    const QString hecho = raiz + QStringLiteral("/.hecho");
    if (QFile::exists(hecho))
        return raiz;
    QDir(raiz).removeRecursively();
    for (int numero = 0; numero < Ficheros; ++numero) {
        const QString directorio =
            raiz + QStringLiteral("/disco%1").arg(numero / PorDirectorio, 3, 10, QChar('0'));
        QDir().mkpath(directorio);
        const QString base =
            directorio + QStringLiteral("/Artista %1 -- Tema %2").arg(numero % 97).arg(numero);
        Mp3(base + QStringLiteral(".mp3"), numero);
        if (numero % 10 == 2) {
            QFile lrc(base + QStringLiteral(".lrc"));
            lrc.open(QIODevice::WriteOnly);
            lrc.write(QStringLiteral("[ar:Artista]\n[00:01.00]%1").arg(Letra(numero)).toUtf8());
        }
    }
    QFile(hecho).open(QIODevice::WriteOnly);
    return raiz;
}

// One scan of the tree into a new catalogue; the seconds it took.
double Anadir(const QString& raiz, bool leerLetras) {
    QTemporaryDir directorio;
    BBDD::RutaBaseDatos = QDir(directorio.path()).filePath(QStringLiteral("Cantorio.mdb"));
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
    OpcionesAnadido opciones;
    opciones.cabecera = QStringLiteral("Banco");
    opciones.directorio = raiz;
    opciones.raizVolumen = raiz;
    opciones.filtro = QStringLiteral("*.mp3");
    opciones.leerLetras = leerLetras;
    ProgresoAnadido sinProgreso;
    ResultadoAnadido resultado;
    const double segundos = Cronometrar([&] { resultado = AnadirFicheros(opciones, sinProgreso); });
    BBDD::CerrarBaseDatos();
    if (!resultado.error.isEmpty() || resultado.filas != Ficheros ||
        resultado.letras != (leerLetras ? Ficheros / 5 : 0) || !resultado.etiquetasIlegibles.isEmpty())
        throw std::runtime_error("el añadido escribió " + std::to_string(resultado.filas) + " filas y " +
                                 std::to_string(resultado.letras) +
                                 " letras: " + resultado.error.toStdString());
    return segundos;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>&) {
    const QString raiz = Arbol(contexto);
    const Pareja pareja = MedirPareja(
        3, [&] { return Anadir(raiz, true); }, [&] { return Anadir(raiz, false); });
    Ratio(QStringLiteral("add-with-tags-10k"), pareja.Ratio(), 3.0);
    Detalle(QStringLiteral("%1 ficheros, %2 letras: con etiquetas %3 ms, sin ellas %4 ms")
                .arg(Ficheros)
                .arg(Ficheros / 5)
                .arg(pareja.nuestro * 1e3, 0, 'f', 1)
                .arg(pareja.referencia * 1e3, 0, 'f', 1));
}

const bool registrada = Registrar({QStringLiteral("add-with-tags-10k"), {Tamano::Diez_k}, Medir});

} // namespace

} // namespace bench
