#pragma once
// The rows of a result held in memory, read once from the engine, with their lyric marks.

#include "queries/ColumnasConsulta.h"
#include "queries/SentenciasConsulta.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace dao {
class Database;
class LecturaSecuencial;
} // namespace dao

struct UCollator;

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
};

struct FilasConsulta {
    std::vector<FilaConsulta> filas;
    // Which of the eight columns the statement returned, indexed by Campo and CampoNumerico.
    std::array<bool, NumeroCamposCancion> devueltos{};
    // The statement returned more rows than memoriaMaxima let in: filas holds the first of them.
    bool incompleta = false;
    // Every column that finds a row's song again was returned.
    bool Localizables() const;
};

// Reads the rows of lectura, from the first on, while they take no more than memoriaMaxima bytes.
FilasConsulta LeerFilas(dao::LecturaSecuencial& lectura, qsizetype memoriaMaxima = MemoriaMaximaFilas);

// The CANCIONES columns that the shown columns need and that nombres (the columns a statement
// returns) lacks; the lyrics column needs IDX_CANCION. Names compare without regard to case.
QStringList ColumnasQueFaltan(const QStringList& nombres, const ColumnasVistas& vistas);

// "S" when algo is true, "N" otherwise.
QString SN(bool algo);

// Whether a song with a lyric has a title matching a given title as a LIKE pattern, the title passed
// through LimpiaLike. A plain title matches the equal titles, letter case ignored and accents not, and
// is looked up in memory; a title that holds pattern characters asks the engine once per pattern, and
// one the engine refuses (an unmatched "[") matches nothing.
class TitulosConLetra {
public:
    explicit TitulosConLetra(dao::Database& base);
    ~TitulosConLetra();
    TitulosConLetra(const TitulosConLetra&) = delete;
    TitulosConLetra& operator=(const TitulosConLetra&) = delete;

    bool Contiene(const QString& titulo);

private:
    QByteArray Clave(const QString& titulo) const;
    bool HayPatron(const QString& patron);
    dao::Database& base_;
    UCollator* colador_ = nullptr;
    QSet<QByteArray> claves_;
    QHash<QString, bool> patrones_;
};

enum class MarcadoLetras {
    SiNo,        // "S" with a lyric, "N" without
    Inteligente, // as SiNo, but "?" for a song without lyric whose title has one elsewhere
    Dudosas,     // "?" on every row
};

// titulos is needed for Inteligente only.
void MarcarLetras(std::vector<FilaConsulta>& filas, MarcadoLetras modo, TitulosConLetra* titulos);

} // namespace Consultas
