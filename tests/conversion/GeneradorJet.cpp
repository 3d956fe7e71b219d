#include "GeneradorJet.h"

#include "utilities/Windows1252.h"

#include <QtEndian>

#include <map>
#include <stdexcept>
#include <variant>

namespace jet {

namespace {

enum Tipo : quint8 { Entero16 = 0x03, Entero32 = 0x04, Texto = 0x0A, Binario = 0x0B, Memo = 0x0C };

struct Columna {
    const char* nombre;
    Tipo tipo;
};

bool Fija(Tipo tipo) {
    return tipo == Entero16 || tipo == Entero32;
}
int LargoFijo(Tipo tipo) {
    return tipo == Entero16 ? 2 : 4;
}

using Valor = std::variant<std::monostate, qint32, QString>;

// Pages of the file; each page number as the format counts it.
constexpr int PaginaCatalogo = 2;  // MSysObjects' definition, where every reader starts
constexpr int PaginaMapas = 3;     // the page usage maps of the three tables
constexpr int PaginaCanciones = 4; // CANCIONES' definition
constexpr int PaginaLetras = 5;    // LETRAS' definition

void Poner16(QByteArray& b, qsizetype pos, quint16 v) {
    qToLittleEndian(v, b.data() + pos);
}
void Poner32(QByteArray& b, qsizetype pos, quint32 v) {
    qToLittleEndian(v, b.data() + pos);
}
void Anadir8(QByteArray& b, quint8 v) {
    b.append(char(v));
}
void Anadir16(QByteArray& b, quint16 v) {
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}
void Anadir32(QByteArray& b, quint32 v) {
    Anadir16(b, quint16(v & 0xFFFF));
    Anadir16(b, quint16(v >> 16));
}

// A pointer to a row: its page in the upper three bytes, the row's number in the low byte.
quint32 Puntero(int pagina, int fila) {
    return (quint32(pagina) << 8) | quint32(fila);
}

QByteArray Ucs2(const QString& texto) {
    QByteArray b;
    for (QChar c : texto)
        Anadir16(b, c.unicode());
    return b;
}

// Jet 4's compressed text: 0xFF 0xFE, then one byte per character below U+0100, a 0x00 byte switching
// to and from two-byte characters. Used only when shorter, and never for a text holding a character
// whose low byte is 0, which would read as a switch.
QByteArray TextoJet4(const QString& texto, bool comprimible) {
    const QByteArray plano = Ucs2(texto);
    if (!comprimible)
        return plano;
    QByteArray b("\xFF\xFE", 2);
    bool comprimido = true;
    for (QChar c : texto) {
        const char16_t u = c.unicode();
        if ((u & 0xFF) == 0)
            return plano;
        const bool simple = u < 0x100;
        if (simple != comprimido) {
            Anadir8(b, 0);
            comprimido = simple;
        }
        if (comprimido)
            Anadir8(b, quint8(u));
        else
            Anadir16(b, u);
    }
    return b.size() < plano.size() ? b : plano;
}

class Fichero {
public:
    explicit Fichero(Version version)
        : jet4_(version == Version::Jet4), tamano_(jet4_ ? 4096 : 2048), cabeceraDatos_(jet4_ ? 14 : 10) {
        for (int i = 0; i <= PaginaLetras; ++i)
            paginas_.emplace_back(tamano_, '\0');
    }

    bool Jet4() const { return jet4_; }

    QByteArray Codificar(const QString& texto, bool comprimible) const {
        if (jet4_)
            return TextoJet4(texto, comprimible);
        bool ok = true;
        const QByteArray b = win1252::Codificar(texto, &ok);
        if (!ok)
            throw std::invalid_argument("a Jet 3 text needs Windows-1252 letters only");
        return b;
    }

    // Appends a row to the data pages of a table, opening a new page when the last one is full.
    void AnadirFila(int definicion, const QByteArray& fila) {
        std::vector<int>& suyas = paginasDatos_[definicion];
        if (suyas.empty() || Libre(suyas.back()) < fila.size() + 2)
            suyas.push_back(NuevaPaginaDatos(definicion));
        ColocarFila(suyas.back(), fila);
    }

