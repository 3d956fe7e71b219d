#pragma once
// The lyric coverage of the catalogue as the window "Porcentajes:" and cantorio-util show it.

#include "store/Dao.h"

#include <QString>

#include <array>
#include <optional>

struct LineaPorcentaje {
    QString etiqueta;  // "Con Letra:", "Sin Letra:", "Huérfanas:"
    QString total;     // "###,###,##0"
    QString porciento; // "##0.00%"
};

// The three lines, Con Letra, Sin Letra, Huérfanas; empty when the catalogue has no song to count.
std::optional<std::array<LineaPorcentaje, 3>> PorcentajesLetras(dao::Database& base);
