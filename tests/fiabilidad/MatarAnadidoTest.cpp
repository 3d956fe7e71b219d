// cantorio-util anadir killed with SIGKILL at twenty points of a 50,000-file scan, right after a batch
// was committed, halfway through the next one or as it is being committed. Each time the catalogue must open
// at start-up with its trees filled, pass SQLite's integrity check, keep the rows it held before untouched
// and hold exactly the rows of whole committed batches: the first rows of the complete scan, never fewer than
// a reader had already seen committed.

#include "PruebaFiabilidad.h"

#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "shell/frmLoader.h"
#include "store/BBDD.h"
#include "store/CatalogoUtilidades.h"
#include "support/ServiciosGuionados.h"
#include "trees/ArbolNodos.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

constexpr int Directorios = 500;
constexpr int PorDirectorio = 100;
constexpr int Total = Directorios * PorDirectorio;
constexpr int Anteriores = 1000;
// The rows a batch commits, unless a second passes first (then the commit comes earlier).
constexpr int Lote = 5000;
// Longer than any scan takes, even under the sanitizers: a scan still running then is hung.
constexpr std::chrono::minutes LimiteEscaneo{5};

// The point of a kill: once a reader has seen `umbral` new rows committed, wait `fraccion` of a batch's
// time (or until the reader sees the next commit, when that comes first) and kill.
struct Muerte {
    int umbral;
    double fraccion;
};

// A read-only connection that asks for the number of committed rows while the scan writes.
class Lector {
public:
    explicit Lector(const QString& ruta) {
        sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db_, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_busy_timeout(db_, 1000);
    }
    ~Lector() { sqlite3_close_v2(db_); }
    int Nuevas() const { return ContarCanciones(db_) - Anteriores; }

private:
    sqlite3* db_ = nullptr;
};

struct Observacion {
    std::vector<int> vistas; // the distinct new-row counts the reader saw, in order
    bool matado = false;
    bool colgado = false; // still running at LimiteEscaneo: killed and not watched further
    qint64 nsLote = 0;    // the mean time between two commits seen (complete scan only)
};

class MatarAnadido : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        arbol = new QTemporaryDir;
        GenerarArbol(arbol->path(), Directorios, PorDirectorio);
        // The catalogue that was there before the scan: 1,000 songs under another header.
        plantilla = new QTemporaryDir;
        CrearCatalogoAnterior(QDir(plantilla->path()).filePath(QStringLiteral("Cantorio.mdb")), Anteriores);
        BBDD::CerrarBaseDatos();
    }
    static void TearDownTestSuite() {
        delete arbol;
        delete plantilla;
    }

    void SetUp() override { servicios = &InstalarServiciosGuionados(); }
    void TearDown() override { Cerrar(); }
    static void Cerrar() {
        BBDD::CerrarBaseDatos();
        Ventanas::Destruir();
    }

    // A fresh copy of the catalogue of before in its own program directory.
    static QString Preparar(const QTemporaryDir& programa) {
        const QString ruta = QDir(programa.path()).filePath(QStringLiteral("Cantorio.mdb"));
        QFile::copy(QDir(plantilla->path()).filePath(QStringLiteral("Cantorio.mdb")), ruta);
        return ruta;
    }

    // Runs the scan into the catalogue at ruta, watching its committed rows; kills it at muerte, or lets
    // it end when there is none.
    static Observacion Anadir(const QString& ruta, std::optional<Muerte> muerte, qint64 nsLote) {
        QProcess util;
        util.start(QStringLiteral(CANTORIO_UTIL),
                   {QStringLiteral("anadir"), ruta, arbol->path(), QStringLiteral("--cabecera"),
                    QStringLiteral("Nueva"), QStringLiteral("--subdirectorios"), QStringLiteral("--volumen"),
                    arbol->path()});
        Observacion observacion;
        if (!util.waitForStarted())
            return observacion;
        const QDeadlineTimer limite(LimiteEscaneo);
        auto colgado = [&] {
            if (!limite.hasExpired())
                return false;
            util.kill();
            util.waitForFinished();
            observacion.colgado = true;
            return true;
        };
        // The reader opens once the program has opened the catalogue for writing (its -wal exists).
        while (!QFileInfo::exists(ruta + QStringLiteral("-wal")) && !util.waitForFinished(0)) {
            if (colgado())
                return observacion;
            QThread::usleep(200);
        }
        Lector lector(ruta);
        QElapsedTimer desdeInicio;
        desdeInicio.start();
        std::vector<qint64> momentos; // when each count in vistas was first seen
        qint64 muerteEn = -1;         // the moment to kill, once the threshold has been seen
        while (!util.waitForFinished(0)) {
            if (colgado())
                return observacion;
            const int nuevas = lector.Nuevas();
            const qint64 ahora = desdeInicio.nsecsElapsed();
            const bool otroCommit =
                nuevas >= 0 && (observacion.vistas.empty() || nuevas != observacion.vistas.back());
            if (otroCommit) {
                observacion.vistas.push_back(nuevas);
                momentos.push_back(ahora);
            }
            if (muerte && muerteEn < 0 && nuevas >= muerte->umbral) {
                // The time of a batch as this run goes, measured between the last two commits seen.
                const qint64 lote =
                    momentos.size() >= 3 ? momentos.back() - momentos[momentos.size() - 2] : nsLote;
                muerteEn = ahora + qint64(muerte->fraccion * double(lote));
            } else if (muerteEn >= 0 && otroCommit) {
                muerteEn = ahora; // the next batch came sooner: kill right after it
            }
            if (muerteEn >= 0 && ahora >= muerteEn) {
                util.kill();
                util.waitForFinished();
                observacion.matado = util.exitStatus() == QProcess::CrashExit;
                return observacion;
            }
            QThread::usleep(100);
        }
        const qsizetype lotes =
            std::count_if(observacion.vistas.begin(), observacion.vistas.end(), [](int n) { return n > 0; });
        observacion.nsLote = desdeInicio.nsecsElapsed() / std::max<qsizetype>(lotes, 1);
        return observacion;
    }

    // Starts the program over its directory, as the user would after the crash.
    bool Arrancar(const QTemporaryDir& programa) {
        servicios->directorioPrograma = programa.path();
        frmLoader presentacion;
        return presentacion.Form_Load();
    }

    static inline QTemporaryDir* arbol = nullptr;
    static inline QTemporaryDir* plantilla = nullptr;
    ServiciosGuionados* servicios = nullptr;
};

