#include "store/LecturaSecuencial.h"

#include "store/DaoInterno.h"

namespace dao {

namespace {

// The statement t with the row key of its table as its first column.
QString ConClave(const SentenciaTraducida& t) {
    QString sql = QStringLiteral("SELECT ") + t.clave + QStringLiteral(", ") + t.lista +
                  QStringLiteral(" FROM ") + t.desde;
    if (!t.donde.isEmpty())
        sql += QStringLiteral(" WHERE ") + t.donde;
    if (!t.orden.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + t.orden;
    if (!t.limite.isEmpty())
        sql += QStringLiteral(" LIMIT ") + t.limite;
    return sql;
}

} // namespace

LecturaSecuencial::LecturaSecuencial(Database& base, const QString& sql, bool conClave)
    : db_(base.Conexion()) {
    if (!db_)
        throw ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
    const SentenciaTraducida t = base.d->Traductor().Sentencia(sql);
    if (t.clase != ClaseSentencia::Seleccion)
        throw interno::SoloSeleccion();
    if (conClave && t.deUnaTabla) {
        tablaClave_ = t.tabla;
        desplazamiento_ = 1;
    }
    sentencia_ = interno::PrepararSoloLectura(db_, desplazamiento_ ? ConClave(t) : t.sql);
    interno::EnlazarParametros(sentencia_, t.parametros, 'p');
}

LecturaSecuencial::~LecturaSecuencial() {
    sqlite3_finalize(sentencia_);
}

int LecturaSecuencial::FieldCount() const {
    return sqlite3_column_count(sentencia_) - desplazamiento_;
}

QString LecturaSecuencial::FieldName(int indice) const {
    return QString::fromUtf8(sqlite3_column_name(sentencia_, indice + desplazamiento_));
}

bool LecturaSecuencial::Siguiente() {
    const int rc = sqlite3_step(sentencia_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    interno::ErrorDeMotor(db_, rc);
}

QVariant LecturaSecuencial::Field(int indice) const {
    return interno::ValorColumna(sentencia_, indice + desplazamiento_);
}

qint64 LecturaSecuencial::Clave() const {
    return sqlite3_column_int64(sentencia_, 0);
}

} // namespace dao
