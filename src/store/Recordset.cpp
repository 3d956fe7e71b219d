#include "store/DaoInterno.h"
#include "store/FuncionesSql.h"

#include <cmath>

namespace dao {

namespace interno {

namespace {

ErrorBD SinRegistroActivo() {
    return ErrorBD(3021, QStringLiteral("No hay ningún registro activo."));
}

ErrorBD RegistroEliminado() {
    return ErrorBD(3167, QStringLiteral("El registro se ha eliminado."));
}

qsizetype Caracteres(const QString& s) {
    qsizetype n = s.size();
    for (QChar c : s)
        if (c.isLowSurrogate())
            --n;
    return n;
}

} // namespace

void Conjunto::Abrir(Base& b, const SentenciaTraducida& t, bool lectura) {
    trad = t;
    soloLectura = lectura;
    esTabla = t.deUnaTabla;
    QString sql = t.sql;
    if (esTabla) {
        // The highest key when the statement starts: rows added later are not part of the set.
        sql =
            t.ConColumnasDelante(t.clave + QStringLiteral(" AS \"__clave\", (SELECT max(rowid) FROM ") +
                                 TraductorJet::Identificador(t.tabla) + QStringLiteral(") AS \"__maxima\""));
    }
    // A user's read-only statement is prepared on its own, under the read-only guard.
    consulta = lectura ? PrepararSoloLectura(b.db, sql) : b.Tomar(sql);
    sqlConsulta = sql;
    EnlazarParametros(consulta, t.parametros, 'p');
    b.SuspenderSondeos();
    base = &b;
    b.abiertos.push_back(this);
    desplazamiento = esTabla ? 2 : 0;
    campos = sqlite3_column_count(consulta) - desplazamiento;
    origen.assign(campos, QString());
    tipos.assign(campos, TipoCampo::Texto);
    for (int i = 0; i < campos; ++i) {
        const QString nombre = QString::fromUtf8(sqlite3_column_name(consulta, i + desplazamiento));
        nombres << nombre;
        if (!indices.contains(nombre.toUpper()))
            indices.insert(nombre.toUpper(), i);
        if (!indices.contains(nombre))
            indices.insert(nombre, i);
        const char* tabla = sqlite3_column_table_name(consulta, i + desplazamiento);
        const char* columna = sqlite3_column_origin_name(consulta, i + desplazamiento);
        if (!tabla || !columna)
            continue;
        const char* tipo = nullptr;
        sqlite3_table_column_metadata(b.db, "main", tabla, columna, &tipo, nullptr, nullptr, nullptr,
                                      nullptr);
        const QString declarado = QString::fromUtf8(tipo ? tipo : "").toUpper();
        tipos[i] = declarado == QLatin1String("INTEGER")    ? TipoCampo::Entero
                   : declarado == QLatin1String("LONGTEXT") ? TipoCampo::Memo
                                                            : TipoCampo::Texto;
        if (esTabla && !lectura && QString::fromUtf8(tabla).compare(t.tabla, Qt::CaseInsensitive) == 0)
            origen[i] = QString::fromUtf8(columna);
    }
    escriturasInicio = b.escrituras;
    pos = 0;
    claveMaxima = INT64_MAX;
    if (Avanzar() && esTabla) {
        claveMaxima = sqlite3_column_int64(consulta, 1);
        // The first row is kept, so that reading it needs no statement once this one is let go.
        claveCache = claves[0];
        escriturasCache = b.escrituras;
        valoresCache.assign(campos, QVariant());
        for (int i = 0; i < campos; ++i)
            valoresCache[i] = ValorColumna(consulta, i + desplazamiento);
    }
    if (esTabla && claves.empty())
        claveMaxima = 0;
    enSondeo = esTabla && !terminada;
}

void Conjunto::Cerrar() {
    if (!base)
        return;
    if (soloLectura)
        sqlite3_finalize(consulta);
    else
        base->Devolver(sqlConsulta, consulta);
    base->Devolver(sqlLectura, lectura);
    consulta = lectura = nullptr;
    std::erase(base->abiertos, this);
    base = nullptr;
}

void Conjunto::Suspender() {
    enSondeo = false;
    if (!consulta || terminada || suspendida)
        return;
    sqlite3_reset(consulta);
    suspendida = true;
    filaConsulta = -1;
}

Base& Conjunto::Viva() const {
    if (!base)
        throw ErrorBD(3420, QStringLiteral("El conjunto de registros está cerrado."));
    return *base;
}

void Conjunto::AsegurarAlcanzadas() {
    if (conAlcanzadas)
        return;
    conAlcanzadas = true;
    alcanzadas.reserve(static_cast<qsizetype>(claves.size()));
    for (qint64 k : claves)
        if (k != 0)
            alcanzadas.insert(k);
}

bool Conjunto::Avanzar() {
    enSondeo = false;
    if (terminada)
        return false;
    if (suspendida) {
        sqlite3_reset(consulta);
        suspendida = false;
        escriturasInicio = base->escrituras;
        if (esTabla)
            AsegurarAlcanzadas();
        else
            saltar = Realizadas();
    }
    for (;;) {
        const int rc = sqlite3_step(consulta);
        if (rc == SQLITE_DONE) {
            terminada = true;
            sqlite3_reset(consulta);
            filaConsulta = -1;
            return false;
        }
        if (rc != SQLITE_ROW) {
            try {
                ErrorDeMotor(base->db, rc);
            } catch (...) {
                sqlite3_reset(consulta);
                suspendida = true;
                filaConsulta = -1;
                throw;
            }
        }
        if (esTabla) {
            const qint64 k = sqlite3_column_int64(consulta, 0);
            if (k > claveMaxima)
                continue;
            // A write may have moved a reached row ahead of the cursor: never take it twice.
            if (base->escrituras != escriturasInicio)
                AsegurarAlcanzadas();
            if (conAlcanzadas) {
                if (alcanzadas.contains(k))
                    continue;
                alcanzadas.insert(k);
            }
            claves.push_back(k);
        } else {
            if (saltar > 0) {
                --saltar;
                continue;
            }
            std::vector<QVariant> fila(campos);
            for (int i = 0; i < campos; ++i)
                fila[i] = ValorColumna(consulta, i + desplazamiento);
            filas.push_back(std::move(fila));
        }
        filaConsulta = Realizadas() - 1;
        escriturasConsulta = base->escrituras;
        return true;
    }
}

bool Conjunto::Hasta(qsizetype i) {
    while (Realizadas() <= i)
        if (!Avanzar())
            return false;
    return true;
}

bool Conjunto::Vacio() {
    qsizetype i = inicioVivo;
    while (Hasta(i)) {
        if (Viva(i)) {
            inicioVivo = i;
            return false;
        }
        ++i;
    }
    inicioVivo = i;
    return true;
}

void Conjunto::ResolverEncontrada() {
    if (estado != Estado::Encontrada)
        return;
    estado = Estado::Fila;
    for (qsizetype i = 0; i < Realizadas(); ++i)
        if (claves[i] == claveEncontrada) {
            pos = i;
            return;
        }
    while (Avanzar())
        if (claves.back() == claveEncontrada) {
            pos = Realizadas() - 1;
            return;
        }
    pos = Realizadas();
}

qint64 Conjunto::ClaveActual() const {
    switch (estado) {
    case Estado::Encontrada:
        return claveEncontrada;
    case Estado::Eliminada:
        throw RegistroEliminado();
    case Estado::SinFila:
        throw SinRegistroActivo();
    case Estado::Fila:
        break;
    }
    if (pos < 0 || pos >= Realizadas() || !Viva(pos))
        throw SinRegistroActivo();
    return claves[pos];
}

void Conjunto::ExigirFila() const {
    if (esTabla) {
        ClaveActual();
        return;
    }
    if (estado == Estado::Eliminada)
        throw RegistroEliminado();
    if (estado != Estado::Fila || pos < 0 || pos >= Realizadas())
        throw SinRegistroActivo();
}

const std::vector<QVariant>& Conjunto::Buscar(qint64 clave) {
    if (claveCache == clave && escriturasCache == base->escrituras)
        return valoresCache;
    if (!lectura) {
        sqlLectura = QStringLiteral("SELECT ") + trad.lista + QStringLiteral(" FROM ") + trad.desde +
                     QStringLiteral(" WHERE ") + trad.clave + QStringLiteral(" = :clave");
        lectura = base->Tomar(sqlLectura);
        EnlazarParametros(lectura, trad.parametros, 'p');
    }
    sqlite3_bind_int64(lectura, sqlite3_bind_parameter_index(lectura, ":clave"), clave);
    const int rc = sqlite3_step(lectura);
    if (rc == SQLITE_ROW) {
        valoresCache.assign(campos, QVariant());
        for (int i = 0; i < campos; ++i)
            valoresCache[i] = ValorColumna(lectura, i);
    }
    sqlite3_reset(lectura);
    if (rc == SQLITE_DONE)
        throw RegistroEliminado();
    if (rc != SQLITE_ROW)
        ErrorDeMotor(base->db, rc);
    claveCache = clave;
    escriturasCache = base->escrituras;
    return valoresCache;
}

QVariant Conjunto::Campo(int i) {
    if (modo != Modo::Ninguno)
        return buffer[i];
    if (!esTabla) {
        ExigirFila();
        return filas[pos][i];
    }
    const qint64 k = ClaveActual();
    if (estado == Estado::Fila && pos == filaConsulta && !suspendida &&
        escriturasConsulta == base->escrituras)
        return ValorColumna(consulta, i + desplazamiento);
    return Buscar(k)[i];
}

int Conjunto::Indice(const QString& nombre) const {
    int i = indices.value(nombre, -1); // names are usually written as the set has them
    if (i < 0)
        i = indices.value(nombre.toUpper(), -1);
    if (i < 0)
        throw ErrorBD(
            3265, QStringLiteral("El campo '%1' no forma parte de este conjunto de registros.").arg(nombre));
    return i;
}

void Conjunto::ExigirActualizable() const {
    if (!esTabla || soloLectura)
        throw ErrorBD(
            3027, QStringLiteral("No se puede actualizar: este conjunto de registros es de sólo lectura."));
}

QVariant Conjunto::Convertir(int i, const QVariant& v) const {
    if (!v.isValid() || v.isNull())
        return QVariant();
    const QString campo = trad.tabla + QLatin1Char('.') + origen[i];
    switch (tipos[i]) {
    case TipoCampo::Entero: {
        double numero = 0;
        bool ok = true;
        switch (v.typeId()) {
        case QMetaType::Bool:
            numero = v.toBool() ? -1 : 0;
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
            numero = v.toDouble();
            break;
        default:
            numero = v.toString().trimmed().toDouble(&ok);
        }
        if (!ok || !std::isfinite(numero))
            throw ErrorBD(13, QStringLiteral(
                                  "No coinciden los tipos de datos: '%1' no es un número para el campo '%2'.")
                                  .arg(v.toString(), campo));
        numero = std::nearbyint(numero);
        if (numero < INT32_MIN || numero > INT32_MAX)
            throw ErrorBD(
                6,
                QStringLiteral("Desbordamiento: el valor %1 no cabe en el campo '%2', un entero de 32 bits.")
                    .arg(v.toString(), campo));
        return QVariant(static_cast<int>(numero));
    }
    case TipoCampo::Texto: {
        const QString s = v.toString();
        if (Caracteres(s) > 4096)
            throw ErrorBD(
                3163, QStringLiteral("El texto para el campo '%1' tiene %2 caracteres; admite hasta 4096.")
                          .arg(campo)
                          .arg(Caracteres(s)));
        return QVariant(s);
    }
    case TipoCampo::Memo:
        return QVariant(v.toString());
    }
    return v;
}

void Conjunto::EjecutarEscritura(sqlite3_stmt* s) {
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_DONE) {
        try {
            ErrorDeMotor(base->db, rc);
        } catch (...) {
            sqlite3_reset(s);
            sqlite3_clear_bindings(s);
            throw;
        }
    }
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
}

void Conjunto::BuscarDesde(qsizetype inicio, const QString& criterio,
                           const std::vector<QVariant>& parametros) {
    QString sql;
    if (esTabla) {
        sql = QStringLiteral("SELECT 1 FROM ") + trad.desde + QStringLiteral(" WHERE ") + trad.clave +
              QStringLiteral(" = ?1 AND (") + criterio + QLatin1Char(')');
    } else {
        QStringList columnas;
        for (int i = 0; i < campos; ++i)
            columnas << QStringLiteral("?%1 COLLATE %2 AS ").arg(i + 1).arg(QLatin1String(Intercalacion)) +
                            TraductorJet::Identificador(nombres[i]);
        sql = QStringLiteral("SELECT 1 FROM (SELECT ") + columnas.join(QStringLiteral(", ")) +
              QStringLiteral(") WHERE (") + criterio + QLatin1Char(')');
    }
    sqlite3_stmt* s = base->Tomar(sql);
    EnlazarParametros(s, parametros, 'c');
    if (esTabla)
        EnlazarParametros(s, trad.parametros, 'p');
    noMatch = true;
    try {
        for (qsizetype i = std::max<qsizetype>(inicio, 0); Hasta(i); ++i) {
            if (!Viva(i))
                continue;
            if (esTabla)
                sqlite3_bind_int64(s, 1, claves[i]);
            else
                for (int c = 0; c < campos; ++c)
                    Enlazar(s, c + 1, filas[i][c]);
            const int rc = sqlite3_step(s);
            sqlite3_reset(s);
            if (rc == SQLITE_ROW) {
                pos = i;
                noMatch = false;
                break;
            }
            if (rc != SQLITE_DONE)
                ErrorDeMotor(base->db, rc);
        }
    } catch (...) {
        base->Devolver(sql, s);
        throw;
    }
    base->Devolver(sql, s);
    estado = noMatch ? Estado::SinFila : Estado::Fila;
}

} // namespace interno

