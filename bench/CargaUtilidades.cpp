// The utilities over a whole catalogue:
//   check-N    the four integrity checks (answering No) over N songs and N/10 lyrics with 1 % seeded faults
//              of each kind, against the same four set-based statements stepped through the raw C API on
//              the same file;
//   export-N   ExportarCanciones, against the sqlite3 shell's ".mode csv" export of the same rows in the
//              same order (from a plain copy of them: the shell has not the catalogue's collation); the
//              round trip export → import → export is checked byte for byte once;
//   import-N   ImportarCanciones of that file into a new catalogue, against the shell's ".import" of the
//              CSV into a new plain table with the same columns and the indexes of route and title;
//   listing-N  the whole tree with its files written by EscribirListado, against the rows of the raw
//              SELECT … ORDER BY written with fprintf (header and route lines where the bytes change),
//              both written beside the target, flushed to disk and renamed over it.

#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"

#include "store/BBDD.h"
#include "utilities/ComprobacionErrores.h"
#include "utilities/FicheroExportacion.h"
#include "utilities/ListadoArbol.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>

namespace bench {

namespace {

const QString Version = QStringLiteral("Cantorio v1.2.0");

void Borrar(const QString& ruta) {
    for (const char* final : {"", "-wal", "-shm", "-journal"})
        QFile::remove(ruta + QLatin1String(final));
}

// The catalogue open as BBDD::BaseDatos while it lives.
class Abierto {
public:
    explicit Abierto(const QString& ruta) {
        BBDD::RutaBaseDatos = ruta;
        BBDD::AbrirBaseDatos();
    }
    ~Abierto() { BBDD::CerrarBaseDatos(); }
};

// A copy of a catalogue, made once and kept, changed by preparar.
template <typename F>
QString Copia(const Contexto& contexto, Tamano tamano, const char* nombre, F&& preparar) {
    const QString origen = Preparar(contexto, tamano);
    const QString copia =
        QDir(contexto.directorioDatos)
            .filePath(QStringLiteral("%1-%2.mdb").arg(QLatin1String(nombre), Sufijo(tamano)));
    const QString hecho = copia + QStringLiteral(".hecho");
    if (QFile::exists(hecho) && QFileInfo(hecho).lastModified() >= QFileInfo(origen).lastModified())
        return copia;
    Borrar(copia);
    QFile::remove(hecho);
    if (!QFile::copy(origen, copia))
        throw std::runtime_error("no se pudo copiar " + origen.toStdString());
    {
        ConexionDesnuda conexion(copia);
        preparar(conexion);
    }
    QFile marca(hecho);
    marca.open(QIODevice::WriteOnly);
    return copia;
}

// --- check

// N/10 lyrics, one song in ten with one of them; then 1 % of each fault: songs with a Null lyric number,
// routes with a repeated position, lyrics no song names (written last, so that the scan of the lyrics
// runs to its end), songs naming a lyric that does not exist.
void SembrarFallos(sqlite3* conexion) {
    Ejecutar(conexion, "BEGIN");
    Ejecutar(conexion,
             "UPDATE CANCIONES SET IDX_CANCION = CASE WHEN rowid % 10 = 0 THEN rowid / 10 ELSE 0 END");
    Ejecutar(conexion, "INSERT INTO LETRAS (IDX_CANCION, LYRICS) SELECT IDX_CANCION, 'Letra ' || IDX_CANCION "
                       "FROM CANCIONES WHERE IDX_CANCION <> 0");
    Ejecutar(conexion, "UPDATE CANCIONES SET IDX_CANCION = NULL WHERE rowid % 100 = 1");
    Ejecutar(conexion, "UPDATE CANCIONES SET REL_POS = REL_POS - 1 WHERE rowid % 1000 = 5 AND REL_POS > 1");
    Ejecutar(conexion, "UPDATE CANCIONES SET IDX_CANCION = 10000000 + rowid WHERE rowid % 100 = 3");
    Ejecutar(conexion,
             "INSERT INTO LETRAS (IDX_CANCION, LYRICS) SELECT 20000000 + IDX_CANCION, 'Sin canción' "
             "FROM LETRAS WHERE IDX_CANCION % 100 = 7");
    Ejecutar(conexion, "COMMIT");
}

class ContestarNo : public SeguimientoComprobacion {
public:
    void Empezar(int, bool) override {}
    void Comprobado(int) override {}
    void Resultado(int, ResultadoComprobacion r) override {
        if (r == ResultadoComprobacion::Error)
            ++errores;
    }
    bool Reparar(int) override { return false; }
    void FalloReparacion(int, const QString&) override {}
    void SigueElFallo(int) override {}
    int errores = 0;
};

bool HayFila(sqlite3* conexion, const char* sql) {
    sqlite3_stmt* sentencia = nullptr;
    Comprobar(conexion, sqlite3_prepare_v2(conexion, sql, -1, &sentencia, nullptr), sql);
    const int codigo = sqlite3_step(sentencia);
    sqlite3_finalize(sentencia);
    Comprobar(conexion, codigo, sql);
    return codigo == SQLITE_ROW;
}

void MedirComprobacion(const Contexto& contexto, Tamano tamano) {
    const QString catalogo = Copia(contexto, tamano, "comprobar", SembrarFallos);
    const auto nuestro = [&] {
        Abierto abierto(catalogo);
        ContestarNo no;
        const double segundos = Cronometrar([&] { ComprobarErrores(*BBDD::BaseDatos, no); });
        if (no.errores != 4)
            throw std::runtime_error("la comprobación no encontró los cuatro errores");
        return segundos;
    };
    const auto referencia = [&] {
        ConexionDesnuda conexion(catalogo);
        int errores = 0;
        const double segundos = Cronometrar([&] {
            for (const char* sql : {"SELECT 1 FROM CANCIONES WHERE IDX_CANCION IS NULL LIMIT 1",
                                    "SELECT 1 FROM CANCIONES AS g GROUP BY CABECERA, RUTA, REL_POS HAVING "
                                    "COUNT(*) > 1 OR REL_POS IS "
                                    "NULL OR (REL_POS = 0 AND NOT EXISTS (SELECT 1 FROM CANCIONES AS m WHERE "
                                    "m.CABECERA = g.CABECERA "
                                    "AND m.RUTA = g.RUTA AND m.REL_POS < 0)) LIMIT 1",
                                    "SELECT 1 FROM LETRAS WHERE IDX_CANCION IS NULL OR IDX_CANCION = 0 OR "
                                    "NOT EXISTS (SELECT 1 FROM "
                                    "CANCIONES AS c WHERE c.IDX_CANCION = LETRAS.IDX_CANCION) LIMIT 1",
                                    "SELECT 1 FROM CANCIONES WHERE IDX_CANCION <> 0 AND NOT EXISTS (SELECT 1 "
                                    "FROM LETRAS AS l WHERE "
                                    "l.IDX_CANCION = CANCIONES.IDX_CANCION) LIMIT 1"})
                errores += HayFila(conexion, sql);
        });
        if (errores != 4)
            throw std::runtime_error("la referencia no encontró los cuatro errores");
        return segundos;
    };
    const Pareja pareja = MedirPareja(5, nuestro, referencia);
    Detalle(QStringLiteral("check-%1: %2 s, referencia %3 s")
                .arg(Sufijo(tamano))
                .arg(pareja.nuestro)
                .arg(pareja.referencia));
    Ratio(QStringLiteral("check-%1").arg(Sufijo(tamano)), pareja.Ratio(), 2);
}

// --- export and import

const char* const Columnas = "CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, REL_POS";

// A new plain SQLite file at ruta with the statements run in it.
void FicheroLlano(const QString& ruta, std::initializer_list<const char*> sentencias) {
    sqlite3* conexion = nullptr;
    Comprobar(conexion,
              sqlite3_open_v2(QFile::encodeName(ruta).constData(), &conexion,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
              "crear");
    for (const char* sql : sentencias)
        Ejecutar(conexion, sql);
    sqlite3_close(conexion);
}

// The same rows in a plain SQLite file without the catalogue's collation, for the sqlite3 shell.
void CopiaLlana(sqlite3* conexion, const QString& llana) {
    Borrar(llana);
    // The connection does not create files; the empty file is made first.
    FicheroLlano(llana, {});
    Ejecutar(conexion, ("ATTACH '" + llana.toUtf8() + "' AS llana").constData());
    Ejecutar(conexion,
             "CREATE TABLE llana.CANCIONES (CABECERA TEXT, RUTA TEXT, AUTOR TEXT, TITULO TEXT, EXTENSION "
             "TEXT, LONGITUD INTEGER, IDX_CANCION INTEGER, REL_POS INTEGER)");
    Ejecutar(conexion, "INSERT INTO llana.CANCIONES SELECT * FROM main.CANCIONES");
    Ejecutar(conexion, "CREATE INDEX llana.CANCIONES_RUTA ON CANCIONES (CABECERA, RUTA, REL_POS)");
    Ejecutar(conexion, "DETACH llana");
}

double Shell(const QStringList& argumentos) {
    QProcess shell;
    shell.setStandardOutputFile(QProcess::nullDevice());
    const double segundos = Cronometrar([&] {
        shell.start(QStringLiteral("sqlite3"), argumentos);
        shell.waitForFinished(-1);
    });
    if (shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0)
        throw std::runtime_error("sqlite3: " + shell.readAllStandardError().toStdString());
    return segundos;
}

QByteArray Leer(const QString& ruta) {
    QFile fichero(ruta);
    fichero.open(QIODevice::ReadOnly);
    return fichero.readAll();
}

// A new, empty catalogue at ruta.
void CatalogoVacio(const QString& ruta) {
    Borrar(ruta);
    BBDD::RutaBaseDatos = ruta;
    BBDD::CrearBaseDatos();
}

// The catalogue, its plain copy, and a scratch directory for the files of one workload.
struct Transferencia {
    QString catalogo;
    QString llana;
    std::unique_ptr<QTemporaryDir> temporal;
    QString fichero; // our export file
    QString csv;     // the shell's
};

Transferencia PrepararTransferencia(const Contexto& contexto, Tamano tamano) {
    Transferencia t;
    t.catalogo = Preparar(contexto, tamano);
    t.llana =
        QDir(contexto.directorioDatos).absoluteFilePath(QStringLiteral("llana-%1.db").arg(Sufijo(tamano)));
    {
        ConexionDesnuda conexion(t.catalogo);
        CopiaLlana(conexion, t.llana);
    }
    t.temporal = std::make_unique<QTemporaryDir>(
        QDir(contexto.directorioDatos).filePath(QStringLiteral("transferencia-XXXXXX")));
    t.fichero = t.temporal->filePath(QStringLiteral("exportado.txt"));
    t.csv = t.temporal->filePath(QStringLiteral("exportado.csv"));
    return t;
}

double Exportar(const Transferencia& t) {
    Abierto abierto(t.catalogo);
    ProgresoUtilidad sinProgreso;
    return Cronometrar(
        [&] { ExportarCanciones(*BBDD::BaseDatos, t.fichero, Version, std::nullopt, sinProgreso); });
}

double ExportarShell(const Transferencia& t) {
    return Shell({QStringLiteral("-csv"), QStringLiteral("-cmd"), QStringLiteral(".once ") + t.csv, t.llana,
                  QStringLiteral("SELECT %1 FROM CANCIONES ORDER BY CABECERA, RUTA, REL_POS")
                      .arg(QLatin1String(Columnas))});
}

void MedirExportacion(const Contexto& contexto, Tamano tamano) {
    const Transferencia t = PrepararTransferencia(contexto, tamano);
    const Pareja pareja = MedirPareja(
        3, [&] { return Exportar(t); }, [&] { return ExportarShell(t); });
    Detalle(QStringLiteral("export-%1: %2 s, sqlite3 %3 s")
                .arg(Sufijo(tamano))
                .arg(pareja.nuestro)
                .arg(pareja.referencia));
    Ratio(QStringLiteral("export-%1").arg(Sufijo(tamano)), pareja.Ratio(), 2);

    // The round trip: the catalogue imported from the file exports the same bytes.
    const QString nuevo = t.temporal->filePath(QStringLiteral("nuevo.mdb"));
    const QString vuelta = t.temporal->filePath(QStringLiteral("vuelta.txt"));
    CatalogoVacio(nuevo);
    {
        Abierto abierto(nuevo);
        ProgresoUtilidad sinProgreso;
        ImportarCanciones(*BBDD::BaseDatos, t.fichero, std::nullopt, sinProgreso);
        ExportarCanciones(*BBDD::BaseDatos, vuelta, Version, std::nullopt, sinProgreso);
    }
    if (Leer(vuelta) != Leer(t.fichero))
        throw std::runtime_error("la ida y vuelta no dio los mismos bytes");
    Detalle(QStringLiteral("export-%1: ida y vuelta idéntica byte a byte").arg(Sufijo(tamano)));
}

void MedirImportacion(const Contexto& contexto, Tamano tamano) {
    const Transferencia t = PrepararTransferencia(contexto, tamano);
    Exportar(t);
    ExportarShell(t);
    const QString nuevo = t.temporal->filePath(QStringLiteral("nuevo.mdb"));
    const auto importar = [&] {
        CatalogoVacio(nuevo);
        Abierto abierto(nuevo);
        ProgresoUtilidad sinProgreso;
        qint64 canciones = 0;
        const double segundos = Cronometrar([&] {
            canciones = ImportarCanciones(*BBDD::BaseDatos, t.fichero, std::nullopt, sinProgreso).canciones;
        });
        if (canciones != int(tamano))
            throw std::runtime_error("la importación no añadió todas las canciones");
        return segundos;
    };
    // The shell imports into a table of the catalogue's own schema (its columns, rules and indexes),
    // with SQLite's NOCASE in place of the collation it has not, from a CSV that also holds the lyric
    // number 0 that ours writes.
    const QString csv8 = t.temporal->filePath(QStringLiteral("exportado8.csv"));
    Shell({QStringLiteral("-csv"), QStringLiteral("-cmd"), QStringLiteral(".once ") + csv8, t.llana,
           QStringLiteral(
               "SELECT CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, 0, REL_POS FROM CANCIONES ORDER "
               "BY CABECERA, RUTA, REL_POS")});
    std::vector<QByteArray> esquema;
    {
        ConexionDesnuda conexion(t.catalogo);
        sqlite3_stmt* s = nullptr;
        Comprobar(conexion,
                  sqlite3_prepare_v2(
                      conexion,
                      "SELECT sql FROM sqlite_schema WHERE tbl_name = 'CANCIONES' AND sql IS NOT NULL "
                      "ORDER BY type DESC",
                      -1, &s, nullptr),
                  "esquema");
        while (sqlite3_step(s) == SQLITE_ROW)
            esquema.push_back(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)))
                                  .replace("CANTORIO", "NOCASE"));
        sqlite3_finalize(s);
    }
    const QString llano = t.temporal->filePath(QStringLiteral("nuevo.db"));
    const auto importarShell = [&] {
        Borrar(llano);
        FicheroLlano(llano, {});
        {
            ConexionDesnuda conexion(llano);
            for (const QByteArray& sql : esquema)
                Ejecutar(conexion, sql.constData());
        }
        return Shell({QStringLiteral("-csv"), llano,
                      QStringLiteral(".import ") + csv8 + QStringLiteral(" CANCIONES")});
    };
    const Pareja pareja = MedirPareja(3, importar, importarShell);
    Detalle(QStringLiteral("import-%1: %2 s, sqlite3 %3 s")
                .arg(Sufijo(tamano))
                .arg(pareja.nuestro)
                .arg(pareja.referencia));
    Ratio(QStringLiteral("import-%1").arg(Sufijo(tamano)), pareja.Ratio(), 2);
}

