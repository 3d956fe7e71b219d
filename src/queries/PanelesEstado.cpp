#include "queries/PanelesEstado.h"

#include <QLabel>

void PanelesEstado::Limpiar() {
    for (QLabel* panel : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        removeWidget(panel);
        delete panel;
    }
}

void PanelesEstado::Anadir(const QString& texto) {
    auto* panel = new QLabel(texto, this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
    addWidget(panel);
}

QStringList PanelesEstado::Textos() const {
    QStringList textos;
    for (const QLabel* panel : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        textos << panel->text();
    return textos;
}
