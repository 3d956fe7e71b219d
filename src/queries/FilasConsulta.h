#pragma once
// The rows of a result held in memory, read once from the engine, with their lyric marks.

#include "queries/ColumnasConsulta.h"
#include "queries/SentenciasConsulta.h"
#include "store/Catalogo.h"

#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace dao {
class Database;
class LecturaSecuencial;
} // namespace dao

namespace Consultas {

// What the rows of one result may take in memory, as FilaConsulta holds them: about two million
// rows of ordinary songs, twice a catalogue of a million. Rows past it are not read.
inline qsizetype MemoriaMaximaFilas = qsizetype(1) << 30;

// The eight columns of CANCIONES as a result may return them: the five texts (Campo) and these.
enum CampoNumerico { Longitud = NumeroCampos, IdxCancion, RelPos };
inline constexpr int NumeroCamposCancion = 8;

struct FilaConsulta {
    TextosCampos textos; // a null text: Null in the row, or not returned by the statement
    QVariant longitud;   // Null or not returned: invalid
    int idxCancion = 0;
    int relPos = 0;
    QString marca; // "S", "N" or "?"
    // The song's row identity; none when the statement does not give it (a join, a union...).
    std::optional<catalogo::IdCancion> fila;
};

struct FilasConsulta {
    std::vector<FilaConsulta> filas;
    // Which of the eight columns the statement returned, indexed by Campo and CampoNumerico.
    std::array<bool, NumeroCamposCancion> devueltos{};
    // The statement returned more rows than memoriaMaxima let in: filas holds the first of them.
    bool incompleta = false;
    // Every row carries its song's identity.
    bool conIdentidad = false;
    // Each row's song can be found again: by its identity, or by every column that finds it.
    bool Localizables() const;
};

// Reads the rows of lectura, from the first on, while they take no more than memoriaMaxima bytes.
// conIdentidad: the key lectura gives is the identity of each row's song.
FilasConsulta LeerFilas(dao::LecturaSecuencial& lectura, bool conIdentidad,
                        qsizetype memoriaMaxima = MemoriaMaximaFilas);

// The CANCIONES columns that the shown columns need and that nombres (the columns a statement
// returns) lacks; the lyrics column needs IDX_CANCION. Names compare without regard to case.
QStringList ColumnasQueFaltan(const QStringList& nombres, const ColumnasVistas& vistas);

// "S" when algo is true, "N" otherwise.
QString SN(bool algo);

enum class MarcadoLetras {
    SiNo,        // "S" with a lyric, "N" without
    Inteligente, // as SiNo, but "?" for a song without lyric whose title has one elsewhere
    Dudosas,     // "?" on every row
};

// Inteligente asks base once for all the rows, with the catalogue's own test (catalogo::CondicionHomonimo).
void MarcarLetras(std::vector<FilaConsulta>& filas, MarcadoLetras modo, dao::Database& base);

} // namespace Consultas
