// open-N: opening the catalogue and filling the three trees of the real windows, against the same file
// opened through the raw SQLite C API with the same collation registered, the same distinct pairs
// stepped by hand into three bare QTreeWidgets, a progress bar following both.

#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"
#include "VentanasBench.h"

#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "store/BBDD.h"
#include "trees/Arboles.h"
#include "trees/ArbolesVentanas.h"

#include <QFile>
#include <QProgressBar>
#include <QTreeWidget>

#include <array>
#include <sqlite3.h>

namespace bench {

namespace {

double Nuestro(const QString& catalogo, QWidget& splash) {
    BBDD::RutaBaseDatos = catalogo;
    const double segundos = Cronometrar([&] {
        BBDD::AbrirBaseDatos();
        CargarArboles(&splash);
    });
    VaciarArboles();
    BBDD::CerrarBaseDatos();
    return segundos;
}

// The limit of the stack: the file opened through the raw C API with the catalogue's collation, the
// distinct pairs stepped by hand and counted for the progress bar, each tree built apart and attached once.
double Referencia(const QString& catalogo, std::array<QTreeWidget, 3>& arboles, QProgressBar& barra) {
    const auto& imagenes = Ventanas::Aux().ImageList1;
    const QIcon raiz = imagenes.value(Arboles::ImagenRaizCerrado);
    const QIcon cabecera = imagenes.value(Arboles::ImagenCabecera);
    const QIcon directorio = imagenes.value(Arboles::ImagenDirectorio);
    sqlite3* conexion = nullptr;
    const double segundos = Cronometrar([&] {
        Comprobar(conexion,
                  sqlite3_open_v2(QFile::encodeName(catalogo).constData(), &conexion, SQLITE_OPEN_READWRITE,
                                  nullptr),
                  "abrir el catálogo");
        RegistrarIntercalacion(conexion);
        sqlite3_stmt* pares = nullptr;
        Comprobar(conexion,
                  sqlite3_prepare_v2(conexion,
                                     "SELECT DISTINCT CABECERA, RUTA FROM CANCIONES ORDER BY CABECERA, RUTA",
                                     -1, &pares, nullptr),
                  "preparar los pares");
        std::vector<std::pair<QString, QString>> filas;
        while (sqlite3_step(pares) == SQLITE_ROW)
            filas.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(pares, 0)),
                                                 sqlite3_column_bytes(pares, 0)),
                               QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(pares, 1)),
                                                 sqlite3_column_bytes(pares, 1)));
        sqlite3_finalize(pares);
        barra.setRange(0, int(filas.size()));
        std::array<QTreeWidgetItem*, 3> raices{};
        std::array<QTreeWidgetItem*, 3> cabeceras{};
        for (auto& nodo : raices) {
            nodo = new QTreeWidgetItem(QStringList{Arboles::TextoRaiz});
            nodo->setData(0, Qt::UserRole, Arboles::ClaveRaiz);
            nodo->setIcon(0, raiz);
        }
        int i = 0, j = 0;
        for (size_t k = 0; k < filas.size(); ++k) {
            const auto& [c, r] = filas[k];
            if (k == 0 || c != filas[k - 1].first) {
                ++i;
                j = 0;
                const QString clave = Arboles::ClaveCabecera(i);
                for (int t = 0; t < 3; ++t) {
                    cabeceras[t] = new QTreeWidgetItem(raices[t], QStringList{c});
                    cabeceras[t]->setData(0, Qt::UserRole, clave);
                    cabeceras[t]->setIcon(0, cabecera);
                }
            }
            const QString clave = Arboles::ClaveRuta(i, ++j);
            for (int t = 0; t < 3; ++t) {
                auto* nodo = new QTreeWidgetItem(cabeceras[t], QStringList{r});
                nodo->setData(0, Qt::UserRole, clave);
                nodo->setIcon(0, directorio);
            }
            barra.setValue(int(k));
        }
        for (int t = 0; t < 3; ++t)
            arboles[t].addTopLevelItem(raices[t]);
    });
    sqlite3_close(conexion);
    for (auto& arbol : arboles)
        arbol.clear();
    return segundos;
}

int Vueltas(Tamano tamano) {
    return tamano == Tamano::Diez_k ? 31 : tamano == Tamano::Cien_k ? 9 : 5;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    PrepararVentanas();
    // A stand-in for the splash window, its progress bar followed by both sides.
    QWidget splash;
    auto* barra = new QProgressBar(&splash);
    barra->setObjectName(QStringLiteral("ProgressBar"));
    std::array<QTreeWidget, 3> arboles;
    std::vector<Pareja> parejas;
    for (Tamano tamano : tamanos) {
        const QString catalogo = Preparar(contexto, tamano);
        const Pareja pareja = MedirPareja(
            Vueltas(tamano), [&] { return Nuestro(catalogo, splash); },
            [&] { return Referencia(catalogo, arboles, *barra); });
        Ratio(QStringLiteral("open-%1").arg(Sufijo(tamano)), pareja.Ratio(), 1.3);
        Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms")
                    .arg(pareja.nuestro * 1000, 0, 'f', 1)
                    .arg(pareja.referencia * 1000, 0, 'f', 1));
        parejas.push_back(pareja);
    }
    // Growth with the catalogue: from one size to the next, how much faster our time grows than the
    // reference's. The stack itself grows faster than the number of songs (a tree of 10,000 songs
    // stays in the processor's caches, one of 1,000,000 does not), so the reference's growth is the
    // yardstick; a walk of all headers per row would show here as a ratio far above 1.
    if (parejas.size() > 1) {
        double peor = 0;
        for (size_t k = 1; k < parejas.size(); ++k) {
            const double nuestro = parejas[k].nuestro / parejas[k - 1].nuestro;
            const double referencia = parejas[k].referencia / parejas[k - 1].referencia;
            peor = std::max(peor, nuestro / referencia);
            Detalle(QStringLiteral("de %1 a %2 canciones: nuestro tiempo x%3, el de la referencia x%4")
                        .arg(int(tamanos[k - 1]))
                        .arg(int(tamanos[k]))
                        .arg(nuestro, 0, 'f', 1)
                        .arg(referencia, 0, 'f', 1));
        }
        Ratio(QStringLiteral("open-linear"), peor, 1.2);
    }
}

const bool registrada =
    Registrar({QStringLiteral("open"), {Tamano::Diez_k, Tamano::Cien_k, Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
