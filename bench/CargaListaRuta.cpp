// route-1k-N and route-1k-intelligent-N: a click on a route of 1,000 songs in the list window (its
// song list emptied and filled again, intelligent lyric search off and on), against the same rows read
// by equality in plain SQLite and put into a bare QTreeWidget.
//
// The generated catalogues get, in a copy of their own, one more route of 1,000 songs whose titles are
// titles of other routes, and one song in ten of the whole catalogue gets a lyric number.

#include "Generador.h"
#include "Medicion.h"
#include "VentanasBench.h"
#include "trees/GestorArboles.h"

#include "list/frmLista.h"
#include "shell/Estado.h"
#include "shell/Ventanas.h"
#include "store/BBDD.h"
#include "trees/ArbolNodos.h"
#include "trees/ArbolesVentanas.h"

#include <QDir>
#include <QFile>
#include <QTreeWidget>

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

constexpr int CancionesRuta = 1000;
constexpr int ClicsPorVuelta = 5;
const QString CabeceraPrueba = QStringLiteral("Zeta lista de prueba");
const QString RutaPrueba = QStringLiteral("\\Mil canciones\\");

void Ejecutar(sqlite3* conexion, const QByteArray& sql) {
    if (sqlite3_exec(conexion, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("route-1k: ") + sqlite3_errmsg(conexion));
}

// The route of 1,000 songs and the lyric numbers, written the same way into either file.
void Completar(sqlite3* conexion, Tamano tamano) {
    Ejecutar(conexion, "BEGIN");
    Ejecutar(conexion, "UPDATE CANCIONES SET IDX_CANCION = 1 WHERE REL_POS = 3");
    for (int p = 1; p <= CancionesRuta; ++p) {
        // Mostly titles of other routes; a few with an apostrophe, which search as patterns.
        const QString titulo = p % 100 == 0 ? QStringLiteral("It's number %1").arg(p)
                                            : QStringLiteral("Canción %1 del álbum %2")
                                                  .arg(p % CancionesPorRuta + 1)
                                                  .arg(qint64(p) * 37 % NumeroRutas(tamano));
        const QString sql =
            QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, "
                           "LONGITUD, IDX_CANCION, REL_POS) VALUES ('%1', '%2', 'Artista %3', "
                           "'%4', 'mp3', %5, %6, %7)")
                .arg(CabeceraPrueba, RutaPrueba)
                .arg(p % 50)
                .arg(QString(titulo).replace(u'\'', QStringLiteral("''")))
                .arg(3'000'000 + p * 1234)
                .arg(p % 5 == 0 ? 1 : 0)
                .arg(p);
        Ejecutar(conexion, sql.toUtf8());
    }
    Ejecutar(conexion, "COMMIT");
}

Catalogos PrepararCopias(const Contexto& contexto, Tamano tamano) {
    const Catalogos originales = Preparar(contexto, tamano);
    const QDir datos(contexto.directorioDatos);
    const Catalogos copias{datos.filePath(QStringLiteral("lista-%1.mdb").arg(Sufijo(tamano))),
                           datos.filePath(QStringLiteral("lista-referencia-%1.db").arg(Sufijo(tamano)))};
    for (const QString& ruta : {copias.catalogo, copias.referencia})
        for (const char* final : {"", "-wal", "-shm"})
            QFile::remove(ruta + QLatin1String(final));
    if (!QFile::copy(originales.catalogo, copias.catalogo) ||
        !QFile::copy(originales.referencia, copias.referencia))
        throw std::runtime_error("route-1k: no se pudieron copiar los catálogos");
    {
        // The layer's own connection, so that the collations of the file's indexes are in place.
        auto base = dao::Database::OpenDatabase(copias.catalogo);
        Completar(base->Conexion(), tamano);
        base->Close();
    }
    sqlite3* referencia = nullptr;
    sqlite3_open_v2(copias.referencia.toUtf8().constData(), &referencia, SQLITE_OPEN_READWRITE, nullptr);
    Completar(referencia, tamano);
    sqlite3_close(referencia);
    return copias;
}

