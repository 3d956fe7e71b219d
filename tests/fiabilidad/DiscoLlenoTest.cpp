// A disk that fills up during a scan, an import, an export and a lyric save, made with a limit on the
// size of the files a process may write (SIGXFSZ ignored, so that the write fails instead of killing
// it). Each time: a Spanish message, the failed transaction undone, the catalogue sound and as it was
// (the scan keeps the batches it committed and says exactly how many songs), and no export file cut
// short.

#include "PruebaFiabilidad.h"

#include "store/BBDD.h"
#include "store/CatalogoLetras.h"
#include "store/CatalogoUtilidades.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Ficheros = 12000;
constexpr int Anteriores = 1000;
constexpr int NumeroLetra = 7;
const QString LetraAnterior = QStringLiteral("La letra de antes,\r\nen dos líneas.");

// What the engine's full disk reads as: no room, or a write refused.
const QRegularExpression MensajeDisco(QStringLiteral(
    "No queda espacio en el disco para el catálogo\\.|Error de disco al leer o escribir el catálogo\\."));

// In the child: files may grow to `bytes` and no further; the write past it fails with EFBIG.
void LimitarFicheros(qint64 bytes) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{rlim_t(bytes), rlim_t(bytes)};
    setrlimit(RLIMIT_FSIZE, &limite);
}

class DiscoLleno : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        comun = new QTemporaryDir;
        GenerarArbol(Ruta("arbol"), Ficheros / 100, 100);
        // The catalogue of before: 1,000 songs, one of them with a lyric.
        CrearCatalogoAnterior(Ruta("Cantorio.mdb"), Anteriores);
        BBDD::BaseDatos->Execute(
            QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = %1 WHERE AUTOR = 'Autor 3'").arg(NumeroLetra));
        catalogo::CrearLetra(*BBDD::BaseDatos, NumeroLetra);
        catalogo::GuardarLetra(*BBDD::BaseDatos, NumeroLetra, LetraAnterior);
        BBDD::CerrarBaseDatos();
        // The export file of the tree's songs, for the import.
        const QString otro = Ruta("otro.mdb");
        Util({"anadir", otro, Ruta("arbol"), "--cabecera", "Otro", "--subdirectorios"});
        Util({"exportar", otro, Ruta("otro.txt")});
        auto escaneo = dao::Database::OpenDatabase(otro);
        completo = new QStringList(SinCabecera(FilasEscritas(escaneo->Conexion())));
    }
    static void TearDownTestSuite() {
        delete comun;
        delete completo;
    }
    // The rows without their header, the one thing in which two scans of the tree differ.
    static QStringList SinCabecera(const QStringList& filas) {
        QStringList sin;
        for (const QString& fila : filas)
            sin << fila.section(u'|', 1);
        return sin;
    }
    static QString Ruta(const char* nombre) {
        return QDir(comun->path()).filePath(QString::fromUtf8(nombre));
    }

    void SetUp() override { Preparar(); }
    // A fresh copy of the catalogue of before.
    void Preparar() {
        catalogo_ = QDir(directorio_.path()).filePath(QStringLiteral("Cantorio.mdb"));
        for (const char* sufijo : {"", "-wal", "-shm"})
            QFile::remove(catalogo_ + QLatin1String(sufijo));
        QFile::copy(Ruta("Cantorio.mdb"), catalogo_);
        antes_ = Filas();
        tamano_ = QFileInfo(catalogo_).size();
    }

    // The rows of the catalogue, once SQLite's check of the file is passed and the lyric is read back.
    QStringList Filas() {
        auto base = dao::Database::OpenDatabase(catalogo_);
        EXPECT_EQ(catalogo::FallosDelFichero(*base), QStringList());
        EXPECT_EQ(catalogo::CargarLetra(*base, NumeroLetra).texto, LetraAnterior);
        return FilasEscritas(base->Conexion());
    }

    // Runs cantorio-util with files limited to the catalogue's size plus `margen` bytes.
    Ejecucion UtilLimitado(const QStringList& argumentos, qint64 margen) {
        const qint64 limite = tamano_ + margen;
        return Util(argumentos, [limite] { LimitarFicheros(limite); });
    }

    static inline QTemporaryDir* comun = nullptr;
    static inline QStringList* completo = nullptr; // the rows of the whole scan, in the order written
    QTemporaryDir directorio_;
    QString catalogo_;
    QStringList antes_;
    qint64 tamano_ = 0;
};

} // namespace

