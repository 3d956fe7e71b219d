#include "utilities/FormatoNumeros.h"

QString FormatoEntero(qint64 numero) {
    const QString digitos = QString::number(numero < 0 ? -numero : numero);
    QString texto;
    for (qsizetype i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0)
            texto += u'.';
        texto += digitos[i];
    }
    return numero < 0 ? u'-' + texto : texto;
}

QString FormatoPorcentaje(qint64 parte, qint64 total) {
    // Hundredths of a per cent, rounded half up in whole numbers: no binary fraction can tip a half.
    const qint64 centesimas = (parte * 20000 + total) / (2 * total);
    return QStringLiteral("%1,%2%").arg(centesimas / 100).arg(centesimas % 100, 2, 10, QLatin1Char('0'));
}
