#include "queries/DialogoConsulta.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

DialogoConsulta::DialogoConsulta(QWidget* padre, const QString& titulo) : QDialog(padre) {
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

QGridLayout* DialogoConsulta::RejillaCampos(const CamposConsulta& campos, int columnasCampo,
                                            QList<QWidget*>& barras) {
    auto* rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(18, 18, 18, 14);
    rejilla->setHorizontalSpacing(14);
    rejilla->setVerticalSpacing(12);
    const QStringList textos{QStringLiteral("Cabecera"), QStringLiteral("Ruta"), QStringLiteral("Autor"),
                             QStringLiteral("Título"), QStringLiteral("Extensión")};
    for (int i = 0; i < Consultas::NumeroCampos; ++i) {
        *campos[i].first = new QLabel(textos[i], this);
        *campos[i].second = new QLineEdit(this);
        (*campos[i].first)->setEnabled(false);
        (*campos[i].second)->setMinimumWidth(320);
        rejilla->addWidget(*campos[i].first, i, 0);
        rejilla->addWidget(*campos[i].second, i, 1, 1, columnasCampo);
        barras << *campos[i].second;
    }
    return rejilla;
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
