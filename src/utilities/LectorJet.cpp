#include "utilities/LectorJet.h"

#include "store/Dao.h"

#include <QDir>
#include <QFile>

// libmdb's header needs GLib's declarations first.
#include <glib.h>
#include <mdbtools.h>

#include <array>
#include <cstring>
#include <memory>

namespace {

// Each field is read into a buffer of its table's size; a longer value is refused rather than cut.
constexpr size_t MayorCancion = 64 * 1024;
constexpr size_t MayorLetra = 16 * 1024 * 1024;

dao::ErrorBD Ilegible(const QString& ruta, const QString& que) {
    return dao::ErrorBD(3343, QStringLiteral("No se puede leer el catálogo antiguo «%1»: %2.")
                                  .arg(QDir::toNativeSeparators(ruta), que));
}

struct CerrarMdb {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct LiberarTabla {
    void operator()(MdbTableDef* tabla) const { mdb_free_tabledef(tabla); }
};

// What libmdb does not tell through its bound buffers, read from the row just fetched: which fields
// are Null (a zero-length text reads exactly as a Null there), and for each memo the length its header
// declares and how its text starts (0xFF 0xFE: Jet 4's compressed form).
struct Memo {
    quint32 largo = 0;
    bool comprimido = false;
};
struct Marcas {
    std::vector<bool> nulos;
    std::vector<Memo> memos;
};

quint32 Entero32(const unsigned char* p) {
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

Marcas MarcasFila(MdbHandle* mdb, MdbTableDef* tabla) {
    const guint32 pagina = tabla->cur_phys_pg;
    if (mdb->cur_pg != pagina)
        mdb_read_pg(mdb, pagina);
    Marcas marcas{std::vector<bool>(tabla->num_cols, false), std::vector<Memo>(tabla->num_cols)};
    int inicio = 0;
    size_t largo = 0;
    if (mdb_find_row(mdb, int(tabla->cur_row) - 1, &inicio, &largo) != 0)
        return marcas;
    std::vector<MdbField> campos(tabla->num_cols);
    const int leidos = mdb_crack_row(tabla, inicio, largo, campos.data());
    std::vector<std::pair<size_t, std::array<unsigned char, 14>>> cabeceras;
    for (int i = 0; i < leidos; ++i) {
        const MdbField& campo = campos[size_t(i)];
        if (campo.colnum < 0 || size_t(campo.colnum) >= marcas.nulos.size())
            continue;
        marcas.nulos[size_t(campo.colnum)] = campo.is_null != 0;
        const auto* columna = static_cast<MdbColumn*>(g_ptr_array_index(tabla->columns, guint(campo.colnum)));
        if (columna->col_type != MDB_MEMO || campo.is_null || campo.siz < 12)
            continue;
        std::array<unsigned char, 14> cabecera{};
        memcpy(cabecera.data(), campo.value, size_t(qMin(campo.siz, 14)));
        cabeceras.emplace_back(size_t(campo.colnum), cabecera);
    }
    for (const auto& [numero, cabecera] : cabeceras) {
        const quint32 v = Entero32(cabecera.data());
        Memo& memo = marcas.memos[numero];
        memo.largo = v & 0x3FFFFFFF;
        if (memo.largo < 2)
            continue;
        if (v & 0x80000000u) { // in the row itself
            memo.comprimido = cabecera[12] == 0xFF && cabecera[13] == 0xFE;
            continue;
        }
        // In long-value pages: the first piece of a chain starts with the pointer to the next one.
        void* datos = nullptr;
        int desde = 0;
        size_t trozo = 0;
        if (mdb_find_pg_row(mdb, int(Entero32(cabecera.data() + 4)), &datos, &desde, &trozo) == 0) {
            const size_t salto = (v & 0x40000000u) ? 0 : 4;
            const auto* p = static_cast<const unsigned char*>(datos) + desde + salto;
            memo.comprimido = trozo >= salto + 2 && p[0] == 0xFF && p[1] == 0xFE;
        }
    }
    if (mdb->cur_pg != pagina)
        mdb_read_pg(mdb, pagina);
    return marcas;
}

// Whether libmdb delivered the whole memo: Jet 3 keeps one byte per character, Jet 4 two unless
// compressed, where each character takes one byte or two and the mode switches one more.
bool MemoEntero(const Memo& memo, const QString& texto, bool jet3) {
    if (jet3)
        return quint32(texto.size()) == memo.largo;
    if (!memo.comprimido)
        return quint32(2 * texto.size()) == memo.largo;
    return quint32(texto.size()) >= (memo.largo - 2) / 3;
}

// A whole number arrives as a number; anything else (a decimal, a text in a number's place) as the
// text, which the catalogue then refuses by name instead of storing it changed.
QVariant Valor(const QString& texto, bool numero) {
    if (!numero)
        return texto;
    bool entero = false;
    const qlonglong n = texto.toLongLong(&entero);
    return entero ? QVariant(n) : QVariant(texto);
}

// A table of the old catalogue: its name, the fields read from it, and the size of a field's buffer.
struct TablaCatalogo {
    const char* nombre;
    std::vector<const char*> campos;
    size_t mayor;
};
const TablaCatalogo Canciones{
    "CANCIONES",
    {"CABECERA", "RUTA", "AUTOR", "TITULO", "EXTENSION", "LONGITUD", "IDX_CANCION", "REL_POS"},
    MayorCancion};
const TablaCatalogo Letras{"LETRAS", {"IDX_CANCION", "LYRICS"}, MayorLetra};

using Tabla = std::unique_ptr<MdbTableDef, LiberarTabla>;
using Mdb = std::unique_ptr<MdbHandle, CerrarMdb>;

// The table's definition with its columns, and what the file lacks of it (empty when nothing).
struct Definicion {
    Tabla tabla;
    QString falta;
};

Definicion LeerDefinicion(MdbHandle* mdb, const TablaCatalogo& de) {
    Definicion leida{Tabla(mdb_read_table_by_name(mdb, const_cast<gchar*>(de.nombre), MDB_TABLE)), {}};
    if (!leida.tabla) {
        leida.falta = QStringLiteral("no tiene la tabla %1").arg(QLatin1String(de.nombre));
        return leida;
    }
    mdb_read_columns(leida.tabla.get());
    for (const char* campo : de.campos) {
        bool esta = false;
        for (guint i = 0; i < leida.tabla->num_cols && !esta; ++i)
            esta = g_ascii_strcasecmp(
                       static_cast<MdbColumn*>(g_ptr_array_index(leida.tabla->columns, i))->name, campo) == 0;
        if (!esta) {
            leida.falta = QStringLiteral("a la tabla %1 le falta el campo %2")
                              .arg(QLatin1String(de.nombre), QLatin1String(campo));
            return leida;
        }
    }
    return leida;
}

// Opens the file and reads its list of tables.
Mdb AbrirJet(const QString& ruta) {
    if (!EsFicheroJet(ruta))
        throw Ilegible(ruta, QStringLiteral("no es una base de datos de Access"));
    Mdb mdb(mdb_open(QFile::encodeName(ruta).constData(), MDB_NOFLAGS));
    if (!mdb)
        throw Ilegible(ruta, QStringLiteral("el fichero está dañado"));
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        throw Ilegible(ruta, QStringLiteral("su catálogo de tablas está dañado"));
    return mdb;
}

std::vector<QVector<QVariant>> LeerTabla(MdbHandle* mdb, const QString& ruta, const TablaCatalogo& de) {
    const char* nombre = de.nombre;
    const std::vector<const char*>& campos = de.campos;
    const size_t mayor = de.mayor;
    mdb_set_bind_size(mdb, mayor);
    const Definicion definida = LeerDefinicion(mdb, de);
    if (!definida.falta.isEmpty())
        throw Ilegible(ruta, definida.falta);
    MdbTableDef* tabla = definida.tabla.get();
    mdb_rewind_table(tabla);

    std::vector<std::unique_ptr<char[]>> buferes;
    std::vector<int> largos(campos.size(), 0);
    std::vector<int> indices;
    std::vector<bool> numericos;
    std::vector<bool> memos;
    for (size_t i = 0; i < campos.size(); ++i) {
        buferes.emplace_back(new char[mayor]);
        const int columna =
            mdb_bind_column_by_name(tabla, const_cast<gchar*>(campos[i]), buferes.back().get(), &largos[i]);
        const auto* definicion =
            static_cast<MdbColumn*>(g_ptr_array_index(tabla->columns, guint(columna - 1)));
        indices.push_back(columna - 1);
        const int tipo = definicion->col_type;
        numericos.push_back(tipo != MDB_TEXT && tipo != MDB_MEMO);
        memos.push_back(tipo == MDB_MEMO);
    }

    std::vector<QVector<QVariant>> filas;
    while (mdb_fetch_row(tabla)) {
        const Marcas marcas = MarcasFila(mdb, tabla);
        QVector<QVariant> fila;
        for (size_t i = 0; i < campos.size(); ++i) {
            if (marcas.nulos[size_t(indices[i])]) {
                fila << QVariant();
                continue;
            }
            if (size_t(largos[i]) + 1 >= mayor)
                throw Ilegible(ruta, QStringLiteral("el campo %1 de la fila %2 de %3 es demasiado largo")
                                         .arg(QLatin1String(campos[i]))
                                         .arg(filas.size() + 1)
                                         .arg(QLatin1String(nombre)));
            const QString texto = QString::fromUtf8(buferes[i].get(), largos[i]);
            if (memos[i] &&
                !MemoEntero(marcas.memos[size_t(indices[i])], texto, mdb->f->jet_version == MDB_VER_JET3))
                throw Ilegible(
                    ruta,
                    QStringLiteral("falta parte del campo %1 de la fila %2 de %3 (el fichero está dañado)")
                        .arg(QLatin1String(campos[i]))
                        .arg(filas.size() + 1)
                        .arg(QLatin1String(nombre)));
            fila << Valor(texto, numericos[i]);
        }
        filas.push_back(fila);
    }
    // libmdb stops quietly at a page it cannot read: the rows the table announces must all be there.
    if (filas.size() != tabla->num_rows)
        throw Ilegible(
            ruta,
            QStringLiteral("la tabla %1 tiene %2 filas y solo se pueden leer %3 (el fichero está dañado)")
                .arg(QLatin1String(nombre))
                .arg(tabla->num_rows)
                .arg(filas.size()));
    return filas;
}

} // namespace

bool EsFicheroJet(const QString& ruta) {
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inicio = fichero.read(20);
    return inicio.size() == 20 && inicio.startsWith(QByteArray("\x00\x01\x00\x00", 4)) &&
           (inicio.mid(4, 15) == "Standard Jet DB" || inicio.mid(4, 15) == "Standard ACE DB");
}

QString FaltaParaCatalogoJet(const QString& ruta) {
    const Mdb mdb = AbrirJet(ruta);
    for (const TablaCatalogo* tabla : {&Canciones, &Letras})
        if (QString falta = LeerDefinicion(mdb.get(), *tabla).falta; !falta.isEmpty())
            return falta;
    return {};
}

CatalogoJet LeerCatalogoJet(const QString& ruta) {
    const Mdb mdb = AbrirJet(ruta);
    CatalogoJet catalogo;
    catalogo.canciones = LeerTabla(mdb.get(), ruta, Canciones);
    catalogo.letras = LeerTabla(mdb.get(), ruta, Letras);
    return catalogo;
}
