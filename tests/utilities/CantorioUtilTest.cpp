// cantorio-util run as a user runs it: each order, its output and its exit status.

#include "../maintenance/FicherosEtiquetados.h"
#include "../support/UsuarioCorriente.h"
#include "CatalogoUtilidadesPrueba.h"

#include "utilities/ComprobacionErrores.h"
#include "utilities/FicheroExportacion.h"
#include "utilities/ListadoArbol.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

struct Ejecucion {
    int estado;
    QString salida;
    QString errores;
};

class CantorioUtilTest : public CatalogoUtilidadesPrueba {
protected:
    // usuarioCorriente: run as an ordinary user, for whom file permissions hold also when the tests
    // run as root.
    Ejecucion Util(const QStringList& argumentos, bool usuarioCorriente = false) {
        BBDD::CerrarBaseDatos();
        QProcess proceso;
        if (usuarioCorriente)
            proceso.setChildProcessModifier(HacerseUsuarioCorriente);
        proceso.start(QStringLiteral(CANTORIO_UTIL), argumentos);
        EXPECT_TRUE(proceso.waitForFinished(60000));
        BBDD::AbrirBaseDatos();
        return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardOutput()),
                QString::fromUtf8(proceso.readAllStandardError())};
    }
    QString Catalogo() const { return BBDD::RutaBaseDatos; }
    QString Todo() {
        return Filas(QStringLiteral("SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA, REL_POS"));
    }
};

TEST_F(CantorioUtilTest, UsoYErroresDeUso) {
    const Ejecucion ayuda = Util({QStringLiteral("--ayuda")});
    EXPECT_EQ(ayuda.estado, 0);
    EXPECT_TRUE(ayuda.salida.contains(QStringLiteral("cantorio-util comprobar CATALOGO [--reparar]")));
    // A user who would keep the export file as a backup learns that it holds no lyric.
    EXPECT_TRUE(ayuda.salida.contains(QStringLiteral("no sus letras"))) << ayuda.salida.toStdString();
    EXPECT_TRUE(ayuda.salida.contains(QStringLiteral("4 hecho en parte"))) << ayuda.salida.toStdString();
    EXPECT_EQ(Util({QStringLiteral("exportar"), QStringLiteral("--help")}).estado, 0);
    const QStringList malos[] = {
        {},
        {QStringLiteral("convertir")},
        {QStringLiteral("exportar"), Catalogo()},
        {QStringLiteral("comprobar"), Catalogo(), QStringLiteral("--arreglar")},
        {QStringLiteral("exportar"), Catalogo(), Fichero(QStringLiteral("e.txt")), QStringLiteral("--clave")},
        {QStringLiteral("listar"), Catalogo(), Fichero(QStringLiteral("l.txt")), QStringLiteral("--ruta"),
         QStringLiteral("\\")},
        {QStringLiteral("anadir"), Catalogo(), carpeta.path()},
    };
    for (const QStringList& argumentos : malos) {
        const Ejecucion e = Util(argumentos);
        EXPECT_EQ(e.estado, 2) << argumentos.join(u' ').toStdString();
        EXPECT_TRUE(e.errores.contains(QStringLiteral("Uso"))) << e.errores.toStdString();
    }
}

