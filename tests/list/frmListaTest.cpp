// The list window driven as a user would: clicks in the tree, the song list, the mirroring into the
// maintenance trees, the double-click and the splitter (its handlers driven with positions in twips).

#include "list/frmLista.h"
#include "lyrics/frmCancion.h"
#include "lyrics/frmSelCancion.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Estado.h"
#include "shell/Twips.h"
#include "shell/Ventanas.h"
#include "store/BBDD.h"
#include "store/Catalogo.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"
#include "trees/ArbolNodos.h"
#include "trees/GestorArboles.h"
#include "trees/ModeloCanciones.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "support/VistasPrueba.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString Raiz = QStringLiteral("RAIZ");
const QString Cabecera1 = QStringLiteral("1-000001-000001");
const QString Ruta11 = QStringLiteral("2-000001-000001");
const QString Ruta12 = QStringLiteral("2-000001-000002");

int IdxCancion(const QString& titulo) {
    auto rs = BBDD::BaseDatos->OpenRecordset(
        QStringLiteral("SELECT IDX_CANCION FROM CANCIONES WHERE TITULO = '%1'").arg(titulo));
    return rs->Field(0).toInt();
}

// The alignment a cell is drawn with: its own, or the view's, left and vertically centred.
int Alineacion(const QVariant& propia) {
    return propia.isValid() ? propia.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
}

class ListaPrueba : public ::testing::Test {
protected:
    ListaPrueba() : servicios(InstalarServiciosGuionados()) {
        GestorArboles::Instancia().SetSincronizados(true);
    }
    ~ListaPrueba() override {
        for (frmCancion* cancion : frmCancion::Abiertas())
            delete cancion;
    }

    // The windows are made once the catalogue holds what the test needs.
    frmLista& Abrir() {
        ventanas = std::make_unique<VentanasPrueba>();
        return Ventanas::Lista();
    }
    void Pulsar(const QString& clave) {
        Ventanas::Lista().TreeViewLista->Seleccionar(clave);
        Ventanas::Lista().TreeViewLista_Click();
    }
    QStringList Fila(int i) const { return CeldasFila(Ventanas::Lista().ListaListView, i); }
    void DobleClic(int fila) {
        frmLista& lista = Ventanas::Lista();
        lista.ListaListView->setCurrentIndex(lista.ListaCanciones->index(fila, 0));
        lista.ListaListView_DblClick();
    }
    void Canciones(const QString& ruta, int cuantas) {
        for (int k = 1; k <= cuantas; ++k)
            catalogo.AnadirCancion("CD", ruta, "Autor", QStringLiteral("%1 %2").arg(ruta).arg(k), "mp3", 1, 0,
                                   k);
    }

    ServiciosGuionados& servicios;
    CatalogoPrueba catalogo;
    std::unique_ptr<VentanasPrueba> ventanas;
};

TEST_F(ListaPrueba, LasColumnasSiguenALasBanderas) {
    frmLista& lista = Abrir();
    constexpr auto I = Qt::AlignLeft | Qt::AlignVCenter;
    constexpr auto D = Qt::AlignRight | Qt::AlignVCenter;
    constexpr auto C = Qt::AlignHCenter | Qt::AlignVCenter;
    const struct {
        bool autor, titulo, extension, tamano, letra;
        QStringList cabeceras;
        QList<int> anchos; // twips
        QList<Qt::Alignment> alineaciones;
        QStringList fila;
    } casos[] = {
        {true,
         true,
         true,
         true,
         true,
         {"Autor", "Título", "Ext.", "Tamaño", "L"},
         {2050, 2050, 495, 1005, 300},
         {I, I, I, D, C},
         {"a", "t", "e", "9", "N"}},
        {false, false, false, false, true, {"L"}, {300}, {I}, {"N"}},
        {false, false, false, true, true, {"Tamaño", "L"}, {1005, 300}, {I, C}, {"9", "N"}},
        {true, false, true, false, false, {"Autor", "Ext."}, {2050, 495}, {I, I}, {"a", "e"}},
    };
    for (const auto& caso : casos) {
        lista.ColumnaAutor = caso.autor;
        lista.ColumnaTitulo = caso.titulo;
        lista.ColumnaExtension = caso.extension;
        lista.ColumnaTamano = caso.tamano;
        lista.ColumnaLetra = caso.letra;
        lista.Inicializar_Columnas();
        const QAbstractItemModel* modelo = lista.ListaListView->model();
        ASSERT_EQ(lista.ListaListView->model()->columnCount(), caso.cabeceras.size())
            << caso.cabeceras.join(",").toStdString();
        lista.AnadirFila(1, "a", "t", "e", "9", "N");
        EXPECT_EQ(Fila(0), caso.fila);
        for (int c = 0; c < caso.cabeceras.size(); ++c) {
            EXPECT_EQ(modelo->headerData(c, Qt::Horizontal).toString(), caso.cabeceras[c]);
            EXPECT_EQ(Twips(lista.ListaListView->columnWidth(c)), caso.anchos[c] / 15 * 15);
            EXPECT_EQ(Alineacion(modelo->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole)),
                      int(caso.alineaciones[c]))
                << caso.cabeceras[c].toStdString();
            EXPECT_EQ(Alineacion(modelo->index(0, c).data(Qt::TextAlignmentRole)), int(caso.alineaciones[c]));
        }
    }
}

