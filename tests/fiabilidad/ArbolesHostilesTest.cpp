// Hostile trees catalogued: names with line breaks and tabs, a leading "-", names of 255 bytes, bytes
// that are not UTF-8, U+FFFF (which the catalogue's texts refuse), loops of links, a folder that cannot
// be read and one that vanishes during the scan. The scan must end (within a minute) and keep one row
// per file that `find` lists, less the files and folders its final message says it skipped.

#include "PruebaFiabilidad.h"
#include "support/UsuarioCorriente.h"

#include "maintenance/AnadidoCanciones.h"
#include "maintenance/RecorridoDirectorios.h"
#include "store/BBDD.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A tree made of raw byte names under a root.
class Arbol {
public:
    Arbol() { chmod(QFile::encodeName(raiz_.path()).constData(), 0755); }
    // rm copes with what QDir cannot remove: names that are not UTF-8, folders without permission
    // (chmod first, for a run that is not root).
    ~Arbol() {
        QProcess::execute(QStringLiteral("chmod"),
                          {QStringLiteral("-R"), QStringLiteral("u+rwx"), raiz_.path()});
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), raiz_.path()});
    }
    QString Raiz() const { return raiz_.path(); }
    QByteArray Ruta(const QByteArray& relativa) const {
        return QFile::encodeName(raiz_.path()) + '/' + relativa;
    }
    void Carpeta(const QByteArray& relativa) const { mkdir(Ruta(relativa).constData(), 0755); }
    void Fichero(const QByteArray& relativa) const {
        close(open(Ruta(relativa).constData(), O_CREAT | O_WRONLY, 0644));
    }
    void Enlace(const QByteArray& relativa, const QByteArray& destino) const {
        [[maybe_unused]] const int hecho = symlink(destino.constData(), Ruta(relativa).constData());
    }

private:
    QTemporaryDir raiz_;
};

// The files `find` lists below the root (hidden entries are left out by the scan, and here by find),
// as text the way the scan shows a name.
QStringList Find(const QString& raiz) {
    QProcess find;
    find.start(QStringLiteral("find"),
               {raiz, QStringLiteral("-name"), QStringLiteral(".*"), QStringLiteral("-prune"),
                QStringLiteral("-o"), QStringLiteral("-type"), QStringLiteral("f"),
                QStringLiteral("-print0")});
    find.waitForFinished();
    QStringList ficheros;
    for (const QByteArray& ruta : find.readAllStandardOutput().split('\0'))
        if (!ruta.isEmpty())
            ficheros << NombreLegible(ruta);
    return ficheros;
}

// The rows of the catalogue to be expected: find's files less those below a skipped folder.
qsizetype Esperadas(const QStringList& ficheros, const QStringList& saltadas) {
    return std::count_if(ficheros.begin(), ficheros.end(), [&](const QString& fichero) {
        return std::none_of(saltadas.begin(), saltadas.end(),
                            [&](const QString& saltada) { return fichero.startsWith(saltada); });
    });
}

// The folders and files the final message of cantorio-util names as skipped: folders that could not
// be read, files whose name and folders whose route the catalogue cannot hold.
QStringList Saltadas(const QString& errores) {
    static const QRegularExpression linea(
        QStringLiteral("(?:No se ha podido leer el directorio «(.*?)»; se ha saltado\\.|"
                       "No se ha añadido «(.*?)»: el catálogo no admite su nombre|"
                       "No se han añadido los ficheros de «(.*?)»: el catálogo no admite su ruta)"),
        QRegularExpression::DotMatchesEverythingOption);
    QStringList saltadas;
    for (auto m = linea.globalMatch(errores); m.hasNext();) {
        const QRegularExpressionMatch dicho = m.next();
        for (int i = 1; i <= 3; ++i)
            if (dicho.hasCaptured(i))
                saltadas << dicho.captured(i);
    }
    return saltadas;
}

int Filas(const QString& catalogo) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(catalogo).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const int filas = ContarCanciones(db);
    sqlite3_close_v2(db);
    return filas;
}

