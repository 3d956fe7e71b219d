#include "queries/LetraCancion.h"

#include "store/Dao.h"

namespace Consultas {

int NuevoNumeroLetra(dao::Database& base) {
    auto rs = base.OpenRecordset(QStringLiteral("SELECT MAX(IDX_CANCION) FROM LETRAS"));
    const QVariant maximo = rs->Field(0);
    return maximo.isValid() ? maximo.toInt() + 1 : 1;
}

LetraDeCancion PrepararLetra(dao::Database& base, const IdentidadCancion& cancion) {
    LetraDeCancion letra;
    auto rs = base.OpenRecordset(SentenciaCancion(cancion), dao::TipoRecordset::Dynaset);
    if (rs->Eof())
        return letra;
    letra.encontrada = true;
    letra.idxCancion = rs->Field(QStringLiteral("IDX_CANCION")).toInt();
    if (letra.idxCancion == 0) {
        letra.idxCancion = NuevoNumeroLetra(base);
        letra.nueva = true;
        rs->Edit();
        rs->SetField(QStringLiteral("IDX_CANCION"), letra.idxCancion);
        rs->Update();
    }
    return letra;
}

} // namespace Consultas