// The routes under the header Nueva in a tree, in the tree's order.
QStringList RutasDeNueva(const ArbolNodos& arbol) {
    QStringList rutas;
    for (const QTreeWidgetItem* cabecera : arbol.Cabeceras())
        if (cabecera->text(0) == QLatin1String("Nueva"))
            for (int i = 0; i < cabecera->childCount(); ++i)
                rutas << cabecera->child(i)->text(0);
    return rutas;
}

} // namespace

TEST_F(MatarAnadido, VeinteMuertesDejanLotesEnterosYElCatalogoArranca) {
    // The complete scan: the rows in the order they are written, and how long a batch takes.
    QStringList referencia;
    QStringList anteriores;
    qint64 nsLote = 0;
    {
        QTemporaryDir programa;
        const Observacion completa = Anadir(Preparar(programa), std::nullopt, 0);
        ASSERT_FALSE(completa.colgado) << "the complete scan did not end within the time limit";
        nsLote = completa.nsLote;
        ASSERT_TRUE(Arrancar(programa));
        const QStringList filas = FilasEscritas(BBDD::BaseDatos->Conexion());
        ASSERT_EQ(filas.size(), Anteriores + Total);
        anteriores = filas.mid(0, Anteriores);
        referencia = filas.mid(Anteriores);
        Cerrar();
    }

    // Right after each commit, and halfway through or at the very end of the batch that follows (the
    // last one a third of the way, so that the scan cannot end first).
    std::vector<Muerte> muertes;
    for (int k = 0; k < Total / Lote; ++k) {
        muertes.push_back({k * Lote, 0.0});
        muertes.push_back({k * Lote, k == Total / Lote - 1 ? 0.3 : k % 2 == 1 ? 0.95 : 0.5});
    }
    ASSERT_EQ(muertes.size(), 20u);

    for (const Muerte& muerte : muertes) {
        SCOPED_TRACE(testing::Message()
                     << "muerte tras " << muerte.umbral << " filas + " << muerte.fraccion << " de lote");
        // A scan running faster than the complete one may end before a late kill point: the same point is
        // tried again with the wait halved, so that a busy machine cannot turn a sound run into a failure.
        std::optional<QTemporaryDir> programa;
        Observacion observacion;
        Muerte intento = muerte;
        for (int vez = 0; vez < 4 && !observacion.matado; ++vez, intento.fraccion /= 2) {
            programa.emplace();
            observacion = Anadir(Preparar(*programa), intento, nsLote);
            ASSERT_FALSE(observacion.colgado) << "the scan neither ended nor reached its kill point in time";
        }
        ASSERT_TRUE(observacion.matado) << "the scan ended before the kill; the kill points are too late";

        ASSERT_TRUE(Arrancar(*programa));
        EXPECT_TRUE(servicios->mensajes.empty()) << servicios->mensajes.front().texto.toStdString();
        EXPECT_EQ(catalogo::FallosDelFichero(*BBDD::BaseDatos), QStringList());
        const QStringList filas = FilasEscritas(BBDD::BaseDatos->Conexion());
        ASSERT_GE(filas.size(), Anteriores);
        EXPECT_EQ(filas.mid(0, Anteriores), anteriores);
        const QStringList nuevas = filas.mid(Anteriores);
        const int guardadas = int(nuevas.size());
        // Exactly the first rows of the complete scan...
        EXPECT_EQ(nuevas, referencia.mid(0, guardadas));
        // ...none of what a reader had seen committed lost...
        const int ultimaVista = observacion.vistas.empty() ? 0 : observacion.vistas.back();
        EXPECT_GE(guardadas, ultimaVista);
        // ...and a commit's worth: a whole number of batches, or a count a reader saw committed (a batch
        // cut short by its second).
        const bool vista = std::find(observacion.vistas.begin(), observacion.vistas.end(), guardadas) !=
                           observacion.vistas.end();
        EXPECT_TRUE(guardadas % Lote == 0 || vista) << guardadas << " rows";

        // The trees show the header of before and, when some rows were kept, the new one with its routes.
        QSet<QString> rutas;
        for (const QString& fila : nuevas)
            rutas.insert(fila.section(u'|', 1, 1));
        for (const ArbolNodos* arbol :
             {Ventanas::Lista().TreeViewLista, Ventanas::Actualizacion().TreeViewEliminar,
              Ventanas::Actualizacion().TreeViewModificar}) {
            EXPECT_EQ(arbol->Cabeceras().size(), guardadas > 0 ? 2 : 1);
            const QStringList enArbol = RutasDeNueva(*arbol);
            EXPECT_EQ(QSet<QString>(enArbol.begin(), enArbol.end()), rutas);
            EXPECT_EQ(enArbol.size(), rutas.size());
        }
        Cerrar();
    }
}
