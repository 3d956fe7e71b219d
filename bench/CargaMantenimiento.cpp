// The maintenance operations, each on a copy of a generated catalogue with a header or route made for it:
//
// delete-header-100k: "Eliminar Rama" on a header of 100,000 songs (1,000 routes, one song in ten with a
//   lyric of its own: 10,000 lyrics) in the catalogue of 1,000,000 songs: the deletion, the catalogue
//   opened again and the three trees of the real windows emptied and filled, against the raw DELETE
//   statements of the same songs and lyrics and the refill of three bare QTreeWidgets.
// delete-selected-1k: 1,000 songs chosen out of a route of 2,000 deleted by their identity, against one
//   raw DELETE ... WHERE rowid IN (...).
// reorder-10k: renumbering a route of 10,000 songs by author, against one raw UPDATE ... FROM with a
//   window function.
// batch-save-10k: a batch save of the author into every song of that route, against one raw UPDATE.
//
// A deletion works on a fresh copy in every turn, made outside the clock; a renumbering or a batch save
// changes every song of the route in every turn (the direction, the author alternate).

#include "ArbolesDesnudos.h"
#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"
#include "VentanasBench.h"

#include "store/BBDD.h"
#include "store/CatalogoMantenimiento.h"
#include "trees/ArbolesVentanas.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>

#include <functional>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

const QString CabeceraGrande = QStringLiteral("Zeta cabecera grande");
const QString CabeceraPrueba = QStringLiteral("Zeta mantenimiento");
const QString RutaSeleccion = QStringLiteral("\\Dos mil\\");
const QString RutaGrande = QStringLiteral("\\Diez mil\\");

void Copiar(const QString& origen, const QString& destino) {
    for (const char* final : {"", "-wal", "-shm"})
        QFile::remove(destino + QLatin1String(final));
    if (!QFile::copy(origen, destino))
        throw std::runtime_error("no se pudo copiar " + origen.toStdString());
}

void Enlazar(sqlite3_stmt* s, int parametro, const QString& texto) {
    const QByteArray utf8 = texto.toUtf8();
    sqlite3_bind_text(s, parametro, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Appends canciones songs to the route, authors and sizes scattered; every tenth song, when letras, with
// a lyric number of its own from *siguienteLetra on and its LETRAS row.
void AnadirRuta(sqlite3* conexion, const QString& cabecera, const QString& ruta, int canciones, bool letras,
                int* siguienteLetra) {
    sqlite3_stmt* cancion = nullptr;
    Comprobar(conexion,
              sqlite3_prepare_v2(conexion,
                                 "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, "
                                 "IDX_CANCION, REL_POS) VALUES (?, ?, ?, ?, 'mp3', ?, ?, ?)",
                                 -1, &cancion, nullptr),
              "preparar las canciones");
    sqlite3_stmt* letra = nullptr;
    Comprobar(conexion,
              sqlite3_prepare_v2(conexion, "INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (?, ?)", -1,
                                 &letra, nullptr),
              "preparar las letras");
    quint32 azar = 777;
    for (int p = 1; p <= canciones; ++p) {
        azar = azar * 1664525u + 1013904223u;
        const int idx = letras && p % 10 == 0 ? (*siguienteLetra)++ : 0;
        Enlazar(cancion, 1, cabecera);
        Enlazar(cancion, 2, ruta);
        Enlazar(cancion, 3, QStringLiteral("Artista %1").arg(azar % 3000));
        Enlazar(cancion, 4, QStringLiteral("Canción %1").arg(p));
        sqlite3_bind_int(cancion, 5, int(1'000'000 + azar % 9'000'000));
        sqlite3_bind_int(cancion, 6, idx);
        sqlite3_bind_int(cancion, 7, p);
        Comprobar(conexion, sqlite3_step(cancion), "añadir una canción");
        sqlite3_reset(cancion);
        if (idx > 0) {
            sqlite3_bind_int(letra, 1, idx);
            Enlazar(letra, 2, QStringLiteral("Estrofa de la letra %1.\n").arg(idx).repeated(12));
            Comprobar(conexion, sqlite3_step(letra), "añadir una letra");
            sqlite3_reset(letra);
        }
    }
    sqlite3_finalize(cancion);
    sqlite3_finalize(letra);
}

// A copy of the generated catalogue named nombre, with the routes that anadir writes into it.
template <typename F>
QString Derivado(const Contexto& contexto, Tamano tamano, const QString& nombre, F anadir) {
    const QString copia =
        QDir(contexto.directorioDatos).filePath(nombre + QStringLiteral("-%1.mdb").arg(Sufijo(tamano)));
    Copiar(Preparar(contexto, tamano), copia);
    ConexionDesnuda conexion(copia);
    Ejecutar(conexion, "BEGIN");
    anadir(static_cast<sqlite3*>(conexion));
    Ejecutar(conexion, "COMMIT");
    return copia;
}

int Contar(sqlite3* conexion, const char* sql) {
    sqlite3_stmt* s = nullptr;
    Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &s, nullptr), sql);
    Comprobar(conexion, sqlite3_step(s), sql);
    const int n = sqlite3_column_int(s, 0);
    sqlite3_finalize(s);
    return n;
}

