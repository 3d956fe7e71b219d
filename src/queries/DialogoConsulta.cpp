#include "queries/DialogoConsulta.h"

#include "queries/frmConsultas.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

DialogoConsulta::DialogoConsulta(frmConsultas& espacio, const QString& titulo)
    : QDialog(&espacio), espacio_(espacio) {
    setWindowTitle(titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    // A disabled label must still read on the gradient.
    QPalette paleta = palette();
    paleta.setColor(QPalette::Disabled, QPalette::WindowText, QColor(105, 115, 120));
    setPalette(paleta);
    cmdConsultar = new QPushButton(QStringLiteral("&Realizar Consulta"), this);
    cmdCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    connect(cmdConsultar, &QPushButton::clicked, this, [this] { cmdConsultar_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &DialogoConsulta::cmdCancel_Click);
}

QHBoxLayout* DialogoConsulta::FilaBotones() {
    auto* fila = new QHBoxLayout;
    fila->setSpacing(8);
    fila->addStretch();
    fila->addWidget(cmdConsultar);
    fila->addWidget(cmdCancel);
    return fila;
}

void DialogoConsulta::DesactivarBotones() {
    cmdConsultar->setEnabled(false);
    cmdCancel->setEnabled(false);
    repaint();
}

void DialogoConsulta::ActivarBotones() {
    cmdConsultar->setEnabled(true);
    cmdCancel->setEnabled(true);
}

void DialogoConsulta::PonerFondo(QList<QWidget*> barras, QList<QWidget*> cuadros) {
    barras_ = std::move(barras);
    cuadros_ = std::move(cuadros);
}

QRect DialogoConsulta::AnclasFondo() const {
    return rect();
}

void DialogoConsulta::cmdCancel_Click() {
    close();
}

void DialogoConsulta::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        if (cmdCancel->isEnabled())
            cmdCancel_Click();
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void DialogoConsulta::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    fondo_.Pintar(pintor, *this, AnclasFondo(), FondoDialogo::ColoresPorDefecto(), barras_, cuadros_);
}
