#include "maintenance/frmActualizacion.h"

#include "shell/MenusComunes.h"
#include "trees/ArbolNodos.h"

#include <QAction>
#include <QListWidget>
#include <QMenuBar>
#include <QTabWidget>

frmActualizacion::frmActualizacion(QWidget* padre) : QMainWindow(padre) {
    setWindowTitle(QStringLiteral("Cantorio - Actualización"));
    auto* pestanas = new QTabWidget(this);
    pestanas->addTab(new QWidget, QStringLiteral("Añadir"));
    auto* eliminar = new QWidget;
    TreeViewEliminar = new ArbolNodos(eliminar);
    listaCancionesEliminar = new QListWidget(eliminar);
    pestanas->addTab(eliminar, QStringLiteral("Eliminar"));
    auto* modificar = new QWidget;
    TreeViewModificar = new ArbolNodos(modificar);
    listaCancionesModificar = new QListWidget(modificar);
    pestanas->addTab(modificar, QStringLiteral("Modificar"));
    setCentralWidget(pestanas);
    AnadirMenuVer(this, VentanaPrincipal::Actualizacion);
    mnuOpcionesGuardarSincronismo = menuBar()->addMenu(QStringLiteral("&Opciones"))
                                        ->addAction(QStringLiteral("&Arboles Sincronizados"));
    mnuOpcionesGuardarSincronismo->setCheckable(true);
    AnadirMenuAyuda(this);
}

void frmActualizacion::TreeViewEliminar_Click() {}
void frmActualizacion::TreeViewModificar_Click() {}
