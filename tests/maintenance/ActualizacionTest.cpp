// The maintenance window itself: its controls at load, the tabs, the enabling rules, the two trees and
// what a selection in them loads, their mirroring into the other trees, and the drive selector.

#include "VentanaActualizacionPrueba.h"
#include "list/frmLista.h"
#include "maintenance/ListaDirectorios.h"
#include "support/VistasPrueba.h"
#include "trees/ArbolNodos.h"
#include "trees/Arboles.h"
#include "trees/GestorArboles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>

namespace {

QStringList Elementos(const QComboBox* combo) {
    QStringList elementos;
    for (int i = 0; i < combo->count(); ++i)
        elementos << combo->itemText(i);
    return elementos;
}

void Pulsar(QWidget* control, Qt::MouseButton boton = Qt::LeftButton) {
    QMouseEvent pulsado(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), boton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(control, &pulsado);
}

QString BuscarCabeceraEn(const ArbolNodos* arbol, const QString& texto) {
    const QTreeWidgetItem* raiz = arbol->Nodo(Arboles::ClaveRaiz);
    for (int i = 0; raiz && i < raiz->childCount(); ++i)
        if (raiz->child(i)->text(0) == texto)
            return ArbolNodos::Clave(raiz->child(i));
    return {};
}

const QString Cab1 = Arboles::ClaveCabecera(1);
const QString Ruta11 = Arboles::ClaveRuta(1, 1);
const QString Ruta12 = Arboles::ClaveRuta(1, 2);

} // namespace

using Controles = VentanaActualizacion;