TEST_F(CantorioUtilTest, AnadirCreaElCatalogoYCatalogaComoLaVentana) {
    const QString musica = Fichero(QStringLiteral("musica/Rock"));
    QDir().mkpath(musica);
    for (const char* nombre : {"b -- Dos.mp3", "a -- Uno.mp3", "nota.txt"})
        GuardarFichero(musica + u'/' + QLatin1String(nombre), "x");
    const QString nuevo = Fichero(QStringLiteral("nuevo.mdb"));
    const Ejecucion e = Util(
        {QStringLiteral("anadir"), nuevo, Fichero(QStringLiteral("musica")), QStringLiteral("--cabecera"),
         QStringLiteral("CD 1"), QStringLiteral("--filtro"), QStringLiteral("*.mp3"),
         QStringLiteral("--subdirectorios"), QStringLiteral("--volumen"), Fichero(QStringLiteral("musica"))});
    EXPECT_EQ(e.estado, 0) << e.errores.toStdString();
    EXPECT_TRUE(e.errores.contains(QStringLiteral("Terminado"))) << e.errores.toStdString();
    auto base = dao::Database::OpenDatabase(nuevo);
    auto rs = base->OpenRecordset(
        QStringLiteral("SELECT CABECERA, RUTA, AUTOR, TITULO, REL_POS FROM CANCIONES ORDER BY REL_POS"));
    QStringList filas;
    for (; !rs->Eof(); rs->MoveNext())
        filas << QStringList{rs->Field(0).toString(), rs->Field(1).toString(), rs->Field(2).toString(),
                             rs->Field(3).toString(), rs->Field(4).toString()}
                     .join(u'|');
    EXPECT_EQ(filas.join(u'\n'), QStringLiteral("CD 1|\\Rock\\|a|Uno|1\nCD 1|\\Rock\\|b|Dos|2"));

    // Nothing found: status 1, and the catalogue this run would have created is not left behind.
    const QString otro = Fichero(QStringLiteral("otro.mdb"));
    const Ejecucion nada =
        Util({QStringLiteral("anadir"), otro, Fichero(QStringLiteral("musica")), QStringLiteral("--cabecera"),
              QStringLiteral("X"), QStringLiteral("--filtro"), QStringLiteral("*.vqf")});
    EXPECT_EQ(nada.estado, 1);
    EXPECT_TRUE(nada.errores.contains(QStringLiteral("¡No se han encontrado ficheros!")));
    EXPECT_FALSE(QFile::exists(otro));
}

// --letras reads the lyrics beside the files and says how many it found.
TEST_F(CantorioUtilTest, AnadirConLetras) {
    const QString musica = Fichero(QStringLiteral("musica"));
    QDir().mkpath(musica);
    GuardarFichero(musica + QStringLiteral("/a -- Uno.mp3"), "x");
    GuardarFichero(musica + QStringLiteral("/a -- Uno.txt"), "La letra");
    const Ejecucion e = Util({QStringLiteral("anadir"), Fichero(QStringLiteral("nuevo.mdb")), musica,
                              QStringLiteral("--cabecera"), QStringLiteral("CD"), QStringLiteral("--filtro"),
                              QStringLiteral("*.mp3"), QStringLiteral("--letras")});
    EXPECT_EQ(e.estado, 0) << e.errores.toStdString();
    EXPECT_TRUE(e.errores.contains(QStringLiteral("Terminado: 1 canciones añadidas, 1 letras encontradas.")))
        << e.errores.toStdString();
    auto base = dao::Database::OpenDatabase(Fichero(QStringLiteral("nuevo.mdb")));
    EXPECT_EQ(base->OpenRecordset(QStringLiteral("SELECT LYRICS FROM LETRAS"))->Field(0).toString(),
              "La letra");
}

