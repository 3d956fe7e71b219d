#pragma once
// The rows of a result held in memory, read once from the engine, with their lyric marks.

#include "queries/ColumnasConsulta.h"
#include "queries/SentenciasConsulta.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace dao {
class Database;
class Recordset;
} // namespace dao

struct UCollator;

namespace Consultas {

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
    // Every column that finds a row's song again was returned.
    bool Localizables() const;
};

// Reads every row of rs, from its current row to the end.
FilasConsulta LeerFilas(dao::Recordset& rs);

// The CANCIONES columns that the shown columns need and that nombres (the columns a statement
// returns) lacks; the lyrics column needs IDX_CANCION. Names compare without regard to case.
QStringList ColumnasQueFaltan(const QStringList& nombres, const ColumnasVistas& vistas);

// "S" when algo is true, "N" otherwise.
QString SN(bool algo);

// The titles of the songs that have a lyric, compared as the engine compares texts: letter case
// ignored, accents not.
class TitulosConLetra {
public:
    explicit TitulosConLetra(dao::Database& base);
    ~TitulosConLetra();
    TitulosConLetra(const TitulosConLetra&) = delete;
    TitulosConLetra& operator=(const TitulosConLetra&) = delete;

    bool Contiene(const QString& titulo) const;

private:
    QByteArray Clave(const QString& titulo) const;
    UCollator* colador_ = nullptr;
    QSet<QByteArray> claves_;
};

enum class MarcadoLetras {
    SiNo,        // "S" with a lyric, "N" without
    Inteligente, // as SiNo, but "?" for a song without lyric whose title has one elsewhere
    Dudosas,     // "?" on every row
};

// titulos is needed for Inteligente only.
void MarcarLetras(std::vector<FilaConsulta>& filas, MarcadoLetras modo, const TitulosConLetra* titulos);

} // namespace Consultas