// ---------------------------------------------------------------------------------------------------

using Estado = interno::Conjunto::Estado;
using Modo = interno::Conjunto::Modo;

Recordset::Recordset(std::unique_ptr<Datos> datos) : d(std::move(datos)) {}

Recordset::~Recordset() = default;

bool Recordset::Eof() const {
    d->Viva();
    if (d->estado != Estado::Fila)
        return false;
    if (d->Vacio())
        return true;
    return d->terminada && d->pos >= d->Realizadas();
}

bool Recordset::Bof() const {
    d->Viva();
    if (d->estado != Estado::Fila)
        return false;
    return d->Vacio() || d->pos < 0;
}

void Recordset::MoveNext() {
    d->Viva();
    d->modo = Modo::Ninguno;
    d->ResolverEncontrada();
    if (d->estado == Estado::Fila && Eof())
        throw interno::SinRegistroActivo();
    qsizetype i = d->pos + 1;
    for (;; ++i) {
        if (!d->Hasta(i)) {
            i = d->Realizadas();
            break;
        }
        if (d->Viva(i))
            break;
    }
    d->pos = i;
    d->estado = Estado::Fila;
}

void Recordset::MovePrevious() {
    d->Viva();
    d->modo = Modo::Ninguno;
    d->ResolverEncontrada();
    if (d->estado == Estado::Fila && Bof())
        throw interno::SinRegistroActivo();
    qsizetype i = std::min(d->pos, d->Realizadas()) - 1;
    while (i >= 0 && !d->Viva(i))
        --i;
    d->pos = std::max<qsizetype>(i, -1);
    d->estado = Estado::Fila;
}

