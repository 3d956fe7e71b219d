#include "maintenance/LineasCanciones.h"

#include "store/BBDD.h"
#include "store/Globales.h"

namespace {

// texto as a LIKE pattern that matches itself: "[", "*" and "?" written as the classes "[[]", "[*]"
// and "[?]", then made safe between quotes by LimpiaLike (which turns "'" and "#" into "?").
QString PatronLiteral(const QString& texto) {
    QString patron;
    patron.reserve(texto.size());
    for (const QChar c : texto) {
        if (c == u'[' || c == u'*' || c == u'?')
            patron += u'[' + QString(c) + u']';
        else
            patron += c;
    }
    return Globales::LimpiaLike(patron);
}

// The "?" that LimpiaLike leaves for "'" and "#" lets a song of a neighbouring route through.
bool MismoTexto(const QVariant& valor, const QString& texto) {
    return valor.toString().compare(texto, Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList LineasRuta(const QString& cabecera, const QString& ruta) {
    QStringList lineas;
    auto canciones = BBDD::BaseDatos->OpenRecordset(
        QStringLiteral("SELECT * FROM CANCIONES WHERE CABECERA LIKE '") + PatronLiteral(cabecera) +
        QStringLiteral("' AND RUTA LIKE '") + PatronLiteral(ruta) + QStringLiteral("' ORDER BY REL_POS"));
    for (; !canciones->Eof(); canciones->MoveNext()) {
        if (!MismoTexto(canciones->Field(QStringLiteral("CABECERA")), cabecera) ||
            !MismoTexto(canciones->Field(QStringLiteral("RUTA")), ruta))
            continue;
        lineas << canciones->Field(QStringLiteral("AUTOR")).toString() + QStringLiteral(" -- ") +
                      canciones->Field(QStringLiteral("TITULO")).toString();
    }
    return lineas;
}
