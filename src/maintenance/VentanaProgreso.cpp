#include "maintenance/VentanaProgreso.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

VentanaProgreso::VentanaProgreso(const QString& titulo, QWidget* padre)
    : QWidget(padre, Qt::Dialog), ProgressBar(new QProgressBar(this)),
      cmdHecho(new QPushButton(QStringLiteral("Hecho!"), this)), disposicion_(new QVBoxLayout(this)) {
    setWindowTitle(titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    cmdHecho->setObjectName(QStringLiteral("cmdHecho"));
    cmdHecho->setEnabled(false);
    disposicion_->addWidget(ProgressBar);
    disposicion_->addWidget(cmdHecho, 0, Qt::AlignHCenter);
    connect(cmdHecho, &QPushButton::clicked, this, &VentanaProgreso::cmdHecho_Click);
}

void VentanaProgreso::Repintar() {
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void VentanaProgreso::cmdHecho_Click() {
    close();
}
