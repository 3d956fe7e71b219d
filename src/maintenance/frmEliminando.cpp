#include "maintenance/frmEliminando.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmEliminando::frmEliminando(QWidget* padre)
    : QWidget(padre, Qt::Dialog), ProgressBar(new QProgressBar(this)),
      cmdHecho(new QPushButton(QStringLiteral("Hecho!"), this)) {
    setWindowTitle(QStringLiteral("Eliminando Base..."));
    setAttribute(Qt::WA_DeleteOnClose);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    cmdHecho->setObjectName(QStringLiteral("cmdHecho"));
    cmdHecho->setEnabled(false);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(ProgressBar);
    disposicion->addWidget(cmdHecho, 0, Qt::AlignHCenter);
    resize(360, sizeHint().height());

    connect(cmdHecho, &QPushButton::clicked, this, &frmEliminando::cmdHecho_Click);
}

void frmEliminando::Repintar() {
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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

void frmEliminando::cmdHecho_Click() {
    close();
}
