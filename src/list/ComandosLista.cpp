// The list window's commands: the four picture buttons above the tree, the "&Opciones" and "&Utilidades"
// menu items that open other windows, the song list's popup menu, and the configuration's apply.

#include "list/frmConfigLista.h"
#include "list/frmLista.h"
#include "shell/BarreraErrores.h"
#include "shell/BotonesImagen.h"
#include "trees/ArbolNodos.h"
#include "trees/GestorArboles.h"
#include "utilities/frmComprobarErrores.h"
#include "utilities/frmImportarExportar.h"
#include "utilities/frmImprimirArbol.h"
#include "utilities/frmPorcentajeLetras.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

// Each button's pictures are its key stem followed by 1 (normal), 2 (mouse over) or 3 (pressed).
void frmLista::CrearBotones() {
    botones_ = new BotonesImagen(this);
    const auto dibujo = [this](const std::function<QString()>& raiz) {
        return [this, raiz](BotonesImagen::Aspecto aspecto) {
            return ImageList.value(raiz() + QString::number(int(aspecto) + 1));
        };
    };
    const auto fija = [](const char* raiz) { return [raiz] { return QString::fromLatin1(raiz); }; };
    // The root button shows the open or the closed variant by the root's expansion at that moment.
    botones_->Anadir(imgExpandRaiz, dibujo([this] {
                         return TreeViewLista->Expandido(Arboles::ClaveRaiz) ? QStringLiteral("peq_RaizAbie")
                                                                             : QStringLiteral("peq_RaizCerr");
                     }));
    botones_->Anadir(imgExpandCabecera, dibujo(fija("peq_Cab")));
    botones_->Anadir(imgExpandRuta, dibujo(fija("peq_Rut")));
    botones_->Anadir(imgImprimir, dibujo(fija("peq_Imp")));
}

void frmLista::ConectarComandos() {
    connect(botones_, &BotonesImagen::Click, this, Protegido(this, &frmLista::img_Click));
    connect(mnuOpcionesConfigurar, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuOpcionesConfigurar_Click));
    connect(mnuUtilidadesImprimirListado, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuUtilidadesImprimirListado_Click));
    connect(mnuUtilidadesPorcentajes, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuUtilidadesPorcentajes_Click));
    connect(mnuUtilidadesErrores, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuUtilidadesErrores_Click));
    connect(mnuUtilidadesImportar, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuUtilidadesImportar_Click));
    connect(mnuUtilidadesExportar, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuUtilidadesExportar_Click));
    connect(mnuPopUpListViewVerLetra, &QAction::triggered, this,
            Protegido(this, &frmLista::ListaListView_DblClick));
    connect(mnuPopUpListViewConfigurar, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuOpcionesConfigurar_Click));
    connect(mnuPopUpListViewBusquedaIntel, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuPopUpListViewBusquedaIntel_Click));
}

void frmLista::SinResalte() {
    botones_->SinResalte();
}

void frmLista::img_Click(QLabel* boton) {
    if (boton == imgExpandRaiz)
        imgExpandRaiz_Click();
    else if (boton == imgExpandCabecera)
        imgExpandCabecera_Click();
    else if (boton == imgExpandRuta)
        imgExpandRuta_Click();
    else if (boton == imgImprimir)
        imgImprimir_Click();
}

// The nodes are selected again without the tree's click, so the song list stays as the command leaves it.
void frmLista::imgExpandRaiz_Click() {
    GestorArboles::Instancia().ExpandirArboles(GestorArboles::ContraerTodo, TreeViewLista);
    SinResalte();
    Arboles_ListasVaciadas();
}

void frmLista::imgExpandCabecera_Click() {
    const QString clave = TreeViewLista->ClaveSeleccionada();
    GestorArboles::Instancia().ExpandirArboles(GestorArboles::ExpandirCabeceras, TreeViewLista);
    SinResalte();
    // A route is hidden now: its header takes the selection.
    const QTreeWidgetItem* nodo = TreeViewLista->Nodo(clave);
    TreeViewLista->Seleccionar(
        clave.startsWith(u'2') && nodo && nodo->parent() ? ArbolNodos::Clave(nodo->parent()) : clave);
    Arboles_ListasVaciadas();
}

void frmLista::imgExpandRuta_Click() {
    const QString clave = TreeViewLista->ClaveSeleccionada();
    GestorArboles::Instancia().ExpandirArboles(GestorArboles::ExpandirTodo, TreeViewLista);
    SinResalte();
    TreeViewLista->Seleccionar(clave);
}

void frmLista::imgImprimir_Click() {
    mnuUtilidadesImprimirListado_Click();
}

void frmLista::mnuOpcionesConfigurar_Click() {
    frmConfigLista dialogo(Opciones(), this);
    connect(&dialogo, &frmConfigLista::Aplicar, this, Protegido(this, &frmLista::AplicarOpciones));
    dialogo.exec();
}

Lista::OpcionesLista frmLista::Opciones() const {
    return {ColumnaAutor, ColumnaTitulo, ColumnaExtension, ColumnaTamano, ColumnaLetra, BusquedaInteligente};
}

// The song list is read again through the tree's click, which, with the trees synchronised, also makes
// the maintenance trees follow.
void frmLista::AplicarOpciones(const Lista::OpcionesLista& opciones) {
    ColumnaAutor = opciones.ColumnaAutor;
    ColumnaTitulo = opciones.ColumnaTitulo;
    ColumnaExtension = opciones.ColumnaExtension;
    ColumnaTamano = opciones.ColumnaTamano;
    ColumnaLetra = opciones.ColumnaLetra;
    BusquedaInteligente = opciones.BusquedaInteligente;
    mnuPopUpListViewBusquedaIntel->setChecked(BusquedaInteligente);
    Inicializar_Columnas();
    TreeViewLista_Click();
}

// The utility windows delete themselves when they close.
void frmLista::mnuUtilidadesImprimirListado_Click() {
    SinResalte();
    (new frmImprimirArbol(this))->exec();
}

void frmLista::mnuUtilidadesPorcentajes_Click() {
    (new frmPorcentajeLetras(this))->exec();
}

void frmLista::mnuUtilidadesErrores_Click() {
    (new frmComprobarErrores(this))->exec();
}

void frmLista::mnuUtilidadesImportar_Click() {
    AbrirImportarExportar(QStringLiteral("Importar Base de Datos"), QStringLiteral("&Importar"));
}

void frmLista::mnuUtilidadesExportar_Click() {
    AbrirImportarExportar(QStringLiteral("Exportar Base de Datos"), QStringLiteral("&Exportar"));
}

void frmLista::AbrirImportarExportar(const QString& titulo, const QString& boton) {
    auto* dialogo = new frmImportarExportar(this);
    dialogo->setWindowTitle(titulo);
    dialogo->cmdOK->setText(boton);
    dialogo->exec();
}

void frmLista::ListaListView_MouseUp(Qt::MouseButton boton, const QPoint& donde) {
    if (boton == Qt::RightButton)
        mnuPopUpListView->popup(donde);
}

void frmLista::mnuPopUpListViewBusquedaIntel_Click() {
    BusquedaInteligente = !BusquedaInteligente;
    mnuPopUpListViewBusquedaIntel->setChecked(BusquedaInteligente);
    TreeViewLista_Click();
}
