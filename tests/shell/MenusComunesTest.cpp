// "&Ver" and "&?" of the three main windows: switching at the shared position, help, and the end of
// the run.

#include "shell/MenusComunes.h"
#include "list/frmLista.h"
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
#include <QTimer>
#include <gtest/gtest.h>

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

// "&Salir" in any main window, or closing any of them, closes the database and ends the run at once.
TEST_F(Menus, SalirOCerrarTerminaSinLosPasosDeCierreDeOtrasVentanas) {
    for (const bool cerrando : {false, true})
        for (VentanaPrincipal cual : todas) {
            SCOPED_TRACE(Ventana(cual).windowTitle().toStdString() + (cerrando ? ", cerrando" : ", Salir"));
            catalogo.Reabrir();
            Mostrar(cual, {50, 50});
            VentanaCancion cancion;
            cancion.show();

            QTimer::singleShot(0, &Ventana(cual), [&] {
                if (cerrando)
                    Ventana(cual).close();
                else
                    Accion(Ventana(cual), "mnuVerSalir")->trigger();
            });
            EXPECT_EQ(QApplication::exec(), 0);

            EXPECT_FALSE(BBDD::BaseDatos);
            EXPECT_FALSE(BBDD::RecordsetCanciones);
            for (QMainWindow* ventana : Ventanas::Principales())
                EXPECT_FALSE(ventana->isVisible()) << ventana->windowTitle().toStdString();
            EXPECT_EQ(cancion.cierres, 0);
        }
}

} // namespace
