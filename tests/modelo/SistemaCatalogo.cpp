#include "SistemaCatalogo.h"

#include "store/BBDD.h"
#include "store/CatalogoUtilidades.h"
#include "store/IndiceLetras.h"

#include <QDir>

#include <rapidcheck.h>

#include <set>
#include <sstream>

namespace {

Texto TextoColumna(sqlite3_stmt* s, int columna) {
    if (sqlite3_column_type(s, columna) == SQLITE_NULL)
        return std::nullopt;
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, columna)),
                             sqlite3_column_bytes(s, columna));
}

Numero NumeroColumna(sqlite3_stmt* s, int columna) {
    if (sqlite3_column_type(s, columna) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_int64(s, columna);
}

// Runs a statement of SQLite's own dialect and calls fila for each row.
template <typename Fila> void Leer(sqlite3* db, const char* sql, Fila fila) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
        RC_FAIL(std::string(sql) + ": " + sqlite3_errmsg(db));
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        fila(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        RC_FAIL(std::string(sql) + ": " + sqlite3_errmsg(db));
}

std::string Lineas(const std::vector<std::string>& lineas) {
    std::string texto;
    for (const std::string& linea : lineas)
        texto += linea + "\n";
    return texto;
}

template <typename T> std::string Mostrar(const T& valor) {
    std::ostringstream salida;
    salida << valor;
    return salida.str();
}

// The trigrams the index must hold for the lyrics, each with the number of lyrics that hold it.
std::map<std::string, qint64> TrigramasDeLasLetras(sqlite3* db) {
    std::map<std::string, qint64> trigramas;
    Leer(db, "SELECT plegar_sin_acentos(LYRICS) FROM LETRAS WHERE LYRICS IS NOT NULL", [&](sqlite3_stmt* s) {
        const QList<uint> letra = TextoColumna(s, 0)->toUcs4();
        std::set<std::string> propios;
        for (qsizetype i = 0; i + 3 <= letra.size(); ++i)
            propios.insert(
                QString::fromUcs4(reinterpret_cast<const char32_t*>(letra.constData() + i), 3).toStdString());
        for (const std::string& t : propios)
            ++trigramas[t];
    });
    return trigramas;
}

} // namespace

Cifras& CifrasDeLaPrueba() {
    static Cifras cifras;
    return cifras;
}

Sistema::Sistema() {
    BBDD::RutaBaseDatos = carpeta_.filePath(QStringLiteral("Cantorio.mdb"));
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
    fallo_ = std::make_unique<FalloInyectado>(Base().Conexion());
    const QByteArray vocabulario = "CREATE VIRTUAL TABLE temp.vocabulario_letras USING fts5vocab(main, '" +
                                   catalogo::NombreIndiceLetras().toUtf8() + "', 'row')";
    sqlite3_exec(Base().Conexion(), vocabulario.constData(), nullptr, nullptr, nullptr);
    ++CifrasDeLaPrueba().secuencias;
}

Sistema::~Sistema() {
    fallo_.reset();
    BBDD::CerrarBaseDatos();
}

dao::Database& Sistema::Base() {
    return *BBDD::BaseDatos;
}

qint64 Sistema::Fila(qint64 id) const {
    const auto fila = filas_.find(id);
    return fila == filas_.end() ? -id : fila->second;
}

QString Sistema::Carpeta() {
    const QString ruta = carpeta_.filePath(QStringLiteral("c%1").arg(++carpetas_));
    QDir().mkpath(ruta);
    return ruta;
}

void Sistema::Escribir(const QString& sentenciaJet) {
    Base().Execute(sentenciaJet);
}

void Sistema::Olvidar(const std::vector<qint64>& ids) {
    for (qint64 id : ids)
        filas_.erase(id);
}

