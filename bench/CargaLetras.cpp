// lyric-query-50k: a query by lyric text with a header filter over 50,000 lyrics of about 200 words
// (a few with accents, lines broken with CR LF or LF), from the press of "&Realizar Consulta" to the
// result window filled, against the same containment test in plain SQLite (instr over case-folded text,
// one statement) filling a bare list widget.
// song-window-open: a song window opened on a lyric of one megabyte, against a bare QPlainTextEdit
// given the same text with setPlainText.

#include "Generador.h"
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
#include <QRandomGenerator>
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

const char* const Vocabulario[] = {"amor",   "noche", "corazón", "camino", "mañana", "cielo",  "río",
                                   "canción", "fuego", "viento", "mar",     "sueño",  "tiempo", "sol",
                                   "la",     "el",    "de",      "que",     "y",      "en",     "mi",
                                   "tu",     "por",   "sin",     "siempre", "nunca",  "volver", "bailar"};

QByteArray Letra(int numero) {
    QRandomGenerator azar(static_cast<quint32>(numero));
    QByteArray texto;
    const QByteArray salto = numero % 3 == 0 ? "\n" : "\r\n";
    for (int palabra = 0; palabra < 200; ++palabra) {
        texto += Vocabulario[azar.bounded(int(std::size(Vocabulario)))];
        texto += (palabra + 1) % 8 == 0 ? salto : QByteArray(" ");
        if (numero % CadaCuantas == 0 && palabra == 120)
            texto += "bajo la Luna llena ";
    }
    return texto;
}

void Ejecutar(sqlite3* conexion, const char* sql) {
    if (sqlite3_exec(conexion, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sql) + ": " + sqlite3_errmsg(conexion));
}

// Gives every other song lyric rowid / 2 and writes the 50,000 lyrics.
void PonerLetras(sqlite3* conexion) {
    Ejecutar(conexion, "BEGIN");
    Ejecutar(conexion, "UPDATE CANCIONES SET IDX_CANCION = rowid / 2 WHERE rowid % 2 = 0");
    Ejecutar(conexion, "CREATE TABLE IF NOT EXISTS LETRAS (IDX_CANCION INTEGER, LYRICS TEXT)");
    Ejecutar(conexion, "CREATE INDEX IF NOT EXISTS LETRAS_NUMERO ON LETRAS (IDX_CANCION)");
    sqlite3_stmt* insertar = nullptr;
    sqlite3_prepare_v2(conexion, "INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (?, ?)", -1, &insertar, nullptr);
    for (int numero = 1; numero <= Letras; ++numero) {
        const QByteArray texto = Letra(numero);
        sqlite3_bind_int(insertar, 1, numero);
        sqlite3_bind_text(insertar, 2, texto.constData(), int(texto.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(insertar) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(conexion));
        sqlite3_reset(insertar);
    }
    sqlite3_finalize(insertar);
    Ejecutar(conexion, "COMMIT");
    Ejecutar(conexion, "PRAGMA wal_checkpoint(TRUNCATE)");
}

// Copies of the 100,000-song catalogue and its reference with the lyrics, made again when the
// generated files are newer.
Catalogos PrepararLetras(const Contexto& contexto) {
    const Catalogos origen = Preparar(contexto, Tamano::Cien_k);
    const QDir datos(contexto.directorioDatos);
    const Catalogos copia{datos.filePath(QStringLiteral("letras-50k.mdb")),
                          datos.filePath(QStringLiteral("letras-referencia-50k.db"))};
    auto vigente = [](const QString& copiaRuta, const QString& origenRuta) {
        return QFileInfo::exists(copiaRuta) &&
               QFileInfo(copiaRuta).lastModified() >= QFileInfo(origenRuta).lastModified();
    };
    if (vigente(copia.catalogo, origen.catalogo) && vigente(copia.referencia, origen.referencia))
        return copia;
    for (const QString& ruta : {copia.catalogo, copia.referencia})
        for (const char* final : {"", "-wal", "-shm"})
            QFile::remove(ruta + QLatin1String(final));
    if (!QFile::copy(origen.catalogo, copia.catalogo) || !QFile::copy(origen.referencia, copia.referencia))
        throw std::runtime_error("no se pudieron copiar los catálogos de las letras");
    {
        // Through the layer's own connection, which knows the collations of the text columns.
        auto base = dao::Database::OpenDatabase(copia.catalogo);
        PonerLetras(base->Conexion());
        base->Close();
    }
    sqlite3* conexion = nullptr;
    sqlite3_open_v2(copia.referencia.toUtf8().constData(), &conexion, SQLITE_OPEN_READWRITE, nullptr);
    PonerLetras(conexion);
    sqlite3_close(conexion);
    return copia;
}

// The same songs in plain SQLite by one statement, put into a bare list.
double Referencia(const QString& referencia, QTreeWidget& lista, int esperadas) {
    lista.clear();
    int filas = 0;
    const QByteArray sql = QByteArrayLiteral(
        "SELECT C.CABECERA, C.RUTA, C.AUTOR, C.TITULO, C.EXTENSION, C.IDX_CANCION FROM CANCIONES C "
        "WHERE C.CABECERA LIKE '%") + FiltroCabecera + "%' AND C.IDX_CANCION <> 0 AND EXISTS (SELECT 1 FROM "
        "LETRAS L WHERE L.IDX_CANCION = C.IDX_CANCION AND instr(lower(L.LYRICS), lower(?1)) > 0) "
        "ORDER BY C.CABECERA, C.RUTA";
    const double segundos = Cronometrar([&] {
        sqlite3* conexion = nullptr;
        sqlite3_open_v2(referencia.toUtf8().constData(), &conexion, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* sentencia = nullptr;
        sqlite3_prepare_v2(conexion, sql.constData(), int(sql.size()), &sentencia, nullptr);
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
        sqlite3_close(conexion);
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
    const Catalogos ficheros = PrepararLetras(contexto);
    QTreeWidget lista;
    lista.setColumnCount(6);
    BBDD::RutaBaseDatos = ficheros.catalogo;
    BBDD::AbrirBaseDatos();
    // Every header holds the digit 0, so the filter is tested on every song and every lyric is searched.
    const int aciertos = Letras / CadaCuantas;
    frmConsultas espacio;
    espacio.show();
    const Pareja pareja = MedirPareja(
        5, [&] { return Consultar(espacio, aciertos); },
        [&] { return Referencia(ficheros.referencia, lista, aciertos); });
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
        texto += QString::fromUtf8(Letra(numero)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
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
    base.Execute(QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, "
                                "IDX_CANCION, REL_POS) VALUES ('Cabecera', '\\', 'Autor', 'Larga', 'mp3', 1, 1, 1)"));
    auto rs = base.OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
    rs->AddNew();
    rs->SetField(QStringLiteral("IDX_CANCION"), 1);
    rs->SetField(QStringLiteral("LYRICS"), texto);
    rs->Update();
    rs.reset();
    const catalogo::FilaCancion fila =
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