void Recordset::MoveFirst() {
    d->Viva();
    d->modo = Modo::Ninguno;
    if (d->Vacio())
        throw interno::SinRegistroActivo();
    d->pos = d->inicioVivo;
    d->estado = Estado::Fila;
}

void Recordset::MoveLast() {
    d->Viva();
    d->modo = Modo::Ninguno;
    while (d->Avanzar()) {
    }
    qsizetype i = d->Realizadas() - 1;
    while (i >= 0 && !d->Viva(i))
        --i;
    if (i < 0)
        throw interno::SinRegistroActivo();
    d->pos = i;
    d->estado = Estado::Fila;
}

void Recordset::Move(int filas) {
    d->Viva();
    if (filas == 0) {
        d->ExigirFila();
        return;
    }
    if (filas > 0) {
        if (Eof())
            throw interno::SinRegistroActivo();
        for (int k = 0; k < filas && !Eof(); ++k)
            MoveNext();
    } else {
        if (Bof())
            throw interno::SinRegistroActivo();
        for (int k = 0; k < -filas && !Bof(); ++k)
            MovePrevious();
    }
}

int Recordset::RecordCount() const {
    d->Viva();
    return static_cast<int>(d->Realizadas() - d->borradas);
}

int Recordset::AbsolutePosition() const {
    d->Viva();
    if (d->estado != Estado::Fila || d->pos < 0 || d->pos >= d->Realizadas() || !d->Viva(d->pos))
        return -1;
    if (d->borradas == 0)
        return static_cast<int>(d->pos);
    qsizetype vivas = 0;
    for (qsizetype i = 0; i < d->pos; ++i)
        if (d->Viva(i))
            ++vivas;
    return static_cast<int>(vivas);
}

