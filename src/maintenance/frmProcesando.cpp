#include "maintenance/frmProcesando.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr int MilisegundosEntreRepintados = 40;
}

frmProcesando::frmProcesando(QWidget* padre)
    : VentanaProgreso(QStringLiteral("Procesando..."), padre),
      txtNombreDir(new QLineEdit(QStringLiteral("Directorio:"), this)) {
    txtNombreDir->setObjectName(QStringLiteral("txtNombreDir"));
    txtNombreDir->setReadOnly(true);
    txtNombreDir->setFocusPolicy(Qt::NoFocus);
    Disposicion()->insertWidget(0, txtNombreDir);
    resize(420, sizeHint().height());
    ultimoRepintado_.start();
}

void frmProcesando::Repintar() {
    VentanaProgreso::Repintar();
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
