#include "maintenance/EtiquetaId3v2.h"

#include <QUtf8StringView>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The bytes of a file read on demand, a block at a time, so that the frame headers of a tag are read
// without the frames between them (a cover picture may be hundreds of kilobytes).
class LecturaFichero {
public:
    explicit LecturaFichero(const QByteArray& ruta)
        : descriptor_(::open(ruta.constData(), O_RDONLY | O_CLOEXEC)) {}
    ~LecturaFichero() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    LecturaFichero(const LecturaFichero&) = delete;
    LecturaFichero& operator=(const LecturaFichero&) = delete;

    bool Abierto() const { return descriptor_ >= 0; }

    // The n bytes from posicion on, fewer when the file ends before them.
    QByteArrayView Bytes(qint64 posicion, qint64 n) {
        if (posicion < inicio_ || posicion + n > inicio_ + bloque_.size()) {
            inicio_ = posicion;
            bloque_.resize(std::max<qint64>(n, Bloque));
            qsizetype leidos = 0;
            while (leidos < bloque_.size()) {
                const ssize_t r =
                    ::pread(descriptor_, bloque_.data() + leidos, bloque_.size() - leidos, posicion + leidos);
                if (r < 0 && errno == EINTR)
                    continue;
                if (r <= 0)
                    break;
                leidos += r;
            }
            bloque_.resize(leidos);
        }
        const qint64 desde = posicion - inicio_;
        return QByteArrayView(bloque_).sliced(desde, std::min(n, bloque_.size() - desde));
    }

private:
    static constexpr qint64 Bloque = 4096;
    int descriptor_;
    QByteArray bloque_;
    qint64 inicio_ = 0;
};

constexpr int LargoCabecera = 10; // of the tag and of each frame alike

quint8 Byte(QByteArrayView bytes, qsizetype i) {
    return static_cast<quint8>(bytes[i]);
}

// A size written seven bits to a byte; nothing when a byte has its high bit set, a size TagLib reads
// another way.
std::optional<quint32> TamanoSincronizado(QByteArrayView bytes) {
    quint32 tamano = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        if (Byte(bytes, i) & 0x80)
            return std::nullopt;
        tamano = tamano << 7 | Byte(bytes, i);
    }
    return tamano;
}

quint32 Entero32(QByteArrayView bytes) {
    return quint32(Byte(bytes, 0)) << 24 | quint32(Byte(bytes, 1)) << 16 | quint32(Byte(bytes, 2)) << 8 |
           Byte(bytes, 3);
}

bool IdentificadorValido(QByteArrayView id) {
    for (char c : id)
        if ((c < 'A' || c > 'Z') && (c < '0' || c > '9'))
            return false;
    return true;
}

// Whether TagLib reads a version 2.4 frame's size as some programs write it, a plain 32-bit number:
// it does when no frame follows where the right size ends and one follows where the plain one ends.
bool LeeTamanoLlano(LecturaFichero& fichero, qint64 posicion, quint32 tamano, quint32 tamanoLlano,
                    qint64 fin) {
    auto hayMarco = [&](qint64 desde) {
        if (desde + 4 > fin)
            return false;
        const QByteArrayView id = fichero.Bytes(desde, 4);
        return id.size() == 4 && IdentificadorValido(id);
    };
    return !hayMarco(posicion + LargoCabecera + tamano) && hayMarco(posicion + LargoCabecera + tamanoLlano);
}

// The frames read; a second title or artist is not, as TagLib takes the first.
enum class Marco { Otro, Titulo, Artista, Letra };

enum Codificacion : quint8 { Latin1 = 0, Utf16 = 1, Utf16be = 2, Utf8 = 3 };

qsizetype AnchoCaracter(quint8 codificacion) {
    return codificacion == Latin1 || codificacion == Utf8 ? 1 : 2;
}

// One string of a frame in its encoding, cut at its first NUL as TagLib cuts it. Nothing where TagLib
// could read it otherwise: UTF-16 without its byte-order mark, invalid UTF-8, a surrogate, a second
// byte-order mark.
std::optional<QString> Decodificar(QByteArrayView bytes, quint8 codificacion) {
    QString texto;
    if (codificacion == Latin1) {
        texto = QString::fromLatin1(bytes);
    } else if (codificacion == Utf8) {
        if (!QUtf8StringView(bytes).isValidUtf8())
            return std::nullopt;
        texto = QString::fromUtf8(bytes);
    } else {
        if (bytes.size() % 2 != 0)
            return std::nullopt;
        bool grandeAlPrincipio = codificacion == Utf16be;
        if (codificacion == Utf16) {
            if (bytes.size() < 2)
                return std::nullopt;
            const quint16 marca = quint16(Byte(bytes, 0) << 8 | Byte(bytes, 1));
            if (marca != 0xFEFF && marca != 0xFFFE)
                return std::nullopt;
            grandeAlPrincipio = marca == 0xFEFF;
            bytes = bytes.sliced(2);
        }
        texto.reserve(bytes.size() / 2);
        for (qsizetype i = 0; i < bytes.size(); i += 2) {
            const char16_t unidad = grandeAlPrincipio ? char16_t(Byte(bytes, i) << 8 | Byte(bytes, i + 1))
                                                      : char16_t(Byte(bytes, i + 1) << 8 | Byte(bytes, i));
            if (QChar::isSurrogate(unidad))
                return std::nullopt;
            texto.append(QChar(unidad));
        }
    }
    // TagLib drops byte-order marks inside a text, in ways not worth copying.
    if (texto.contains(QChar(0xFEFF)) || texto.contains(QChar(0xFFFE)))
        return std::nullopt;
    if (const qsizetype nulo = texto.indexOf(QChar(0)); nulo >= 0)
        texto.truncate(nulo);
    return texto;
}

