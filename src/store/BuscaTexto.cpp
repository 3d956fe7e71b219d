#include "store/BuscaTexto.h"

#include "store/PatronLike.h"

#include <sqlite3.h>

#include <QList>

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

// Below U+0300 no character combines with the ones around it: such a text is already composed.
constexpr char32_t PrimerCombinable = 0x300;

// A character in UTF-8.
struct Utf8 {
    char bytes[4];
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

// The folded form, in UTF-8, of every character below PrimerCombinable.
const std::array<Utf8, PrimerCombinable>& Pliegues() {
    static const std::array<Utf8, PrimerCombinable> tabla = [] {
        std::array<Utf8, PrimerCombinable> t{};
        for (char32_t c = 0; c < PrimerCombinable; ++c)
            t[c] = EnUtf8(dao::PlegarCaracter(c));
        return t;
    }();
    return tabla;
}

// A UTF-8 lyric folded as Plegar does, kept in UTF-8, into a buffer reused from one lyric to the next;
// false (and the buffer unusable) when it holds a character from U+0300 on, which may need composing
// first.
bool PlegarUtf8(std::string_view texto, std::string& plegado) {
    const auto& pliegues = Pliegues();
    plegado.resize(texto.size() * 2);
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

void FuncionBuscaTexto(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_int(ctx, 0);
    auto* buscado = static_cast<TextoBuscado*>(sqlite3_get_auxdata(ctx, 0));
    std::unique_ptr<TextoBuscado> propio;
    if (!buscado) {
        const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                                                sqlite3_value_bytes(argv[0]));
        auto nuevo = std::make_unique<TextoBuscado>(texto);
        buscado = nuevo.get();
        sqlite3_set_auxdata(ctx, 0, nuevo.release(), [](void* p) { delete static_cast<TextoBuscado*>(p); });
        // The engine keeps it only while the text is a constant of the statement: then fold it per row.
        if (sqlite3_get_auxdata(ctx, 0) != buscado) {
            propio = std::make_unique<TextoBuscado>(texto);
            buscado = propio.get();
        }
    }
    std::string_view letra;
    if (sqlite3_value_type(argv[1]) != SQLITE_NULL)
        letra = {reinterpret_cast<const char*>(sqlite3_value_text(argv[1])),
                 static_cast<std::size_t>(sqlite3_value_bytes(argv[1]))};
    sqlite3_result_int(ctx, buscado->EstaEn(letra) ? 1 : 0);
}

} // namespace

TextoBuscado::TextoBuscado(const QString& texto) : plegado_(Plegar(texto)), plegadoUtf8_(EnUtf8(plegado_)) {}

bool TextoBuscado::EstaEn(const QString& letra) const {
    if (plegado_.empty())
        return true;
    return Plegar(letra).find(plegado_) != std::u32string::npos;
}

bool TextoBuscado::EstaEn(std::string_view letra) const {
    if (plegado_.empty())
        return true;
    thread_local std::string plegada;
    if (!PlegarUtf8(letra, plegada))
        return EstaEn(QString::fromUtf8(letra.data(), static_cast<qsizetype>(letra.size())));
    return std::string_view(plegada).find(plegadoUtf8_) != std::string_view::npos;
}

bool BuscaTexto(const QString& texto, const QString& letra) {
    return TextoBuscado(texto).EstaEn(letra);
}

void RegistrarBuscaTexto(sqlite3* conexion) {
    sqlite3_create_function_v2(conexion, "buscatexto", 2,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               FuncionBuscaTexto, nullptr, nullptr, nullptr);
}

} // namespace catalogo
