#pragma once
// Appending rows to a table in groups: the rows of a group are kept until Escribir, which writes them
// with statements of several rows each (64, 32, ... 1) rather than one statement per row. Worth it where
// a trigger does work once per statement: the lyric index flushes what it has gathered whenever a
// statement that writes LETRAS begins, so lyrics written one per statement cost it about twice as much.
// The table's rules hold as for InsercionPreparada; a statement refused writes none of its rows.

#include "store/InsercionPreparada.h"

#include <map>
#include <memory>
#include <variant>
#include <vector>

namespace dao {

class InsercionAgrupada {
public:
    // A field's value: Null, an integer or a text.
    using Valor = std::variant<std::monostate, qint64, QString>;

    InsercionAgrupada(Database& base, QString tabla, QStringList campos);

    // A row of the group, its values in the order of the fields.
    void Anadir(std::vector<Valor> fila);
    // Writes the group's rows in the order given; the group is then empty.
    void Escribir();

private:
    InsercionPreparada& Sentencia(int filas);

    Database& base_;
    QString tabla_;
    QStringList campos_;
    std::vector<std::vector<Valor>> grupo_;
    std::map<int, std::unique_ptr<InsercionPreparada>> sentencias_; // by rows per statement
};

} // namespace dao
