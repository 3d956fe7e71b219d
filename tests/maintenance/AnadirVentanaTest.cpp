// The button "Añadir" of the maintenance window, driven as the user does: the rows it writes, the
// progress window, the messages, the refilled trees, and the awkward trees on disk.

#include "FicherosEtiquetados.h"
#include "VentanaActualizacionPrueba.h"
#include "maintenance/ListaDirectorios.h"
#include "maintenance/frmProcesando.h"
#include "store/BBDD.h"
#include "support/UsuarioCorriente.h"
#include "support/VistasPrueba.h"
#include "trees/ArbolNodos.h"
#include "trees/Arboles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileSystemModel>
#include <qtestsupport_core.h>

namespace {

struct Fila {
    QString cabecera, ruta, autor, titulo, extension;
    int longitud, relPos;
    bool operator==(const Fila&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Fila& f) {
    return os << f.cabecera.toStdString() << '|' << f.ruta.toStdString() << '|' << f.autor.toStdString()
              << '|' << f.titulo.toStdString() << '|' << f.extension.toStdString() << '|' << f.longitud << '|'
              << f.relPos;
}

// Every row in the order written.
std::vector<Fila> Filas() {
    std::vector<Fila> filas;
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    for (; !rs->Eof(); rs->MoveNext()) {
        EXPECT_EQ(rs->Field("IDX_CANCION").toInt(), 0);
        filas.push_back({rs->Field("CABECERA").toString(), rs->Field("RUTA").toString(),
                         rs->Field("AUTOR").toString(), rs->Field("TITULO").toString(),
                         rs->Field("EXTENSION").toString(), rs->Field("LONGITUD").toInt(),
                         rs->Field("REL_POS").toInt()});
    }
    return filas;
}

QStringList Hijos(const ArbolNodos* arbol, const QString& clave) {
    QStringList textos;
    const QTreeWidgetItem* nodo = arbol->Nodo(clave);
    for (int i = 0; nodo && i < nodo->childCount(); ++i)
        textos << nodo->child(i)->text(0);
    return textos;
}

class Anadir : public VentanaActualizacion {
protected:
    // Chooses the directory (relative to the volume) and the header, and presses "Añadir".
    void Pulsar(const QString& directorio, const QString& cabecera = QStringLiteral("Disco")) {
        ASSERT_TRUE(v().dirDirectorio->SetPath(disco.Ruta(directorio), disco.Raiz()));
        v().txtCabecera->setText(cabecera);
        v().cmdAnadir->click();
    }
};

} // namespace

TEST_F(Anadir, UnArbolConSubdirectoriosEnOrdenAlfabetico) {
    disco.Fichero("Musica/b.mp3", 20);
    disco.Fichero("Musica/A.mp3", 10);
    disco.Fichero("Musica/c.MP3", 30);
    disco.Fichero("Musica/notas.txt");
    disco.Fichero("Musica/Rock/Autor -- Tema.mp3", 1234567);
    disco.Fichero("Musica/Rock/Duro/01 - Grupo -- Canción.mp3", 5);
    disco.Fichero("Musica/Pop/.oculto.mp3");
    disco.Fichero("Musica/.oculta/x.mp3");
    disco.Fichero("fuera.mp3");
    v().cmbFiltro->setCurrentText("*.mp3");
    Pulsar("Musica", "  Mi CD  ");

    EXPECT_EQ(Filas(),
              (std::vector<Fila>{{"Mi CD", "\\Musica\\", "A", " ", "mp3", 10, 1},
                                 {"Mi CD", "\\Musica\\", "b", " ", "mp3", 20, 2},
                                 {"Mi CD", "\\Musica\\", "c", " ", "MP3", 30, 3},
                                 {"Mi CD", "\\Musica\\Rock\\", "Autor", "Tema", "mp3", 1234567, 1},
                                 {"Mi CD", "\\Musica\\Rock\\Duro\\", "01 - Grupo", "Canción", "mp3", 5, 1}}));
    EXPECT_TRUE(guion.mensajes.empty());

    frmProcesando* procesando = v().Procesando();
    ASSERT_NE(procesando, nullptr);
    EXPECT_EQ(procesando->windowTitle(), "Terminado");
    EXPECT_TRUE(procesando->txtNombreDir->text().isEmpty());
    EXPECT_TRUE(procesando->cmdHecho->isEnabled());
    EXPECT_EQ(procesando->ProgressBar->value(), procesando->ProgressBar->maximum());

    // The trees were filled again from the reopened catalogue.
    EXPECT_EQ(Hijos(v().TreeViewEliminar, Arboles::ClaveRaiz), QStringList{"Mi CD"});
    EXPECT_EQ(Hijos(v().TreeViewModificar, Arboles::ClaveCabecera(1)),
              (QStringList{"\\Musica\\", "\\Musica\\Rock\\", "\\Musica\\Rock\\Duro\\"}));

    procesando->cmdHecho->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(v().Procesando(), nullptr);
}

// "Leer letras y etiquetas", off by default: ticked, the lyrics beside the files are stored and counted.
TEST_F(Anadir, LeerLetrasCuentaLasLetrasEncontradas) {
    EXPECT_EQ(v().chkLeerLetras->text(), "Leer &letras y etiquetas");
    EXPECT_FALSE(v().chkLeerLetras->isChecked());
    disco.Fichero("M/A -- Uno.mp3");
    disco.Fichero("M/A -- Dos.mp3");
    QFile lrc(disco.Ruta("M/A -- Uno.lrc"));
    lrc.open(QIODevice::WriteOnly);
    lrc.write("[00:01.00]La letra");
    lrc.close();
    v().cmbFiltro->setCurrentText("*.mp3");
    v().chkLeerLetras->setChecked(true);
    Pulsar("M");
    EXPECT_EQ(v().Procesando()->txtNombreDir->text(), "Se ha encontrado 1 letra.");
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT LYRICS FROM LETRAS, CANCIONES WHERE "
                                                            "LETRAS.IDX_CANCION = CANCIONES.IDX_CANCION"));
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Field(0).toString(), "La letra");
}

