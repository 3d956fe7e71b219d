#include "Desnudo.h"

#include "store/BuscaTexto.h"

#include <QFile>

#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/utf8.h>

namespace bench {

namespace {

UCollator* Colador() {
    static UCollator* colador = [] {
        UErrorCode estado = U_ZERO_ERROR;
        UCollator* c = ucol_open("en_US", &estado);
        ucol_setStrength(c, UCOL_SECONDARY);
        ucol_setAttribute(c, UCOL_NORMALIZATION_MODE, UCOL_ON, &estado);
        if (U_FAILURE(estado))
            throw std::runtime_error("ICU: no se pudo crear el comparador");
        return c;
    }();
    return colador;
}

int Comparar(void*, int na, const void* a, int nb, const void* b) {
    UErrorCode estado = U_ZERO_ERROR;
    return ucol_strcollUTF8(Colador(), static_cast<const char*>(a), na, static_cast<const char*>(b), nb,
                            &estado);
}

using Texto = const uint8_t*;

// "%" any run, "_" any one character, every character folded as ICU folds it.
bool Coincide(Texto patron, int np, Texto texto, int nt) {
    int p = 0, t = 0;
    while (p < np) {
        UChar32 c;
        U8_NEXT(patron, p, np, c);
        if (c == '%') {
            while (p < np && (patron[p] == '%' || patron[p] == '_')) {
                if (patron[p++] == '_') {
                    if (t >= nt)
                        return false;
                    U8_FWD_1(texto, t, nt);
                }
            }
            if (p == np)
                return true;
            while (t < nt) {
                if (Coincide(patron + p, np - p, texto + t, nt - t))
                    return true;
                U8_FWD_1(texto, t, nt);
            }
            return false;
        }
        if (t >= nt)
            return false;
        UChar32 d;
        U8_NEXT(texto, t, nt, d);
        if (c != '_' && u_foldCase(c, U_FOLD_CASE_DEFAULT) != u_foldCase(d, U_FOLD_CASE_DEFAULT))
            return false;
    }
    return t == nt;
}

// like(patron, texto), the function behind "texto LIKE patron".
void Like(sqlite3_context* contexto, int, sqlite3_value** valores) {
    if (sqlite3_value_type(valores[0]) == SQLITE_NULL || sqlite3_value_type(valores[1]) == SQLITE_NULL)
        return sqlite3_result_null(contexto);
    Texto patron = sqlite3_value_text(valores[0]);
    const int np = sqlite3_value_bytes(valores[0]);
    Texto texto = sqlite3_value_text(valores[1]);
    sqlite3_result_int(contexto, Coincide(patron, np, texto, sqlite3_value_bytes(valores[1])));
}

} // namespace

void Comprobar(sqlite3* conexion, int codigo, const char* que) {
    if (codigo != SQLITE_OK && codigo != SQLITE_DONE && codigo != SQLITE_ROW)
        throw std::runtime_error(std::string(que) + ": " +
                                 (conexion ? sqlite3_errmsg(conexion) : sqlite3_errstr(codigo)));
}

void Ejecutar(sqlite3* conexion, const char* sql) {
    Comprobar(conexion, sqlite3_exec(conexion, sql, nullptr, nullptr, nullptr), sql);
}

void RegistrarIntercalacion(sqlite3* conexion) {
    Comprobar(conexion,
              sqlite3_create_collation_v2(conexion, "CANTORIO", SQLITE_UTF8, nullptr, Comparar, nullptr),
              "registrar la intercalación");
}

ConexionDesnuda::ConexionDesnuda(const QString& ruta) {
    const int codigo =
        sqlite3_open_v2(QFile::encodeName(ruta).constData(), &conexion_, SQLITE_OPEN_READWRITE, nullptr);
    if (codigo != SQLITE_OK) {
        sqlite3_close(conexion_);
        throw std::runtime_error("no se pudo abrir " + ruta.toStdString());
    }
    RegistrarIntercalacion(conexion_);
    Comprobar(conexion_,
              sqlite3_create_function_v2(conexion_, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                         Like, nullptr, nullptr, nullptr),
              "registrar LIKE");
    // The folding that the triggers of the catalogue's lyric index call on every write to LETRAS.
    catalogo::RegistrarBuscaTexto(conexion_);
    Ejecutar(conexion_, "PRAGMA journal_mode=WAL");
    Ejecutar(conexion_, "PRAGMA synchronous=NORMAL");
    Ejecutar(conexion_, "PRAGMA cache_size=-16384");
}

ConexionDesnuda::~ConexionDesnuda() {
    sqlite3_close(conexion_);
}

} // namespace bench