int Recordset::FieldCount() const {
    d->Viva();
    return d->campos;
}

QString Recordset::FieldName(int indice) const {
    d->Viva();
    if (indice < 0 || indice >= d->campos)
        throw ErrorBD(
            3265, QStringLiteral("No existe el campo número %1 en este conjunto de registros.").arg(indice));
    return d->nombres[indice];
}

QVariant Recordset::Field(const QString& nombre) const {
    d->Viva();
    return d->Campo(d->Indice(nombre));
}

QVariant Recordset::Field(int indice) const {
    FieldName(indice);
    return d->Campo(indice);
}

void Recordset::SetField(const QString& nombre, const QVariant& valor) {
    d->Viva();
    const int i = d->Indice(nombre);
    if (d->modo == Modo::Ninguno)
        throw ErrorBD(3020,
                      QStringLiteral("Update o CancelUpdate sin AddNew o Edit: no se está modificando ningún "
                                     "registro."));
    if (d->origen[i].isEmpty())
        throw ErrorBD(3164, QStringLiteral("El campo '%1' no se puede actualizar.").arg(nombre));
    d->buffer[i] = d->Convertir(i, valor);
    d->cambiado[i] = true;
}

void Recordset::AddNew() {
    d->Viva();
    d->ExigirActualizable();
    d->modo = Modo::Anadiendo;
    d->buffer.assign(d->campos, QVariant());
    d->cambiado.assign(d->campos, false);
}

