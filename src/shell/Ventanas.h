#pragma once
// The windows that exist once for the whole run, reached through their single instance.

#include <QList>

class QMainWindow;
class frmLista;
class frmConsultas;
class frmActualizacion;
class frmAux;

namespace Ventanas {

frmLista& Lista();
frmConsultas& Consultas();
frmActualizacion& Actualizacion();
frmAux& Aux();

// Creates the four windows, hidden; Destruir deletes whichever exist.
void Crear();
void Destruir();
bool Creadas();

// The main windows that exist: frmActualizacion, frmConsultas, frmLista.
QList<QMainWindow*> Principales();

} // namespace Ventanas
