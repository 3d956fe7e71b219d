// The guard of the catalogue: sequences of commands drawn at random, each compared with the model
// after it runs, each also given once with a failure injected at one of its writes, after which the
// catalogue must be as the model was before it. RC_PARAMS sets the number of sequences (max_success),
// their length (max_size) and the seed; the seed of every run is printed first, and
//     RC_PARAMS="seed=N" test_modelo --gtest_filter=ModeloCatalogo.*
// repeats a run.

#include "OrdenesCatalogo.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <iostream>

TEST(ModeloCatalogo, CadaOrdenDejaElCatalogoComoElModeloTambienConUnFalloInyectado) {
    const auto semilla = rc::detail::configuration().testParams.seed;
    std::cout << "Semilla: " << semilla << std::endl;
    rc::detail::checkGTest([] {
        Sistema sistema;
        rc::state::check(Modelo(), sistema, &OrdenAleatoria);
    });
    const Cifras& cifras = CifrasDeLaPrueba();
    std::cout << "Secuencias: " << cifras.secuencias << ", órdenes: " << cifras.ordenes
              << ", fallos inyectados: " << cifras.fallosInyectados
              << ", comparaciones con el modelo: " << cifras.comparaciones << std::endl;
}
