#pragma once
// Translation of a statement in the Jet SQL dialect into SQLite's, by a tokenizer and a
// recursive-descent parser. Every text comparison goes through the engine's collation, LIKE through
// like_jet() (kept next to an indexed equality or range when the pattern allows), "&" joins texts with
// Null as empty, True is -1. What cannot be translated raises an ErrorBD.

#include "store/Dao.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

namespace dao {

enum class ClaseSentencia { Seleccion, Borrado, Actualizacion, Insercion };
enum class TipoColumnaJet { Ninguna, Texto, Otra };

struct SentenciaTraducida {
    ClaseSentencia clase = ClaseSentencia::Seleccion;
    // The texts and numbers written in the statement are parameters :p1, :p2... of sql, so that
    // statements that differ only in them share one prepared statement.
    QString sql;
    std::vector<QVariant> parametros;
    // For a SELECT over exactly one table, with no DISTINCT, grouping or aggregate: the parts from
    // which the layer builds its own statements over the same rows.
    bool deUnaTabla = false;
    QString tabla;  // the table's name
    QString clave;  // the row key expression, e.g. "CANCIONES".rowid
    QString lista;  // select list
    QString desde;  // table with its alias
    QString donde;  // WHERE condition, empty when none
    QString orden;  // ORDER BY list, empty when none
    QString limite; // LIMIT value, empty when none

    // The same rows with these columns before the select list: "SELECT delante, lista FROM ...".
    QString ConColumnasDelante(const QString& delante) const;
};

class TraductorJet {
public:
    // Tells whether a bare column name is a text column of the database (in every table that has
    // it), another kind of column, or no column at all.
    using TipoDeColumna = std::function<TipoColumnaJet(const QString& nombre)>;

    explicit TraductorJet(TipoDeColumna tipoDeColumna);

    // nombrados: the values of the statement's query parameters (see dao::Parametros).
    SentenciaTraducida Sentencia(const QString& jet, const Parametros& nombrados = {});
    // A criterion of FindFirst: an expression over the columns of a set, its values parameters
    // :c1, :c2... Errors are number 3077.
    QString Criterio(const QString& jet, std::vector<QVariant>& parametros);

    // A name as an SQLite identifier.
    static QString Identificador(const QString& nombre);

private:
    struct Token {
        enum class Tipo { Nombre, NombreCorchetes, Cadena, Numero, Simbolo, Fin } tipo;
        QString texto;
        int posicion;
    };
    struct Expr {
        QString sql;
        bool logico = false;  // a comparison or logical result (1/0 in SQLite, -1/0 in Jet)
        bool columna = false; // a bare column reference
        QString nombre;       // the column's name
        bool cadena = false;  // a text literal
        QString texto;        // its value
    };
    struct Ambito {
        bool agregado = false;
        bool derivada = false;
    };

    void Tokenizar(const QString& jet);
    const Token& Actual() const { return tokens_[pos_]; }
    const Token& Siguiente() const { return tokens_[pos_ + 1 < tokens_.size() ? pos_ + 1 : pos_]; }
    bool EsPalabra(const char* palabra) const;
    bool EsPalabraEn(const Token& t, const char* palabra) const;
    bool Acepta(const char* palabra);
    void Espera(const char* palabra);
    bool EsSimbolo(const char* simbolo) const;
    bool AceptaSimbolo(const char* simbolo);
    void EsperaSimbolo(const char* simbolo);
    [[noreturn]] void ErrorSintaxis() const;
    QString Nombre();
    void Fin();

    QString Seleccion(SentenciaTraducida* info);
    QString NucleoSeleccion(SentenciaTraducida* info, QString& limite);
    QString ListaTablas(int& tablas, bool& compuesta, QString& tabla, QString& alias);
    QString Tabla(int& tablas, bool& compuesta, QString& tabla, QString& alias);
    QString Borrado();
    QString Actualizacion();
    QString Insercion();

    Expr Expresion();
    Expr ExprO();
    Expr ExprY();
    Expr ExprNo();
    Expr ExprComparacion();
    Expr ExprConcatenacion();
    Expr ExprSuma();
    Expr ExprModulo();
    Expr ExprDivisionEntera();
    Expr ExprProducto();
    Expr ExprUnario();
    Expr ExprPotencia();
    Expr ExprPrimaria();
    Expr Funcion(const QString& nombre);
    Expr Like(const Expr& valor, const Expr& patron, bool negado);
    Expr Comparacion(const Expr& a, const QString& operador, const Expr& b);

    QString Parametro(const QVariant& valor);
    // The value of a query parameter named by the token, or nullptr.
    const QVariant* ValorNombrado(const Token& t) const;
    static QString Valor(const Expr& e);
    static QString Intercalado(const Expr& e);

    TipoDeColumna tipoDeColumna_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    QString jet_;
    std::vector<Ambito> ambitos_;
    int expresionesSinNombre_ = 0;
    std::vector<QVariant> parametros_;
    const Parametros* nombrados_ = nullptr;
    QChar prefijo_ = QLatin1Char('p');
};

} // namespace dao
