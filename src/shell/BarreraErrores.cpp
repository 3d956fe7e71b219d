#include "shell/BarreraErrores.h"

#include "shell/Servicios.h"

bool BarreraErrores(QWidget* ventana, const std::function<void()>& accion) {
    try {
        accion();
        return true;
    } catch (const dao::ErrorBD& error) {
        MostrarErrorBD(ventana, error);
        return false;
    }
}

void MostrarErrorBD(QWidget* ventana, const dao::ErrorBD& error) {
    Avisar(ventana, QStringLiteral("Error nº %1:\n\n%2").arg(error.Numero()).arg(error.Descripcion()),
           QString(), IconoMensaje::Critico);
}
