// "&Ver" and "&?" of the three main windows: switching at the shared position, help, and the end of
// the run.

#include "shell/MenusComunes.h"
#include "list/frmLista.h"
#include "lyrics/frmCancion.h"
#include "maintenance/frmActualizacion.h"
#include "queries/frmConsultas.h"
#include "shell/Estado.h"
#include "shell/Posicion.h"
#include "shell/Twips.h"
#include "shell/Ventanas.h"
#include "store/BBDD.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QMainWindow& Ventana(VentanaPrincipal cual) {
    switch (cual) {
    case VentanaPrincipal::Actualizacion:
        return Ventanas::Actualizacion();
    case VentanaPrincipal::Consultas:
        return Ventanas::Consultas();
    case VentanaPrincipal::Lista:
        break;
    }
    return Ventanas::Lista();
}

const char* Elemento(VentanaPrincipal cual) {
    switch (cual) {
    case VentanaPrincipal::Actualizacion:
        return "mnuVerActualizacion";
    case VentanaPrincipal::Consultas:
        return "mnuVerConsultas";
    case VentanaPrincipal::Lista:
        break;
    }
    return "mnuVerLista";
}

QAction* Accion(QMainWindow& ventana, const char* nombre) {
    auto* accion = ventana.findChild<QAction*>(QString::fromLatin1(nombre));
    EXPECT_TRUE(accion) << nombre;
    return accion;
}

const VentanaPrincipal todas[] = {VentanaPrincipal::Actualizacion, VentanaPrincipal::Consultas,
                                  VentanaPrincipal::Lista};

class Menus : public ::testing::Test {
protected:
    void SetUp() override { servicios.directorioPrograma = QStringLiteral("/opt/cantorio"); }
    void Mostrar(VentanaPrincipal cual, QPoint posicion) {
        for (QMainWindow* ventana : Ventanas::Principales())
            ventana->hide();
        // Where the window stands is where it comes back to when it is activated.
        RecordarPosicion(posicion);
        Ventana(cual).move(posicion);
        Ventana(cual).show();
    }

    ServiciosGuionados& servicios = InstalarServiciosGuionados();
    CatalogoPrueba catalogo;
    VentanasPrueba ventanas;
};

TEST_F(Menus, CadaVentanaMarcaSuPropioElementoConSuAtajo) {
    const std::pair<VentanaPrincipal, QKeySequence> atajos[] = {
        {VentanaPrincipal::Actualizacion, QKeySequence(QStringLiteral("Ctrl+A"))},
        {VentanaPrincipal::Consultas, QKeySequence(QStringLiteral("Ctrl+C"))},
        {VentanaPrincipal::Lista, QKeySequence(QStringLiteral("Ctrl+L"))},
    };
    for (VentanaPrincipal propia : todas) {
        QMainWindow& ventana = Ventana(propia);
        SCOPED_TRACE(ventana.windowTitle().toStdString());
        auto* ver = ventana.findChild<QMenu*>(QStringLiteral("mnuVer"));
        ASSERT_TRUE(ver);
        QStringList textos;
        for (const QAction* accion : ver->actions())
            textos << (accion->isSeparator() ? QStringLiteral("-") : accion->text());
        EXPECT_EQ(textos,
                  (QStringList{QStringLiteral("&Actualización"), QStringLiteral("&Consultas"),
                               QStringLiteral("&Lista"), QStringLiteral("-"), QStringLiteral("&Salir")}));
        for (const auto& [cual, atajo] : atajos) {
            QAction* accion = Accion(ventana, Elemento(cual));
            EXPECT_EQ(accion->shortcut(), atajo);
            EXPECT_EQ(accion->isChecked(), cual == propia);
        }
        EXPECT_TRUE(Accion(ventana, "mnuVerSalir")->shortcut().isEmpty());

        // Choosing the checked item does nothing: the mark stays and so does the window.
        Mostrar(propia, {40, 30});
        Accion(ventana, Elemento(propia))->trigger();
        EXPECT_TRUE(Accion(ventana, Elemento(propia))->isChecked());
        EXPECT_TRUE(ventana.isVisible());
        for (VentanaPrincipal otra : todas) {
            if (otra != propia) {
                EXPECT_FALSE(Ventana(otra).isVisible());
            }
        }
    }
}

