#include "store/Identidad.h"

#include "store/DaoInterno.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>

namespace dao::interno {

namespace {

// The marks of a catalogue as one read-only connection sees the file.
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

// parametro: "immutable=1" reads the file alone, as if no -wal stood beside it; "mode=ro" reads it
// through its -wal. Neither writes the file nor the -wal, nor checkpoints on closing.
Marcas LeerMarcas(const QString& ruta, const char* parametro) {
    const QByteArray uri =
        QUrl::fromLocalFile(QFileInfo(ruta).absoluteFilePath()).toEncoded() + '?' + parametro;
    Marcas m;
    sqlite3* db = nullptr;
    m.rc = sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (m.rc == SQLITE_OK) {
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        m.aplicacion = static_cast<quint32>(Entero(db, "PRAGMA application_id", m.rc));
        m.identidad = Entero(db, "PRAGMA user_version", m.rc);
        m.tablas = Entero(db,
                          "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND upper(name) IN "
                          "('CANCIONES', 'LETRAS')",
                          m.rc) == 2;
    }
    sqlite3_close_v2(db);
    return m;
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
    const Marcas propias = LeerMarcas(ruta, "immutable=1");
    if (propias.rc != SQLITE_OK)
        throw ErrorBD(3343,
                      QStringLiteral("El catálogo '%1' está dañado y no se puede abrir. No se ha modificado.")
                          .arg(Nativa(ruta)));
    const Marcas vistas = LeerMarcas(ruta, "mode=ro");
    const int primario = vistas.rc & 0xFF;
    if (primario == SQLITE_BUSY || primario == SQLITE_LOCKED)
        throw ErrorBD(3045, QStringLiteral("El catálogo '%1' está bloqueado por otro programa. Ciérrelo e "
                                           "inténtelo de nuevo.")
                                .arg(Nativa(ruta)));
    if (vistas.rc == SQLITE_OK && vistas.aplicacion == IdAplicacion && vistas.tablas &&
        vistas.identidad == propias.identidad)
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
    // Leaving WAL mode needs the file to itself: with another connection the mode stays, and the
    // identity waits for a later open.
    sqlite3_stmt* s = nullptr;
    bool sinWal = false;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode=DELETE", -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW)
        sinWal = sqlite3_strnicmp(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), "delete", 7) == 0;
    sqlite3_finalize(s);
    if (sinWal)
        Ejecutar(db, QStringLiteral("PRAGMA user_version=%1").arg(NuevaIdentidad()));
}

} // namespace dao::interno
