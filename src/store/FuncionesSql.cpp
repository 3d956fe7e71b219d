#include "store/FuncionesSql.h"

#include "store/BuscaTexto.h"
#include "store/Dao.h"
#include "store/PatronLike.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <QString>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace dao {

namespace {

UCollator* Colador() {
    static UCollator* colador = [] {
        UErrorCode estado = U_ZERO_ERROR;
        UCollator* c = ucol_open("en_US", &estado);
        if (U_FAILURE(estado))
            throw std::runtime_error("No se pudo crear el comparador de textos ICU.");
        ucol_setStrength(c, UCOL_SECONDARY);
        ucol_setAttribute(c, UCOL_NORMALIZATION_MODE, UCOL_ON, &estado);
        return c;
    }();
    return colador;
}

int Comparar(void*, int la, const void* a, int lb, const void* b) {
    UErrorCode estado = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(Colador(), static_cast<const char*>(a), la,
                                                static_cast<const char*>(b), lb, &estado);
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

void ResultadoError(sqlite3_context* ctx, int numero, const QString& descripcion) {
    const QByteArray texto = (QString::number(numero) + QLatin1Char(SeparadorError) + descripcion).toUtf8();
    sqlite3_result_error(ctx, texto.constData(), static_cast<int>(texto.size()));
}

QString Texto(sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void ResultadoTexto(sqlite3_context* ctx, const QString& s) {
    const QByteArray b = s.toUtf8();
    sqlite3_result_text(ctx, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
}

bool AlgunoNulo(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

// Wraps a function body so that an ErrorBD becomes the engine's error for the statement.
template <typename F> void Protegido(sqlite3_context* ctx, F&& cuerpo) {
    try {
        cuerpo();
    } catch (const ErrorBD& e) {
        ResultadoError(ctx, e.Numero(), e.Descripcion());
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

void LikeJet(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    Protegido(ctx, [&] {
        auto* patron = static_cast<PatronLike*>(sqlite3_get_auxdata(ctx, 1));
        if (!patron) {
            auto nuevo = std::make_unique<PatronLike>(Texto(argv[1]));
            patron = nuevo.get();
            sqlite3_set_auxdata(ctx, 1, nuevo.release(), [](void* p) { delete static_cast<PatronLike*>(p); });
            // set_auxdata may have freed it at once (the pattern is not a constant): compile per row then.
            if (sqlite3_get_auxdata(ctx, 1) != patron)
                patron = nullptr;
        }
        const auto* texto = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        const std::string_view vista(texto, static_cast<std::size_t>(sqlite3_value_bytes(argv[0])));
        const bool coincide =
            patron ? patron->CoincideUtf8(vista) : PatronLike(Texto(argv[1])).CoincideUtf8(vista);
        sqlite3_result_int(ctx, coincide ? 1 : 0);
    });
}

void Mayusculas(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    ResultadoTexto(ctx, Texto(argv[0]).toUpper());
}

void Minusculas(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    ResultadoTexto(ctx, Texto(argv[0]).toLower());
}

void Largo(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, Texto(argv[0]).size());
}

// A whole number argument of a text function, as Jet rounds it; an argument out of range is error 5.
qint64 Entero(sqlite3_value* v, qint64 minimo) {
    const double d = std::nearbyint(sqlite3_value_double(v));
    if (!(d >= static_cast<double>(minimo)) || d > 2147483647.0)
        throw ErrorBD(5, QStringLiteral("Argumento no válido en una función de texto: %1.").arg(Texto(v)));
    return static_cast<qint64>(d);
}

void Izquierda(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    Protegido(ctx, [&] { ResultadoTexto(ctx, Texto(argv[0]).left(Entero(argv[1], 0))); });
}

void Derecha(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    Protegido(ctx, [&] { ResultadoTexto(ctx, Texto(argv[0]).right(Entero(argv[1], 0))); });
}

void Medio(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    Protegido(ctx, [&] {
        const QString s = Texto(argv[0]);
        const qint64 inicio = Entero(argv[1], 1);
        const qint64 largo = argc > 2 ? Entero(argv[2], 0) : s.size();
        ResultadoTexto(ctx, inicio > s.size() ? QString() : s.mid(inicio - 1, largo));
    });
}

// InStr([inicio,] texto, buscado [, comparacion]): 0 binary comparison, 1 (the default) ignoring case.
void Posicion(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    Protegido(ctx, [&] {
        int k = 0;
        qint64 inicio = 1;
        if (argc >= 3) {
            if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
                return sqlite3_result_null(ctx);
            inicio = Entero(argv[0], 1);
            k = 1;
        }
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL || sqlite3_value_type(argv[k + 1]) == SQLITE_NULL)
            return sqlite3_result_null(ctx);
        const bool binaria =
            argc == 4 && sqlite3_value_type(argv[3]) != SQLITE_NULL && sqlite3_value_int(argv[3]) == 0;
        const QString texto = Texto(argv[k]);
        const QString buscado = Texto(argv[k + 1]);
        if (inicio > texto.size())
            return sqlite3_result_int(ctx, 0);
        if (buscado.isEmpty())
            return sqlite3_result_int64(ctx, inicio);
        const qsizetype p =
            texto.indexOf(buscado, inicio - 1, binaria ? Qt::CaseSensitive : Qt::CaseInsensitive);
        sqlite3_result_int64(ctx, p + 1);
    });
}

void Concatenar(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const bool nulo0 = sqlite3_value_type(argv[0]) == SQLITE_NULL;
    const bool nulo1 = sqlite3_value_type(argv[1]) == SQLITE_NULL;
    if (nulo0 && nulo1)
        return sqlite3_result_null(ctx);
    QByteArray b;
    if (!nulo0)
        b.append(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])), sqlite3_value_bytes(argv[0]));
    if (!nulo1)
        b.append(reinterpret_cast<const char*>(sqlite3_value_text(argv[1])), sqlite3_value_bytes(argv[1]));
    sqlite3_result_text(ctx, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
}

double Numero(sqlite3_value* v) {
    return sqlite3_value_double(v);
}

void Division(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    if (Numero(argv[1]) == 0)
        return ResultadoError(ctx, 11, QStringLiteral("División por cero."));
    sqlite3_result_double(ctx, Numero(argv[0]) / Numero(argv[1]));
}

// Integer division and MOD round both operands to whole numbers first.
void DivisionEntera(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    const auto a = static_cast<qint64>(std::nearbyint(Numero(argv[0])));
    const auto b = static_cast<qint64>(std::nearbyint(Numero(argv[1])));
    if (b == 0)
        return ResultadoError(ctx, 11, QStringLiteral("División por cero."));
    sqlite3_result_int64(ctx, a / b);
}

void Modulo(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    const auto a = static_cast<qint64>(std::nearbyint(Numero(argv[0])));
    const auto b = static_cast<qint64>(std::nearbyint(Numero(argv[1])));
    if (b == 0)
        return ResultadoError(ctx, 11, QStringLiteral("División por cero."));
    sqlite3_result_int64(ctx, a % b);
}

void Potencia(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv))
        return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, std::pow(Numero(argv[0]), Numero(argv[1])));
}