TEST_F(Menus, CambiarDeVentanaLaMuestraDondeEstabaLaAnterior) {
    int paso = 0;
    for (VentanaPrincipal desde : todas)
        for (VentanaPrincipal hacia : todas) {
            if (desde == hacia)
                continue;
            ++paso;
            const QPoint donde(100 + 7 * paso, 60 + 3 * paso);
            Mostrar(desde, donde);
            Accion(Ventana(desde), Elemento(hacia))->trigger();
            SCOPED_TRACE(Ventana(desde).windowTitle().toStdString() + " -> " +
                         Ventana(hacia).windowTitle().toStdString());
            EXPECT_TRUE(Ventana(hacia).isVisible());
            EXPECT_FALSE(Ventana(desde).isVisible());
            EXPECT_EQ(Ventana(hacia).pos(), donde);
            EXPECT_EQ(Estado::VentanaIzda, Twips(donde.x()));
            EXPECT_EQ(Estado::VentanaArriba, Twips(donde.y()));
        }
}

TEST_F(Menus, IdaYVueltaDejaAmbasDondeSeDejoLaLista) {
    Mostrar(VentanaPrincipal::Lista, {20, 20});
    Ventanas::Lista().move(333, 144); // the user moves the list window
    Accion(Ventanas::Lista(), "mnuVerActualizacion")->trigger();
    Accion(Ventanas::Actualizacion(), "mnuVerLista")->trigger();
    EXPECT_TRUE(Ventanas::Lista().isVisible());
    EXPECT_EQ(Ventanas::Lista().pos(), QPoint(333, 144));
    EXPECT_EQ(Ventanas::Actualizacion().pos(), QPoint(333, 144));
}

TEST_F(Menus, ElEspacioDeConsultasMaximizadoVuelveAlNormalAntesDeCambiar) {
    frmConsultas& consultas = Ventanas::Consultas();
    Mostrar(VentanaPrincipal::Consultas, {210, 120});
    const QPoint normal = consultas.pos();
    consultas.showMaximized();
    ASSERT_TRUE(consultas.isMaximized());

    Accion(consultas, "mnuVerLista")->trigger();

    EXPECT_FALSE(consultas.isMaximized());
    EXPECT_FALSE(consultas.isVisible());
    EXPECT_EQ(Ventanas::Lista().pos(), normal);
}

// Opened by the system's viewer without a word; a system without one says where the page is.
TEST_F(Menus, AyudaAbreLaPaginaJuntoAlPrograma) {
    const QString pagina = QDir::toNativeSeparators(QStringLiteral("/opt/cantorio/Ayuda/index.html"));
    for (const bool hayVisor : {true, false}) {
        servicios.hayVisor = hayVisor;
        for (VentanaPrincipal cual : todas) {
            servicios.abiertos.clear();
            servicios.mensajes.clear();
            Accion(Ventana(cual), "mnuAyudaAyuda")->trigger();
            EXPECT_EQ(servicios.abiertos, QStringList{pagina});
            if (hayVisor) {
                EXPECT_TRUE(servicios.mensajes.empty());
                continue;
            }
            ASSERT_EQ(servicios.mensajes.size(), 1u);
            EXPECT_EQ(servicios.mensajes[0].texto,
                      "No se puede abrir la ayuda: el sistema no tiene un visor de "
                      "páginas web. La ayuda está en: " +
                          pagina);
            EXPECT_EQ(servicios.mensajes[0].icono, IconoMensaje::Exclamacion);
        }
    }
}

// A window open beside the main ones whose closing steps must not run when the program ends.
class VentanaCancion : public QWidget {
public:
    int cierres = 0;

protected:
    void closeEvent(QCloseEvent* evento) override {
        ++cierres;
        evento->accept();
    }
};

// The ways the end of the run is asked for while a main window is shown: its "&Salir", closing it (its
// close button, the window manager), and a request to quit from outside (the desktop session ending).
enum class Fin { Salir, Cerrar, PeticionDeSalir };
const std::pair<Fin, const char*> formasDeTerminar[] = {
    {Fin::Salir, "Salir"}, {Fin::Cerrar, "cerrando"}, {Fin::PeticionDeSalir, "peticion de salir"}};

void PedirFin(Fin forma, QMainWindow& ventana) {
    switch (forma) {
    case Fin::Salir:
        Accion(ventana, "mnuVerSalir")->trigger();
        break;
    case Fin::Cerrar:
        ventana.close();
        break;
    case Fin::PeticionDeSalir: {
        QEvent salir(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &salir);
        break;
    }
    }
}

// Runs the event loop, asks for the end of the run in it, and returns the loop's exit code: 0 when the
// run ended, -1 when it was still going on a moment later.
int TerminarEnElBucle(Fin forma, QMainWindow& ventana) {
    QObject contexto; // the timers go with it, whichever of them ran
    QTimer::singleShot(0, &contexto, [&] { PedirFin(forma, ventana); });
    QTimer::singleShot(100, &contexto, [] { QCoreApplication::exit(-1); });
    return QApplication::exec();
}

