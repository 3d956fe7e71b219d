#pragma once
// The maintenance window over a temporary catalogue, with the scripted services and a temporary
// directory standing for the one mounted volume.

#include "ArbolFicheros.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Estado.h"
#include "shell/Ventanas.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"
#include "trees/GestorArboles.h"

#include <gtest/gtest.h>

#include <optional>

class VentanaActualizacion : public ::testing::Test {
protected:
    VentanaActualizacion() : guion(InstalarServiciosGuionados()) {
        GestorArboles::Instancia().SetSincronizados(true);
        guion.volumenes = QStringList{disco.Raiz()};
    }
    // The windows are made when the test has filled the catalogue (or at once, if it did not).
    void Abrir() { ventanas.emplace(); }
    frmActualizacion& v() {
        if (!ventanas)
            Abrir();
        return Ventanas::Actualizacion();
    }

    ServiciosGuionados& guion;
    ArbolFicheros disco;
    CatalogoPrueba catalogo;
    std::optional<VentanasPrueba> ventanas;
};
