#include "store/TraductorJet.h"

#include "store/Dao.h"
#include "store/FuncionesSql.h"
#include "store/PatronLike.h"

#include <QStringList>

namespace dao {

namespace {

const char* const Reservadas[] = {
    "SELECT",   "FROM",        "WHERE",  "AND",   "OR",    "NOT",    "LIKE",   "IN",    "IS",
    "NULL",     "BETWEEN",     "ORDER",  "BY",    "GROUP", "HAVING", "AS",     "ASC",   "DESC",
    "DISTINCT", "DISTINCTROW", "TOP",    "UNION", "JOIN",  "INNER",  "LEFT",   "RIGHT", "OUTER",
    "ON",       "MOD",         "TRUE",   "FALSE", "ALL",   "INTO",   "VALUES", "SET",   "UPDATE",
    "DELETE",   "INSERT",      "EXISTS", "XOR",   "EQV",   "IMP",    "PERCENT"};

bool EsReservada(const QString& palabra) {
    for (const char* r : Reservadas)
        if (palabra.compare(QLatin1String(r), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Prefixes whose ordering range is known to hold every text that starts with them: printable Latin
// and Greek letters, digits, blanks and punctuation, which have no contraction in the collation.
bool PrefijoSeguro(const QString& prefijo) {
    for (char32_t c : prefijo.toUcs4()) {
        const bool latino = (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x250);
        const bool griego = c >= 0x386 && c < 0x3D0;
        if (!latino && !griego)
            return false;
    }
    return true;
}

const QString Colacion = QStringLiteral(" COLLATE ") + QLatin1String(Intercalacion);

} // namespace

TraductorJet::TraductorJet(TipoDeColumna tipoDeColumna) : tipoDeColumna_(std::move(tipoDeColumna)) {}

QString TraductorJet::Identificador(const QString& nombre) {
    QString s = nombre;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// ---------------------------------------------------------------------------------------------------
// Tokens

void TraductorJet::Tokenizar(const QString& jet) {
    jet_ = jet;
    tokens_.clear();
    pos_ = 0;
    const qsizetype n = jet.size();
    qsizetype i = 0;
    auto error = [&](const QString& motivo) {
        throw ErrorBD(3075, QStringLiteral("Error de sintaxis en la instrucción SQL: %1 (posición %2).")
                                .arg(motivo)
                                .arg(i + 1));
    };
    while (i < n) {
        const QChar c = jet[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const int inicio = static_cast<int>(i);
        if (c.isLetter() || c == QLatin1Char('_')) {
            while (i < n && (jet[i].isLetterOrNumber() || jet[i] == QLatin1Char('_')))
                ++i;
            tokens_.push_back({Token::Tipo::Nombre, jet.mid(inicio, i - inicio), inicio});
        } else if (c == QLatin1Char('[')) {
            const qsizetype fin = jet.indexOf(QLatin1Char(']'), i + 1);
            if (fin < 0)
                error(QStringLiteral("falta el corchete de cierre de un nombre"));
            tokens_.push_back({Token::Tipo::NombreCorchetes, jet.mid(i + 1, fin - i - 1), inicio});
            i = fin + 1;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString valor;
            ++i;
            for (;;) {
                if (i >= n)
                    error(QStringLiteral("falta la comilla de cierre de un texto"));
                if (jet[i] == c) {
                    if (i + 1 < n && jet[i + 1] == c) {
                        valor += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                valor += jet[i++];
            }
            tokens_.push_back({Token::Tipo::Cadena, valor, inicio});
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && jet[i + 1].isDigit())) {
            while (i < n && jet[i].isDigit())
                ++i;
            if (i < n && jet[i] == QLatin1Char('.')) {
                ++i;
                while (i < n && jet[i].isDigit())
                    ++i;
            }
            if (i < n && (jet[i] == QLatin1Char('e') || jet[i] == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < n && (jet[j] == QLatin1Char('+') || jet[j] == QLatin1Char('-')))
                    ++j;
                if (j < n && jet[j].isDigit()) {
                    i = j;
                    while (i < n && jet[i].isDigit())
                        ++i;
                }
            }
            if (i < n && (jet[i].isLetter() || jet[i] == QLatin1Char('_')))
                error(QStringLiteral("número mal escrito"));
            tokens_.push_back({Token::Tipo::Numero, jet.mid(inicio, i - inicio), inicio});
        } else if (c == QLatin1Char('#')) {
            error(QStringLiteral("las fechas entre # no se admiten"));
        } else {
            const QString dos = jet.mid(i, 2);
            if (dos == QLatin1String("<>") || dos == QLatin1String("<=") || dos == QLatin1String(">=")) {
                tokens_.push_back({Token::Tipo::Simbolo, dos, inicio});
                i += 2;
            } else if (QStringLiteral("(),.;*+-/\\^&=<>!").contains(c)) {
                tokens_.push_back({Token::Tipo::Simbolo, QString(c), inicio});
                ++i;
            } else {
                error(QStringLiteral("carácter no permitido «%1»").arg(c));
            }
        }
    }
    tokens_.push_back({Token::Tipo::Fin, QString(), static_cast<int>(n)});
}

bool TraductorJet::EsPalabraEn(const Token& t, const char* palabra) const {
    return t.tipo == Token::Tipo::Nombre && t.texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

bool TraductorJet::EsPalabra(const char* palabra) const {
    return EsPalabraEn(Actual(), palabra);
}

bool TraductorJet::Acepta(const char* palabra) {
    if (!EsPalabra(palabra))
        return false;
    ++pos_;
    return true;
}

void TraductorJet::Espera(const char* palabra) {
    if (!Acepta(palabra))
        ErrorSintaxis();
}

bool TraductorJet::EsSimbolo(const char* simbolo) const {
    return Actual().tipo == Token::Tipo::Simbolo && Actual().texto == QLatin1String(simbolo);
}

bool TraductorJet::AceptaSimbolo(const char* simbolo) {
    if (!EsSimbolo(simbolo))
        return false;
    ++pos_;
    return true;
}

void TraductorJet::EsperaSimbolo(const char* simbolo) {
    if (!AceptaSimbolo(simbolo))
        ErrorSintaxis();
}

void TraductorJet::ErrorSintaxis() const {
    const Token& t = Actual();
    if (t.tipo == Token::Tipo::Fin)
        throw ErrorBD(
            3075,
            QStringLiteral("Error de sintaxis: la instrucción SQL termina antes de tiempo: %1").arg(jet_));
    throw ErrorBD(3075,
                  QStringLiteral("Error de sintaxis en la instrucción SQL cerca de «%1» (posición %2): %3")
                      .arg(jet_.mid(t.posicion, 20))
                      .arg(t.posicion + 1)
                      .arg(jet_));
}

QString TraductorJet::Nombre() {
    const Token& t = Actual();
    if (t.tipo == Token::Tipo::NombreCorchetes || (t.tipo == Token::Tipo::Nombre && !EsReservada(t.texto))) {
        ++pos_;
        return t.texto;
    }
    ErrorSintaxis();
}

void TraductorJet::Fin() {
    AceptaSimbolo(";");
    if (Actual().tipo != Token::Tipo::Fin)
        throw ErrorBD(3142,
                      QStringLiteral("Caracteres encontrados después del final de la instrucción SQL: «%1».")
                          .arg(jet_.mid(Actual().posicion)));
}

// ---------------------------------------------------------------------------------------------------
// Statements

QString TraductorJet::Parametro(const QVariant& valor) {
    parametros_.push_back(valor);
    return QLatin1Char(':') + prefijo_ + QString::number(parametros_.size());
}

SentenciaTraducida TraductorJet::Sentencia(const QString& jet, const Parametros& nombrados) {
    for (const auto& [nombre, valor] : nombrados)
        if (tipoDeColumna_(nombre) != TipoColumnaJet::Ninguna)
            throw ErrorBD(3061,
                          QStringLiteral("El parámetro [%1] tiene el nombre de un campo; dele otro nombre.")
                              .arg(nombre));
    nombrados_ = &nombrados;
    Tokenizar(jet);
    ambitos_.clear();
    expresionesSinNombre_ = 0;
    parametros_.clear();
    prefijo_ = QLatin1Char('p');
    SentenciaTraducida r;
    if (EsPalabra("SELECT")) {
        r.clase = ClaseSentencia::Seleccion;
        r.sql = Seleccion(&r);
    } else if (EsPalabra("DELETE")) {
        r.clase = ClaseSentencia::Borrado;
        r.sql = Borrado();
    } else if (EsPalabra("UPDATE")) {
        r.clase = ClaseSentencia::Actualizacion;
        r.sql = Actualizacion();
    } else if (EsPalabra("INSERT")) {
        r.clase = ClaseSentencia::Insercion;
        r.sql = Insercion();
    } else {
        throw ErrorBD(3129,
                      QStringLiteral("Instrucción SQL no válida; se esperaba 'DELETE', 'INSERT', 'SELECT' o "
                                     "'UPDATE': %1")
                          .arg(jet));
    }
    Fin();
    r.parametros = std::move(parametros_);
    nombrados_ = nullptr;
    return r;
}

QString TraductorJet::Criterio(const QString& jet, std::vector<QVariant>& parametros) {
    nombrados_ = nullptr;
    try {
        Tokenizar(jet);
        ambitos_.assign(1, Ambito{});
        parametros_.clear();
        prefijo_ = QLatin1Char('c');
        const Expr e = Expresion();
        if (Actual().tipo != Token::Tipo::Fin)
            ErrorSintaxis();
        parametros = std::move(parametros_);
        return e.sql;
    } catch (const ErrorBD& e) {
        if (e.Numero() != 3075)
            throw;
        throw ErrorBD(3077, QStringLiteral("Error de sintaxis en el criterio «%1».").arg(jet));
    }
}

QString TraductorJet::Seleccion(SentenciaTraducida* info) {
    QString limite;
    QString sql = NucleoSeleccion(info, limite);
    bool compuesta = false;
    while (Acepta("UNION")) {
        compuesta = true;
        const bool todas = Acepta("ALL");
        QString otroLimite;
        sql += todas ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
        sql += NucleoSeleccion(nullptr, otroLimite);
        if (!otroLimite.isEmpty())
            throw ErrorBD(3075, QStringLiteral("TOP solo se admite en la primera consulta de una UNION."));
    }
    QString orden;
    if (Acepta("ORDER")) {
        Espera("BY");
        ambitos_.push_back(Ambito{});
        QStringList partes;
        do {
            const Expr e = Expresion();
            QString parte = e.columna ? e.sql : QLatin1Char('(') + Valor(e) + QLatin1Char(')') + Colacion;
            if (Acepta("DESC"))
                parte += QStringLiteral(" DESC");
            else
                Acepta("ASC");
            partes << parte;
        } while (AceptaSimbolo(","));
        ambitos_.pop_back();
        orden = partes.join(QStringLiteral(", "));
        sql += QStringLiteral(" ORDER BY ") + orden;
    }
    if (!limite.isEmpty())
        sql += QStringLiteral(" LIMIT ") + limite;
    if (info) {
        if (compuesta)
            info->deUnaTabla = false;
        info->orden = orden;
        info->limite = limite;
    }
    return sql;
}

QString TraductorJet::NucleoSeleccion(SentenciaTraducida* info, QString& limite) {
    Espera("SELECT");
    bool distinto = false;
    if (Acepta("DISTINCT"))
        distinto = true;
    else if (Acepta("DISTINCTROW") || Acepta("ALL")) {
    }
    if (Acepta("TOP")) {
        if (Actual().tipo != Token::Tipo::Numero || Actual().texto.contains(QLatin1Char('.')))
            ErrorSintaxis();
        limite = Actual().texto;
        ++pos_;
        if (EsPalabra("PERCENT"))
            throw ErrorBD(3075,
                          QStringLiteral("SELECT TOP ... PERCENT no se admite; indique un número de filas."));
    }
    ambitos_.push_back(Ambito{});

    // The list is read before FROM but translated knowing FROM: remember where it starts.
    const std::size_t inicioLista = pos_;
    int profundidad = 0;
    while (Actual().tipo != Token::Tipo::Fin && !(profundidad == 0 && EsPalabra("FROM"))) {
        if (EsSimbolo("("))
            ++profundidad;
        if (EsSimbolo(")"))
            --profundidad;
        ++pos_;
    }
    if (!EsPalabra("FROM"))
        ErrorSintaxis();
    ++pos_;
    int tablas = 0;
    bool compuestaFrom = false;
    QString tabla, alias;
    const QString desde = ListaTablas(tablas, compuestaFrom, tabla, alias);
    const std::size_t finFrom = pos_;

    pos_ = inicioLista;
    QStringList lista;
    do {
        if (AceptaSimbolo("*")) {
            lista << QStringLiteral("*");
            continue;
        }
        if ((Actual().tipo == Token::Tipo::Nombre || Actual().tipo == Token::Tipo::NombreCorchetes) &&
            (Siguiente().texto == QLatin1String(".") || Siguiente().texto == QLatin1String("!")) &&
            tokens_[pos_ + 2].texto == QLatin1String("*") && tokens_[pos_ + 2].tipo == Token::Tipo::Simbolo) {
            lista << Identificador(Actual().texto) + QStringLiteral(".*");
            pos_ += 3;
            continue;
        }
        const Expr e = Expresion();
        QString item = e.columna ? e.sql : QLatin1Char('(') + Valor(e) + QLatin1Char(')') + Colacion;
        if (Acepta("AS"))
            item += QStringLiteral(" AS ") + Identificador(Nombre());
        else if (!e.columna)
            item += QStringLiteral(" AS ") +
                    Identificador(QStringLiteral("Expr%1").arg(1000 + expresionesSinNombre_++));
        lista << item;
    } while (AceptaSimbolo(","));
    if (!EsPalabra("FROM"))
        ErrorSintaxis();
    pos_ = finFrom;

    QString donde;
    if (Acepta("WHERE"))
        donde = Expresion().sql;
    QString grupos;
    if (Acepta("GROUP")) {
        Espera("BY");
        QStringList partes;
        do {
            const Expr e = Expresion();
            partes << (e.columna ? e.sql : QLatin1Char('(') + Valor(e) + QLatin1Char(')') + Colacion);
        } while (AceptaSimbolo(","));
        grupos = partes.join(QStringLiteral(", "));
    }
    QString teniendo;
    if (Acepta("HAVING"))
        teniendo = Expresion().sql;
    const Ambito ambito = ambitos_.back();
    ambitos_.pop_back();

    QString sql = QStringLiteral("SELECT ") + (distinto ? QStringLiteral("DISTINCT ") : QString()) +
                  lista.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + desde;
    if (!donde.isEmpty())
        sql += QStringLiteral(" WHERE ") + donde;
    if (!grupos.isEmpty())
        sql += QStringLiteral(" GROUP BY ") + grupos;
    if (!teniendo.isEmpty())
        sql += QStringLiteral(" HAVING ") + teniendo;

    if (info) {
        info->deUnaTabla = tablas == 1 && !compuestaFrom && !distinto && grupos.isEmpty() &&
                           teniendo.isEmpty() && !ambito.agregado;
        info->tabla = tabla;
        info->clave = Identificador(alias.isEmpty() ? tabla : alias) + QStringLiteral(".rowid");
        info->lista = lista.join(QStringLiteral(", "));
        info->desde = desde;
        info->donde = donde;
    }
    return sql;
}

QString TraductorJet::ListaTablas(int& tablas, bool& compuesta, QString& tabla, QString& alias) {
    QString sql = Tabla(tablas, compuesta, tabla, alias);
    while (AceptaSimbolo(",")) {
        compuesta = true;
        sql += QStringLiteral(", ") + Tabla(tablas, compuesta, tabla, alias);
    }
    return sql;
}

QString TraductorJet::Tabla(int& tablas, bool& compuesta, QString& tabla, QString& alias) {
    QString sql;
    if (AceptaSimbolo("(")) {
        if (EsPalabra("SELECT")) {
            ambitos_.back().derivada = true;
            compuesta = true;
            const QString sub = Seleccion(nullptr);
            EsperaSimbolo(")");
            // Without a name of its own the derived table is named by the engine, as Jet does.
            QString nombre = QStringLiteral("%$##@_Alias");
            if (Acepta("AS") || Actual().tipo == Token::Tipo::NombreCorchetes ||
                (Actual().tipo == Token::Tipo::Nombre && !EsReservada(Actual().texto)))
                nombre = Nombre();
            sql = QLatin1Char('(') + sub + QStringLiteral(") AS ") + Identificador(nombre);
        } else {
            sql = QLatin1Char('(') + ListaTablas(tablas, compuesta, tabla, alias) + QLatin1Char(')');
            EsperaSimbolo(")");
        }
    } else {
        tabla = Nombre();
        alias.clear();
        ++tablas;
        sql = Identificador(tabla);
        if (Acepta("AS"))
            alias = Nombre();
        else if (Actual().tipo == Token::Tipo::NombreCorchetes ||
                 (Actual().tipo == Token::Tipo::Nombre && !EsReservada(Actual().texto)))
            alias = Nombre();
        if (!alias.isEmpty())
            sql += QStringLiteral(" AS ") + Identificador(alias);
    }
    for (;;) {
        QString union_;
        if (Acepta("INNER"))
            union_ = QStringLiteral(" INNER JOIN ");
        else if (Acepta("LEFT")) {
            Acepta("OUTER");
            union_ = QStringLiteral(" LEFT JOIN ");
        } else if (Acepta("RIGHT")) {
            Acepta("OUTER");
            union_ = QStringLiteral(" RIGHT JOIN ");
        } else if (EsPalabra("JOIN")) {
            union_ = QStringLiteral(" INNER JOIN ");
        } else {
            break;
        }
        Espera("JOIN");
        compuesta = true;
        sql += union_ + Tabla(tablas, compuesta, tabla, alias);
        Espera("ON");
        sql += QStringLiteral(" ON ") + Expresion().sql;
    }
    return sql;
}

QString TraductorJet::Borrado() {
    Espera("DELETE");
    // "DELETE * FROM t", "DELETE t.* FROM t" and "DELETE FROM t" all remove whole rows.
    if (!AceptaSimbolo("*") && !EsPalabra("FROM")) {
        Nombre();
        if (AceptaSimbolo(".") || AceptaSimbolo("!"))
            EsperaSimbolo("*");
    }
    Espera("FROM");
    QString sql = QStringLiteral("DELETE FROM ") + Identificador(Nombre());
    ambitos_.push_back(Ambito{});
    if (Acepta("WHERE"))
        sql += QStringLiteral(" WHERE ") + Expresion().sql;
    ambitos_.pop_back();
    return sql;
}

QString TraductorJet::Actualizacion() {
    Espera("UPDATE");
    QString sql = QStringLiteral("UPDATE ") + Identificador(Nombre()) + QStringLiteral(" SET ");
    ambitos_.push_back(Ambito{});
    Espera("SET");
    QStringList asignaciones;
    do {
        QString columna = Nombre();
        if (AceptaSimbolo(".") || AceptaSimbolo("!"))
            columna = Nombre();
        EsperaSimbolo("=");
        asignaciones << Identificador(columna) + QStringLiteral(" = ") + Valor(Expresion());
    } while (AceptaSimbolo(","));
    sql += asignaciones.join(QStringLiteral(", "));
    if (Acepta("WHERE"))
        sql += QStringLiteral(" WHERE ") + Expresion().sql;
    ambitos_.pop_back();
    return sql;
}

QString TraductorJet::Insercion() {
    Espera("INSERT");
    Espera("INTO");
    QString sql = QStringLiteral("INSERT INTO ") + Identificador(Nombre());
    ambitos_.push_back(Ambito{});
    if (AceptaSimbolo("(")) {
        QStringList columnas;
        do
            columnas << Identificador(Nombre());
        while (AceptaSimbolo(","));
        EsperaSimbolo(")");
        sql += QStringLiteral(" (") + columnas.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    if (Acepta("VALUES")) {
        EsperaSimbolo("(");
        QStringList valores;
        do
            valores << Valor(Expresion());
        while (AceptaSimbolo(","));
        EsperaSimbolo(")");
        sql += QStringLiteral(" VALUES (") + valores.join(QStringLiteral(", ")) + QLatin1Char(')');
    } else if (EsPalabra("SELECT")) {
        sql += QLatin1Char(' ') + Seleccion(nullptr);
    } else {
        ErrorSintaxis();
    }
    ambitos_.pop_back();
    return sql;
}

// ---------------------------------------------------------------------------------------------------
// Expressions, from the loosest operator to the tightest

QString TraductorJet::Valor(const Expr& e) {
    return e.logico ? QStringLiteral("(-") + e.sql + QLatin1Char(')') : e.sql;
}

QString TraductorJet::Intercalado(const Expr& e) {
    return e.columna ? e.sql : QLatin1Char('(') + Valor(e) + QLatin1Char(')') + Colacion;
}

TraductorJet::Expr TraductorJet::Expresion() {
    return ExprO();
}

TraductorJet::Expr TraductorJet::ExprO() {
    Expr a = ExprY();
    for (;;) {
        if (EsPalabra("XOR") || EsPalabra("EQV") || EsPalabra("IMP"))
            throw ErrorBD(3075, QStringLiteral("El operador %1 no se admite.").arg(Actual().texto.toUpper()));
        if (!Acepta("OR"))
            return a;
        const Expr b = ExprY();
        Expr r;
        if (a.logico && b.logico) {
            r.sql = QLatin1Char('(') + a.sql + QStringLiteral(" OR ") + b.sql + QLatin1Char(')');
            r.logico = true;
        } else {
            r.sql = QLatin1Char('(') + Valor(a) + QStringLiteral(" | ") + Valor(b) + QLatin1Char(')');
        }
        a = r;
    }
}

TraductorJet::Expr TraductorJet::ExprY() {
    Expr a = ExprNo();
    while (Acepta("AND")) {
        const Expr b = ExprNo();
        Expr r;
        if (a.logico && b.logico) {
            r.sql = QLatin1Char('(') + a.sql + QStringLiteral(" AND ") + b.sql + QLatin1Char(')');
            r.logico = true;
        } else {
            r.sql = QLatin1Char('(') + Valor(a) + QStringLiteral(" & ") + Valor(b) + QLatin1Char(')');
        }
        a = r;
    }
    return a;
}

TraductorJet::Expr TraductorJet::ExprNo() {
    if (!Acepta("NOT"))
        return ExprComparacion();
    const Expr a = ExprNo();
    Expr r;
    if (a.logico) {
        r.sql = QStringLiteral("(NOT ") + a.sql + QLatin1Char(')');
        r.logico = true;
    } else {
        r.sql = QStringLiteral("(~") + a.sql + QLatin1Char(')');
    }
    return r;
}

TraductorJet::Expr TraductorJet::Comparacion(const Expr& a, const QString& operador, const Expr& b) {
    Expr r;
    const QString izquierda = (a.columna || b.columna) ? Valor(a) : Intercalado(a);
    r.sql = QLatin1Char('(') + izquierda + QLatin1Char(' ') + operador + QLatin1Char(' ') + Valor(b) +
            QLatin1Char(')');
    r.logico = true;
    return r;
}

TraductorJet::Expr TraductorJet::Like(const Expr& valor, const Expr& patron, bool negado) {
    Expr r;
    r.logico = true;
    if (patron.cadena) {
        const PatronLike compilado(patron.texto);
        const QString prueba =
            QStringLiteral("like_jet(") + Valor(valor) + QStringLiteral(", ") + patron.sql + QLatin1Char(')');
        // The pattern decides the form of the statement; its texts are still parameters.
        r.sql = prueba;
        // A pattern without wildcards or with a fixed start narrows the rows through the column's
        // index; like_jet beside it keeps the answer exact.
        const bool indexable = valor.columna && !ambitos_.back().derivada &&
                               tipoDeColumna_(valor.nombre) == TipoColumnaJet::Texto;
        if (indexable && compilado.EsLiteral()) {
            r.sql = QLatin1Char('(') + valor.sql + QStringLiteral(" = ") + Parametro(compilado.TextoFijo()) +
                    Colacion + QStringLiteral(" AND ") + prueba + QLatin1Char(')');
        } else if (indexable && compilado.EsPrefijo() && PrefijoSeguro(compilado.TextoFijo())) {
            const QString tope = compilado.TextoFijo() + QChar(0xFFFF);
            r.sql = QLatin1Char('(') + valor.sql + QStringLiteral(" >= ") + Parametro(compilado.TextoFijo()) +
                    Colacion + QStringLiteral(" AND ") + valor.sql + QStringLiteral(" < ") + Parametro(tope) +
                    Colacion + QStringLiteral(" AND ") + prueba + QLatin1Char(')');
        }
    } else {
        r.sql = QStringLiteral("like_jet(") + Valor(valor) + QStringLiteral(", ") + Valor(patron) +
                QLatin1Char(')');
    }
    if (negado)
        r.sql = QStringLiteral("(NOT ") + r.sql + QLatin1Char(')');
    return r;
}

TraductorJet::Expr TraductorJet::ExprComparacion() {
    const Expr a = ExprConcatenacion();
    static const char* const operadores[] = {"=", "<>", "<=", ">=", "<", ">"};
    for (const char* op : operadores)
        if (AceptaSimbolo(op))
            return Comparacion(a, QLatin1String(op), ExprConcatenacion());
    if (Acepta("IS")) {
        const bool negado = Acepta("NOT");
        Espera("NULL");
        Expr r;
        r.sql = QLatin1Char('(') + Valor(a) +
                (negado ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)"));
        r.logico = true;
        return r;
    }
    const bool negado =
        EsPalabra("NOT") && (EsPalabraEn(Siguiente(), "LIKE") || EsPalabraEn(Siguiente(), "IN") ||
                             EsPalabraEn(Siguiente(), "BETWEEN"));
    if (negado)
        ++pos_;
    if (Acepta("LIKE"))
        return Like(a, ExprConcatenacion(), negado);
    if (Acepta("IN")) {
        EsperaSimbolo("(");
        QString dentro;
        bool columnaDentro = false;
        if (EsPalabra("SELECT")) {
            dentro = Seleccion(nullptr);
            columnaDentro = true;
        } else {
            QStringList valores;
            do
                valores << Valor(Expresion());
            while (AceptaSimbolo(","));
            dentro = valores.join(QStringLiteral(", "));
        }
        EsperaSimbolo(")");
        Expr r;
        r.sql = QLatin1Char('(') + ((a.columna || columnaDentro) ? Valor(a) : Intercalado(a)) +
                (negado ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (")) + dentro +
                QStringLiteral("))");
        r.logico = true;
        return r;
    }
    if (Acepta("BETWEEN")) {
        const Expr desde = ExprConcatenacion();
        Espera("AND");
        const Expr hasta = ExprConcatenacion();
        Expr r;
        r.sql = QLatin1Char('(') + (a.columna ? Valor(a) : Intercalado(a)) +
                (negado ? QStringLiteral(" NOT BETWEEN ") : QStringLiteral(" BETWEEN ")) + Valor(desde) +
                QStringLiteral(" AND ") + Valor(hasta) + QLatin1Char(')');
        r.logico = true;
        return r;
    }
    if (negado)
        ErrorSintaxis();
    return a;
}

TraductorJet::Expr TraductorJet::ExprConcatenacion() {
    Expr a = ExprSuma();
    while (AceptaSimbolo("&")) {
        const Expr b = ExprSuma();
        Expr r;
        r.sql = QStringLiteral("concat_jet(") + Valor(a) + QStringLiteral(", ") + Valor(b) + QLatin1Char(')');
        a = r;
    }
    return a;
}

TraductorJet::Expr TraductorJet::ExprSuma() {
    Expr a = ExprModulo();
    for (;;) {
        QString op;
        if (AceptaSimbolo("+"))
            op = QStringLiteral(" + ");
        else if (AceptaSimbolo("-"))
            op = QStringLiteral(" - ");
        else
            return a;
        const Expr b = ExprModulo();
        Expr r;
        // "+" of two texts joins them in Jet.
        auto esTexto = [this](const Expr& e) {
            return e.cadena || (e.columna && tipoDeColumna_(e.nombre) == TipoColumnaJet::Texto);
        };
        if (op == QLatin1String(" + ") && (esTexto(a) || esTexto(b)))
            r.sql = QLatin1Char('(') + Valor(a) + QStringLiteral(" || ") + Valor(b) + QLatin1Char(')');
        else
            r.sql = QLatin1Char('(') + Valor(a) + op + Valor(b) + QLatin1Char(')');
        a = r;
    }
}

TraductorJet::Expr TraductorJet::ExprModulo() {
    Expr a = ExprDivisionEntera();
    while (Acepta("MOD")) {
        const Expr b = ExprDivisionEntera();
        Expr r;
        r.sql = QStringLiteral("mod_jet(") + Valor(a) + QStringLiteral(", ") + Valor(b) + QLatin1Char(')');
        a = r;
    }
    return a;
}

TraductorJet::Expr TraductorJet::ExprDivisionEntera() {
    Expr a = ExprProducto();
    while (AceptaSimbolo("\\")) {
        const Expr b = ExprProducto();
        Expr r;
        r.sql = QStringLiteral("idiv_jet(") + Valor(a) + QStringLiteral(", ") + Valor(b) + QLatin1Char(')');
        a = r;
    }
    return a;
}

TraductorJet::Expr TraductorJet::ExprProducto() {
    Expr a = ExprUnario();
    for (;;) {
        Expr r;
        if (AceptaSimbolo("*")) {
            const Expr b = ExprUnario();
            r.sql = QLatin1Char('(') + Valor(a) + QStringLiteral(" * ") + Valor(b) + QLatin1Char(')');
        } else if (AceptaSimbolo("/")) {
            const Expr b = ExprUnario();
            r.sql =
                QStringLiteral("div_jet(") + Valor(a) + QStringLiteral(", ") + Valor(b) + QLatin1Char(')');
        } else {
            return a;
        }
        a = r;
    }
}

TraductorJet::Expr TraductorJet::ExprUnario() {
    if (AceptaSimbolo("-")) {
        Expr r;
        r.sql = QStringLiteral("(- ") + Valor(ExprUnario()) + QLatin1Char(')');
        return r;
    }
    if (AceptaSimbolo("+"))
        return ExprUnario();
    return ExprPotencia();
}

TraductorJet::Expr TraductorJet::ExprPotencia() {
    Expr a = ExprPrimaria();
    while (AceptaSimbolo("^")) {
        const Expr b = ExprPrimaria();
        Expr r;
        r.sql = QStringLiteral("pow_jet(") + Valor(a) + QStringLiteral(", ") + Valor(b) + QLatin1Char(')');
        a = r;
    }
    return a;
}

const QVariant* TraductorJet::ValorNombrado(const Token& t) const {
    if (!nombrados_ || (t.tipo != Token::Tipo::Nombre && t.tipo != Token::Tipo::NombreCorchetes))
        return nullptr;
    for (const auto& [nombre, valor] : *nombrados_)
        if (nombre.compare(t.texto, Qt::CaseInsensitive) == 0)
            return &valor;
    return nullptr;
}

TraductorJet::Expr TraductorJet::ExprPrimaria() {
    const Token t = Actual();
    Expr r;
    switch (t.tipo) {
    case Token::Tipo::Numero: {
        ++pos_;
        bool entero = false;
        const qlonglong n = t.texto.toLongLong(&entero);
        r.sql = Parametro(entero ? QVariant(n) : QVariant(t.texto.toDouble()));
        return r;
    }
    case Token::Tipo::Cadena:
        ++pos_;
        r.sql = Parametro(t.texto);
        r.cadena = true;
        r.texto = t.texto;
        return r;
    case Token::Tipo::Simbolo:
        if (AceptaSimbolo("(")) {
            if (EsPalabra("SELECT")) {
                r.sql = QLatin1Char('(') + Seleccion(nullptr) + QLatin1Char(')');
            } else {
                const Expr e = Expresion();
                r.sql = QLatin1Char('(') + e.sql + QLatin1Char(')');
                r.logico = e.logico;
            }
            EsperaSimbolo(")");
            return r;
        }
        ErrorSintaxis();
    case Token::Tipo::Fin:
        ErrorSintaxis();
    case Token::Tipo::Nombre:
    case Token::Tipo::NombreCorchetes:
        break;
    }
    if (t.tipo == Token::Tipo::Nombre) {
        if (Acepta("TRUE")) {
            r.sql = QStringLiteral("-1");
            return r;
        }
        if (Acepta("FALSE")) {
            r.sql = QStringLiteral("0");
            return r;
        }
        if (Acepta("NULL")) {
            r.sql = QStringLiteral("NULL");
            return r;
        }
        if (Acepta("EXISTS")) {
            EsperaSimbolo("(");
            if (!EsPalabra("SELECT"))
                ErrorSintaxis();
            r.sql = QStringLiteral("EXISTS (") + Seleccion(nullptr) + QLatin1Char(')');
            EsperaSimbolo(")");
            r.logico = true;
            return r;
        }
        if (Siguiente().tipo == Token::Tipo::Simbolo && Siguiente().texto == QLatin1String("(")) {
            ++pos_;
            ++pos_;
            return Funcion(t.texto);
        }
    }
    if (const QVariant* valor = ValorNombrado(t);
        valor && !(Siguiente().tipo == Token::Tipo::Simbolo &&
                   (Siguiente().texto == QLatin1String(".") || Siguiente().texto == QLatin1String("!")))) {
        ++pos_;
        r.sql = Parametro(*valor);
        r.cadena = valor->typeId() == QMetaType::QString;
        r.texto = valor->toString();
        return r;
    }
    QString nombre = Nombre();
    QString sql = Identificador(nombre);
    if (AceptaSimbolo(".") || AceptaSimbolo("!")) {
        nombre = Nombre();
        sql += QLatin1Char('.') + Identificador(nombre);
    }
    r.sql = sql;
    r.nombre = nombre;
    r.columna = tipoDeColumna_(nombre) != TipoColumnaJet::Ninguna;
    return r;
}

TraductorJet::Expr TraductorJet::Funcion(const QString& nombre) {
    const QString n = nombre.toUpper();
    std::vector<Expr> argumentos;
    if (n == QLatin1String("COUNT") && AceptaSimbolo("*")) {
        EsperaSimbolo(")");
        ambitos_.back().agregado = true;
        Expr r;
        r.sql = QStringLiteral("count(*)");
        return r;
    }
    if (!AceptaSimbolo(")")) {
        do
            argumentos.push_back(Expresion());
        while (AceptaSimbolo(","));
        EsperaSimbolo(")");
    }
    const auto cuantos = static_cast<int>(argumentos.size());
    auto exige = [&](int minimo, int maximo) {
        if (cuantos < minimo || cuantos > maximo)
            throw ErrorBD(3075,
                          QStringLiteral("Número de argumentos incorrecto en la función %1.").arg(nombre));
    };
    auto llamada = [&](const QString& funcion) {
        QStringList valores;
        for (const Expr& a : argumentos)
            valores << Valor(a);
        Expr r;
        r.sql = funcion + QLatin1Char('(') + valores.join(QStringLiteral(", ")) + QLatin1Char(')');
        return r;
    };
    struct Traduccion {
        const char* jet;
        const char* sqlite;
        int minimo, maximo;
        bool agregado;
    };
    static const Traduccion tabla[] = {
        {"COUNT", "count", 1, 1, true},      {"SUM", "sum", 1, 1, true},
        {"AVG", "avg", 1, 1, true},          {"MIN", "min", 1, 1, true},
        {"MAX", "max", 1, 1, true},          {"UCASE", "ucase_jet", 1, 1, false},
        {"LCASE", "lcase_jet", 1, 1, false}, {"LEN", "len_jet", 1, 1, false},
        {"LEFT", "left_jet", 2, 2, false},   {"RIGHT", "right_jet", 2, 2, false},
        {"MID", "mid_jet", 2, 3, false},     {"INSTR", "instr_jet", 2, 4, false},
        {"TRIM", "trim", 1, 1, false},       {"LTRIM", "ltrim", 1, 1, false},
        {"RTRIM", "rtrim", 1, 1, false},     {"ABS", "abs", 1, 1, false},
        {"CHR", "char", 1, 1, false},        {"ASC", "unicode", 1, 1, false},
    };
    for (const Traduccion& t : tabla) {
        if (n != QLatin1String(t.jet))
            continue;
        exige(t.minimo, t.maximo);
        if (t.agregado)
            ambitos_.back().agregado = true;
        return llamada(QLatin1String(t.sqlite));
    }
    if (n == QLatin1String("NZ")) {
        exige(1, 2);
        Expr r;
        r.sql = QStringLiteral("coalesce(") + Valor(argumentos[0]) + QStringLiteral(", ") +
                (cuantos == 2 ? Valor(argumentos[1]) : QStringLiteral("''")) + QLatin1Char(')');
        return r;
    }
    if (n == QLatin1String("IIF")) {
        exige(3, 3);
        Expr r;
        r.sql = QStringLiteral("(CASE WHEN ") + argumentos[0].sql + QStringLiteral(" THEN ") +
                Valor(argumentos[1]) + QStringLiteral(" ELSE ") + Valor(argumentos[2]) +
                QStringLiteral(" END)");
        return r;
    }
    throw ErrorBD(3085, QStringLiteral("Función '%1' no definida en la expresión.").arg(nombre));
}

QString SentenciaTraducida::ConColumnasDelante(const QString& delante) const {
    QString sql =
        QStringLiteral("SELECT ") + delante + QStringLiteral(", ") + lista + QStringLiteral(" FROM ") + desde;
    if (!donde.isEmpty())
        sql += QStringLiteral(" WHERE ") + donde;
    if (!orden.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orden;
    if (!limite.isEmpty())
        sql += QStringLiteral(" LIMIT ") + limite;
    return sql;
}

} // namespace dao
