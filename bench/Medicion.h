#pragma once
// Side-by-side timing: our code and its reference run in turns, the first turn of each only warms the
// caches, and each side's figure is its best turn: the machine is shared, and what other processes do
// only ever adds time, so the fastest turn is the one that shows the code itself.

#include "Registro.h"

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

// Growth with the size: from each size to the next, how much faster our time grows than the
// reference's. The bare stack itself grows faster than the sizes do (a small catalogue stays in the
// processor's caches, a million songs do not), so the reference's growth is the yardstick; work per
// song that grew with the catalogue would show here as a ratio above 1.
inline void Crecimiento(const QString& nombre, const std::vector<Tamano>& tamanos,
                        const std::vector<Pareja>& parejas, double objetivo) {
    if (parejas.size() < 2)
        return;
    double peor = 0;
    for (size_t k = 1; k < parejas.size(); ++k) {
        const double nuestro = parejas[k].nuestro / parejas[k - 1].nuestro;
        const double referencia = parejas[k].referencia / parejas[k - 1].referencia;
        peor = std::max(peor, nuestro / referencia);
        Detalle(QStringLiteral("de %1 a %2: nuestro tiempo x%3, el de la referencia x%4")
                    .arg(Sufijo(tamanos[k - 1]), Sufijo(tamanos[k]))
                    .arg(nuestro, 0, 'f', 1)
                    .arg(referencia, 0, 'f', 1));
    }
    Ratio(nombre, peor, objetivo);
}

} // namespace bench
