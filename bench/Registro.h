#pragma once
// The workloads of the benchmark program. Each one registers itself with a name, the catalogue sizes it
// runs at (the first is the one of a quick run) and the function that measures one size and prints its
// lines through Informe.

#include <QString>

#include <functional>
#include <vector>

namespace bench {

// Catalogue sizes in songs.
enum class Tamano { Diez_k = 10'000, Cien_k = 100'000, Un_M = 1'000'000 };
QString Sufijo(Tamano tamano); // "10k", "100k", "1M"

struct Contexto {
    QString directorioDatos; // where the generated catalogues are kept between runs
    bool rapido = false;
};

struct Carga {
    QString nombre;
    std::vector<Tamano> tamanos;
    // Measures every size given (ascending) and prints one line per figure.
    std::function<void(const Contexto&, const std::vector<Tamano>&)> medir;
};

// Returns true so that a workload can register from a namespace-scope initialiser.
bool Registrar(Carga carga);
const std::vector<Carga>& Cargas();

// "name: ratio 1.21 (target <= 1.30)", and whether the target was met.
void Ratio(const QString& nombre, double ratio, double objetivo);
// "name: 312 MB (target <= 400 MB)"
void Memoria(const QString& nombre, double megas, double objetivoMegas);
// A detail for the reader, on the error stream so that the figure lines stay one per workload.
void Detalle(const QString& texto);
bool TodosCumplidos();

} // namespace bench
