// Adding a directory tree of songs (AnadirFicheros) against the limit of the machine: `find` walking the
// same tree plus the same rows inserted through the raw SQLite C API in one transaction.
// Prints "add-10k", "add-100k" (and "add-1M" without --quick) as ratios to that limit, and "add-linear",
// the cost per file of the largest size against the smallest.
// The trees are made once in $CANTORIO_BENCH_DATOS (default /tmp/cantorio-bench) and kept.

#include "maintenance/AnadidoCanciones.h"
#include "store/BBDD.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int FicherosPorDirectorio = 100;
constexpr int OtrosPorDirectorio = 10; // files the pattern leaves out

QString DirectorioDatos() {
    const QByteArray elegido = qgetenv("CANTORIO_BENCH_DATOS");
    return elegido.isEmpty() ? QStringLiteral("/tmp/cantorio-bench") : QString::fromLocal8Bit(elegido);
}

QString NombreCancion(int d, int f) {
    return QStringLiteral("Autor %1 -- Tema %2.mp3").arg(f).arg(d);
}

// directorios x 100 songs (plus 10 other files each) under grupoNNN/dirNNNNN, made once.
QString Arbol(int directorios) {
    const QString raiz = DirectorioDatos() + QStringLiteral("/arbol-%1").arg(directorios);
    const QString hecho = raiz + QStringLiteral("/.hecho");
    if (QFile::exists(hecho))
        return raiz;
    QDir(raiz).removeRecursively();
    for (int d = 0; d < directorios; ++d) {
        const QString dir =
            raiz + QStringLiteral("/grupo%1/dir%2").arg(d / 100, 3, 10, QChar('0')).arg(d, 5, 10, QChar('0'));
        QDir().mkpath(dir);
        auto crear = [&dir](const QString& nombre, qint64 longitud) {
            const int fd =
                ::open(QFile::encodeName(dir + '/' + nombre).constData(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0) {
                if (::ftruncate(fd, longitud) != 0)
                    std::perror("ftruncate");
                ::close(fd);
            }
        };
        for (int f = 0; f < FicherosPorDirectorio; ++f)
            crear(NombreCancion(d, f), 1000 + f);
        for (int o = 0; o < OtrosPorDirectorio; ++o)
            crear(QStringLiteral("nota %1.txt").arg(o), 10);
    }
    QFile(hecho).open(QIODevice::WriteOnly);
    return raiz;
}

double SegundosFind(const QString& raiz) {
    QElapsedTimer reloj;
    reloj.start();
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    find.start(QStringLiteral("find"), {raiz});
    find.waitForFinished(-1);
    return reloj.nsecsElapsed() / 1e9;
}

struct FilaCruda {
    QByteArray ruta, autor, titulo;
    int longitud, posicion;
};

// The rows AnadirFicheros writes for the tree, built before the clock starts.
std::vector<FilaCruda> FilasDelArbol(int directorios) {
    std::vector<FilaCruda> filas;
    filas.reserve(static_cast<std::size_t>(directorios) * FicherosPorDirectorio);
    for (int d = 0; d < directorios; ++d) {
        const QByteArray ruta = QStringLiteral("\\grupo%1\\dir%2\\")
                                    .arg(d / 100, 3, 10, QChar('0'))
                                    .arg(d, 5, 10, QChar('0'))
                                    .toUtf8();
        for (int f = 0; f < FicherosPorDirectorio; ++f)
            filas.push_back({ruta, QStringLiteral("Autor %1").arg(f).toUtf8(),
                             QStringLiteral("Tema %1").arg(d).toUtf8(), 1000 + f, f + 1});
    }
    return filas;
}

QString CatalogoNuevo(const QTemporaryDir& directorio, const QString& nombre) {
    BBDD::RutaBaseDatos = QDir(directorio.path()).filePath(nombre);
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
    return BBDD::RutaBaseDatos;
}

double SegundosSqliteCrudo(const std::vector<FilaCruda>& filas) {
    sqlite3* conexion = BBDD::BaseDatos->Conexion();
    sqlite3_stmt* insertar = nullptr;
    sqlite3_prepare_v2(
        conexion,
        "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, "
        "REL_POS) VALUES ('Banco', ?, ?, ?, 'mp3', ?, 0, ?)",
        -1, &insertar, nullptr);
    QElapsedTimer reloj;
    reloj.start();
    sqlite3_exec(conexion, "BEGIN", nullptr, nullptr, nullptr);
    for (const FilaCruda& fila : filas) {
        sqlite3_bind_text(insertar, 1, fila.ruta.constData(), static_cast<int>(fila.ruta.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(insertar, 2, fila.autor.constData(), static_cast<int>(fila.autor.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(insertar, 3, fila.titulo.constData(), static_cast<int>(fila.titulo.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int(insertar, 4, fila.longitud);
        sqlite3_bind_int(insertar, 5, fila.posicion);
        if (sqlite3_step(insertar) != SQLITE_DONE)
            std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(conexion));
        sqlite3_reset(insertar);
    }
    sqlite3_exec(conexion, "COMMIT", nullptr, nullptr, nullptr);
    const double segundos = reloj.nsecsElapsed() / 1e9;
    sqlite3_finalize(insertar);
    return segundos;
}

double SegundosAnadir(const QString& raiz) {
    OpcionesAnadido opciones;
    opciones.cabecera = QStringLiteral("Banco");
    opciones.directorio = raiz;
    opciones.raizVolumen = raiz;
    opciones.filtro = QStringLiteral("*.mp3");
    ProgresoAnadido sinProgreso;
    QElapsedTimer reloj;
    reloj.start();
    const ResultadoAnadido resultado = AnadirFicheros(opciones, sinProgreso);
    const double segundos = reloj.nsecsElapsed() / 1e9;
    if (!resultado.error.isEmpty())
        std::fprintf(stderr, "error: %s\n", qPrintable(resultado.error));
    return segundos;
}

struct Medida {
    double nuestro, limite;
};

Medida Medir(int directorios) {
    const QString raiz = Arbol(directorios);
    SegundosFind(raiz); // both sides start from a warm cache
    QTemporaryDir catalogos;
    CatalogoNuevo(catalogos, QStringLiteral("crudo.mdb"));
    const std::vector<FilaCruda> filas = FilasDelArbol(directorios);
    const double limite = SegundosFind(raiz) + SegundosSqliteCrudo(filas);
    BBDD::CerrarBaseDatos();
    CatalogoNuevo(catalogos, QStringLiteral("Cantorio.mdb"));
    const double nuestro = SegundosAnadir(raiz);
    BBDD::CerrarBaseDatos();
    return {nuestro, limite};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacion(argc, argv);
    const bool rapido = aplicacion.arguments().contains(QStringLiteral("--quick"));
    struct Tamano {
        const char* nombre;
        int directorios;
    };
    std::vector<Tamano> tamanos{{"add-10k", 100}, {"add-100k", 1000}};
    if (rapido)
        tamanos.pop_back();
    else
        tamanos.push_back({"add-1M", 10000});

    std::vector<double> porFichero;
    for (const Tamano& tamano : tamanos) {
        const Medida medida = Medir(tamano.directorios);
        std::printf("%s: ratio %.2f (target <= 2.00)  [%.3f s against %.3f s]\n", tamano.nombre,
                    medida.nuestro / medida.limite, medida.nuestro, medida.limite);
        porFichero.push_back(medida.nuestro / tamano.directorios);
        std::fflush(stdout);
    }
    if (porFichero.size() > 1)
        std::printf("add-linear: ratio %.2f (target <= 1.50)  [time per file, largest size against 10k]\n",
                    porFichero.back() / porFichero.front());
    return 0;
}
