// The three trees under their owner, driven through the windows' menus: the expansion modes, the
// synchronisation switched on and off, and the guard that keeps mirroring from coming back.

#include "trees/GestorArboles.h"
#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Ventanas.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"
#include "trees/ArbolNodos.h"

#include <QAction>
#include <QListView>
#include <QTabBar>
#include <QTreeWidget>

#include "support/VistasPrueba.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString Raiz = QStringLiteral("RAIZ");
const QString Cabecera1 = QStringLiteral("1-000001-000001");
const QString Cabecera2 = QStringLiteral("1-000001-000002");
const QString Ruta21 = QStringLiteral("2-000002-000001");

class Arboles : public ::testing::Test {
protected:
    Arboles() : servicios(InstalarServiciosGuionados()) { GestorArboles::Instancia().SetSincronizados(true); }

    void Abrir(bool lleno) {
        if (lleno) {
            catalogo.AnadirCancion("CD1", "\\A\\", "Autor", "Uno");
            catalogo.AnadirCancion("CD2", "\\B\\", "Autor", "Dos");
            catalogo.AnadirCancion("CD2", "\\C\\", "Autor", "Tres");
        }
        ventanas = std::make_unique<VentanasPrueba>();
    }
    static frmLista& Lista() { return Ventanas::Lista(); }
    static frmActualizacion& Actualizacion() { return Ventanas::Actualizacion(); }
    static QList<ArbolNodos*> Todos() {
        return {Lista().TreeViewLista, Actualizacion().TreeViewEliminar, Actualizacion().TreeViewModificar};
    }
    // Root expanded, then each header's expansion, as a text: "R:+ 1:- 2:-".
    static QString Estado(const ArbolNodos* arbol) {
        QString texto = QStringLiteral("R:") + (arbol->Expandido(Raiz) ? u'+' : u'-');
        int k = 0;
        for (const QTreeWidgetItem* cabecera : arbol->Cabeceras())
            texto += QStringLiteral(" %1:").arg(++k) + (cabecera->isExpanded() ? u'+' : u'-');
        return texto;
    }
    static QString ImagenRaiz(bool abierta) {
        return abierta ? QStringLiteral("IMGRAIZABIERTO") : QStringLiteral("IMGRAIZCERRADO");
    }
    void Pulsar(ArbolNodos* arbol, const QString& clave) {
        arbol->Seleccionar(clave);
        emit arbol->itemClicked(arbol->Nodo(clave), 0);
    }

    ServiciosGuionados& servicios;
    CatalogoPrueba catalogo;
    std::unique_ptr<VentanasPrueba> ventanas;
};

// Each mode from the list tree's popup, on an empty and on a filled catalogue, in an order that also
// applies mode 2 after mode 3: every tree ends alike, the roots pictured by their state, the other
// trees' selection on the node mirroring would leave, the file list emptied.
TEST_F(Arboles, LosTresModosEnUnArbolVacioYEnUnoLleno) {
    for (const bool lleno : {false, true}) {
        SCOPED_TRACE(lleno ? "lleno" : "vacío");
        Abrir(lleno);
        const struct {
            QAction* frmLista::*item;
            const char* estado;
            const char* estadoVacio;
            QString seleccion;
        } pasos[] = {
            {&frmLista::mnuPopUpExpandirTodo, "R:+ 1:+ 2:+", "R:+", Cabecera2},
            {&frmLista::mnuPopUpExpandirCabeceras, "R:+ 1:- 2:-", "R:+", Raiz},
            {&frmLista::mnuPopUpContraerTodo, "R:- 1:- 2:-", "R:-", Raiz},
        };
        for (const auto& paso : pasos) {
            if (lleno)
                Pulsar(Lista().TreeViewLista, Ruta21);
            (Lista().*paso.item)->trigger();
            const QString esperado = QString::fromLatin1(lleno ? paso.estado : paso.estadoVacio);
            for (ArbolNodos* arbol : Todos()) {
                EXPECT_EQ(Estado(arbol), esperado) << arbol->objectName().toStdString();
                EXPECT_EQ(arbol->Imagen(Raiz), ImagenRaiz(esperado.startsWith(QStringLiteral("R:+"))));
            }
            const QString seleccion = lleno ? paso.seleccion : Raiz;
            EXPECT_EQ(Actualizacion().TreeViewEliminar->ClaveSeleccionada(), seleccion) << paso.estado;
            EXPECT_EQ(Actualizacion().TreeViewModificar->ClaveSeleccionada(), seleccion) << paso.estado;
            EXPECT_EQ(Filas(Lista().ListaListView), 0);
        }
        // Collapsing everything while synchronised empties the maintenance lists as well.
        EXPECT_EQ(Filas(Actualizacion().listaCancionesEliminar), 0);
        EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());
        ventanas.reset();
    }
}