void Recordset::Edit() {
    d->Viva();
    d->ExigirActualizable();
    d->modo = Modo::Ninguno;
    const qint64 clave = d->ClaveActual();
    std::vector<QVariant> valores(d->campos);
    for (int i = 0; i < d->campos; ++i)
        valores[i] = d->Campo(i);
    d->buffer = std::move(valores);
    d->cambiado.assign(d->campos, false);
    d->claveEdicion = clave;
    d->modo = Modo::Editando;
}

void Recordset::Update() {
    interno::Base& b = d->Viva();
    if (d->modo == Modo::Ninguno)
        throw ErrorBD(3020,
                      QStringLiteral("Update o CancelUpdate sin AddNew o Edit: no se está modificando ningún "
                                     "registro."));
    b.SuspenderSondeos();
    std::vector<int> columnas;
    for (int i = 0; i < d->campos; ++i)
        if (d->cambiado[i])
            columnas.push_back(i);
    const QString tabla = TraductorJet::Identificador(d->trad.tabla);
    QString sql;
    if (d->modo == Modo::Anadiendo) {
        QStringList nombres, parametros;
        for (std::size_t k = 0; k < columnas.size(); ++k) {
            nombres << TraductorJet::Identificador(d->origen[columnas[k]]);
            parametros << QStringLiteral("?%1").arg(k + 1);
        }
        sql = columnas.empty() ? QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" DEFAULT VALUES")
                               : QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" (") +
                                     nombres.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                     parametros.join(QStringLiteral(", ")) + QLatin1Char(')');
    } else {
        if (columnas.empty()) {
            d->modo = Modo::Ninguno;
            return;
        }
        QStringList asignaciones;
        for (std::size_t k = 0; k < columnas.size(); ++k)
            asignaciones << TraductorJet::Identificador(d->origen[columnas[k]]) +
                                QStringLiteral(" = ?%1").arg(k + 1);
        sql = QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") +
              asignaciones.join(QStringLiteral(", ")) +
              QStringLiteral(" WHERE rowid = ?%1").arg(columnas.size() + 1);
    }
    sqlite3_stmt* s = b.Tomar(sql);
    if (d->modo == Modo::Editando)
        sqlite3_bind_int64(s, static_cast<int>(columnas.size()) + 1, d->claveEdicion);
    for (std::size_t k = 0; k < columnas.size(); ++k)
        interno::Enlazar(s, static_cast<int>(k) + 1, d->buffer[columnas[k]]);
    try {
        d->EjecutarEscritura(s);
    } catch (...) {
        b.Devolver(sql, s);
        throw;
    }
    b.Devolver(sql, s);
    const bool edicion = d->modo == Modo::Editando;
    d->modo = Modo::Ninguno;
    if (edicion && sqlite3_changes(b.db) == 0) {
        b.TrasEscribir(0);
        throw interno::RegistroEliminado();
    }
    b.TrasEscribir(1);
}