TEST_F(Controles, EstadoAlCargar) {
    frmActualizacion& f = v();
    EXPECT_EQ(f.windowTitle(), "Cantorio - Actualización");
    ASSERT_EQ(f.Solapas->count(), 3);
    EXPECT_EQ(f.Solapas->tabText(0), "Añadir");
    EXPECT_EQ(f.Solapas->tabText(1), "Eliminar");
    EXPECT_EQ(f.Solapas->tabText(2), "Modificar");
    EXPECT_EQ(f.Solapas->currentIndex(), 0);
    EXPECT_EQ(f.Contenedores->currentWidget(), f.ContenedorAnadir);

    struct Rotulo {
        QWidget* control;
        QString texto;
    };
    auto texto = [](QWidget* control) {
        if (auto* etiqueta = qobject_cast<QLabel*>(control))
            return etiqueta->text();
        if (auto* boton = qobject_cast<QAbstractButton*>(control))
            return boton->text();
        return qobject_cast<QGroupBox*>(control)->title();
    };
    const Rotulo rotulos[] = {
        {f.lblExtension, "Archivos:"},
        {f.lblCabecera, "Cabecera:"},
        {f.lblSeparador, "Separador:"},
        {f.chkIncluirSubdirectorios, "&Incluir Subdirectorios"},
        {f.chkOrdenar, "Or&denar Alfabéticamente"},
        {f.optPrimeroTitulo, "Primero el &Título"},
        {f.optPrimeroAutor, "Primero el &Autor"},
        {f.chkConvertirUnderscore, "&Convertir  \"_\"  en Espacios"},
        {f.chkQuitarNumeros, "&Quitar Números al Principio"},
        {f.lblNumeros, "Números:"},
        {f.cmdAnadir, "Añadir"},
        {f.cmdEliminarRama, "Eliminar Rama"},
        {f.cmdEliminarCanciones, "Eliminar Canciones Seleccionadas"},
        {f.lblEliminarBase, "Eliminar la Base entera"},
        {f.lblCabeceraModificar, "Cabecera:"},
        {f.lblRutaModificar, "Ruta:"},
        {f.lblAutorModificar, "Autor:"},
        {f.lblTituloModificar, "Título:"},
        {f.lblExtensionModificar, "Extensión:"},
        {f.lblTamanoModificar, "Tamaño:"},
        {f.lblRelPosModificar, "Pos.Relativa:"},
        {f.cmdGuardar, "&Guardar"},
        {f.cmdRestaurar, "&Restaurar"},
        {f.chkBatch, ""},
        {f.lblBatch, "Batch"},
        {f.lblActualiz, "Actualización"},
        {f.Frame7, "Utilidades:"},
        {f.cmdReordenar, "Reordenar Ruta"},
    };
    for (const Rotulo& rotulo : rotulos)
        EXPECT_EQ(texto(rotulo.control), rotulo.texto) << rotulo.texto.toStdString();

    EXPECT_EQ(Elementos(f.cmbFiltro), (QStringList{"*.*", "*.aac", "*.mp3", "*.mp4", "*.vqf"}));
    EXPECT_EQ(f.cmbFiltro->currentText(), "*.*");
    EXPECT_EQ(f.cmbFiltro->toolTip(), "Determina qué archivos buscar.");
    EXPECT_EQ(Elementos(f.cmbSeparador), (QStringList{"--", "-"}));
    EXPECT_EQ(f.cmbSeparador->currentText(), "--");
    EXPECT_EQ(f.cmbSeparador->toolTip(), "Separador a buscar en los Ficheros");
    EXPECT_EQ(Elementos(f.cmbNumeros), (QStringList{"01", "01 -", "01.-"}));
    EXPECT_EQ(f.cmbNumeros->currentText(), "01");
    EXPECT_EQ(f.cmbNumeros->toolTip(), "Formato de numeración de los Ficheros");
    EXPECT_TRUE(f.cmbFiltro->isEditable() && f.cmbSeparador->isEditable() && f.cmbNumeros->isEditable());
    EXPECT_EQ(f.txtCabecera->toolTip(), "Cabecera común a todos los archivos que se encuentren.");
    EXPECT_TRUE(f.txtCabecera->text().isEmpty());

    struct Longitud {
        QLineEdit* campo;
        int maxima;
    };
    for (const Longitud& l : {Longitud{f.txtCabecera, 50},
                              {f.txtCabeceraModificar, 50},
                              {f.txtRutaModificar, 150},
                              {f.txtAutorModificar, 150},
                              {f.txtTituloModificar, 150},
                              {f.txtExtensionModificar, 3}})
        EXPECT_EQ(l.campo->maxLength(), l.maxima);

    EXPECT_TRUE(f.chkIncluirSubdirectorios->isChecked());
    EXPECT_TRUE(f.chkOrdenar->isChecked());
    EXPECT_TRUE(f.optPrimeroAutor->isChecked());
    EXPECT_FALSE(f.optPrimeroTitulo->isChecked());
    EXPECT_FALSE(f.chkConvertirUnderscore->isChecked());
    EXPECT_FALSE(f.chkQuitarNumeros->isChecked());
    EXPECT_FALSE(f.lblNumeros->isEnabled());
    EXPECT_FALSE(f.cmbNumeros->isEnabled());
    EXPECT_EQ(f.cmbNumeros->palette().color(QPalette::Disabled, QPalette::Base), QColor(187, 187, 187));
    EXPECT_TRUE(f.cmdAnadir->isEnabled());
    EXPECT_EQ(f.listaCancionesEliminar->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(f.listaCancionesModificar->selectionMode(), QAbstractItemView::SingleSelection);
    for (QWidget* apagado : std::initializer_list<QWidget*>{f.cmdGuardar, f.cmdRestaurar, f.chkBatch,
                                                            f.lblBatch, f.lblActualiz, f.cmdReordenar})
        EXPECT_FALSE(apagado->isEnabled());
    EXPECT_FALSE(f.chkBatch->isChecked());
    EXPECT_FALSE(f.CambioRama);

    EXPECT_EQ(f.drvUnidad->currentText(), disco.Raiz());
    EXPECT_EQ(f.dirDirectorio->Path(), disco.Raiz());
}

TEST_F(Controles, Menus) {
    frmActualizacion& f = v();
    QStringList barra;
    for (QAction* menu : f.menuBar()->actions())
        barra << menu->text();
    EXPECT_EQ(barra, (QStringList{"&Ver", "&Opciones", "&?"}));
    EXPECT_EQ(f.mnuOpcionesGuardarSincronismo->text(), "&Arboles Sincronizados");
    EXPECT_TRUE(f.mnuOpcionesGuardarSincronismo->isChecked());
    for (QMenu* popup : {f.mnuPopUpEliminar, f.mnuPopUpModificar}) {
        QStringList elementos;
        for (QAction* accion : popup->actions())
            elementos << (accion->isSeparator() ? QStringLiteral("-") : accion->text());
        EXPECT_EQ(elementos, (QStringList{"&Arboles Sincronizados", "-", "Contraer &Todo",
                                          "Expandir &Cabeceras", "Expandir T&odo"}));
    }
}

TEST_F(Controles, ElBotonDerechoAbreElMenuDeCadaArbol) {
    frmActualizacion& f = v();
    f.show();
    Pulsar(f.TreeViewEliminar->viewport(), Qt::RightButton);
    EXPECT_TRUE(f.mnuPopUpEliminar->isVisible());
    EXPECT_FALSE(f.mnuPopUpModificar->isVisible());
    f.mnuPopUpEliminar->hide();
    Pulsar(f.TreeViewModificar->viewport(), Qt::RightButton);
    EXPECT_TRUE(f.mnuPopUpModificar->isVisible());
    f.mnuPopUpModificar->hide();
}

TEST_F(Controles, AlActivarseVuelveALaPosicionComunConSuAltura) {
    Estado::VentanaIzda = 1500;
    Estado::VentanaArriba = 750;
    frmActualizacion& f = v();
    f.move(300, 300);
    QEvent activacion(QEvent::WindowActivate);
    QApplication::sendEvent(&f, &activacion);
    EXPECT_EQ(f.pos(), QPoint(100, 50));
    EXPECT_EQ(f.height(), 460); // 6900 twips
    Estado::VentanaIzda = Estado::VentanaArriba = 0;
}

TEST_F(Controles, LasSolapasTraenSuContenedorYElMenuDeSincronismo) {
    frmActualizacion& f = v();
    struct Caso {
        int solapa;
        QWidget* contenedor;
        bool sincronismo;
    };
    for (const Caso& caso : {Caso{1, f.ContenedorEliminar, true}, Caso{2, f.ContenedorModificar, true},
                             Caso{0, f.ContenedorAnadir, false}}) {
        f.Solapas->setCurrentIndex(caso.solapa);
        EXPECT_EQ(f.Contenedores->currentWidget(), caso.contenedor) << caso.solapa;
        EXPECT_EQ(f.mnuOpcionesGuardarSincronismo->isEnabled(), caso.sincronismo) << caso.solapa;
    }
}

TEST_F(Controles, QuitarNumerosHabilitaElFormatoYLoPoneEnBlanco) {
    frmActualizacion& f = v();
    f.chkQuitarNumeros->click();
    EXPECT_TRUE(f.lblNumeros->isEnabled());
    EXPECT_TRUE(f.cmbNumeros->isEnabled());
    EXPECT_EQ(f.cmbNumeros->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 255));
    f.chkQuitarNumeros->click();
    EXPECT_FALSE(f.lblNumeros->isEnabled());
    EXPECT_FALSE(f.cmbNumeros->isEnabled());
    EXPECT_EQ(f.cmbNumeros->palette().color(QPalette::Disabled, QPalette::Base), QColor(187, 187, 187));
}

