// Which names are the catalogue or one of the files beside it: by the file the name leads to, not by
// how the name is spelt.

#include "store/FicherosDelCatalogo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

TEST(FicherosDelCatalogo, SeReconocenPorElFicheroNoPorElNombre) {
    QTemporaryDir carpeta;
    const QDir dir(carpeta.path());
    auto crear = [&](const char* nombre) {
        QFile f(dir.filePath(QLatin1String(nombre)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    };
    auto enlace = [&](const char* destino, const char* nombre) {
        ASSERT_EQ(symlink(destino, QFile::encodeName(dir.filePath(QLatin1String(nombre))).constData()), 0);
    };
    ASSERT_TRUE(dir.mkdir(QStringLiteral("sub")));
    crear("Cantorio.mdb");
    crear("Cantorio.mdb-wal"); // the -shm and the -journal do not exist now
    crear("otro.txt");
    crear("sub/Cantorio.mdb"); // same name, another folder
    ASSERT_EQ(link(QFile::encodeName(dir.filePath(QStringLiteral("Cantorio.mdb"))).constData(),
                   QFile::encodeName(dir.filePath(QStringLiteral("duro.txt"))).constData()),
              0);
    enlace("Cantorio.mdb", "enlace.txt");
    enlace("enlace.txt", "enlace2.txt");
    enlace("Cantorio.mdb-journal", "colgante.txt"); // leads to a file that does not exist yet
    enlace(".", "espejo");                          // the folder under another name
    enlace("sub/Cantorio.mdb", "enlaceOtro.txt");

    const QString catalogo = dir.filePath(QStringLiteral("Cantorio.mdb"));
    const struct {
        const char* nombre;
        bool delCatalogo;
    } casos[] = {
        {"Cantorio.mdb", true},
        {"./Cantorio.mdb", true},
        {"sub/../Cantorio.mdb", true},
        {"espejo/Cantorio.mdb", true},
        {"duro.txt", true},
        {"enlace.txt", true},
        {"enlace2.txt", true},
        {"Cantorio.mdb-wal", true},
        {"espejo/Cantorio.mdb-shm", true},
        {"Cantorio.mdb-journal", true},
        {"colgante.txt", true},
        {"otro.txt", false},
        {"nuevo.txt", false},
        {"sub/Cantorio.mdb", false},
        {"enlaceOtro.txt", false},
        {"Cantorio.mdb.txt", false},
        {"Cantorio.mdb-wal2", false},
        {"cantorio.mdb", false},
        {"sub/Cantorio.mdb-wal", false},
    };
    for (const auto& caso : casos) {
        const QString ruta = carpeta.path() + u'/' + QLatin1String(caso.nombre);
        EXPECT_EQ(catalogo::EsFicheroDelCatalogo(ruta, catalogo), caso.delCatalogo) << caso.nombre;
    }
    // The catalogue named through a link: the files beside it are those of the file it leads to.
    EXPECT_TRUE(catalogo::EsFicheroDelCatalogo(dir.filePath(QStringLiteral("Cantorio.mdb-shm")),
                                               dir.filePath(QStringLiteral("enlace.txt"))));
}

} // namespace
