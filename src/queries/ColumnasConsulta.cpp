#include "queries/ColumnasConsulta.h"

#include "shell/Twips.h"

namespace Consultas {

const std::array<DefinicionColumna, NumeroColumnas>& TablaColumnas() {
    static const std::array<DefinicionColumna, NumeroColumnas> tabla{{
        {Columna::Cabecera, QStringLiteral("LV-CABECERA"), QStringLiteral("Cabecera"), Twips(129),
         Qt::AlignLeft},
        {Columna::Ruta, QStringLiteral("LV-RUTA"), QStringLiteral("Ruta"), Twips(129), Qt::AlignLeft},
        {Columna::Autor, QStringLiteral("LV-AUTOR"), QStringLiteral("Autor"), Twips(129), Qt::AlignLeft},
        {Columna::Titulo, QStringLiteral("LV-TITULO"), QStringLiteral("Título"), Twips(129), Qt::AlignLeft},
        {Columna::Extension, QStringLiteral("LV-EXTENSION"), QStringLiteral("Ext."), Twips(39),
         Qt::AlignLeft},
        {Columna::Longitud, QStringLiteral("LV-LONGITUD"), QStringLiteral("Tamaño"), Twips(66),
         Qt::AlignRight},
        {Columna::Letras, QStringLiteral("LV-LETRAS"), QStringLiteral("L"), Twips(20), Qt::AlignHCenter},
    }};
    return tabla;
}

ColumnasVistas ColumnasPorDefecto() {
    ColumnasVistas vistas{};
    vistas.fill(true);
    vistas[static_cast<int>(Columna::Longitud)] = false;
    return vistas;
}

std::vector<DefinicionColumna> ColumnasMostradas(const ColumnasVistas& vistas) {
    std::vector<DefinicionColumna> mostradas;
    for (const DefinicionColumna& definicion : TablaColumnas()) {
        if (!vistas[static_cast<int>(definicion.columna)])
            continue;
        mostradas.push_back(definicion);
        if (mostradas.size() == 1)
            mostradas.back().alineacion = Qt::AlignLeft;
    }
    return mostradas;
}

std::optional<QString> OrdenDeClave(const QString& clave) {
    static const std::array<std::pair<QString, QString>, 6> ordenes{{
        {QStringLiteral("LV-CABECERA"), QStringLiteral("CABECERA, RUTA")},
        {QStringLiteral("LV-RUTA"), QStringLiteral("RUTA, CABECERA")},
        {QStringLiteral("LV-AUTOR"), QStringLiteral("AUTOR, CABECERA, RUTA")},
        {QStringLiteral("LV-TITULO"), QStringLiteral("TITULO, AUTOR, CABECERA, RUTA")},
        {QStringLiteral("LV-EXTENSION"), QStringLiteral("EXTENSION, CABECERA, RUTA")},
        {QStringLiteral("LV-LONGITUD"), QStringLiteral("LONGITUD, CABECERA, RUTA")},
    }};
    for (const auto& [claveOrden, orden] : ordenes)
        if (claveOrden == clave)
            return orden;
    return std::nullopt;
}

} // namespace Consultas
