#include "utilities/Codificacion.h"

#include "utilities/Windows1252.h"

namespace {

void Desplazar(QByteArray& texto, const QByteArray& clave, int sentido) {
    const qsizetype largo = clave.size();
    qsizetype j = 0;
    for (char& c : texto) {
        const int p = static_cast<unsigned char>(clave[j]);
        const int desplazamiento = 2 - p % 5;
        c = char((static_cast<unsigned char>(c) + sentido * desplazamiento) & 0xFF);
        if (++j == largo)
            j = 0;
    }
}

} // namespace

std::optional<QByteArray> BytesClave(const QString& clave) {
    bool ok = false;
    QByteArray bytes = win1252::Codificar(clave, &ok);
    if (!ok)
        return std::nullopt;
    return bytes;
}

void Codifica(QByteArray& texto, const QByteArray& clave) {
    Desplazar(texto, clave, +1);
}

void Decodifica(QByteArray& texto, const QByteArray& clave) {
    Desplazar(texto, clave, -1);
}