// A tag too long for the catalogue: that song is added under its file name, the file is named, the scan
// goes on and the catalogue it created is kept.
TEST_F(CantorioUtilTest, AnadirSigueTrasUnaEtiquetaQueNoCabe) {
    const QString musica = Fichero(QStringLiteral("musica"));
    QDir().mkpath(musica);
    etiquetados::EscribirFlac(musica + QStringLiteral("/a.flac"), QStringLiteral("TITLE"),
                              QString(4118, u't'));
    GuardarFichero(musica + QStringLiteral("/b -- Dos.mp3"), "x");
    const QString nuevo = Fichero(QStringLiteral("nuevo.mdb"));
    const Ejecucion e = Util({QStringLiteral("anadir"), nuevo, musica, QStringLiteral("--cabecera"),
                              QStringLiteral("CD"), QStringLiteral("--letras")});
    EXPECT_EQ(e.estado, 0) << e.errores.toStdString();
    EXPECT_TRUE(e.errores.contains(QStringLiteral("Las etiquetas de «%1/a.flac»").arg(musica)))
        << e.errores.toStdString();
    EXPECT_TRUE(e.errores.contains(QStringLiteral("Terminado: 2 canciones añadidas")))
        << e.errores.toStdString();
    auto base = dao::Database::OpenDatabase(nuevo);
    EXPECT_EQ(base->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM CANCIONES"))->Field(0).toInt(), 2);
}

TEST_F(CantorioUtilTest, ExportarEImportarDanLosMismosBytesQueLaVentana) {
    Cancion(QStringLiteral("Música"), QStringLiteral("\\"), QStringLiteral("Año"), QStringLiteral("€"), 3, 1);
    Cancion(QStringLiteral("Música"), QStringLiteral("\\"), QStringLiteral("b"), QStringLiteral("c"), 0, 2);
    ProgresoUtilidad sinProgreso;
    ExportarCanciones(Base(), Fichero(QStringLiteral("nucleo.txt")),
                      QStringLiteral("Cantorio v1.2.%1").arg(CANTORIO_REVISION), QStringLiteral("k"),
                      sinProgreso);
    const Ejecucion e = Util({QStringLiteral("exportar"), Catalogo(), Fichero(QStringLiteral("util.txt")),
                              QStringLiteral("--clave"), QStringLiteral("k")});
    EXPECT_EQ(e.estado, 0) << e.errores.toStdString();
    EXPECT_TRUE(e.errores.contains(
        QStringLiteral("Proceso terminado con éxito: 2 canciones exportadas, sin sus letras")));
    EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("util.txt"))),
              LeerFichero(Fichero(QStringLiteral("nucleo.txt"))));

    const QString copia = Fichero(QStringLiteral("copia.mdb"));
    EXPECT_EQ(Util({QStringLiteral("importar"), copia, Fichero(QStringLiteral("util.txt")),
                    QStringLiteral("--clave"), QStringLiteral("k")})
                  .estado,
              0);
    EXPECT_EQ(Util({QStringLiteral("exportar"), copia, Fichero(QStringLiteral("vuelta.txt")),
                    QStringLiteral("--clave"), QStringLiteral("k")})
                  .estado,
              0);
    EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("vuelta.txt"))),
              LeerFichero(Fichero(QStringLiteral("util.txt"))));

    // Errors: a missing catalogue is not created by "exportar"; a bad file changes nothing.
    const QString falta = Fichero(QStringLiteral("falta.mdb"));
    EXPECT_EQ(Util({QStringLiteral("exportar"), falta, Fichero(QStringLiteral("x.txt"))}).estado, 1);
    EXPECT_FALSE(QFile::exists(falta));
    GuardarFichero(Fichero(QStringLiteral("malo.txt")), "-\r\n-\r\n-\r\n 1 \r\nC\r\n");
    const QString antes = Todo();
    const Ejecucion mala =
        Util({QStringLiteral("importar"), Catalogo(), Fichero(QStringLiteral("malo.txt"))});
    EXPECT_EQ(mala.estado, 1);
    EXPECT_TRUE(mala.errores.contains(QStringLiteral("línea 6"))) << mala.errores.toStdString();
    EXPECT_EQ(Todo(), antes);
    EXPECT_EQ(Util({QStringLiteral("importar"), falta, Fichero(QStringLiteral("malo.txt"))}).estado, 1);
    EXPECT_FALSE(QFile::exists(falta));
}

