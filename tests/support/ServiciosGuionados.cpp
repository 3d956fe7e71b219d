#include "support/ServiciosGuionados.h"

namespace {
template <typename T> std::optional<T> siguiente(std::deque<std::optional<T>>& cola) {
    if (cola.empty())
        return std::nullopt;
    auto valor = cola.front();
    cola.pop_front();
    return valor;
}

} // namespace

RespuestaMensaje ServiciosGuionados::MsgBox(const Mensaje& mensaje, QWidget*) {
    mensajes.push_back(mensaje);
    if (respuestas.empty())
        return BotonPredeterminado(mensaje);
    const RespuestaMensaje respuesta = respuestas.front();
    respuestas.pop_front();
    return respuesta;
}

std::optional<QColor> ServiciosGuionados::ElegirColor(const QColor& inicial, QWidget*) {
    coloresIniciales.push_back(inicial);
    return siguiente(colores);
}
std::optional<QFont> ServiciosGuionados::ElegirFuente(const QFont& inicial, QWidget*) {
    fuentesIniciales.push_back(inicial);
    return siguiente(fuentes);
}
std::optional<QString> ServiciosGuionados::FicheroAbrir(const QString& titulo, const QString&, QWidget*) {
    dialogosFichero.emplace_back(titulo, QString());
    return siguiente(ficheros);
}
std::optional<QString> ServiciosGuionados::FicheroGuardar(const QString& titulo, const QString& nombre,
                                                          const QString&, QWidget*) {
    dialogosFichero.emplace_back(titulo, nombre);
    return siguiente(ficheros);
}
bool ServiciosGuionados::AbrirConVisor(const QString& ruta) {
    abiertos << ruta;
    return hayVisor;
}

ServiciosGuionados& InstalarServiciosGuionados() {
    auto nuevos = std::make_unique<ServiciosGuionados>();
    ServiciosGuionados& referencia = *nuevos;
    InstalarServicios(std::move(nuevos));
    return referencia;
}
