// The start-up sequence run as the program runs it, over a program directory of the test's own.

#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "queries/frmConsultas.h"
#include "shell/Estado.h"
#include "shell/Twips.h"
#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "shell/frmLoader.h"
#include "store/BBDD.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"
#include "trees/ArbolNodos.h"
#include "trees/GestorArboles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class Arranque : public ::testing::Test {
protected:
    void SetUp() override {
        servicios = &InstalarServiciosGuionados();
        servicios->directorioPrograma = programa.path();
    }
    void TearDown() override {
        BBDD::CerrarBaseDatos();
        Ventanas::Destruir();
    }
    bool Arrancar() {
        frmLoader presentacion;
        const bool arrancado = presentacion.Form_Load();
        EXPECT_FALSE(presentacion.isVisible()) << "the splash window must be gone at the end";
        return arrancado;
    }
    QString Ruta(const QString& nombre) const { return QDir(programa.path()).filePath(nombre); }
    QByteArray Contenido(const QString& nombre) const {
        QFile fichero(Ruta(nombre));
        EXPECT_TRUE(fichero.open(QIODevice::ReadOnly));
        return fichero.readAll();
    }
    void Escribir(const QString& nombre, const QByteArray& contenido) const {
        QDir().mkpath(QFileInfo(Ruta(nombre)).path());
        QFile fichero(Ruta(nombre));
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write(contenido);
    }
    static std::vector<ArbolNodos*> Arboles() {
        return {Ventanas::Lista().TreeViewLista, Ventanas::Actualizacion().TreeViewEliminar,
                Ventanas::Actualizacion().TreeViewModificar};
    }

    QTemporaryDir programa;
    ServiciosGuionados* servicios = nullptr;
};

TEST_F(Arranque, SinCatalogoCreaElFicheroVacioYMuestraSoloLaLista) {
    Estado::EstiloLetras.NombreFuente = QStringLiteral("Courier");
    Estado::EstiloLetras.ColorFondo = 0;
    GestorArboles::Instancia().SetSincronizados(false);

    ASSERT_TRUE(Arrancar());

    EXPECT_TRUE(servicios->mensajes.empty());
    EXPECT_EQ(BBDD::RutaBaseDatos, QDir::toNativeSeparators(Ruta(QStringLiteral("Cantorio.mdb"))));
    ASSERT_TRUE(BBDD::BaseDatos);
    const QStringList tablas = BBDD::BaseDatos->TableNames();
    EXPECT_TRUE(tablas.contains(QStringLiteral("CANCIONES")) && tablas.contains(QStringLiteral("LETRAS")))
        << tablas.join(',').toStdString();
    EXPECT_TRUE(BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"))->Eof());
    EXPECT_TRUE(BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"))->Eof());

    for (ArbolNodos* arbol : Arboles()) {
        ASSERT_EQ(arbol->topLevelItemCount(), 1);
        EXPECT_EQ(arbol->Texto(QStringLiteral("RAIZ")), QStringLiteral("Canciones"));
        EXPECT_EQ(arbol->topLevelItem(0)->childCount(), 0);
    }

    EXPECT_TRUE(Ventanas::Lista().isVisible());
    EXPECT_FALSE(Ventanas::Consultas().isVisible());
    EXPECT_FALSE(Ventanas::Actualizacion().isVisible());
    EXPECT_FALSE(Ventanas::Aux().isVisible());

    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Cantorio v1\\.2\\.\\d+$"))
                    .match(Estado::VersionPrograma)
                    .hasMatch())
        << Estado::VersionPrograma.toStdString();
    EXPECT_EQ(Estado::EstiloLetras.NombreFuente, QStringLiteral("Arial"));
    EXPECT_EQ(Estado::EstiloLetras.ColorFondo, 12640511u);
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());
    EXPECT_TRUE(Ventanas::Lista().mnuOpcionesGuardarSincronismo->isChecked());
    EXPECT_TRUE(Ventanas::Actualizacion().mnuOpcionesGuardarSincronismo->isChecked());
}

