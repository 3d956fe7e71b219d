#include "maintenance/frmProcesando.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int MilisegundosEntreRepintados = 40;
}

frmProcesando::frmProcesando(QWidget* padre)
    : QWidget(padre, Qt::Dialog), txtNombreDir(new QLineEdit(QStringLiteral("Directorio:"), this)),
      ProgressBar(new QProgressBar(this)), cmdHecho(new QPushButton(QStringLiteral("Hecho!"), this)) {
    setWindowTitle(QStringLiteral("Procesando..."));
    setAttribute(Qt::WA_DeleteOnClose);
    txtNombreDir->setObjectName(QStringLiteral("txtNombreDir"));
    txtNombreDir->setReadOnly(true);
    txtNombreDir->setFocusPolicy(Qt::NoFocus);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    cmdHecho->setObjectName(QStringLiteral("cmdHecho"));
    cmdHecho->setEnabled(false);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(txtNombreDir);
    disposicion->addWidget(ProgressBar);
    disposicion->addWidget(cmdHecho, 0, Qt::AlignHCenter);
    resize(420, sizeHint().height());

    connect(cmdHecho, &QPushButton::clicked, this, &frmProcesando::cmdHecho_Click);
    ultimoRepintado_.start();
}

void frmProcesando::Repintar() {
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ultimoRepintado_.restart();
}

void frmProcesando::RepintarSiToca() {
    if (ultimoRepintado_.elapsed() >= MilisegundosEntreRepintados)
        Repintar();
}

void frmProcesando::Titulo(const QString& titulo) {
    setWindowTitle(titulo);
    Repintar();
}

void frmProcesando::Linea(const QString& texto) {
    txtNombreDir->setText(texto);
    RepintarSiToca();
}

void frmProcesando::Maximo(int maximo) {
    ProgressBar->setMaximum(maximo);
}

void frmProcesando::Avanzar() {
    ProgressBar->setValue(ProgressBar->value() + 1);
    RepintarSiToca();
}

void frmProcesando::cmdHecho_Click() {
    close();
}