double Nuestro(frmLista& lista, bool inteligente) {
    lista.BusquedaInteligente = inteligente;
    const double segundos = Cronometrar([&] {
        for (int k = 0; k < ClicsPorVuelta; ++k)
            lista.TreeViewLista_Click();
    });
    if (lista.ListaListView->topLevelItemCount() != CancionesRuta)
        throw std::runtime_error("route-1k: la lista no muestra las 1.000 canciones");
    return segundos;
}

QString Texto(sqlite3_stmt* sentencia, int columna) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna)),
                             sqlite3_column_bytes(sentencia, columna));
}

double Referencia(sqlite3* conexion, QTreeWidget& lista) {
    const QByteArray sql =
        (QStringLiteral("SELECT AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION FROM CANCIONES "
                        "WHERE CABECERA = '%1' AND RUTA = '%2' ORDER BY REL_POS")
             .arg(CabeceraPrueba, RutaPrueba))
            .toUtf8();
    return Cronometrar([&] {
        for (int k = 0; k < ClicsPorVuelta; ++k) {
            lista.clear();
            QList<QTreeWidgetItem*> filas;
            sqlite3_stmt* sentencia = nullptr;
            sqlite3_prepare_v2(conexion, sql.constData(), int(sql.size()), &sentencia, nullptr);
            while (sqlite3_step(sentencia) == SQLITE_ROW) {
                auto* fila = new QTreeWidgetItem(QStringList{
                    Texto(sentencia, 0), Texto(sentencia, 1), Texto(sentencia, 2),
                    QString::number(sqlite3_column_int(sentencia, 3)),
                    sqlite3_column_int(sentencia, 4) ? QStringLiteral("S") : QStringLiteral("N")});
                filas << fila;
            }
            sqlite3_finalize(sentencia);
            lista.addTopLevelItems(filas);
        }
    });
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    PrepararVentanas();
    frmLista& lista = Ventanas::Lista();
    for (Tamano tamano : tamanos) {
        const Catalogos ficheros = PrepararCopias(contexto, tamano);
        BBDD::RutaBaseDatos = ficheros.catalogo;
        BBDD::AbrirBaseDatos();
        CargarArboles(nullptr);
        const QString clave =
            BuscarCabecera(CabeceraPrueba).replace(0, 9, QStringLiteral("2-")) + QStringLiteral("-000001");
        lista.TreeViewLista->Seleccionar(clave);
        // The list window's own work: the maintenance trees' song lists are measured apart.
        GestorArboles::Instancia().SetSincronizados(false);

        sqlite3* conexion = nullptr;
        sqlite3_open_v2(ficheros.referencia.toUtf8().constData(), &conexion, SQLITE_OPEN_READONLY, nullptr);
        QTreeWidget bare;
        bare.setColumnCount(5);
        for (const bool inteligente : {false, true}) {
            const Pareja pareja = MedirPareja(
                5, [&] { return Nuestro(lista, inteligente); }, [&] { return Referencia(conexion, bare); });
            const QString nombre =
                inteligente ? QStringLiteral("route-1k-intelligent") : QStringLiteral("route-1k");
            Ratio(QStringLiteral("%1-%2").arg(nombre, Sufijo(tamano)), pareja.Ratio(),
                  inteligente ? 3.0 : 2.0);
            Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms por clic")
                        .arg(pareja.nuestro * 1e3 / ClicsPorVuelta, 0, 'f', 2)
                        .arg(pareja.referencia * 1e3 / ClicsPorVuelta, 0, 'f', 2));
        }
        GestorArboles::Instancia().SetSincronizados(true);
        const double sincronizado = Nuestro(lista, false);
        Detalle(QStringLiteral("con los árboles sincronizados: %1 ms por clic")
                    .arg(sincronizado * 1e3 / ClicsPorVuelta, 0, 'f', 2));
        sqlite3_close(conexion);
        VaciarArboles();
        BBDD::CerrarBaseDatos();
    }
}

const bool registrada = Registrar({QStringLiteral("route-1k"), {Tamano::Diez_k, Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
