// lyric-query-50k: a query by lyric text with a header filter over 50,000 lyrics of about 200 words
// (a few with accents, lines broken with CR LF or LF), from the press of "&Realizar Consulta" to the
// result window filled, against the same containment test in plain SQLite (instr over case-folded text,
// one statement) filling a bare list widget.
// song-window-open: a song window opened on a lyric of one megabyte, against a bare QPlainTextEdit
// given the same text with setPlainText.

#include "Desnudo.h"
#include "Generador.h"
#include "LetrasGeneradas.h"
#include "Medicion.h"

#include "lyrics/frmCancion.h"
#include "queries/frmConsulta.h"
#include "queries/frmConsultas.h"
#include "queries/frmNuevaConsultaPorLetra.h"
#include "store/BBDD.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

constexpr int Letras = 50'000;
// One lyric in a hundred holds the text searched for.
constexpr int CadaCuantas = 100;
const char* const Buscado = "luna LLENA";
const char* const FiltroCabecera = "0";

const char* const Vocabulario[] = {"amor",    "noche", "corazón", "camino",  "mañana", "cielo",  "río",
                                   "canción", "fuego", "viento",  "mar",     "sueño",  "tiempo", "sol",
                                   "la",      "el",    "de",      "que",     "y",      "en",     "mi",
                                   "tu",      "por",   "sin",     "siempre", "nunca",  "volver", "bailar"};

// Every other song gets lyric rowid / 2.
const LetrasGeneradas Generadas{QStringLiteral("letras-50k.mdb"),
                                Letras,
                                "UPDATE CANCIONES SET IDX_CANCION = rowid / 2 WHERE rowid % 2 = 0",
                                1u,
                                Vocabulario,
                                CadaCuantas,
                                "bajo la Luna llena",
                                120};

// The same songs by one statement on a bare connection, put into a bare list. The connection is open
// before the clock starts, as ours is; the statement is prepared inside it, as ours prepares its own.
double Referencia(sqlite3* conexion, QTreeWidget& lista, int esperadas) {
    lista.clear();
    int filas = 0;
    const QByteArray sql =
        QByteArrayLiteral(
            "SELECT C.CABECERA, C.RUTA, C.AUTOR, C.TITULO, C.EXTENSION, C.IDX_CANCION FROM CANCIONES C "
            "WHERE C.CABECERA LIKE '%") +
        FiltroCabecera +
        "%' AND C.IDX_CANCION <> 0 AND EXISTS (SELECT 1 FROM "
        "LETRAS L WHERE L.IDX_CANCION = C.IDX_CANCION AND instr(lower(L.LYRICS), lower(?1)) > 0) "
        "ORDER BY C.CABECERA, C.RUTA";
    const double segundos = Cronometrar([&] {
        sqlite3_stmt* sentencia = nullptr;
        Comprobar(conexion,
                  sqlite3_prepare_v2(conexion, sql.constData(), int(sql.size()), &sentencia, nullptr),
                  sql.constData());
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
        filas = int(items.size());
    });
    if (filas != esperadas)
        throw std::runtime_error("la referencia devolvió " + std::to_string(filas) + " filas");
    return segundos;
}

