// route-statement-N: the songs of a route as a click reads them (catalogo::LeerCancionesRuta), against
// the same columns of the same rows by equality through the raw SQLite C API on the same file (same
// collation, same index on CABECERA, RUTA, REL_POS), its statement prepared once and each row read
// by column index into the same song structure.

#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"

#include "store/BBDD.h"
#include "store/Catalogo.h"

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

constexpr int RutasPorVuelta = 300;

struct Ruta {
    QString cabecera;
    QString ruta;
};

// Routes spread over the whole catalogue, the same ones on both sides.
std::vector<Ruta> Rutas(Tamano tamano) {
    std::vector<Ruta> rutas;
    const int total = NumeroRutas(tamano);
    for (int k = 0; k < RutasPorVuelta; ++k) {
        const int id = int((qint64(k) * 104729 + 17) % total);
        rutas.push_back({TextoCabecera(id / 10), TextoRuta(id / 10, id % 10)});
    }
    return rutas;
}

void Verificar(int filas, int esperadas) {
    if (filas != esperadas)
        throw std::runtime_error("la sentencia de la ruta devolvió " + std::to_string(filas) +
                                 " filas y no " + std::to_string(esperadas));
}

double Nuestro(const std::vector<Ruta>& rutas) {
    int filas = 0;
    const double segundos = Cronometrar([&] {
        for (const Ruta& ruta : rutas)
            filas += int(catalogo::LeerCancionesRuta(*BBDD::BaseDatos, {ruta.cabecera, ruta.ruta}).size());
    });
    Verificar(filas, int(rutas.size()) * CancionesPorRuta);
    return segundos;
}

QString Texto(sqlite3_stmt* sentencia, int columna) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna)),
                             sqlite3_column_bytes(sentencia, columna));
}

// Prepared once, as a program keeps the statement it runs on every click; each route bound and stepped.
double Referencia(sqlite3* conexion, const std::vector<Ruta>& rutas) {
    sqlite3_stmt* sentencia = nullptr;
    Comprobar(conexion,
              sqlite3_prepare_v2(
                  conexion,
                  "SELECT rowid, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, REL_POS FROM CANCIONES "
                  "WHERE CABECERA = ? AND RUTA = ? ORDER BY REL_POS",
                  -1, &sentencia, nullptr),
              "preparar la sentencia de la ruta");
    int filas = 0;
    const double segundos = Cronometrar([&] {
        for (const Ruta& ruta : rutas) {
            const QByteArray cabecera = ruta.cabecera.toUtf8();
            const QByteArray texto = ruta.ruta.toUtf8();
            sqlite3_bind_text(sentencia, 1, cabecera.constData(), int(cabecera.size()), SQLITE_STATIC);
            sqlite3_bind_text(sentencia, 2, texto.constData(), int(texto.size()), SQLITE_STATIC);
            // Each row into the song as a click keeps it, by column index.
            std::vector<catalogo::CancionRuta> canciones;
            while (sqlite3_step(sentencia) == SQLITE_ROW) {
                catalogo::CancionRuta& c = canciones.emplace_back();
                c.fila = sqlite3_column_int64(sentencia, 0);
                c.autor = Texto(sentencia, 1);
                c.titulo = Texto(sentencia, 2);
                c.extension = Texto(sentencia, 3);
                if (sqlite3_column_type(sentencia, 4) != SQLITE_NULL)
                    c.longitud = sqlite3_column_int64(sentencia, 4);
                c.idxCancion = sqlite3_column_int(sentencia, 5);
                c.relPos = sqlite3_column_int(sentencia, 6);
                c.marca = c.idxCancion != 0 ? catalogo::MarcaConLetra : catalogo::MarcaSinLetra;
            }
            filas += int(canciones.size());
            sqlite3_reset(sentencia);
        }
    });
    sqlite3_finalize(sentencia);
    Verificar(filas, int(rutas.size()) * CancionesPorRuta);
    return segundos;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    for (Tamano tamano : tamanos) {
        const std::vector<Ruta> rutas = Rutas(tamano);
        BBDD::RutaBaseDatos = Preparar(contexto, tamano);
        BBDD::AbrirBaseDatos();
        const ConexionDesnuda conexion(BBDD::RutaBaseDatos);
        const Pareja pareja = MedirPareja(
            7, [&] { return Nuestro(rutas); }, [&] { return Referencia(conexion, rutas); });
        BBDD::CerrarBaseDatos();
        Ratio(QStringLiteral("route-statement-%1").arg(Sufijo(tamano)), pareja.Ratio(), 1.5);
        Detalle(QStringLiteral("nuestro %1 µs, referencia %2 µs por ruta")
                    .arg(pareja.nuestro * 1e6 / rutas.size(), 0, 'f', 1)
                    .arg(pareja.referencia * 1e6 / rutas.size(), 0, 'f', 1));
    }
}

const bool registrada = Registrar({QStringLiteral("route-statement"), {Tamano::Diez_k, Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