TEST_F(Arranque, ConCatalogoLlenaLosTresArbolesIgual) {
    {
        BBDD::RutaBaseDatos = Ruta(QStringLiteral("Cantorio.mdb"));
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
        auto canciones = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
        const std::pair<const char*, const char*> filas[] = {
            {"Rock", "\\Clasicos\\"}, {"Rock", "\\Clasicos\\"}, {"Rock", "\\Nuevos\\"}, {"Jazz", "\\"}};
        int posicion = 0;
        for (const auto& [cabecera, ruta] : filas) {
            canciones->AddNew();
            canciones->SetField(QStringLiteral("CABECERA"), QString::fromUtf8(cabecera));
            canciones->SetField(QStringLiteral("RUTA"), QString::fromUtf8(ruta));
            canciones->SetField(QStringLiteral("AUTOR"), QStringLiteral("Autor"));
            canciones->SetField(QStringLiteral("TITULO"), QStringLiteral("Titulo"));
            canciones->SetField(QStringLiteral("EXTENSION"), QStringLiteral("mp3"));
            canciones->SetField(QStringLiteral("LONGITUD"), 100);
            canciones->SetField(QStringLiteral("IDX_CANCION"), 0);
            canciones->SetField(QStringLiteral("REL_POS"), ++posicion);
            canciones->Update();
        }
        canciones.reset();
        BBDD::CerrarBaseDatos();
    }
    ASSERT_TRUE(Arrancar());

    EXPECT_TRUE(servicios->mensajes.empty());
    EXPECT_TRUE(BBDD::RecordsetCanciones);
    // Headers in the catalogue's order (Jazz before Rock), routes under their header.
    const std::pair<const char*, const char*> nodos[] = {{"1-000001-000001", "Jazz"},
                                                         {"2-000001-000001", "\\"},
                                                         {"1-000001-000002", "Rock"},
                                                         {"2-000002-000001", "\\Clasicos\\"},
                                                         {"2-000002-000002", "\\Nuevos\\"}};
    for (ArbolNodos* arbol : Arboles()) {
        for (const auto& [clave, texto] : nodos)
            EXPECT_EQ(arbol->Texto(QString::fromLatin1(clave)), QString::fromUtf8(texto)) << clave;
        EXPECT_EQ(arbol->Nodo(QStringLiteral("RAIZ"))->childCount(), 2);
        EXPECT_FALSE(arbol->Nodo(QStringLiteral("2-000002-000003")));
    }
    EXPECT_TRUE(Ventanas::Lista().isVisible());
}

TEST_F(Arranque, UnFicheroDeCeroBytesSeTrataComoAusente) {
    Escribir(QStringLiteral("Cantorio.mdb"), QByteArray());

    ASSERT_TRUE(Arrancar());

    EXPECT_TRUE(servicios->mensajes.empty());
    EXPECT_GT(QFileInfo(Ruta(QStringLiteral("Cantorio.mdb"))).size(), 0);
    EXPECT_TRUE(BBDD::BaseDatos->TableNames().contains(QStringLiteral("CANCIONES")));
    EXPECT_TRUE(Ventanas::Lista().isVisible());
}

TEST_F(Arranque, UnDirectorioTerminadoEnSeparadorNoLoDobla) {
    servicios->directorioPrograma = QDir::toNativeSeparators(programa.path()) + QDir::separator();
    ASSERT_TRUE(Arrancar());
    EXPECT_EQ(BBDD::RutaBaseDatos, QDir::toNativeSeparators(Ruta(QStringLiteral("Cantorio.mdb"))));
}

