#pragma once
// A window's progress bar following a long utility: the bar and its window repaint now and then, taking
// no input, while the work runs inside the handler that started it.

#include "utilities/ProgresoUtilidad.h"

#include <QElapsedTimer>

class QProgressBar;
class QWidget;

class ProgresoVentana : public ProgresoUtilidad {
public:
    explicit ProgresoVentana(QProgressBar* barra);
    void Maximo(qint64 maximo) override;
    void Valor(qint64 valor) override;

private:
    QProgressBar* barra_;
    QElapsedTimer reloj_;
};

// Paints what changed in ventana now, without taking the user's input.
void RepintarVentana(QWidget* ventana);
// The background of a field, as a colour kept with red in the low byte.
void ColorFondo(QWidget* campo, quint32 color);