void Verificar(bool correcto, const char* que) {
    if (!correcto)
        throw std::runtime_error(std::string("resultado inesperado: ") + que);
}

void Informar(const QString& nombre, const Pareja& pareja, double objetivo) {
    Ratio(nombre, pareja.Ratio(), objetivo);
    Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms")
                .arg(pareja.nuestro * 1000, 0, 'f', 1)
                .arg(pareja.referencia * 1000, 0, 'f', 1));
}

// ---------------------------------------------------------------------------------------------------
// delete-header-100k

void MedirCabecera(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    PrepararVentanas();
    QWidget ventana; // stands for frmEliminando, its progress bar followed by both sides
    auto* barra = new QProgressBar(&ventana);
    barra->setObjectName(QStringLiteral("ProgressBar"));
    std::array<QTreeWidget, 3> arboles;
    for (Tamano tamano : tamanos) {
        const QString base = Derivado(contexto, tamano, QStringLiteral("cabecera-grande"), [](sqlite3* c) {
            int letra = 1;
            for (int r = 1; r <= 1000; ++r)
                AnadirRuta(c, CabeceraGrande, QStringLiteral("\\Grande\\Disco %1\\").arg(r), 100, true,
                           &letra);
        });
        const QString trabajo = QDir(contexto.directorioDatos).filePath(QStringLiteral("trabajo.mdb"));
        const int restantes = int(tamano);

        auto nuestro = [&] {
            Copiar(base, trabajo);
            BBDD::RutaBaseDatos = trabajo;
            BBDD::AbrirBaseDatos();
            VaciarArboles();
            CargarArboles(nullptr);
            const double segundos = Cronometrar([&] {
                catalogo::EliminarCabecera(*BBDD::BaseDatos, CabeceraGrande);
                BBDD::CerrarBaseDatos();
                BBDD::AbrirBaseDatos();
                VaciarArboles();
                CargarArboles(&ventana);
            });
            Verificar(Contar(BBDD::BaseDatos->Conexion(), "SELECT count(*) FROM CANCIONES") == restantes &&
                          Contar(BBDD::BaseDatos->Conexion(), "SELECT count(*) FROM LETRAS") == 0,
                      "delete-header, nuestro");
            VaciarArboles();
            BBDD::CerrarBaseDatos();
            return segundos;
        };
        auto referencia = [&] {
            Copiar(base, trabajo);
            ConexionDesnuda conexion(trabajo);
            LlenarArbolesDesnudos(conexion, arboles, *barra);
            sqlite3_stmt* letras = nullptr;
            sqlite3_stmt* canciones = nullptr;
            const double segundos = Cronometrar([&] {
                Ejecutar(conexion, "BEGIN");
                Comprobar(
                    conexion,
                    sqlite3_prepare_v2(conexion,
                                       "DELETE FROM LETRAS WHERE IDX_CANCION IN (SELECT IDX_CANCION FROM "
                                       "CANCIONES WHERE CABECERA = ?1 AND IDX_CANCION > 0)",
                                       -1, &letras, nullptr),
                    "preparar");
                Comprobar(conexion,
                          sqlite3_prepare_v2(conexion, "DELETE FROM CANCIONES WHERE CABECERA = ?1", -1,
                                             &canciones, nullptr),
                          "preparar");
                for (sqlite3_stmt* s : {letras, canciones}) {
                    Enlazar(s, 1, CabeceraGrande);
                    Comprobar(conexion, sqlite3_step(s), "eliminar");
                }
                Ejecutar(conexion, "COMMIT");
                for (auto& arbol : arboles)
                    arbol.clear();
                LlenarArbolesDesnudos(conexion, arboles, *barra);
            });
            sqlite3_finalize(letras);
            sqlite3_finalize(canciones);
            Verificar(Contar(conexion, "SELECT count(*) FROM CANCIONES") == restantes,
                      "delete-header, referencia");
            for (auto& arbol : arboles)
                arbol.clear();
            return segundos;
        };
        Informar(QStringLiteral("delete-header-100k"), MedirPareja(3, nuestro, referencia), 2.0);
        for (const char* final : {"", "-wal", "-shm"})
            QFile::remove(trabajo + QLatin1String(final));
    }
}