void Registrar(sqlite3* db, const char* nombre, int argumentos,
               void (*funcion)(sqlite3_context*, int, sqlite3_value**)) {
    sqlite3_create_function_v2(db, nombre, argumentos, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                               nullptr, funcion, nullptr, nullptr, nullptr);
}

} // namespace

void RegistrarFuncionesSql(sqlite3* db) {
    sqlite3_create_collation_v2(db, Intercalacion, SQLITE_UTF8, nullptr, Comparar, nullptr);
    Registrar(db, "like_jet", 2, LikeJet);
    Registrar(db, "ucase_jet", 1, Mayusculas);
    Registrar(db, "lcase_jet", 1, Minusculas);
    Registrar(db, "len_jet", 1, Largo);
    Registrar(db, "left_jet", 2, Izquierda);
    Registrar(db, "right_jet", 2, Derecha);
    Registrar(db, "mid_jet", 2, Medio);
    Registrar(db, "mid_jet", 3, Medio);
    Registrar(db, "instr_jet", 2, Posicion);
    Registrar(db, "instr_jet", 3, Posicion);
    Registrar(db, "instr_jet", 4, Posicion);
    Registrar(db, "concat_jet", 2, Concatenar);
    Registrar(db, "div_jet", 2, Division);
    Registrar(db, "idiv_jet", 2, DivisionEntera);
    Registrar(db, "mod_jet", 2, Modulo);
    Registrar(db, "pow_jet", 2, Potencia);
    catalogo::RegistrarBuscaTexto(db);
}

} // namespace dao
