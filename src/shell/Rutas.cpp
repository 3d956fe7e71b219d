#include "shell/Rutas.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

QString RutaEnDirectorio(const QString& directorio, const QString& nombre) {
    QString ruta = QDir::toNativeSeparators(directorio);
    if (!ruta.endsWith(QDir::separator()))
        ruta += QDir::separator();
    return ruta + QDir::toNativeSeparators(nombre);
}

namespace {
// Permission bits do not tell (an administrator writes anywhere, a read-only medium refuses everyone):
// only creating a file does.
bool SePuedeEscribir(const QString& directorio) {
    QTemporaryFile prueba(RutaEnDirectorio(directorio, QStringLiteral(".cantorio-XXXXXX")));
    return prueba.open();
}
} // namespace

QString DirectorioCatalogo(const QString& directorioPrograma) {
    if (SePuedeEscribir(directorioPrograma))
        return directorioPrograma;
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(datos);
    return datos;
}

QString RutaAyuda(const QString& directorioPrograma) {
    return RutaEnDirectorio(RutaEnDirectorio(directorioPrograma, QStringLiteral("Ayuda")),
                            QStringLiteral("index.html"));
}
