#include "shell/MenusComunes.h"

#include <QMainWindow>
#include <QMenuBar>

QMenu* AnadirMenuVer(QMainWindow* ventana, VentanaPrincipal) {
    return ventana->menuBar()->addMenu(QStringLiteral("&Ver"));
}

QMenu* AnadirMenuAyuda(QMainWindow* ventana) { return ventana->menuBar()->addMenu(QStringLiteral("&?")); }
