// Any text handed to the Jet translator, as a statement and as a FindFirst criterion over the
// catalogue's own columns: it is translated or refused with an ErrorBD, never anything else.

#include "store/TraductorJet.h"

#include <cstddef>
#include <cstdint>

namespace {

dao::TipoColumnaJet TipoEnCatalogo(const QString& nombre) {
    static const QStringList textos = {QStringLiteral("CABECERA"),  QStringLiteral("RUTA"),
                                       QStringLiteral("AUTOR"),     QStringLiteral("TITULO"),
                                       QStringLiteral("EXTENSION"), QStringLiteral("LYRICS")};
    static const QStringList otras = {QStringLiteral("LONGITUD"), QStringLiteral("IDX_CANCION"),
                                      QStringLiteral("REL_POS")};
    if (textos.contains(nombre, Qt::CaseInsensitive))
        return dao::TipoColumnaJet::Texto;
    if (otras.contains(nombre, Qt::CaseInsensitive))
        return dao::TipoColumnaJet::Otra;
    return dao::TipoColumnaJet::Ninguna;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString jet = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
    // Two named query parameters, as the query windows pass them.
    const dao::Parametros nombrados = {{QStringLiteral("Autor"), QStringLiteral("a*")},
                                       {QStringLiteral("Cuantos"), 3}};
    dao::TraductorJet traductor(TipoEnCatalogo);
    try {
        traductor.Sentencia(jet, nombrados);
    } catch (const dao::ErrorBD&) {
    }
    std::vector<QVariant> parametros;
    try {
        dao::TraductorJet(TipoEnCatalogo).Criterio(jet, parametros);
    } catch (const dao::ErrorBD&) {
    }
    return 0;
}
