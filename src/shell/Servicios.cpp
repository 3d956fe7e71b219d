#include "shell/Servicios.h"

#include "shell/QtServicios.h"

namespace {
std::unique_ptr<Servicios>& actuales() {
    static std::unique_ptr<Servicios> instancia;
    return instancia;
}
} // namespace

RespuestaMensaje BotonPredeterminado(const Mensaje& mensaje) {
    if (mensaje.predeterminado)
        return *mensaje.predeterminado;
    switch (mensaje.botones) {
    case BotonesMensaje::SiNo:
    case BotonesMensaje::SiNoCancelar:
        return RespuestaMensaje::Si;
    case BotonesMensaje::ReintentarCancelar:
        return RespuestaMensaje::Reintentar;
    case BotonesMensaje::Aceptar:
    case BotonesMensaje::AceptarCancelar:
        break;
    }
    return RespuestaMensaje::Aceptar;
}

Servicios& servicios() {
    if (!actuales())
        actuales() = std::make_unique<QtServicios>();
    return *actuales();
}

void InstalarServicios(std::unique_ptr<Servicios> nuevos) {
    actuales() = std::move(nuevos);
}

void Avisar(QWidget* padre, const QString& texto, const QString& titulo, IconoMensaje icono) {
    Mensaje mensaje;
    mensaje.texto = texto;
    mensaje.titulo = titulo;
    mensaje.icono = icono;
    servicios().MsgBox(mensaje, padre);
}
