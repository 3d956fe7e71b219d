// Cataloguing with "Leer letras y etiquetas": the lyric of each file's tags or of a text file beside it
// becomes a lyric of the catalogue, and the tags name a song whose file name does not split. The files
// are made here, their tags written with TagLib.

#include "ArbolFicheros.h"
#include "FicherosEtiquetados.h"
#include "maintenance/AnadidoCanciones.h"
#include "maintenance/LecturaEtiquetas.h"
#include "store/BBDD.h"
#include "store/CatalogoLetras.h"
#include "store/CatalogoPorLetra.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QThread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

namespace {

using namespace etiquetados;

// What the catalogue holds for one song: author, title, and its lyric with the lyric's origin.
struct Cancion {
    QString autor, titulo, letra, origen;
    int idx = 0;
};

class LetrasFicheros : public ::testing::Test {
protected:
    LetrasFicheros() {
        BBDD::RutaBaseDatos = QDir(base_.path()).filePath("Cantorio.mdb");
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
    }
    ~LetrasFicheros() override { BBDD::CerrarBaseDatos(); }

    ResultadoAnadido Anadir(bool leerLetras = true) {
        ProgresoAnadido sinProgreso;
        return Anadir(sinProgreso, leerLetras);
    }
    ResultadoAnadido Anadir(ProgresoAnadido& progreso, bool leerLetras = true) {
        OpcionesAnadido opciones;
        opciones.cabecera = QStringLiteral("Disco");
        opciones.directorio = disco.Raiz();
        opciones.raizVolumen = disco.Raiz();
        opciones.leerLetras = leerLetras;
        return AnadirFicheros(opciones, progreso);
    }

    // By file name (title "." extension as catalogued is not unique enough: keyed by REL_POS order).
    std::map<QString, Cancion> Canciones() {
        std::map<QString, Cancion> canciones;
        auto rs = BBDD::BaseDatos->OpenRecordset(
            QStringLiteral("SELECT AUTOR, TITULO, EXTENSION, IDX_CANCION FROM CANCIONES"));
        for (; !rs->Eof(); rs->MoveNext()) {
            Cancion c{rs->Field(0).toString(), rs->Field(1).toString(), {}, {}, rs->Field(3).toInt()};
            const catalogo::LetraLeida letra = catalogo::CargarLetra(*BBDD::BaseDatos, c.idx);
            c.letra = letra.texto;
            c.origen = letra.origen;
            canciones[c.titulo + u'.' + rs->Field(2).toString()] = c;
        }
        return canciones;
    }

    QByteArray Huella() const {
        QCryptographicHash huella(QCryptographicHash::Sha256);
        QDirIterator it(disco.Raiz(), QDir::Files, QDirIterator::Subdirectories);
        QStringList rutas;
        while (it.hasNext())
            rutas << it.next();
        rutas.sort();
        for (const QString& ruta : rutas) {
            QFile fichero(ruta);
            fichero.open(QIODevice::ReadOnly);
            huella.addData(ruta.toUtf8());
            huella.addData(fichero.readAll());
            huella.addData(QByteArray::number(QFileInfo(ruta).lastModified().toMSecsSinceEpoch()));
        }
        return huella.result();
    }

    QTemporaryDir base_;
    ArbolFicheros disco;
};

} // namespace

