#pragma once
// The windows that exist once for the whole run, reached through their single instance.

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

} // namespace Ventanas