// Where the first string ends: the first NUL (two for UTF-16) at a character boundary; -1 if none.
qsizetype Separador(QByteArrayView bytes, qsizetype ancho) {
    for (qsizetype i = 0; i + ancho <= bytes.size(); i += ancho)
        if (bytes[i] == 0 && (ancho == 1 || bytes[i + 1] == 0))
            return i;
    return -1;
}

// The one value of a text frame (trailing NULs dropped); nothing when it holds several.
std::optional<QString> TextoDeMarco(QByteArrayView datos) {
    if (datos.size() < 2)
        return QString();
    const quint8 codificacion = Byte(datos, 0);
    if (codificacion > Utf8)
        return std::nullopt;
    const qsizetype ancho = AnchoCaracter(codificacion);
    QByteArrayView valor = datos.sliced(1);
    qsizetype largo = valor.size();
    while (largo > 0 && valor[largo - 1] == 0)
        --largo;
    largo = std::min(valor.size(), (largo + ancho - 1) / ancho * ancho);
    valor = valor.first(largo);
    if (Separador(valor, ancho) >= 0)
        return std::nullopt;
    return Decodificar(valor, codificacion);
}

// The text of a USLT frame: encoding, language, a description ended by a NUL, then the text.
std::optional<QString> LetraDeMarco(QByteArrayView datos) {
    if (datos.size() < 5)
        return QString();
    const quint8 codificacion = Byte(datos, 0);
    if (codificacion > Utf8)
        return std::nullopt;
    const qsizetype ancho = AnchoCaracter(codificacion);
    const QByteArrayView resto = datos.sliced(4);
    const qsizetype separador = Separador(resto, ancho);
    if (separador < 0 || separador + ancho >= resto.size())
        return QString();
    return Decodificar(resto.sliced(separador + ancho), codificacion);
}

} // namespace

std::optional<EtiquetaId3v2> LeerEtiquetaId3v2(const QByteArray& ruta) {
    LecturaFichero fichero(ruta);
    if (!fichero.Abierto())
        return std::nullopt;
    const QByteArrayView cabecera = fichero.Bytes(0, LargoCabecera);
    // "ID3", version 2.3 or 2.4, no flag (unsynchronisation, extended header, footer) set.
    if (cabecera.size() < LargoCabecera || !cabecera.startsWith("ID3"))
        return std::nullopt;
    const quint8 version = Byte(cabecera, 3);
    if ((version != 3 && version != 4) || Byte(cabecera, 4) == 0xFF || Byte(cabecera, 5) != 0)
        return std::nullopt;
    const std::optional<quint32> tamanoEtiqueta = TamanoSincronizado(cabecera.sliced(6));
    if (!tamanoEtiqueta || *tamanoEtiqueta < LargoCabecera)
        return std::nullopt;

    const qint64 fin = LargoCabecera + qint64(*tamanoEtiqueta);
    EtiquetaId3v2 etiqueta;
    bool conTitulo = false, conArtista = false;
    for (qint64 posicion = LargoCabecera; posicion < fin - LargoCabecera;) {
        const QByteArrayView marco = fichero.Bytes(posicion, LargoCabecera);
        if (marco.size() < LargoCabecera)
            return std::nullopt;
        if (marco[0] == 0)
            break; // the padding
        const QByteArrayView id = marco.first(4);
        const std::optional<quint32> tamano =
            version == 4 ? TamanoSincronizado(marco.sliced(4)) : Entero32(marco.sliced(4));
        // The second flag byte tells compression, encryption, grouping, unsynchronisation.
        if (!IdentificadorValido(id) || !tamano || *tamano == 0 ||
            posicion + LargoCabecera + qint64(*tamano) > fin || Byte(marco, 9) != 0)
            return std::nullopt;
        const Marco clase = id == "TIT2"   ? (conTitulo ? Marco::Otro : Marco::Titulo)
                            : id == "TPE1" ? (conArtista ? Marco::Otro : Marco::Artista)
                            : id == "USLT" ? Marco::Letra
                                           : Marco::Otro;
        // Past here the header's bytes may be gone: the reads below may read another block.
        if (version == 4 && *tamano > 127 &&
            LeeTamanoLlano(fichero, posicion, *tamano, Entero32(marco.sliced(4)), fin))
            return std::nullopt;
        if (clase != Marco::Otro) {
            const QByteArrayView datos = fichero.Bytes(posicion + LargoCabecera, *tamano);
            if (datos.size() < qsizetype(*tamano))
                return std::nullopt;
            const std::optional<QString> texto =
                clase == Marco::Letra ? LetraDeMarco(datos) : TextoDeMarco(datos);
            if (!texto)
                return std::nullopt;
            if (clase == Marco::Titulo) {
                etiqueta.titulo = *texto;
                conTitulo = true;
            } else if (clase == Marco::Artista) {
                etiqueta.artista = *texto;
                conArtista = true;
            } else {
                etiqueta.letras << *texto;
            }
        }
        posicion += LargoCabecera + *tamano;
    }
    // TagLib seeks a missing title or artist in the file's other tags.
    if (etiqueta.titulo.isEmpty() || etiqueta.artista.isEmpty())
        return std::nullopt;
    return etiqueta;
}
