#include "FalloInyectado.h"

#include <QByteArray>

#include <stdexcept>

namespace {

const char* const Tablas[] = {"CANCIONES", "LETRAS"};
const char* const Ordenes[] = {"INSERT", "UPDATE", "DELETE"};

QByteArray Nombre(const char* tabla, const char* orden) {
    return QByteArray("fallo_inyectado_") + tabla + '_' + orden;
}

void Ejecutar(sqlite3* db, const QByteArray& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string texto = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(sql.toStdString() + ": " + texto);
    }
}

} // namespace

FalloInyectado::FalloInyectado(sqlite3* db) : db_(db) {
    sqlite3_create_function_v2(db, "fallo_inyectado", 0, SQLITE_UTF8, this, Funcion, nullptr, nullptr,
                               nullptr);
    for (const char* tabla : Tablas)
        for (const char* orden : Ordenes)
            Ejecutar(db, "CREATE TEMP TRIGGER " + Nombre(tabla, orden) + " BEFORE " + orden + " ON main." +
                             tabla + " BEGIN SELECT fallo_inyectado(); END");
    sqlite3_commit_hook(db, Confirmacion, this);
}

FalloInyectado::~FalloInyectado() {
    sqlite3_commit_hook(db_, nullptr, nullptr);
    for (const char* tabla : Tablas)
        for (const char* orden : Ordenes)
            sqlite3_exec(db_, ("DROP TRIGGER IF EXISTS temp." + Nombre(tabla, orden)).constData(), nullptr,
                         nullptr, nullptr);
}

void FalloInyectado::Contar() {
    contando_ = true;
    objetivo_ = 0;
    escrituras_ = 0;
    disparado_ = false;
}

void FalloInyectado::Armar(qint64 n, int codigo) {
    Contar();
    objetivo_ = n;
    codigo_ = codigo;
}

void FalloInyectado::Desarmar() {
    contando_ = false;
    objetivo_ = 0;
}

bool FalloInyectado::Escribir() {
    if (!contando_)
        return false;
    if (++escrituras_ != objetivo_)
        return false;
    objetivo_ = 0; // one failure: undoing what was done must be able to write
    disparado_ = true;
    return true;
}

void FalloInyectado::Funcion(sqlite3_context* contexto, int, sqlite3_value**) {
    auto* fallo = static_cast<FalloInyectado*>(sqlite3_user_data(contexto));
    if (fallo->Escribir())
        sqlite3_result_error_code(contexto, fallo->codigo_);
    else
        sqlite3_result_null(contexto);
}

int FalloInyectado::Confirmacion(void* datos) {
    return static_cast<FalloInyectado*>(datos)->Escribir() ? 1 : 0;
}
