#include "Generador.h"

#include "Desnudo.h"

#include "store/BBDD.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

// Raise when what is generated changes, so that old cached files are made again.
constexpr int VersionGenerador = 1;

// What a catalogue made now looks like: its schema and marks, and the generator's version.
QByteArray Huella() {
    QTemporaryDir temporal;
    const QString ruta = QDir(temporal.path()).filePath(QStringLiteral("Cantorio.mdb"));
    const QString anterior = BBDD::RutaBaseDatos;
    BBDD::RutaBaseDatos = ruta;
    BBDD::CrearBaseDatos();
    BBDD::RutaBaseDatos = anterior;
    sqlite3* conexion = nullptr;
    Comprobar(conexion, sqlite3_open_v2(ruta.toUtf8().constData(), &conexion, SQLITE_OPEN_READONLY, nullptr),
              "abrir");
    QByteArray texto = "generador " + QByteArray::number(VersionGenerador) + '\n';
    for (const char* sql :
         {"SELECT type || ' ' || name || ' ' || coalesce(sql, '') FROM sqlite_master ORDER BY name",
          "PRAGMA application_id"}) {
        sqlite3_stmt* sentencia = nullptr;
        Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &sentencia, nullptr), sql);
        while (sqlite3_step(sentencia) == SQLITE_ROW)
            texto += reinterpret_cast<const char*>(sqlite3_column_text(sentencia, 0)) + QByteArray("\n");
        sqlite3_finalize(sentencia);
    }
    sqlite3_close(conexion);
    return QCryptographicHash::hash(texto, QCryptographicHash::Sha256).toHex();
}

const char* const Palabras[] = {"Música", "Éxitos", "Conciertos", "Bandas sonoras", "Clásica", "Discos"};

// Writes every song into conexion, routes in a scattered order as a catalogue grown over time.
void EscribirCanciones(sqlite3* conexion, Tamano tamano) {
    Ejecutar(conexion, "BEGIN");
    sqlite3_stmt* insertar = nullptr;
    const char* sql =
        "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, "
        "REL_POS) VALUES (?, ?, ?, ?, ?, ?, ?, ?)";
    Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &insertar, nullptr), sql);
    const int rutas = NumeroRutas(tamano);
    quint32 azar = 12345;
    for (int k = 0; k < rutas; ++k) {
        const int id = int((qint64(k) * 7919) % rutas); // 7919 is prime to every power of ten
        const int h = id / 10;
        const QByteArray cabecera = TextoCabecera(h).toUtf8();
        const QByteArray ruta = TextoRuta(h, id % 10).toUtf8();
        for (int p = 1; p <= CancionesPorRuta; ++p) {
            azar = azar * 1664525u + 1013904223u;
            const QByteArray autor = QStringLiteral("Artista %1").arg(azar % 5000).toUtf8();
            const QByteArray titulo = QStringLiteral("Canción %1 del álbum %2").arg(p).arg(id).toUtf8();
            sqlite3_bind_text(insertar, 1, cabecera.constData(), int(cabecera.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar, 2, ruta.constData(), int(ruta.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar, 3, autor.constData(), int(autor.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar, 4, titulo.constData(), int(titulo.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar, 5, "mp3", 3, SQLITE_STATIC);
            sqlite3_bind_int(insertar, 6, int(3'000'000 + azar % 5'000'000));
            sqlite3_bind_int(insertar, 7, 0);
            sqlite3_bind_int(insertar, 8, p);
            Comprobar(conexion, sqlite3_step(insertar), "insertar");
            sqlite3_reset(insertar);
        }
    }
    sqlite3_finalize(insertar);
    Ejecutar(conexion, "COMMIT");
}

void GenerarCatalogo(const QString& ruta, Tamano tamano) {
    BBDD::RutaBaseDatos = ruta;
    BBDD::CrearBaseDatos();
    // The layer's own connection, so that whatever the schema asks of it (collations) is in place.
    auto base = dao::Database::OpenDatabase(ruta);
    EscribirCanciones(base->Conexion(), tamano);
    base->Close();
    base.reset();
    // One opening, so that whatever the layer prepares on first use is in the file before measuring.
    BBDD::AbrirBaseDatos();
    BBDD::CerrarBaseDatos();
}

void Borrar(const QString& ruta) {
    for (const char* final : {"", "-wal", "-shm", "-journal"})
        QFile::remove(ruta + QLatin1String(final));
}

} // namespace

int NumeroCabeceras(Tamano tamano) {
    return int(tamano) / 100;
}
int NumeroRutas(Tamano tamano) {
    return int(tamano) / 10;
}

QString TextoCabecera(int h) {
    return QStringLiteral("%1 %2")
        .arg(QString::fromUtf8(Palabras[h % std::size(Palabras)]))
        .arg(h, 5, 10, QChar(u'0'));
}

QString TextoRuta(int h, int r) {
    return QStringLiteral("\\Música\\Artista %1\\Álbum %2\\").arg(h).arg(r + 1);
}

QString Preparar(const Contexto& contexto, Tamano tamano) {
    QDir().mkpath(contexto.directorioDatos);
    const QDir datos(contexto.directorioDatos);
    const QString catalogo = datos.filePath(QStringLiteral("catalogo-%1.mdb").arg(Sufijo(tamano)));
    const QString rutaHuella = datos.filePath(QStringLiteral("catalogo-%1.huella").arg(Sufijo(tamano)));
    const QByteArray huella = Huella();
    QFile guardada(rutaHuella);
    if (QFile::exists(catalogo) && guardada.open(QIODevice::ReadOnly) && guardada.readAll() == huella)
        return catalogo;
    guardada.close();

    Detalle(QStringLiteral("generando el catálogo de %1 canciones...").arg(int(tamano)));
    QElapsedTimer reloj;
    reloj.start();
    QFile::remove(rutaHuella);
    Borrar(catalogo);
    GenerarCatalogo(catalogo, tamano);
    QFile nueva(rutaHuella);
    if (!nueva.open(QIODevice::WriteOnly) || nueva.write(huella) != huella.size())
        throw std::runtime_error("no se pudo escribir " + rutaHuella.toStdString());
    Detalle(QStringLiteral("generado en %1 s").arg(reloj.elapsed() / 1000.0, 0, 'f', 1));
    return catalogo;
}

} // namespace bench
