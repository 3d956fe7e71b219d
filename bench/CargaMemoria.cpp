// memory-N: peak resident memory of a fresh process that has run the program's whole start-up on the
// catalogue (splash window, trees filled, list window shown and painted). Measured in a child so that
// nothing else the benchmark did counts.

#include "CargaMemoria.h"

#include "Generador.h"

#include "shell/QtServicios.h"
#include "shell/frmLoader.h"
#include "store/BBDD.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace bench {

namespace {

// A figure of this process in kB from the kernel's accounting: "VmHWM" the peak resident set, "RssAnon"
// and "RssFile" what is resident now of the heap and of mapped files (the catalogue when it is mapped).
qint64 Figura(const QString& estado, const char* nombre) {
    const auto encontrado =
        QRegularExpression(QStringLiteral("%1:\\s*(\\d+)\\s*kB").arg(QLatin1String(nombre))).match(estado);
    return encontrado.hasMatch() ? encontrado.captured(1).toLongLong() : -1;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    for (Tamano tamano : tamanos) {
        const QString catalogo = Preparar(contexto, tamano);
        QProcess hijo;
        hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memoria"), catalogo});
        if (!hijo.waitForFinished(-1) || hijo.exitCode() != 0)
            throw std::runtime_error("falló el proceso que mide la memoria");
        const auto encontrado =
            QRegularExpression(QStringLiteral("VmHWM (\\d+) RssAnon (-?\\d+) RssFile (-?\\d+)"))
                .match(QString::fromLatin1(hijo.readAllStandardOutput()));
        if (!encontrado.hasMatch())
            throw std::runtime_error("el proceso que mide la memoria no dio su cifra");
        Memoria(QStringLiteral("memory-%1").arg(Sufijo(tamano)), encontrado.captured(1).toDouble() / 1024,
                200);
        Detalle(QStringLiteral("al final: %1 MB de memoria propia, %2 MB de ficheros proyectados")
                    .arg(encontrado.captured(2).toDouble() / 1024, 0, 'f', 0)
                    .arg(encontrado.captured(3).toDouble() / 1024, 0, 'f', 0));
    }
}

const bool registrada = Registrar({QStringLiteral("memory"), {Tamano::Diez_k, Tamano::Un_M}, Medir});

} // namespace

namespace {

// The platform's services, but with the program's directory where the benchmark puts the catalogue.
class ServiciosBanco : public QtServicios {
public:
    explicit ServiciosBanco(QString directorio) : directorio_(std::move(directorio)) {}
    QString DirectorioPrograma() const override { return directorio_; }

private:
    QString directorio_;
};

} // namespace

int MemoriaHijo(const QString& catalogo) {
    // The catalogue under the program's own file name, linked rather than copied: the program finds it
    // where it looks for it and runs its whole start-up on it.
    QTemporaryDir directorio(QFileInfo(catalogo).absolutePath() + QStringLiteral("/memoria-XXXXXX"));
    const QString enlace = QDir(directorio.path()).filePath(QStringLiteral("Cantorio.mdb"));
    if (::link(QFile::encodeName(catalogo).constData(), QFile::encodeName(enlace).constData()) != 0 &&
        !QFile::copy(catalogo, enlace))
        throw std::runtime_error("no se pudo poner el catálogo en el directorio del programa");
    InstalarServicios(std::make_unique<ServiciosBanco>(directorio.path()));

    // What main does before the splash window: the name and Qt's Spanish texts.
    QApplication::setApplicationName(QStringLiteral("Cantorio"));
    QTranslator traduccionQt;
    if (traduccionQt.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduccionQt);
    bool arrancado = false;
    {
        frmLoader presentacion;
        arrancado = presentacion.Form_Load();
    }
    if (!arrancado)
        return 1;
    // The list window shown and painted, the splash window gone, as the user first sees the program.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int k = 0; k < 10; ++k)
        QCoreApplication::processEvents();

    QFile fichero(QStringLiteral("/proc/self/status"));
    const QString estado =
        fichero.open(QIODevice::ReadOnly) ? QString::fromLatin1(fichero.readAll()) : QString();
    std::printf("VmHWM %lld RssAnon %lld RssFile %lld\n", Figura(estado, "VmHWM"), Figura(estado, "RssAnon"),
                Figura(estado, "RssFile"));
    std::fflush(stdout);
    BBDD::CerrarBaseDatos();
    return 0;
}

} // namespace bench
