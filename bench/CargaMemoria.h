#pragma once

#include <QString>

namespace bench {

// The child's side of memory-N: opens the catalogue, fills the trees of the windows, prints "VmHWM <kB>".
int MemoriaHijo(const QString& catalogo);

} // namespace bench
