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

// Peak resident set of this process in kB, from the kernel's accounting.
qint64 PicoResidente() {
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return -1;
    const auto encontrado = QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+)\\s*kB"))
                                .match(QString::fromLatin1(estado.readAll()));
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
        const auto encontrado = QRegularExpression(QStringLiteral("VmHWM (\\d+)"))
                                    .match(QString::fromLatin1(hijo.readAllStandardOutput()));
        if (!encontrado.hasMatch())
            throw std::runtime_error("el proceso que mide la memoria no dio su cifra");
        Memoria(QStringLiteral("memory-%1").arg(Sufijo(tamano)), encontrado.captured(1).toDouble() / 1024,
                400);
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
    std::printf("VmHWM %lld\n", static_cast<long long>(PicoResidente()));
    return 0;
}

} // namespace bench