// A file under the catalogue's name that is not a catalogue: one clear message, the program ends, and
// the file (and the directory) stay exactly as they were.
TEST_F(Arranque, UnFicheroAjenoSeDejaIntactoYSeExplica) {
    const QString nombre = QStringLiteral("Cantorio.mdb");
    struct Caso {
        const char* que;
        std::function<void()> preparar;
    };
    const Caso casos[] = {
        {"texto",
         [&] { Escribir(nombre, QByteArray("Lista de la compra:\r\npan\r\nleche\r\n").repeated(300)); }},
        {"otra base SQLite",
         [&] {
             sqlite3* conexion = nullptr;
             ASSERT_EQ(sqlite3_open(Ruta(nombre).toUtf8().constData(), &conexion), SQLITE_OK);
             ASSERT_EQ(sqlite3_exec(conexion, "CREATE TABLE CANCIONES(x); INSERT INTO CANCIONES VALUES (1);",
                                    nullptr, nullptr, nullptr),
                       SQLITE_OK);
             sqlite3_close(conexion);
         }},
        {"cabecera SQLite rota",
         [&] { Escribir(nombre, QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\x7f')); }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        QFile::remove(Ruta(nombre));
        caso.preparar();
        const QByteArray antes = Contenido(nombre);
        const QStringList ficherosAntes = QDir(programa.path()).entryList(QDir::Files | QDir::Hidden);
        servicios->mensajes.clear();

        EXPECT_FALSE(Arrancar());

        ASSERT_EQ(servicios->mensajes.size(), 1u);
        const Mensaje& mensaje = servicios->mensajes.front();
        EXPECT_TRUE(mensaje.texto.startsWith(QStringLiteral("No se puede abrir el catálogo.\n\n")))
            << mensaje.texto.toStdString();
        EXPECT_TRUE(mensaje.texto.contains(BBDD::RutaBaseDatos)) << "the message names the file";
        EXPECT_TRUE(mensaje.texto.endsWith(QStringLiteral("Cantorio se cerrará.")))
            << mensaje.texto.toStdString();
        EXPECT_EQ(mensaje.icono, IconoMensaje::Critico);
        EXPECT_EQ(mensaje.botones, BotonesMensaje::Aceptar);
        EXPECT_FALSE(Ventanas::Lista().isVisible());
        BBDD::CerrarBaseDatos();
        Ventanas::Destruir();
        EXPECT_EQ(Contenido(nombre), antes);
        EXPECT_EQ(QDir(programa.path()).entryList(QDir::Files | QDir::Hidden), ficherosAntes);
    }
}

TEST_F(Arranque, UnDiarioAjenoJuntoAlCatalogoSeApartaYSeExplica) {
    BBDD::RutaBaseDatos = Ruta(QStringLiteral("Cantorio.mdb"));
    BBDD::CrearBaseDatos();
    {
        BBDD::AbrirBaseDatos();
        BBDD::BaseDatos->Execute(
            QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, "
                           "LONGITUD, IDX_CANCION, REL_POS) VALUES ('Rock', '\\', 'A', 'T', "
                           "'mp3', 1, 0, 1)"));
        BBDD::CerrarBaseDatos();
    }
    // The -wal that a crash of another program's database leaves behind.
    sqlite3* otra = nullptr;
    ASSERT_EQ(sqlite3_open(Ruta(QStringLiteral("otra.db")).toUtf8().constData(), &otra), SQLITE_OK);
    sqlite3_exec(
        otra,
        "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; CREATE TABLE T (X); WITH RECURSIVE "
        "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) INSERT INTO T SELECT i FROM n;",
        nullptr, nullptr, nullptr);
    Escribir(QStringLiteral("Cantorio.mdb-wal"), Contenido(QStringLiteral("otra.db-wal")));
    sqlite3_close(otra);
    const QByteArray antes = Contenido(QStringLiteral("Cantorio.mdb"));

    ASSERT_TRUE(Arrancar());

    ASSERT_EQ(servicios->mensajes.size(), 1u);
    const Mensaje& mensaje = servicios->mensajes.front();
    EXPECT_TRUE(mensaje.texto.contains(QStringLiteral("no le pertenece"))) << mensaje.texto.toStdString();
    EXPECT_TRUE(mensaje.texto.contains(QStringLiteral("Cantorio.mdb-wal.ajeno-")))
        << mensaje.texto.toStdString();
    EXPECT_EQ(mensaje.icono, IconoMensaje::Exclamacion);
    EXPECT_EQ(Ventanas::Lista().TreeViewLista->Texto(QStringLiteral("1-000001-000001")),
              QStringLiteral("Rock"));
    BBDD::CerrarBaseDatos();
    EXPECT_EQ(Contenido(QStringLiteral("Cantorio.mdb")), antes);
}

// The three main windows share one position, centred after the maintenance window's size; on a screen
// smaller than the window it is negative and the windows stand partly off the screen.
TEST_F(Arranque, LasVentanasSeColocanEnLaPosicionCompartida) {
    const QSize pantallas[] = {
        {Twips(1920), Twips(1080)}, {Twips(320), Twips(200)}, {Twips(1921), Twips(201)}};
    for (const QSize& pantalla : pantallas) {
        SCOPED_TRACE(pantalla.width());
        servicios->pantalla = pantalla;
        ASSERT_TRUE(Arrancar());
        const frmActualizacion& actualizacion = Ventanas::Actualizacion();
        EXPECT_EQ(Estado::VentanaIzda, (pantalla.width() - Twips(actualizacion.width())) / 2);
        EXPECT_EQ(Estado::VentanaArriba, (pantalla.height() - Twips(actualizacion.height())) / 2);
        if (pantalla.width() < Twips(actualizacion.width())) {
            EXPECT_LT(Estado::VentanaIzda, 0);
        }
        const QPoint esperada(Pixeles(Estado::VentanaIzda), Pixeles(Estado::VentanaArriba));
        EXPECT_EQ(Ventanas::Actualizacion().pos(), esperada);
        EXPECT_EQ(Ventanas::Consultas().pos(), esperada);
        EXPECT_EQ(Ventanas::Lista().pos(), esperada);
        BBDD::CerrarBaseDatos();
        Ventanas::Destruir();
    }
}

TEST_F(Arranque, LaFilaDeHerramientasTomaSusDibujosYQuedaEnUnaLinea) {
    ASSERT_TRUE(Arrancar());
    frmLista& lista = Ventanas::Lista();
    const std::pair<QLabel*, const char*> fila[] = {
        {lista.imgIzda, "peq_Izda"},      {lista.imgExpandRaiz, "peq_RaizCerr1"},
        {lista.imgSep1, "peq_Separador"}, {lista.imgExpandCabecera, "peq_Cab1"},
        {lista.imgSep2, "peq_Separador"}, {lista.imgExpandRuta, "peq_Rut1"},
        {lista.imgSep3, "peq_Separador"}, {lista.imgImprimir, "peq_Imp1"},
        {lista.imgDcha, "peq_Dcha"},
    };
    const QLabel* anterior = nullptr;
    for (const auto& [imagen, clave] : fila) {
        SCOPED_TRACE(clave);
        const QPixmap esperado = lista.ImageList.value(QString::fromLatin1(clave));
        ASSERT_FALSE(esperado.isNull());
        EXPECT_EQ(imagen->pixmap().toImage(), esperado.toImage());
        EXPECT_GT(imagen->width(), 0);
        if (anterior) {
            EXPECT_EQ(imagen->x(), anterior->x() + anterior->width());
            EXPECT_EQ(imagen->y(), anterior->y());
        }
        anterior = imagen;
    }
}

// First run of the help: only Ayuda.zip present reminds the user on every start and hands the zip to
// the system; once the page is unpacked the zip goes; without the zip nothing happens.
TEST_F(Arranque, ComprobacionDeLaAyuda) {
    struct Caso {
        bool zip;
        bool pagina;
        bool avisa;
        bool quedaZip;
    };
    const Caso casos[] = {
        {false, false, false, false},
        {false, true, false, false},
        {true, true, false, false},
        {true, false, true, true},
    };
    const QString zip = Ruta(QStringLiteral("Ayuda.zip"));
    for (const Caso& caso : casos) {
        SCOPED_TRACE(::testing::Message() << "zip " << caso.zip << ", pagina " << caso.pagina);
        QFile::remove(zip);
        QDir(Ruta(QStringLiteral("Ayuda"))).removeRecursively();
        if (caso.zip)
            Escribir(QStringLiteral("Ayuda.zip"), "PK\x03\x04");
        if (caso.pagina)
            Escribir(QStringLiteral("Ayuda/index.html"), "<html></html>");
        servicios->mensajes.clear();
        servicios->abiertos.clear();

        ASSERT_TRUE(Arrancar());

        EXPECT_EQ(QFile::exists(zip), caso.quedaZip);
        EXPECT_EQ(QFile::exists(Ruta(QStringLiteral("Ayuda/index.html"))), caso.pagina);
        if (caso.avisa) {
            ASSERT_EQ(servicios->mensajes.size(), 1u);
            const Mensaje& aviso = servicios->mensajes.front();
            EXPECT_EQ(aviso.texto, QStringLiteral("Debe descomprimir el fichero de ayuda en: ") +
                                       QDir::toNativeSeparators(programa.path()) + QDir::separator());
            EXPECT_EQ(aviso.titulo, QStringLiteral("Primera ejecución del Cantorio"));
            EXPECT_EQ(aviso.botones, BotonesMensaje::Aceptar);
            EXPECT_EQ(servicios->abiertos, QStringList{QDir::toNativeSeparators(zip)});
        } else {
            EXPECT_TRUE(servicios->mensajes.empty());
            EXPECT_TRUE(servicios->abiertos.isEmpty());
        }
        BBDD::CerrarBaseDatos();
        Ventanas::Destruir();
    }
}

} // namespace