TEST_F(LetrasFicheros, CadaFormatoDaSuLetraYNadaSeEscribeEnLosFicheros) {
    EscribirMp3(disco.Ruta("Ana -- Utf16.mp3"),
                {{}, {}, QStringLiteral("Corazón en UTF-16\nsegunda línea €")});
    EscribirMp3(disco.Ruta("Ana -- Latin1.mp3"),
                {{}, {}, QStringLiteral("Canción en Latin-1: año"), TagLib::String::Latin1});
    EscribirFlac(disco.Ruta("Ana -- Flac.flac"), QStringLiteral("LYRICS"), QStringLiteral("Letra de FLAC"));
    EscribirFlac(disco.Ruta("Ana -- Flac2.flac"), QStringLiteral("UNSYNCEDLYRICS"),
                 QStringLiteral("Sin sincronizar"));
    EscribirMp4(disco.Ruta("Ana -- Mp4.m4a"), QStringLiteral("Letra de MP4"));
    // Beside a file with no lyric of its own: a .lrc with header and time tags, a .txt in Windows-1252.
    EscribirMp3(disco.Ruta("Ana -- Lrc.mp3"), {});
    Escribir(disco.Ruta("Ana -- Lrc.lrc"),
             "[ar:Ana]\n[ti:Lrc]\n[offset:+200]\n[00:01.00]Primera línea\r\n"
             "[00:05.50][01:30.25]Estribillo <00:06.00>con palabras\n\n[02:00]Última\n");
    EscribirMp3(disco.Ruta("Ana -- Txt.mp3"), {});
    Escribir(disco.Ruta("Ana -- Txt.txt"), "Canci\xF3n \x93"
                                           "entre comillas\x94\r\nfin");
    // A tag lyric wins over a file beside it.
    EscribirMp3(disco.Ruta("Ana -- Ambas.mp3"), {{}, {}, QStringLiteral("La de la etiqueta")});
    Escribir(disco.Ruta("Ana -- Ambas.lrc"), "La del fichero");
    // Broken files: counted, their rows written without a lyric.
    Escribir(disco.Ruta("Ana -- Rota.flac"), "fLaC esto no es una cabecera");
    Escribir(disco.Ruta("Ana -- Rota.m4a"), QByteArray(64, 'x'));
    // Nothing to read: no lyric.
    EscribirMp3(disco.Ruta("Ana -- Nada.mp3"), {});
    const QByteArray antes = Huella();

    const ResultadoAnadido resultado = Anadir();
    EXPECT_TRUE(resultado.error.isEmpty()) << resultado.error.toStdString();
    EXPECT_EQ(resultado.letras, 8);
    EXPECT_EQ(resultado.etiquetasIlegibles.size(), 2);
    EXPECT_EQ(Huella(), antes);

    auto canciones = Canciones();
    const std::map<QString, std::pair<QString, QString>> esperadas = {
        {"Utf16.mp3", {"Corazón en UTF-16\r\nsegunda línea €", "etiquetas"}},
        {"Latin1.mp3", {"Canción en Latin-1: año", "etiquetas"}},
        {"Flac.flac", {"Letra de FLAC", "etiquetas"}},
        {"Flac2.flac", {"Sin sincronizar", "etiquetas"}},
        {"Mp4.m4a", {"Letra de MP4", "etiquetas"}},
        {"Lrc.mp3", {"Primera línea\r\nEstribillo con palabras\r\n\r\nÚltima", "Ana -- Lrc.lrc"}},
        {"Txt.mp3", {"Canción “entre comillas”\r\nfin", "Ana -- Txt.txt"}},
        {"Ambas.mp3", {"La de la etiqueta", "etiquetas"}},
        {"Rota.flac", {"", ""}},
        {"Rota.m4a", {"", ""}},
        {"Nada.mp3", {"", ""}},
    };
    for (const auto& [fichero, esperada] : esperadas) {
        ASSERT_TRUE(canciones.count(fichero)) << fichero.toStdString();
        const Cancion& c = canciones[fichero];
        EXPECT_EQ(c.autor, "Ana") << fichero.toStdString();
        EXPECT_EQ(c.letra, esperada.first) << fichero.toStdString();
        EXPECT_EQ(c.origen, esperada.second) << fichero.toStdString();
        EXPECT_EQ(c.idx != 0, !esperada.first.isEmpty()) << fichero.toStdString();
    }
    // A side file read as a song's lyric is no song, though the pattern "*.*" matches it; one that was not
    // read (the tag's lyric won) is catalogued as the pattern asks, with no lyric of its own.
    EXPECT_EQ(canciones.count("Lrc.lrc"), 0u);
    EXPECT_EQ(canciones.count("Txt.txt"), 0u);
    ASSERT_EQ(canciones.count("Ambas.lrc"), 1u);
    EXPECT_EQ(canciones["Ambas.lrc"].idx, 0);
    // The lyrics are found by the query by lyric text, through the index.
    const QString tabla = catalogo::NombreTablaAux(*BBDD::BaseDatos);
    catalogo::CrearTablaAux(*BBDD::BaseDatos, tabla);
    EXPECT_EQ(catalogo::LlenarTablaAux(*BBDD::BaseDatos, tabla, {}, QStringLiteral("corazon en utf"),
                                       catalogo::Acentos::Ignorados),
              1);
}

