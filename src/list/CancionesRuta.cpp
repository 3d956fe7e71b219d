#include "list/CancionesRuta.h"

#include "store/Globales.h"

#include <QHash>
#include <QSet>

#include <array>

namespace Lista {

namespace {

bool TieneLetra(const QVariant& idxCancion) { return idxCancion.isValid() && idxCancion.toInt() != 0; }

// texto as the engine's LIKE compares it letter by letter: composed (NFC), each letter case-folded.
std::vector<char32_t> Plegado(const QString& texto) {
    std::vector<char32_t> letras;
    for (char32_t c : texto.normalized(QString::NormalizationForm_C).toUcs4())
        letras.push_back(QChar::toCaseFolded(c));
    return letras;
}

// Whether a LIKE pattern without wildcards, patron, matches texto.
bool MismoTexto(const QString& texto, const QString& patron) { return Plegado(texto) == Plegado(patron); }

bool MismoTexto(const QVariant& valor, const QString& texto) {
    const QString leido = valor.toString();
    return leido == texto || MismoTexto(leido, texto);
}

// Where the fields the list reads stand in a set over "SELECT * FROM CANCIONES".
struct PosicionCampos {
    explicit PosicionCampos(const dao::Recordset& rs) {
        QHash<QString, int> posiciones;
        for (int i = 0; i < rs.FieldCount(); ++i)
            posiciones.insert(rs.FieldName(i).toUpper(), i);
        for (auto [campo, nombre] : {std::pair{&cabecera, "CABECERA"}, {&ruta, "RUTA"}, {&autor, "AUTOR"},
                                     {&titulo, "TITULO"}, {&extension, "EXTENSION"}, {&longitud, "LONGITUD"},
                                     {&idxCancion, "IDX_CANCION"}})
            *campo = posiciones.value(QLatin1String(nombre), -1);
    }
    int cabecera, ruta, autor, titulo, extension, longitud, idxCancion;
};

// The route statement's LIKE ignores letter case, and LimpiaLike leaves "?" where an apostrophe or a
// "#" stood, so a row of another route can slip in (a path "Rock'n roll" also matches "Rock n roll").
// Only rows whose header and path are the route's own, letter case aside, are the route's songs; the
// other pattern characters are bracketed, so without an apostrophe or a "#" every row is.
class FiltroRuta {
public:
    FiltroRuta(const QString& cabecera, const QString& ruta)
        : cabecera_(cabecera), ruta_(ruta), necesario_(Ambiguo(cabecera) || Ambiguo(ruta)) {}
    bool EsDeLaRuta(const dao::Recordset& rs, const PosicionCampos& campos) const {
        return !necesario_ ||
               (MismoTexto(rs.Field(campos.cabecera), cabecera_) && MismoTexto(rs.Field(campos.ruta), ruta_));
    }

private:
    static bool Ambiguo(const QString& texto) { return texto.contains(u'\'') || texto.contains(u'#'); }
    QString cabecera_;
    QString ruta_;
    bool necesario_;
};

// A title that LimpiaLike leaves as a pattern with wildcards ("'" and "#" become "?").
bool EsPatron(const QString& titulo) {
    for (const QChar c : titulo)
        if (c == u'\'' || c == u'#' || c == u'*' || c == u'?' || c == u'[')
            return true;
    return false;
}

// The route's condition; alias, when given, names the table ("C." for CANCIONES AS C).
QString Clausula(const QString& cabecera, const QString& ruta, const QString& alias = {}) {
    return QStringLiteral("%3CABECERA LIKE '%1' AND %3RUTA LIKE '%2'")
        .arg(PatronLiteral(cabecera), PatronLiteral(ruta), alias);
}

// A title without wildcards, as a LIKE pattern, matches the titles equal to it letter by letter, case
// aside; those are among the titles equal to it in the collation. One statement pairs every title of
// the route without a lyric with the titles equal to it that have one, an indexed lookup per song (Nz
// keeps the planner on the route's index rather than the lyric number's); the letter by letter
// comparison is made here on that short answer.
QSet<QString> TitulosConLetraEnRuta(dao::Database& base, const QString& cabecera, const QString& ruta) {
    QSet<QString> titulos;
    auto rs = base.OpenRecordset(
        QStringLiteral("SELECT C.TITULO, L.TITULO FROM CANCIONES AS C, CANCIONES AS L WHERE %1 AND "
                       "Nz(C.IDX_CANCION, 0) = 0 AND L.TITULO = C.TITULO AND L.IDX_CANCION <> 0")
            .arg(Clausula(cabecera, ruta, QStringLiteral("C."))));
    for (; !rs->Eof(); rs->MoveNext()) {
        const QString titulo = rs->Field(0).toString();
        if (!titulos.contains(titulo) && MismoTexto(rs->Field(1), titulo))
            titulos.insert(titulo);
    }
    return titulos;
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
        const QString& titulo = cancion.titulo;
        bool posible;
        if (!EsPatron(titulo)) {
            posible = literales.contains(titulo);
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
    const PosicionCampos campos(*rs);
    const FiltroRuta filtro(cabecera, ruta);
    for (; !rs->Eof(); rs->MoveNext()) {
        if (!filtro.EsDeLaRuta(*rs, campos))
            continue;
        canciones.push_back({rs->Field(campos.autor).toString(), rs->Field(campos.titulo).toString(),
                             rs->Field(campos.extension).toString(), rs->Field(campos.longitud),
                             TieneLetra(rs->Field(campos.idxCancion)) ? MarcaConLetra : MarcaSinLetra});
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
    const PosicionCampos campos(*rs);
    const FiltroRuta filtro(cabecera, ruta);
    for (int k = 0; !rs->Eof(); rs->MoveNext()) {
        if (!filtro.EsDeLaRuta(*rs, campos))
            continue;
        if (k++ == indice)
            return rs;
    }
    return nullptr;
}

FormatoTamano::FormatoTamano(const QLocale& locale)
    : separador_(locale.groupSeparator()), negativo_(locale.negativeSign()) {}

QString FormatoTamano::operator()(const QVariant& longitud) const {
    if (!longitud.isValid())
        return {};
    const qint64 valor = longitud.toLongLong();
    // Written from the last digit backwards, a separator before every third one.
    std::array<QChar, 64> texto;
    qsizetype inicio = texto.size();
    quint64 resto = valor < 0 ? 0 - quint64(valor) : quint64(valor);
    for (int digitos = 0; digitos == 0 || resto > 0; ++digitos, resto /= 10) {
        if (digitos > 0 && digitos % 3 == 0)
            for (qsizetype k = separador_.size() - 1; k >= 0; --k)
                texto[--inicio] = separador_[k];
        texto[--inicio] = QChar(u'0' + int(resto % 10));
    }
    const QString grupos(texto.data() + inicio, texto.size() - inicio);
    return valor < 0 ? negativo_ + grupos : grupos;
}

QString TextoTamano(const QVariant& longitud, const QLocale& locale) { return FormatoTamano(locale)(longitud); }

} // namespace Lista