struct CasoArbol {
    const char* nombre;
    std::function<void(const Arbol&)> hacer;
    bool sinPrivilegios = false; // run as an ordinary user, for whom a folder without permission is closed
    int saltadas = 0;            // folders and files the message must name as skipped
};

const std::vector<CasoArbol>& Casos() {
    static const std::vector<CasoArbol> casos = {
        {"saltos de línea y tabuladores",
         [](const Arbol& a) {
             a.Fichero("Autor\n -- Tema\n.mp3");
             a.Fichero("Autor\t -- \tTema.mp3");
             a.Fichero("\n");
             a.Carpeta("carpeta\ncon\tsaltos");
             a.Fichero("carpeta\ncon\tsaltos/dentro\n.mp3");
         }},
        {"guion inicial",
         [](const Arbol& a) {
             a.Fichero("-rf.mp3");
             a.Fichero("--cabecera -- x.mp3");
             a.Carpeta("-carpeta");
             a.Fichero("-carpeta/-");
         }},
        {"255 bytes",
         [](const Arbol& a) {
             const QByteArray largo = QByteArray(125, 'x').replace("x", "\xc3\xb1") + ".mp3x"; // 255 bytes
             a.Fichero(largo);
             a.Fichero(QByteArray(251, 'a') + ".mp3");
             a.Carpeta(QByteArray(255, 'c'));
             a.Fichero(QByteArray(255, 'c') + '/' + QByteArray(255, 'f'));
         }},
        {"bytes que no son UTF-8",
         [](const Arbol& a) {
             a.Fichero("Caf\xe9 -- T\xedtulo.mp3");
             a.Fichero("\xff\xfe\xfd.mp3");
             a.Fichero("medio \xc3 car\xc3\xa1\x63ter.mp3");
             a.Carpeta("carpeta \xe9");
             a.Fichero("carpeta \xe9/\x80\x81.mp3");
         }},
        {"bucles de enlaces",
         [](const Arbol& a) {
             a.Carpeta("a");
             a.Fichero("a/uno.mp3");
             a.Enlace("a/arriba", "..");
             a.Enlace("a/raiz", a.Ruta(""));
             a.Enlace("yo", "yo");
             a.Enlace("ida", "vuelta");
             a.Enlace("vuelta", "ida");
             a.Fichero("dos.mp3");
         }},
        {"carpeta sin permiso de lectura",
         [](const Arbol& a) {
             a.Fichero("fuera.mp3");
             a.Carpeta("cerrada");
             a.Fichero("cerrada/dentro.mp3");
             a.Carpeta("cerrada/sub");
             a.Fichero("cerrada/sub/mas.mp3");
             a.Carpeta("abierta");
             a.Fichero("abierta/visible.mp3");
             chmod(a.Ruta("cerrada").constData(), 0);
         },
         true, 1},
        // U+FFFF, which the catalogue's texts refuse, in a name: that file, or that folder's files, are
        // left out and named, and the scan goes on.
        {"U+FFFF en el nombre de un fichero",
         [](const Arbol& a) {
             a.Fichero("antes.mp3");
             a.Fichero("Autor -- T\xef\xbf\xbftulo.mp3");
             a.Fichero("\xef\xbf\xbf.mp3");
             a.Fichero("pista.\xef\xbf\xbf");
             a.Fichero("zeta.mp3");
         },
         false, 3},
        {"U+FFFF en el nombre de una carpeta",
         [](const Arbol& a) {
             a.Fichero("antes.mp3");
             a.Carpeta("c\xef\xbf\xbf");
             a.Fichero("c\xef\xbf\xbf/dentro.mp3");
             a.Carpeta("c\xef\xbf\xbf/sub");
             a.Fichero("c\xef\xbf\xbf/sub/mas.mp3");
             a.Carpeta("d");
             a.Fichero("d/despues.mp3");
         },
         false, 2},
    };
    return casos;
}

} // namespace

