// route-1k-N and route-1k-intelligent-N: a click on a route of 1,000 songs in the list window, with the
// trees synchronised as the user has them, so that the click also fills the song lists of the
// maintenance window's two trees (intelligent lyric search off and on), against the route read once
// through the raw SQLite C API on the same file and put into three bare views: the five columns of the
// list, the size formatted as the list formats it, and the two lists of "AUTOR -- TITULO" lines. With
// the intelligent search the reference computes the marks in the same statement, a semi-join on the
// title.
//
// The generated catalogues get, in a copy of their own, one more route of 1,000 songs whose titles are
// titles of other routes, and one song in ten of the whole catalogue gets a lyric number.

#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"
#include "VentanasBench.h"

#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Estado.h"
#include "shell/Ventanas.h"
#include "store/BBDD.h"
#include "trees/ArbolNodos.h"
#include "trees/ArbolesVentanas.h"
#include "trees/GestorArboles.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLocale>
#include <QTreeWidget>

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

constexpr int CancionesRuta = 1000;
constexpr int ClicsPorVuelta = 5;
const QString CabeceraPrueba = QStringLiteral("Zeta lista de prueba");
const QString RutaPrueba = QStringLiteral("\\Mil canciones\\");

// The route of 1,000 songs and the lyric numbers.
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
        Ejecutar(conexion, sql.toUtf8().constData());
    }
    Ejecutar(conexion, "COMMIT");
}

QString PrepararCopia(const Contexto& contexto, Tamano tamano) {
    const QString original = Preparar(contexto, tamano);
    const QString copia =
        QDir(contexto.directorioDatos).filePath(QStringLiteral("lista-%1.mdb").arg(Sufijo(tamano)));
    for (const char* final : {"", "-wal", "-shm"})
        QFile::remove(copia + QLatin1String(final));
    if (!QFile::copy(original, copia))
        throw std::runtime_error("route-1k: no se pudo copiar el catálogo");
    ConexionDesnuda conexion(copia);
    Completar(conexion, tamano);
    return copia;
}

// What a list shows, row by row, column texts joined: the same on both sides.
QStringList Textos(const QAbstractItemView& lista) {
    QStringList textos;
    const QAbstractItemModel* modelo = lista.model();
    for (int k = 0; k < modelo->rowCount(); ++k) {
        QStringList celdas;
        for (int c = 0; c < modelo->columnCount(); ++c)
            celdas << modelo->index(k, c).data().toString();
        textos << celdas.join(u'|');
    }
    return textos;
}

QStringList Textos(const QTreeWidget& lista) {
    QStringList textos;
    for (int k = 0; k < lista.topLevelItemCount(); ++k) {
        QStringList celdas;
        for (int c = 0; c < lista.columnCount(); ++c)
            celdas << lista.topLevelItem(k)->text(c);
        textos << celdas.join(u'|');
    }
    return textos;
}

QStringList Textos(const QListWidget& lista) {
    QStringList textos;
    for (int k = 0; k < lista.count(); ++k)
        textos << lista.item(k)->text();
    return textos;
}

double Nuestro(frmLista& lista, bool inteligente) {
    lista.BusquedaInteligente = inteligente;
    QTreeWidgetItem* nodo = lista.TreeViewLista->NodoSeleccionado();
    const double segundos = Cronometrar([&] {
        for (int k = 0; k < ClicsPorVuelta; ++k)
            emit lista.TreeViewLista->itemClicked(nodo, 0);
    });
    if (lista.ListaListView->model()->rowCount() != CancionesRuta)
        throw std::runtime_error("route-1k: la lista no muestra las 1.000 canciones");
    return segundos;
}

QString Texto(sqlite3_stmt* sentencia, int columna) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna)),
                             sqlite3_column_bytes(sentencia, columna));
}

// The three bare views of the reference, set up as the program's own.
struct Vistas {
    Vistas() {
        lista.setColumnCount(5);
        lista.setRootIsDecorated(false);
        lista.setUniformRowHeights(true);
        for (QListWidget* otra : {&eliminar, &modificar})
            otra->setUniformItemSizes(true);
        formato.setNumberOptions(QLocale::DefaultNumberOptions);
    }
    QTreeWidget lista;
    QListWidget eliminar, modificar;
    QLocale formato = QLocale::system();
};