// ---------------------------------------------------------------------------------------------------
// delete-selected-1k

void MedirSeleccion(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    for (Tamano tamano : tamanos) {
        const QString base = Derivado(contexto, tamano, QStringLiteral("seleccion"), [](sqlite3* c) {
            AnadirRuta(c, CabeceraPrueba, RutaSeleccion, 2000, false, nullptr);
        });
        // Every other song of the route, as lines picked out of its list.
        std::vector<catalogo::IdCancion> elegidas;
        {
            ConexionDesnuda conexion(base);
            sqlite3_stmt* s = nullptr;
            Comprobar(conexion,
                      sqlite3_prepare_v2(conexion,
                                         "SELECT rowid FROM CANCIONES WHERE CABECERA = ?1 AND RUTA = ?2 "
                                         "ORDER BY REL_POS",
                                         -1, &s, nullptr),
                      "preparar");
            Enlazar(s, 1, CabeceraPrueba);
            Enlazar(s, 2, RutaSeleccion);
            for (int k = 0; sqlite3_step(s) == SQLITE_ROW; ++k)
                if (k % 2 == 0)
                    elegidas.push_back(sqlite3_column_int64(s, 0));
            sqlite3_finalize(s);
        }
        Verificar(elegidas.size() == 1000, "delete-selected, selección");
        const QString trabajo = QDir(contexto.directorioDatos).filePath(QStringLiteral("trabajo.mdb"));
        const int restantes = int(tamano) + 1000;

        auto nuestro = [&] {
            Copiar(base, trabajo);
            BBDD::RutaBaseDatos = trabajo;
            BBDD::AbrirBaseDatos();
            int eliminadas = 0;
            const double segundos =
                Cronometrar([&] { eliminadas = catalogo::EliminarCanciones(*BBDD::BaseDatos, elegidas); });
            Verificar(eliminadas == 1000 &&
                          Contar(BBDD::BaseDatos->Conexion(), "SELECT count(*) FROM CANCIONES") == restantes,
                      "delete-selected, nuestro");
            BBDD::CerrarBaseDatos();
            return segundos;
        };
        auto referencia = [&] {
            Copiar(base, trabajo);
            ConexionDesnuda conexion(trabajo);
            const double segundos = Cronometrar([&] {
                QByteArray sql = "DELETE FROM CANCIONES WHERE rowid IN (";
                for (std::size_t k = 0; k < elegidas.size(); ++k)
                    sql += (k ? "," : "") + QByteArray::number(elegidas[k]);
                Ejecutar(conexion, sql + ")");
            });
            Verificar(Contar(conexion, "SELECT count(*) FROM CANCIONES") == restantes,
                      "delete-selected, referencia");
            return segundos;
        };
        Informar(QStringLiteral("delete-selected-1k-in-%1").arg(Sufijo(tamano)),
                 MedirPareja(5, nuestro, referencia), 3.0);
        for (const char* final : {"", "-wal", "-shm"})
            QFile::remove(trabajo + QLatin1String(final));
    }
}

// ---------------------------------------------------------------------------------------------------
// reorder-10k and batch-save-10k, on the same route of 10,000 songs

