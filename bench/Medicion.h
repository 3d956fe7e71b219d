#pragma once
// Side-by-side timing: our code and its reference run in turns, the first turn of each only warms the
// caches, and each side's figure is its best turn: the machine is shared, and what other processes do
// only ever adds time, so the fastest turn is the one that shows the code itself.

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

inline Pareja MedirPareja(int vueltas, const Medida& nuestro, const Medida& referencia) {
    nuestro();
    referencia();
    std::vector<double> a, b;
    for (int k = 0; k < vueltas; ++k) {
        a.push_back(nuestro());
        b.push_back(referencia());
    }
    return {*std::min_element(a.begin(), a.end()), *std::min_element(b.begin(), b.end())};
}

// Seconds taken by accion.
template <typename F> double Cronometrar(F&& accion) {
    QElapsedTimer reloj;
    reloj.start();
    accion();
    return reloj.nsecsElapsed() / 1e9;
}

} // namespace bench
