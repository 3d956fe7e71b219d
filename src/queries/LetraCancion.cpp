#include "queries/LetraCancion.h"

#include "store/Catalogo.h"

namespace Consultas {

LetraDeCancion PrepararLetra(dao::Database& base, const IdentidadCancion& cancion) {
    LetraDeCancion letra;
    auto rs = base.OpenRecordset(SentenciaCancion(cancion), dao::TipoRecordset::Dynaset);
    if (rs->Eof())
        return letra;
    letra.encontrada = true;
    letra.idxCancion = rs->Field(QStringLiteral("IDX_CANCION")).toInt();
    if (letra.idxCancion == 0) {
        letra.idxCancion = catalogo::NumeroLetraNueva(base);
        letra.nueva = true;
        rs->Edit();
        rs->SetField(QStringLiteral("IDX_CANCION"), letra.idxCancion);
        rs->Update();
    }
    return letra;
}

} // namespace Consultas
