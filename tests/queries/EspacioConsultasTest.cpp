// The query workspace: its children, "&Cerrar", the arrangement commands and its place on screen.

#include "PruebaConsultas.h"

#include "queries/PanelesEstado.h"
#include "queries/frmNuevaConsultaSimple.h"
#include "shell/Estado.h"
#include "shell/Twips.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <algorithm>

namespace {
class EspacioConsultas : public PruebaConsultas {
protected:
    EspacioConsultas() {
        catalogo.AnadirCancion("Rock", "\\A\\", "Queen", "Love of my life", "mp3", 1000, 0, 1);
        catalogo.AnadirCancion("Pop", "\\B\\", "Madonna", "Like a prayer", "mp3", 2000, 0, 1);
    }
    frmConsulta* Buscar(const QString& titulo) {
        auto& d = Abrir<frmNuevaConsultaSimple>(espacio.mnuConsultaSimple);
        d.txtTitulo->setText(titulo);
        Consultar(d);
        return Ultimo();
    }
    QRect Area() const { return espacio.EspacioHijas->viewport()->rect(); }
};
} // namespace

TEST_F(EspacioConsultas, CadaConsultaAbreSuPropiaVentanaYUnaSinFilasNoDejaNinguna) {
    frmConsulta* primera = Buscar("love");
    frmConsulta* segunda = Buscar("love");
    ASSERT_EQ(Resultados(), (QList<frmConsulta*>{primera, segunda}));
    for (frmConsulta* consulta : Resultados()) {
        EXPECT_EQ(consulta->windowTitle(), "Consulta");
        EXPECT_TRUE(consulta->isVisible());
    }
    EXPECT_EQ(espacio.EspacioHijas->currentSubWindow(), segunda);
    // Each new window one step down and right from the previous one, inside the workspace.
    EXPECT_EQ(primera->pos(), QPoint(0, 0));
    EXPECT_GT(segunda->y(), 0);
    EXPECT_EQ(segunda->x(), segunda->y());
    EXPECT_TRUE(Area().contains(segunda->geometry()));
    EXPECT_EQ(espacio.StatusBar1->Textos(), (QStringList{"Titulo: love", "Total: 1"}));

    Buscar("nada parecido");
    EXPECT_EQ(Textos(), QStringList{"No se encontraron equivalencias.  "});
    EXPECT_EQ(Resultados(), (QList<frmConsulta*>{primera, segunda}));
    EXPECT_EQ(espacio.StatusBar1->Textos(), (QStringList{"Titulo: love", "Total: 1"}));
}

TEST_F(EspacioConsultas, CerrarCierraLaVentanaActivaYSinNingunaNoHaceNada) {
    frmConsulta* primera = Buscar("love");
    Buscar("prayer");
    espacio.mnuConsultaCerrar->trigger();
    Soltar();
    EXPECT_EQ(Resultados(), QList<frmConsulta*>{primera});
    espacio.mnuConsultaCerrar->trigger();
    Soltar();
    EXPECT_TRUE(Resultados().isEmpty());
    EXPECT_TRUE(espacio.StatusBar1->Textos().isEmpty());
    espacio.mnuConsultaCerrar->trigger();
    EXPECT_TRUE(guion.mensajes.empty());
}

