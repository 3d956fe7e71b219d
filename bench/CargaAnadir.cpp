// add-N: cataloguing a tree of N song files (100 per directory, plus 10 other files each that the
// pattern leaves out) through AnadirFicheros into a new catalogue, against `find` walking the same tree
// plus the same rows inserted through the raw SQLite C API in one transaction.
// The trees are made once in the data directory and kept.

#include "Medicion.h"
#include "Registro.h"

#include "maintenance/AnadidoCanciones.h"
#include "store/BBDD.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>

namespace bench {

namespace {

constexpr int FicherosPorDirectorio = 100;
constexpr int OtrosPorDirectorio = 10;

int Directorios(Tamano tamano) {
    return int(tamano) / FicherosPorDirectorio;
}

QString TextoDirectorio(int d) {
    return QStringLiteral("grupo%1/dir%2").arg(d / 100, 3, 10, QChar('0')).arg(d, 5, 10, QChar('0'));
}

QString Cancion(int d, int f) {
    return QStringLiteral("Autor %1 -- Tema %2.mp3").arg(f).arg(d);
}

void Crear(const QString& ruta, qint64 longitud) {
    const int descriptor = ::open(QFile::encodeName(ruta).constData(), O_CREAT | O_WRONLY, 0644);
    if (descriptor < 0 || ::ftruncate(descriptor, longitud) != 0)
        throw std::runtime_error("no se pudo crear " + ruta.toStdString());
    ::close(descriptor);
}

QString Arbol(const Contexto& contexto, Tamano tamano) {
    const QString raiz =
        QDir(contexto.directorioDatos).filePath(QStringLiteral("arbol-%1").arg(Sufijo(tamano)));
    const QString hecho = raiz + QStringLiteral("/.hecho");
    if (QFile::exists(hecho))
        return raiz;
    QDir(raiz).removeRecursively();
    for (int d = 0; d < Directorios(tamano); ++d) {
        const QString directorio = raiz + u'/' + TextoDirectorio(d);
        QDir().mkpath(directorio);
        for (int f = 0; f < FicherosPorDirectorio; ++f)
            Crear(directorio + u'/' + Cancion(d, f), 1000 + f);
        for (int o = 0; o < OtrosPorDirectorio; ++o)
            Crear(directorio + QStringLiteral("/nota %1.txt").arg(o), 10);
    }
    Crear(hecho, 0);
    return raiz;
}

struct Fila {
    QByteArray ruta, autor, titulo;
    int longitud, posicion;
};

// The rows AnadirFicheros writes for the tree, built before the clock starts.
std::vector<Fila> Filas(Tamano tamano) {
    std::vector<Fila> filas;
    filas.reserve(size_t(tamano));
    for (int d = 0; d < Directorios(tamano); ++d) {
        const QByteArray ruta = (u'\\' + TextoDirectorio(d).replace(u'/', u'\\') + u'\\').toUtf8();
        for (int f = 0; f < FicherosPorDirectorio; ++f)
            filas.push_back({ruta, QStringLiteral("Autor %1").arg(f).toUtf8(),
                             QStringLiteral("Tema %1").arg(d).toUtf8(), 1000 + f, f + 1});
    }
    return filas;
}

// A new, empty catalogue open as BBDD::BaseDatos while it lives.
class CatalogoNuevo {
public:
    CatalogoNuevo() {
        BBDD::RutaBaseDatos = QDir(directorio_.path()).filePath(QStringLiteral("Cantorio.mdb"));
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
    }
    ~CatalogoNuevo() { BBDD::CerrarBaseDatos(); }

private:
    QTemporaryDir directorio_;
};

double Nuestro(const QString& raiz, Tamano tamano) {
    CatalogoNuevo catalogo;
    OpcionesAnadido opciones;
    opciones.cabecera = QStringLiteral("Banco");
    opciones.directorio = raiz;
    opciones.raizVolumen = raiz;
    opciones.filtro = QStringLiteral("*.mp3");
    ProgresoAnadido sinProgreso;
    ResultadoAnadido resultado;
    const double segundos = Cronometrar([&] { resultado = AnadirFicheros(opciones, sinProgreso); });
    if (!resultado.error.isEmpty() || resultado.filas != int(tamano))
        throw std::runtime_error("el añadido escribió " + std::to_string(resultado.filas) +
                                 " filas: " + resultado.error.toStdString());
    return segundos;
}

// find over the tree, then the rows into a new catalogue of the same schema (and so the same indexes),
// through the catalogue's own connection, whose collation the indexes need.
double Referencia(const QString& raiz, const std::vector<Fila>& filas) {
    CatalogoNuevo catalogo;
    sqlite3* conexion = BBDD::BaseDatos->Conexion();
    sqlite3_stmt* insertar = nullptr;
    sqlite3_prepare_v2(
        conexion,
        "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, "
        "REL_POS) VALUES ('Banco', ?, ?, ?, 'mp3', ?, 0, ?)",
        -1, &insertar, nullptr);
    const double segundos = Cronometrar([&] {
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start(QStringLiteral("find"), {raiz});
        find.waitForFinished(-1);
        sqlite3_exec(conexion, "BEGIN", nullptr, nullptr, nullptr);
        for (const Fila& fila : filas) {
            sqlite3_bind_text(insertar, 1, fila.ruta.constData(), int(fila.ruta.size()), SQLITE_STATIC);
            sqlite3_bind_text(insertar, 2, fila.autor.constData(), int(fila.autor.size()), SQLITE_STATIC);
            sqlite3_bind_text(insertar, 3, fila.titulo.constData(), int(fila.titulo.size()), SQLITE_STATIC);
            sqlite3_bind_int(insertar, 4, fila.longitud);
            sqlite3_bind_int(insertar, 5, fila.posicion);
            if (sqlite3_step(insertar) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(conexion));
            sqlite3_reset(insertar);
        }
        sqlite3_exec(conexion, "COMMIT", nullptr, nullptr, nullptr);
    });
    sqlite3_finalize(insertar);
    return segundos;
}

int Vueltas(Tamano tamano) {
    return tamano == Tamano::Un_M ? 1 : 3;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    std::vector<std::pair<Tamano, double>> nuestros;
    for (Tamano tamano : tamanos) {
        const QString raiz = Arbol(contexto, tamano);
        const std::vector<Fila> filas = Filas(tamano);
        const Pareja pareja = MedirPareja(
            Vueltas(tamano), [&] { return Nuestro(raiz, tamano); }, [&] { return Referencia(raiz, filas); });
        Ratio(QStringLiteral("add-%1").arg(Sufijo(tamano)), pareja.Ratio(), 2.0);
        Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms")
                    .arg(pareja.nuestro * 1000, 0, 'f', 1)
                    .arg(pareja.referencia * 1000, 0, 'f', 1));
        nuestros.emplace_back(tamano, pareja.nuestro);
    }
    // Linear growth: each tenfold tree may take at most 1.3 times ten times as long.
    if (nuestros.size() > 1) {
        double peor = 0;
        for (size_t k = 1; k < nuestros.size(); ++k) {
            const double veces = double(int(nuestros[k].first)) / int(nuestros[k - 1].first);
            peor = std::max(peor, nuestros[k].second / nuestros[k - 1].second / veces);
        }
        Ratio(QStringLiteral("add-linear"), peor, 1.3);
    }
}

const bool registrada =
    Registrar({QStringLiteral("add"), {Tamano::Diez_k, Tamano::Cien_k, Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
