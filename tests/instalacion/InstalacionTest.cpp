// `cmake --install` into a temporary prefix: every file in its standard place, the desktop entry and the
// metainfo accepted by their validators, and the installed program started as a user starts it.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

struct Salida {
    int estado;
    QString texto;
};

Salida Ejecutar(const QString& programa, const QStringList& argumentos) {
    QProcess proceso;
    proceso.setProcessChannelMode(QProcess::MergedChannels);
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(120000))
        return {-1, programa + QStringLiteral(" no termina o no arranca")};
    return {proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1,
            QString::fromUtf8(proceso.readAll())};
}

bool Esperar(const std::function<bool()>& condicion, int milisegundos) {
    QElapsedTimer reloj;
    reloj.start();
    while (!condicion()) {
        if (reloj.elapsed() > milisegundos)
            return false;
        QThread::msleep(100);
    }
    return true;
}

class Instalacion : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        carpeta = new QTemporaryDir;
        const Salida r = Ejecutar(QStringLiteral(CMAKE_PROGRAMA),
                                  {QStringLiteral("--install"), QStringLiteral(DIRECTORIO_CONSTRUCCION),
                                   QStringLiteral("--prefix"), Prefijo()});
        ASSERT_EQ(r.estado, 0) << r.texto.toStdString();
    }
    static void TearDownTestSuite() { delete carpeta; }
    static QString Prefijo() { return carpeta->filePath(QStringLiteral("usr")); }
    static QString Instalado(const QString& ruta) { return QDir(Prefijo()).filePath(ruta); }
    static inline QTemporaryDir* carpeta = nullptr;
};

TEST_F(Instalacion, CadaFicheroEnSuSitio) {
    for (const char* ruta :
         {"bin/cantorio", "bin/cantorio-sql", "bin/cantorio-util", "lib/cantorio/cantorio.so",
          "share/cantorio/Ayuda/index.html", "share/applications/org.cantorio.Cantorio.desktop",
          "share/metainfo/org.cantorio.Cantorio.metainfo.xml",
          "share/icons/hicolor/scalable/apps/org.cantorio.Cantorio.svg", "share/man/man1/cantorio.1.gz",
          "share/man/man1/cantorio-sql.1.gz", "share/man/man1/cantorio-util.1.gz",
          "share/doc/cantorio/copyright"})
        EXPECT_TRUE(QFile::exists(Instalado(QString::fromLatin1(ruta)))) << ruta;
    for (int tamano : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icono(Instalado(
            QStringLiteral("share/icons/hicolor/%1x%1/apps/org.cantorio.Cantorio.png").arg(tamano)));
        EXPECT_EQ(icono.size(), QSize(tamano, tamano));
        // Drawn, not empty: the corners are transparent and the middle is not.
        EXPECT_EQ(qAlpha(icono.pixel(0, 0)), 0) << tamano;
        EXPECT_EQ(qAlpha(icono.pixel(tamano / 2, tamano / 2)), 255) << tamano;
    }
}

TEST_F(Instalacion, LosValidadoresDeDebianAceptanLaEntradaYLosMetadatos) {
    const Salida escritorio =
        Ejecutar(QStringLiteral("desktop-file-validate"),
                 {Instalado(QStringLiteral("share/applications/org.cantorio.Cantorio.desktop"))});
    EXPECT_EQ(escritorio.estado, 0) << escritorio.texto.toStdString();
    EXPECT_TRUE(escritorio.texto.trimmed().isEmpty()) << escritorio.texto.toStdString();
    const Salida metadatos =
        Ejecutar(QStringLiteral("appstreamcli"),
                 {QStringLiteral("validate"), QStringLiteral("--no-net"),
                  Instalado(QStringLiteral("share/metainfo/org.cantorio.Cantorio.metainfo.xml"))});
    EXPECT_EQ(metadatos.estado, 0) << metadatos.texto.toStdString();
    for (const char* pagina : {"cantorio", "cantorio-sql", "cantorio-util"}) {
        const Salida manual = Ejecutar(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("LC_ALL=C.UTF-8 man --warnings -l \"$0\" 2>&1 >/dev/null"),
             Instalado(QStringLiteral("share/man/man1/%1.1.gz").arg(QLatin1String(pagina)))});
        EXPECT_EQ(manual.estado, 0) << pagina;
        EXPECT_TRUE(manual.texto.isEmpty()) << pagina << ": " << manual.texto.toStdString();
    }
}

// Started from the prefix, the program keeps its catalogue in the user's data directory, not beside
// itself, and finds its installed help: the first-run check then removes an "Ayuda.zip" lying beside
// the program, which it leaves (and asks about) while it finds no help page.
TEST_F(Instalacion, ElProgramaInstaladoCreaSuCatalogoEnLosDatosDelUsuarioYEncuentraLaAyuda) {
    const QString zip = Instalado(QStringLiteral("bin/Ayuda.zip"));
    QFile comprimido(zip);
    ASSERT_TRUE(comprimido.open(QIODevice::WriteOnly));
    comprimido.close();
    const QString datos = carpeta->filePath(QStringLiteral("datos"));
    const QString catalogo = datos + QStringLiteral("/cantorio/Cantorio.mdb");

    QProcess programa;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    entorno.insert(QStringLiteral("XDG_DATA_HOME"), datos);
    programa.setProcessEnvironment(entorno);
    programa.start(Instalado(QStringLiteral("bin/cantorio")), {});
    ASSERT_TRUE(programa.waitForStarted());
    const bool arrancado = Esperar([&] { return !QFile::exists(zip); }, 60000);
    const bool sigueEnMarcha = programa.state() == QProcess::Running;
    programa.kill();
    programa.waitForFinished();

    EXPECT_TRUE(arrancado) << "the installed program did not find its help page";
    EXPECT_TRUE(sigueEnMarcha) << programa.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(catalogo));
    EXPECT_FALSE(QFile::exists(Instalado(QStringLiteral("bin/Cantorio.mdb"))));
}

} // namespace
