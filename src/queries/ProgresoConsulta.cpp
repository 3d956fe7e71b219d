#include "queries/ProgresoConsulta.h"

#include "store/BBDD.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {
// Events are handled at most this often while the statement runs.
constexpr qint64 RepasoMilisegundos = 50;
} // namespace

ProgresoConsulta::ProgresoConsulta(QWidget* padre) : padre_(padre) {
    reloj_.start();
    BBDD::BaseDatos->SetVigilante([this] { return Vigilar(); });
}

ProgresoConsulta::~ProgresoConsulta() {
    if (BBDD::BaseDatos)
        BBDD::BaseDatos->SetVigilante({});
}

bool ProgresoConsulta::Vigilar() {
    if (cancelada_)
        return true;
    const qint64 ahora = reloj_.elapsed();
    if (ahora < EsperaMilisegundos || ahora - ultimoRepaso_ < RepasoMilisegundos)
        return false;
    ultimoRepaso_ = ahora;
    if (!dialogo_) {
        dialogo_ = std::make_unique<QProgressDialog>(QStringLiteral("Realizando la consulta..."),
                                                     QStringLiteral("Cancelar"), 0, 0, padre_);
        dialogo_->setWindowTitle(QStringLiteral("Cantorio"));
        dialogo_->setWindowModality(Qt::ApplicationModal);
        dialogo_->setMinimumDuration(0);
        dialogo_->setAutoReset(false);
        dialogo_->setAutoClose(false);
        dialogo_->show();
    }
    QCoreApplication::processEvents();
    cancelada_ = dialogo_->wasCanceled();
    return cancelada_;
}
