#pragma once
// What a query dialog hands the query workspace: everything a new result window needs to run the query
// and show it, so that neither the workspace nor the result window reads the dialog's controls.

#include "queries/ColumnasConsulta.h"
#include "queries/SentenciasConsulta.h"
#include "store/BuscaTexto.h"

#include <QString>
#include <optional>

namespace Consultas {

struct PeticionConsulta {
    // The SELECT statement; empty for a query by lyric text, whose rows are first copied into a work
    // table of the result window.
    QString sentencia{};
    // The text searched inside the lyrics; set for a query by lyric text only.
    std::optional<QString> textoLetra{};
    // Whether the lyric text is searched with accents ignored.
    catalogo::Acentos acentos = catalogo::Acentos::Cuentan;
    // The criterion of each field as the status bar shows it; for a query by lyric text, the field
    // texts the songs must contain.
    TextosCampos criterios{};
    ColumnasVistas vistas = ColumnasPorDefecto();
    // The lyrics column marks "?" a song without lyric whose title has one elsewhere.
    bool letrasInteligente = false;
    // The statement keeps only such songs: every row is marked "?".
    bool filtroInteligente = false;
};

} // namespace Consultas
