// The list window's commands driven as a user would: the picture buttons with their three looks and the
// left button only, what each command leaves selected, the menus and the windows they open, the song
// list's popup menu, and the configuration applied to the list.

#include "list/frmConfigLista.h"
#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Estado.h"
#include "shell/Ventanas.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"
#include "trees/ArbolNodos.h"
#include "trees/GestorArboles.h"
#include "utilities/frmImportarExportar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "support/VistasPrueba.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString Raiz = QStringLiteral("RAIZ");
const QString Cabecera1 = QStringLiteral("1-000001-000001");
const QString Cabecera2 = QStringLiteral("1-000001-000002");
const QString Ruta11 = QStringLiteral("2-000001-000001");
const QString Ruta12 = QStringLiteral("2-000001-000002");

// What a modal window showed when it opened.
struct Abierta {
    QString clase;
    QString titulo;
    QString boton; // cmdOK of the import and export dialog
};

class ComandosPrueba : public ::testing::Test {
protected:
    ComandosPrueba() : servicios(InstalarServiciosGuionados()) {
        GestorArboles::Instancia().SetSincronizados(true);
        catalogo.AnadirLetra(1, "letra");
        catalogo.AnadirCancion("CD", "\\A\\", "Alguien", "Tema", "mp3", 1, 1, 1);
        catalogo.AnadirCancion("CD", "\\B\\", "Otro", "Tema", "mp3", 1, 0, 1);
        catalogo.AnadirCancion("CD", "\\B\\", "Otro", "Sola", "mp3", 1, 0, 2);
        catalogo.AnadirCancion("DVD", "\\C\\", "Nadie", "Otra", "mp3", 1, 0, 1);
        ventanas = std::make_unique<VentanasPrueba>();
        lista().SinResalte();
    }
    ~ComandosPrueba() override { Estado::EstiloLetras = EstiloTexto{}; }

    static frmLista& lista() { return Ventanas::Lista(); }
    void Pulsar(const QString& clave) {
        lista().TreeViewLista->Seleccionar(clave);
        lista().TreeViewLista_Click();
    }
    // The key of the picture a button shows.
    static QString Dibujo(const QLabel* boton) {
        const qint64 clave = boton->pixmap().cacheKey();
        for (auto i = lista().ImageList.cbegin(); i != lista().ImageList.cend(); ++i)
            if (i.value().cacheKey() == clave)
                return i.key();
        return {};
    }
    static QStringList Dibujos() {
        frmLista& l = lista();
        return {Dibujo(l.imgExpandRaiz), Dibujo(l.imgExpandCabecera), Dibujo(l.imgExpandRuta),
                Dibujo(l.imgImprimir)};
    }
    static void Raton(QWidget* donde, QEvent::Type tipo, Qt::MouseButton cual, Qt::MouseButtons pulsados) {
        const QPoint punto(5, 5);
        QMouseEvent evento(tipo, punto, donde->mapToGlobal(punto), cual, pulsados, Qt::NoModifier);
        QApplication::sendEvent(donde, &evento);
    }
    static void Clic(QLabel* boton) {
        Raton(boton, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        Raton(boton, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    }
    // Runs accion, which should open a modal window; notes what it showed and closes it. The window is
    // looked for until it shows, since loading it may already run the event loop.
    static Abierta AbrirYCerrar(const std::function<void()>& accion) {
        Abierta vista;
        QTimer buscar;
        QObject::connect(&buscar, &QTimer::timeout, [&vista, &buscar] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!modal)
                return;
            buscar.stop();
            vista = {QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(), {}};
            if (auto* importar = qobject_cast<frmImportarExportar*>(modal))
                vista.boton = importar->cmdOK->text();
            modal->reject();
        });
        buscar.start(0);
        accion();
        buscar.stop();
        return vista;
    }
    int Filas() const { return ::Filas(lista().ListaListView); }