TEST_F(ListaPrueba, PulsarUnaRutaListaSusCancionesConTamanoYMarca) {
    catalogo.AnadirLetra(3, "letra");
    catalogo.AnadirCancion("CD", "\\Pop\\", "Otro", "De otra ruta");
    catalogo.AnadirCancion("CD", "\\Rock\\", "Autor B", "Segunda", "ogg", 1234567, 3, 2);
    catalogo.AnadirCancion("CD", "\\Rock\\", "Autor A", "Primera", "mp3", 0, 0, 1);
    frmLista& lista = Abrir();
    ASSERT_EQ(lista.TreeViewLista->Texto(Ruta12), QStringLiteral("\\Rock\\"));
    EXPECT_FALSE(lista.mnuPopUpListViewVerLetra->isEnabled());

    Pulsar(Ruta12);
    const QString g = QLocale::system().groupSeparator();
    ASSERT_EQ(Filas(lista.ListaListView), 2);
    EXPECT_EQ(Fila(0), (QStringList{"Autor A", "Primera", "mp3", "0", "N"}));
    EXPECT_EQ(Fila(1), (QStringList{"Autor B", "Segunda", "ogg", "1" + g + "234" + g + "567", "S"}));
    EXPECT_TRUE(lista.mnuPopUpListViewVerLetra->isEnabled());

    // Fields with no value show as empty cells.
    BBDD::BaseDatos->Execute(
        QStringLiteral("UPDATE CANCIONES SET AUTOR = Null, LONGITUD = Null WHERE REL_POS = 1"));
    Pulsar(Ruta12);
    EXPECT_EQ(Fila(0), (QStringList{"", "Primera", "mp3", "", "N"}));

    // The root and a header empty the list.
    for (const QString& clave : {Raiz, Cabecera1}) {
        Pulsar(Ruta12);
        Pulsar(clave);
        EXPECT_EQ(Filas(lista.ListaListView), 0) << clave.toStdString();
        EXPECT_FALSE(lista.mnuPopUpListViewVerLetra->isEnabled());
    }
}

// The "?" mark appears with the intelligent search on and a namesake with a lyric; with only the
// lyric column shown the mark is the row's own text.
TEST_F(ListaPrueba, LaBusquedaInteligenteMarcaLasCancionesConNombreConocido) {
    catalogo.AnadirLetra(1, "letra");
    catalogo.AnadirCancion("CD", "\\A\\", "Alguien", "It's Alright", "mp3", 1, 1);
    catalogo.AnadirCancion("CD", "\\B\\", "Otro", "It's Alright", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("CD", "\\B\\", "Otro", "Nada [igual", "mp3", 1, 0, 2);
    frmLista& lista = Abrir();
    Pulsar(Ruta12);
    EXPECT_EQ(Fila(0).last(), QStringLiteral("N"));
    lista.BusquedaInteligente = true;
    lista.ColumnaAutor = lista.ColumnaTitulo = lista.ColumnaExtension = lista.ColumnaTamano = false;
    lista.Inicializar_Columnas();
    Pulsar(Ruta12);
    EXPECT_EQ(Fila(0), QStringList{"?"});
    EXPECT_EQ(Fila(1), QStringList{"N"});
}

TEST_F(ListaPrueba, LaListaSeEnsanchaConVeintiochoCancionesYVuelveConMenos) {
    Canciones("\\A\\", 27);
    Canciones("\\B\\", 28);
    frmLista& lista = Abrir();
    const QRect arbol = lista.TreeViewLista->geometry();
    const QRect canciones = lista.ListaListView->geometry();

    Pulsar(Ruta11);
    EXPECT_EQ(lista.TreeViewLista->geometry(), arbol);
    EXPECT_EQ(lista.ListaListView->geometry(), canciones);

    Pulsar(Ruta12);
    EXPECT_EQ(Twips(lista.TreeViewLista->width()), Twips(arbol.width()) - 240);
    EXPECT_EQ(Twips(lista.ListaListView->x()), Twips(canciones.x()) - 240);
    EXPECT_EQ(Twips(lista.ListaListView->width()), Twips(canciones.width()) + 240);
    Pulsar(Ruta12);
    EXPECT_EQ(Twips(lista.ListaListView->width()), Twips(canciones.width()) + 240) << "widened once only";

    Pulsar(Ruta11);
    EXPECT_EQ(lista.TreeViewLista->geometry(), arbol);
    EXPECT_EQ(lista.ListaListView->geometry(), canciones);
}

TEST_F(ListaPrueba, PulsarSeReflejaEnLosArbolesDeMantenimiento) {
    Canciones("\\A\\", 1);
    Canciones("\\B\\", 1);
    frmLista& lista = Abrir();
    frmActualizacion& actualizacion = Ventanas::Actualizacion();

    Pulsar(Ruta12);
    EXPECT_EQ(actualizacion.TreeViewEliminar->ClaveSeleccionada(), Ruta12);
    EXPECT_EQ(actualizacion.TreeViewModificar->ClaveSeleccionada(), Ruta12);
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());

    GestorArboles::Instancia().SetSincronizados(false);
    Pulsar(Ruta11);
    EXPECT_EQ(actualizacion.TreeViewEliminar->ClaveSeleccionada(), Ruta12);
    EXPECT_EQ(Filas(lista.ListaListView), 1);
}

