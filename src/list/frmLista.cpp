#include "list/frmLista.h"

#include "shell/MenusComunes.h"
#include "trees/ArbolNodos.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QTreeWidget>

frmLista::frmLista(QWidget* padre) : QMainWindow(padre) {
    setWindowTitle(QStringLiteral("Cantorio - Lista"));
    auto* centro = new QSplitter(this);
    TreeViewLista = new ArbolNodos(centro);
    ListaListView = new QTreeWidget(centro);
    setCentralWidget(centro);
    AnadirMenuVer(this, VentanaPrincipal::Lista);
    mnuOpcionesGuardarSincronismo = menuBar()->addMenu(QStringLiteral("&Opciones"))
                                        ->addAction(QStringLiteral("&Arboles Sincronizados"));
    mnuOpcionesGuardarSincronismo->setCheckable(true);
    AnadirMenuAyuda(this);
    for (QLabel** imagen : {&imgIzda, &imgExpandRaiz, &imgSep1, &imgExpandCabecera, &imgSep2, &imgExpandRuta,
                            &imgSep3, &imgImprimir, &imgDcha})
        *imagen = new QLabel(this);
}

void frmLista::TreeViewLista_Click() {}
