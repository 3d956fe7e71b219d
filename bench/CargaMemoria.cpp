// memory-N: peak resident memory of a fresh process with the catalogue open and its trees filled, as
// the program is after start-up. Measured in a child so that nothing else the benchmark did counts.

#include "CargaMemoria.h"

#include "Generador.h"
#include "VentanasBench.h"

#include "store/BBDD.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>

#include <cstdio>
#include <stdexcept>

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
        const QString catalogo = Preparar(contexto, tamano).catalogo;
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
                400);
        Detalle(QStringLiteral("al final: %1 MB de memoria propia, %2 MB de ficheros proyectados")
                    .arg(encontrado.captured(2).toDouble() / 1024, 0, 'f', 0)
                    .arg(encontrado.captured(3).toDouble() / 1024, 0, 'f', 0));
    }
}

const bool registrada = Registrar({QStringLiteral("memory"), {Tamano::Diez_k, Tamano::Un_M}, Medir});

} // namespace

int MemoriaHijo(const QString& catalogo) {
    PrepararVentanas();
    QWidget splash;
    (new QProgressBar(&splash))->setObjectName(QStringLiteral("ProgressBar"));
    BBDD::RutaBaseDatos = catalogo;
    BBDD::AbrirBaseDatos();
    CargarArboles(&splash);
    QFile fichero(QStringLiteral("/proc/self/status"));
    const QString estado =
        fichero.open(QIODevice::ReadOnly) ? QString::fromLatin1(fichero.readAll()) : QString();
    std::printf("VmHWM %lld RssAnon %lld RssFile %lld\n", Figura(estado, "VmHWM"), Figura(estado, "RssAnon"),
                Figura(estado, "RssFile"));
    return 0;
}

} // namespace bench
