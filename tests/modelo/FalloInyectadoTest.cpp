// Each command that writes the catalogue, failed on purpose at each of its writes in turn (the commit
// included) with a full disk, an I/O error and a value refused: the catalogue is left exactly as it
// was. First, that the failure really falls in the middle of a command, and that it would show a
// command written without a transaction.

#include "FalloInyectado.h"

#include "maintenance/AnadidoCanciones.h"
#include "store/BBDD.h"
#include "store/CatalogoLetras.h"
#include "store/CatalogoMantenimiento.h"
#include "utilities/ComprobacionErrores.h"
#include "utilities/FicheroExportacion.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

class CatalogoConFallo : public ::testing::Test {
protected:
    void SetUp() override {
        BBDD::RutaBaseDatos = carpeta.filePath(QStringLiteral("Cantorio.mdb"));
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
        fallo = std::make_unique<FalloInyectado>(Base().Conexion());
        // Rows 1-3 in \Rock\ (2 and 3 share lyric 2), 4-5 in the sub-route \Rock\Directo\, 6 under
        // another header.
        const char* canciones[] = {
            "'Disco', '\\Rock\\', 'Ana', 'Uno', 'mp3', 10, 1, 3",
            "'Disco', '\\Rock\\', 'Bea', 'Dos', 'mp3', 20, 2, 1",
            "'Disco', '\\Rock\\', 'Cid', 'Tres', 'ogg', 30, 2, 2",
            "'Disco', '\\Rock\\Directo\\', 'Dan', 'Cuatro', 'mp3', 40, 3, 1",
            "'Disco', '\\Rock\\Directo\\', 'Eva', 'Cinco', 'mp3', 50, 0, 2",
            "'Otro', '\\', 'Fe', 'Seis', 'mp3', 60, 4, 1",
        };
        for (const char* valores : canciones)
            Base().Execute(QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, "
                                          "LONGITUD, IDX_CANCION, REL_POS) VALUES (%1)")
                               .arg(QString::fromUtf8(valores)));
        for (int idx = 1; idx <= 4; ++idx)
            Base().Execute(
                QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (%1, 'letra %1')").arg(idx));
    }
    void TearDown() override {
        fallo.reset();
        BBDD::CerrarBaseDatos();
    }

    dao::Database& Base() { return *BBDD::BaseDatos; }

    // Every row of both tables, with its identity.
    std::string Estado() {
        QString estado;
        for (const char* sql : {"SELECT rowid, * FROM CANCIONES ORDER BY rowid",
                                "SELECT rowid, * FROM LETRAS ORDER BY rowid"}) {
            auto rs = Base().OpenRecordset(QString::fromUtf8(sql));
            for (; !rs->Eof(); rs->MoveNext()) {
                for (int i = 0; i < rs->FieldCount(); ++i)
                    estado += rs->Field(i).toString() + u'|';
                estado += u'\n';
            }
        }
        return estado.toStdString();
    }

    // The writes of the command: counted in a transaction then undone.
    qint64 Escrituras(const std::function<void()>& orden) {
        Base().BeginTrans();
        fallo->Contar();
        orden();
        const qint64 escrituras = fallo->Escrituras();
        fallo->Desarmar();
        Base().Rollback();
        return escrituras;
    }

    QTemporaryDir carpeta;
    std::unique_ptr<FalloInyectado> fallo;
};

TEST_F(CatalogoConFallo, ElFalloCaeTrasLasPrimerasEscriturasDeLaOrden) {
    const std::string antes = Estado();
    fallo->Armar(3, SQLITE_FULL);
    EXPECT_THROW(catalogo::EliminarRuta(Base(), {QStringLiteral("Disco"), QStringLiteral("\\Rock\\")}),
                 dao::ErrorBD);
    EXPECT_TRUE(fallo->Disparado());
    EXPECT_EQ(fallo->Escrituras(), 3); // two rows deleted before the third failed
    EXPECT_EQ(Estado(), antes);
}

