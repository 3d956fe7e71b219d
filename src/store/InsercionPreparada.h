#pragma once
// Appending many rows to one table: a single INSERT prepared once for a fixed list of fields, each row's
// values bound by their place in that list, so that no statement text, field name or QVariant is made
// per row. The table's own rules hold as for AddNew...Update: a zero-length text is refused (3315), a text
// over 4,096 characters (3163), an integer outside 32 bits (6), each error naming the field; a field given
// no value for a row is Null. Every row counts as one write, so a LoteEscritura commits it in its batches.
// One statement may also write several rows at once (see InsercionAgrupada).

#include "store/Dao.h"

#include <QByteArray>
#include <QStringEncoder>

struct sqlite3_stmt;

namespace dao {

class InsercionPreparada {
public:
    // Raises ErrorBD when the table or a field does not exist. With filas, each Anadir writes that many
    // rows: field k of row r is at place r * campos.size() + k.
    InsercionPreparada(Database& base, const QString& tabla, const QStringList& campos, int filas = 1);
    ~InsercionPreparada();
    InsercionPreparada(const InsercionPreparada&) = delete;
    InsercionPreparada& operator=(const InsercionPreparada&) = delete;

    // The value of the field at that place in the list, for the next row.
    void Texto(int campo, QStringView valor);
    void Entero(int campo, qint64 valor);
    // Writes the rows whose values were given; the next ones start with every field Null.
    void Anadir();

private:
    // Points to the connection while it is open; null once it is closed.
    std::shared_ptr<interno::Base*> conexion_;
    sqlite3_stmt* sentencia_ = nullptr;
    int filas_;
    std::vector<QByteArray> textos_; // each text field's UTF-8, kept until the row is written
    QStringEncoder utf8_{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
};

} // namespace dao
