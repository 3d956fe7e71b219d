#pragma once

#include <QString>

namespace bench {

// The child's side of memory-N: starts the program on the catalogue and prints "VmHWM <kB> ...".
int MemoriaHijo(const QString& catalogo);

} // namespace bench
