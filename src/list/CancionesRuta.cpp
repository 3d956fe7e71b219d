#include "list/CancionesRuta.h"

#include "store/Globales.h"

#include <QHash>
#include <QSet>

namespace Lista {

namespace {

bool TieneLetra(const QVariant& idxCancion) { return idxCancion.isValid() && idxCancion.toInt() != 0; }

// The route statement's LIKE ignores letter case, and LimpiaLike leaves "?" where an apostrophe or a
// "#" stood, so a row of another route can slip in (a path "Rock'n roll" also matches "Rock n roll").
// Only rows whose header and path are the route's own, letter case aside, are the route's songs.
bool MismoTexto(const QVariant& valor, const QString& texto) {
    return valor.toString().compare(texto, Qt::CaseInsensitive) == 0;
}

bool EsDeLaRuta(const dao::Recordset& rs, const QString& cabecera, const QString& ruta) {
    return MismoTexto(rs.Field(QStringLiteral("CABECERA")), cabecera) &&
           MismoTexto(rs.Field(QStringLiteral("RUTA")), ruta);
}

// A title that LimpiaLike leaves as a pattern with wildcards ("'" and "#" become "?").
bool EsPatron(const QString& titulo) {
    for (const QChar c : titulo)
        if (c == u'\'' || c == u'#' || c == u'*' || c == u'?' || c == u'[')
            return true;
    return false;
}

QString Clausula(const QString& cabecera, const QString& ruta) {
    return QStringLiteral("CABECERA LIKE '%1' AND RUTA LIKE '%2'").arg(PatronLiteral(cabecera), PatronLiteral(ruta));
}

// Titles without wildcards match exactly the titles equal to them, letter case aside. One statement
// finds, among the titles with a lyric, those equal to a title of the route (an indexed lookup per
// title of the route); the comparison letter by letter is made here on that short answer.
QSet<QString> TitulosConLetraEnRuta(dao::Database& base, const QString& cabecera, const QString& ruta) {
    QSet<QString> plegados;
    auto rs = base.OpenRecordset(
        QStringLiteral("SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0 AND TITULO IN "
                       "(SELECT TITULO FROM CANCIONES WHERE %1)")
            .arg(Clausula(cabecera, ruta)));
    for (; !rs->Eof(); rs->MoveNext())
        plegados.insert(rs->Field(0).toString().toCaseFolded());
    return plegados;
}

bool EsComodin(QChar c) { return c == u'*' || c == u'?' || c == u'#' || c == u'['; }

// A title with wildcards is tried as the pattern itself. Its fixed start, as a prefix pattern beside
// it, lets the engine look only at the titles that begin that way. A pattern the engine refuses (an
// unmatched "[") matches nothing, so that song is shown as having no lyric rather than failing the click.
bool HayLetraParaPatron(dao::Database& base, const QString& patron) {
    qsizetype fijo = 0;
    while (fijo < patron.size() && !EsComodin(patron[fijo]))
        ++fijo;
    const QString inicio =
        fijo > 0 ? QStringLiteral(" AND TITULO LIKE '%1*'").arg(patron.left(fijo)) : QString();
    try {
        auto rs = base.OpenRecordset(
            QStringLiteral("SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0%1 AND TITULO LIKE '%2'")
                .arg(inicio, patron));
        return !rs->Eof();
    } catch (const dao::ErrorBD&) {
        return false;
    }
}

void MarcarPosiblesLetras(dao::Database& base, const QString& cabecera, const QString& ruta,
                          std::vector<CancionLista>& canciones) {
    const QSet<QString> literales = TitulosConLetraEnRuta(base, cabecera, ruta);
    QHash<QString, bool> patrones;
    for (CancionLista& cancion : canciones) {
        if (cancion.marca == MarcaConLetra)
            continue;
        const QString titulo = cancion.titulo.toString();
        bool posible;
        if (!EsPatron(titulo)) {
            posible = literales.contains(titulo.toCaseFolded());
        } else {
            const QString patron = Globales::LimpiaLike(titulo);
            auto hallado = patrones.constFind(patron);
            if (hallado == patrones.constEnd())
                hallado = patrones.insert(patron, HayLetraParaPatron(base, patron));
            posible = *hallado;
        }
        if (posible)
            cancion.marca = MarcaPosibleLetra;
    }
}

} // namespace

QString PatronLiteral(const QString& texto) {
    QString patron;
    patron.reserve(texto.size());
    for (const QChar c : texto) {
        if (c == u'[' || c == u'*' || c == u'?') {
            patron += u'[';
            patron += c;
            patron += u']';
        } else {
            patron += c;
        }
    }
    return Globales::LimpiaLike(patron);
}

QString SentenciaRuta(const QString& cabecera, const QString& ruta) {
    return QStringLiteral("SELECT * FROM CANCIONES WHERE %1 ORDER BY REL_POS").arg(Clausula(cabecera, ruta));
}

std::vector<CancionLista> LeerCancionesRuta(dao::Database& base, const QString& cabecera, const QString& ruta,
                                            bool busquedaInteligente) {
    std::vector<CancionLista> canciones;
    auto rs = base.OpenRecordset(SentenciaRuta(cabecera, ruta));
    for (; !rs->Eof(); rs->MoveNext()) {
        if (!EsDeLaRuta(*rs, cabecera, ruta))
            continue;
        canciones.push_back({rs->Field(QStringLiteral("AUTOR")), rs->Field(QStringLiteral("TITULO")),
                             rs->Field(QStringLiteral("EXTENSION")), rs->Field(QStringLiteral("LONGITUD")),
                             TieneLetra(rs->Field(QStringLiteral("IDX_CANCION"))) ? MarcaConLetra
                                                                                  : MarcaSinLetra});
    }
    if (busquedaInteligente && !canciones.empty())
        MarcarPosiblesLetras(base, cabecera, ruta, canciones);
    return canciones;
}

std::unique_ptr<dao::Recordset> AbrirCancionRuta(dao::Database& base, const QString& cabecera,
                                                 const QString& ruta, int indice) {
    if (indice < 0)
        return nullptr;
    auto rs = base.OpenRecordset(SentenciaRuta(cabecera, ruta));
    for (int k = 0; !rs->Eof(); rs->MoveNext()) {
        if (!EsDeLaRuta(*rs, cabecera, ruta))
            continue;
        if (k++ == indice)
            return rs;
    }
    return nullptr;
}

QString TextoTamano(const QVariant& longitud, const QLocale& locale) {
    if (!longitud.isValid())
        return {};
    const qint64 valor = longitud.toLongLong();
    QString digitos = QString::number(valor < 0 ? -valor : valor);
    for (qsizetype i = digitos.size() - 3; i > 0; i -= 3)
        digitos.insert(i, locale.groupSeparator());
    return valor < 0 ? locale.negativeSign() + digitos : digitos;
}

} // namespace Lista
