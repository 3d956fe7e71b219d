#include "queries/frmConsultas.h"

#include "shell/MenusComunes.h"

#include <QMdiArea>

frmConsultas::frmConsultas(QWidget* padre) : QMainWindow(padre), EspacioHijas(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("Cantorio - Consultas"));
    setCentralWidget(EspacioHijas);
    AnadirMenuVer(this, VentanaPrincipal::Consultas);
    AnadirMenuAyuda(this);
}
