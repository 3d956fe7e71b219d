#include "shell/Rutas.h"

#include <QDir>
#include <QFileInfo>
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

QString AyudaEn(const QString& directorio) {
    return RutaEnDirectorio(RutaEnDirectorio(directorio, QStringLiteral("Ayuda")),
                            QStringLiteral("index.html"));
}

// One level, in lower case as the other programs' folders there: ~/.local/share/cantorio.
QString DirectorioDatosUsuario() {
    return RutaEnDirectorio(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                            QStringLiteral("cantorio"));
}

} // namespace

QString DirectorioDatosInstalados(const QString& directorioPrograma) {
    return QDir::cleanPath(
        RutaEnDirectorio(directorioPrograma, QStringLiteral(CANTORIO_DATOS_DESDE_PROGRAMA)));
}

bool ProgramaInstalado(const QString& directorioPrograma) {
    return !QFileInfo::exists(AyudaEn(directorioPrograma)) &&
           QFileInfo::exists(AyudaEn(DirectorioDatosInstalados(directorioPrograma)));
}

// An installed program never writes beside itself, not even when run by an administrator, who could.
QString DirectorioCatalogo(const QString& directorioPrograma) {
    if (!ProgramaInstalado(directorioPrograma) && SePuedeEscribir(directorioPrograma))
        return directorioPrograma;
    const QString datos = DirectorioDatosUsuario();
    QDir().mkpath(datos);
    return datos;
}

QString RutaAyuda(const QString& directorioPrograma) {
    return AyudaEn(ProgramaInstalado(directorioPrograma) ? DirectorioDatosInstalados(directorioPrograma)
                                                         : directorioPrograma);
}