TEST_F(Controles, BatchApagaRestaurarYSusRotulosLoConmutan) {
    catalogo.AnadirCancion("Cab", "\\R\\", "A", "T");
    frmActualizacion& f = v();
    Pulsar(f.lblBatch); // disabled until a route is chosen: nothing happens
    EXPECT_FALSE(f.chkBatch->isChecked());

    f.TreeViewModificar->Seleccionar(Ruta11);
    f.TreeViewModificar_Click();
    ASSERT_TRUE(f.cmdRestaurar->isEnabled());
    f.chkBatch->click();
    EXPECT_FALSE(f.cmdRestaurar->isEnabled());
    Pulsar(f.lblBatch);
    EXPECT_FALSE(f.chkBatch->isChecked());
    EXPECT_TRUE(f.cmdRestaurar->isEnabled());
    Pulsar(f.lblActualiz);
    EXPECT_TRUE(f.chkBatch->isChecked());
    Pulsar(f.lblActualiz);
    EXPECT_FALSE(f.chkBatch->isChecked());
}

TEST_F(Controles, CambioRamaSigueALaCabeceraYLaRuta) {
    catalogo.AnadirCancion("Cab", "\\R\\", "A", "T");
    frmActualizacion& f = v();
    for (QLineEdit* campo : {f.txtCabeceraModificar, f.txtRutaModificar}) {
        f.TreeViewModificar->Seleccionar(Ruta11);
        f.TreeViewModificar_Click();
        EXPECT_FALSE(f.CambioRama);
        campo->setText("otra");
        EXPECT_TRUE(f.CambioRama);
    }
    f.TreeViewModificar_Click();
    f.txtAutorModificar->setText("otro");
    EXPECT_FALSE(f.CambioRama);
}

