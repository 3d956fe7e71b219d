#include "shell/Ventanas.h"

#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "queries/frmConsultas.h"
#include "shell/MenusComunes.h"
#include "shell/frmAux.h"

#include <QPointer>
#include <cassert>

namespace {
QPointer<frmAux> aux;
QPointer<frmActualizacion> actualizacion;
QPointer<frmConsultas> consultas;
QPointer<frmLista> lista;
} // namespace

namespace Ventanas {

frmLista& Lista() {
    assert(lista);
    return *lista;
}
frmConsultas& Consultas() {
    assert(consultas);
    return *consultas;
}
frmActualizacion& Actualizacion() {
    assert(actualizacion);
    return *actualizacion;
}
frmAux& Aux() {
    assert(aux);
    return *aux;
}

void Crear() {
    aux = new frmAux;
    actualizacion = new frmActualizacion;
    consultas = new frmConsultas;
    lista = new frmLista;
}

void Destruir() {
    delete lista;
    delete consultas;
    delete actualizacion;
    delete aux;
}

QMainWindow& Principal(VentanaPrincipal cual) {
    switch (cual) {
    case VentanaPrincipal::Actualizacion:
        return Actualizacion();
    case VentanaPrincipal::Consultas:
        return Consultas();
    case VentanaPrincipal::Lista:
        break;
    }
    return Lista();
}

bool Creadas() {
    return lista && consultas && actualizacion && aux;
}

QList<QMainWindow*> Principales() {
    QList<QMainWindow*> ventanas;
    QMainWindow* const todas[] = {actualizacion.data(), consultas.data(), lista.data()};
    for (QMainWindow* ventana : todas)
        if (ventana)
            ventanas << ventana;
    return ventanas;
}

} // namespace Ventanas
