#include "queries/SentenciasConsulta.h"

#include "store/Globales.h"

namespace Consultas {

namespace {
const std::array<QString, NumeroCampos>& nombres() {
    static const std::array<QString, NumeroCampos> tabla{QStringLiteral("CABECERA"), QStringLiteral("RUTA"),
                                                         QStringLiteral("AUTOR"), QStringLiteral("TITULO"),
                                                         QStringLiteral("EXTENSION")};
    return tabla;
}

const QString Base = QStringLiteral("SELECT * FROM CANCIONES");

QString fragmento(int campo, const QString& patron) {
    return QLatin1Char(' ') + nombres()[campo] + QStringLiteral(" LIKE '") + patron + QLatin1Char('\'');
}
} // namespace

QString NombreCampo(Campo campo) {
    return nombres()[campo];
}

SentenciaConstruida SentenciaSimple(const TextosCampos& textos, const QString& union_) {
    SentenciaConstruida resultado;
    QString& s = resultado.sentencia;
    s = Base;
    bool primero = true;
    for (int campo = 0; campo < NumeroCampos; ++campo) {
        const QString& texto = textos[campo];
        if (texto.isEmpty())
            continue;
        resultado.criterios[campo] = texto;
        if (primero) {
            s += QStringLiteral(" WHERE");
            primero = false;
        } else {
            s += QLatin1Char(' ') + union_;
        }
        s += fragmento(campo, Globales::LimpiaLike(QLatin1Char('*') + texto + QLatin1Char('*')));
    }
    return resultado;
}

SentenciaConstruida SentenciaAvanzada(const ConsultaAvanzada& consulta) {
    SentenciaConstruida resultado;
    QString& s = resultado.sentencia;
    s = Base;
    bool primero = true;
    for (int campo = 0; campo < NumeroCampos; ++campo) {
        const CriterioAvanzado& criterio = consulta.campos[campo];
        if (criterio.texto.isEmpty())
            continue;
        const QString c =
            criterio.contiene ? QLatin1Char('*') + criterio.texto + QLatin1Char('*') : criterio.texto;
        resultado.criterios[campo] = c;
        // The header is always the first criterion, so its join is never consulted.
        s += primero           ? QStringLiteral(" WHERE")
             : criterio.conAnd ? QStringLiteral(" AND")
                               : QStringLiteral(" OR");
        s += fragmento(campo, Globales::LimpiaLike(c));
        primero = false;
    }
    if (consulta.filtroLetrasUsado && consulta.filtroLetras != QLatin1String("---")) {
        s += primero                 ? QStringLiteral(" WHERE")
             : consulta.letrasConAnd ? QStringLiteral(" AND")
                                     : QStringLiteral(" OR");
        if (consulta.filtroLetras == QLatin1String("SI")) {
            s += QStringLiteral(" IDX_CANCION <> 0");
        } else if (consulta.filtroLetras == QLatin1String("NO")) {
            s += QStringLiteral(" IDX_CANCION = 0");
        } else {
            s += QStringLiteral(" IDX_CANCION = 0 AND TITULO IN ( SELECT TITULO FROM CANCIONES WHERE "
                                "IDX_CANCION <> 0 )");
            resultado.filtroInteligente = true;
        }
    }
    return resultado;
}

} // namespace Consultas
