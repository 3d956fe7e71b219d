#include "utilities/frmPorcentajeLetras.h"

#include "shell/BarreraErrores.h"
#include "store/BBDD.h"
#include "utilities/PorcentajeLetras.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto,
                 Qt::Alignment alineacion = Qt::AlignLeft) {
    auto* etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(QLatin1String(nombre));
    etiqueta->setAlignment(alineacion | Qt::AlignVCenter);
    return etiqueta;
}

} // namespace

frmPorcentajeLetras::frmPorcentajeLetras(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Porcentajes:"));
    setAttribute(Qt::WA_DeleteOnClose);
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    lblS = Etiqueta(Frame1, "lblS", QStringLiteral("Con Letra:"));
    lnlN = Etiqueta(Frame1, "lnlN", QStringLiteral("Sin Letra:"));
    lblH = Etiqueta(Frame1, "lblH", QStringLiteral("Huérfanas:"));
    lblSTotal = Etiqueta(Frame1, "lblSTotal", QString(), Qt::AlignRight);
    lblNTotal = Etiqueta(Frame1, "lblNTotal", QString(), Qt::AlignRight);
    lblHTotal = Etiqueta(Frame1, "lblHTotal", QString(), Qt::AlignRight);
    lblSPorciento = Etiqueta(Frame1, "lblSPorciento", QStringLiteral("0,00%"), Qt::AlignRight);
    lblNPorciento = Etiqueta(Frame1, "lblNPorciento", QStringLiteral("0,00%"), Qt::AlignRight);
    lblHPorciento = Etiqueta(Frame1, "lblHPorciento", QStringLiteral("0,00%"), Qt::AlignRight);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* rejilla = new QGridLayout(Frame1);
    rejilla->setHorizontalSpacing(18);
    QLabel* const filas[3][3] = {
        {lblS, lblSTotal, lblSPorciento}, {lnlN, lblNTotal, lblNPorciento}, {lblH, lblHTotal, lblHPorciento}};
    for (int f = 0; f < 3; ++f)
        for (int c = 0; c < 3; ++c)
            rejilla->addWidget(filas[f][c], f, c);
    rejilla->setColumnMinimumWidth(1, 90);
    rejilla->setColumnMinimumWidth(2, 70);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(Frame1);
    disposicion->addWidget(cmdOK, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
    Conectar();
    BarreraErrores(this, [this] { Form_Load(); });
}

void frmPorcentajeLetras::Conectar() {
    connect(cmdOK, &QPushButton::clicked, this, Protegido(this, &frmPorcentajeLetras::cmdOK_Click));
}

void frmPorcentajeLetras::Form_Load() {
    const auto lineas = PorcentajesLetras(*BBDD::BaseDatos);
    if (!lineas)
        return; // an empty catalogue keeps the design captions
    QLabel* totales[] = {lblSTotal, lblNTotal, lblHTotal};
    QLabel* porcientos[] = {lblSPorciento, lblNPorciento, lblHPorciento};
    for (int i = 0; i < 3; ++i) {
        totales[i]->setText((*lineas)[i].total);
        porcientos[i]->setText((*lineas)[i].porciento);
    }
}

void frmPorcentajeLetras::cmdOK_Click() {
    close();
}
