// A statement typed by the user only reads. The guard is tested on its own, with statements handed to it
// as SQLite text that no translator has looked at, and through the user's path, with the file's bytes
// compared before and after.

#include "CatalogoTemporal.h"

#include "store/DaoInterno.h"
#include "store/LecturaSecuencial.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace {

class SoloLectura : public CatalogoTemporal {
protected:
    QByteArray Huella() {
        base->Close(); // the -wal into the file, so that the file alone holds everything
        QFile f(Ruta());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray huella = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        base = dao::Database::OpenDatabase(Ruta());
        return huella;
    }
    // Runs sql through the guard alone, reading every row; the error's description when it refuses.
    QString Guarda(const QString& sql) {
        sqlite3* db = base->Conexion();
        try {
            sqlite3_stmt* s = dao::interno::PrepararSoloLectura(db, sql);
            int rc;
            while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            }
            sqlite3_finalize(s);
            if (rc != SQLITE_DONE)
                dao::interno::ErrorDeMotor(db, rc);
        } catch (const dao::ErrorBD& e) {
            return e.Descripcion();
        }
        return {};
    }
    QString Otro() const { return QDir(carpeta.path()).filePath(QStringLiteral("otro.db")); }
};

// What the guard must refuse although SQLite calls some of it read-only (BEGIN, ATTACH, PRAGMA...).
const char* const Escrituras[] = {
    "DELETE FROM CANCIONES",
    "UPDATE CANCIONES SET TITULO = 'x'",
    "INSERT INTO LETRAS (IDX_CANCION) VALUES (5)",
    "REPLACE INTO LETRAS (IDX_CANCION) VALUES (5)",
    "DROP TABLE LETRAS",
    "CREATE TABLE OTRA (A)",
    "CREATE INDEX OTRO ON CANCIONES (AUTOR)",
    "ALTER TABLE CANCIONES ADD COLUMN OTRA",
    "WITH x AS (SELECT 1) DELETE FROM CANCIONES",
    "BEGIN IMMEDIATE",
    "BEGIN",
    "SAVEPOINT uno",
    "PRAGMA writable_schema=1",
    "PRAGMA user_version=5",
    "PRAGMA journal_mode=DELETE",
    "PRAGMA table_info(CANCIONES)",
    "VACUUM",
    "REINDEX",
    "ANALYZE",
    "ATTACH DATABASE 'otro.db' AS otro",
    "DETACH DATABASE otro",
    "SELECT load_extension('libotra')",
    "SELECT writefile('otro.txt', TITULO) FROM CANCIONES",
};

TEST_F(SoloLectura, LaGuardaRechazaTodaEscrituraSinQueElFicheroCambie) {
    const QByteArray antes = Huella();
    for (const char* sql : Escrituras) {
        SCOPED_TRACE(sql);
        const QString error = Guarda(QString::fromUtf8(sql));
        EXPECT_FALSE(error.isEmpty());
        // Every refusal is a Spanish sentence, whatever part of the engine refused.
        EXPECT_FALSE(error.contains(QStringLiteral("authoriz"))) << error.toStdString();
        EXPECT_FALSE(error.contains(QStringLiteral("no such function"))) << error.toStdString();
    }
    const QString vaciar = QStringLiteral("VACUUM INTO '%1'").arg(Otro());
    EXPECT_FALSE(Guarda(vaciar).isEmpty());
    EXPECT_FALSE(QFile::exists(Otro()));
    EXPECT_EQ(Huella(), antes);
    EXPECT_EQ(Contar(QStringLiteral("SELECT * FROM CANCIONES WHERE TITULO <> 'x'")), 6);
}

TEST_F(SoloLectura, LaGuardaDejaPasarLasLecturas) {
    const char* const lecturas[] = {
        "SELECT * FROM CANCIONES",
        "SELECT COUNT(*) FROM CANCIONES AS a, CANCIONES AS b",
        "SELECT upper(TITULO), length(LYRICS) FROM CANCIONES, LETRAS WHERE CANCIONES.IDX_CANCION = "
        "LETRAS.IDX_CANCION",
        "SELECT TITULO FROM CANCIONES WHERE TITULO IN (SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0)",
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10) SELECT i FROM n",
        "SELECT AUTOR, COUNT(*) FROM CANCIONES GROUP BY AUTOR ORDER BY 2 DESC",
        "SELECT max(REL_POS) FROM CANCIONES UNION SELECT min(IDX_CANCION) FROM LETRAS",
    };
    for (const char* sql : lecturas) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(Guarda(QString::fromUtf8(sql)), QString());
    }
}