    // A memo field of a row: its 12-byte header, followed by the text itself when it fits in the row
    // (the row stays small); otherwise the text goes to long-value pages, one page or a chain.
    QByteArray CampoMemo(const QString& texto) {
        // Only texts of up to 1024 characters may be compressed.
        const QByteArray datos = Codificar(texto, texto.size() <= 1024);
        QByteArray campo;
        const int enFila = jet4_ ? 1000 : 60;
        const int porPagina = tamano_ - cabeceraDatos_ - 2;
        if (datos.size() <= enFila) {
            Anadir32(campo, quint32(datos.size()) | 0x80000000u);
            Anadir32(campo, 0);
            Anadir32(campo, 0);
            return campo + datos;
        }
        if (datos.size() <= porPagina) {
            const int pagina = NuevaPaginaLarga();
            ColocarFila(pagina, datos);
            Anadir32(campo, quint32(datos.size()) | 0x40000000u);
            Anadir32(campo, Puntero(pagina, 0));
            Anadir32(campo, 0);
            return campo;
        }
        // A chain: each piece starts with the pointer to the next one (0 for the last).
        const int trozo = porPagina - 4;
        std::vector<int> cadena;
        for (qsizetype hecho = 0; hecho < datos.size(); hecho += trozo)
            cadena.push_back(NuevaPaginaLarga());
        for (size_t i = 0; i < cadena.size(); ++i) {
            QByteArray pieza;
            Anadir32(pieza, i + 1 < cadena.size() ? Puntero(cadena[i + 1], 0) : 0);
            pieza += datos.mid(qsizetype(i) * trozo, trozo);
            ColocarFila(cadena[i], pieza);
        }
        Anadir32(campo, quint32(datos.size()));
        Anadir32(campo, Puntero(cadena.front(), 0));
        Anadir32(campo, 0);
        return campo;
    }

    // Page 3 holds, for each table, the map of its data pages and an empty map of pages with room.
    void EscribirMapas(const std::vector<int>& definiciones) {
        PrepararPaginaDatos(PaginaMapas, 0);
        for (int definicion : definiciones) {
            ColocarFila(PaginaMapas, Mapa(paginasDatos_[definicion]));
            ColocarFila(PaginaMapas, Mapa({}));
        }
    }
    static quint32 MapaUsadas(int tabla) { return Puntero(PaginaMapas, 2 * tabla); }
    static quint32 MapaLibres(int tabla) { return Puntero(PaginaMapas, 2 * tabla + 1); }

