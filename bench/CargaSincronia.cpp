// sync-expand-10k: "Expandir T&odo" from the list tree's popup on a catalogue of 10,000 headers and
// 100,000 routes, the three trees synchronised, against expandAll() on three bare QTreeWidgets holding
// the same nodes. Both start from every tree collapsed; the collapsing stays outside the timing.

#include "ArbolesDesnudos.h"
#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"
#include "VentanasBench.h"

#include "list/frmLista.h"
#include "store/BBDD.h"
#include "trees/ArbolNodos.h"
#include "trees/GestorArboles.h"

#include <QAction>
#include <QFile>
#include <QProgressBar>

#include <array>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

double Nuestro(frmLista& lista) {
    GestorArboles& arboles = GestorArboles::Instancia();
    arboles.ExpandirArboles(GestorArboles::ContraerTodo, lista.TreeViewLista);
    const double segundos = Cronometrar([&] { lista.mnuPopUpExpandirTodo->trigger(); });
    for (ArbolNodos* arbol : arboles.Arboles())
        if (arbol->Cabeceras().isEmpty() || !arbol->Cabeceras().last()->isExpanded())
            throw std::runtime_error("sync-expand: un árbol no quedó expandido");
    return segundos;
}

double Referencia(std::array<QTreeWidget, 3>& arboles) {
    for (QTreeWidget& arbol : arboles)
        arbol.collapseAll();
    return Cronometrar([&] {
        for (QTreeWidget& arbol : arboles)
            arbol.expandAll();
    });
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    PrepararVentanas();
    frmLista& lista = Ventanas::Lista();
    for (Tamano tamano : tamanos) {
        BBDD::RutaBaseDatos = Preparar(contexto, tamano);
        BBDD::AbrirBaseDatos();
        CargarArboles(nullptr);
        GestorArboles::Instancia().SetSincronizados(true);

        std::array<QTreeWidget, 3> desnudos;
        QProgressBar barra;
        sqlite3* conexion = nullptr;
        Comprobar(conexion,
                  sqlite3_open_v2(QFile::encodeName(BBDD::RutaBaseDatos).constData(), &conexion,
                                  SQLITE_OPEN_READONLY, nullptr),
                  "abrir el catálogo");
        RegistrarIntercalacion(conexion);
        LlenarArbolesDesnudos(conexion, desnudos, barra);
        sqlite3_close(conexion);

        const Pareja pareja = MedirPareja(
            5, [&] { return Nuestro(lista); }, [&] { return Referencia(desnudos); });
        Ratio(QStringLiteral("sync-expand-%1").arg(NumeroCabeceras(tamano) / 1000) + u'k', pareja.Ratio(),
              2.0);
        Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms (%3 cabeceras, %4 rutas)")
                    .arg(pareja.nuestro * 1000, 0, 'f', 1)
                    .arg(pareja.referencia * 1000, 0, 'f', 1)
                    .arg(NumeroCabeceras(tamano))
                    .arg(NumeroRutas(tamano)));
        VaciarArboles();
        BBDD::CerrarBaseDatos();
    }
}

const bool registrada = Registrar({QStringLiteral("sync-expand"), {Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