// The same statements as the user types them in the Jet dialect, through both ways a result is read.
TEST_F(SoloLectura, LasSentenciasDelUsuarioQueEscribenSeRechazanAntesDeEjecutarse) {
    const QByteArray antes = Huella();
    const QStringList hostiles{
        QStringLiteral("DELETE * FROM CANCIONES"),
        QStringLiteral("UPDATE CANCIONES SET TITULO = 'x'"),
        QStringLiteral("DROP TABLE LETRAS"),
        QStringLiteral("INSERT INTO LETRAS (IDX_CANCION) VALUES (5)"),
        QStringLiteral("ATTACH DATABASE '%1' AS otro").arg(Otro()),
        QStringLiteral("PRAGMA writable_schema=1"),
        QStringLiteral("VACUUM INTO '%1'").arg(Otro()),
        QStringLiteral("WITH x AS (SELECT 1) DELETE FROM CANCIONES"),
        QStringLiteral("SELECT 1; DELETE * FROM CANCIONES"),
        QStringLiteral("SELECT * FROM CANCIONES; DELETE * FROM CANCIONES"),
        QStringLiteral("BEGIN IMMEDIATE"),
        QStringLiteral("SELECT load_extension('libotra')"),
    };
    for (const QString& sql : hostiles) {
        SCOPED_TRACE(sql.toStdString());
        EXPECT_THROW(base->OpenRecordsetSoloLectura(sql), dao::ErrorBD);
        EXPECT_THROW(
            {
                dao::LecturaSecuencial lectura(*base, sql);
                while (lectura.Siguiente()) {
                }
            },
            dao::ErrorBD);
    }
    EXPECT_FALSE(QFile::exists(Otro()));
    EXPECT_EQ(Huella(), antes);
    dao::LecturaSecuencial lectura(
        *base, QStringLiteral("SELECT TITULO FROM CANCIONES WHERE AUTOR LIKE 'abba' ORDER BY "
                              "TITULO"));
    QStringList titulos;
    while (lectura.Siguiente())
        titulos << lectura.Field(0).toString();
    EXPECT_EQ(titulos, (QStringList{QStringLiteral("Waterloo"), QStringLiteral("waterloo")}));
}

// Asked for it, a statement over the rows of one table gives each row's rowid beside its own columns,
// which stay as they were; a join, a union, DISTINCT or grouping give none.
TEST_F(SoloLectura, UnaLecturaDeUnaSolaTablaDaLaClaveDeCadaFila) {
    struct Caso {
        const char* sql;
        QString tabla;
    };
    const Caso casos[] = {
        {"SELECT TITULO FROM CANCIONES WHERE AUTOR LIKE 'abba' ORDER BY TITULO", "CANCIONES"},
        {"SELECT TOP 2 C.TITULO, C.AUTOR FROM CANCIONES AS C ORDER BY C.TITULO DESC", "CANCIONES"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO IN (SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0)",
         "CANCIONES"},
        {"SELECT DISTINCT TITULO FROM CANCIONES", ""},
        {"SELECT C.TITULO FROM CANCIONES AS C, LETRAS AS L WHERE C.IDX_CANCION = L.IDX_CANCION", ""},
        {"SELECT TITULO FROM CANCIONES UNION ALL SELECT TITULO FROM CANCIONES", ""},
        {"SELECT TITULO, COUNT(*) AS N FROM CANCIONES GROUP BY TITULO", ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.sql);
        const QString sql = QString::fromUtf8(caso.sql);
        dao::LecturaSecuencial sin(*base, sql);
        dao::LecturaSecuencial con(*base, sql, true);
        EXPECT_EQ(con.TablaClave(), caso.tabla);
        EXPECT_EQ(sin.TablaClave(), QString());
        ASSERT_EQ(con.FieldCount(), sin.FieldCount());
        EXPECT_EQ(con.FieldName(0), QStringLiteral("TITULO"));
        int filas = 0;
        while (sin.Siguiente()) {
            ASSERT_TRUE(con.Siguiente());
            ++filas;
            EXPECT_EQ(con.Field(0), sin.Field(0));
            if (caso.tabla.isEmpty())
                continue;
            auto rs = base->OpenRecordset(
                QStringLiteral("SELECT TITULO FROM CANCIONES WHERE rowid = %1").arg(con.Clave()));
            ASSERT_FALSE(rs->Eof());
            EXPECT_EQ(rs->Field(0), con.Field(0));
        }
        EXPECT_FALSE(con.Siguiente());
        EXPECT_GT(filas, 0);
    }
}

} // namespace
