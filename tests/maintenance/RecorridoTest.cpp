// The file system side of adding songs: patterns, routes, the breadth-first walk and the file listing.

#include "../support/UsuarioCorriente.h"
#include "ArbolFicheros.h"
#include "maintenance/RecorridoDirectorios.h"
#include "maintenance/RutasVolumen.h"

#include <gtest/gtest.h>

#include <QSet>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const PatronFicheros Todos(QStringLiteral("*.*"));

QStringList Textos(const Recorrido& recorrido) {
    QStringList textos;
    for (const auto& directorio : recorrido.directorios)
        textos << directorio.texto;
    return textos;
}

// The walk of raiz as an ordinary user sees it: run in a child that, when the tests run as root, first
// becomes "nobody", for whom permissions hold. Gives the folders' texts, then "|", then the unreadable.
QStringList RecorridoSinPrivilegios(const QString& raiz) {
    int tubo[2];
    if (pipe(tubo) != 0)
        return {QStringLiteral("no pipe")};
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tubo[0]);
        HacerseUsuarioCorriente();
        const Recorrido recorrido = RecorrerDirectorios(raiz, Todos, true, [](const QString&) {});
        const QByteArray texto =
            (Textos(recorrido) + QStringList{"|"} + recorrido.ilegibles).join(u'\n').toUtf8();
        for (qsizetype hecho = 0; hecho < texto.size();) {
            const ssize_t n = write(tubo[1], texto.constData() + hecho, size_t(texto.size() - hecho));
            if (n <= 0)
                _exit(1);
            hecho += n;
        }
        _exit(0);
    }
    close(tubo[1]);
    QByteArray texto;
    char trozo[4096];
    for (ssize_t n; (n = read(tubo[0], trozo, sizeof trozo)) > 0;)
        texto.append(trozo, n);
    close(tubo[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0)
        return {QStringLiteral("the child failed")};
    return QString::fromUtf8(texto).split(u'\n');
}

} // namespace

