#include "queries/Avisos.h"

void Avisar(QWidget* padre, const QString& texto, const QString& titulo, IconoMensaje icono) {
    Mensaje mensaje;
    mensaje.texto = texto;
    mensaje.titulo = titulo;
    mensaje.icono = icono;
    servicios().MsgBox(mensaje, padre);
}
