// Where the catalogue and the help live beside the program.

#include "shell/Rutas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Rutas, UnSoloSeparadorEntreDirectorioYNombre) {
    const QString s = QDir::separator();
    const std::pair<QString, QString> casos[] = {
        {QStringLiteral("/opt/cantorio"), s + "opt" + s + "cantorio" + s + "Cantorio.mdb"},
        {QStringLiteral("/opt/cantorio/"), s + "opt" + s + "cantorio" + s + "Cantorio.mdb"},
        {QStringLiteral("/"), s + "Cantorio.mdb"},
    };
    for (const auto& [directorio, ruta] : casos)
        EXPECT_EQ(RutaEnDirectorio(directorio, QStringLiteral("Cantorio.mdb")), ruta)
            << directorio.toStdString();
    EXPECT_EQ(RutaAyuda(QStringLiteral("/opt/cantorio/")),
              s + "opt" + s + "cantorio" + s + "Ayuda" + s + "index.html");
}

TEST(Rutas, ElCatalogoVaALosDatosDelUsuarioSiElProgramaNoPuedeEscribir) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir escribible;
    EXPECT_EQ(DirectorioCatalogo(escribible.path()), escribible.path());
    EXPECT_TRUE(
        QDir(escribible.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty())
        << "the probe leaves nothing behind";

    const QString datos = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/cantorio";
    QDir(datos).removeRecursively();
    // /proc refuses new files even to an administrator; the other directory does not exist.
    for (const QString& programa :
         {QStringLiteral("/proc"), escribible.filePath(QStringLiteral("no/existe"))}) {
        EXPECT_EQ(DirectorioCatalogo(programa), datos) << programa.toStdString();
        EXPECT_TRUE(QDir(datos).exists());
    }
    QDir(datos).removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
}

// Installed as <prefix>/bin/cantorio with its help in <prefix>/share/cantorio: the help is found there and
// the catalogue never goes beside the program, even when the program's directory can be written.
TEST(Rutas, UnProgramaInstaladoUsaLasCarpetasEstandar) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir prefijo;
    const QDir raiz(prefijo.path());
    ASSERT_TRUE(raiz.mkpath(QStringLiteral("bin")) && raiz.mkpath(QStringLiteral("share/cantorio/Ayuda")));
    QFile pagina(raiz.filePath(QStringLiteral("share/cantorio/Ayuda/index.html")));
    ASSERT_TRUE(pagina.open(QIODevice::WriteOnly));
    pagina.close();
    const QString programa = raiz.filePath(QStringLiteral("bin"));

    EXPECT_TRUE(ProgramaInstalado(programa));
    EXPECT_EQ(QFileInfo(RutaAyuda(programa)).canonicalFilePath(), QFileInfo(pagina).canonicalFilePath());
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/cantorio";
    EXPECT_EQ(DirectorioCatalogo(programa), datos);
    QDir(datos).removeRecursively();

    // A copy of the program that carries its own help is not installed, whatever lies around it.
    ASSERT_TRUE(raiz.mkpath(QStringLiteral("bin/Ayuda")));
    ASSERT_TRUE(QFile::copy(pagina.fileName(), raiz.filePath(QStringLiteral("bin/Ayuda/index.html"))));
    EXPECT_FALSE(ProgramaInstalado(programa));
    EXPECT_EQ(DirectorioCatalogo(programa), programa);
    EXPECT_EQ(RutaAyuda(programa), RutaEnDirectorio(programa, QStringLiteral("Ayuda/index.html")));
    QStandardPaths::setTestModeEnabled(false);
}

} // namespace