// An error of the database in a handler is shown with its number and description; the handler's
// window goes on working and the trees stay synchronised.
TEST_F(ListaPrueba, UnErrorDeLaBaseSeMuestraYLaVentanaSigue) {
    Canciones("\\A\\", 2);
    frmLista& lista = Abrir();
    frmActualizacion& actualizacion = Ventanas::Actualizacion();
    auto pulsarConElRaton = [&] {
        lista.TreeViewLista->Seleccionar(Ruta11);
        emit lista.TreeViewLista->itemClicked(lista.TreeViewLista->Nodo(Ruta11), 0);
    };
    BBDD::BaseDatos->Close();
    pulsarConElRaton();
    ASSERT_EQ(servicios.mensajes.size(), 1u);
    EXPECT_EQ(servicios.mensajes[0].texto,
              QStringLiteral("Error nº 3420:\n\nLa base de datos está cerrada."));
    EXPECT_EQ(servicios.mensajes[0].icono, IconoMensaje::Critico);
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());

    catalogo.Reabrir();
    pulsarConElRaton();
    EXPECT_EQ(servicios.mensajes.size(), 1u);
    EXPECT_EQ(Filas(lista.ListaListView), 2);
    EXPECT_EQ(Filas(actualizacion.listaCancionesEliminar), 2);
    EXPECT_EQ(Filas(actualizacion.listaCancionesModificar), 2);
}

TEST_F(ListaPrueba, ExpandirYContraerSeReflejanEnLosArbolesDeMantenimiento) {
    Canciones("\\A\\", 1);
    frmLista& lista = Abrir();
    frmActualizacion& actualizacion = Ventanas::Actualizacion();
    ArbolNodos* otros[] = {actualizacion.TreeViewEliminar, actualizacion.TreeViewModificar};

    lista.TreeViewLista->SetExpandido(Raiz, true);
    lista.TreeViewLista->SetExpandido(Cabecera1, true);
    EXPECT_EQ(lista.TreeViewLista->Imagen(Raiz), QStringLiteral("IMGRAIZABIERTO"));
    EXPECT_EQ(lista.imgExpandRaiz->pixmap().cacheKey(), lista.ImageList.value("peq_RaizAbie1").cacheKey());
    for (ArbolNodos* arbol : otros) {
        EXPECT_TRUE(arbol->Expandido(Raiz) && arbol->Expandido(Cabecera1));
        EXPECT_EQ(arbol->Imagen(Raiz), QStringLiteral("IMGRAIZABIERTO"));
        EXPECT_EQ(arbol->ClaveSeleccionada(), Cabecera1);
    }

    // A header collapsed under an open root: the root stays open.
    lista.TreeViewLista->SetExpandido(Cabecera1, false);
    EXPECT_EQ(lista.TreeViewLista->Imagen(Raiz), QStringLiteral("IMGRAIZABIERTO"));
    for (ArbolNodos* arbol : otros) {
        EXPECT_FALSE(arbol->Expandido(Cabecera1));
        EXPECT_TRUE(arbol->Expandido(Raiz));
        EXPECT_EQ(arbol->ClaveSeleccionada(), Cabecera1);
    }

    lista.TreeViewLista->SetExpandido(Raiz, false);
    EXPECT_EQ(lista.TreeViewLista->Imagen(Raiz), QStringLiteral("IMGRAIZCERRADO"));
    EXPECT_EQ(lista.imgExpandRaiz->pixmap().cacheKey(), lista.ImageList.value("peq_RaizCerr1").cacheKey());
    for (ArbolNodos* arbol : otros) {
        EXPECT_FALSE(arbol->Expandido(Raiz));
        EXPECT_EQ(arbol->Imagen(Raiz), QStringLiteral("IMGRAIZCERRADO"));
        EXPECT_EQ(arbol->ClaveSeleccionada(), Raiz);
    }
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());
}

