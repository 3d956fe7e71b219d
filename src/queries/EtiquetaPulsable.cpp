#include "queries/EtiquetaPulsable.h"

#include <QMouseEvent>

void EtiquetaPulsable::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(evento);
}
