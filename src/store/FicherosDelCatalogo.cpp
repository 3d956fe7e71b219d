#include "store/FicherosDelCatalogo.h"

#include <QFile>
#include <QFileInfo>

#include <optional>
#include <sys/stat.h>

namespace catalogo {

namespace {

struct Nodo {
    dev_t dispositivo;
    ino_t inodo;
    bool operator==(const Nodo&) const = default;
};

std::optional<Nodo> NodoDe(const QString& ruta) {
    struct stat datos;
    if (stat(QFile::encodeName(ruta).constData(), &datos) != 0)
        return std::nullopt;
    return Nodo{datos.st_dev, datos.st_ino};
}

// Where a name leads once its links are followed, also when it leads to nothing yet: the last link's
// target, in its folder with every link of the folder resolved.
QString Destino(const QString& ruta) {
    QFileInfo info(ruta);
    for (int saltos = 0; info.isSymLink() && saltos < 40; ++saltos)
        info = QFileInfo(info.symLinkTarget());
    const QString carpeta = QFileInfo(info.absolutePath()).canonicalFilePath();
    return carpeta.isEmpty() ? info.absoluteFilePath() : carpeta + u'/' + info.fileName();
}

} // namespace

bool EsFicheroDelCatalogo(const QString& ruta, const QString& rutaCatalogo) {
    const QString destino = Destino(ruta);
    const std::optional<Nodo> nodo = NodoDe(destino);
    const QString catalogo = Destino(rutaCatalogo);
    for (const char* sufijo : {"", "-wal", "-shm", "-journal"}) {
        const QString propio = catalogo + QLatin1String(sufijo);
        if (destino == propio || (nodo && nodo == NodoDe(propio)))
            return true;
    }
    return false;
}

} // namespace catalogo