// A tag too long for the catalogue does not stop the scan: that song keeps its file name, and a message
// names the file once the scan is done.
TEST_F(Anadir, UnaEtiquetaDemasiadoLargaNoDetieneLaBusquedaYSeNombra) {
    disco.Directorio("M");
    etiquetados::EscribirFlac(disco.Ruta("M/pista1.flac"), QStringLiteral("TITLE"), QString(4118, u't'));
    etiquetados::EscribirMp3(disco.Ruta("M/pista2.mp3"),
                             {QStringLiteral("Luis"), QStringLiteral("Detrás"), {}});
    v().chkLeerLetras->setChecked(true);
    Pulsar("M");
    const std::vector<Fila> filas = Filas();
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0].autor, "pista1");
    EXPECT_EQ(filas[0].titulo, " ");
    EXPECT_EQ(filas[1].titulo, "Detrás");
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].titulo, "Etiquetas no admitidas");
    EXPECT_TRUE(guion.mensajes[0].texto.contains(disco.Ruta("M/pista1.flac")))
        << guion.mensajes[0].texto.toStdString();
    EXPECT_EQ(v().Procesando()->windowTitle(), "Terminado");
}

// A file or a folder whose name the catalogue cannot hold (U+FFFF) does not stop the scan: it is left
// out, the other files are catalogued, and the message names what was left out.
TEST_F(Anadir, UnNombreQueElCatalogoNoAdmiteSeOmiteYSeNombra) {
    const QString raro(QChar(0xFFFF));
    disco.Fichero("M/a.mp3");
    disco.Fichero("M/b" + raro + ".mp3");
    disco.Fichero("M/c" + raro + "/dentro.mp3");
    disco.Fichero("M/d/despues.mp3");
    Pulsar("M");
    std::vector<QString> rutas;
    for (const Fila& fila : Filas())
        rutas.push_back(fila.ruta + fila.autor);
    EXPECT_EQ(rutas, (std::vector<QString>{"\\M\\a", "\\M\\d\\despues"}));
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].titulo, "Ficheros omitidos");
    for (const QString& omitido : {disco.Ruta("M/b" + raro + ".mp3"), disco.Ruta("M/c" + raro) + '/'})
        EXPECT_TRUE(guion.mensajes[0].texto.contains(omitido)) << guion.mensajes[0].texto.toStdString();
    EXPECT_EQ(v().Procesando()->windowTitle(), "Terminado");
}

TEST_F(Anadir, SinSubdirectoriosNiOrdenSigueAlSistemaDeFicheros) {
    for (const char* nombre : {"m.mp3", "b.mp3", "x.mp3", "a.mp3", "k.mp3"})
        disco.Fichero(QStringLiteral("Musica/") + nombre);
    disco.Fichero("Musica/Rock/no.mp3");
    v().chkIncluirSubdirectorios->setChecked(false);
    v().chkOrdenar->setChecked(false);
    Pulsar("Musica");

    QStringList esperados = QDir(disco.Ruta("Musica")).entryList(QDir::Files, QDir::Unsorted);
    std::vector<Fila> filas = Filas();
    ASSERT_EQ(filas.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(filas[i].autor + ".mp3", esperados[i]);
        EXPECT_EQ(filas[i].relPos, i + 1);
        EXPECT_EQ(filas[i].ruta, "\\Musica\\");
    }
}

