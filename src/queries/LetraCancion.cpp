#include "queries/LetraCancion.h"

#include "store/Dao.h"

namespace Consultas {

std::optional<catalogo::IdCancion> FilaDeCancion(dao::Database& base, const IdentidadCancion& cancion) {
    QString sql = QStringLiteral("SELECT TOP 1 rowid AS FILA FROM CANCIONES WHERE REL_POS = [pPos]");
    dao::Parametros parametros{{QStringLiteral("pPos"), cancion.relPos}};
    for (int campo = 0; campo < NumeroCampos; ++campo) {
        const QString nombre = NombreCampo(Campo(campo));
        if (cancion.textos[campo].isNull()) {
            sql += QStringLiteral(" AND %1 IS NULL").arg(nombre);
        } else {
            sql += QStringLiteral(" AND %1 = [p%1]").arg(nombre);
            parametros.push_back({QLatin1Char('p') + nombre, cancion.textos[campo]});
        }
    }
    auto rs = base.OpenRecordset(sql + QStringLiteral(" ORDER BY rowid"), parametros);
    if (rs->Eof())
        return std::nullopt;
    return rs->Field(0).toLongLong();
}

} // namespace Consultas
