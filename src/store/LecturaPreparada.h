#pragma once
// A SELECT that the program runs again and again with other values, as every click on a route does.
// Its text, in the Jet dialect, is translated and prepared once per connection and kept; each run
// binds the values of the statement's query parameters by their place in the list given, and the rows
// are read forward by column index straight from the engine, with no QVariant and no copy of a column
// that is not asked for. A query parameter here stands for a value only (compared or returned), never
// for a LIKE pattern, whose compiled form would then be fixed by the first value: such a use is an
// error.
//
//     dao::LecturaPreparada rs(base, "SELECT AUTOR, LONGITUD FROM CANCIONES WHERE RUTA = [pRuta]",
//                              {"pRuta"});
//     rs.Enlazar(0, ruta);
//     while (rs.Siguiente())
//         Usar(rs.Texto(0), rs.Nulo(1) ? std::nullopt : std::optional(rs.Entero(1)));
//
// The object is meant to live for one run of the statement: the prepared statement goes back to the
// connection when it is destroyed. Two runs of the same text at once each get a statement of their own.

#include "store/Dao.h"

#include <memory>

struct sqlite3_stmt;

namespace dao {

namespace interno {
struct LecturaTraducida;
}

class LecturaPreparada {
public:
    // Raises ErrorBD when the text is no SELECT, names a missing table or field, or uses one of the
    // parameters as a pattern.
    LecturaPreparada(Database& base, const QString& sql, const QStringList& parametros);
    ~LecturaPreparada();
    LecturaPreparada(const LecturaPreparada&) = delete;
    LecturaPreparada& operator=(const LecturaPreparada&) = delete;

    // The value of the parameter at that place in the list, for the next run.
    void Enlazar(int parametro, QStringView texto);
    void Enlazar(int parametro, qint64 valor);
    // Moves to the next row, the first one on the first call; false once there is none left.
    bool Siguiente();
    bool Nulo(int columna) const;
    // A Null reads as an empty text and as 0.
    QString Texto(int columna) const;
    qint64 Entero(int columna) const;

private:
    std::shared_ptr<interno::Base*> conexion_;
    QString clave_; // the text and the parameters' names, under which the connection keeps it
    std::shared_ptr<interno::LecturaTraducida> traducida_;
    sqlite3_stmt* sentencia_ = nullptr;
    std::vector<QByteArray> textos_; // each text parameter's UTF-8, kept while the statement runs
};

} // namespace dao
