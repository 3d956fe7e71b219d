#pragma once
// Generated catalogues, kept between runs: N songs in N/10 routes under N/100 headers, ten songs per
// route, written through the raw SQLite C API into a file made by BBDD::CrearBaseDatos. The references
// read the same file through the raw C API (Desnudo.h).

#include "Registro.h"

#include <QString>

namespace bench {

// The catalogue of that size, generated again when missing or when a new catalogue would have another
// schema.
QString Preparar(const Contexto& contexto, Tamano tamano);

int NumeroCabeceras(Tamano tamano);
int NumeroRutas(Tamano tamano);
constexpr int CancionesPorRuta = 10;
// Texts of header h (0-based) and of its route r (0 to 9).
QString TextoCabecera(int h);
QString TextoRuta(int h, int r);

} // namespace bench
