#pragma once
// The procedures of the three catalogue trees as the windows call them, over the trees' owner
// (GestorArboles) and the shared connection of the run.

#include <QHash>
#include <QIcon>
#include <QString>

class QWidget;

// Once at start-up: the node pictures (frmAux's ImageList1) and the smallest indentation for each tree.
void InicializarArboles(const QHash<QString, QIcon>* imagenes);
// Removes every node of the three trees and empties the song lists that show a route.
void VaciarArboles();
// Fills the three trees from BBDD::BaseDatos, then opens BBDD::RecordsetCanciones again over "SELECT *
// FROM CANCIONES ORDER BY CABECERA, RUTA" for the next songs appended. ventanaProgreso: a window with a
// QProgressBar child whose objectName is "ProgressBar", which follows the fill; nullptr shows no progress.
void CargarArboles(QWidget* ventanaProgreso);
// Key of the header node of TreeViewLista whose text is texto (case counts), or an empty text.
QString BuscarCabecera(const QString& texto);