// The catalogue, or a file beside it, under any name, is neither written as an export file or a listing
// nor read as an export file: the order says so, writes nothing and fails.
TEST_F(CantorioUtilTest, ElPropioCatalogoNoEsElFicheroDeNingunaOrden) {
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("Uno"));
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("b"), QStringLiteral("Dos"), 0, 2);
    const QString enlace = Fichero(QStringLiteral("enlace.txt"));
    ASSERT_TRUE(QFile::link(Catalogo(), enlace));
    const QString otraGrafia = carpeta.path() + QStringLiteral("/./Cantorio.mdb");
    const QString antes = Todo();
    const QStringList ordenes[] = {
        {QStringLiteral("exportar"), Catalogo(), Catalogo()},
        {QStringLiteral("exportar"), Catalogo(), enlace, QStringLiteral("--clave"), QStringLiteral("k")},
        {QStringLiteral("exportar"), Catalogo(), Catalogo() + QStringLiteral("-wal")},
        {QStringLiteral("listar"), Catalogo(), otraGrafia},
        {QStringLiteral("listar"), Catalogo(), Catalogo() + QStringLiteral("-journal")},
        {QStringLiteral("importar"), Catalogo(), otraGrafia},
        {QStringLiteral("importar"), Catalogo(), enlace},
    };
    for (const QStringList& orden : ordenes) {
        const Ejecucion e = Util(orden);
        EXPECT_EQ(e.estado, 1) << orden.join(u' ').toStdString();
        EXPECT_TRUE(e.errores.contains(QStringLiteral("es el propio catálogo"))) << e.errores.toStdString();
        EXPECT_EQ(Todo(), antes) << orden.join(u' ').toStdString();
        EXPECT_FALSE(QFile::exists(Catalogo() + QStringLiteral("-journal")));
    }
}

// An order that only reads opens the catalogue without writing anything, so that it reads one the user
// may not write: in a read-only folder, in a folder the user may write (where nothing is left beside
// the file that its owner could not write later), and while its owner has it open with changes in its
// -wal, which are read.
TEST_F(CantorioUtilTest, LasOrdenesQueSoloLeenLeenUnCatalogoDeSoloLectura) {
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("Uno"));
    BBDD::CerrarBaseDatos();
    chmod(QFile::encodeName(carpeta.path()).constData(), 0755);
    const QString salidas = Fichero(QStringLiteral("salidas"));
    ASSERT_TRUE(QDir().mkdir(salidas));
    chmod(QFile::encodeName(salidas).constData(), 0777);
    const struct {
        const char* nombre;
        mode_t permisosCarpeta;
        bool abiertoPorSuDueno;
    } casos[] = {{"solo-lectura", 0555, false}, {"escribible", 0777, false}, {"abierto", 0555, true}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const QString dir = Fichero(QLatin1String(caso.nombre));
        const QString copia = dir + QStringLiteral("/Cantorio.mdb");
        ASSERT_TRUE(QDir().mkdir(dir));
        ASSERT_TRUE(QFile::copy(Catalogo(), copia));
        // The owner's program: a song added and left in the -wal, the connection kept open.
        std::unique_ptr<dao::Database> dueno;
        if (caso.abiertoPorSuDueno) {
            dueno = dao::Database::OpenDatabase(copia);
            dueno->Execute(QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, "
                                          "LONGITUD, IDX_CANCION, REL_POS) VALUES ('C', '\\', 'b', 'Dos', "
                                          "'mp3', 1, 0, 2)"));
        }
        chmod(QFile::encodeName(copia).constData(), 0444);
        chmod(QFile::encodeName(dir).constData(), caso.permisosCarpeta);
        const QStringList antes = QDir(dir).entryList(QDir::Files | QDir::Hidden);
        const QByteArray bytes = LeerFichero(copia);
        const QString exportado = salidas + QStringLiteral("/e-") + QLatin1String(caso.nombre);
        const QStringList ordenes[] = {
            {QStringLiteral("exportar"), copia, exportado},
            {QStringLiteral("listar"), copia, salidas + QStringLiteral("/l-") + QLatin1String(caso.nombre)},
            {QStringLiteral("estadisticas"), copia},
            {QStringLiteral("comprobar"), copia},
        };
        for (const QStringList& orden : ordenes) {
            const Ejecucion e = Util(orden, true);
            EXPECT_EQ(e.estado, 0) << orden.join(u' ').toStdString() << ": " << e.errores.toStdString();
        }
        EXPECT_TRUE(LeerFichero(exportado).contains(caso.abiertoPorSuDueno ? "\r\n 2 \r\n" : "\r\n 1 \r\n"));
        EXPECT_EQ(LeerFichero(copia), bytes);
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), antes);
        dueno.reset();
        chmod(QFile::encodeName(dir).constData(), 0755);
    }

    // Changes left in a -wal with no -shm beside it, where the user may not create one, cannot be read:
    // the order says so rather than export the catalogue without them.
    const QString diario = Fichero(QStringLiteral("diario"));
    ASSERT_TRUE(QDir().mkdir(diario));
    {
        auto dueno = dao::Database::OpenDatabase(Catalogo());
        dueno->Execute(QStringLiteral("DELETE FROM CANCIONES"));
        for (const char* sufijo : {"", "-wal"})
            ASSERT_TRUE(QFile::copy(Catalogo() + QLatin1String(sufijo),
                                    diario + QStringLiteral("/Cantorio.mdb") + QLatin1String(sufijo)));
    }
    chmod(QFile::encodeName(diario).constData(), 0555);
    const Ejecucion e = Util({QStringLiteral("exportar"), diario + QStringLiteral("/Cantorio.mdb"),
                              salidas + QStringLiteral("/e-diario")},
                             true);
    EXPECT_EQ(e.estado, 1);
    EXPECT_TRUE(e.errores.contains(QStringLiteral("tiene cambios en su diario"))) << e.errores.toStdString();
    chmod(QFile::encodeName(diario).constData(), 0755);
}