using ArbolesMantenimiento = VentanaActualizacion;

TEST_F(ArbolesMantenimiento, UnaRutaListaSusCancionesPorPosicion) {
    catalogo.AnadirCancion("Cab", "\\R\\", "Segundo", "Dos", "mp3", 1, 0, 2);
    catalogo.AnadirCancion("Cab", "\\R\\", "Primero", "Uno", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("Cab", "\\S\\", "Otro", "Tres", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("Cab", "\\R\\", "Tercero", "Cuatro", "mp3", 1, 0, 3);
    frmActualizacion& f = v();
    GestorArboles::Instancia().SetSincronizados(false);

    f.TreeViewEliminar->Seleccionar(Ruta11);
    f.TreeViewEliminar_Click();
    EXPECT_EQ(Lineas(f.listaCancionesEliminar),
              (QStringList{"Primero -- Uno", "Segundo -- Dos", "Tercero -- Cuatro"}));
    EXPECT_EQ(Filas(f.listaCancionesModificar), 0); // not synchronised

    f.TreeViewModificar->Seleccionar(Ruta12);
    f.TreeViewModificar_Click();
    EXPECT_EQ(Lineas(f.listaCancionesModificar), QStringList{"Otro -- Tres"});

    for (const QString& clave : {Cab1, Arboles::ClaveRaiz}) {
        f.TreeViewEliminar->Seleccionar(clave);
        f.TreeViewEliminar_Click();
        EXPECT_EQ(Filas(f.listaCancionesEliminar), 0);
    }
    GestorArboles::Instancia().SetSincronizados(true);
}

TEST_F(ArbolesMantenimiento, ModificarHabilitaLaEdicionSoloEnUnaRuta) {
    catalogo.AnadirCancion("Cab", "\\R\\", "A", "T");
    frmActualizacion& f = v();
    const auto edicion = {static_cast<QWidget*>(f.cmdGuardar),   static_cast<QWidget*>(f.cmdRestaurar),
                          static_cast<QWidget*>(f.cmdReordenar), static_cast<QWidget*>(f.lblBatch),
                          static_cast<QWidget*>(f.lblActualiz),  static_cast<QWidget*>(f.chkBatch)};
    f.TreeViewModificar->Seleccionar(Ruta11);
    f.TreeViewModificar_Click();
    for (QWidget* control : edicion)
        EXPECT_TRUE(control->isEnabled());
    EXPECT_EQ(Lineas(f.listaCancionesModificar), QStringList{"A -- T"});

    for (QLineEdit* campo :
         {f.txtCabeceraModificar, f.txtRutaModificar, f.txtAutorModificar, f.txtTituloModificar,
          f.txtExtensionModificar, f.txtTamanoModificar, f.txtRelPosModificar})
        campo->setText("x");
    f.chkBatch->setChecked(true);
    f.TreeViewModificar->Seleccionar(Cab1);
    f.TreeViewModificar_Click();
    for (QWidget* control : edicion)
        EXPECT_FALSE(control->isEnabled());
    for (QLineEdit* campo :
         {f.txtCabeceraModificar, f.txtRutaModificar, f.txtAutorModificar, f.txtTituloModificar,
          f.txtExtensionModificar, f.txtTamanoModificar, f.txtRelPosModificar})
        EXPECT_TRUE(campo->text().isEmpty());
    EXPECT_FALSE(f.chkBatch->isChecked());
    EXPECT_EQ(Filas(f.listaCancionesModificar), 0);
}

TEST_F(ArbolesMantenimiento, RutasConCaracteresDePatronListanSoloLasSuyas) {
    const char* rutas[] = {"\\[ab]\\", "\\a\\", "\\O'B\\", "\\OxB\\", "\\*\\", "\\z\\", "\\#1\\", "\\21\\"};
    for (const char* ruta : rutas)
        catalogo.AnadirCancion("C'#[", QString::fromUtf8(ruta), "Autor", QString::fromUtf8(ruta));
    catalogo.AnadirCancion("Cx1[", "\\a\\", "Vecino", "no"); // what "'" and "#" as "?" also match
    frmActualizacion& f = v();
    QTreeWidgetItem* cabecera = f.TreeViewEliminar->Nodo(BuscarCabeceraEn(f.TreeViewEliminar, "C'#["));
    ASSERT_NE(cabecera, nullptr);
    ASSERT_EQ(cabecera->childCount(), 8);
    for (int j = 0; j < cabecera->childCount(); ++j) {
        QTreeWidgetItem* ruta = cabecera->child(j);
        f.TreeViewEliminar->setCurrentItem(ruta);
        f.TreeViewEliminar_Click();
        EXPECT_EQ(Lineas(f.listaCancionesEliminar), QStringList{"Autor -- " + ruta->text(0)})
            << ruta->text(0).toStdString();
    }
}

TEST_F(ArbolesMantenimiento, UnClicSeReflejaEnLosOtrosArbolesYSusListas) {
    catalogo.AnadirCancion("Cab", "\\R\\", "A", "T");
    catalogo.AnadirCancion("Cab", "\\S\\", "B", "U");
    frmActualizacion& f = v();
    ArbolNodos* lista = Ventanas::Lista().TreeViewLista;

    f.TreeViewEliminar->Seleccionar(Ruta12);
    f.TreeViewEliminar_Click();
    EXPECT_EQ(f.TreeViewModificar->ClaveSeleccionada(), Ruta12);
    EXPECT_EQ(lista->ClaveSeleccionada(), Ruta12);
    EXPECT_EQ(Lineas(f.listaCancionesModificar), QStringList{"B -- U"});
    EXPECT_TRUE(f.cmdGuardar->isEnabled());
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());

    f.TreeViewModificar->Seleccionar(Ruta11);
    f.TreeViewModificar_Click();
    EXPECT_EQ(f.TreeViewEliminar->ClaveSeleccionada(), Ruta11);
    EXPECT_EQ(lista->ClaveSeleccionada(), Ruta11);
    EXPECT_EQ(Lineas(f.listaCancionesEliminar), QStringList{"A -- T"});
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());

    GestorArboles::Instancia().SetSincronizados(false);
    f.TreeViewEliminar->Seleccionar(Cab1);
    f.TreeViewEliminar_Click();
    EXPECT_EQ(f.TreeViewModificar->ClaveSeleccionada(), Ruta11);
    EXPECT_EQ(Lineas(f.listaCancionesModificar), QStringList{"A -- T"});
    GestorArboles::Instancia().SetSincronizados(true);
}

