#include "store/Catalogo.h"

#include "store/LecturaPreparada.h"

#include <algorithm>
#include <array>
#include <limits>

namespace catalogo {

namespace {

QString Prefijo(const QString& alias) {
    return alias.isEmpty() ? QString() : alias + u'.';
}

// MAX of a table with no rows is Null: nothing in use there.
qint64 MayorNumero(dao::Database& base, const QString& tabla) {
    auto rs = base.OpenRecordset(QStringLiteral("SELECT MAX(IDX_CANCION) FROM %1").arg(tabla));
    const QVariant mayor = rs->Field(0);
    return mayor.isValid() ? mayor.toLongLong() : 0;
}

} // namespace

QString CondicionRuta(const QString& alias) {
    return QStringLiteral("%1CABECERA = [pCabecera] AND %1RUTA = [pRuta]").arg(Prefijo(alias));
}

QString CondicionHomonimo(const QString& alias, const QString& titulo) {
    return QStringLiteral("%1.TITULO = %2 AND %1.IDX_CANCION <> 0").arg(alias, titulo);
}

CancionesRuta LeerCancionesRuta(dao::Database& base, const Ruta& ruta, bool posiblesLetras) {
    // The "?" probe runs only for a song without a lyric and is answered by the index of the titles of
    // the songs that have one.
    static const QString lista = QStringLiteral(
        "SELECT C.rowid AS FILA, C.AUTOR, C.TITULO, C.EXTENSION, C.LONGITUD, C.IDX_CANCION, C.REL_POS");
    static const QString posible =
        QStringLiteral(
            ", IIf(Nz(C.IDX_CANCION, 0) = 0, EXISTS (SELECT L.TITULO FROM CANCIONES AS L WHERE %1), "
            "0) AS POSIBLE")
            .arg(CondicionHomonimo(QStringLiteral("L"), QStringLiteral("C.TITULO")));
    static const QString resto = QStringLiteral(" FROM CANCIONES AS C WHERE %1 ORDER BY C.REL_POS")
                                     .arg(CondicionRuta(QStringLiteral("C")));
    dao::LecturaPreparada rs(base, posiblesLetras ? lista + posible + resto : lista + resto,
                             {QStringLiteral("pCabecera"), QStringLiteral("pRuta")});
    rs.Enlazar(0, ruta.cabecera);
    rs.Enlazar(1, ruta.ruta);
    CancionesRuta canciones;
    while (rs.Siguiente()) {
        CancionRuta& c = canciones.emplace_back();
        c.fila = rs.Entero(0);
        c.autor = rs.Texto(1);
        c.titulo = rs.Texto(2);
        c.extension = rs.Texto(3);
        if (!rs.Nulo(4))
            c.longitud = rs.Entero(4);
        c.idxCancion = int(rs.Entero(5));
        c.relPos = int(rs.Entero(6));
        c.marca = c.idxCancion != 0                     ? MarcaConLetra
                  : posiblesLetras && rs.Entero(7) != 0 ? MarcaPosibleLetra
                                                        : MarcaSinLetra;
    }
    return canciones;
}

std::unique_ptr<dao::Recordset> AbrirCancion(dao::Database& base, IdCancion fila) {
    auto rs = base.OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES WHERE rowid = [pFila]"),
                                 {{QStringLiteral("pFila"), fila}}, dao::TipoRecordset::Dynaset);
    if (rs->Eof())
        return nullptr;
    return rs;
}

QString LineaCancion(const CancionRuta& cancion) {
    return cancion.autor + QStringLiteral(" -- ") + cancion.titulo;
}

int NumeroLetraNueva(dao::Database& base) {
    const qint64 mayor = std::max({qint64(0), MayorNumero(base, QStringLiteral("LETRAS")),
                                   MayorNumero(base, QStringLiteral("CANCIONES"))});
    if (mayor >= std::numeric_limits<int>::max())
        throw dao::ErrorBD(
            6, QStringLiteral("Desbordamiento: no queda ningún número libre para una letra nueva."));
    return static_cast<int>(mayor + 1);
}

FormatoTamano::FormatoTamano(const QLocale& locale)
    : separador_(locale.groupSeparator()), negativo_(locale.negativeSign()) {}

QString FormatoTamano::operator()(const QVariant& longitud) const {
    return longitud.isValid() ? (*this)(longitud.toLongLong()) : QString();
}

QString FormatoTamano::operator()(qint64 valor) const {
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

QString TextoTamano(const QVariant& longitud, const QLocale& locale) {
    return FormatoTamano(locale)(longitud);
}

} // namespace catalogo
