// A file name and the options of the tab "Añadir", from the input: the author, title and extension
// come out of disjoint parts of the name, so together they never hold more characters than it.

#include "maintenance/InterpretacionNombre.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

QString Texto(FuzzedDataProvider& entrada, size_t maximo) {
    const std::string bytes = entrada.ConsumeRandomLengthString(maximo);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    FuzzedDataProvider entrada(datos, largo);
    OpcionesNombre opciones;
    opciones.quitarNumeros = entrada.ConsumeBool();
    opciones.convertirUnderscore = entrada.ConsumeBool();
    opciones.primeroAutor = entrada.ConsumeBool();
    opciones.separador = Texto(entrada, 8);
    opciones.formatoNumeros = Texto(entrada, 8);
    const std::string bytes = entrada.ConsumeRemainingBytesAsString();
    const QString fichero = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    const NombreInterpretado nombre = InterpretarNombre(fichero, opciones);
    if (nombre.autor.size() + nombre.titulo.size() + nombre.extension.size() > fichero.size())
        std::abort();
    return 0;
}