TEST_F(ArbolesMantenimiento, ExpandirYContraerSeReflejanEnLosOtros) {
    catalogo.AnadirCancion("Cab", "\\R\\", "A", "T");
    frmActualizacion& f = v();
    ArbolNodos* otros[] = {f.TreeViewModificar, Ventanas::Lista().TreeViewLista};

    f.TreeViewEliminar->SetExpandido(Arboles::ClaveRaiz, true);
    EXPECT_EQ(f.TreeViewEliminar->Imagen(Arboles::ClaveRaiz), Arboles::ImagenRaizAbierto);
    f.TreeViewEliminar->SetExpandido(Cab1, true);
    for (ArbolNodos* otro : otros) {
        EXPECT_TRUE(otro->Expandido(Arboles::ClaveRaiz));
        EXPECT_TRUE(otro->Expandido(Cab1));
        EXPECT_EQ(otro->ClaveSeleccionada(), Cab1);
        EXPECT_EQ(otro->Imagen(Arboles::ClaveRaiz), Arboles::ImagenRaizAbierto);
    }

    f.TreeViewModificar->SetExpandido(Cab1, false); // a header: the roots stay open
    for (ArbolNodos* otro : {f.TreeViewEliminar, Ventanas::Lista().TreeViewLista}) {
        EXPECT_FALSE(otro->Expandido(Cab1));
        EXPECT_TRUE(otro->Expandido(Arboles::ClaveRaiz));
        EXPECT_EQ(otro->ClaveSeleccionada(), Cab1);
    }

    f.TreeViewEliminar->SetExpandido(Arboles::ClaveRaiz, false);
    EXPECT_EQ(f.TreeViewEliminar->Imagen(Arboles::ClaveRaiz), Arboles::ImagenRaizCerrado);
    for (ArbolNodos* otro : otros) {
        EXPECT_FALSE(otro->Expandido(Arboles::ClaveRaiz));
        EXPECT_EQ(otro->ClaveSeleccionada(), Arboles::ClaveRaiz);
        EXPECT_EQ(otro->Imagen(Arboles::ClaveRaiz), Arboles::ImagenRaizCerrado);
    }
    EXPECT_TRUE(GestorArboles::Instancia().Sincronizados());
}

