#pragma once
// What cantorio-sql writes: for a statement that returns rows, a line of field names and one line per
// row, fields separated by a tab, Null as \N, and tab, line break, carriage return and backslash inside
// a value written as \t, \n, \r and \\; for any other statement, the number of rows it changed.

#include <QString>
#include <QTextStream>
#include <QVariant>
#include <QVector>

namespace dao {

class Database;

QString CampoTabulado(const QVariant& valor);
QString LineaTabulada(const QVector<QVariant>& valores);
// Runs one statement in the Jet dialect and writes its result.
void EjecutarSentencia(Database& base, const QString& sentencia, QTextStream& salida);

} // namespace dao
