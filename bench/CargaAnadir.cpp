// add-N: cataloguing a tree of N song files (100 per directory, plus 10 other files each that the
// pattern leaves out) through AnadirFicheros into a new catalogue, against `find` telling every song's
// directory, name and size, the rows built from its output and written through the raw SQLite C API.
// Both sides must leave the same rows. The trees are made once in the data directory and kept.

#include "Desnudo.h"
#include "Medicion.h"
#include "Registro.h"

#include "maintenance/AnadidoCanciones.h"
#include "store/BBDD.h"

#include <QCollator>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
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

// A new, empty catalogue of the program's schema (and so its indexes) in a directory of its own.
class CatalogoNuevo {
public:
    CatalogoNuevo() : ruta_(QDir(directorio_.path()).filePath(QStringLiteral("Cantorio.mdb"))) {
        BBDD::RutaBaseDatos = ruta_;
        BBDD::CrearBaseDatos();
    }
    const QString& Ruta() const { return ruta_; }

private:
    QTemporaryDir directorio_;
    QString ruta_;
};

// The rows of a catalogue in a fixed order, as a digest: two catalogues holding the same rows have the
// same one, whatever order the rows were written in.
QByteArray Huella(const QString& catalogo) {
    ConexionDesnuda conexion(catalogo);
    sqlite3_stmt* filas = nullptr;
    Comprobar(conexion,
              sqlite3_prepare_v2(conexion,
                                 "SELECT CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, "
                                 "REL_POS FROM CANCIONES ORDER BY RUTA, REL_POS",
                                 -1, &filas, nullptr),
              "leer las filas");
    QCryptographicHash huella(QCryptographicHash::Sha256);
    while (sqlite3_step(filas) == SQLITE_ROW)
        for (int c = 0; c < 8; ++c) {
            huella.addData(QByteArrayView(sqlite3_column_text(filas, c), sqlite3_column_bytes(filas, c)));
            huella.addData("\t");
        }
    sqlite3_finalize(filas);
    return huella.result();
}

const QString Cabecera = QStringLiteral("Banco");

// The digest of the rows written by the first turn of each side, to show that both wrote the same.
struct Huellas {
    QByteArray nuestra, referencia;
};

double Nuestro(const QString& raiz, Tamano tamano, QByteArray& huella) {
    CatalogoNuevo catalogo;
    BBDD::AbrirBaseDatos();
    OpcionesAnadido opciones;
    opciones.cabecera = Cabecera;
    opciones.directorio = raiz;
    opciones.raizVolumen = raiz;
    opciones.filtro = QStringLiteral("*.mp3");
    ProgresoAnadido sinProgreso;
    ResultadoAnadido resultado;
    const double segundos = Cronometrar([&] { resultado = AnadirFicheros(opciones, sinProgreso); });
    BBDD::CerrarBaseDatos();
    if (!resultado.error.isEmpty() || resultado.filas != int(tamano))
        throw std::runtime_error("el añadido escribió " + std::to_string(resultado.filas) +
                                 " filas: " + resultado.error.toStdString());
    if (huella.isEmpty())
        huella = Huella(catalogo.Ruta());
    return segundos;
}

struct Fichero {
    QString nombre;
    QByteArray longitud;
};