void Recordset::CancelUpdate() {
    d->Viva();
    if (d->modo == Modo::Ninguno)
        throw ErrorBD(3020,
                      QStringLiteral("Update o CancelUpdate sin AddNew o Edit: no se está modificando ningún "
                                     "registro."));
    d->modo = Modo::Ninguno;
}

void Recordset::Delete() {
    interno::Base& b = d->Viva();
    d->ExigirActualizable();
    d->modo = Modo::Ninguno;
    d->ResolverEncontrada();
    const qint64 clave = d->ClaveActual();
    b.SuspenderSondeos();
    const QString sql = QStringLiteral("DELETE FROM ") + TraductorJet::Identificador(d->trad.tabla) +
                        QStringLiteral(" WHERE rowid = ?1");
    sqlite3_stmt* s = b.Tomar(sql);
    sqlite3_bind_int64(s, 1, clave);
    try {
        d->EjecutarEscritura(s);
    } catch (...) {
        b.Devolver(sql, s);
        throw;
    }
    b.Devolver(sql, s);
    b.TrasEscribir(1);
    d->claves[d->pos] = 0;
    ++d->borradas;
    d->estado = Estado::Eliminada;
}

void Recordset::FindFirst(const QString& criterio) {
    interno::Base& b = d->Viva();
    d->modo = Modo::Ninguno;
    std::vector<QVariant> parametros;
    const QString condicion = b.Traductor().Criterio(criterio, parametros);
    if (!d->esTabla || !d->trad.limite.isEmpty()) {
        d->BuscarDesde(0, condicion, parametros);
        return;
    }
    // Over one table the engine finds the row through its indexes.
    QString sql = QStringLiteral("SELECT ") + d->trad.clave + QStringLiteral(" FROM ") + d->trad.desde +
                  QStringLiteral(" WHERE ");
    if (!d->trad.donde.isEmpty())
        sql += QLatin1Char('(') + d->trad.donde + QStringLiteral(") AND ");
    sql += QLatin1Char('(') + condicion + QStringLiteral(") AND ") + d->trad.clave +
           QStringLiteral(" <= :maxima");
    if (!d->trad.orden.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + d->trad.orden;
    sql += QStringLiteral(" LIMIT 1");
    sqlite3_stmt* s = b.Tomar(sql);
    interno::EnlazarParametros(s, d->trad.parametros, 'p');
    interno::EnlazarParametros(s, parametros, 'c');
    sqlite3_bind_int64(s, sqlite3_bind_parameter_index(s, ":maxima"), d->claveMaxima);
    const int rc = sqlite3_step(s);
    const qint64 clave = rc == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        try {
            interno::ErrorDeMotor(b.db, rc);
        } catch (...) {
            b.Devolver(sql, s);
            throw;
        }
    }
    b.Devolver(sql, s);
    d->noMatch = rc != SQLITE_ROW;
    d->estado = d->noMatch ? Estado::SinFila : Estado::Encontrada;
    d->claveEncontrada = clave;
}

void Recordset::FindNext(const QString& criterio) {
    interno::Base& b = d->Viva();
    d->modo = Modo::Ninguno;
    std::vector<QVariant> parametros;
    const QString condicion = b.Traductor().Criterio(criterio, parametros);
    d->ResolverEncontrada();
    d->BuscarDesde(d->pos + 1, condicion, parametros);
}

bool Recordset::NoMatch() const {
    d->Viva();
    return d->noMatch;
}

void Recordset::Close() {
    d->Cerrar();
}

} // namespace dao