// Only "anadir", "importar" and "convertir" make a catalogue: the other orders refuse an empty file
// and leave it empty.
TEST_F(CantorioUtilTest, UnFicheroVacioNoSeConvierteEnCatalogo) {
    const QString vacio = Fichero(QStringLiteral("vacio.mdb"));
    GuardarFichero(vacio, QByteArray());
    const QStringList ordenes[] = {
        {QStringLiteral("exportar"), vacio, Fichero(QStringLiteral("e.txt"))},
        {QStringLiteral("listar"), vacio, Fichero(QStringLiteral("l.txt"))},
        {QStringLiteral("estadisticas"), vacio},
        {QStringLiteral("comprobar"), vacio},
        {QStringLiteral("comprobar"), vacio, QStringLiteral("--reparar")},
    };
    for (const QStringList& orden : ordenes) {
        const Ejecucion e = Util(orden);
        EXPECT_EQ(e.estado, 1) << orden.join(u' ').toStdString();
        EXPECT_TRUE(e.errores.contains(QStringLiteral("está vacío: no es un catálogo")))
            << e.errores.toStdString();
        EXPECT_EQ(QFileInfo(vacio).size(), 0) << orden.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(Fichero(QStringLiteral("e.txt"))));
}

TEST_F(CantorioUtilTest, ListarDaLosMismosBytesQueLaVentana) {
    Cancion(QStringLiteral("Rock'n"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("t"));
    Cancion(QStringLiteral("Rock n"), QStringLiteral("\\"), QStringLiteral("b"), QStringLiteral("t"));
    OpcionesListado opciones{{QStringLiteral("Rock'n"), std::nullopt},
                             false,
                             QStringLiteral("Cantorio v1.2.%1").arg(CANTORIO_REVISION)};
    ProgresoUtilidad sinProgreso;
    EscribirListado(Base(), Fichero(QStringLiteral("nucleo.txt")), opciones, sinProgreso);
    const Ejecucion e =
        Util({QStringLiteral("listar"), Catalogo(), Fichero(QStringLiteral("util.txt")),
              QStringLiteral("--cabecera"), QStringLiteral("Rock'n"), QStringLiteral("--sin-ficheros")});
    EXPECT_EQ(e.estado, 0) << e.errores.toStdString();
    EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("util.txt"))),
              LeerFichero(Fichero(QStringLiteral("nucleo.txt"))));
}