    void EscribirDefinicion(int pagina, const std::vector<Columna>& columnas, int filas, int tabla,
                            bool sistema) {
        QByteArray& p = paginas_[size_t(pagina)];
        QByteArray d;
        Anadir8(d, 0x02);
        Anadir8(d, 0x01);
        if (jet4_)
            Anadir16(d, 0); // free space, set below
        else
            d.append("VC", 2);
        Anadir32(d, 0); // no next definition page
        Anadir32(d, 0); // length, set below
        if (jet4_)
            Anadir32(d, 0);
        Anadir32(d, quint32(filas));
        Anadir32(d, 0); // autonumber
        if (jet4_)
            d.append(16, '\0');
        int variables = 0;
        for (const Columna& c : columnas)
            variables += Fija(c.tipo) ? 0 : 1;
        Anadir8(d, sistema ? 0x53 : 0x4E);
        Anadir16(d, quint16(columnas.size()));
        Anadir16(d, quint16(variables));
        Anadir16(d, quint16(columnas.size()));
        Anadir32(d, 0); // indexes
        Anadir32(d, 0);
        Anadir32(d, MapaUsadas(tabla));
        Anadir32(d, MapaLibres(tabla));
        int fijo = 0;
        int variable = 0;
        for (size_t i = 0; i < columnas.size(); ++i) {
            const Tipo tipo = columnas[i].tipo;
            const bool esTexto = tipo == Texto || tipo == Memo;
            Anadir8(d, tipo);
            if (jet4_)
                Anadir32(d, 0);
            Anadir16(d, quint16(i));
            Anadir16(d, Fija(tipo) ? 0 : quint16(variable));
            Anadir16(d, quint16(i));
            if (jet4_) {
                Anadir16(d, esTexto ? 0x409 : 0); // General sort order
                Anadir16(d, 0);
                Anadir8(d, Fija(tipo) ? 0x03 : 0x02);
                Anadir8(d, esTexto ? 0x01 : 0x00); // compressed text allowed
                Anadir32(d, 0);
            } else {
                Anadir16(d, esTexto ? 0x409 : 0);
                Anadir16(d, esTexto ? 0x4E4 : 0); // code page 1252
                Anadir16(d, 0);
                Anadir8(d, Fija(tipo) ? 0x03 : 0x02);
            }
            Anadir16(d, Fija(tipo) ? quint16(fijo) : 0);
            Anadir16(d, quint16(Fija(tipo) ? LargoFijo(tipo) : tipo == Texto ? (jet4_ ? 510 : 255) : 0));
            if (Fija(tipo))
                fijo += LargoFijo(tipo);
            else
                ++variable;
        }
        for (const Columna& c : columnas) {
            const QString nombre = QString::fromLatin1(c.nombre);
            if (jet4_) {
                Anadir16(d, quint16(2 * nombre.size()));
                d += Ucs2(nombre);
            } else {
                Anadir8(d, quint8(nombre.size()));
                d += nombre.toLatin1();
            }
        }
        Anadir16(d, 0xFFFF);
        Poner32(d, 8, quint32(d.size() - 8));
        if (jet4_)
            Poner16(d, 2, quint16(tamano_ - d.size() - 8));
        p.replace(0, d.size(), d);
    }

    // Page 1: every page of the file in use.
    void EscribirMapaGlobal() {
        std::vector<int> todas;
        for (int i = 0; i < int(paginas_.size()); ++i)
            todas.push_back(i);
        PrepararPaginaDatos(1, 0);
        ColocarFila(1, Mapa(todas));
    }

    // The header page: signature, version, and the few fields a reader takes from the area that the
    // format masks with a fixed stream from offset 0x18. The mask bytes were observed by letting libmdb
    // decode a header whose masked area was all zeros (it reports the decoded fields in MdbFile): each
    // field below is written as mask XOR value, so that it reads as no encryption key, no password,
    // code page 1252 and language 0x409.
    void EscribirCabecera() {
        QByteArray& p = paginas_[0];
        p[1] = char(0x01);
        const QByteArray firma("Standard Jet DB");
        p.replace(4, firma.size(), firma);
        Poner32(p, 0x14, jet4_ ? 1 : 0);
        Poner32(p, 0x3E, 0x4EBC8AFBu);     // encryption key 0
        Poner16(p, 0x3C, 0x427B ^ 0x04E4); // code page 1252
        if (jet4_) {
            Poner16(p, 0x6E, 0x1B01 ^ 0x0409); // language
        } else {
            Poner16(p, 0x3A, 0xC3E4 ^ 0x0409);
            const QByteArray sinClave("\x86\xFB\xEC\x37\x5D\x44\x9C\xFA\xC6\x5E\x28\xE6\x13\xB6", 14);
            p.replace(0x42, sinClave.size(), sinClave); // empty password
        }
    }

    QByteArray Bytes() const {
        QByteArray todo;
        for (const QByteArray& p : paginas_)
            todo += p;
        return todo;
    }

private:
    int NuevaPagina() {
        paginas_.emplace_back(tamano_, '\0');
        return int(paginas_.size()) - 1;
    }

    int NuevaPaginaDatos(int definicion) {
        const int n = NuevaPagina();
        PrepararPaginaDatos(n, definicion);
        return n;
    }

