#include "store/BuscaTexto.h"

#include "store/PatronLike.h"

#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

#include <QList>

#include <algorithm>
#include <array>
#include <memory>

namespace catalogo {

namespace {

bool EsSalto(char32_t c) {
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

// texto composed (NFC), every letter folded, every line break one "\n".
std::u32string Plegar(const QString& texto) {
    std::u32string plegado;
    const QList<uint> puntos = texto.normalized(QString::NormalizationForm_C).toUcs4();
    plegado.reserve(puntos.size());
    for (qsizetype i = 0; i < puntos.size(); ++i) {
        const char32_t c = puntos[i];
        if (EsSalto(c)) {
            if (c == u'\r' && i + 1 < puntos.size() && puntos[i + 1] == u'\n')
                ++i;
            plegado.push_back(u'\n');
        } else {
            plegado.push_back(dao::PlegarCaracter(c));
        }
    }
    return plegado;
}

// A folded character without its accents: the letters of its canonical decomposition, folded again,
// the non-spacing marks left out ("é" gives "e", a lone combining accent nothing). It depends on the
// folded character alone, so that two texts equal once folded stay equal without accents.
void AnadirSinAcentos(char32_t plegado, std::u32string& salida) {
    UErrorCode error = U_ZERO_ERROR;
    static const UNormalizer2* const descomposicion = unorm2_getNFDInstance(&error);
    UChar partes[32];
    const int32_t largo =
        descomposicion
            ? unorm2_getDecomposition(descomposicion, static_cast<UChar32>(plegado), partes, 32, &error)
            : -1;
    if (largo < 0 || U_FAILURE(error)) {
        if (u_charType(static_cast<UChar32>(plegado)) != U_NON_SPACING_MARK)
            salida.push_back(plegado);
        return;
    }
    for (int32_t i = 0; i < largo;) {
        UChar32 c;
        U16_NEXT(partes, i, largo, c);
        if (u_charType(c) != U_NON_SPACING_MARK)
            salida.push_back(dao::PlegarCaracter(static_cast<char32_t>(c)));
    }
}

std::u32string SinAcentos(const std::u32string& plegado) {
    std::u32string salida;
    salida.reserve(plegado.size());
    for (char32_t c : plegado)
        AnadirSinAcentos(c, salida);
    return salida;
}

std::u32string Plegar(const QString& texto, Acentos acentos) {
    return acentos == Acentos::Ignorados ? SinAcentos(Plegar(texto)) : Plegar(texto);
}

// Below U+0300 no character combines with the ones around it: such a text is already composed.
constexpr char32_t PrimerCombinable = 0x300;

// A character in UTF-8, or the few its folded form without accents gives.
struct Utf8 {
    char bytes[8];
    int largo;
};

Utf8 EnUtf8(char32_t c) {
    if (c < 0x80)
        return {{static_cast<char>(c)}, 1};
    if (c < 0x800)
        return {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))}, 2};
    if (c < 0x10000)
        return {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F))},
                3};
    return {{static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
             static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))},
            4};
}

std::string EnUtf8(const std::u32string& texto) {
    std::string utf8;
    for (char32_t c : texto) {
        const Utf8 u = EnUtf8(c);
        utf8.append(u.bytes, u.largo);
    }
    return utf8;
}

using TablaPliegues = std::array<Utf8, PrimerCombinable>;

// The folded form, in UTF-8, of every character below PrimerCombinable, with or without accents.
TablaPliegues HacerPliegues(Acentos acentos) {
    TablaPliegues t{};
    for (char32_t c = 0; c < PrimerCombinable; ++c) {
        const std::string utf8 = EnUtf8(Plegar(QString::fromUcs4(&c, 1), acentos));
        t[c].largo = static_cast<int>(std::min(utf8.size(), sizeof t[c].bytes));
        std::copy_n(utf8.data(), t[c].largo, t[c].bytes);
    }
    return t;
}

const TablaPliegues& Pliegues(Acentos acentos) {
    static const TablaPliegues con = HacerPliegues(Acentos::Cuentan);
    static const TablaPliegues sin = HacerPliegues(Acentos::Ignorados);
    return acentos == Acentos::Ignorados ? sin : con;
}

