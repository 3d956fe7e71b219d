// The loadable extension in the stock sqlite3 shell, on a catalogue made by the program.

#include "store/IndiceLetras.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Resultado {
    int estado;
    QString salida;
};

Resultado Ejecutar(const QString& programa, const QStringList& argumentos, const QByteArray& entrada = {}) {
    QProcess proceso;
    proceso.setProcessChannelMode(QProcess::MergedChannels);
#ifdef CANTORIO_PRECARGA
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(CANTORIO_PRECARGA));
    proceso.setProcessEnvironment(entorno);
#endif
    proceso.start(programa, argumentos);
    proceso.write(entrada);
    proceso.closeWriteChannel();
    proceso.waitForFinished(30000);
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAll())};
}

class ExtensionSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        const Resultado r = Ejecutar(
            QStringLiteral(CANTORIO_SQL),
            {QStringLiteral("--crear"), catalogo,
             QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, REL_POS) VALUES ('beta', '\\', 1)"),
             QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, REL_POS) VALUES ('Zeta', '\\', 2)"),
             QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, REL_POS) VALUES ('Ábaco', '\\', 3)"),
             QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, REL_POS) VALUES ('alfa', '\\', 4)"),
             QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (1, 'la la')")});
        ASSERT_EQ(r.estado, 0) << r.salida.toStdString();
    }
    Resultado Shell(const QByteArray& ordenes) {
        return Ejecutar(QStringLiteral("sqlite3"), {catalogo}, ordenes);
    }

    QTemporaryDir carpeta;
    const QString catalogo = QDir(carpeta.path()).filePath(QStringLiteral("Cantorio.mdb"));
    const QByteArray cargar = ".load " + QByteArray(CANTORIO_EXTENSION) + '\n';
};

TEST_F(ExtensionSqlite, ElShellCompruebaYOrdenaElCatalogo) {
    const Resultado r = Shell(cargar + "PRAGMA integrity_check;\n"
                                       "SELECT CABECERA FROM CANCIONES ORDER BY CABECERA;\n"
                                       "SELECT count(*) FROM CANCIONES WHERE CABECERA = 'ZETA';\n"
                                       "SELECT count(*) FROM CANCIONES WHERE like_jet(CABECERA, 'A*');\n");
    EXPECT_EQ(r.estado, 0);
    // Case ignored, the accented letter among the plain ones: not SQLite's byte order (Zeta, alfa, beta,
    // Ábaco). Jet's LIKE ignores case but not accents: 'A*' matches alfa only.
    EXPECT_EQ(r.salida.toStdString(), "ok\nÁbaco\nalfa\nbeta\nZeta\n1\n1\n");
}

// What the extension is for: without it the stock shell cannot even check the file.
TEST_F(ExtensionSqlite, SinLaExtensionElShellNoPuedeComprobarlo) {
    const Resultado r = Shell("PRAGMA integrity_check;\n");
    EXPECT_NE(r.estado, 0);
    EXPECT_TRUE(r.salida.contains(QLatin1String("no such collation sequence: CANTORIO")))
        << r.salida.toStdString();
}

// The lyric index follows every write to the lyrics that the shell makes with the extension loaded;
// without it such a write is refused whole (the collation, and the folding the index's triggers call,
// are missing) and the lyric stays as it was: never a stale index.
TEST_F(ExtensionSqlite, ElShellMantieneElIndiceDeLetras) {
    const QByteArray indice = catalogo::NombreIndiceLetras().toUtf8();
    const QByteArray busqueda = "SELECT count(*) FROM LETRAS WHERE rowid IN (SELECT rowid FROM " + indice +
                                " WHERE " + indice + " MATCH '" +
                                catalogo::ConsultaIndiceLetras(QStringLiteral("corazon")) + "');\n";
    Resultado r = Shell(cargar + "UPDATE LETRAS SET LYRICS = 'Mi CORAZÓN' WHERE IDX_CANCION = 1;\n" +
                        "INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (2, 'corazón'), (3, 'nada');\n" +
                        busqueda + "DELETE FROM LETRAS WHERE IDX_CANCION = 2;\n" + busqueda);
    EXPECT_EQ(r.estado, 0) << r.salida.toStdString();
    EXPECT_EQ(r.salida.toStdString(), "2\n1\n");
    r = Shell("UPDATE LETRAS SET LYRICS = 'otra' WHERE IDX_CANCION = 1;\n");
    EXPECT_NE(r.estado, 0);
    EXPECT_EQ(Shell(cargar + "SELECT LYRICS FROM LETRAS WHERE IDX_CANCION = 1;\n").salida.toStdString(),
              "Mi CORAZÓN\n");
}

// A copy made with the shell's .backup keeps every row and is still a catalogue the program opens.
TEST_F(ExtensionSqlite, UnaCopiaHechaConElShellSigueSiendoUnCatalogo) {
    const QString copia = QDir(carpeta.path()).filePath(QStringLiteral("Copia.mdb"));
    ASSERT_EQ(Shell(cargar + ".backup '" + copia.toUtf8() + "'\n").estado, 0);
    const Resultado r =
        Ejecutar(QStringLiteral(CANTORIO_SQL),
                 {copia, QStringLiteral("SELECT COUNT(*) AS N FROM CANCIONES WHERE CABECERA LIKE 'A*'")});
    EXPECT_EQ(r.estado, 0) << r.salida.toStdString();
    EXPECT_EQ(r.salida.toStdString(), "N\n1\n");
}

} // namespace
