#include "store/Identidad.h"

#include "store/DaoInterno.h"
#include "store/FuncionesSql.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>
#include <QtEndian>

namespace dao::interno {

namespace {

// The marks of a catalogue as one read-only connection sees the file, or as its header holds them.
struct Marcas {
    int rc = SQLITE_OK; // the engine's failure when the file could not be read
    quint32 aplicacion = 0;
    qint64 identidad = 0;
    bool tablas = false; // CANCIONES and LETRAS are there
};

qint64 Entero(sqlite3* db, const char* sql, int& rc) {
    if (rc != SQLITE_OK)
        return 0;
    sqlite3_stmt* s = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    qint64 valor = 0;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(s);
        if (rc == SQLITE_ROW) {
            valor = sqlite3_column_int64(s, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(s);
    return valor;
}

// The first column of the first row, in lower case; empty when the statement fails.
QByteArray Texto(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    QByteArray texto;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
        texto = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))).toLower();
    sqlite3_finalize(s);
    return texto;
}

// parametro: "immutable=1" reads the file alone, as if no -wal stood beside it; "mode=ro" reads it
// through its -wal. Neither writes the file nor the -wal, nor checkpoints on closing.
sqlite3* AbrirParaLeer(const QString& ruta, const char* parametro, int& rc) {
    const QByteArray uri =
        QUrl::fromLocalFile(QFileInfo(ruta).absoluteFilePath()).toEncoded() + '?' + parametro;
    sqlite3* db = nullptr;
    rc = sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    return db;
}

Marcas LeerMarcas(const QString& ruta, const char* parametro) {
    Marcas m;
    sqlite3* db = AbrirParaLeer(ruta, parametro, m.rc);
    m.aplicacion = static_cast<quint32>(Entero(db, "PRAGMA application_id", m.rc));
    m.identidad = Entero(db, "PRAGMA user_version", m.rc);
    m.tablas = Entero(db,
                      "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND upper(name) IN "
                      "('CANCIONES', 'LETRAS')",
                      m.rc) == 2;
    sqlite3_close_v2(db);
    return m;
}

// The marks as the first 100 bytes of the file hold them, read as bytes. They serve when the engine
// cannot read the file alone: a checkpoint stopped by a full disk leaves it shorter than its header
// says, while the identity in that header, set when the catalogue was made, is still the file's.
Marcas MarcasDeLaCabecera(const QString& ruta) {
    QFile fichero(ruta);
    const QByteArray cabecera =
        fichero.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? fichero.read(100) : QByteArray();
    Marcas m;
    if (cabecera.size() < 100 || !cabecera.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        m.rc = SQLITE_NOTADB;
        return m;
    }
    m.identidad = qFromBigEndian<qint32>(cabecera.constData() + 60);
    m.aplicacion = qFromBigEndian<quint32>(cabecera.constData() + 68);
    return m;
}

// Whether the catalogue, read through its -wal, passes the engine's check of its structure. The
// check compiles the indexes, so it needs the catalogue's collation.
bool EnteroConSuDiario(const QString& ruta) {
    int rc = SQLITE_OK;
    sqlite3* db = AbrirParaLeer(ruta, "mode=ro", rc);
    bool entero = false;
    if (rc == SQLITE_OK) {
        RegistrarFuncionesSql(db);
        entero = Texto(db, "PRAGMA quick_check(1)") == "ok";
    }
    sqlite3_close_v2(db);
    return entero;
}

QString Nativa(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

} // namespace

qint32 NuevaIdentidad() {
    return static_cast<qint32>(QRandomGenerator::system()->bounded(2, INT32_MAX));
}

QString ApartarDiarioAjeno(const QString& ruta) {
    const QString diario = ruta + QStringLiteral("-wal");
    // Shorter than its own header, a -wal holds nothing that could be replayed.
    if (QFileInfo(diario).size() < 32)
        return {};
    const auto danado = [&] {
        return ErrorBD(3343, QStringLiteral("El catálogo '%1' está dañado y no se puede abrir. No se ha "
                                            "modificado.")
                                 .arg(Nativa(ruta)));
    };
    Marcas propias = LeerMarcas(ruta, "immutable=1");
    const bool incompleto = propias.rc != SQLITE_OK;
    if (incompleto)
        propias = MarcasDeLaCabecera(ruta);
    if (propias.rc != SQLITE_OK || (incompleto && propias.aplicacion != IdAplicacion))
        throw danado();
    const Marcas vistas = LeerMarcas(ruta, "mode=ro");
    const int primario = vistas.rc & 0xFF;
    if (primario == SQLITE_BUSY || primario == SQLITE_LOCKED)
        throw ErrorBD(3045, QStringLiteral("El catálogo '%1' está bloqueado por otro programa. Ciérrelo e "
                                           "inténtelo de nuevo.")
                                .arg(Nativa(ruta)));
    const bool propio = vistas.rc == SQLITE_OK && vistas.aplicacion == IdAplicacion && vistas.tablas &&
                        vistas.identidad == propias.identidad;
    // A file that cannot be read alone is opened only when its own -wal makes it whole; any other -wal
    // beside it is left where it is, as is the file.
    if (incompleto && !(propio && EnteroConSuDiario(ruta)))
        throw danado();
    if (propio)
        return {};
    const QString apartado = diario + QStringLiteral(".ajeno-") +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(diario, apartado))
        throw ErrorBD(3051, QStringLiteral(
                                "Junto al catálogo '%1' hay un fichero de diario ('%2') que no le pertenece, "
                                "y no se ha podido apartar. Muévalo a otra carpeta e inténtelo de nuevo. "
                                "El catálogo no se ha modificado.")
                                .arg(Nativa(ruta), Nativa(diario)));
    return QStringLiteral(
               "Junto al catálogo '%1' había un fichero de diario que no le pertenece: es de otra base de "
               "datos y, si se hubiera aplicado, habría sustituido el contenido del catálogo. No se ha "
               "aplicado: se ha apartado con el nombre '%2'. El catálogo se abre tal como estaba.")
        .arg(Nativa(ruta), Nativa(apartado));
}

void AsegurarIdentidad(sqlite3* db) {
    int rc = SQLITE_OK;
    if (Entero(db, "PRAGMA user_version", rc) > 1 || rc != SQLITE_OK)
        return;
    // A damaged file is never written, not even its header. The check runs once per old catalogue.
    if (Texto(db, "PRAGMA quick_check(1)") != "ok")
        return;
    // Leaving WAL mode needs the file to itself: with another connection the mode stays, and the
    // identity waits for a later open.
    if (Texto(db, "PRAGMA journal_mode=DELETE") == "delete")
        Ejecutar(db, QStringLiteral("PRAGMA user_version=%1").arg(NuevaIdentidad()));
}

} // namespace dao::interno
