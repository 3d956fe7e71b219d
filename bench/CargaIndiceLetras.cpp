// lyric-query-indexed-100k: a query by lyric text with no field filter over 100,000 lyrics of about 200
// words, from the press of "&Realizar Consulta" to the result window filled, answered through the
// lyric index, against the raw single-statement scan of the same rows (instr over case-folded text)
// filling a bare list widget.

#include "Desnudo.h"
#include "Generador.h"
#include "LetrasGeneradas.h"
#include "Medicion.h"

#include "queries/frmConsulta.h"
#include "queries/frmConsultas.h"
#include "queries/frmNuevaConsultaPorLetra.h"
#include "store/BBDD.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

namespace bench {

namespace {

constexpr int Letras = 100'000;
// One lyric in a thousand holds the text searched for.
constexpr int CadaCuantas = 1000;
const char* const Buscado = "lágrimas de PLATA fina";

const char* const Vocabulario[] = {"amor",    "noche", "corazón",  "camino",  "mañana", "cielo",  "río",
                                   "canción", "fuego", "viento",   "mar",     "sueño",  "tiempo", "sol",
                                   "la",      "el",    "de",       "que",     "y",      "en",     "mi",
                                   "tu",      "por",   "sin",      "siempre", "nunca",  "volver", "bailar",
                                   "plata",   "oro",   "lágrimas", "luna",    "llena",  "de"};

// Every song gets the lyric of its rowid; the index follows the lyrics as they are written.
const LetrasGeneradas Generadas{QStringLiteral("letras-indexadas-100k.mdb"),
                                Letras,
                                "UPDATE CANCIONES SET IDX_CANCION = rowid",
                                7919u,
                                Vocabulario,
                                CadaCuantas,
                                "Lágrimas de plata fina",
                                77};

std::vector<QStringList> Referencia(sqlite3* conexion, QTreeWidget& lista, double& segundos) {
    lista.clear();
    std::vector<QStringList> filas;
    const char* const sql =
        "SELECT C.CABECERA, C.RUTA, C.AUTOR, C.TITULO, C.EXTENSION, C.IDX_CANCION FROM CANCIONES C "
        "WHERE C.IDX_CANCION <> 0 AND EXISTS (SELECT 1 FROM LETRAS L WHERE L.IDX_CANCION = C.IDX_CANCION AND "
        "instr(lower(L.LYRICS), lower(?1)) > 0) ORDER BY C.CABECERA, C.RUTA";
    segundos = Cronometrar([&] {
        sqlite3_stmt* sentencia = nullptr;
        Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &sentencia, nullptr), sql);
        sqlite3_bind_text(sentencia, 1, Buscado, -1, SQLITE_STATIC);
        QList<QTreeWidgetItem*> items;
        while (sqlite3_step(sentencia) == SQLITE_ROW) {
            QStringList celdas;
            for (int c = 0; c < 5; ++c)
                celdas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, c)),
                                            sqlite3_column_bytes(sentencia, c));
            celdas << QStringLiteral("S");
            items << new QTreeWidgetItem(celdas);
        }
        sqlite3_finalize(sentencia);
        lista.addTopLevelItems(items);
    });
    for (int i = 0; i < lista.topLevelItemCount(); ++i) {
        QStringList celdas;
        for (int c = 0; c < 5; ++c)
            celdas << lista.topLevelItem(i)->text(c);
        filas.push_back(celdas);
    }
    return filas;
}

// Our query, and the rows of its window: header, route, author, title, extension.
std::vector<QStringList> Consultar(frmConsultas& espacio, double& segundos) {
    espacio.mnuConsultaPorLetra->trigger();
    auto* dialogo = espacio.findChild<frmNuevaConsultaPorLetra*>();
    dialogo->txtTexto->setPlainText(QString::fromUtf8(Buscado));
    segundos = Cronometrar([&] { dialogo->cmdConsultar->click(); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (espacio.Resultados().size() != 1)
        throw std::runtime_error("la consulta por letra no abrió su ventana");
    std::vector<QStringList> filas;
    const QAbstractItemModel* modelo = espacio.Resultados().first()->ListView->model();
    for (int i = 0; i < modelo->rowCount(); ++i) {
        QStringList celdas;
        for (int c = 0; c < 5; ++c)
            celdas << modelo->index(i, c).data().toString();
        filas.push_back(celdas);
    }
    for (frmConsulta* consulta : espacio.Resultados())
        consulta->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return filas;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>&) {
    const QString fichero = PrepararLetras(contexto, Generadas);
    QTreeWidget lista;
    lista.setColumnCount(6);
    BBDD::RutaBaseDatos = fichero;
    BBDD::AbrirBaseDatos();
    ConexionDesnuda desnuda(fichero);
    frmConsultas espacio;
    espacio.show();
    std::vector<QStringList> nuestras, suyas;
    const Pareja pareja = MedirPareja(
        5,
        [&] {
            double segundos = 0;
            nuestras = Consultar(espacio, segundos);
            return segundos;
        },
        [&] {
            double segundos = 0;
            suyas = Referencia(desnuda, lista, segundos);
            return segundos;
        });
    BBDD::CerrarBaseDatos();
    if (suyas.size() != Letras / CadaCuantas)
        throw std::runtime_error("la referencia halló " + std::to_string(suyas.size()) + " letras");
    // Songs of one route may come in either order: the rows are compared as sets.
    std::sort(nuestras.begin(), nuestras.end());
    std::sort(suyas.begin(), suyas.end());
    if (nuestras != suyas)
        throw std::runtime_error("la consulta por letra no dio las filas de la referencia");
    Ratio(QStringLiteral("lyric-query-indexed-100k"), pareja.Ratio(), 0.05);
    Detalle(QStringLiteral("%1 letras, %2 halladas: nuestro %3 ms, referencia %4 ms")
                .arg(Letras)
                .arg(suyas.size())
                .arg(pareja.nuestro * 1e3, 0, 'f', 2)
                .arg(pareja.referencia * 1e3, 0, 'f', 1));
}

const bool registrada = Registrar({QStringLiteral("lyric-query-indexed-100k"), {Tamano::Cien_k}, Medir});

} // namespace

} // namespace bench
