#include "store/Catalogo.h"

#include <QHash>

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

dao::Parametros ParametrosRuta(const Ruta& ruta) {
    return {{QStringLiteral("pCabecera"), ruta.cabecera}, {QStringLiteral("pRuta"), ruta.ruta}};
}

CancionesRuta LeerCancionesRuta(dao::Database& base, const Ruta& ruta) {
    auto rs = base.OpenRecordset(
        QStringLiteral("SELECT CANCIONES.rowid AS FILA, AUTOR, TITULO, EXTENSION, LONGITUD, "
                       "IDX_CANCION, REL_POS FROM CANCIONES WHERE %1 ORDER BY REL_POS")
            .arg(CondicionRuta()),
        ParametrosRuta(ruta));
    CancionesRuta canciones;
    for (; !rs->Eof(); rs->MoveNext()) {
        CancionRuta c;
        c.fila = rs->Field(0).toLongLong();
        c.autor = rs->Field(1).toString();
        c.titulo = rs->Field(2).toString();
        c.extension = rs->Field(3).toString();
        c.longitud = rs->Field(4);
        c.idxCancion = rs->Field(5).toInt();
        c.relPos = rs->Field(6).toInt();
        c.marca = c.idxCancion != 0 ? MarcaConLetra : MarcaSinLetra;
        canciones.push_back(std::move(c));
    }
    return canciones;
}

void MarcarPosiblesLetras(dao::Database& base, const Ruta& ruta, CancionesRuta& canciones) {
    if (std::none_of(canciones.begin(), canciones.end(),
                     [](const CancionRuta& c) { return c.idxCancion == 0; }))
        return;
    // Nz keeps the planner on the route's index rather than the lyric number's.
    auto rs = base.OpenRecordset(
        QStringLiteral(
            "SELECT C.rowid AS FILA FROM CANCIONES AS C WHERE %1 AND Nz(C.IDX_CANCION, 0) = 0 AND "
            "EXISTS (SELECT * FROM CANCIONES AS L WHERE L.TITULO = C.TITULO AND L.IDX_CANCION <> 0)")
            .arg(CondicionRuta(QStringLiteral("C"))),
        ParametrosRuta(ruta));
    QHash<qint64, bool> posibles;
    for (; !rs->Eof(); rs->MoveNext())
        posibles.insert(rs->Field(0).toLongLong(), true);
    for (CancionRuta& c : canciones)
        if (c.idxCancion == 0 && posibles.contains(c.fila))
            c.marca = MarcaPosibleLetra;
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

QString TextoTamano(const QVariant& longitud, const QLocale& locale) {
    return FormatoTamano(locale)(longitud);
}

} // namespace catalogo