TEST_F(EspacioConsultas, LosMosaicosRepartenElAreaEntreLasVentanasAbiertas) {
    for (int i = 0; i < 3; ++i)
        Buscar("o");
    const QList<frmConsulta*> hijas = Resultados();
    espacio.mnuVentanaMosaicoHorizontal->trigger();
    int arriba = Area().top();
    for (frmConsulta* hija : hijas) {
        EXPECT_EQ(hija->geometry().left(), 0);
        EXPECT_EQ(hija->width(), Area().width());
        EXPECT_EQ(hija->geometry().top(), arriba);
        arriba += hija->height();
    }
    EXPECT_EQ(arriba, Area().bottom() + 1);

    espacio.mnuVentanaMosaicoVertical->trigger();
    int izda = 0;
    for (frmConsulta* hija : hijas) {
        EXPECT_EQ(hija->geometry().top(), 0);
        EXPECT_EQ(hija->height(), Area().height());
        EXPECT_EQ(hija->geometry().left(), izda);
        izda += hija->width();
    }
    EXPECT_EQ(izda, Area().width());

    // A minimised child keeps its icon and the others leave room for it at the bottom.
    hijas[0]->showMinimized();
    espacio.mnuVentanaMosaicoHorizontal->trigger();
    EXPECT_TRUE(hijas[0]->isMinimized());
    EXPECT_EQ(hijas[1]->geometry().top(), 0);
    EXPECT_EQ(hijas[2]->geometry().bottom(), Area().bottom() - hijas[0]->height());
}

// Every window keeps its size, and so the columns it shows; the active one ends on top, last in the
// cascade, and a minimised one stays an icon where it was.
TEST_F(EspacioConsultas, CascadaEscalonaLasVentanasSinCambiarSuTamano) {
    for (int i = 0; i < 4; ++i)
        Buscar("o");
    const QList<frmConsulta*> hijas = Resultados();
    hijas[1]->resize(hijas[1]->width() - 40, hijas[1]->height() + 30);
    hijas[3]->showMinimized();
    const QPoint icono = hijas[3]->pos();
    espacio.EspacioHijas->setActiveSubWindow(hijas[0]);
    QList<QSize> tamanos;
    for (frmConsulta* hija : hijas)
        tamanos << hija->size();

    espacio.mnuVentanaCascada->trigger();

    for (int i = 0; i < hijas.size(); ++i)
        EXPECT_EQ(hijas[i]->size(), tamanos[i]) << i;
    const int paso = hijas[0]->contentsMargins().top();
    ASSERT_GT(paso, 0);
    EXPECT_EQ(espacio.EspacioHijas->currentSubWindow(), hijas[0]);
    EXPECT_EQ(hijas[0]->pos(), QPoint(2 * paso, 2 * paso));
    QList<QPoint> otras{hijas[1]->pos(), hijas[2]->pos()};
    std::sort(otras.begin(), otras.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    EXPECT_EQ(otras, (QList<QPoint>{{0, 0}, {paso, paso}}));
    EXPECT_EQ(espacio.EspacioHijas->subWindowList(QMdiArea::StackingOrder).last(), hijas[0]);
    EXPECT_TRUE(hijas[3]->isMinimized());
    EXPECT_EQ(hijas[3]->pos(), icono);
}

TEST_F(EspacioConsultas, OrganizarIconosAlineaLasMinimizadasAbajoALaIzquierda) {
    for (int i = 0; i < 3; ++i)
        Buscar("o");
    const QList<frmConsulta*> hijas = Resultados();
    hijas[0]->showMinimized();
    hijas[2]->showMinimized();
    hijas[0]->move(200, 30);
    hijas[2]->move(90, 100);
    const QRect abierta = hijas[1]->geometry();
    espacio.mnuVentanaOrganizarIconos->trigger();
    EXPECT_EQ(hijas[0]->pos(), QPoint(0, Area().bottom() + 1 - hijas[0]->height()));
    EXPECT_EQ(hijas[2]->pos(), QPoint(hijas[0]->width(), Area().bottom() + 1 - hijas[2]->height()));
    EXPECT_EQ(hijas[1]->geometry(), abierta);
}

TEST_F(EspacioConsultas, AlActivarseVuelveALaPosicionCompartida) {
    Estado::VentanaIzda = Twips(40);
    Estado::VentanaArriba = Twips(30);
    espacio.move(300, 200);
    QWidget otra;
    otra.show();
    QApplication::setActiveWindow(&otra);
    QApplication::setActiveWindow(&espacio);
    QApplication::processEvents();
    EXPECT_EQ(espacio.pos(), QPoint(40, 30));
}
