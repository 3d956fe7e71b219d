#pragma once
// Patterns of the LIKE operator: "*" any run, "?" one character, "#" one digit, "[abc]", "[a-z]",
// "[!abc]"; letter case ignored, accents not. Texts are compared in composed form (NFC), so a
// decomposed accent matches its composed form.

#include <QString>

#include <string_view>
#include <utility>
#include <vector>

namespace dao {

class PatronLike {
public:
    // Raises ErrorBD 93 when the pattern is not valid (an unmatched "[", a descending range).
    explicit PatronLike(const QString& patron);

    bool Coincide(const QString& texto) const;
    // Same, for a UTF-8 text (the engine's own form); avoids a conversion when the text is ASCII.
    bool CoincideUtf8(std::string_view texto) const;

    // True when the pattern has no wildcard: every match equals TextoFijo() ignoring case.
    bool EsLiteral() const { return literal_; }
    // True when the pattern is a non-empty fixed text followed by one "*": every match starts with
    // TextoFijo() ignoring case.
    bool EsPrefijo() const { return prefijo_; }
    // The fixed text, as written (brackets of literal characters removed).
    const QString& TextoFijo() const { return textoFijo_; }

private:
    struct Elemento {
        enum class Tipo { Literal, Uno, Cualquiera, Digito, Conjunto } tipo;
        char32_t caracter = 0; // folded
        bool negado = false;
        std::vector<std::pair<char32_t, char32_t>> rangos; // folded, inclusive
    };
    // texto(i) is the folded character at i of a text of n characters.
    template <typename Texto> bool CoincideCon(const Texto& texto, std::size_t n) const;
    static bool EncajaEn(const Elemento& e, char32_t c);

    std::vector<Elemento> elementos_;
    bool literal_ = false;
    bool prefijo_ = false;
    QString textoFijo_;
};

// Case folding used by LIKE: every letter, not only ASCII.
char32_t PlegarCaracter(char32_t c);

} // namespace dao
