#pragma once
// The progress window of a deletion and of the trees' refill after it. It stays open, not modal, showing
// "Terminado", until the user presses "Hecho!".

#include "maintenance/VentanaProgreso.h"

class frmEliminando : public VentanaProgreso {
    Q_OBJECT
public:
    explicit frmEliminando(QWidget* padre = nullptr);

    // The caption, painted at once.
    void Rotulo(const QString& rotulo);
    // "Terminado", the bar full and "Hecho!" enabled with the focus.
    void Terminar();
};
