#pragma once
// The background of the query dialogs: a gradient from light blue at the top left to green at the
// bottom right, red bars behind the text fields and small red squares behind the check boxes.

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

class QPainter;
class QWidget;

class FondoDialogo {
public:
    // The gradient takes the four colours at the corners of anclas (top left, top right, bottom left,
    // bottom right) and goes on at the same rate outside it; colours are clamped.
    struct Esquinas {
        QColor arribaIzda, arribaDcha, abajoIzda, abajoDcha;
    };
    static Esquinas ColoresPorDefecto();

    void Pintar(QPainter& pintor, const QWidget& dialogo, const QRect& anclas, const Esquinas& colores,
                const QList<QWidget*>& barras, const QList<QWidget*>& cuadros);

private:
    QImage degradado_;
    QRect anclas_;
};
