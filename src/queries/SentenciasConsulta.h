#pragma once
// The SELECT statements that the simple and advanced queries build from what the user typed, the
// criteria texts the status bar shows for them.

#include <QString>
#include <array>

namespace Consultas {

// The five catalogue fields a query can narrow, in the order the statements list them.
enum Campo { Cabecera, Ruta, Autor, Titulo, Extension };
inline constexpr int NumeroCampos = 5;
using TextosCampos = std::array<QString, NumeroCampos>;

// Column names of the five fields, "CABECERA" ... "EXTENSION".
QString NombreCampo(Campo campo);

struct SentenciaConstruida {
    QString sentencia;
    // The criterion of each field as the status bar shows it; empty for a field that was not used.
    TextosCampos criterios;
    // The lyrics filter asked for songs without lyric whose title has one elsewhere.
    bool filtroInteligente = false;
};

// Every non-empty text must be contained in its field; all criteria are joined by the word union.
SentenciaConstruida SentenciaSimple(const TextosCampos& textos, const QString& union_);

struct CriterioAvanzado {
    QString texto;        // empty: the field is not used
    bool contiene = true; // false: the text is matched exactly
    bool conAnd = true;   // false: joined to the previous criteria by OR
};

struct ConsultaAvanzada {
    std::array<CriterioAvanzado, NumeroCampos> campos;
    bool filtroLetrasUsado = false;
    // "---" none, "SI" with lyric, "NO" without lyric; any other text: without lyric but a song of the
    // same title has one.
    QString filtroLetras = QStringLiteral("---");
    bool letrasConAnd = true;
};

SentenciaConstruida SentenciaAvanzada(const ConsultaAvanzada& consulta);

// The song shown in one row of a result: its five texts (a null text is a Null field), REL_POS and
// lyric number.
struct IdentidadCancion {
    TextosCampos textos;
    int relPos = 0;
    int idxCancion = 0;
    bool operator==(const IdentidadCancion&) const = default;
};

} // namespace Consultas
