#pragma once
// Side-by-side timing: our code and its reference run in turns, the first turn of each only warms the
// caches, and each side's figure is the median of the rest.

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// A timed part: returns the seconds it measured (setting up and tidying up stay outside).
using Medida = std::function<double()>;

struct Pareja {
    double nuestro;
    double referencia;
    double Ratio() const { return nuestro / referencia; }
};

inline double Mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    const size_t mitad = valores.size() / 2;
    return valores.size() % 2 ? valores[mitad] : (valores[mitad - 1] + valores[mitad]) / 2;
}

inline Pareja MedirPareja(int vueltas, const Medida& nuestro, const Medida& referencia) {
    nuestro();
    referencia();
    std::vector<double> a, b;
    for (int k = 0; k < vueltas; ++k) {
        a.push_back(nuestro());
        b.push_back(referencia());
    }
    return {Mediana(a), Mediana(b)};
}

// Seconds taken by accion.
template <typename F> double Cronometrar(F&& accion) {
    QElapsedTimer reloj;
    reloj.start();
    accion();
    return reloj.nsecsElapsed() / 1e9;
}

} // namespace bench
