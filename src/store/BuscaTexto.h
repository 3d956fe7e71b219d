#pragma once
// Whether a lyric contains a text, as the query by lyric text asks: letter case ignored for every
// letter (not only ASCII), composed and decomposed accents alike, every line break form (CR LF, CR,
// LF) the same, and no character with a pattern meaning. An empty text is found in every lyric.

#include <QString>

#include <string>
#include <string_view>

struct sqlite3;

namespace catalogo {

class TextoBuscado {
public:
    explicit TextoBuscado(const QString& texto);
    bool EstaEn(const QString& letra) const;
    // Same, for a UTF-8 lyric (the engine's own form); a lyric of Latin letters is folded straight from it.
    bool EstaEn(std::string_view letra) const;

private:
    std::u32string plegado_;
    std::string plegadoUtf8_; // the same in UTF-8
};

bool BuscaTexto(const QString& texto, const QString& letra);

// Registers buscatexto(texto, letra) on a connection: 1 when letra contains texto, 0 otherwise; a Null
// lyric is an empty one, a Null text is not found.
void RegistrarBuscaTexto(sqlite3* conexion);

} // namespace catalogo
