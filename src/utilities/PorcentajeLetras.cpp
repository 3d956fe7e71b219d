#include "utilities/PorcentajeLetras.h"

#include "store/CatalogoUtilidades.h"
#include "utilities/FormatoNumeros.h"

std::optional<std::array<LineaPorcentaje, 3>> PorcentajesLetras(dao::Database& base) {
    const catalogo::Cobertura cobertura = catalogo::ContarCobertura(base);
    const qint64 total = cobertura.Total();
    if (total < 1)
        return std::nullopt;
    auto linea = [total](const char* etiqueta, qint64 cuenta) {
        return LineaPorcentaje{QString::fromUtf8(etiqueta), FormatoEntero(cuenta),
                               FormatoPorcentaje(cuenta, total)};
    };
    return std::array<LineaPorcentaje, 3>{linea("Con Letra:", cobertura.conLetra),
                                          linea("Sin Letra:", cobertura.sinLetra),
                                          linea("Huérfanas:", cobertura.huerfanas)};
}
