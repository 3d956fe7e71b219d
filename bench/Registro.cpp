#include "Registro.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {
std::vector<Carga>& Lista() {
    static std::vector<Carga> cargas;
    return cargas;
}
bool cumplidos = true;
} // namespace

QString Sufijo(Tamano tamano) {
    switch (tamano) {
    case Tamano::Diez_k:
        return QStringLiteral("10k");
    case Tamano::Cien_k:
        return QStringLiteral("100k");
    case Tamano::Un_M:
        return QStringLiteral("1M");
    }
    return {};
}

bool Registrar(Carga carga) {
    // Kept in name order, so that runs print their lines in the same order whatever the link order.
    auto& cargas = Lista();
    const auto sitio =
        std::lower_bound(cargas.begin(), cargas.end(), carga.nombre,
                         [](const Carga& una, const QString& nombre) { return una.nombre < nombre; });
    cargas.insert(sitio, std::move(carga));
    return true;
}

const std::vector<Carga>& Cargas() {
    return Lista();
}

void Ratio(const QString& nombre, double ratio, double objetivo) {
    cumplidos = cumplidos && ratio <= objetivo;
    std::printf("%s: ratio %.2f (target <= %.2f)\n", qPrintable(nombre), ratio, objetivo);
    std::fflush(stdout);
}

void Memoria(const QString& nombre, double megas, double objetivoMegas) {
    cumplidos = cumplidos && megas <= objetivoMegas;
    std::printf("%s: %.0f MB (target <= %.0f MB)\n", qPrintable(nombre), megas, objetivoMegas);
    std::fflush(stdout);
}

void Detalle(const QString& texto) {
    std::fprintf(stderr, "  %s\n", qPrintable(texto));
    std::fflush(stderr);
}

bool TodosCumplidos() {
    return cumplidos;
}

} // namespace bench
