#include "store/LecturaPreparada.h"

#include "store/DaoInterno.h"

namespace dao {

namespace interno {

sqlite3_stmt* LecturaTraducida::Tomar(sqlite3* db) {
    if (sqlite3_stmt* s = std::exchange(libre, nullptr))
        return s;
    sqlite3_stmt* s = Preparar(db, sql);
    // Bound once: a value written in the statement that a partial index's condition matches keeps the
    // engine's plan, which a new binding would send back to be prepared again.
    for (std::size_t i = 0; i < literales.size(); ++i)
        if (literales[i].isValid())
            Enlazar(s, int(i) + 1, literales[i]);
    return s;
}

} // namespace interno

namespace {

interno::Base& Abierta(interno::Base* base) {
    if (!base || !base->db)
        throw ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
    return *base;
}

// A value that no statement writes, standing for a query parameter while the text is translated, so
// that the translation shows where each parameter went.
QString Marca(qsizetype parametro) {
    return QChar(0xFDD0) + QString::number(parametro) + QChar(0xFDD0);
}

std::shared_ptr<interno::LecturaTraducida> Traducir(interno::Base& base, const QString& sql,
                                                    const QStringList& parametros) {
    Parametros marcas;
    for (qsizetype k = 0; k < parametros.size(); ++k)
        marcas.emplace_back(parametros[k], Marca(k));
    const SentenciaTraducida t = base.Traductor().Sentencia(sql, marcas);
    if (t.clase != ClaseSentencia::Seleccion)
        throw ErrorBD(3219, QStringLiteral("Operación no válida: una lectura necesita una consulta SELECT."));
    auto traducida = std::make_shared<interno::LecturaTraducida>();
    traducida->sql = t.sql;
    traducida->literales = t.parametros;
    traducida->lugares.assign(parametros.size(), 0);
    for (std::size_t i = 0; i < t.parametros.size(); ++i) {
        const QString valor =
            t.parametros[i].typeId() == QMetaType::QString ? t.parametros[i].toString() : QString();
        for (qsizetype k = 0; k < parametros.size(); ++k) {
            if (valor != Marca(k))
                continue;
            // Anywhere but in one place of its own, the value shaped the statement (a LIKE pattern).
            if (traducida->lugares[k] != 0)
                throw ErrorBD(3077, QStringLiteral("El parámetro [%1] no puede usarse como patrón en una "
                                                   "lectura preparada.")
                                        .arg(parametros[k]));
            traducida->lugares[k] = int(i) + 1;
            traducida->literales[i] = QVariant();
        }
    }
    for (const QVariant& literal : traducida->literales)
        if (literal.typeId() == QMetaType::QString && literal.toString().contains(QChar(0xFDD0)))
            throw ErrorBD(3077, QStringLiteral("Un parámetro no puede usarse como patrón en una lectura "
                                               "preparada."));
    return traducida;
}

} // namespace

LecturaPreparada::LecturaPreparada(Database& base, const QString& sql, const QStringList& parametros)
    : conexion_(Abierta(base.d.get()).testigo), clave_(sql + QChar(0) + parametros.join(QChar(0))),
      textos_(parametros.size()) {
    interno::Base& b = **conexion_;
    std::shared_ptr<interno::LecturaTraducida>& guardada = b.lecturas[clave_];
    if (!guardada)
        guardada = Traducir(b, sql, parametros);
    traducida_ = guardada;
    b.SuspenderSondeos();
    sentencia_ = traducida_->Tomar(b.db);
}

LecturaPreparada::~LecturaPreparada() {
    sqlite3_reset(sentencia_);
    // Kept for the next run while the connection and the translation last and none is kept yet.
    const interno::Base* base = *conexion_;
    if (base && base->db && !traducida_->libre && base->lecturas.value(clave_) == traducida_)
        traducida_->libre = sentencia_;
    else
        sqlite3_finalize(sentencia_);
}

void LecturaPreparada::Enlazar(int parametro, QStringView texto) {
    QByteArray& utf8 = textos_.at(parametro);
    utf8 = texto.toUtf8();
    sqlite3_bind_text(sentencia_, traducida_->lugares.at(parametro), utf8.constData(), int(utf8.size()),
                      SQLITE_STATIC);
}

void LecturaPreparada::Enlazar(int parametro, qint64 valor) {
    sqlite3_bind_int64(sentencia_, traducida_->lugares.at(parametro), valor);
}

bool LecturaPreparada::Siguiente() {
    const int rc = sqlite3_step(sentencia_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    interno::ErrorDeMotor(Abierta(*conexion_).db, rc);
}

bool LecturaPreparada::Nulo(int columna) const {
    return sqlite3_column_type(sentencia_, columna) == SQLITE_NULL;
}

QString LecturaPreparada::Texto(int columna) const {
    const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(sentencia_, columna));
    return texto ? QString::fromUtf8(texto, sqlite3_column_bytes(sentencia_, columna)) : QString();
}

qint64 LecturaPreparada::Entero(int columna) const {
    return sqlite3_column_int64(sentencia_, columna);
}

} // namespace dao