void Sistema::Comparar(const Modelo& esperado) {
    sqlite3* db = Base().Conexion();
    ++CifrasDeLaPrueba().comparaciones;

    std::vector<std::pair<qint64, CancionModelo>> leidas;
    Leer(db,
         "SELECT rowid, CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, REL_POS FROM "
         "CANCIONES "
         "ORDER BY rowid",
         [&](sqlite3_stmt* s) {
             leidas.push_back(
                 {sqlite3_column_int64(s, 0),
                  {0, TextoColumna(s, 1), TextoColumna(s, 2), TextoColumna(s, 3), TextoColumna(s, 4),
                   TextoColumna(s, 5), NumeroColumna(s, 6), NumeroColumna(s, 7), NumeroColumna(s, 8)}});
         });

    // A song gone from the model lets go of its row, whose rowid a new row may take again; the songs the
    // model has added since are bound to the rows not bound yet, both in order.
    std::erase_if(filas_, [&](const auto& enlace) { return !esperado.Cancion(enlace.first); });
    std::set<qint64> enlazadas;
    for (const auto& [id, fila] : filas_)
        enlazadas.insert(fila);
    std::vector<qint64> libres;
    for (const auto& [fila, cancion] : leidas)
        if (!enlazadas.count(fila))
            libres.push_back(fila);
    std::size_t siguiente = 0;
    for (const CancionModelo& c : esperado.canciones)
        if (!filas_.count(c.id) && siguiente < libres.size())
            filas_[c.id] = libres[siguiente++];

    std::map<qint64, qint64> ids;
    for (const auto& [id, fila] : filas_)
        ids[fila] = id;
    std::vector<std::string> catalogo, modelo;
    for (auto& [fila, cancion] : leidas) {
        const auto id = ids.find(fila);
        cancion.id = id == ids.end() ? -fila : id->second;
        catalogo.push_back(Mostrar(cancion));
    }
    for (const CancionModelo& c : esperado.canciones)
        modelo.push_back(Mostrar(c));
    std::sort(catalogo.begin(), catalogo.end());
    std::sort(modelo.begin(), modelo.end());
    if (catalogo != modelo)
        RC_FAIL("Canciones del catálogo:\n" + Lineas(catalogo) + "Canciones del modelo:\n" + Lineas(modelo));

    std::vector<std::string> letrasCatalogo, letrasModelo;
    Leer(db, "SELECT IDX_CANCION, LYRICS, ORIGEN FROM LETRAS ORDER BY IDX_CANCION, rowid",
         [&](sqlite3_stmt* s) {
             letrasCatalogo.push_back(Mostrar(NumeroColumna(s, 0).value_or(-1)) + ": " +
                                      Mostrar(TextoColumna(s, 1)) + " origen " + Mostrar(TextoColumna(s, 2)));
         });
    for (const auto& [numero, texto] : esperado.letras)
        letrasModelo.push_back(Mostrar(numero) + ": " + Mostrar(texto) + " origen Null");
    if (letrasCatalogo != letrasModelo)
        RC_FAIL("Letras del catálogo:\n" + Lineas(letrasCatalogo) + "Letras del modelo:\n" +
                Lineas(letrasModelo));

    std::map<std::string, qint64> indice;
    Leer(db, "SELECT term, doc FROM temp.vocabulario_letras", [&](sqlite3_stmt* s) {
        if (const qint64 letras = sqlite3_column_int64(s, 1); letras > 0)
            indice[TextoColumna(s, 0)->toStdString()] = letras;
    });
    RC_ASSERT(indice == TrigramasDeLasLetras(db));

    const QStringList fallosFichero = catalogo::FallosDelFichero(Base());
    if (!fallosFichero.isEmpty())
        RC_FAIL("integrity_check: " + fallosFichero.join(u'\n').toStdString());

    const std::array<bool, 4> fallos = Fallos(esperado);
    RC_ASSERT(catalogo::HayIdxNulos(Base()) == fallos[0]);
    RC_ASSERT(catalogo::HayRutasMalNumeradas(Base()) == fallos[1]);
    RC_ASSERT(catalogo::HayLetrasSinCanciones(Base()) == fallos[2]);
    RC_ASSERT(catalogo::HayReferenciasRotas(Base()) == fallos[3]);
}
