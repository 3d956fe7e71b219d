#include "queries/DobleOption.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>

DobleOption::DobleOption(QWidget* padre)
    : QWidget(padre), Option1(new QRadioButton(this)), Option2(new QRadioButton(this)) {
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(2, 0, 2, 0);
    fila->setSpacing(4);
    fila->addWidget(Option1);
    fila->addWidget(Option2);
    setFixedSize(39, 17);
    setAutoFillBackground(true);
    for (QRadioButton* opcion : {Option1, Option2}) {
        opcion->setAutoFillBackground(true);
        opcion->installEventFilter(this);
        connect(opcion, &QRadioButton::clicked, this, &DobleOption::Option_Click);
    }
    SetIzda(true);
    SetColor(palette().color(QPalette::Button));
}

bool DobleOption::Enabled() const {
    return Option1->isEnabled();
}

void DobleOption::SetEnabled(bool activo) {
    Option1->setEnabled(activo);
    Option2->setEnabled(activo);
}

bool DobleOption::Izda() const {
    return Option1->isChecked();
}
void DobleOption::SetIzda(bool valor) {
    Poner(Option1, valor);
}
bool DobleOption::Dcha() const {
    return Option2->isChecked();
}
void DobleOption::SetDcha(bool valor) {
    Poner(Option2, valor);
}

void DobleOption::Poner(QRadioButton* opcion, bool valor) {
    if (valor) {
        opcion->setChecked(true); // the other option clears itself
        return;
    }
    // An exclusive option cannot be cleared by itself.
    opcion->setAutoExclusive(false);
    opcion->setChecked(false);
    opcion->setAutoExclusive(true);
}

QColor DobleOption::Color() const {
    return palette().color(QPalette::Window);
}

void DobleOption::SetColor(const QColor& color) {
    for (QWidget* parte :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(Option1), static_cast<QWidget*>(Option2)}) {
        QPalette paleta = parte->palette();
        paleta.setColor(QPalette::Window, color);
        parte->setPalette(paleta);
    }
}

void DobleOption::Option_Click() {
    emit Click();
    emit Changed();
}

bool DobleOption::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress && (objeto == Option1 || objeto == Option2)) {
        const QString texto = static_cast<QKeyEvent*>(evento)->text();
        if (!texto.isEmpty()) {
            int KeyAscii = texto.at(0).unicode();
            emit KeyPress(KeyAscii);
            if (KeyAscii == 0)
                return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}