// A UTF-8 lyric folded as Plegar does, kept in UTF-8, into a buffer reused from one lyric to the next;
// false (and the buffer unusable) when it holds a character from U+0300 on, which may need composing
// first.
bool PlegarUtf8(std::string_view texto, std::string& plegado, Acentos acentos) {
    const auto& pliegues = Pliegues(acentos);
    plegado.resize(texto.size() * 4);
    char* salida = plegado.data();
    const auto* p = reinterpret_cast<const unsigned char*>(texto.data());
    const auto* fin = p + texto.size();
    while (p < fin) {
        char32_t c = *p++;
        if (c >= 0x80) {
            // Two-byte sequences reach U+07FF; everything this path keeps is below U+0300.
            if ((c & 0xE0) != 0xC0 || p == fin)
                return false;
            c = ((c & 0x1F) << 6) | (*p++ & 0x3F);
            if (c >= PrimerCombinable)
                return false;
        } else if (c == u'\r') {
            if (p < fin && *p == '\n')
                ++p;
            c = u'\n';
        }
        const Utf8& u = pliegues[c];
        for (int k = 0; k < u.largo; ++k)
            *salida++ = u.bytes[k];
    }
    plegado.resize(static_cast<std::size_t>(salida - plegado.data()));
    return true;
}

template <Acentos acentos> void FuncionBuscaTexto(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_int(ctx, 0);
    auto* buscado = static_cast<TextoBuscado*>(sqlite3_get_auxdata(ctx, 0));
    std::unique_ptr<TextoBuscado> propio;
    if (!buscado) {
        const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                                                sqlite3_value_bytes(argv[0]));
        auto nuevo = std::make_unique<TextoBuscado>(texto, acentos);
        buscado = nuevo.get();
        sqlite3_set_auxdata(ctx, 0, nuevo.release(), [](void* p) { delete static_cast<TextoBuscado*>(p); });
        // The engine keeps it only while the text is a constant of the statement: then fold it per row.
        if (sqlite3_get_auxdata(ctx, 0) != buscado) {
            propio = std::make_unique<TextoBuscado>(texto, acentos);
            buscado = propio.get();
        }
    }
    std::string_view letra;
    if (sqlite3_value_type(argv[1]) != SQLITE_NULL)
        letra = {reinterpret_cast<const char*>(sqlite3_value_text(argv[1])),
                 static_cast<std::size_t>(sqlite3_value_bytes(argv[1]))};
    sqlite3_result_int(ctx, buscado->EstaEn(letra) ? 1 : 0);
}

void FuncionPlegarSinAcentos(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::string plegado =
        PlegadoSinAcentos(std::string_view(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                                           static_cast<std::size_t>(sqlite3_value_bytes(argv[0]))));
    sqlite3_result_text(ctx, plegado.data(), static_cast<int>(plegado.size()), SQLITE_TRANSIENT);
}

} // namespace

TextoBuscado::TextoBuscado(const QString& texto, Acentos acentos)
    : acentos_(acentos), plegado_(Plegar(texto, acentos)), plegadoUtf8_(EnUtf8(plegado_)) {}

bool TextoBuscado::EstaEn(const QString& letra) const {
    if (plegado_.empty())
        return true;
    return Plegar(letra, acentos_).find(plegado_) != std::u32string::npos;
}

bool TextoBuscado::EstaEn(std::string_view letra) const {
    if (plegado_.empty())
        return true;
    thread_local std::string plegada;
    if (!PlegarUtf8(letra, plegada, acentos_))
        return EstaEn(QString::fromUtf8(letra.data(), static_cast<qsizetype>(letra.size())));
    return std::string_view(plegada).find(plegadoUtf8_) != std::string_view::npos;
}

bool BuscaTexto(const QString& texto, const QString& letra, Acentos acentos) {
    return TextoBuscado(texto, acentos).EstaEn(letra);
}

std::string PlegadoSinAcentos(const QString& texto) {
    return EnUtf8(Plegar(texto, Acentos::Ignorados));
}

std::string PlegadoSinAcentos(std::string_view textoUtf8) {
    std::string plegado;
    if (PlegarUtf8(textoUtf8, plegado, Acentos::Ignorados))
        return plegado;
    return PlegadoSinAcentos(QString::fromUtf8(textoUtf8.data(), static_cast<qsizetype>(textoUtf8.size())));
}

void RegistrarBuscaTexto(sqlite3* conexion) {
    // Innocuous: the lyric index's triggers call plegar_sin_acentos, and the engine lets a trigger
    // call only such functions.
    constexpr int banderas = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function_v2(conexion, "buscatexto", 2, banderas, nullptr,
                               FuncionBuscaTexto<Acentos::Cuentan>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(conexion, "buscatexto_sin_acentos", 2, banderas, nullptr,
                               FuncionBuscaTexto<Acentos::Ignorados>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(conexion, "plegar_sin_acentos", 1, banderas, nullptr, FuncionPlegarSinAcentos,
                               nullptr, nullptr, nullptr);
}

} // namespace catalogo