TEST_F(LetrasFicheros, LasEtiquetasNombranLoQueElNombreNoSepara) {
    EscribirMp3(disco.Ruta("pista05.mp3"), {QStringLiteral("Luis"), QStringLiteral("Río abajo"), {}});
    EscribirMp3(disco.Ruta("pista06.mp3"), {{}, QStringLiteral("Solo título"), {}});
    EscribirMp3(disco.Ruta("Ana -- Mar.mp3"), {QStringLiteral("Otro"), QStringLiteral("Otro título"), {}});
    Anadir();
    auto canciones = Canciones();
    EXPECT_EQ(canciones["Río abajo.mp3"].autor, "Luis");
    EXPECT_EQ(canciones["Solo título.mp3"].autor, "pista06"); // the tag has no artist: the name's part stays
    EXPECT_EQ(canciones["Mar.mp3"].autor, "Ana");             // a name that splits is not overruled

    // Without the option the tab behaves as before: names only, no lyric.
    BBDD::BaseDatos->Execute(QStringLiteral("DELETE FROM CANCIONES"));
    EscribirMp3(disco.Ruta("pista07.mp3"), {QStringLiteral("Luis"), {}, QStringLiteral("Letra")});
    const ResultadoAnadido resultado = Anadir(false);
    EXPECT_EQ(resultado.letras, 0);
    canciones = Canciones();
    EXPECT_EQ(canciones[" .mp3"].idx, 0);
    EXPECT_EQ(canciones.size(), 2u); // the three «pista» files are one key here
    for (const auto& [clave, c] : canciones)
        EXPECT_EQ(c.idx, 0) << clave.toStdString();
}

TEST_F(LetrasFicheros, CadaLetraTieneSuNumeroNuevoAunqueLosTextosCoincidan) {
    BBDD::BaseDatos->Execute(
        QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, "
                       "LONGITUD, IDX_CANCION, REL_POS) VALUES ('Otro', '\\', 'a', 'b', "
                       "'mp3', 1, 7, 1)"));
    BBDD::BaseDatos->Execute(QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (7, 'Igual')"));
    EscribirMp3(disco.Ruta("A -- Uno.mp3"), {{}, {}, QStringLiteral("Igual")});
    EscribirMp3(disco.Ruta("A -- Dos.mp3"), {{}, {}, QStringLiteral("Igual")});
    EXPECT_EQ(Anadir().letras, 2);
    auto canciones = Canciones();
    EXPECT_EQ(canciones["Uno.mp3"].idx + canciones["Dos.mp3"].idx, 8 + 9);
    EXPECT_NE(canciones["Uno.mp3"].idx, canciones["Dos.mp3"].idx);
    EXPECT_EQ(canciones["Uno.mp3"].letra, "Igual");

    // Saved in the song window, a lyric read from a file becomes the user's.
    catalogo::GuardarLetra(*BBDD::BaseDatos, canciones["Uno.mp3"].idx, QStringLiteral("Corregida"));
    EXPECT_TRUE(catalogo::CargarLetra(*BBDD::BaseDatos, canciones["Uno.mp3"].idx).origen.isEmpty());
    EXPECT_EQ(catalogo::CargarLetra(*BBDD::BaseDatos, canciones["Dos.mp3"].idx).origen, "etiquetas");
}

