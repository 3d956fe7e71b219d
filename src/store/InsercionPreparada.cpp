#include "store/InsercionPreparada.h"

#include "store/DaoInterno.h"

namespace dao {

namespace {

interno::Base& Abierta(interno::Base* base) {
    if (!base || !base->db)
        throw ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
    return *base;
}

} // namespace

InsercionPreparada::InsercionPreparada(Database& base, const QString& tabla, const QStringList& campos)
    : conexion_(Abierta(base.d.get()).testigo), textos_(campos.size()) {
    QStringList nombres, parametros;
    for (qsizetype k = 0; k < campos.size(); ++k) {
        nombres << TraductorJet::Identificador(campos[k]);
        parametros << QStringLiteral("?%1").arg(k + 1);
    }
    sentencia_ =
        interno::Preparar(base.d->db, QStringLiteral("INSERT INTO ") + TraductorJet::Identificador(tabla) +
                                          QStringLiteral(" (") + nombres.join(QStringLiteral(", ")) +
                                          QStringLiteral(") VALUES (") +
                                          parametros.join(QStringLiteral(", ")) + QLatin1Char(')'));
}

InsercionPreparada::~InsercionPreparada() {
    // Also when the connection was closed first: it waits for its last statement to go.
    sqlite3_finalize(sentencia_);
}

void InsercionPreparada::Texto(int campo, QStringView valor) {
    QByteArray& texto = textos_.at(campo);
    texto.resize(utf8_.requiredSpace(valor.size()));
    const char* fin = utf8_.appendToBuffer(texto.data(), valor);
    sqlite3_bind_text(sentencia_, campo + 1, texto.constData(), int(fin - texto.constData()), SQLITE_STATIC);
}

void InsercionPreparada::Entero(int campo, qint64 valor) {
    sqlite3_bind_int64(sentencia_, campo + 1, valor);
}

void InsercionPreparada::Anadir() {
    interno::Base& base = Abierta(*conexion_);
    base.SuspenderSondeos();
    const int codigo = sqlite3_step(sentencia_);
    if (codigo != SQLITE_DONE) {
        try {
            interno::ErrorDeMotor(base.db, codigo);
        } catch (...) {
            sqlite3_reset(sentencia_);
            sqlite3_clear_bindings(sentencia_);
            throw;
        }
    }
    sqlite3_reset(sentencia_);
    sqlite3_clear_bindings(sentencia_);
    base.TrasEscribir(1);
}

} // namespace dao