// Each way closes the database and ends the run at once, from any main window.
TEST_F(Menus, TerminarCierraElCatalogoSinLosPasosDeCierreDeOtrasVentanas) {
    for (const auto& [forma, nombre] : formasDeTerminar)
        for (VentanaPrincipal cual : todas) {
            SCOPED_TRACE(Ventana(cual).windowTitle().toStdString() + ", " + nombre);
            catalogo.Reabrir();
            Mostrar(cual, {50, 50});
            VentanaCancion cancion;
            cancion.show();

            EXPECT_EQ(TerminarEnElBucle(forma, Ventana(cual)), 0);

            EXPECT_FALSE(BBDD::BaseDatos);
            EXPECT_FALSE(BBDD::RecordsetCanciones);
            for (QMainWindow* ventana : Ventanas::Principales())
                EXPECT_FALSE(ventana->isVisible()) << ventana->windowTitle().toStdString();
            EXPECT_EQ(cancion.cierres, 0);
        }
}

// Another program holds the catalogue locked while the object lives.
class BloqueoExterno {
public:
    BloqueoExterno() {
        EXPECT_EQ(sqlite3_open(BBDD::RutaBaseDatos.toUtf8().constData(), &otro_), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(otro_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~BloqueoExterno() {
        sqlite3_exec(otro_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(otro_);
    }

private:
    sqlite3* otro_ = nullptr;
};

// A lyric that cannot be saved when the run ends keeps the program open, with the text in its window,
// however the end is asked for; once the lock is gone the same request saves it and ends the run.
TEST_F(Menus, SiLaLetraNoSePuedeGuardarAlTerminarElProgramaSigueAbierto) {
    int idx = 0;
    for (const auto& [forma, nombre] : formasDeTerminar) {
        SCOPED_TRACE(nombre);
        ++idx;
        catalogo.Reabrir();
        catalogo.AnadirCancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("A"),
                               QStringLiteral("T"), QStringLiteral("mp3"), 1000, idx);
        catalogo.AnadirLetra(idx, QStringLiteral("antes"));
        const auto fila = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT MAX(rowid) FROM CANCIONES"))
                              ->Field(0)
                              .toLongLong();
        Mostrar(VentanaPrincipal::Lista, {50, 50});
        QPointer<frmCancion> cancion = frmCancion::Crear(idx, false, fila);
        cancion->show();
        QTest::keyClicks(cancion->Delante(), QStringLiteral("tecleado "));
        servicios.mensajes.clear();

        {
            BloqueoExterno bloqueo;
            servicios.respuestas = {RespuestaMensaje::Si};
            EXPECT_EQ(TerminarEnElBucle(forma, Ventanas::Lista()), -1);
        }
        ASSERT_EQ(servicios.mensajes.size(), 2u);
        EXPECT_EQ(servicios.mensajes[0].texto, QStringLiteral("¿Desea guardar los cambios?"));
        EXPECT_TRUE(servicios.mensajes[1].texto.startsWith(
            QStringLiteral("No se pudo guardar la letra; el texto sigue en la ventana")));
        ASSERT_TRUE(cancion);
        EXPECT_TRUE(cancion->isVisible());
        EXPECT_EQ(cancion->Delante()->toPlainText(), QStringLiteral("tecleado antes"));
        EXPECT_TRUE(Ventanas::Lista().isVisible());
        ASSERT_TRUE(BBDD::BaseDatos);
        auto guardada = BBDD::BaseDatos->OpenRecordset(
            QStringLiteral("SELECT LYRICS FROM LETRAS WHERE IDX_CANCION = %1").arg(idx));
        EXPECT_EQ(guardada->Field(0).toString(), QStringLiteral("antes"));
        guardada->Close();

        servicios.mensajes.clear();
        servicios.respuestas = {RespuestaMensaje::Si};
        EXPECT_EQ(TerminarEnElBucle(forma, Ventanas::Lista()), 0);
        EXPECT_EQ(servicios.mensajes.size(), 1u);
        EXPECT_FALSE(BBDD::BaseDatos);
        catalogo.Reabrir();
        guardada = BBDD::BaseDatos->OpenRecordset(
            QStringLiteral("SELECT LYRICS FROM LETRAS WHERE IDX_CANCION = %1").arg(idx));
        EXPECT_EQ(guardada->Field(0).toString(), QStringLiteral("tecleado antes"));
        guardada->Close();
        delete cancion.data();
    }
}

} // namespace