// Writes one directory's songs at a time, in the alphabetical order ours writes them (letter case
// ignored), each name split into author and title at "--" and its extension after the last dot.
class Escritor {
public:
    Escritor(sqlite3* conexion, const QString& raiz) : conexion_(conexion), raiz_(QFile::encodeName(raiz)) {
        orden_.setCaseSensitivity(Qt::CaseInsensitive);
        Comprobar(
            conexion_,
            sqlite3_prepare_v2(conexion_,
                               "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, "
                               "IDX_CANCION, REL_POS) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                               -1, &insertar_, nullptr),
            "preparar el INSERT");
        Ejecutar(conexion_, "BEGIN");
    }
    ~Escritor() { sqlite3_finalize(insertar_); }

    void Directorio(const QByteArray& directorio, std::vector<Fichero>& canciones) {
        std::stable_sort(canciones.begin(), canciones.end(), [this](const Fichero& a, const Fichero& b) {
            return orden_.compare(a.nombre, b.nombre) < 0;
        });
        QByteArray ruta = directorio.mid(raiz_.size()) + '/';
        ruta.replace('/', '\\');
        const QByteArray cabecera = Cabecera.toUtf8();
        int posicion = 0;
        for (const Fichero& cancion : canciones) {
            const QByteArray nombre = cancion.nombre.toUtf8();
            const qsizetype punto = nombre.lastIndexOf('.');
            const QByteArray tronco = nombre.left(punto);
            const qsizetype separador = tronco.indexOf("--");
            const QByteArray autor = tronco.left(separador).trimmed();
            const QByteArray titulo = tronco.mid(separador + 2).trimmed();
            const QByteArray extension = nombre.mid(punto + 1);
            sqlite3_bind_text(insertar_, 1, cabecera.constData(), int(cabecera.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar_, 2, ruta.constData(), int(ruta.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar_, 3, autor.constData(), int(autor.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar_, 4, titulo.constData(), int(titulo.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insertar_, 5, extension.constData(), int(extension.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(insertar_, 6, cancion.longitud.toLongLong());
            sqlite3_bind_int(insertar_, 7, 0);
            sqlite3_bind_int(insertar_, 8, ++posicion);
            Comprobar(conexion_, sqlite3_step(insertar_), "insertar");
            sqlite3_reset(insertar_);
            // Committed in batches as ours commits them, so that a kill loses no more than a batch.
            if (++filas_ % 5000 == 0) {
                Ejecutar(conexion_, "COMMIT");
                Ejecutar(conexion_, "BEGIN");
            }
        }
        canciones.clear();
    }
    void Terminar() { Ejecutar(conexion_, "COMMIT"); }
    int Filas() const { return filas_; }

private:
    sqlite3* conexion_;
    QByteArray raiz_;
    QCollator orden_;
    sqlite3_stmt* insertar_ = nullptr;
    int filas_ = 0;
};

// find walks the tree and tells the directory, name and size of every song, which costs it a status
// call per song as ours; the rows are built from its output and written through the raw C API into a
// new catalogue.
double Referencia(const QString& raiz, Tamano tamano, QByteArray& huella) {
    CatalogoNuevo catalogo;
    int filas = 0;
    double segundos;
    {
        ConexionDesnuda conexion(catalogo.Ruta());
        segundos = Cronometrar([&] {
            QProcess find;
            find.start(QStringLiteral("find"),
                       {raiz, QStringLiteral("-type"), QStringLiteral("f"), QStringLiteral("-iname"),
                        QStringLiteral("*.mp3"), QStringLiteral("-printf"),
                        QStringLiteral("%h\\t%f\\t%s\\n")});
            find.waitForFinished(-1);
            const QByteArray salida = find.readAllStandardOutput();
            Escritor escritor(conexion, raiz);
            QByteArray directorio;
            std::vector<Fichero> canciones;
            for (qsizetype inicio = 0, fin; (fin = salida.indexOf('\n', inicio)) >= 0; inicio = fin + 1) {
                const qsizetype tab1 = salida.indexOf('\t', inicio);
                const qsizetype tab2 = salida.indexOf('\t', tab1 + 1);
                const QByteArray esteDirectorio = salida.mid(inicio, tab1 - inicio);
                if (esteDirectorio != directorio) {
                    escritor.Directorio(directorio, canciones);
                    directorio = esteDirectorio;
                }
                canciones.push_back({QString::fromUtf8(salida.mid(tab1 + 1, tab2 - tab1 - 1)),
                                     salida.mid(tab2 + 1, fin - tab2 - 1)});
            }
            escritor.Directorio(directorio, canciones);
            escritor.Terminar();
            filas = escritor.Filas();
        });
    }
    if (filas != int(tamano))
        throw std::runtime_error("la referencia escribió " + std::to_string(filas) + " filas");
    if (huella.isEmpty())
        huella = Huella(catalogo.Ruta());
    return segundos;
}

// More turns where one turn is short, so that a slow turn of either side cannot decide the figure.
int Vueltas(Tamano tamano) {
    return tamano == Tamano::Diez_k ? 11 : tamano == Tamano::Cien_k ? 5 : 3;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    std::vector<Pareja> parejas;
    for (Tamano tamano : tamanos) {
        const QString raiz = Arbol(contexto, tamano);
        Huellas huellas;
        const Pareja pareja = MedirPareja(
            Vueltas(tamano), [&] { return Nuestro(raiz, tamano, huellas.nuestra); },
            [&] { return Referencia(raiz, tamano, huellas.referencia); });
        if (huellas.nuestra != huellas.referencia)
            throw std::runtime_error("add: la referencia no escribió las mismas filas que el añadido");
        Ratio(QStringLiteral("add-%1").arg(Sufijo(tamano)), pareja.Ratio(), 1.5);
        Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms")
                    .arg(pareja.nuestro * 1000, 0, 'f', 1)
                    .arg(pareja.referencia * 1000, 0, 'f', 1));
        parejas.push_back(pareja);
    }
    Crecimiento(QStringLiteral("add-linear"), tamanos, parejas, 1.2);
}

const bool registrada =
    Registrar({QStringLiteral("add"), {Tamano::Diez_k, Tamano::Cien_k, Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
