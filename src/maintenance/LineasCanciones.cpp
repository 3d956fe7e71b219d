#include "maintenance/LineasCanciones.h"

#include "list/CancionesRuta.h"
#include "store/BBDD.h"

namespace {

// The "?" that LimpiaLike leaves for "'" and "#" lets a song of a neighbouring route through.
bool MismoTexto(const QVariant& valor, const QString& texto) {
    return valor.toString().compare(texto, Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList LineasRuta(const QString& cabecera, const QString& ruta) {
    QStringList lineas;
    // The route's statement with its texts as literal patterns, as the list window lists a route.
    auto canciones = BBDD::BaseDatos->OpenRecordset(Lista::SentenciaRuta(cabecera, ruta));
    for (; !canciones->Eof(); canciones->MoveNext()) {
        if (!MismoTexto(canciones->Field(QStringLiteral("CABECERA")), cabecera) ||
            !MismoTexto(canciones->Field(QStringLiteral("RUTA")), ruta))
            continue;
        lineas << canciones->Field(QStringLiteral("AUTOR")).toString() + QStringLiteral(" -- ") +
                      canciones->Field(QStringLiteral("TITULO")).toString();
    }
    return lineas;
}