TEST_F(Arboles, SinSincronismoUnModoSoloCambiaSuArbol) {
    Abrir(true);
    Pulsar(Lista().TreeViewLista, Ruta21);
    ASSERT_EQ(Filas(Actualizacion().listaCancionesEliminar), 1);
    Lista().mnuOpcionesGuardarSincronismo->trigger();
    ASSERT_FALSE(GestorArboles::Instancia().Sincronizados());

    Actualizacion().mnuPopUpExpandTodoEliminar->trigger();
    EXPECT_EQ(Estado(Actualizacion().TreeViewEliminar), QStringLiteral("R:+ 1:+ 2:+"));
    EXPECT_EQ(Estado(Lista().TreeViewLista), QStringLiteral("R:- 1:- 2:-"));
    EXPECT_EQ(Estado(Actualizacion().TreeViewModificar), QStringLiteral("R:- 1:- 2:-"));
    EXPECT_EQ(Filas(Actualizacion().listaCancionesEliminar), 0); // its own list is emptied

    Lista().mnuPopUpContraerTodo->trigger();
    EXPECT_EQ(Filas(Actualizacion().listaCancionesModificar), 1);
    EXPECT_EQ(Lista().TreeViewLista->ClaveSeleccionada(), Ruta21);
    EXPECT_EQ(Actualizacion().TreeViewModificar->ClaveSeleccionada(), Ruta21);
}

// Switched on from the maintenance window while "Añadir" shows, the other trees copy TreeViewModificar;
// the five check marks follow the flag both ways.
TEST_F(Arboles, ActivarDesdeAnadirCopiaElArbolDeModificar) {
    Abrir(true);
    frmActualizacion& actualizacion = Actualizacion();
    const QList<QAction*> marcas{Lista().mnuOpcionesGuardarSincronismo, Lista().mnuPopUpSincronizados,
                                 actualizacion.mnuOpcionesGuardarSincronismo,
                                 actualizacion.mnuPopUpEliminarSincronizados,
                                 actualizacion.mnuPopUpModificarSincronizados};
    actualizacion.mnuPopUpModificarSincronizados->trigger();
    for (QAction* marca : marcas)
        EXPECT_FALSE(marca->isChecked());

    ArbolNodos* modificar = actualizacion.TreeViewModificar;
    modificar->SetExpandido(Raiz, true);
    modificar->SetExpandido(Cabecera2, true);
    modificar->Seleccionar(Ruta21);
    EXPECT_EQ(Estado(Lista().TreeViewLista), QStringLiteral("R:- 1:- 2:-"));

    actualizacion.Solapas->setCurrentIndex(0); // "Añadir"
    actualizacion.mnuPopUpEliminarSincronizados->trigger();
    for (QAction* marca : marcas)
        EXPECT_TRUE(marca->isChecked());
    for (ArbolNodos* arbol : Todos()) {
        EXPECT_EQ(Estado(arbol), QStringLiteral("R:+ 1:- 2:+"));
        EXPECT_EQ(arbol->Imagen(Raiz), ImagenRaiz(true));
        EXPECT_EQ(arbol->ClaveSeleccionada(), Ruta21);
    }
}

// Mirroring changes each other tree once: their own events find the flag lowered and go no further,
// and the flag is up again afterwards, also when an error unwinds a pause.
TEST_F(Arboles, LaGuardaImpideQueElReflejoVuelva) {
    Abrir(true);
    int eliminar = 0;
    int lista = 0;
    QObject::connect(Actualizacion().TreeViewEliminar, &QTreeWidget::itemExpanded, [&] { ++eliminar; });
    QObject::connect(Lista().TreeViewLista, &QTreeWidget::itemExpanded, [&] { ++lista; });
    Actualizacion().TreeViewModificar->SetExpandido(Raiz, true);
    EXPECT_EQ(eliminar, 1);
    EXPECT_EQ(lista, 1);
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());

    try {
        const GestorArboles::Pausa pausa(GestorArboles::Instancia());
        const GestorArboles::Pausa otra(GestorArboles::Instancia());
        throw dao::ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
    } catch (const dao::ErrorBD&) {
    }
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());
}

} // namespace