TEST_F(CantorioUtilTest, ComprobarYEstadisticas) {
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("Uno"), 4, 1);
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("b"), QStringLiteral("uno"), 0, 1);
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("c"), QStringLiteral("Dos"), 0, 2);
    const Ejecucion estadisticas = Util({QStringLiteral("estadisticas"), Catalogo()});
    EXPECT_EQ(estadisticas.estado, 0);
    EXPECT_EQ(estadisticas.salida, QStringLiteral("Con Letra:              1   33,33%\n"
                                                  "Sin Letra:              1   33,33%\n"
                                                  "Huérfanas:              1   33,33%\n"));

    const Ejecucion sinReparar = Util({QStringLiteral("comprobar"), Catalogo()});
    EXPECT_EQ(sinReparar.estado, 3);
    EXPECT_EQ(sinReparar.salida,
              QStringLiteral("Comprobado el fichero del catálogo (integrity_check de SQLite)... OK.\n"
                             "Comprobado la existencia de NULLs en IDX_CANCION... OK.\n"
                             "Comprobado la duplicidad de REL_POS en una misma Ruta... ERROR.\n"
                             "Comprobando la existencia de Lyrics no referenciadas... OK.\n"
                             "Comprobado la existencia de referencias a Lyrics inexistentes... ERROR.\n"));
    const Ejecucion reparada = Util({QStringLiteral("comprobar"), Catalogo(), QStringLiteral("--reparar")});
    EXPECT_EQ(reparada.estado, 0);
    EXPECT_TRUE(reparada.salida.contains(QStringLiteral("Ruta... Corregido.\n")));
    EXPECT_EQ(Util({QStringLiteral("comprobar"), Catalogo()}).estado, 0);
    EXPECT_EQ(Util({QStringLiteral("comprobar"), Fichero(QStringLiteral("falta.mdb"))}).estado, 1);
}

// A route whose header or path is Null (an import reads an empty line so) is renumbered like any other;
// a repair that leaves the fault, checked again, ends with the fault reported and its own exit status.
TEST_F(CantorioUtilTest, ComprobarRepararDiceLoQueQuedaDeVerdad) {
    for (const char* autor : {"a", "b"})
        Cancion({QStringLiteral("C"), QVariant(), QString::fromLatin1(autor), QStringLiteral("t"),
                 QStringLiteral("mp3"), 1, 0, 1});
    const Ejecucion reparada = Util({QStringLiteral("comprobar"), Catalogo(), QStringLiteral("--reparar")});
    EXPECT_EQ(reparada.estado, 0);
    EXPECT_TRUE(reparada.salida.contains(QStringLiteral("Ruta... Corregido.\n")))
        << reparada.salida.toStdString();
    EXPECT_EQ(Filas(QStringLiteral("SELECT REL_POS FROM CANCIONES ORDER BY AUTOR")), QStringLiteral("1\n2"));

    Base().Execute(QStringLiteral("UPDATE CANCIONES SET REL_POS = 1"));
    IgnorarCambiosDePosicion();
    const Ejecucion sinEfecto = Util({QStringLiteral("comprobar"), Catalogo(), QStringLiteral("--reparar")});
    EXPECT_EQ(sinEfecto.estado, 3);
    EXPECT_TRUE(sinEfecto.salida.contains(QStringLiteral("Ruta... ERROR.\n")))
        << sinEfecto.salida.toStdString();
    EXPECT_FALSE(sinEfecto.salida.contains(QStringLiteral("Corregido"))) << sinEfecto.salida.toStdString();
    EXPECT_TRUE(sinEfecto.errores.contains(TextoSigueElFallo)) << sinEfecto.errores.toStdString();
}

// SQLite's own check runs too: pages that no table or index owns any more (an index dropped from the
// schema by hand) are a fault of the file that no repair of the program mends.
TEST_F(CantorioUtilTest, ComprobarMiraTambienElFichero) {
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("Uno"), 0, 1);
    BBDD::CerrarBaseDatos();
    sqlite3* conexion = nullptr;
    ASSERT_EQ(sqlite3_open(Catalogo().toUtf8().constData(), &conexion), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(
                  conexion,
                  "PRAGMA writable_schema = ON; DELETE FROM sqlite_schema WHERE name = 'CANCIONES_TITULO';",
                  nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(conexion);

    const Ejecucion r = Util({QStringLiteral("comprobar"), Catalogo(), QStringLiteral("--reparar")});
    EXPECT_EQ(r.estado, 3);
    EXPECT_TRUE(r.salida.startsWith(QStringLiteral("Comprobado el fichero del catálogo (integrity_check de "
                                                   "SQLite)... ERROR.\n  Page ")) &&
                r.salida.contains(QStringLiteral(" is never used\n")))
        << r.salida.toStdString();
}

} // namespace
