#include "lyrics/AbrirLetra.h"

#include "lyrics/frmCancion.h"
#include "lyrics/frmSelCancion.h"
#include "shell/BarreraErrores.h"
#include "shell/Servicios.h"
#include "store/BBDD.h"
#include "store/CatalogoLetras.h"

namespace Letras {

namespace {

void Escuchar(QWidget* ventana, frmCancion* cancion, const ReceptorMarca& receptor) {
    QObject::connect(cancion, &frmCancion::MarcaLetra, ventana,
                     [ventana, receptor](catalogo::IdCancion fila, const QString& recibida) {
                         BarreraErrores(ventana, [&] {
                             QString marca = recibida;
                             if (marca == catalogo::MarcaSinLetra && receptor.inteligente())
                                 marca = catalogo::MarcaLetra(*BBDD::BaseDatos, fila, true).value_or(marca);
                             receptor.poner(fila, marca);
                         });
                     });
}

void Desaparecida(QWidget* ventana) {
    Avisar(ventana, QStringLiteral("La canción ya no está en el catálogo.  "), {}, IconoMensaje::Exclamacion);
}

} // namespace

void AbrirLetra(QWidget* ventana, catalogo::IdCancion fila, bool conSelector, const ReceptorMarca& receptor) {
    dao::Database& base = *BBDD::BaseDatos;
    if (conSelector) {
        const auto cancion = catalogo::AbrirCancion(base, fila);
        if (!cancion) {
            Desaparecida(ventana);
            return;
        }
        auto* selector = new frmSelCancion(ventana);
        QObject::connect(selector, &frmSelCancion::CancionAbierta, ventana,
                         [ventana, receptor](frmCancion* abierta) { Escuchar(ventana, abierta, receptor); });
        selector->CargarDatos(cancion->Field(QStringLiteral("TITULO")).toString(), fila);
        selector->show();
        return;
    }
    const catalogo::LetraAsignada letra = catalogo::AsignarLetra(base, fila);
    if (!letra.hallada) {
        Desaparecida(ventana);
        return;
    }
    frmCancion* cancion = frmCancion::Crear(letra.idx, letra.nueva, fila);
    Escuchar(ventana, cancion, receptor);
    cancion->show();
}

} // namespace Letras
