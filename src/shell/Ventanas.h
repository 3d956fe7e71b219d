#pragma once
// The windows that exist once for the whole run, reached through their single instance.

#include <QList>

class QMainWindow;
class frmLista;
class frmConsultas;
class frmActualizacion;
class frmAux;
enum class VentanaPrincipal;

namespace Ventanas {

frmLista& Lista();
frmConsultas& Consultas();
frmActualizacion& Actualizacion();
frmAux& Aux();

// Creates the four windows, hidden; Destruir deletes whichever exist.
void Crear();
void Destruir();
bool Creadas();

// One of the three main windows, as a window: its caller needs no window's header.
QMainWindow& Principal(VentanaPrincipal cual);

// The main windows that exist: frmActualizacion, frmConsultas, frmLista.
QList<QMainWindow*> Principales();

} // namespace Ventanas
