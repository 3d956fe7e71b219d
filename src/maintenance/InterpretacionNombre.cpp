#include "maintenance/InterpretacionNombre.h"

#include "store/Globales.h"

NombreInterpretado InterpretarNombre(const QString& nombreFichero, const OpcionesNombre& opciones) {
    auto [primera, segunda, extension] = Globales::SepararNombre(nombreFichero, opciones.separador);
    // The number is looked for in the first part only, after the split.
    if (opciones.quitarNumeros)
        primera = Globales::QuitarNumeracion(primera, opciones.formatoNumeros);
    if (opciones.convertirUnderscore) {
        primera = Globales::Reemplaza(primera, QStringLiteral("_"), QStringLiteral(" "));
        segunda = Globales::Reemplaza(segunda, QStringLiteral("_"), QStringLiteral(" "));
    }
    if (opciones.primeroAutor)
        return {primera, segunda, extension};
    return {segunda, primera, extension};
}