    void PrepararPaginaDatos(int n, int definicion) {
        QByteArray& p = paginas_[size_t(n)];
        p[0] = char(0x01);
        p[1] = char(0x01);
        Poner32(p, 4, quint32(definicion));
        Poner16(p, 2, quint16(tamano_ - cabeceraDatos_));
    }

    // Long-value pages are data pages whose owner is the word "LVAL".
    int NuevaPaginaLarga() {
        const int n = NuevaPaginaDatos(0);
        paginas_[size_t(n)].replace(4, 4, "LVAL");
        return n;
    }

    int Filas(int pagina) const {
        return qFromLittleEndian<quint16>(paginas_[size_t(pagina)].constData() + FilasEn());
    }
    int FilasEn() const { return jet4_ ? 12 : 8; }
    int FinFilas(int pagina) const {
        const int n = Filas(pagina);
        return n == 0 ? tamano_
                      : qFromLittleEndian<quint16>(paginas_[size_t(pagina)].constData() + cabeceraDatos_ +
                                                   2 * (n - 1));
    }
    int Libre(int pagina) const { return FinFilas(pagina) - (cabeceraDatos_ + 2 * Filas(pagina)); }

    // Rows are laid from the end of the page towards its start; the offsets table grows after the header.
    void ColocarFila(int pagina, const QByteArray& fila) {
        if (Libre(pagina) < fila.size() + 2)
            throw std::length_error("row does not fit in its page");
        QByteArray& p = paginas_[size_t(pagina)];
        const int n = Filas(pagina);
        const int inicio = FinFilas(pagina) - int(fila.size());
        p.replace(inicio, fila.size(), fila);
        Poner16(p, cabeceraDatos_ + 2 * n, quint16(inicio));
        Poner16(p, FilasEn(), quint16(n + 1));
        Poner16(p, 2, quint16(Libre(pagina)));
    }

    // A usage map stored in its row (type 0): the first page it covers, then one bit per page.
    QByteArray Mapa(const std::vector<int>& paginas) const {
        QByteArray m;
        Anadir8(m, 0x00);
        Anadir32(m, 0);
        QByteArray bits(jet4_ ? 64 - 5 : 128 - 5, '\0');
        for (int pagina : paginas) {
            if (pagina / 8 >= bits.size())
                throw std::length_error("more pages than one usage map holds");
            bits[pagina / 8] = char(bits[pagina / 8] | (1 << (pagina % 8)));
        }
        return m + bits;
    }