// Measures a change of every song of a route of 10,000 songs added to the catalogue: ours through the
// layer's connection, the reference through a bare connection on the same file. Each side gets the
// number of its turn and returns the songs it changed.
void MedirRutaDiezMil(const Contexto& contexto, const std::vector<Tamano>& tamanos, const QString& nombre,
                      const std::function<int(int vuelta)>& nuestro,
                      const std::function<int(sqlite3* conexion, int vuelta)>& referencia) {
    for (Tamano tamano : tamanos) {
        BBDD::RutaBaseDatos = Derivado(contexto, tamano, QStringLiteral("ruta-grande"), [](sqlite3* c) {
            AnadirRuta(c, CabeceraPrueba, RutaGrande, 10'000, false, nullptr);
        });
        BBDD::AbrirBaseDatos();
        ConexionDesnuda conexion(BBDD::RutaBaseDatos);
        int vueltaNuestra = 0, vueltaReferencia = 0;
        auto medir = [&](const char* lado, const std::function<int()>& cambio) {
            int cambiadas = 0;
            const double segundos = Cronometrar([&] { cambiadas = cambio(); });
            Verificar(cambiadas == 10'000, lado);
            return segundos;
        };
        const Pareja pareja = MedirPareja(
            6, [&] { return medir("nuestro", [&] { return nuestro(vueltaNuestra++); }); },
            [&] { return medir("referencia", [&] { return referencia(conexion, vueltaReferencia++); }); });
        BBDD::CerrarBaseDatos();
        Informar(QStringLiteral("%1-in-%2").arg(nombre, Sufijo(tamano)), pareja, 3.0);
    }
}

// Runs one statement with the route's header and path as parameters 1 and 2; returns the rows changed.
int EnLaRuta(sqlite3* conexion, const QByteArray& sql, const QString& valor = {}) {
    sqlite3_stmt* s = nullptr;
    Comprobar(conexion, sqlite3_prepare_v2(conexion, sql.constData(), -1, &s, nullptr), "preparar");
    Enlazar(s, 1, CabeceraPrueba);
    Enlazar(s, 2, RutaGrande);
    if (!valor.isNull())
        Enlazar(s, 3, valor);
    Comprobar(conexion, sqlite3_step(s), "escribir la ruta");
    sqlite3_finalize(s);
    return sqlite3_changes(conexion);
}

void MedirReordenar(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    MedirRutaDiezMil(
        contexto, tamanos, QStringLiteral("reorder-10k"),
        [](int vuelta) {
            return catalogo::ReordenarRuta(
                *BBDD::BaseDatos, {CabeceraPrueba, RutaGrande}, catalogo::CampoOrden::Autor,
                vuelta % 2 ? catalogo::Sentido::Descendente : catalogo::Sentido::Ascendente);
        },
        [](sqlite3* conexion, int vuelta) {
            const QByteArray d = vuelta % 2 ? " DESC" : " ASC";
            return EnLaRuta(conexion,
                            "UPDATE CANCIONES SET REL_POS = orden.posicion FROM (SELECT rowid AS id, "
                            "row_number() OVER (ORDER BY AUTOR" +
                                d + ", TITULO" + d + ", EXTENSION" + d + ", LONGITUD" + d +
                                ") AS posicion FROM CANCIONES WHERE CABECERA = ?1 AND RUTA = ?2) AS orden "
                                "WHERE CANCIONES.rowid = orden.id");
        });
}

void MedirLote(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    MedirRutaDiezMil(
        contexto, tamanos, QStringLiteral("batch-save-10k"),
        [](int vuelta) {
            catalogo::CamposLote campos;
            campos.autor = QStringLiteral("Autor del lote %1").arg(vuelta);
            return catalogo::GuardarLote(*BBDD::BaseDatos, {CabeceraPrueba, RutaGrande}, campos);
        },
        [](sqlite3* conexion, int vuelta) {
            return EnLaRuta(conexion, "UPDATE CANCIONES SET AUTOR = ?3 WHERE CABECERA = ?1 AND RUTA = ?2",
                            QStringLiteral("Autor del lote %1").arg(vuelta));
        });
}

const bool registradas =
    Registrar({QStringLiteral("delete-header-100k"), {Tamano::Un_M}, MedirCabecera}) &&
    Registrar({QStringLiteral("delete-selected-1k"), {Tamano::Diez_k, Tamano::Un_M}, MedirSeleccion}) &&
    Registrar({QStringLiteral("reorder-10k"), {Tamano::Diez_k, Tamano::Un_M}, MedirReordenar}) &&
    Registrar({QStringLiteral("batch-save-10k"), {Tamano::Diez_k, Tamano::Un_M}, MedirLote});

} // namespace

} // namespace bench