// Read ahead on a thread of their own, the files of many folders each keep their own lyric and place;
// a name that is not UTF-8 is opened by its own bytes.
TEST_F(LetrasFicheros, CadaCarpetaLeidaPorAdelantadoConservaSusLetras) {
    for (int carpeta = 0; carpeta < 40; ++carpeta)
        for (const char* tema : {"B", "a"}) {
            disco.Directorio(QStringLiteral("c%1").arg(carpeta));
            EscribirMp3(disco.Ruta(QStringLiteral("c%1/Ana -- %2.mp3").arg(carpeta).arg(tema)),
                        {{}, {}, QStringLiteral("Letra %1 de la carpeta %2").arg(tema).arg(carpeta)});
        }
    EscribirMp3(disco.Ruta("latin1.mp3"), {{}, {}, QStringLiteral("Letra con nombre en Latin-1")});
    ASSERT_EQ(::rename(QFile::encodeName(disco.Ruta("latin1.mp3")).constData(),
                       QFile::encodeName(disco.Ruta("Ana -- Canci")).append("\xF3n.mp3").constData()),
              0);

    const ResultadoAnadido resultado = Anadir();
    EXPECT_EQ(resultado.letras, 81);
    EXPECT_TRUE(resultado.etiquetasIlegibles.isEmpty())
        << resultado.etiquetasIlegibles.join(", ").toStdString();
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral(
        "SELECT C.RUTA, C.TITULO, C.REL_POS, L.LYRICS FROM CANCIONES C INNER JOIN LETRAS L ON L.IDX_CANCION "
        "= C.IDX_CANCION"));
    int filas = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++filas) {
        const QString ruta = rs->Field(0).toString();
        const QString titulo = rs->Field(1).toString();
        if (ruta == QLatin1String("\\")) {
            EXPECT_EQ(titulo, QString::fromUtf8("Canción"));
            EXPECT_EQ(rs->Field(3).toString(), "Letra con nombre en Latin-1");
            continue;
        }
        // "a" before "B": the alphabetical order, letter case ignored.
        EXPECT_EQ(rs->Field(2).toInt(), titulo == "a" ? 1 : 2) << ruta.toStdString();
        EXPECT_EQ(rs->Field(3).toString(),
                  QStringLiteral("Letra %1 de la carpeta %2").arg(titulo, ruta.sliced(2).chopped(1)));
    }
    EXPECT_EQ(filas, 81);
}

// The positions of a folder's songs stay 1, 2, 3... once the files read as lyrics are left out; a text
// file that is no song's lyric is still a song.
TEST_F(LetrasFicheros, UnFicheroLeidoComoLetraNoEsUnaCancion) {
    for (const char* nombre : {"A -- Uno.mp3", "A -- Dos.mp3"})
        EscribirMp3(disco.Ruta(nombre), {});
    Escribir(disco.Ruta("A -- Uno.lrc"), "[00:01.00]Letra uno");
    Escribir(disco.Ruta("A -- Dos.TXT"), "Letra dos");
    Escribir(disco.Ruta("A -- Tres.txt"), "Notas de nadie");
    const ResultadoAnadido resultado = Anadir();
    EXPECT_EQ(resultado.filas, 3);
    EXPECT_EQ(resultado.letras, 2);
    QStringList filas;
    auto rs = BBDD::BaseDatos->OpenRecordset(
        QStringLiteral("SELECT TITULO, EXTENSION, REL_POS FROM CANCIONES ORDER BY REL_POS"));
    for (; !rs->Eof(); rs->MoveNext())
        filas << rs->Field(0).toString() + u'.' + rs->Field(1).toString() + u' ' + rs->Field(2).toString();
    EXPECT_EQ(filas, (QStringList{"Dos.mp3 1", "Tres.txt 2", "Uno.mp3 3"}));
}

// A tag whose author or title the catalogue cannot hold (over 4,096 characters, U+FFFF) leaves
// the song the name of its file, is named in the result, and the scan goes on to the files after it.
TEST_F(LetrasFicheros, UnaEtiquetaQueElCatalogoNoAdmiteDejaElNombreYSigue) {
    const QString largo(4118, u'x');
    EscribirFlac(disco.Ruta("pista1.flac"), QStringLiteral("TITLE"), largo);
    EscribirMp3(disco.Ruta("pista2.mp3"), {largo, QStringLiteral("Corto"), QStringLiteral("Su letra")});
    EscribirMp3(disco.Ruta("pista3.mp3"),
                {QStringLiteral("Luis"), QStringLiteral("Con ") + QChar(0xFFFF), {}});
    EscribirFlac(disco.Ruta("pista4.flac"), QStringLiteral("ARTIST"), largo);
    // At the limit, and counted in characters: 4,096 characters of which some take two UTF-16 units.
    const QString justo = QString(4094, u'y') + QStringLiteral("😀😀");
    EscribirMp3(disco.Ruta("pista5.mp3"), {QStringLiteral("Ana"), justo, {}});
    EscribirMp3(disco.Ruta("pista6.mp3"), {QStringLiteral("Luis"), QStringLiteral("Detrás"), {}});

    const ResultadoAnadido resultado = Anadir();
    EXPECT_TRUE(resultado.error.isEmpty()) << resultado.error.toStdString();
    EXPECT_EQ(resultado.filas, 6);
    EXPECT_EQ(resultado.letras, 1);
    EXPECT_EQ(resultado.etiquetasNoAdmitidas,
              (QStringList{disco.Ruta("pista1.flac"), disco.Ruta("pista2.mp3"), disco.Ruta("pista3.mp3"),
                           disco.Ruta("pista4.flac")}));
    QStringList filas;
    auto rs = BBDD::BaseDatos->OpenRecordset(
        QStringLiteral("SELECT AUTOR, TITULO, EXTENSION, IDX_CANCION FROM CANCIONES ORDER BY REL_POS"));
    for (; !rs->Eof(); rs->MoveNext())
        filas << QStringList{rs->Field(0).toString(), rs->Field(1).toString(), rs->Field(2).toString(),
                             QString::number(rs->Field(3).toInt() != 0)}
                     .join(u'|');
    EXPECT_EQ(filas, (QStringList{"pista1| |flac|0", "pista2| |mp3|1", "pista3| |mp3|0", "pista4| |flac|0",
                                  "Ana|" + justo + "|mp3|0", "Luis|Detrás|mp3|0"}));
}

