#include "shell/BotonesImagen.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

BotonesImagen::BotonesImagen(QObject* padre) : QObject(padre) {}

void BotonesImagen::Anadir(QLabel* boton, Dibujo dibujo) {
    botones_.append({boton, std::move(dibujo)});
    boton->setMouseTracking(true);
    boton->installEventFilter(this);
}

void BotonesImagen::SinResalte() {
    for (const Boton& boton : botones_)
        boton.imagen->setPixmap(boton.dibujo(Aspecto::Normal));
}

void BotonesImagen::Mostrar(QLabel* boton, Aspecto aspecto) {
    for (const Boton& b : botones_)
        if (b.imagen == boton)
            b.imagen->setPixmap(b.dibujo(aspecto));
}

bool BotonesImagen::eventFilter(QObject* objeto, QEvent* evento) {
    auto* boton = qobject_cast<QLabel*>(objeto);
    // Only a mouse event may be read as one: the filter sees every event of the buttons.
    const auto raton = [evento] { return static_cast<const QMouseEvent*>(evento); };
    switch (evento->type()) {
    case QEvent::MouseMove:
        if (raton()->buttons() == Qt::NoButton) {
            SinResalte();
            Mostrar(boton, Aspecto::Resaltado);
        }
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (raton()->button() == Qt::LeftButton) {
            SinResalte();
            Mostrar(boton, Aspecto::Pulsado);
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (raton()->button() != Qt::LeftButton)
            return true;
        // Released away from the button: no click, and no pressed look left behind.
        if (boton->rect().contains(raton()->position().toPoint()))
            emit Click(boton);
        else
            SinResalte();
        return true;
    case QEvent::Leave:
        SinResalte();
        return false;
    default:
        return false;
    }
}
