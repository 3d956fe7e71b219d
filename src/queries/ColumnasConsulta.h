#pragma once
// The columns a result window can show, in their fixed order, and the sort order each header sets.

#include <QString>
#include <Qt>
#include <array>
#include <optional>
#include <vector>

namespace Consultas {

enum class Columna { Cabecera, Ruta, Autor, Titulo, Extension, Longitud, Letras };
inline constexpr int NumeroColumnas = 7;
// Which columns are shown, indexed by Columna.
using ColumnasVistas = std::array<bool, NumeroColumnas>;

struct DefinicionColumna {
    Columna columna;
    QString clave; // "LV-CABECERA" ...
    QString texto; // header text
    int anchoTwips;
    // Alignment when the column is not the first one shown; the first is always left-aligned.
    Qt::Alignment alineacion;
};

const std::array<DefinicionColumna, NumeroColumnas>& TablaColumnas();

// The columns of a query that does not let the user choose them: all but the size.
ColumnasVistas ColumnasPorDefecto();

// The shown columns in order, each with its alignment settled by its place.
std::vector<DefinicionColumna> ColumnasMostradas(const ColumnasVistas& vistas);

// The ORDER BY list a click on the header with that key sets; none for the lyrics column.
std::optional<QString> OrdenDeClave(const QString& clave);

inline const QString OrdenInicial = QStringLiteral("CABECERA, RUTA");

} // namespace Consultas
