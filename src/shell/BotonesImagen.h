#pragma once
// Pictures used as buttons, each with three looks: normal, highlighted while the pointer rests on it and
// pressed while the left button is held on it. Only the left button presses; a release of the left button
// over the pressed picture is its click. Every mouse event on a picture stays with it, so the window
// behind never sees the pointer there.

#include <QList>
#include <QObject>
#include <QPixmap>

#include <functional>

class QLabel;

class BotonesImagen : public QObject {
    Q_OBJECT
public:
    enum class Aspecto { Normal, Resaltado, Pulsado };
    // The picture of a button in a look; asked each time, so that it can follow the window's state.
    using Dibujo = std::function<QPixmap(Aspecto)>;

    explicit BotonesImagen(QObject* padre = nullptr);

    void Anadir(QLabel* boton, Dibujo dibujo);
    // Every button shows its normal picture.
    void SinResalte();
    // The button shows the picture of that look; the others stay as they are.
    void Mostrar(QLabel* boton, Aspecto aspecto);

signals:
    void Click(QLabel* boton);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct Boton {
        QLabel* imagen;
        Dibujo dibujo;
    };
    QList<Boton> botones_;
};
