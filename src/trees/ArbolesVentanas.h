#pragma once
// The three catalogue trees of the main windows (TreeViewLista, TreeViewEliminar, TreeViewModificar)
// set up, emptied and filled together, node for node with the same keys.

#include <QString>

class QWidget;

// Once at start-up: the image list of frmAux and the smallest indentation for each tree.
void InicializarArboles();
// Removes every node of the three trees and empties the song lists that show a route.
void VaciarArboles();
// Fills the three trees from BBDD::BaseDatos. ventanaProgreso: a window with a QProgressBar child whose
// objectName is "ProgressBar", which follows the fill; nullptr shows no progress.
void CargarArboles(QWidget* ventanaProgreso);
// Key of the header node of TreeViewLista whose text is texto (case counts), or an empty text.
QString BuscarCabecera(const QString& texto);