// Each line keeps its row's identity, so two entries alike stay two rows: the double-click gives the
// lyric number to the row shown, opens its song window, and the window's mark comes back to that line.
TEST_F(ListaPrueba, ElDobleClicAbreLaLetraDeSuFilaYLaMarcaVuelveASuLinea) {
    catalogo.AnadirCancion("CD", "\\A\\", "A", "Igual", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("CD", "\\A\\", "A", "Igual", "mp3", 1, 0, 2);
    frmLista& lista = Abrir();
    Pulsar(Ruta11);
    const catalogo::IdCancion segunda =
        lista.ListaCanciones->index(1, 0).data(frmLista::RolFila).toLongLong();
    DobleClic(1);
    ASSERT_EQ(frmCancion::Abiertas().size(), 1);
    frmCancion* ventana = frmCancion::Abiertas().first();
    EXPECT_EQ(ventana->Fila(), segunda);
    EXPECT_EQ(catalogo::NumeroLetraDe(*BBDD::BaseDatos, segunda), 1);
    EXPECT_EQ(
        BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM CANCIONES WHERE IDX_CANCION = 0"))
            ->Field(0)
            .toInt(),
        1);
    ventana->Delante()->setPlainText(QStringLiteral("letra"));
    servicios.respuestas = {RespuestaMensaje::Si};
    ventana->close();
    EXPECT_EQ(Fila(1).last(), QStringLiteral("S"));
    EXPECT_EQ(Fila(0).last(), QStringLiteral("N"));
    // Closed empty and deleted, while the list shows another route: nothing is written there.
    DobleClic(1);
    catalogo.AnadirCancion("CD", "\\B\\", "B", "Otra", "mp3", 1, 0, 1);
    ventanas->Recargar();
    ventana = frmCancion::Abiertas().first();
    Pulsar(Ruta12);
    ventana->Delante()->clear();
    servicios.respuestas = {RespuestaMensaje::Si};
    ventana->close();
    EXPECT_EQ(Fila(0), (QStringList{"B", "Otra", "mp3", "1", "N"}));
    EXPECT_EQ(catalogo::NumeroLetraDe(*BBDD::BaseDatos, segunda), 0);
}

TEST_F(ListaPrueba, LaMarcaInterrogacionAbreElSelectorSinEscribirNada) {
    catalogo.AnadirLetra(2, "letra");
    catalogo.AnadirCancion("CD", "\\X\\", "B", "Tema", "mp3", 1, 2, 1);
    catalogo.AnadirCancion("CD", "\\Y\\", "A", "tema", "mp3", 1, 0, 1);
    frmLista& lista = Abrir();
    lista.BusquedaInteligente = true;
    Pulsar(Ruta12);
    ASSERT_EQ(Fila(0).last(), QStringLiteral("?"));
    DobleClic(0);
    auto* selector = lista.findChild<frmSelCancion*>();
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->ListViewSel->topLevelItemCount(), 2);
    auto rs = BBDD::BaseDatos->OpenRecordset(
        QStringLiteral("SELECT IDX_CANCION FROM CANCIONES WHERE RUTA = '\\Y\\'"));
    EXPECT_EQ(rs->Field(0).toInt(), 0);
    // The namesake's lyric opened and closed: the song still has none of its own and stays "?".
    selector->ListViewSel->setCurrentItem(selector->ListViewSel->topLevelItem(1));
    emit selector->ListViewSel->itemDoubleClicked(selector->ListViewSel->currentItem(), 0);
    ASSERT_EQ(frmCancion::Abiertas().size(), 1);
    lista.ListaCanciones->PonerMarca(lista.ListaCanciones->Cancion(0).fila, QStringLiteral("x"));
    frmCancion::Abiertas().first()->close();
    EXPECT_EQ(Fila(0).last(), QStringLiteral("?"));
}

