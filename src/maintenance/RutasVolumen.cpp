#include "maintenance/RutasVolumen.h"

#include <QDir>

namespace {

bool Contiene(const QString& raiz, const QString& ruta) {
    const QString limpiaRaiz = QDir::cleanPath(raiz);
    const QString limpiaRuta = QDir::cleanPath(ruta);
    const QString prefijo = limpiaRaiz.endsWith(u'/') ? limpiaRaiz : limpiaRaiz + u'/';
    return limpiaRuta == limpiaRaiz || limpiaRuta.startsWith(prefijo);
}

} // namespace

QString RutaCatalogo(const QString& raizVolumen, const QString& directorio) {
    const QString limpio = QDir::cleanPath(directorio);
    QString relativa =
        Contiene(raizVolumen, limpio) ? limpio.mid(QDir::cleanPath(raizVolumen).size()) : limpio;
    QString ruta = QStringLiteral("\\");
    for (const QString& parte : relativa.split(u'/', Qt::SkipEmptyParts))
        ruta += parte + u'\\';
    return ruta;
}

QString VolumenDe(const QStringList& raices, const QString& ruta) {
    QString elegido;
    for (const QString& raiz : raices)
        if (Contiene(raiz, ruta) &&
            (elegido.isEmpty() || QDir::cleanPath(raiz).size() > QDir::cleanPath(elegido).size()))
            elegido = raiz;
    return elegido;
}
