#include "shell/MenusComunes.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

QMenu* AnadirMenuVer(QMainWindow* ventana, VentanaPrincipal) {
    return ventana->menuBar()->addMenu(QStringLiteral("&Ver"));
}

QMenu* AnadirMenuAyuda(QMainWindow* ventana) { return ventana->menuBar()->addMenu(QStringLiteral("&?")); }

void TerminarPrograma() { QApplication::quit(); }
