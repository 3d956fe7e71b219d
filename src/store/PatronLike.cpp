#include "store/PatronLike.h"

#include "store/Dao.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace dao {

char32_t PlegarCaracter(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

namespace {

// Below U+0300 no character combines with the ones around it: such a text is already composed.
constexpr char32_t PrimerCombinable = 0x300;

std::vector<char32_t> Plegados(const QString& texto) {
    const QString nfc = texto.normalized(QString::NormalizationForm_C);
    std::vector<char32_t> salida;
    salida.reserve(nfc.size());
    for (char32_t c : nfc.toUcs4())
        salida.push_back(PlegarCaracter(c));
    return salida;
}

// The code points of a UTF-8 text into buffer; false when one of them may combine (or the text is not
// valid UTF-8), so that the text needs composing first.
bool CodigosSimples(std::string_view texto, std::vector<char32_t>& buffer) {
    buffer.clear();
    const auto* b = reinterpret_cast<const uint8_t*>(texto.data());
    const auto n = static_cast<int32_t>(texto.size());
    for (int32_t i = 0; i < n;) {
        UChar32 c;
        U8_NEXT(b, i, n, c);
        if (c < 0 || static_cast<char32_t>(c) >= PrimerCombinable)
            return false;
        buffer.push_back(static_cast<char32_t>(c));
    }
    return true;
}

[[noreturn]] void PatronNoValido(const QString& patron, const QString& motivo) {
    throw ErrorBD(93, QStringLiteral("El patrón de LIKE '%1' no es válido: %2.").arg(patron, motivo));
}

} // namespace

PatronLike::PatronLike(const QString& patron) {
    bool simple = true;
    for (QChar c : patron)
        simple = simple && c.unicode() < PrimerCombinable;
    const QList<uint> original = (simple ? patron : patron.normalized(QString::NormalizationForm_C)).toUcs4();
    bool soloLiterales = true;
    std::u32string fijo;
    elementos_.reserve(static_cast<std::size_t>(original.size()));
    for (qsizetype i = 0; i < original.size(); ++i) {
        const char32_t c = original[i];
        Elemento e;
        if (c == '*') {
            e.tipo = Elemento::Tipo::Cualquiera;
        } else if (c == '?') {
            e.tipo = Elemento::Tipo::Uno;
        } else if (c == '#') {
            e.tipo = Elemento::Tipo::Digito;
        } else if (c == '[') {
            qsizetype fin = i + 1;
            while (fin < original.size() && original[fin] != ']')
                ++fin;
            if (fin >= original.size())
                PatronNoValido(patron, QStringLiteral("falta el corchete de cierre"));
            std::vector<char32_t> dentro(original.begin() + i + 1, original.begin() + fin);
            i = fin;
            if (dentro.empty())
                continue; // "[]" matches the empty text
            e.tipo = Elemento::Tipo::Conjunto;
            std::size_t k = 0;
            if (dentro.size() > 1 && dentro[0] == '!') {
                e.negado = true;
                k = 1;
            }
            for (; k < dentro.size(); ++k) {
                const bool hayRango = k + 2 < dentro.size() && dentro[k + 1] == '-';
                if (hayRango) {
                    const char32_t desde = PlegarCaracter(dentro[k]);
                    const char32_t hasta = PlegarCaracter(dentro[k + 2]);
                    if (desde > hasta)
                        PatronNoValido(patron, QStringLiteral("el intervalo %1-%2 es descendente")
                                                   .arg(QString::fromUcs4(&dentro[k], 1),
                                                        QString::fromUcs4(&dentro[k + 2], 1)));
                    e.rangos.emplace_back(desde, hasta);
                    k += 2;
                } else {
                    const char32_t p = PlegarCaracter(dentro[k]);
                    e.rangos.emplace_back(p, p);
                }
            }
            // A set of one character that is not negated is that character written literally.
            if (!e.negado && e.rangos.size() == 1 && e.rangos[0].first == e.rangos[0].second &&
                dentro.size() == 1) {
                e.tipo = Elemento::Tipo::Literal;
                e.caracter = e.rangos[0].first;
                e.rangos.clear();
                fijo += dentro[0];
            }
        } else {
            e.tipo = Elemento::Tipo::Literal;
            e.caracter = PlegarCaracter(c);
            fijo += c;
        }
        if (e.tipo != Elemento::Tipo::Literal)
            soloLiterales = false;
        elementos_.push_back(std::move(e));
    }
    literal_ = soloLiterales;
    if (literal_) {
        textoFijo_ = QString::fromUcs4(fijo.data(), static_cast<qsizetype>(fijo.size()));
    } else if (elementos_.size() >= 2 && elementos_.back().tipo == Elemento::Tipo::Cualquiera) {
        bool resto = true;
        for (std::size_t k = 0; k + 1 < elementos_.size(); ++k)
            resto = resto && elementos_[k].tipo == Elemento::Tipo::Literal;
        if (resto) {
            prefijo_ = true;
            textoFijo_ = QString::fromUcs4(fijo.data(), static_cast<qsizetype>(fijo.size()));
        }
    }
}

bool PatronLike::EncajaEn(const Elemento& e, char32_t c) {
    switch (e.tipo) {
    case Elemento::Tipo::Literal:
        return c == e.caracter;
    case Elemento::Tipo::Uno:
        return true;
    case Elemento::Tipo::Digito:
        return c >= '0' && c <= '9';
    case Elemento::Tipo::Conjunto: {
        bool dentro = false;
        for (const auto& [desde, hasta] : e.rangos)
            if (c >= desde && c <= hasta)
                dentro = true;
        return dentro != e.negado;
    }
    case Elemento::Tipo::Cualquiera:
        break;
    }
    return false;
}

template <typename Texto> bool PatronLike::CoincideCon(const Texto& texto, std::size_t n) const {
    // Wildcard matching with one backtracking point: each element but "*" takes exactly one character.
    std::size_t i = 0, p = 0, marca = 0;
    std::ptrdiff_t estrella = -1;
    const std::size_t m = elementos_.size();
    while (i < n) {
        if (p < m && elementos_[p].tipo == Elemento::Tipo::Cualquiera) {
            estrella = static_cast<std::ptrdiff_t>(p++);
            marca = i;
        } else if (p < m && EncajaEn(elementos_[p], texto(i))) {
            ++i;
            ++p;
        } else if (estrella >= 0) {
            p = static_cast<std::size_t>(estrella) + 1;
            i = ++marca;
        } else {
            return false;
        }
    }
    while (p < m && elementos_[p].tipo == Elemento::Tipo::Cualquiera)
        ++p;
    return p == m;
}

bool PatronLike::Coincide(const QString& texto) const {
    const std::vector<char32_t> plegados = Plegados(texto);
    return CoincideCon([&](std::size_t i) { return plegados[i]; }, plegados.size());
}

bool PatronLike::CoincideUtf8(std::string_view texto) const {
    bool ascii = true;
    for (unsigned char c : texto)
        ascii = ascii && c < 0x80;
    // ASCII text: already composed, folded byte by byte without copying.
    if (ascii)
        return CoincideCon(
            [&](std::size_t i) { return PlegarCaracter(static_cast<unsigned char>(texto[i])); },
            texto.size());
    thread_local std::vector<char32_t> codigos;
    if (!CodigosSimples(texto, codigos))
        return Coincide(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
    return CoincideCon([&](std::size_t i) { return PlegarCaracter(codigos[i]); }, codigos.size());
}

} // namespace dao