    ServiciosGuionados& servicios;
    CatalogoPrueba catalogo;
    std::unique_ptr<VentanasPrueba> ventanas;
};

TEST_F(ComandosPrueba, LosBotonesTienenTresAspectosYSinResalteLosDevuelve) {
    frmLista& l = lista();
    EXPECT_EQ(Dibujos(), (QStringList{"peq_RaizCerr1", "peq_Cab1", "peq_Rut1", "peq_Imp1"}));

    Raton(l.imgExpandCabecera, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Dibujos(), (QStringList{"peq_RaizCerr1", "peq_Cab2", "peq_Rut1", "peq_Imp1"}));
    Raton(l.imgExpandRaiz, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Dibujos(), (QStringList{"peq_RaizCerr2", "peq_Cab1", "peq_Rut1", "peq_Imp1"}));
    Raton(l.imgImprimir, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(Dibujos(), (QStringList{"peq_RaizCerr1", "peq_Cab1", "peq_Rut1", "peq_Imp3"}));

    // Leaving for the tree, the list or the window's background, or the window losing the focus.
    const std::function<void()> salidas[] = {
        [&] { l.TreeViewLista_MouseMove(Qt::NoButton); },
        [&] { l.ListaListView_MouseMove(Qt::NoButton); },
        [&] { l.Form_MouseMove(Qt::NoButton, 30, 30); },
        [&] {
            QEvent desactivada(QEvent::WindowDeactivate);
            QApplication::sendEvent(&l, &desactivada);
        },
    };
    for (const auto& salida : salidas) {
        Raton(l.imgExpandRuta, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(Dibujo(l.imgExpandRuta), QStringLiteral("peq_Rut2"));
        salida();
        EXPECT_EQ(Dibujos(), (QStringList{"peq_RaizCerr1", "peq_Cab1", "peq_Rut1", "peq_Imp1"}));
    }

    // The root's button follows the root: open variant once it is expanded.
    l.TreeViewLista->SetExpandido(Raiz, true);
    Raton(l.imgExpandRaiz, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Dibujo(l.imgExpandRaiz), QStringLiteral("peq_RaizAbie2"));
    Raton(l.imgExpandRaiz, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(Dibujo(l.imgExpandRaiz), QStringLiteral("peq_RaizAbie3"));
    l.SinResalte();
    EXPECT_EQ(Dibujo(l.imgExpandRaiz), QStringLiteral("peq_RaizAbie1"));
}

TEST_F(ComandosPrueba, ElBotonDerechoNoCambiaNiDibujosNiArboles) {
    frmLista& l = lista();
    for (QLabel* boton : {l.imgExpandRaiz, l.imgExpandCabecera, l.imgExpandRuta, l.imgImprimir}) {
        Raton(boton, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton);
        Raton(boton, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton);
    }
    QApplication::processEvents();
    EXPECT_EQ(Dibujos(), (QStringList{"peq_RaizCerr1", "peq_Cab1", "peq_Rut1", "peq_Imp1"}));
    EXPECT_FALSE(l.TreeViewLista->Expandido(Raiz));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ComandosPrueba, CadaBotonDejaLaSeleccionQueLeToca) {
    frmLista& l = lista();
    struct Caso {
        const char* nombre;
        QString antes; // pressed in the tree before the button
        QLabel* frmLista::*boton;
        QString despues; // selected afterwards
        bool raizAbierta;
        bool cabeceraAbierta; // the first header
        int filas;            // left in the song list
    };
    const Caso casos[] = {
        {"contraer", Ruta12, &frmLista::imgExpandRaiz, Ruta12, false, false, 0},
        {"cabeceras con ruta", Ruta12, &frmLista::imgExpandCabecera, Cabecera1, true, false, 0},
        {"cabeceras con cabecera", Cabecera2, &frmLista::imgExpandCabecera, Cabecera2, true, false, 0},
        {"todo con ruta", Ruta12, &frmLista::imgExpandRuta, Ruta12, true, true, 2},
    };
    for (const Caso& caso : casos) {
        l.TreeViewLista->SetExpandido(Raiz, true);
        l.TreeViewLista->SetExpandido(Cabecera1, true);
        Pulsar(caso.antes);
        Clic(l.*caso.boton);
        EXPECT_EQ(l.TreeViewLista->ClaveSeleccionada(), caso.despues) << caso.nombre;
        EXPECT_EQ(l.TreeViewLista->Expandido(Raiz), caso.raizAbierta) << caso.nombre;
        EXPECT_EQ(l.TreeViewLista->Expandido(Cabecera1), caso.cabeceraAbierta) << caso.nombre;
        EXPECT_EQ(Filas(), caso.filas) << caso.nombre;
        EXPECT_EQ(Dibujo(l.imgExpandRaiz),
                  caso.raizAbierta ? QStringLiteral("peq_RaizAbie1") : QStringLiteral("peq_RaizCerr1"))
            << caso.nombre;
    }
}

// The node is selected again without the tree's click: a route chosen without clicking keeps its list
// empty, and so do the maintenance window's lists.
TEST_F(ComandosPrueba, SeleccionarDesdeUnBotonNoEsPulsarElArbol) {
    frmLista& l = lista();
    Pulsar(Raiz);
    l.TreeViewLista->SetExpandido(Raiz, true);
    l.TreeViewLista->Seleccionar(Ruta12);
    Clic(l.imgExpandRuta);
    EXPECT_EQ(l.TreeViewLista->ClaveSeleccionada(), Ruta12);
    EXPECT_EQ(Filas(), 0);
    EXPECT_EQ(::Filas(Ventanas::Actualizacion().listaCancionesModificar), 0);
}

TEST_F(ComandosPrueba, LosMenusAbrenSusVentanas) {
    frmLista& l = lista();
    struct Caso {
        std::function<void()> accion;
        Abierta esperada;
    };
    const Caso casos[] = {
        {[&] { l.mnuOpcionesConfigurar->trigger(); }, {"frmConfigLista", "Configuración Lista", {}}},
        {[&] { l.mnuPopUpListViewConfigurar->trigger(); }, {"frmConfigLista", "Configuración Lista", {}}},
        {[&] { l.mnuUtilidadesImprimirListado->trigger(); }, {"frmImprimirArbol", "Imprimir Árbol", {}}},
        {[&] { Clic(l.imgImprimir); }, {"frmImprimirArbol", "Imprimir Árbol", {}}},
        {[&] { l.mnuUtilidadesPorcentajes->trigger(); }, {"frmPorcentajeLetras", "Porcentajes:", {}}},
        {[&] { l.mnuUtilidadesErrores->trigger(); },
         {"frmComprobarErrores", "Comprobar Errores en la Base de Datos", {}}},
        {[&] { l.mnuUtilidadesImportar->trigger(); },
         {"frmImportarExportar", "Importar Base de Datos", "&Importar"}},
        {[&] { l.mnuUtilidadesExportar->trigger(); },
         {"frmImportarExportar", "Exportar Base de Datos", "&Exportar"}},
    };
    for (const Caso& caso : casos) {
        const Abierta vista = AbrirYCerrar(caso.accion);
        EXPECT_EQ(vista.clase, caso.esperada.clase);
        EXPECT_EQ(vista.titulo, caso.esperada.titulo) << caso.esperada.clase.toStdString();
        EXPECT_EQ(vista.boton, caso.esperada.boton) << caso.esperada.clase.toStdString();
    }
}

TEST_F(ComandosPrueba, ElMenuDeLaListaSeAbreConElBotonDerechoYSigueALaRuta) {
    frmLista& l = lista();
    Raton(l.ListaListView->viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(l.mnuPopUpListView->isVisible());
    Raton(l.ListaListView->viewport(), QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(l.mnuPopUpListView->isVisible());
    l.mnuPopUpListView->hide();

    EXPECT_FALSE(l.mnuPopUpListViewVerLetra->isEnabled());
    Pulsar(Ruta12);
    EXPECT_TRUE(l.mnuPopUpListViewVerLetra->isEnabled());
    Pulsar(Cabecera1);
    EXPECT_FALSE(l.mnuPopUpListViewVerLetra->isEnabled());
}

TEST_F(ComandosPrueba, BusquedaInteligenteRellenaLaListaYLlevaSuMarca) {
    frmLista& l = lista();
    EXPECT_FALSE(l.mnuPopUpListViewBusquedaIntel->isChecked());
    Pulsar(Ruta12);
    EXPECT_EQ(Celda(l.ListaListView, 0, 4), QStringLiteral("N"));

    l.mnuPopUpListViewBusquedaIntel->trigger();
    EXPECT_TRUE(l.BusquedaInteligente);
    EXPECT_TRUE(l.mnuPopUpListViewBusquedaIntel->isChecked());
    ASSERT_EQ(Filas(), 2);
    EXPECT_EQ(Celda(l.ListaListView, 0, 4), QStringLiteral("?"));
    EXPECT_EQ(Celda(l.ListaListView, 1, 4), QStringLiteral("N"));

    l.mnuPopUpListViewBusquedaIntel->trigger();
    EXPECT_FALSE(l.mnuPopUpListViewBusquedaIntel->isChecked());
    EXPECT_EQ(Celda(l.ListaListView, 0, 4), QStringLiteral("N"));

    Pulsar(Cabecera1);
    l.mnuPopUpListViewBusquedaIntel->trigger();
    EXPECT_TRUE(l.mnuPopUpListViewBusquedaIntel->isChecked());
    EXPECT_EQ(Filas(), 0);
}

// Aplicar reaches the list window: its columns, its search and its check mark; the list is read again
// through the tree's click, which with the trees synchronised clears the fields of "Modificar".
TEST_F(ComandosPrueba, AplicarLaConfiguracionLlegaALaLista) {
    frmLista& l = lista();
    Pulsar(Ruta12);
    frmActualizacion& actualizacion = Ventanas::Actualizacion();
    actualizacion.txtAutorModificar->setText(QStringLiteral("a medio escribir"));

    QTimer::singleShot(0, [] {
        auto* dialogo = qobject_cast<frmConfigLista*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        dialogo->chkAutor->click();
        dialogo->chkExtension->click();
        dialogo->chkBusquedaInteligente->click();
        dialogo->img_Click(2);
        dialogo->cmdAceptar->click();
    });
    l.mnuOpcionesConfigurar->trigger();

    EXPECT_FALSE(l.ColumnaAutor);
    EXPECT_FALSE(l.ColumnaExtension);
    EXPECT_TRUE(l.ColumnaTitulo);
    EXPECT_TRUE(l.BusquedaInteligente);
    EXPECT_TRUE(l.mnuPopUpListViewBusquedaIntel->isChecked());
    ASSERT_EQ(l.ListaListView->model()->columnCount(), 3);
    ASSERT_EQ(Filas(), 2);
    EXPECT_EQ(Celda(l.ListaListView, 0, 0), QStringLiteral("Tema"));
    EXPECT_EQ(Celda(l.ListaListView, 0, 2), QStringLiteral("?"));
    EXPECT_EQ(Estado::EstiloLetras.Justificacion, 2);
    EXPECT_TRUE(actualizacion.txtAutorModificar->text().isEmpty());

    // The dialog opens on what was applied.
    QTimer::singleShot(0, [] {
        auto* dialogo = qobject_cast<frmConfigLista*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        EXPECT_FALSE(dialogo->chkAutor->isChecked());
        EXPECT_TRUE(dialogo->chkBusquedaInteligente->isChecked());
        EXPECT_EQ(dialogo->ImagenJustificacion(2), 6);
        dialogo->cmdCancelar->click();
    });
    l.mnuOpcionesConfigurar->trigger();
}

} // namespace
