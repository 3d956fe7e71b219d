#include "store/CatalogoPorLetra.h"

#include "store/Globales.h"
#include "store/IndiceLetras.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <sqlite3.h>

namespace catalogo {

namespace {

struct Columna {
    const char* nombre;
    dao::TipoCampo tipo;
};
constexpr Columna ColumnasAux[] = {
    {"CABECERA", dao::TipoCampo::Texto},     {"RUTA", dao::TipoCampo::Texto},
    {"AUTOR", dao::TipoCampo::Texto},        {"TITULO", dao::TipoCampo::Texto},
    {"EXTENSION", dao::TipoCampo::Texto},    {"LONGITUD", dao::TipoCampo::Entero},
    {"IDX_CANCION", dao::TipoCampo::Entero}, {"REL_POS", dao::TipoCampo::Entero},
};

bool EsNombreAux(const QString& nombre) {
    static const QRegularExpression forma(QStringLiteral("^AUX[0-9]+$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return forma.match(nombre).hasMatch();
}

bool TieneColumnasAux(dao::Database& base, const QString& tabla) {
    auto rs = base.OpenRecordset(QStringLiteral("SELECT * FROM [%1] WHERE 1 = 0").arg(tabla));
    if (rs->FieldCount() != static_cast<int>(std::size(ColumnasAux)))
        return false;
    for (int i = 0; i < rs->FieldCount(); ++i)
        if (rs->FieldName(i).compare(QLatin1String(ColumnasAux[i].nombre), Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

// The engine's failure on a statement of ours, as the layer reports its own. A function of the layer
// that fails (an invalid pattern) passes "number|description".
[[noreturn]] void FalloMotor(sqlite3* conexion, int codigo) {
    const QString mensaje = QString::fromUtf8(sqlite3_errmsg(conexion));
    static const QRegularExpression propio(QStringLiteral("^(\\d+)\\|(.*)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = propio.match(mensaje); m.hasMatch())
        throw dao::ErrorBD(m.captured(1).toInt(), m.captured(2));
    switch (codigo & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw dao::ErrorBD(3260, QStringLiteral("El catálogo está bloqueado por otro programa o por otra "
                                                "operación en curso; inténtelo de nuevo más tarde."));
    case SQLITE_FULL:
        throw dao::ErrorBD(3026, QStringLiteral("No queda espacio en el disco para el catálogo."));
    case SQLITE_INTERRUPT:
        throw dao::ErrorBD(3059, QStringLiteral("Operación cancelada por el usuario."));
    default:
        throw dao::ErrorBD(3043, QStringLiteral("Error al buscar en las letras: %1").arg(mensaje));
    }
}

} // namespace

QString NombreTablaAux(dao::Database& base) {
    static int cuenta = 0;
    const QStringList tablas = base.TableNames();
    QString nombre;
    do
        nombre = QStringLiteral("AUX%1%2").arg(QCoreApplication::applicationPid()).arg(++cuenta);
    while (tablas.contains(nombre, Qt::CaseInsensitive));
    return nombre;
}

void CrearTablaAux(dao::Database& base, const QString& nombre) {
    dao::TableDef tabla = base.CreateTableDef(nombre);
    for (const Columna& columna : ColumnasAux)
        tabla.AppendField(tabla.CreateField(QLatin1String(columna.nombre), columna.tipo));
    base.AppendTableDef(tabla);
}

int LlenarTablaAux(dao::Database& base, const QString& nombre, const CamposPorLetra& campos,
                   const QString& texto, Acentos acentos) {
    QStringList columnas;
    for (const Columna& columna : ColumnasAux)
        columnas << QLatin1String(columna.nombre);
    QString condicion;
    QList<QByteArray> patrones;
    for (int campo = 0; campo < static_cast<int>(campos.size()); ++campo) {
        if (campos[campo].isEmpty())
            continue;
        patrones << Globales::LimpiaLike(QLatin1Char('*') + campos[campo] + QLatin1Char('*')).toUtf8();
        condicion += QStringLiteral("like_jet(%1, ?%2) AND ").arg(columnas[campo]).arg(patrones.size() + 1);
    }
    const QString prueba = acentos == Acentos::Ignorados
                               ? QStringLiteral("buscatexto_sin_acentos(?1, LETRAS.LYRICS)")
                               : QStringLiteral("buscatexto(?1, LETRAS.LYRICS)");
    // With the index, the songs are reached from the few lyrics it names; without it (a text too short
    // for trigrams), every candidate song's lyric is tested.
    const QByteArray consultaIndice = HayIndiceLetras(base) ? ConsultaIndiceLetras(texto) : QByteArray();
    QString letra;
    if (consultaIndice.isEmpty()) {
        letra =
            QStringLiteral("EXISTS (SELECT 1 FROM LETRAS WHERE LETRAS.IDX_CANCION = CANCIONES.IDX_CANCION "
                           "AND %1)")
                .arg(prueba);
    } else {
        patrones << consultaIndice;
        letra = QStringLiteral("IDX_CANCION IN (SELECT IDX_CANCION FROM LETRAS WHERE rowid IN (SELECT rowid "
                               "FROM \"%1\" WHERE \"%1\" MATCH ?%2) AND %3)")
                    .arg(NombreIndiceLetras())
                    .arg(patrones.size() + 1)
                    .arg(prueba);
    }
    const QByteArray sql =
        QStringLiteral(
            "INSERT INTO \"%1\" (rowid, %2) SELECT rowid, %2 FROM CANCIONES WHERE %3IDX_CANCION <> 0 "
            "AND %4")
            .arg(nombre, columnas.join(QStringLiteral(", ")), condicion, letra)
            .toUtf8();
    sqlite3* conexion = base.Conexion();
    sqlite3_stmt* sentencia = nullptr;
    int codigo = sqlite3_prepare_v2(conexion, sql.constData(), -1, &sentencia, nullptr);
    if (codigo != SQLITE_OK)
        FalloMotor(conexion, codigo);
    const QByteArray buscado = texto.toUtf8();
    sqlite3_bind_text(sentencia, 1, buscado.constData(), static_cast<int>(buscado.size()), SQLITE_STATIC);
    for (int i = 0; i < patrones.size(); ++i)
        sqlite3_bind_text(sentencia, i + 2, patrones[i].constData(), static_cast<int>(patrones[i].size()),
                          SQLITE_STATIC);
    codigo = sqlite3_step(sentencia);
    sqlite3_finalize(sentencia);
    if (codigo != SQLITE_DONE)
        FalloMotor(conexion, codigo);
    return sqlite3_changes(conexion);
}

void BorrarTablaAux(dao::Database& base, const QString& nombre) {
    base.DeleteTableDef(nombre);
}

void BorrarTablasAuxAbandonadas(dao::Database& base) {
    for (const QString& tabla : base.TableNames())
        if (EsNombreAux(tabla) && TieneColumnasAux(base, tabla))
            base.DeleteTableDef(tabla);
}

} // namespace catalogo