TEST_F(CatalogoConFallo, SinTransaccionLoEscritoAntesDelFalloQuedaria) {
    const std::string antes = Estado();
    fallo->Armar(3, SQLITE_IOERR_WRITE); // the row and commit of the first statement, then the second
    Base().Execute(QStringLiteral("DELETE FROM LETRAS WHERE IDX_CANCION = 1"));
    EXPECT_THROW(Base().Execute(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = 0 WHERE IDX_CANCION = 1")),
                 dao::ErrorBD);
    EXPECT_TRUE(fallo->Disparado());
    EXPECT_NE(Estado(), antes);
}

struct OrdenConFallo {
    const char* nombre;
    std::function<void(dao::Database&, const QString& carpeta)> orden;
};

void PrintTo(const OrdenConFallo& orden, std::ostream* salida) {
    *salida << orden.nombre;
}

class CadaEscritura : public CatalogoConFallo, public ::testing::WithParamInterface<OrdenConFallo> {};

TEST_P(CadaEscritura, FallidaDejaElCatalogoComoEstaba) {
    const auto orden = [&] { GetParam().orden(Base(), carpeta.path()); };
    const std::string antes = Estado();
    const qint64 escrituras = Escrituras(orden);
    ASSERT_GT(escrituras, 0);
    for (const int codigo : {SQLITE_FULL, SQLITE_IOERR_WRITE, SQLITE_CONSTRAINT_CHECK})
        for (qint64 n = 1; n <= escrituras + 1; ++n) {
            fallo->Armar(n, codigo);
            EXPECT_ANY_THROW(orden()) << "escritura " << n << ", código " << codigo;
            fallo->Desarmar();
            EXPECT_TRUE(fallo->Disparado());
            EXPECT_EQ(Estado(), antes)
                << "escritura " << n << " de " << escrituras + 1 << ", código " << codigo;
        }
    orden();
    EXPECT_NE(Estado(), antes);
}

void Importar(dao::Database& base, const QString& carpeta) {
    const QString fichero = carpeta + QStringLiteral("/canciones.txt");
    QFile salida(fichero);
    if (!salida.exists()) {
        salida.open(QIODevice::WriteOnly);
        salida.write(QByteArray(70, '-') + "\r\n x\r\n" + QByteArray(70, '-') + "\r\n 2 \r\n");
        salida.write("Disco\r\n\\Rock\\\r\nGil\r\nSiete\r\nmp3\r\n 70 \r\n 4 \r\n");
        salida.write("Nuevo\r\n\\\r\nHal\r\nOcho\r\nmp3\r\n 80 \r\n 1 \r\n");
        salida.close();
    }
    ProgresoUtilidad progreso;
    ImportarCanciones(base, fichero, std::nullopt, progreso);
}

INSTANTIATE_TEST_SUITE_P(
    Ordenes, CadaEscritura,
    ::testing::Values(
        OrdenConFallo{"EliminarSeleccionadas",
                      [](dao::Database& b, const QString&) {
                          catalogo::EliminarCanciones(b, {1, 2, 4});
                      }},
        OrdenConFallo{"EliminarRuta",
                      [](dao::Database& b, const QString&) {
                          catalogo::EliminarRuta(b, {QStringLiteral("Disco"), QStringLiteral("\\Rock\\")});
                      }},
        OrdenConFallo{
            "EliminarCabecera",
            [](dao::Database& b, const QString&) { catalogo::EliminarCabecera(b, QStringLiteral("Disco")); }},
        OrdenConFallo{"EliminarTodo", [](dao::Database& b, const QString&) { catalogo::EliminarTodo(b); }},
        OrdenConFallo{
            "GuardarLote",
            [](dao::Database& b, const QString&) {
                catalogo::CamposLote campos;
                campos.ruta = QStringLiteral("\\Pop\\");
                campos.autor = QStringLiteral("Varios");
                catalogo::GuardarLote(b, {QStringLiteral("Disco"), QStringLiteral("\\Rock\\")}, campos);
            }},
        OrdenConFallo{"ReordenarRuta",
                      [](dao::Database& b, const QString&) {
                          catalogo::ReordenarRuta(b, {QStringLiteral("Disco"), QStringLiteral("\\Rock\\")},
                                                  catalogo::CampoOrden::Titulo,
                                                  catalogo::Sentido::Descendente);
                      }},
        OrdenConFallo{"BorrarLetraCompartida",
                      [](dao::Database& b, const QString&) { catalogo::BorrarLetra(b, 2); }},
        OrdenConFallo{
            "GuardarLetra",
            [](dao::Database& b, const QString&) { catalogo::GuardarLetra(b, 3, QStringLiteral("otra")); }},
        OrdenConFallo{"Importar", Importar}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A scan whose last commit fails keeps nothing of its open batch: it says so, and never counts those
// songs as kept.
TEST_F(CatalogoConFallo, AnadirCuyaUltimaConfirmacionFallaLoDiceYNoCuentaLasCanciones) {
    QTemporaryDir disco;
    QFile fichero(disco.filePath(QStringLiteral("00 Ana -- Uno.mp3")));
    ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
    fichero.close();
    const std::string antes = Estado();
    OpcionesAnadido opciones;
    opciones.cabecera = QStringLiteral("Nuevo");
    opciones.directorio = disco.path();
    opciones.raizVolumen = disco.path();
    ProgresoAnadido progreso;
    fallo->Armar(2, SQLITE_FULL); // the row, then the commit
    const ResultadoAnadido resultado = AnadirFicheros(opciones, progreso);
    fallo->Desarmar();
    EXPECT_TRUE(fallo->Disparado());
    EXPECT_FALSE(resultado.error.isEmpty());
    EXPECT_EQ(resultado.filas, 0);
    EXPECT_EQ(Estado(), antes);
}

// The renumbering of check 2, failed at each of its writes and at any statement after them: a repair
// reported as failed has changed nothing, one reported as made was made.
class Respuestas : public SeguimientoComprobacion {
public:
    void Empezar(int, bool) override {}
    void Comprobado(int) override {}
    void Resultado(int k, ResultadoComprobacion resultado) override { resultados[k] = resultado; }
    bool Reparar(int) override { return true; }
    void FalloReparacion(int, const QString&) override { fallida = true; }
    void SigueElFallo(int) override { ADD_FAILURE() << "una reparación sin efecto"; }
    std::array<ResultadoComprobacion, 4> resultados{};
    bool fallida = false;
};

TEST_F(CatalogoConFallo, UnaReparacionDadaPorFallidaNoSeHaHecho) {
    Base().Execute(QStringLiteral("UPDATE CANCIONES SET REL_POS = 1 WHERE rowid = 1"));
    const std::string antes = Estado();
    for (qint64 n = 1; n <= 6; ++n) {
        fallo->Armar(n, SQLITE_IOERR_WRITE);
        Respuestas respuestas;
        ComprobarErrores(Base(), respuestas);
        fallo->Desarmar();
        if (respuestas.fallida) {
            EXPECT_EQ(respuestas.resultados[1], ResultadoComprobacion::Error) << "escritura " << n;
            EXPECT_EQ(Estado(), antes) << "escritura " << n;
        } else {
            EXPECT_EQ(respuestas.resultados[1], ResultadoComprobacion::Corregido) << "escritura " << n;
            EXPECT_NE(Estado(), antes) << "escritura " << n;
            Base().Execute(QStringLiteral("UPDATE CANCIONES SET REL_POS = 1 WHERE rowid <= 2"));
            Base().Execute(QStringLiteral("UPDATE CANCIONES SET REL_POS = 2 WHERE rowid = 3"));
        }
    }
}

} // namespace