double Referencia(sqlite3* conexion, bool inteligente, Vistas& vistas) {
    const char* sql = inteligente
                          ? "SELECT AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, IDX_CANCION = 0 AND "
                            "EXISTS (SELECT 1 FROM CANCIONES AS L WHERE L.TITULO = C.TITULO AND "
                            "L.IDX_CANCION <> 0) FROM CANCIONES AS C WHERE CABECERA = ? AND RUTA = ? "
                            "ORDER BY REL_POS"
                          : "SELECT AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, 0 FROM CANCIONES "
                            "WHERE CABECERA = ? AND RUTA = ? ORDER BY REL_POS";
    sqlite3_stmt* sentencia = nullptr;
    Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &sentencia, nullptr), "preparar la ruta");
    const QByteArray cabecera = CabeceraPrueba.toUtf8();
    const QByteArray ruta = RutaPrueba.toUtf8();
    sqlite3_bind_text(sentencia, 1, cabecera.constData(), int(cabecera.size()), SQLITE_STATIC);
    sqlite3_bind_text(sentencia, 2, ruta.constData(), int(ruta.size()), SQLITE_STATIC);
    const QString separador = QStringLiteral(" -- ");
    const double segundos = Cronometrar([&] {
        for (int k = 0; k < ClicsPorVuelta; ++k) {
            vistas.lista.clear();
            vistas.eliminar.clear();
            vistas.modificar.clear();
            QList<QTreeWidgetItem*> filas;
            QStringList lineas;
            while (sqlite3_step(sentencia) == SQLITE_ROW) {
                const QString autor = Texto(sentencia, 0);
                const QString titulo = Texto(sentencia, 1);
                const QString marca = sqlite3_column_int(sentencia, 4) != 0 ? QStringLiteral("S")
                                      : sqlite3_column_int(sentencia, 5)    ? QStringLiteral("?")
                                                                            : QStringLiteral("N");
                auto* fila = new QTreeWidgetItem(
                    QStringList{autor, titulo, Texto(sentencia, 2),
                                vistas.formato.toString(sqlite3_column_int64(sentencia, 3)), marca});
                fila->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
                fila->setTextAlignment(4, Qt::AlignHCenter | Qt::AlignVCenter);
                filas << fila;
                lineas << autor + separador + titulo;
            }
            sqlite3_reset(sentencia);
            vistas.lista.addTopLevelItems(filas);
            vistas.eliminar.addItems(lineas);
            vistas.modificar.addItems(lineas);
        }
    });
    sqlite3_finalize(sentencia);
    return segundos;
}

// Both sides must show the same texts in the same order, or they did not do the same work.
void Comparar(frmLista& lista, const Vistas& vistas) {
    const frmActualizacion& actualizacion = Ventanas::Actualizacion();
    if (Textos(*lista.ListaListView) != Textos(vistas.lista) ||
        Textos(*actualizacion.listaCancionesEliminar) != Textos(vistas.eliminar) ||
        Textos(*actualizacion.listaCancionesModificar) != Textos(vistas.modificar))
        throw std::runtime_error("route-1k: la referencia no muestra lo mismo que el programa");
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    PrepararVentanas();
    frmLista& lista = Ventanas::Lista();
    for (Tamano tamano : tamanos) {
        BBDD::RutaBaseDatos = PrepararCopia(contexto, tamano);
        BBDD::AbrirBaseDatos();
        CargarArboles(nullptr);
        const QString clave =
            BuscarCabecera(CabeceraPrueba).replace(0, 9, QStringLiteral("2-")) + QStringLiteral("-000001");
        lista.TreeViewLista->Seleccionar(clave);
        // The start value: a click also fills the maintenance window's lists.
        GestorArboles::Instancia().SetSincronizados(true);

        const ConexionDesnuda conexion(BBDD::RutaBaseDatos);
        Vistas vistas;
        for (const bool inteligente : {false, true}) {
            const Pareja pareja = MedirPareja(
                5, [&] { return Nuestro(lista, inteligente); },
                [&] { return Referencia(conexion, inteligente, vistas); });
            Comparar(lista, vistas);
            const QString nombre =
                inteligente ? QStringLiteral("route-1k-intelligent") : QStringLiteral("route-1k");
            Ratio(QStringLiteral("%1-%2").arg(nombre, Sufijo(tamano)), pareja.Ratio(),
                  inteligente ? 1.5 : 1.3);
            Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms por clic")
                        .arg(pareja.nuestro * 1e3 / ClicsPorVuelta, 0, 'f', 2)
                        .arg(pareja.referencia * 1e3 / ClicsPorVuelta, 0, 'f', 2));
        }
        VaciarArboles();
        BBDD::CerrarBaseDatos();
    }
}

const bool registrada = Registrar({QStringLiteral("route-1k"), {Tamano::Diez_k, Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