TEST_F(Anadir, OpcionesDelNombreYRaizDelVolumen) {
    disco.Fichero("03 - Mi_Cancion -- Mi_Grupo.mp3", 1);
    v().chkQuitarNumeros->setChecked(true);
    v().cmbNumeros->setCurrentText("01 -");
    v().chkConvertirUnderscore->setChecked(true);
    v().optPrimeroTitulo->setChecked(true);
    Pulsar("");
    EXPECT_EQ(Filas(), (std::vector<Fila>{{"Disco", "\\", "Mi Grupo", "Mi Cancion", "mp3", 1, 1}}));
}

TEST_F(Anadir, LaMismaRutaDosVecesGuardaTodoDosVeces) {
    disco.Fichero("R/a.mp3");
    disco.Fichero("R/b.mp3");
    Pulsar("R");
    v().Procesando()->cmdHecho->click();
    Pulsar("R");
    std::vector<Fila> filas = Filas();
    ASSERT_EQ(filas.size(), 4u);
    EXPECT_EQ(filas[0], filas[2]);
    EXPECT_EQ(filas[1], filas[3]);
    EXPECT_EQ(filas[1].relPos, 2);
}

TEST_F(Anadir, MensajesQueDetienenAntesDeBuscar) {
    disco.Fichero("a.mp3");
    struct Caso {
        QString cabecera;
        bool quitarNumeros;
        QString formato;
        QString texto;
    };
    const Caso casos[] = {
        {"", false, "01", "¡Debe introducir una Cabecera!  "},
        {"    ", false, "01", "¡Debe introducir una Cabecera!  "},
        {"Disco", true, "", "¡Debe introducir un formato de Número!  "},
    };
    for (const Caso& caso : casos) {
        guion.mensajes.clear();
        v().chkQuitarNumeros->setChecked(caso.quitarNumeros);
        v().cmbNumeros->setCurrentText(caso.formato);
        Pulsar("", caso.cabecera);
        ASSERT_EQ(guion.mensajes.size(), 1u) << caso.texto.toStdString();
        EXPECT_EQ(guion.mensajes[0].texto, caso.texto);
        EXPECT_EQ(guion.mensajes[0].titulo, "Error");
        EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Exclamacion);
        EXPECT_EQ(guion.mensajes[0].botones, BotonesMensaje::Aceptar);
        EXPECT_EQ(v().Procesando(), nullptr);
    }
    EXPECT_TRUE(Filas().empty());
}

