#pragma once
// Whether a lyric contains a text, as the query by lyric text asks: letter case ignored for every
// letter (not only ASCII), composed and decomposed accents alike, every line break form (CR LF, CR,
// LF) the same, and no character with a pattern meaning. An empty text is found in every lyric.
// With accents ignored, a letter is compared without the marks of its canonical decomposition, so
// "corazon" is found in "CORAZÓN" (and "nino" in "niño").

#include <QString>

#include <string>
#include <string_view>

struct sqlite3;

namespace catalogo {

enum class Acentos { Cuentan, Ignorados };

class TextoBuscado {
public:
    explicit TextoBuscado(const QString& texto, Acentos acentos = Acentos::Cuentan);
    bool EstaEn(const QString& letra) const;
    // Same, for a UTF-8 lyric (the engine's own form); a lyric of Latin letters is folded straight from it.
    bool EstaEn(std::string_view letra) const;

private:
    Acentos acentos_;
    std::u32string plegado_;
    std::string plegadoUtf8_; // the same in UTF-8
};

bool BuscaTexto(const QString& texto, const QString& letra, Acentos acentos = Acentos::Cuentan);

// A text folded as the search with accents ignored compares it, in UTF-8: the form the lyric index
// holds. Whenever a lyric contains a text in either kind of search, the lyric's form contains the
// text's form, so the index can only narrow the lyrics that the search then tests.
std::string PlegadoSinAcentos(const QString& texto);
std::string PlegadoSinAcentos(std::string_view textoUtf8);

// Registers on a connection buscatexto(texto, letra) and buscatexto_sin_acentos(texto, letra): 1 when
// letra contains texto, 0 otherwise; a Null lyric is an empty one, a Null text is not found. And
// plegar_sin_acentos(letra), the indexed form of a lyric (Null for Null).
void RegistrarBuscaTexto(sqlite3* conexion);

} // namespace catalogo
