// query-simple-N: a simple query on the title, from the press of "&Realizar Consulta" to the result
// window filled, against the same statement through the raw SQLite C API on the same file (the
// catalogue's collation, a LIKE that ignores letter case over all of Unicode) filling a bare list widget.
// resort-N: a result of every song sorted again by a click on the title header, against the same
// statement through the raw C API filling the bare list widget.
// Both run on copies of the generated catalogues where one song in a hundred has "Love" in its title;
// both sides' connections are open before the clock starts.

#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"

#include "queries/frmConsulta.h"
#include "queries/frmConsultas.h"
#include "queries/frmNuevaConsultaSimple.h"
#include "store/BBDD.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

const char* const Marcar = "UPDATE CANCIONES SET TITULO = TITULO || ' Love song' WHERE rowid % 100 = 0";

// A copy of the generated catalogue with the marked titles, made again when the generated file is newer.
QString PrepararConsultas(const Contexto& contexto, Tamano tamano) {
    const QString origen = Preparar(contexto, tamano);
    const QString copia =
        QDir(contexto.directorioDatos).filePath(QStringLiteral("consultas-%1.mdb").arg(Sufijo(tamano)));
    if (QFileInfo::exists(copia) && QFileInfo(copia).lastModified() >= QFileInfo(origen).lastModified())
        return copia;
    for (const char* final : {"", "-wal", "-shm"})
        QFile::remove(copia + QLatin1String(final));
    if (!QFile::copy(origen, copia))
        throw std::runtime_error("no se pudo copiar el catálogo de las consultas");
    ConexionDesnuda conexion(copia);
    Ejecutar(conexion, Marcar);
    Ejecutar(conexion, "PRAGMA wal_checkpoint(TRUNCATE)");
    return copia;
}

// The bare list: one item per row with the texts of the shown columns, attached at once. The
// connection is open before the clock starts, as ours is; the statement is prepared inside it, as ours
// prepares each new query.
double Referencia(sqlite3* conexion, const char* sql, QTreeWidget& lista, int esperadas) {
    lista.clear();
    int filas = 0;
    const double segundos = Cronometrar([&] {
        sqlite3_stmt* sentencia = nullptr;
        Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &sentencia, nullptr), sql);
        QList<QTreeWidgetItem*> items;
        while (sqlite3_step(sentencia) == SQLITE_ROW) {
            QStringList celdas;
            for (int c = 0; c < 5; ++c)
                celdas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, c)),
                                            sqlite3_column_bytes(sentencia, c));
            celdas << (sqlite3_column_int(sentencia, 6) != 0 ? QStringLiteral("S") : QStringLiteral("N"));
            items << new QTreeWidgetItem(celdas);
        }
        sqlite3_finalize(sentencia);
        lista.addTopLevelItems(items);
        filas = int(items.size());
    });
    if (filas != esperadas)
        throw std::runtime_error("la referencia devolvió " + std::to_string(filas) + " filas");
    return segundos;
}

QTreeWidget& ListaDesnuda() {
    static QTreeWidget lista;
    lista.setColumnCount(6);
    return lista;
}

void CerrarResultados(frmConsultas& espacio) {
    for (frmConsulta* consulta : espacio.Resultados())
        consulta->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Asks for the simple query of that title and returns the seconds from the press to the window filled.
double Consultar(frmConsultas& espacio, const QString& titulo, int esperadas) {
    espacio.mnuConsultaSimple->trigger();
    auto* dialogo = espacio.findChild<frmNuevaConsultaSimple*>();
    dialogo->txtTitulo->setText(titulo);
    const double segundos = Cronometrar([&] { dialogo->cmdConsultar->click(); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (espacio.Resultados().size() != 1 || espacio.Resultados().first()->Total() != esperadas)
        throw std::runtime_error("la consulta no dio las filas esperadas");
    return segundos;
}

int Contar(sqlite3* conexion, const char* sql) {
    sqlite3_stmt* sentencia = nullptr;
    Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &sentencia, nullptr), sql);
    sqlite3_step(sentencia);
    const int n = sqlite3_column_int(sentencia, 0);
    sqlite3_finalize(sentencia);
    return n;
}

void MedirSimple(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    for (Tamano tamano : tamanos) {
        BBDD::RutaBaseDatos = PrepararConsultas(contexto, tamano);
        const ConexionDesnuda conexion(BBDD::RutaBaseDatos);
        const int aciertos = Contar(conexion, "SELECT COUNT(*) FROM CANCIONES WHERE TITULO LIKE '%love%'");
        BBDD::AbrirBaseDatos();
        frmConsultas espacio;
        espacio.show();
        const char* sql = "SELECT * FROM CANCIONES WHERE TITULO LIKE '%love%' ORDER BY CABECERA, RUTA";
        const Pareja pareja = MedirPareja(
            5,
            [&] {
                const double segundos = Consultar(espacio, QStringLiteral("love"), aciertos);
                CerrarResultados(espacio);
                return segundos;
            },
            [&] { return Referencia(conexion, sql, ListaDesnuda(), aciertos); });
        BBDD::CerrarBaseDatos();
        Ratio(QStringLiteral("query-simple-%1").arg(Sufijo(tamano)), pareja.Ratio(), 1.5);
        Detalle(QStringLiteral("%1 filas: nuestro %2 ms, referencia %3 ms")
                    .arg(aciertos)
                    .arg(pareja.nuestro * 1e3, 0, 'f', 1)
                    .arg(pareja.referencia * 1e3, 0, 'f', 1));
    }
}

void MedirOrden(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    for (Tamano tamano : tamanos) {
        BBDD::RutaBaseDatos = PrepararConsultas(contexto, tamano);
        const ConexionDesnuda conexion(BBDD::RutaBaseDatos);
        const int filas = int(tamano);
        BBDD::AbrirBaseDatos();
        frmConsultas espacio;
        espacio.show();
        Consultar(espacio, QStringLiteral("Canci"), filas);
        frmConsulta& consulta = *espacio.Resultados().first();
        QHeaderView* cabecera = consulta.ListView->header();
        const char* sql =
            "SELECT * FROM CANCIONES WHERE TITULO LIKE '%Canci%' ORDER BY TITULO, AUTOR, CABECERA, RUTA";
        const Pareja pareja = MedirPareja(
            5,
            [&] {
                // The title header is the fourth column of a simple query.
                const double segundos = Cronometrar([&] { emit cabecera->sectionClicked(3); });
                if (consulta.Orden() != QLatin1String("TITULO, AUTOR, CABECERA, RUTA") ||
                    consulta.Total() != filas)
                    throw std::runtime_error("el orden por título no se aplicó");
                return segundos;
            },
            [&] { return Referencia(conexion, sql, ListaDesnuda(), filas); });
        CerrarResultados(espacio);
        BBDD::CerrarBaseDatos();
        Ratio(QStringLiteral("resort-%1").arg(Sufijo(tamano)), pareja.Ratio(), 1.5);
        Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms")
                    .arg(pareja.nuestro * 1e3, 0, 'f', 1)
                    .arg(pareja.referencia * 1e3, 0, 'f', 1));
    }
}

const bool simple = Registrar({QStringLiteral("query-simple"), {Tamano::Diez_k, Tamano::Un_M}, MedirSimple});
const bool orden = Registrar({QStringLiteral("resort"), {Tamano::Diez_k, Tamano::Cien_k}, MedirOrden});

} // namespace

} // namespace bench
