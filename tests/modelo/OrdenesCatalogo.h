#pragma once
// The commands a user gives the catalogue, each generated with its arguments from the model: what it
// does to the model (apply) and the same command given to the catalogue through the program's own
// catalogue layer (run), once with a failure injected at a random write and then as usual.

#include "SistemaCatalogo.h"

#include <rapidcheck.h>
#include <rapidcheck/state.h>

using Orden = rc::state::Command<Modelo, Sistema>;

// One of the commands, with its arguments, drawn from the model.
rc::Gen<std::shared_ptr<const Orden>> OrdenAleatoria(const Modelo& modelo);
