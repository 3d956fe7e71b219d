#pragma once
// The program's single windows, created hidden once for the whole benchmark run, trees set up.

#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "trees/ArbolesVentanas.h"

namespace bench {

inline void PrepararVentanas() {
    if (Ventanas::Creadas())
        return;
    Ventanas::Crear();
    InicializarArboles(&Ventanas::Aux().ImageList1);
}

} // namespace bench