TEST_F(Anadir, NingunFicheroEncontrado) {
    catalogo.AnadirCancion("Antes", "\\R\\", "A", "T");
    disco.Fichero("sub/a.mp3");
    v().cmbFiltro->setCurrentText("*.vqf");
    Pulsar("");
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].texto, "¡No se han encontrado ficheros!  ");
    EXPECT_EQ(guion.mensajes[0].titulo, "Ficheros: *.vqf");
    EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Exclamacion);
    EXPECT_EQ(Filas().size(), 1u);
    EXPECT_EQ(Hijos(v().TreeViewEliminar, Arboles::ClaveRaiz), QStringList{"Antes"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(v().Procesando(), nullptr);
}

// The chosen folder disappears before "Añadir": it stays chosen, a message names it, and nothing is
// written (its parent is not catalogued in its place).
TEST_F(Anadir, UnaCarpetaQueDesapareceNoSeCambiaPorSuPadre) {
    disco.Fichero("padre/hija/a.mp3");
    disco.Fichero("padre/b.mp3");
    ListaDirectorios& lista = *v().dirDirectorio;
    const auto& modelo = static_cast<const QFileSystemModel&>(*lista.model());
    QStringList leidas;
    QObject::connect(&modelo, &QFileSystemModel::directoryLoaded, &lista,
                     [&](const QString& leida) { leidas << leida; });
    ASSERT_TRUE(lista.SetPath(disco.Ruta("padre/hija"), disco.Raiz()));
    ASSERT_EQ(lista.currentIndex(), modelo.index(disco.Ruta("padre/hija")));
    // The list watches a folder once it has read it.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return leidas.contains(QDir::cleanPath(disco.Ruta("padre"))); }, 10000));
    ASSERT_TRUE(QDir(disco.Ruta("padre/hija")).removeRecursively());
    // The list notices and drops the row, which moves its current row elsewhere; the choice stays.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !modelo.index(disco.Ruta("padre/hija")).isValid(); }, 10000))
        << "the directory list never dropped the row of the folder that disappeared";
    EXPECT_EQ(lista.Path().toStdString(), QDir::cleanPath(disco.Ruta("padre/hija")).toStdString());
    v().txtCabecera->setText("Disco");
    v().cmdAnadir->click();
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(guion.mensajes[0].texto.startsWith("La carpeta elegida ya no existe:"));
    EXPECT_TRUE(Filas().empty());
}

TEST_F(Anadir, UnEnlaceAlPadreNoHaceQueLaBusquedaNoTermine) {
    disco.Fichero("M/a.mp3");
    disco.Fichero("M/S/b.mp3");
    disco.Enlace("M/S/vuelta", disco.Ruta("M"));
    Pulsar("M");
    EXPECT_EQ(Filas(), (std::vector<Fila>{{"Disco", "\\M\\", "a", " ", "mp3", 10, 1},
                                          {"Disco", "\\M\\S\\", "b", " ", "mp3", 10, 1}}));
}

TEST_F(Anadir, DirectoriosQueNoSePuedenLeerSeSaltanYSeNombran) {
    // A directory deeper than any path the system opens cannot be read, by root as by anyone.
    disco.Fichero("M/a.mp3");
    const QString nivel(200, 'n');
    int descriptor = ::open(QFile::encodeName(disco.Ruta("M")).constData(), O_RDONLY | O_DIRECTORY);
    QString hondo = disco.Ruta("M");
    for (int i = 0; i < 25; ++i) {
        mkdirat(descriptor, QFile::encodeName(nivel).constData(), 0755);
        const int siguiente =
            openat(descriptor, QFile::encodeName(nivel).constData(), O_RDONLY | O_DIRECTORY);
        ::close(descriptor);
        descriptor = siguiente;
        hondo += '/' + nivel;
        if (hondo.size() > 4200)
            break;
    }
    ::close(openat(descriptor, "b.mp3", O_CREAT | O_WRONLY, 0644));
    ::close(descriptor);

    Pulsar("M");
    EXPECT_EQ(Filas(), (std::vector<Fila>{{"Disco", "\\M\\", "a", " ", "mp3", 10, 1}}));
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].titulo, "Ficheros omitidos");
    EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Exclamacion);
    EXPECT_TRUE(
        guion.mensajes[0].texto.startsWith("No se han podido leer estos directorios, que se han saltado:\n"));
    EXPECT_TRUE(guion.mensajes[0].texto.contains(QString(50, 'n') + '/'))
        << guion.mensajes[0].texto.toStdString();
    EXPECT_TRUE(v().Procesando()->cmdHecho->isEnabled());
}

TEST_F(Anadir, DirectorioSinPermisoSeSaltaYSeNombra) {
    if (RepetidaComoUsuarioCorriente())
        return;
    disco.Fichero("M/a.mp3");
    disco.Fichero("M/cerrado/b.mp3");
    chmod(QFile::encodeName(disco.Ruta("M/cerrado")).constData(), 0);
    Pulsar("M");
    chmod(QFile::encodeName(disco.Ruta("M/cerrado")).constData(), 0755);
    EXPECT_EQ(Filas().size(), 1u);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(guion.mensajes[0].texto.contains(disco.Ruta("M/cerrado/")));
}

TEST_F(Anadir, NombresRarosSeGuardanYSeListanComoSon) {
    disco.Fichero("R/O'Brien -- \"Hola\" #1 [en vivo] *.mp3");
    disco.FicheroBytes("R", "Caf\xe9 -- T\xedtulo.mp3");
    Pulsar("R");
    std::vector<Fila> filas = Filas();
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0].autor, "Café");
    EXPECT_EQ(filas[1].titulo, "\"Hola\" #1 [en vivo] *");

    v().Procesando()->cmdHecho->click();
    v().TreeViewEliminar->Seleccionar(Arboles::ClaveRuta(1, 1));
    v().TreeViewEliminar_Click();
    ASSERT_EQ(::Filas(v().listaCancionesEliminar), 2);
    EXPECT_EQ(Celda(v().listaCancionesEliminar, 0), "Café -- Título");
    EXPECT_EQ(Celda(v().listaCancionesEliminar, 1), "O'Brien -- \"Hola\" #1 [en vivo] *");
}
