#pragma once
// The references' tree fill: the distinct pairs of header and route stepped by hand through the raw C
// API and put into three bare QTreeWidgets with the same nodes, keys and icons as the program's trees,
// a progress bar following the pairs.

#include <QProgressBar>
#include <QTreeWidget>

#include <array>

struct sqlite3;

namespace bench {

// Each tree is built apart and attached once; the trees are expected empty.
void LlenarArbolesDesnudos(sqlite3* conexion, std::array<QTreeWidget, 3>& arboles, QProgressBar& barra);

} // namespace bench