TEST(ArbolesHostiles, CadaFicheroQueFindVeEsUnaFilaSalvoLoQueSeDiceSaltado) {
    for (const CasoArbol& caso : Casos()) {
        SCOPED_TRACE(caso.nombre);
        Arbol arbol;
        caso.hacer(arbol);
        QTemporaryDir destino;
        chmod(QFile::encodeName(destino.path()).constData(), 0777);
        const QString catalogo = QDir(destino.path()).filePath(QStringLiteral("Cantorio.mdb"));
        const Ejecucion e = Util(
            {QStringLiteral("anadir"), catalogo, arbol.Raiz(), QStringLiteral("--cabecera"),
             QStringLiteral("Hostil"), QStringLiteral("--subdirectorios")},
            caso.sinPrivilegios ? std::function<void()>(HacerseUsuarioCorriente) : std::function<void()>());
        ASSERT_TRUE(e.terminada) << "the scan hung";
        EXPECT_EQ(e.estado, 0) << e.errores.toStdString();
        EXPECT_TRUE(e.errores.contains(QStringLiteral("Terminado:"))) << e.errores.toStdString();
        const QStringList saltadas = Saltadas(e.errores);
        EXPECT_EQ(saltadas.size(), caso.saltadas) << e.errores.toStdString();
        const QStringList ficheros = Find(arbol.Raiz());
        EXPECT_GT(Esperadas(ficheros, saltadas), 0);
        EXPECT_EQ(Filas(catalogo), Esperadas(ficheros, saltadas)) << ficheros.join(u' ').toStdString();
    }
}

// A folder that vanishes while the walk is still finding folders, after it was found and before it
// was read: reading it fails, it is skipped and named. Once the walk is over, every folder has been
// read, once, and what it held then is what is written, however the disk changes meanwhile.
TEST(ArbolesHostiles, UnaCarpetaQueDesapareceSeSaltaYSeDice) {
    for (const bool durante : {false, true}) {
        SCOPED_TRACE(durante ? "during the walk" : "after the walk");
        Arbol arbol;
        for (const QByteArray carpeta : {"a", "a/a1", "fugaz", "fugaz/sub", "z"}) {
            arbol.Carpeta(carpeta);
            arbol.Fichero(carpeta + "/f.mp3");
            arbol.Fichero(carpeta + "/g.mp3");
        }
        const QStringList ficheros = Find(arbol.Raiz());
        QTemporaryDir destino;
        BBDD::RutaBaseDatos = QDir(destino.path()).filePath(QStringLiteral("Cantorio.mdb"));
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
        struct Borrador : ProgresoAnadido {
            QString fugaz;
            bool durante;
            void Linea(const QString& linea) override {
                if (durante && linea == QLatin1String("\\fugaz\\"))
                    QDir(fugaz).removeRecursively();
            }
            void Titulo(const QString&) override {
                if (!durante)
                    QDir(fugaz).removeRecursively();
            }
        } borrador;
        borrador.fugaz = arbol.Raiz() + QStringLiteral("/fugaz");
        borrador.durante = durante;
        OpcionesAnadido opciones;
        opciones.cabecera = QStringLiteral("Hostil");
        opciones.directorio = arbol.Raiz();
        opciones.raizVolumen = arbol.Raiz();
        const ResultadoAnadido resultado = AnadirFicheros(opciones, borrador);
        BBDD::CerrarBaseDatos();
        if (!durante) {
            EXPECT_TRUE(resultado.ilegibles.isEmpty()) << resultado.ilegibles.join(u' ').toStdString();
            EXPECT_EQ(resultado.filas, 10);
            EXPECT_EQ(Filas(BBDD::RutaBaseDatos), Esperadas(ficheros, {}));
            continue;
        }
        // The folder is named, and nothing below it, which the walk never found.
        const QString fugaz = arbol.Raiz() + QStringLiteral("/fugaz/");
        EXPECT_EQ(resultado.ilegibles, QStringList{fugaz});
        EXPECT_EQ(resultado.filas, 6);
        EXPECT_EQ(Filas(BBDD::RutaBaseDatos), Esperadas(ficheros, resultado.ilegibles));
    }
}