double Consultar(frmConsultas& espacio, int esperadas) {
    espacio.mnuConsultaPorLetra->trigger();
    auto* dialogo = espacio.findChild<frmNuevaConsultaPorLetra*>();
    dialogo->txtCabecera->setText(QString::fromLatin1(FiltroCabecera));
    dialogo->txtTexto->setPlainText(QString::fromLatin1(Buscado));
    const double segundos = Cronometrar([&] { dialogo->cmdConsultar->click(); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (espacio.Resultados().size() != 1 || espacio.Resultados().first()->Total() != esperadas)
        throw std::runtime_error("la consulta por letra no dio las filas esperadas");
    for (frmConsulta* consulta : espacio.Resultados())
        consulta->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return segundos;
}

void MedirConsulta(const Contexto& contexto, const std::vector<Tamano>&) {
    const QString fichero = PrepararLetras(contexto, Generadas);
    QTreeWidget lista;
    lista.setColumnCount(6);
    BBDD::RutaBaseDatos = fichero;
    BBDD::AbrirBaseDatos();
    ConexionDesnuda desnuda(fichero);
    // Every header holds the digit 0, so the filter is tested on every song and every lyric is searched.
    const int aciertos = Letras / CadaCuantas;
    frmConsultas espacio;
    espacio.show();
    const Pareja pareja = MedirPareja(
        5, [&] { return Consultar(espacio, aciertos); },
        [&] { return Referencia(desnuda, lista, aciertos); });
    BBDD::CerrarBaseDatos();
    Ratio(QStringLiteral("lyric-query-50k"), pareja.Ratio(), 2.0);
    Detalle(QStringLiteral("%1 letras, %2 halladas: nuestro %3 ms, referencia %4 ms")
                .arg(Letras)
                .arg(aciertos)
                .arg(pareja.nuestro * 1e3, 0, 'f', 1)
                .arg(pareja.referencia * 1e3, 0, 'f', 1));
}

// About a megabyte of lyric: lines of accented words, broken with CR LF as the program stores them.
QString LetraDeUnMega() {
    QString texto;
    for (int numero = 1; texto.size() < 1'000'000; ++numero)
        texto += QString::fromUtf8(Letra(Generadas, numero))
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                     .replace(u'\n', QStringLiteral("\r\n"));
    return texto;
}

void MedirVentana(const Contexto& contexto, const std::vector<Tamano>&) {
    const QString ruta = QDir(contexto.directorioDatos).filePath(QStringLiteral("letra-1mb.mdb"));
    for (const char* final : {"", "-wal", "-shm"})
        QFile::remove(ruta + QLatin1String(final));
    BBDD::RutaBaseDatos = ruta;
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
    const QString texto = LetraDeUnMega();
    dao::Database& base = *BBDD::BaseDatos;
    base.Execute(
        QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, "
                       "IDX_CANCION, REL_POS) VALUES ('Cabecera', '\\', 'Autor', 'Larga', 'mp3', 1, 1, 1)"));
    auto rs = base.OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
    rs->AddNew();
    rs->SetField(QStringLiteral("IDX_CANCION"), 1);
    rs->SetField(QStringLiteral("LYRICS"), texto);
    rs->Update();
    rs.reset();
    const catalogo::IdCancion fila =
        base.OpenRecordset(QStringLiteral("SELECT rowid FROM CANCIONES"))->Field(0).toLongLong();
    const Pareja pareja = MedirPareja(
        5,
        [&] {
            frmCancion* ventana = nullptr;
            const double segundos = Cronometrar([&] {
                ventana = frmCancion::Crear(1, false, fila);
                ventana->show();
                QCoreApplication::processEvents();
            });
            if (ventana->Delante()->document()->characterCount() < 900'000)
                throw std::runtime_error("la ventana no mostró la letra");
            delete ventana;
            return segundos;
        },
        [&] {
            QPlainTextEdit* caja = nullptr;
            const double segundos = Cronometrar([&] {
                caja = new QPlainTextEdit;
                caja->resize(345, 339);
                caja->setPlainText(texto);
                caja->show();
                QCoreApplication::processEvents();
            });
            delete caja;
            return segundos;
        });
    BBDD::CerrarBaseDatos();
    Ratio(QStringLiteral("song-window-open"), pareja.Ratio(), 1.5);
    Detalle(QStringLiteral("%1 caracteres: nuestro %2 ms, referencia %3 ms")
                .arg(texto.size())
                .arg(pareja.nuestro * 1e3, 0, 'f', 1)
                .arg(pareja.referencia * 1e3, 0, 'f', 1));
}

const bool consulta = Registrar({QStringLiteral("lyric-query-50k"), {Tamano::Cien_k}, MedirConsulta});
const bool ventana = Registrar({QStringLiteral("song-window-open"), {Tamano::Diez_k}, MedirVentana});

} // namespace

} // namespace bench
