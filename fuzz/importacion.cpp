// Any bytes as an export file, imported into an empty catalogue without a password and with one: the
// import adds exactly the songs it reports, or refuses the file with a FalloFichero and leaves the
// catalogue as it was.

#include "store/BBDD.h"
#include "utilities/FicheroExportacion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir* carpeta = nullptr;
std::unique_ptr<dao::Database> base;

qint64 Canciones() {
    auto rs = base->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM CANCIONES"));
    return rs->Field(0).toLongLong();
}

void Importar(const QString& fichero, const std::optional<QString>& clave) {
    ProgresoUtilidad sinProgreso;
    try {
        const ResultadoTransferencia resultado = ImportarCanciones(*base, fichero, clave, sinProgreso);
        if (Canciones() != resultado.canciones)
            std::abort();
        base->Execute(QStringLiteral("DELETE FROM CANCIONES"));
    } catch (const FalloFichero&) {
        if (Canciones() != 0)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    carpeta = new QTemporaryDir;
    BBDD::RutaBaseDatos = QDir(carpeta->path()).filePath(QStringLiteral("Cantorio.mdb"));
    BBDD::CrearBaseDatos();
    base = dao::Database::OpenDatabase(BBDD::RutaBaseDatos);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString fichero = QDir(carpeta->path()).filePath(QStringLiteral("importar.txt"));
    QFile salida(fichero);
    if (!salida.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        salida.write(reinterpret_cast<const char*>(datos), qint64(largo)) != qint64(largo))
        std::abort();
    salida.close();
    Importar(fichero, std::nullopt);
    Importar(fichero, QStringLiteral("clave"));
    return 0;
}
