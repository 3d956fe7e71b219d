// The benchmark program: runs every registered workload (or the one named with --solo) and prints one
// line per figure. bench/run builds and starts it.

#include "CargaMemoria.h"
#include "Registro.h"

#include "store/Dao.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    QCommandLineParser opciones;
    opciones.addOption({QStringLiteral("quick"), QStringLiteral("Solo el tamaño menor de cada carga.")});
    opciones.addOption({QStringLiteral("datos"), QStringLiteral("Directorio de los catálogos generados."),
                        QStringLiteral("directorio"), QStringLiteral("bench-datos")});
    opciones.addOption(
        {QStringLiteral("solo"), QStringLiteral("Solo la carga de ese nombre."), QStringLiteral("nombre")});
    opciones.addOption({QStringLiteral("memoria"),
                        QStringLiteral("Uso interno: mide la memoria con ese catálogo."),
                        QStringLiteral("catalogo")});
    opciones.process(aplicacion);

    try {
        if (opciones.isSet(QStringLiteral("memoria")))
            return bench::MemoriaHijo(opciones.value(QStringLiteral("memoria")));
        const bench::Contexto contexto{opciones.value(QStringLiteral("datos")),
                                       opciones.isSet(QStringLiteral("quick"))};
        for (const bench::Carga& carga : bench::Cargas()) {
            if (opciones.isSet(QStringLiteral("solo")) &&
                carga.nombre != opciones.value(QStringLiteral("solo")))
                continue;
            std::vector<bench::Tamano> tamanos = carga.tamanos;
            if (contexto.rapido)
                tamanos.resize(1);
            carga.medir(contexto, tamanos);
        }
    } catch (const dao::ErrorBD& error) {
        std::fprintf(stderr, "Error %d: %s\n", error.Numero(), qPrintable(error.Descripcion()));
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error: %s\n", error.what());
        return 2;
    }
    return bench::TodosCumplidos() ? 0 : 1;
}
