#include "store/SalidaTabulada.h"

#include "store/Dao.h"

#include <QStringList>

namespace dao {

QString CampoTabulado(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return QStringLiteral("\\N");
    const QString texto =
        valor.typeId() == QMetaType::Double ? QString::number(valor.toDouble(), 'g', 15) : valor.toString();
    QString salida;
    salida.reserve(texto.size());
    for (QChar c : texto) {
        if (c == QLatin1Char('\\'))
            salida += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            salida += QStringLiteral("\\t");
        else if (c == QLatin1Char('\n'))
            salida += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            salida += QStringLiteral("\\r");
        else
            salida += c;
    }
    return salida;
}

QString LineaTabulada(const QVector<QVariant>& valores) {
    QStringList campos;
    for (const QVariant& v : valores)
        campos << CampoTabulado(v);
    return campos.join(QLatin1Char('\t'));
}

void EjecutarSentencia(Database& base, const QString& sentencia, QTextStream& salida) {
    try {
        salida << base.Execute(sentencia) << '\n';
        return;
    } catch (const ErrorBD& e) {
        if (e.Numero() != 3065)
            throw; // 3065: a SELECT, which returns rows
    }
    auto filas = base.OpenRecordset(sentencia);
    QVector<QVariant> valores;
    for (int i = 0; i < filas->FieldCount(); ++i)
        valores << filas->FieldName(i);
    salida << LineaTabulada(valores) << '\n';
    while (!filas->Eof()) {
        for (int i = 0; i < filas->FieldCount(); ++i)
            valores[i] = filas->Field(i);
        salida << LineaTabulada(valores) << '\n';
        filas->MoveNext();
    }
}

} // namespace dao
