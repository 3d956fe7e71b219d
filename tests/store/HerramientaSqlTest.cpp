// cantorio-sql run as a user runs it: its output, its errors and its exit status.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Resultado {
    int estado;
    QString salida;
    QString errores;
};

Resultado Ejecutar(const QStringList& argumentos, const QByteArray& entrada = {}) {
    QProcess proceso;
    proceso.start(QStringLiteral(CANTORIO_SQL), argumentos);
    proceso.write(entrada);
    proceso.closeWriteChannel();
    proceso.waitForFinished(30000);
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardOutput()),
            QString::fromUtf8(proceso.readAllStandardError())};
}

class HerramientaSql : public ::testing::Test {
protected:
    QString Fichero() const { return QDir(carpeta.path()).filePath(QStringLiteral("Cantorio.mdb")); }
    QTemporaryDir carpeta;
};

TEST_F(HerramientaSql, CreaElCatalogoYEscribeFilasTabuladas) {
    const Resultado r =
        Ejecutar({QStringLiteral("--crear"), Fichero(),
                  QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, TITULO, REL_POS) VALUES "
                                 "('Cd', '\\Una\\', 'Dos' & Chr(9) & 'tres' & Chr(10), 1)"),
                  QStringLiteral("SELECT CABECERA, RUTA, AUTOR, TITULO, REL_POS FROM CANCIONES")});
    EXPECT_EQ(r.estado, 0) << r.errores.toStdString();
    EXPECT_EQ(r.salida.toStdString(),
              "1\nCABECERA\tRUTA\tAUTOR\tTITULO\tREL_POS\nCd\t\\\\Una\\\\\t\\N\tDos\\ttres\\n\t1\n");
    EXPECT_TRUE(r.errores.isEmpty());
}

TEST_F(HerramientaSql, LeeLasSentenciasDeLaEntradaYSeDetieneEnUnError) {
    ASSERT_EQ(Ejecutar({QStringLiteral("--crear"), Fichero(), QStringLiteral("DELETE * FROM LETRAS")}).estado,
              0);
    const Resultado r = Ejecutar({Fichero()}, "INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (1, 'la')\n\n"
                                              "SELECT MAX(IDX_CANCION) AS M FROM LETRAS\n"
                                              "SELECT * FROM NINGUNA\n"
                                              "DELETE * FROM LETRAS\n");
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.salida.toStdString(), "1\nM\n1\n");
    EXPECT_EQ(r.errores.toStdString(), "Error 3078: No se encuentra la tabla o consulta 'NINGUNA'.\n");
    EXPECT_EQ(Ejecutar({Fichero(), QStringLiteral("SELECT COUNT(*) FROM LETRAS")}).salida,
              QStringLiteral("Expr1000\n1\n"));
}

TEST_F(HerramientaSql, NoTocaUnFicheroQueNoEsUnCatalogo) {
    {
        QFile f(Fichero());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(300, 'x'));
    }
    const Resultado r =
        Ejecutar({QStringLiteral("--crear"), Fichero(), QStringLiteral("DELETE * FROM CANCIONES")});
    EXPECT_EQ(r.estado, 1);
    EXPECT_TRUE(r.errores.startsWith(QLatin1String("Error 3343: "))) << r.errores.toStdString();
    QFile f(Fichero());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(300, 'x'));
}

} // namespace
