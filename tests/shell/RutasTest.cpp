// Where the catalogue and the help live beside the program.

#include "shell/Rutas.h"

#include <QDir>
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

    const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
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

} // namespace
