// The layer's dealings with the SQLite engine: errors in Spanish, statements, values.
#include "store/DaoInterno.h"
#include "store/FuncionesSql.h"

#include <QDir>
#include <QRegularExpression>

namespace dao {

ErrorBD::ErrorBD(int numero, const QString& descripcion)
    : std::runtime_error(QStringLiteral("%1: %2").arg(numero).arg(descripcion).toStdString()),
      numero_(numero), descripcion_(descripcion) {}

namespace interno {

namespace {

ErrorBD SoloLectura() {
    return ErrorBD(3219,
                   QStringLiteral("Operación no válida: esta consulta solo puede leer datos del catálogo, no "
                                  "cambiarlos."));
}

// Constraints of the schema are named "number:TABLE.FIELD" (see CrearTabla).
ErrorBD ErrorDeRestriccion(const QString& nombre) {
    const qsizetype dosPuntos = nombre.indexOf(QLatin1Char(':'));
    const QString clase = nombre.left(dosPuntos);
    const QString campo = nombre.mid(dosPuntos + 1);
    if (clase == QLatin1String("3315"))
        return ErrorBD(3315,
                       QStringLiteral("El campo '%1' no puede ser una cadena de longitud cero.").arg(campo));
    if (clase == QLatin1String("3163"))
        return ErrorBD(3163,
                       QStringLiteral("El texto para el campo '%1' es demasiado largo: admite hasta 4096 "
                                      "caracteres.")
                           .arg(campo));
    if (clase == QLatin1String("6"))
        return ErrorBD(
            6, QStringLiteral("Desbordamiento: el valor no cabe en el campo '%1', un entero de 32 bits.")
                   .arg(campo));
    if (clase == QLatin1String("FFFF"))
        return ErrorBD(13,
                       QStringLiteral("El texto para el campo '%1' contiene el carácter U+FFFF, que no está "
                                      "permitido.")
                           .arg(campo));
    return ErrorBD(
        13, QStringLiteral("No coinciden los tipos de datos: el campo '%1' no admite ese valor.").arg(campo));
}

} // namespace

void ErrorDeMotor(sqlite3* db, int codigo) {
    const QString mensaje = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(codigo));
    static const QRegularExpression propio(QStringLiteral("^(\\d+)\\|(.*)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = propio.match(mensaje); m.hasMatch())
        throw ErrorBD(m.captured(1).toInt(), m.captured(2));
    const int extendido = db ? sqlite3_extended_errcode(db) : codigo;
    const QString prefijoCheck = QStringLiteral("CHECK constraint failed: ");
    if (extendido == SQLITE_CONSTRAINT_CHECK && mensaje.startsWith(prefijoCheck))
        throw ErrorDeRestriccion(mensaje.mid(prefijoCheck.size()));
    auto tras = [&](const char* prefijo) { return mensaje.mid(static_cast<qsizetype>(strlen(prefijo))); };
    switch (codigo & 0xFF) {
    case SQLITE_INTERRUPT:
        throw ErrorBD(3059, QStringLiteral("Operación cancelada por el usuario."));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw ErrorBD(3260,
                      QStringLiteral("El catálogo está bloqueado por otro programa o por otra operación en "
                                     "curso; inténtelo de nuevo más tarde."));
    case SQLITE_READONLY:
        throw ErrorBD(3051,
                      QStringLiteral("No se puede escribir en el catálogo: el fichero es de sólo lectura."));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: {
        const char* fichero = db ? sqlite3_db_filename(db, "main") : nullptr;
        throw ErrorBD(3343,
                      QStringLiteral("El catálogo '%1' está dañado o no tiene un formato reconocido. La "
                                     "operación no lo ha modificado.")
                          .arg(QDir::toNativeSeparators(QString::fromUtf8(fichero ? fichero : ""))));
    }
    case SQLITE_FULL:
        throw ErrorBD(3026, QStringLiteral("No queda espacio en el disco para el catálogo."));
    case SQLITE_IOERR:
        throw ErrorBD(3043, QStringLiteral("Error de disco al leer o escribir el catálogo."));
    case SQLITE_CANTOPEN:
        throw ErrorBD(3024, QStringLiteral("No se puede abrir el fichero del catálogo."));
    case SQLITE_TOOBIG:
        throw ErrorBD(3163, QStringLiteral("El dato es demasiado grande para el catálogo."));
    case SQLITE_MISMATCH:
        throw ErrorBD(13, QStringLiteral("No coinciden los tipos de datos."));
    case SQLITE_AUTH:
        throw SoloLectura();
    case SQLITE_CONSTRAINT:
        throw ErrorBD(3022, QStringLiteral("El cambio no respeta una regla del catálogo."));
    default:
        break;
    }
    if (mensaje.startsWith(QLatin1String("no such table: ")))
        throw ErrorBD(
            3078, QStringLiteral("No se encuentra la tabla o consulta '%1'.").arg(tras("no such table: ")));
    if (mensaje.startsWith(QLatin1String("no such function: ")))
        throw ErrorBD(3085,
                      QStringLiteral("La función '%1' no está definida.").arg(tras("no such function: ")));
    // The engine's own refusal of loading an extension, which every connection turns off.
    if (mensaje == QLatin1String("not authorized"))
        throw ErrorBD(
            3219, QStringLiteral("Operación no válida: Cantorio no carga extensiones del motor de base de "
                                 "datos."));
    if (mensaje.startsWith(QLatin1String("no such column: ")))
        throw ErrorBD(3061, QStringLiteral("No existe el campo '%1'.").arg(tras("no such column: ")));
    if (const qsizetype sinColumna = mensaje.indexOf(QLatin1String(" has no column named ")); sinColumna >= 0)
        throw ErrorBD(3061, QStringLiteral("No existe el campo '%1'.").arg(mensaje.mid(sinColumna + 21)));
    if (mensaje.startsWith(QLatin1String("ambiguous column name: ")))
        throw ErrorBD(3079, QStringLiteral("El campo '%1' puede referirse a más de una tabla.")
                                .arg(tras("ambiguous column name: ")));
    if (mensaje.contains(QLatin1String("misuse of aggregate")) || mensaje.contains(QLatin1String("GROUP BY")))
        throw ErrorBD(
            3122, QStringLiteral("La consulta mezcla funciones de agregado (COUNT, MAX...) con campos que "
                                 "no están agrupados."));
    if (mensaje.contains(QLatin1String("syntax error")) ||
        mensaje.contains(QLatin1String("SELECTs to the left and right")))
        throw ErrorBD(3075, QStringLiteral("Error de sintaxis en la instrucción SQL."));
    throw ErrorBD(3000, QStringLiteral("Error del motor de base de datos (%1).").arg(mensaje));
}

sqlite3_stmt* Preparar(sqlite3* db, const QString& sql) {
    const QByteArray texto = sql.toUtf8();
    sqlite3_stmt* s = nullptr;
    const char* resto = nullptr;
    const int rc = sqlite3_prepare_v3(db, texto.constData(), static_cast<int>(texto.size()),
                                      SQLITE_PREPARE_PERSISTENT, &s, &resto);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(s);
        ErrorDeMotor(db, rc);
    }
    if (!s || (resto && *resto)) {
        sqlite3_finalize(s);
        throw ErrorBD(3142, QStringLiteral("Se esperaba exactamente una instrucción SQL."));
    }
    return s;
}

namespace {

int SoloLecturas(void*, int accion, const char*, const char*, const char*, const char*) {
    switch (accion) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

} // namespace

sqlite3_stmt* PrepararSoloLectura(sqlite3* db, const QString& sql) {
    sqlite3_set_authorizer(db, SoloLecturas, nullptr);
    sqlite3_stmt* s = nullptr;
    try {
        s = Preparar(db, sql);
    } catch (...) {
        sqlite3_set_authorizer(db, nullptr, nullptr);
        throw;
    }
    sqlite3_set_authorizer(db, nullptr, nullptr);
    if (!sqlite3_stmt_readonly(s)) {
        sqlite3_finalize(s);
        throw SoloLectura();
    }
    return s;
}

ErrorBD SoloSeleccion() {
    return ErrorBD(
        3219, QStringLiteral("Operación no válida: solo se admite una consulta SELECT, que lee datos sin "
                             "cambiarlos."));
}

void Ejecutar(sqlite3* db, const QString& sql) {
    sqlite3_stmt* s = Preparar(db, sql);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        ErrorDeMotor(db, rc);
}

QVariant ValorColumna(sqlite3_stmt* s, int c) {
    switch (sqlite3_column_type(s, c)) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(s, c);
        if (v >= INT32_MIN && v <= INT32_MAX)
            return QVariant(static_cast<int>(v));
        return QVariant(static_cast<qlonglong>(v));
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, c));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                          sqlite3_column_bytes(s, c)));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_column_blob(s, c)), sqlite3_column_bytes(s, c)));
    default:
        return QVariant();
    }
}

void Enlazar(sqlite3_stmt* s, int p, const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(s, p);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::Bool:
        sqlite3_bind_int64(s, p, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(s, p, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(s, p, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray b = v.toString().toUtf8();
        sqlite3_bind_text(s, p, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
    }
    }
}

void EnlazarParametros(sqlite3_stmt* s, const std::vector<QVariant>& valores, char prefijo) {
    for (std::size_t i = 0; i < valores.size(); ++i) {
        const QByteArray nombre = ':' + QByteArray(1, prefijo) + QByteArray::number(qulonglong(i + 1));
        if (const int indice = sqlite3_bind_parameter_index(s, nombre.constData()))
            Enlazar(s, indice, valores[i]);
    }
}

} // namespace interno
} // namespace dao
