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

InsercionPreparada::InsercionPreparada(Database& base, const QString& tabla, const QStringList& campos,
                                       int filas)
    : conexion_(Abierta(base.d.get()).testigo), filas_(filas), textos_(campos.size() * filas) {
    QStringList nombres, valores;
    for (const QString& campo : campos)
        nombres << TraductorJet::Identificador(campo);
    for (int fila = 0; fila < filas; ++fila) {
        QStringList parametros;
        for (qsizetype k = 0; k < campos.size(); ++k)
            parametros << QStringLiteral("?%1").arg(fila * campos.size() + k + 1);
        valores << QLatin1Char('(') + parametros.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    sentencia_ =
        interno::Preparar(base.d->db, QStringLiteral("INSERT INTO ") + TraductorJet::Identificador(tabla) +
                                          QStringLiteral(" (") + nombres.join(QStringLiteral(", ")) +
                                          QStringLiteral(") VALUES ") + valores.join(QStringLiteral(", ")));
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
    base.TrasEscribir(filas_);
}

} // namespace dao