    bool jet4_;
    int tamano_;
    int cabeceraDatos_;
    std::vector<QByteArray> paginas_;
    std::map<int, std::vector<int>> paginasDatos_;
};

// One row in the format's layout: the number of columns, the fixed-length values at their offsets, the
// variable-length values one after the other, then (read backwards from the end) the null mask, the
// number of variable values, their offsets in reverse order and the end of the data.
QByteArray Fila(Fichero& fichero, const std::vector<Columna>& columnas, const std::vector<Valor>& valores) {
    const bool jet4 = fichero.Jet4();
    auto anadirNumero = [jet4](QByteArray& b, int v) {
        if (jet4)
            Anadir16(b, quint16(v));
        else
            Anadir8(b, quint8(v));
    };
    QByteArray fila;
    anadirNumero(fila, int(columnas.size()));
    QByteArray fijos;
    for (size_t i = 0; i < columnas.size(); ++i) {
        if (!Fija(columnas[i].tipo))
            continue;
        const qint32 v = std::holds_alternative<qint32>(valores[i]) ? std::get<qint32>(valores[i]) : 0;
        if (columnas[i].tipo == Entero16)
            Anadir16(fijos, quint16(v));
        else
            Anadir32(fijos, quint32(v));
    }
    fila += fijos;
    std::vector<int> posiciones;
    for (size_t i = 0; i < columnas.size(); ++i) {
        if (Fija(columnas[i].tipo))
            continue;
        posiciones.push_back(int(fila.size()));
        if (!std::holds_alternative<QString>(valores[i]))
            continue;
        const QString& texto = std::get<QString>(valores[i]);
        fila += columnas[i].tipo == Memo ? fichero.CampoMemo(texto) : fichero.Codificar(texto, true);
    }
    anadirNumero(fila, int(fila.size()));
    for (auto it = posiciones.rbegin(); it != posiciones.rend(); ++it)
        anadirNumero(fila, *it);
    anadirNumero(fila, int(posiciones.size()));
    QByteArray nulos((qsizetype(columnas.size()) + 7) / 8, '\0');
    for (size_t i = 0; i < columnas.size(); ++i)
        if (!std::holds_alternative<std::monostate>(valores[i]))
            nulos[qsizetype(i / 8)] = char(nulos[qsizetype(i / 8)] | (1 << (i % 8)));
    fila += nulos;
    if (!jet4 && fila.size() >= 256)
        throw std::length_error("a Jet 3 row of 256 bytes or more needs a jump table");
    return fila;
}

Valor ValorTexto(const std::optional<QString>& v) {
    return v ? Valor(*v) : Valor();
}
Valor ValorNumero(const std::optional<qint32>& v) {
    return v ? Valor(*v) : Valor();
}

} // namespace

QByteArray Generar(Version version, const std::vector<Cancion>& canciones, const std::vector<Letra>& letras) {
    Fichero fichero(version);
    const std::vector<Columna> objetos = {{"Id", Entero32},   {"ParentId", Entero32}, {"Name", Texto},
                                          {"Type", Entero16}, {"Flags", Entero32},    {"LvProp", Binario}};
    const std::vector<Columna> columnasCanciones = {
        {"CABECERA", Texto},  {"RUTA", Texto},        {"AUTOR", Texto},          {"TITULO", Texto},
        {"EXTENSION", Texto}, {"LONGITUD", Entero32}, {"IDX_CANCION", Entero32}, {"REL_POS", Entero32}};
    const std::vector<Columna> columnasLetras = {{"IDX_CANCION", Entero32}, {"LYRICS", Memo}};

    for (const Cancion& c : canciones)
        fichero.AnadirFila(PaginaCanciones,
                           Fila(fichero, columnasCanciones,
                                {ValorTexto(c.cabecera), ValorTexto(c.ruta), ValorTexto(c.autor),
                                 ValorTexto(c.titulo), ValorTexto(c.extension), ValorNumero(c.longitud),
                                 ValorNumero(c.idxCancion), ValorNumero(c.relPos)}));
    for (const Letra& l : letras)
        fichero.AnadirFila(PaginaLetras,
                           Fila(fichero, columnasLetras, {ValorNumero(l.idxCancion), ValorTexto(l.lyrics)}));
    // The system catalogue: one row per table, type 1, its definition's page as its identity.
    const qint32 tablas = 0x0F000001;
    fichero.AnadirFila(PaginaCatalogo,
                       Fila(fichero, objetos,
                            std::vector<Valor>{qint32(PaginaCanciones), tablas, QStringLiteral("CANCIONES"),
                                               qint32(1), qint32(0), Valor()}));
    fichero.AnadirFila(PaginaCatalogo,
                       Fila(fichero, objetos,
                            std::vector<Valor>{qint32(PaginaLetras), tablas, QStringLiteral("LETRAS"),
                                               qint32(1), qint32(0), Valor()}));

    fichero.EscribirMapas({PaginaCatalogo, PaginaCanciones, PaginaLetras});
    fichero.EscribirDefinicion(PaginaCatalogo, objetos, 2, 0, true);
    fichero.EscribirDefinicion(PaginaCanciones, columnasCanciones, int(canciones.size()), 1, false);
    fichero.EscribirDefinicion(PaginaLetras, columnasLetras, int(letras.size()), 2, false);
    fichero.EscribirMapaGlobal();
    fichero.EscribirCabecera();
    return fichero.Bytes();
}

} // namespace jet