// A batch whose second is up commits at the first write after it: here between folder B's lyrics and
// its songs. Then writing B's first song fails, as a full disk would fail it. B is kept whole or not at
// all: never a lyric without the song that names it; the root folder, written before, is kept; and the
// lyrics kept are the ones counted.
TEST_F(LetrasFicheros, UnErrorAMitadDeCarpetaNoDejaLetrasSinSuCancion) {
    disco.Directorio("B");
    EscribirMp3(disco.Ruta("a1.mp3"),
                {QStringLiteral("Ana"), QStringLiteral("Uno"), QStringLiteral("Letra A")});
    EscribirMp3(disco.Ruta("B/b1.mp3"), {QStringLiteral("Ana"), QStringLiteral("Falla"), {}});
    EscribirMp3(disco.Ruta("B/b2.mp3"),
                {QStringLiteral("Ana"), QStringLiteral("Dos"), QStringLiteral("Letra B")});
    ASSERT_EQ(
        sqlite3_exec(BBDD::BaseDatos->Conexion(),
                     "CREATE TEMP TRIGGER falla BEFORE INSERT ON main.CANCIONES WHEN NEW.TITULO = 'Falla' "
                     "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    struct Lento : ProgresoAnadido {
        void Linea(const QString& linea) override {
            if (linea == QLatin1String("Directorio: \\B\\"))
                QThread::msleep(1100);
        }
    } lento;
    const ResultadoAnadido resultado = Anadir(lento);
    EXPECT_FALSE(resultado.error.isEmpty());
    auto sinCancion =
        BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM LETRAS WHERE IDX_CANCION NOT IN "
                                                      "(SELECT IDX_CANCION FROM CANCIONES)"));
    EXPECT_EQ(sinCancion->Field(0).toInt(), 0) << "a lyric kept without its song";
    auto letras = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM LETRAS"));
    EXPECT_EQ(resultado.letras, letras->Field(0).toInt());
    EXPECT_EQ(resultado.filas, 1);
}

TEST(LetraDeTexto, LimpiaLasMarcasDeUnLrcYDecodificaElTexto) {
    struct {
        QByteArray contenido;
        bool lrc;
        const char* letra;
    } casos[] = {
        {"[length: 03:20]\n[re:Editor]\n[00:12.34]Hola\n[00:15.00]\n[00:16.00]adiós", true,
         "Hola\r\n\r\nadiós"},
        {"\xEF\xBB\xBF[00:01]Con BOM", true, "Con BOM"},
        {"[Estribillo]\n[00:01.00]texto", true, "[Estribillo]\r\ntexto"}, // not a header: kept
        {"[00:01.00]en un .txt", false, "[00:01.00]en un .txt"},
        {"a\xF1o", false, "año"},
        {"a\xC3\xB1o", false, "año"},
        {"\n\n  \n", false, ""},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(LetraDeTexto(caso.contenido, caso.lrc), QString::fromUtf8(caso.letra))
            << caso.contenido.toStdString();
}