TEST_F(DiscoLleno, LaBusquedaSeDetieneYGuardaSoloLotesEnterosQueDiceBien) {
    // Room for no batch, and for one or two.
    for (const qint64 margen : {qint64(100) << 10, qint64(1536) << 10}) {
        SCOPED_TRACE(margen);
        Preparar();
        const Ejecucion e = UtilLimitado(
            {"anadir", catalogo_, Ruta("arbol"), "--cabecera", "Nueva", "--subdirectorios"}, margen);
        EXPECT_EQ(e.estado, e.errores.contains(QStringLiteral("(0) se han guardado")) ? 1 : 4)
            << e.errores.toStdString();
        EXPECT_TRUE(e.errores.contains(MensajeDisco)) << e.errores.toStdString();
        const QRegularExpressionMatch dicho =
            QRegularExpression(
                QStringLiteral("Las canciones añadidas hasta ese momento \\((\\d+)\\) se han guardado"))
                .match(e.errores);
        ASSERT_TRUE(dicho.hasMatch()) << e.errores.toStdString();
        const QStringList filas = Filas();
        EXPECT_EQ(filas.mid(0, Anteriores), antes_);
        const qsizetype nuevas = filas.size() - Anteriores;
        EXPECT_EQ(nuevas, dicho.captured(1).toInt());
        // What was committed: the first rows of the whole scan, none missing or out of place. (A batch
        // ends at 5,000 rows or after a second, whichever comes first, so the count alone says nothing.)
        EXPECT_EQ(SinCabecera(filas.mid(Anteriores)), completo->mid(0, nuevas));
        EXPECT_LT(nuevas, Ficheros);
        if (margen > (qint64(1) << 20)) {
            EXPECT_GT(nuevas, 0) << "the larger room holds a whole batch";
        }
    }
}

TEST_F(DiscoLleno, LaImportacionSeDeshaceEntera) {
    const Ejecucion e = UtilLimitado({"importar", catalogo_, Ruta("otro.txt")}, qint64(1) << 20);
    EXPECT_EQ(e.estado, 1);
    EXPECT_TRUE(e.errores.contains(MensajeDisco)) << e.errores.toStdString();
    EXPECT_FALSE(e.errores.contains(QStringLiteral("éxito")));
    EXPECT_EQ(Filas(), antes_);
}

TEST_F(DiscoLleno, LaExportacionFallaSinDejarUnFicheroCortado) {
    // Into a new file and over an export of before.
    const QString nuevo = QDir(directorio_.path()).filePath(QStringLiteral("nuevo.txt"));
    const QString viejo = QDir(directorio_.path()).filePath(QStringLiteral("viejo.txt"));
    QFile(Ruta("otro.txt")).copy(viejo);
    const QByteArray contenidoViejo = [&] {
        QFile f(viejo);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    for (const QString& destino : {nuevo, viejo}) {
        SCOPED_TRACE(destino.toStdString());
        const Ejecucion e = Util({"exportar", Ruta("otro.mdb"), destino}, [] { LimitarFicheros(100 << 10); });
        EXPECT_EQ(e.estado, 1);
        EXPECT_TRUE(e.errores.contains(QStringLiteral("No se ha podido escribir el fichero")))
            << e.errores.toStdString();
        EXPECT_TRUE(e.errores.contains(QStringLiteral("no cabe en el disco"))) << e.errores.toStdString();
        EXPECT_FALSE(e.errores.contains(QStringLiteral("éxito")));
    }
    EXPECT_FALSE(QFile::exists(nuevo));
    QFile f(viejo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), contenidoViejo);
    // Nothing else left beside them (no temporary file).
    EXPECT_EQ(QDir(directorio_.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Cantorio.mdb", "viejo.txt"}));
}

TEST_F(DiscoLleno, GuardarUnaLetraQueNoCabeLaDejaComoEstaba) {
    // The save runs in a child whose files may grow 256 KiB; the lyric is 1 MiB.
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    const qint64 limite = tamano_ + (256 << 10);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        close(tubo[0]);
        LimitarFicheros(limite);
        QByteArray mensaje = "guardada";
        try {
            auto base = dao::Database::OpenDatabase(catalogo_);
            catalogo::GuardarLetra(*base, NumeroLetra, QString(1 << 20, u'ñ'));
        } catch (const dao::ErrorBD& error) {
            mensaje = error.Descripcion().toUtf8();
        } catch (...) {
            mensaje = "otro error";
        }
        [[maybe_unused]] const auto escritos = write(tubo[1], mensaje.constData(), mensaje.size());
        _exit(0);
    }
    close(tubo[1]);
    QByteArray mensaje;
    char trozo[512];
    for (ssize_t n; (n = read(tubo[0], trozo, sizeof trozo)) > 0;)
        mensaje.append(trozo, n);
    close(tubo[0]);
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    EXPECT_TRUE(WIFEXITED(estado));
    EXPECT_TRUE(QString::fromUtf8(mensaje).contains(MensajeDisco)) << mensaje.toStdString();
    EXPECT_EQ(Filas(), antes_); // and the lyric of before, read back in Filas
}
