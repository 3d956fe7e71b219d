#include "utilities/FicheroTexto.h"

#include "store/FicherosDelCatalogo.h"
#include "utilities/Windows1252.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qsizetype TamanoBloque = 1 << 20;

} // namespace

void RechazarElCatalogo(const QString& ruta, const QString& rutaCatalogo) {
    if (catalogo::EsFicheroDelCatalogo(ruta, rutaCatalogo))
        throw FalloFichero(
            FalloFichero::Clase::Catalogo,
            QStringLiteral("«%1» es el propio catálogo (o uno de los ficheros que lo acompañan): "
                           "escribir en él destruiría el catálogo. Elija otro nombre de "
                           "fichero. No se ha escrito nada.")
                .arg(QDir::toNativeSeparators(ruta)));
}

FicheroTexto::FicheroTexto(const QString& ruta, bool utf8) : fichero_(ruta), ruta_(ruta), utf8_(utf8) {
    // Only a regular file is replaced: the new file is renamed over the target, which would put it in
    // the place of a device or a directory.
    const QFileInfo destino(ruta);
    if (destino.exists() && !destino.isFile())
        throw FalloFichero(FalloFichero::Clase::Apertura,
                           QStringLiteral("No se puede escribir en «%1»: no es un fichero.")
                               .arg(QDir::toNativeSeparators(ruta)));
    if (!fichero_.open(QIODevice::WriteOnly))
        throw FalloFichero(FalloFichero::Clase::Apertura,
                           QStringLiteral("No se puede escribir el fichero «%1»: %2")
                               .arg(QDir::toNativeSeparators(ruta), fichero_.errorString()));
    pendiente_.reserve(TamanoBloque + 4096);
    if (utf8_)
        pendiente_.append("\xEF\xBB\xBF");
}

QByteArray FicheroTexto::Bytes(QByteArrayView utf8) const {
    if (utf8_)
        return utf8.toByteArray();
    QByteArray bytes;
    bytes.reserve(utf8.size());
    if (!win1252::DesdeUtf8(utf8.data(), utf8.size(), bytes))
        throw NecesitaUtf8{};
    return bytes;
}

QByteArrayView FicheroTexto::Texto(QByteArrayView utf8) {
    const qsizetype inicio = pendiente_.size();
    if (utf8_)
        pendiente_.append(utf8.data(), utf8.size());
    else if (!win1252::DesdeUtf8(utf8.data(), utf8.size(), pendiente_))
        throw NecesitaUtf8{};
    return QByteArrayView(pendiente_).sliced(inicio);
}

void FicheroTexto::FinLinea() {
    pendiente_.append("\r\n", 2);
    if (pendiente_.size() >= TamanoBloque)
        Vaciar();
}

void FicheroTexto::Vaciar() {
    if (fichero_.write(pendiente_) != pendiente_.size()) {
        // A write cut short by a full disk (or a limit on the size of files) carries no error of its
        // own, only the lesser count.
        const QString motivo = fichero_.error() == QFileDevice::NoError
                                   ? QStringLiteral("no cabe en el disco")
                                   : fichero_.errorString();
        fichero_.cancelWriting();
        throw FalloFichero(FalloFichero::Clase::Escritura,
                           QStringLiteral("No se ha podido escribir el fichero «%1» (%2). No se ha creado ni "
                                          "modificado ningún fichero.")
                               .arg(QDir::toNativeSeparators(ruta_), motivo));
    }
    pendiente_.clear();
}

void FicheroTexto::Terminar() {
    Vaciar();
    // flush() reports a full disk even where commit() writes straight to the target (a device).
    if (!fichero_.flush() || !fichero_.commit())
        throw FalloFichero(FalloFichero::Clase::Escritura,
                           QStringLiteral("No se ha podido terminar el fichero «%1» (%2). No se ha creado ni "
                                          "modificado ningún fichero.")
                               .arg(QDir::toNativeSeparators(ruta_), fichero_.errorString()));
}