// --- listing

double ListadoDesnudo(const QString& catalogo, const QString& salida) {
    ConexionDesnuda conexion(catalogo);
    return Cronometrar([&] {
        // Written safely as ours is: beside the target, flushed to disk, then renamed over it.
        const QByteArray temporal = QFile::encodeName(salida) + ".tmp";
        FILE* f = std::fopen(temporal.constData(), "wb");
        sqlite3_stmt* s = nullptr;
        Comprobar(conexion,
                  sqlite3_prepare_v2(
                      conexion,
                      "SELECT CABECERA, RUTA, AUTOR, TITULO, EXTENSION FROM CANCIONES ORDER BY CABECERA, "
                      "RUTA, REL_POS",
                      -1, &s, nullptr),
                  "preparar");
        const char* guiones = "----------------------------------------------------------------------";
        std::fprintf(f, "\r\n%s\r\n\r\n %s\r\n", guiones, "Cantorio v1.2.0");
        std::string cabecera, ruta;
        long cabeceras = 0, rutas = 0, ficheros = 0;
        while (sqlite3_step(s) == SQLITE_ROW) {
            const auto texto = [s](int c) {
                return reinterpret_cast<const char*>(sqlite3_column_text(s, c));
            };
            const bool nueva = cabeceras == 0 || cabecera != texto(0);
            if (nueva) {
                std::fprintf(f, "\r\n%s\r\n\r\n%s\r\n", guiones, texto(0));
                cabecera = texto(0);
                ++cabeceras;
            }
            if (nueva || ruta != texto(1)) {
                std::fprintf(f, "\r\n   %s\r\n\r\n", texto(1));
                ruta = texto(1);
                ++rutas;
            }
            std::fprintf(f, "      %s -- %s.%s\r\n", texto(2), texto(3), texto(4));
            ++ficheros;
        }
        std::fprintf(f,
                     "\r\n%s\r\n\r\n Cabeceras : %ld\r\n     Rutas : %ld\r\n  Ficheros : %ld\r\n\r\n%s\r\n",
                     guiones, cabeceras, rutas, ficheros, guiones);
        sqlite3_finalize(s);
        std::fflush(f);
        fdatasync(fileno(f));
        std::fclose(f);
        std::rename(temporal.constData(), QFile::encodeName(salida).constData());
    });
}

