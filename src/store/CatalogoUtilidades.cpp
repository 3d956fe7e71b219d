#include "store/CatalogoUtilidades.h"

#include "store/DaoInterno.h"
#include "store/FuncionesSql.h"
#include "store/Transaccion.h"

namespace catalogo {

namespace {

// A route is faulty when one of its positions is held by two songs, is Null, or is 0 with no lower
// position before it. Grouping by (CABECERA, RUTA, REL_POS) walks the route index in order. A Null
// header or path (an import reads an empty line so) is a route like any other: every comparison of
// routes is made with IS, which takes two Nulls as equal.
constexpr const char* GruposMalNumerados =
    "SELECT CABECERA, RUTA FROM CANCIONES AS g GROUP BY CABECERA, RUTA, REL_POS "
    "HAVING COUNT(*) > 1 OR REL_POS IS NULL OR (REL_POS = 0 AND NOT EXISTS (SELECT 1 FROM CANCIONES AS m "
    "WHERE m.CABECERA IS g.CABECERA AND m.RUTA IS g.RUTA AND m.REL_POS < 0))";

constexpr const char* LetrasSinCanciones =
    "IDX_CANCION IS NULL OR IDX_CANCION = 0 OR NOT EXISTS (SELECT 1 FROM CANCIONES AS c "
    "WHERE c.IDX_CANCION = LETRAS.IDX_CANCION)";

constexpr const char* ReferenciasRotas =
    "IDX_CANCION <> 0 AND NOT EXISTS (SELECT 1 FROM LETRAS AS l WHERE l.IDX_CANCION = CANCIONES.IDX_CANCION)";

sqlite3* Conexion(dao::Database& base) {
    sqlite3* db = base.Conexion();
    if (!db)
        throw dao::ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
    return db;
}

bool HayFila(dao::Database& base, const QByteArray& sql) {
    Filas filas(base, sql.constData());
    return filas.Siguiente();
}

qint64 Numero(dao::Database& base, const char* sql, const QStringList& parametros = {}) {
    Filas filas(base, sql, parametros);
    return filas.Siguiente() ? filas.Entero(0) : 0;
}

// Runs one writing statement in a transaction of its own: all of it or, on an error, none of it.
// Returns the rows it changed.
int EscribirEnTransaccion(dao::Database& base, const QByteArray& sql) {
    Transaccion transaccion(base);
    sqlite3* db = Conexion(base);
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.constData(), -1, &s, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        dao::interno::ErrorDeMotor(db, rc);
    const int cambiadas = sqlite3_changes(db);
    // A statement of the layer that changes nothing tells its open record sets that rows have changed;
    // inside the transaction, so that its failure, too, leaves the repair undone rather than made and
    // reported as failed.
    base.Execute(QStringLiteral("UPDATE LETRAS SET IDX_CANCION = 0 WHERE 0 = 1"));
    transaccion.Confirmar();
    return cambiadas;
}

void Enlazar(sqlite3_stmt* s, int indice, const std::optional<QByteArrayView>& texto) {
    if (texto)
        sqlite3_bind_text(s, indice, texto->constData(), int(texto->size()), SQLITE_STATIC);
    else
        sqlite3_bind_null(s, indice);
}

void Enlazar(sqlite3_stmt* s, int indice, std::optional<qint32> numero) {
    if (numero)
        sqlite3_bind_int(s, indice, *numero);
    else
        sqlite3_bind_null(s, indice);
}

QByteArray CondicionAlcance(const AlcanceListado& alcance) {
    if (alcance.ruta)
        return " WHERE CABECERA = ?1 AND RUTA = ?2";
    if (alcance.cabecera)
        return " WHERE CABECERA = ?1";
    return {};
}

QStringList ParametrosAlcance(const AlcanceListado& alcance) {
    QStringList parametros;
    if (alcance.cabecera || alcance.ruta)
        parametros << alcance.cabecera.value_or(QString());
    if (alcance.ruta)
        parametros << *alcance.ruta;
    return parametros;
}

QStringList Textos(dao::Database& base, const char* sql, const QStringList& parametros = {}) {
    QStringList textos;
    Filas filas(base, sql, parametros);
    while (filas.Siguiente())
        if (!filas.Nulo(0))
            textos << QString::fromUtf8(filas.Texto(0));
    return textos;
}

} // namespace

// ---------------------------------------------------------------------------------------------------

Filas::Filas(dao::Database& base, const char* sql, const QStringList& parametros) : base_(base) {
    sqlite3* db = Conexion(base);
    const int rc = sqlite3_prepare_v2(db, sql, -1, &sentencia_, nullptr);
    if (rc != SQLITE_OK)
        dao::interno::ErrorDeMotor(db, rc);
    for (int i = 0; i < parametros.size(); ++i) {
        const QByteArray texto = parametros[i].toUtf8();
        sqlite3_bind_text(sentencia_, i + 1, texto.constData(), int(texto.size()), SQLITE_TRANSIENT);
    }
}

Filas::~Filas() {
    sqlite3_finalize(sentencia_);
}

bool Filas::Siguiente() {
    const int rc = sqlite3_step(sentencia_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        dao::interno::ErrorDeMotor(base_.Conexion(), rc);
    return false;
}

bool Filas::Nulo(int columna) const {
    return sqlite3_column_type(sentencia_, columna) == SQLITE_NULL;
}

QByteArrayView Filas::Texto(int columna) const {
    const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(sentencia_, columna));
    return QByteArrayView(texto, sqlite3_column_bytes(sentencia_, columna));
}

qint64 Filas::Entero(int columna) const {
    return sqlite3_column_int64(sentencia_, columna);
}

// ---------------------------------------------------------------------------------------------------

bool HayIdxNulos(dao::Database& base) {
    return HayFila(base, "SELECT 1 FROM CANCIONES WHERE IDX_CANCION IS NULL LIMIT 1");
}

int RepararIdxNulos(dao::Database& base) {
    return EscribirEnTransaccion(base, "UPDATE CANCIONES SET IDX_CANCION = 0 WHERE IDX_CANCION IS NULL");
}

QStringList FallosDelFichero(dao::Database& base) {
    QStringList fallos;
    Filas filas(base, "PRAGMA integrity_check");
    while (filas.Siguiente()) {
        const QString texto = QString::fromUtf8(filas.Texto(0));
        if (texto == QLatin1String("ok"))
            continue;
        // One row may hold several lines, the first naming the database ("*** in database main ***").
        for (const QString& linea : texto.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (!linea.startsWith(QLatin1String("***")))
                fallos << linea;
    }
    return fallos;
}

bool HayCanciones(dao::Database& base) {
    return HayFila(base, "SELECT 1 FROM CANCIONES LIMIT 1");
}

bool HayRutasMalNumeradas(dao::Database& base) {
    return HayFila(base, QByteArray(GruposMalNumerados) + " LIMIT 1");
}

int RenumerarRutasMalNumeradas(dao::Database& base) {
    // The faulty routes are few: each is read through the route index. Only the songs whose position
    // changes are written.
    return EscribirEnTransaccion(
        base, QByteArray("UPDATE CANCIONES SET REL_POS = n.posicion FROM (SELECT c.rowid AS fila, "
                         "ROW_NUMBER() OVER (PARTITION BY c.CABECERA, c.RUTA ORDER BY c.REL_POS, c.AUTOR, "
                         "c.TITULO, c.rowid) AS posicion FROM (SELECT DISTINCT CABECERA, RUTA FROM (") +
                  GruposMalNumerados +
                  ")) AS g JOIN CANCIONES AS c ON c.CABECERA IS g.CABECERA AND c.RUTA IS g.RUTA) AS n "
                  "WHERE CANCIONES.rowid = n.fila AND CANCIONES.REL_POS IS NOT n.posicion");
}

bool HayLetras(dao::Database& base) {
    return HayFila(base, "SELECT 1 FROM LETRAS LIMIT 1");
}

bool HayLetrasSinCanciones(dao::Database& base) {
    return HayFila(base, QByteArray("SELECT 1 FROM LETRAS WHERE ") + LetrasSinCanciones + " LIMIT 1");
}

int BorrarLetrasSinCanciones(dao::Database& base) {
    return EscribirEnTransaccion(base, QByteArray("DELETE FROM LETRAS WHERE ") + LetrasSinCanciones);
}

bool HayCancionesConLetra(dao::Database& base) {
    return HayFila(base, "SELECT 1 FROM CANCIONES WHERE IDX_CANCION <> 0 LIMIT 1");
}

bool HayReferenciasRotas(dao::Database& base) {
    return HayFila(base, QByteArray("SELECT 1 FROM CANCIONES WHERE ") + ReferenciasRotas + " LIMIT 1");
}

int QuitarReferenciasRotas(dao::Database& base) {
    return EscribirEnTransaccion(base, QByteArray("UPDATE CANCIONES SET IDX_CANCION = 0 WHERE ") +
                                           ReferenciasRotas);
}

Cobertura ContarCobertura(dao::Database& base) {
    Cobertura cobertura;
    cobertura.conLetra = Numero(base, "SELECT COUNT(*) FROM CANCIONES WHERE IDX_CANCION <> 0");
    const qint64 sinLetra = Numero(base, "SELECT COUNT(*) FROM CANCIONES WHERE IDX_CANCION = 0");
    cobertura.huerfanas = Numero(base, "SELECT COUNT(*) FROM CANCIONES WHERE IDX_CANCION = 0 AND TITULO IN "
                                       "(SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0)");
    cobertura.sinLetra = sinLetra - cobertura.huerfanas;
    return cobertura;
}

qint64 ContarCanciones(dao::Database& base) {
    return Numero(base, "SELECT COUNT(*) FROM CANCIONES");
}

std::unique_ptr<Filas> CancionesEnOrden(dao::Database& base) {
    return std::make_unique<Filas>(base, "SELECT CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, REL_POS "
                                         "FROM CANCIONES ORDER BY CABECERA, RUTA, REL_POS, rowid");
}

InsercionCanciones::InsercionCanciones(dao::Database& base) : base_(base) {
    sqlite3* db = Conexion(base);
    const int rc =
        sqlite3_prepare_v2(db,
                           "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, "
                           "IDX_CANCION, REL_POS) VALUES (?1, ?2, ?3, ?4, ?5, ?6, 0, ?7)",
                           -1, &sentencia_, nullptr);
    if (rc != SQLITE_OK)
        dao::interno::ErrorDeMotor(db, rc);
}

InsercionCanciones::~InsercionCanciones() {
    sqlite3_finalize(sentencia_);
}

void InsercionCanciones::Anadir(const std::optional<QByteArrayView> (&textos)[5],
                                std::optional<qint32> longitud, std::optional<qint32> posicion) {
    for (int i = 0; i < 5; ++i)
        Enlazar(sentencia_, i + 1, textos[i]);
    Enlazar(sentencia_, 6, longitud);
    Enlazar(sentencia_, 7, posicion);
    const int rc = sqlite3_step(sentencia_);
    sqlite3_reset(sentencia_);
    if (rc != SQLITE_DONE)
        dao::interno::ErrorDeMotor(base_.Conexion(), rc);
}

void InsercionCanciones::Terminar() {
    base_.Execute(QStringLiteral("UPDATE LETRAS SET IDX_CANCION = 0 WHERE 0 = 1"));
}

std::unique_ptr<Filas> FilasListado(dao::Database& base, const AlcanceListado& alcance, bool ficheros) {
    const QByteArray sql = ficheros
                               ? "SELECT CABECERA, RUTA, AUTOR, TITULO, EXTENSION FROM CANCIONES" +
                                     CondicionAlcance(alcance) + " ORDER BY CABECERA, RUTA, REL_POS, rowid"
                               : "SELECT DISTINCT CABECERA, RUTA FROM CANCIONES" + CondicionAlcance(alcance) +
                                     " ORDER BY CABECERA, RUTA";
    return std::make_unique<Filas>(base, sql.constData(), ParametrosAlcance(alcance));
}

qint64 ContarFilasListado(dao::Database& base, const AlcanceListado& alcance, bool ficheros) {
    const QByteArray sql = ficheros ? "SELECT COUNT(*) FROM CANCIONES" + CondicionAlcance(alcance)
                                    : "SELECT COUNT(*) FROM (SELECT DISTINCT CABECERA, RUTA FROM CANCIONES" +
                                          CondicionAlcance(alcance) + ")";
    return Numero(base, sql.constData(), ParametrosAlcance(alcance));
}

ComparacionTextos::ComparacionTextos(dao::Database& base) : base_(base) {
    sqlite3* db = Conexion(base);
    const QByteArray sql = QByteArray("SELECT ?1 = ?2 COLLATE ") + dao::Intercalacion;
    const int rc = sqlite3_prepare_v2(db, sql.constData(), -1, &sentencia_, nullptr);
    if (rc != SQLITE_OK)
        dao::interno::ErrorDeMotor(db, rc);
}

ComparacionTextos::~ComparacionTextos() {
    sqlite3_finalize(sentencia_);
}

bool ComparacionTextos::Iguales(QByteArrayView a, QByteArrayView b) {
    if (a == b)
        return true;
    sqlite3_bind_text(sentencia_, 1, a.data(), int(a.size()), SQLITE_STATIC);
    sqlite3_bind_text(sentencia_, 2, b.data(), int(b.size()), SQLITE_STATIC);
    const int rc = sqlite3_step(sentencia_);
    const bool iguales = rc == SQLITE_ROW && sqlite3_column_int(sentencia_, 0) == 1;
    sqlite3_reset(sentencia_);
    if (rc != SQLITE_ROW)
        dao::interno::ErrorDeMotor(base_.Conexion(), rc);
    return iguales;
}

QStringList Cabeceras(dao::Database& base) {
    return Textos(base, "SELECT DISTINCT CABECERA FROM CANCIONES ORDER BY CABECERA");
}

QStringList RutasDe(dao::Database& base, const QString& cabecera) {
    return Textos(base, "SELECT DISTINCT RUTA FROM CANCIONES WHERE CABECERA = ?1 ORDER BY RUTA", {cabecera});
}

} // namespace catalogo
