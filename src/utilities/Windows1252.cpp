#include "utilities/Windows1252.h"

namespace win1252 {

namespace {

// Characters of the bytes 0x80 to 0x9F; the unassigned ones keep their own number.
constexpr char16_t Altos[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 sequence at p (before fin); returns the character and advances p, or returns
// 0xFFFFFFFF for an invalid sequence.
char32_t LeerUtf8(const unsigned char*& p, const unsigned char* fin) {
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int resto;
    char32_t c;
    if ((b & 0xE0) == 0xC0) {
        resto = 1;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        resto = 2;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        resto = 3;
        c = b & 0x07;
    } else {
        return 0xFFFFFFFF;
    }
    if (fin - p < resto)
        return 0xFFFFFFFF;
    for (int i = 0; i < resto; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0xFFFFFFFF;
        c = (c << 6) | (p[i] & 0x3F);
    }
    p += resto;
    return c;
}

} // namespace

int Byte(char32_t caracter) {
    if (caracter < 0x80 || (caracter >= 0xA0 && caracter <= 0xFF))
        return int(caracter);
    for (int i = 0; i < 32; ++i)
        if (Altos[i] == caracter)
            return 0x80 + i;
    return -1;
}

char32_t Caracter(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? char32_t(Altos[byte - 0x80]) : char32_t(byte);
}

bool DesdeUtf8(const char* utf8, qsizetype largo, QByteArray& salida) {
    // A Windows-1252 text never has more bytes than its UTF-8 form: room for all of them at once.
    const qsizetype inicio = salida.size();
    salida.resize(inicio + largo);
    char* q = salida.data() + inicio;
    auto* p = reinterpret_cast<const unsigned char*>(utf8);
    const auto* fin = p + largo;
    bool bien = true;
    while (p < fin) {
        if (*p < 0x80) {
            *q++ = char(*p++);
            continue;
        }
        const int byte = Byte(LeerUtf8(p, fin));
        if (byte < 0) {
            bien = false;
            break;
        }
        *q++ = char(byte);
    }
    salida.resize(q - salida.constData());
    return bien;
}

void AUtf8(const char* bytes, qsizetype largo, QByteArray& salida) {
    // No character of the code page takes more than three UTF-8 bytes: room for all of them at once.
    const qsizetype inicio = salida.size();
    salida.resize(inicio + 3 * largo);
    char* q = salida.data() + inicio;
    for (qsizetype i = 0; i < largo; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const char32_t c = Caracter(b);
        if (c < 0x80) {
            *q++ = char(c);
        } else if (c < 0x800) {
            *q++ = char(0xC0 | (c >> 6));
            *q++ = char(0x80 | (c & 0x3F));
        } else {
            *q++ = char(0xE0 | (c >> 12));
            *q++ = char(0x80 | ((c >> 6) & 0x3F));
            *q++ = char(0x80 | (c & 0x3F));
        }
    }
    salida.resize(q - salida.constData());
}

QByteArray Codificar(const QString& texto, bool* ok) {
    QByteArray salida;
    const QByteArray utf8 = texto.toUtf8();
    const bool bien = DesdeUtf8(utf8.constData(), utf8.size(), salida);
    if (ok)
        *ok = bien;
    return salida;
}

QString Decodificar(const QByteArray& bytes) {
    QByteArray utf8;
    AUtf8(bytes.constData(), bytes.size(), utf8);
    return QString::fromUtf8(utf8);
}

} // namespace win1252
