#include "maintenance/CancionesRuta.h"

#include "store/BBDD.h"
#include "store/Globales.h"

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

QString SentenciaRuta(const QString& cabecera, const QString& ruta) {
    return QStringLiteral("SELECT * FROM CANCIONES WHERE CABECERA LIKE '") + PatronLiteral(cabecera) +
           QStringLiteral("' AND RUTA LIKE '") + PatronLiteral(ruta) + QStringLiteral("' ORDER BY REL_POS");
}

QStringList LineasRuta(const QString& cabecera, const QString& ruta) {
    QStringList lineas;
    auto canciones = BBDD::BaseDatos->OpenRecordset(SentenciaRuta(cabecera, ruta));
    while (!canciones->Eof()) {
        lineas << canciones->Field(QStringLiteral("AUTOR")).toString() + QStringLiteral(" -- ") +
                      canciones->Field(QStringLiteral("TITULO")).toString();
        canciones->MoveNext();
    }
    return lineas;
}
