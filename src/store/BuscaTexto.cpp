#include "store/BuscaTexto.h"

#include "store/PatronLike.h"

#include <sqlite3.h>

#include <QList>

#include <algorithm>
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

bool EsAscii(std::string_view texto) {
    return std::all_of(texto.begin(), texto.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// An ASCII text folded the same way, into a buffer reused from one lyric to the next.
const std::string& PlegarAscii(std::string_view texto) {
    thread_local std::string plegado;
    plegado.clear();
    plegado.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '\r') {
            if (i + 1 < texto.size() && texto[i + 1] == '\n')
                ++i;
            plegado.push_back('\n');
        } else {
            plegado.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
        }
    }
    return plegado;
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

TextoBuscado::TextoBuscado(const QString& texto) : plegado_(Plegar(texto)) {
    if (std::all_of(plegado_.begin(), plegado_.end(), [](char32_t c) { return c < 0x80; }))
        plegadoAscii_.assign(plegado_.begin(), plegado_.end());
}

bool TextoBuscado::EstaEn(const QString& letra) const {
    if (plegado_.empty())
        return true;
    return Plegar(letra).find(plegado_) != std::u32string::npos;
}

bool TextoBuscado::EstaEn(std::string_view letra) const {
    if (plegado_.empty())
        return true;
    if (!EsAscii(letra))
        return EstaEn(QString::fromUtf8(letra.data(), static_cast<qsizetype>(letra.size())));
    if (plegadoAscii_.empty())
        return false; // a text with other characters is never inside an ASCII lyric
    return PlegarAscii(letra).find(plegadoAscii_) != std::string::npos;
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