class Unidades : public VentanaActualizacion {
protected:
    Unidades() { guion.volumenes << otro.path() << "/no/existe/esta/unidad"; }
    QTemporaryDir otro;
};

TEST_F(Unidades, CambiarDeUnidadAbreSuRaiz) {
    frmActualizacion& f = v();
    f.drvUnidad->setCurrentIndex(1);
    emit f.drvUnidad->activated(1);
    EXPECT_EQ(f.dirDirectorio->Path(), otro.path());
    EXPECT_TRUE(guion.mensajes.empty());
}

TEST_F(Unidades, UnaUnidadQueNoEstaListaVuelveALaAnterior) {
    disco.Directorio("Musica");
    frmActualizacion& f = v();
    ASSERT_TRUE(f.dirDirectorio->SetPath(disco.Ruta("Musica"), disco.Raiz()));
    f.drvUnidad->setCurrentIndex(2);
    emit f.drvUnidad->activated(2);
    EXPECT_EQ(f.dirDirectorio->Path(), disco.Ruta("Musica"));
    EXPECT_EQ(f.drvUnidad->currentText(), disco.Raiz());
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].texto, "ERROR: La unidad no está lista.   ");
    EXPECT_EQ(guion.mensajes[0].titulo, "Ooooops!");
    EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Critico);
    EXPECT_EQ(guion.mensajes[0].botones, BotonesMensaje::Aceptar);
}