TEST(PatronFicheros, ComodinesSinDistinguirMayusculas) {
    struct Caso {
        const char* patron;
        const char* nombre;
        bool coincide;
    };
    const Caso casos[] = {
        {"*.mp3", "Tema.mp3", true},
        {"*.mp3", "TEMA.MP3", true},
        {"*.mp3", "tema.mp3.txt", false},
        {"*.mp3", "mp3", false},
        {"*.*", "sin_punto", true},
        {"*.*", "a.b.c", true},
        {"tema.*", "tema", true},
        {"tema.*", "temas", false},
        {"t?ma.*", "TOMA.ogg", true},
        {"t?ma.*", "tma.ogg", false},
        {"[a].mp3", "[a].mp3", true},
        {"[a].mp3", "a.mp3", false},
        {"a+b (1).mp3", "A+B (1).mp3", true},
        {"*.vqf", "x.mp3", false},
        {"*", ".oculto", true},
        {"canci\u00f3n.*", "CANCI\u00d3N.MP3", true}, // letters beyond ASCII fold too
        {"\U00010428.mp3", "\U00010400.MP3", true},   // and those beyond 16 bits
        {"\U00010428.mp3", "\U00010401.mp3", false},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(PatronFicheros(QString::fromUtf8(caso.patron)).Coincide(QString::fromUtf8(caso.nombre)),
                  caso.coincide)
            << caso.patron << " / " << caso.nombre;
}

TEST(RutasVolumen, RutaRelativaAlVolumenConBarrasInvertidas) {
    struct Caso {
        const char* volumen;
        const char* directorio;
        const char* ruta;
    };
    const Caso casos[] = {
        {"/", "/", "\\"},
        {"/media/cd", "/media/cd", "\\"},
        {"/media/cd", "/media/cd/", "\\"},
        {"/media/cd", "/media/cd/Musica/Rock/", "\\Musica\\Rock\\"},
        {"/", "/home/ana/Música", "\\home\\ana\\Música\\"},
        {"/media/cd", "/media/cdrom/x", "\\media\\cdrom\\x\\"}, // another volume: from the system's root
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(RutaCatalogo(QString::fromUtf8(caso.volumen), QString::fromUtf8(caso.directorio)),
                  QString::fromUtf8(caso.ruta))
            << caso.volumen << " " << caso.directorio;
}

TEST(RutasVolumen, ElVolumenMasProfundoQueContieneLaRuta) {
    const QStringList volumenes{"/", "/media/cd", "/media/cd/interno"};
    EXPECT_EQ(VolumenDe(volumenes, "/home/ana"), "/");
    EXPECT_EQ(VolumenDe(volumenes, "/media/cd"), "/media/cd");
    EXPECT_EQ(VolumenDe(volumenes, "/media/cd/Rock"), "/media/cd");
    EXPECT_EQ(VolumenDe(volumenes, "/media/cdrom"), "/");
    EXPECT_EQ(VolumenDe(volumenes, "/media/cd/interno/x"), "/media/cd/interno");
    EXPECT_EQ(VolumenDe({"/media/cd"}, "/home"), "");
}

TEST(NombreLegible, Utf8ValidoOUnCaracterPorByte) {
    EXPECT_EQ(NombreLegible("Tema.mp3"), "Tema.mp3");
    EXPECT_EQ(NombreLegible("Canci\xc3\xb3n.mp3"), QString::fromUtf8("Canción.mp3"));
    EXPECT_EQ(NombreLegible("Canci\xf3n.mp3"), QString::fromUtf8("Canción.mp3"));
    EXPECT_EQ(NombreLegible("\xff\xfe"), QString::fromUtf8("ÿþ"));
}

TEST(RecorrerDirectorios, PorNivelesSinEntrarEnLosOcultos) {
    ArbolFicheros arbol;
    arbol.Directorio("a/a1/a11");
    arbol.Directorio("b/b1");
    arbol.Directorio(".oculto/dentro");
    arbol.Fichero("a/no_es_directorio");
    QStringList avisados;
    const Recorrido recorrido = RecorrerDirectorios(arbol.Raiz(), Todos, true,
                                                    [&avisados](const QString& texto) { avisados << texto; });

    const QString r = arbol.Raiz() + '/';
    const QStringList textos = Textos(recorrido);
    ASSERT_EQ(textos.size(), 6) << textos.join(' ').toStdString();
    EXPECT_EQ(textos[0], r);
    EXPECT_EQ(QSet<QString>(textos.begin() + 1, textos.begin() + 3), (QSet<QString>{r + "a/", r + "b/"}));
    EXPECT_EQ(QSet<QString>(textos.begin() + 3, textos.begin() + 5),
              (QSet<QString>{r + "a/a1/", r + "b/b1/"}));
    EXPECT_EQ(textos[5], r + "a/a1/a11/");
    EXPECT_EQ(avisados, textos);
    EXPECT_TRUE(recorrido.ilegibles.isEmpty());
    EXPECT_EQ(recorrido.directorios[5].ruta, QFile::encodeName(r + "a/a1/a11/"));
}

// One reading of each directory gives both its subdirectories and its matching files; without
// subdirectories only the root is read, and no directory is told.
TEST(RecorrerDirectorios, CadaDirectorioTraeSusFicheros) {
    ArbolFicheros arbol;
    arbol.Fichero("raiz.mp3", 2);
    arbol.Fichero("a/uno.MP3", 3);
    arbol.Fichero("a/otro.txt");
    arbol.Fichero("a/.oculto.mp3");
    arbol.Fichero("a/b/Canci\u00f3n.mp3", 7);
    arbol.Directorio("a/b/carpeta.mp3");
    const auto ficheros = [](const DirectorioEncontrado& d) {
        QStringList nombres;
        for (const FicheroEncontrado& f : d.ficheros.Ficheros())
            nombres << f.nombre + u':' + QString::number(f.longitud);
        return nombres;
    };
    const PatronFicheros mp3(QStringLiteral("*.mp3"));
    const Recorrido todo = RecorrerDirectorios(arbol.Raiz(), mp3, true, [](const QString&) {});
    ASSERT_EQ(Textos(todo).size(), 4) << Textos(todo).join(' ').toStdString();
    EXPECT_EQ(ficheros(todo.directorios[0]), QStringList{"raiz.mp3:2"});
    EXPECT_EQ(ficheros(todo.directorios[1]), QStringList{"uno.MP3:3"});
    EXPECT_EQ(ficheros(todo.directorios[2]), QStringList{QString::fromUtf8("Canci\u00f3n.mp3:7")});
    EXPECT_EQ(ficheros(todo.directorios[3]), QStringList{});

    QStringList avisados;
    const Recorrido raiz =
        RecorrerDirectorios(arbol.Raiz(), mp3, false, [&avisados](const QString& d) { avisados << d; });
    EXPECT_EQ(Textos(raiz), QStringList{arbol.Raiz() + '/'});
    EXPECT_EQ(ficheros(raiz.directorios[0]), QStringList{"raiz.mp3:2"});
    EXPECT_TRUE(avisados.isEmpty());
}

TEST(RecorrerDirectorios, LosEnlacesNoLlevanAUnCiclo) {
    ArbolFicheros arbol;
    arbol.Directorio("a");
    arbol.Enlace("a/arriba", arbol.Raiz()); // back to the root
    arbol.Enlace("b", arbol.Ruta("a"));     // the same directory twice
    arbol.Enlace("roto", arbol.Ruta("no_existe"));
    const Recorrido recorrido = RecorrerDirectorios(arbol.Raiz(), Todos, true, [](const QString&) {});
    const QStringList textos = Textos(recorrido);
    ASSERT_EQ(textos.size(), 2) << textos.join(' ').toStdString();
    EXPECT_TRUE(textos[1] == arbol.Raiz() + "/a/" || textos[1] == arbol.Raiz() + "/b/");
    EXPECT_TRUE(recorrido.ilegibles.isEmpty());
}

TEST(RecorrerDirectorios, UnDirectorioQueNoSePuedeLeerSeSaltaYSeSigue) {
    // The directory vanishes between being found and being listed: its listing fails.
    ArbolFicheros arbol;
    arbol.Directorio("a/a1");
    arbol.Directorio("b/b1");
    const Recorrido recorrido =
        RecorrerDirectorios(arbol.Raiz(), Todos, true, [&arbol](const QString& texto) {
            if (texto.endsWith("/b/"))
                QDir(arbol.Ruta("b")).removeRecursively();
        });
    EXPECT_EQ(recorrido.ilegibles, QStringList{arbol.Raiz() + "/b/"});
    EXPECT_TRUE(Textos(recorrido).contains(arbol.Raiz() + "/a/a1/"));
    EXPECT_FALSE(Textos(recorrido).contains(arbol.Raiz() + "/b/b1/"));
}

TEST(RecorrerDirectorios, SinPermisoDeLectura) {
    ArbolFicheros arbol;
    chmod(QFile::encodeName(arbol.Raiz()).constData(), 0755);
    arbol.Directorio("cerrado/dentro");
    arbol.Directorio("abierto/dentro");
    chmod(QFile::encodeName(arbol.Ruta("cerrado")).constData(), 0);
    const QStringList visto = RecorridoSinPrivilegios(arbol.Raiz());
    chmod(QFile::encodeName(arbol.Ruta("cerrado")).constData(), 0755);
    const qsizetype separador = visto.indexOf(QStringLiteral("|"));
    ASSERT_GE(separador, 0) << visto.join(u' ').toStdString();
    EXPECT_EQ(visto.mid(separador + 1), QStringList{arbol.Raiz() + "/cerrado/"});
    EXPECT_TRUE(visto.first(separador).contains(arbol.Raiz() + "/abierto/dentro/"));
    EXPECT_FALSE(visto.first(separador).contains(arbol.Raiz() + "/cerrado/dentro/"));
}

TEST(ListarFicheros, FicherosVisiblesQueCoincidenConSuLongitud) {
    ArbolFicheros arbol;
    arbol.Fichero("d/a.mp3", 3);
    arbol.Fichero("d/B.MP3", 5);
    arbol.Fichero("d/.oculto.mp3");
    arbol.Fichero("d/c.txt");
    arbol.Directorio("d/carpeta.mp3");
    arbol.Enlace("d/enlace.mp3", arbol.Ruta("d/a.mp3"));
    arbol.Enlace("d/roto.mp3", arbol.Ruta("d/no_existe.mp3"));
    std::vector<FicheroEncontrado> ficheros;
    ASSERT_TRUE(ListarFicheros(QFile::encodeName(arbol.Ruta("d")), PatronFicheros("*.mp3"), ficheros));
    QMap<QString, qint64> vistos;
    for (const auto& fichero : ficheros)
        vistos.insert(fichero.nombre, fichero.longitud);
    EXPECT_EQ(vistos, (QMap<QString, qint64>{{"a.mp3", 3}, {"B.MP3", 5}, {"enlace.mp3", 3}}));
    EXPECT_EQ(ficheros.size(), 3u);

    std::vector<FicheroEncontrado> ninguno;
    EXPECT_FALSE(ListarFicheros(QFile::encodeName(arbol.Ruta("no_existe")), PatronFicheros("*.*"), ninguno));
    EXPECT_TRUE(ninguno.empty());
}

TEST(ListarFicheros, SigueElOrdenDelSistemaDeFicheros) {
    ArbolFicheros arbol;
    for (const char* nombre : {"m.mp3", "b.mp3", "x.mp3", "a.mp3", "k.mp3"})
        arbol.Fichero(QStringLiteral("d/") + nombre);
    std::vector<FicheroEncontrado> ficheros;
    ASSERT_TRUE(ListarFicheros(QFile::encodeName(arbol.Ruta("d")), PatronFicheros("*.mp3"), ficheros));
    QStringList nombres;
    for (const auto& fichero : ficheros)
        nombres << fichero.nombre;
    EXPECT_EQ(nombres, QDir(arbol.Ruta("d")).entryList(QDir::Files, QDir::Unsorted));
}