TEST_F(ListaPrueba, ElDobleClicSinFilaOFueraDeUnaRutaNoHaceNada) {
    catalogo.AnadirCancion("CD", "\\A\\", "A", "Primera", "mp3", 1, 0, 1);
    frmLista& lista = Abrir();
    Pulsar(Ruta11);
    lista.ListaListView->clearSelection();
    lista.ListaListView_DblClick();
    lista.ListaListView->setCurrentIndex(lista.ListaCanciones->index(0, 0));
    lista.TreeViewLista->Seleccionar(Cabecera1);
    lista.ListaListView_DblClick();
    EXPECT_EQ(IdxCancion("Primera"), 0);
}

// The strip between tree and list: the pointer, the timer, the tree's right edge following the
// remembered X within its limits while the list's right edge stays, and the double-click restoring.
TEST_F(ListaPrueba, ElSeparadorMueveElBordeDentroDeSusLimitesYSeRestaura) {
    frmLista& lista = Abrir();
    lista.show(); // lays out the client area: the band's height is the list's
    lista.Form_Activate();
    const QWidget* centro = lista.centralWidget();
    const auto puntero = [&] { return centro->cursor().shape(); };
    const auto franja = [&] { return Twips(lista.ListaListView->x()) - 15; };
    const int arbolIzda = Twips(lista.TreeViewLista->x());
    const int bordeArbol = arbolIzda + Twips(lista.TreeViewLista->width());
    const int listaDcha = Twips(lista.ListaListView->x() + lista.ListaListView->width());
    const int y = Twips(lista.TreeViewLista->y()) + 600;
    const QRect arbol = lista.TreeViewLista->geometry();
    const QRect canciones = lista.ListaListView->geometry();
    ASSERT_GT(franja(), bordeArbol);

    lista.Form_MouseMove(Qt::NoButton, franja(), y);
    EXPECT_EQ(puntero(), Qt::SizeHorCursor);
    EXPECT_FALSE(lista.TimerRecolocar->isActive());
    lista.TreeViewLista_MouseMove(Qt::NoButton);
    EXPECT_EQ(puntero(), Qt::ArrowCursor);
    lista.Form_MouseMove(Qt::NoButton, franja(), Twips(lista.TreeViewLista->y()) - 15);
    EXPECT_EQ(puntero(), Qt::ArrowCursor) << "above the band";
    lista.Form_MouseDown(Qt::RightButton, franja(), y);
    EXPECT_EQ(puntero(), Qt::SizeHorCursor);
    EXPECT_FALSE(lista.TimerRecolocar->isActive());
    lista.Form_MouseUp();

    const int minimo = Twips(lista.imgDcha->x() + lista.imgDcha->width()) + 60;
    const int maximo = listaDcha - 900;
    const struct {
        int x;
        int limitado;
    } arrastres[] = {{bordeArbol + 615, bordeArbol + 615}, {0, minimo}, {listaDcha + 3000, maximo}};
    for (const auto& arrastre : arrastres) {
        lista.Form_MouseDown(Qt::LeftButton, franja(), y);
        EXPECT_TRUE(lista.TimerRecolocar->isActive());
        lista.Form_MouseMove(Qt::LeftButton, arrastre.x, y);
        lista.MoverSeparador();
        EXPECT_EQ(Twips(lista.TreeViewLista->width()), arrastre.limitado - arbolIzda - 15) << arrastre.x;
        EXPECT_EQ(Twips(lista.ListaListView->x() + lista.ListaListView->width()), listaDcha);
        EXPECT_EQ(Twips(lista.ListaListView->x()) -
                      Twips(lista.TreeViewLista->x() + lista.TreeViewLista->width()),
                  60);
        lista.Form_MouseUp();
        EXPECT_FALSE(lista.TimerRecolocar->isActive());
        EXPECT_EQ(puntero(), Qt::ArrowCursor);
    }
    const QRect arrastrado = lista.TreeViewLista->geometry();
    lista.MoverSeparador();
    EXPECT_EQ(lista.TreeViewLista->geometry(), arrastrado) << "no drag without the sizing pointer";

    lista.Form_MouseDown(Qt::LeftButton, franja(), y);
    lista.Form_MouseUp();
    lista.Form_DblClick();
    EXPECT_EQ(lista.TreeViewLista->geometry(), arbol);
    EXPECT_EQ(lista.ListaListView->geometry(), canciones);
}

} // namespace