void MedirListado(const Contexto& contexto, Tamano tamano) {
    const QString catalogo = Preparar(contexto, tamano);
    QTemporaryDir temporal(QDir(contexto.directorioDatos).filePath(QStringLiteral("listado-XXXXXX")));
    const QString nuestroFichero = temporal.filePath(QStringLiteral("nuestro.txt"));
    const auto nuestro = [&] {
        Abierto abierto(catalogo);
        OpcionesListado opciones;
        opciones.version = Version;
        ProgresoUtilidad sinProgreso;
        ResultadoListado resultado;
        const double segundos = Cronometrar(
            [&] { resultado = EscribirListado(*BBDD::BaseDatos, nuestroFichero, opciones, sinProgreso); });
        if (resultado.ficheros != int(tamano))
            throw std::runtime_error("el listado no tiene todas las canciones");
        return segundos;
    };
    const auto referencia = [&] {
        return ListadoDesnudo(catalogo, temporal.filePath(QStringLiteral("ref.txt")));
    };
    const Pareja pareja = MedirPareja(3, nuestro, referencia);
    Detalle(QStringLiteral("listing-%1: %2 s, referencia %3 s")
                .arg(Sufijo(tamano))
                .arg(pareja.nuestro)
                .arg(pareja.referencia));
    Ratio(QStringLiteral("listing-%1").arg(Sufijo(tamano)), pareja.Ratio(), 2);
}

template <void (*F)(const Contexto&, Tamano)>
void Cada(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    for (Tamano tamano : tamanos)
        F(contexto, tamano);
}

const bool registradas =
    Registrar({QStringLiteral("check"), {Tamano::Diez_k, Tamano::Un_M}, Cada<MedirComprobacion>}) &&
    Registrar({QStringLiteral("export"), {Tamano::Diez_k, Tamano::Un_M}, Cada<MedirExportacion>}) &&
    Registrar({QStringLiteral("import"), {Tamano::Diez_k, Tamano::Un_M}, Cada<MedirImportacion>}) &&
    Registrar({QStringLiteral("listing"), {Tamano::Diez_k, Tamano::Un_M}, Cada<MedirListado>});

} // namespace

} // namespace bench
