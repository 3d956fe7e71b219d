#include "shell/Servicios.h"

#include "shell/QtServicios.h"

namespace {
std::unique_ptr<Servicios>& actuales() {
    static std::unique_ptr<Servicios> instancia;
    return instancia;
}
} // namespace

Servicios& servicios() {
    if (!actuales())
        actuales() = std::make_unique<QtServicios>();
    return *actuales();
}

void InstalarServicios(std::unique_ptr<Servicios> nuevos) { actuales() = std::move(nuevos); }
