#include "maintenance/frmEliminando.h"

#include <QProgressBar>
#include <QPushButton>

frmEliminando::frmEliminando(QWidget* padre) : VentanaProgreso(QStringLiteral("Eliminando Base..."), padre) {
    resize(360, sizeHint().height());
}

void frmEliminando::Rotulo(const QString& rotulo) {
    setWindowTitle(rotulo);
    Repintar();
}

void frmEliminando::Terminar() {
    ProgressBar->setValue(ProgressBar->maximum());
    setWindowTitle(QStringLiteral("Terminado"));
    cmdHecho->setEnabled(true);
    cmdHecho->setFocus();
    Repintar();
}
