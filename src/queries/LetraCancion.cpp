#include "queries/LetraCancion.h"

#include "store/Dao.h"

#include <vector>

namespace Consultas {

std::optional<catalogo::IdCancion> FilaDeCancion(dao::Database& base, const IdentidadCancion& cancion,
                                                 int ocurrencia) {
    // The engine compares under the catalogue's collation, which ignores letter case: the texts are
    // compared again here as they are.
    QString sql =
        QStringLiteral("SELECT rowid AS FILA, CABECERA, RUTA, AUTOR, TITULO, EXTENSION FROM CANCIONES "
                       "WHERE REL_POS = [pPos] AND Nz(IDX_CANCION, 0) = [pIdx]");
    dao::Parametros parametros{{QStringLiteral("pPos"), cancion.relPos},
                               {QStringLiteral("pIdx"), cancion.idxCancion}};
    for (int campo = 0; campo < NumeroCampos; ++campo) {
        const QString nombre = NombreCampo(Campo(campo));
        if (cancion.textos[campo].isNull()) {
            sql += QStringLiteral(" AND %1 IS NULL").arg(nombre);
        } else {
            sql += QStringLiteral(" AND %1 = [p%1]").arg(nombre);
            parametros.push_back({QLatin1Char('p') + nombre, cancion.textos[campo]});
        }
    }
    std::vector<catalogo::IdCancion> iguales;
    for (auto rs = base.OpenRecordset(sql + QStringLiteral(" ORDER BY rowid"), parametros); !rs->Eof();
         rs->MoveNext()) {
        bool igual = true;
        for (int campo = 0; campo < NumeroCampos && igual; ++campo)
            igual = rs->Field(campo + 1).toString() == cancion.textos[campo];
        if (igual)
            iguales.push_back(rs->Field(0).toLongLong());
    }
    if (iguales.empty())
        return std::nullopt;
    return iguales[std::size_t(ocurrencia) % iguales.size()];
}

} // namespace Consultas
