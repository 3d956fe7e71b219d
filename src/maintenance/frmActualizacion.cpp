#include "maintenance/frmActualizacion.h"

#include "maintenance/AnadidoCanciones.h"
#include "maintenance/ListaDirectorios.h"
#include "maintenance/RutasVolumen.h"
#include "maintenance/frmProcesando.h"
#include "maintenance/frmReordenar.h"
#include "shell/BarreraErrores.h"
#include "shell/Estado.h"
#include "shell/MenusComunes.h"
#include "shell/Servicios.h"
#include "shell/Twips.h"
#include "store/BBDD.h"
#include "store/CatalogoMantenimiento.h"
#include "store/Globales.h"
#include "trees/ArbolNodos.h"
#include "trees/ArbolesVentanas.h"
#include "trees/GestorArboles.h"
#include "trees/ModeloCanciones.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int AnchoVentana = 10500; // twips
constexpr int AltoVentana = 6900;
const QColor FondoDeshabilitado(187, 187, 187);
const QColor FondoHabilitado(255, 255, 255);
const QString TextoSincronizados = QStringLiteral("&Arboles Sincronizados");
// What the user may type into the fields of a header, of a route, author or title, of an extension.
constexpr int LongitudCabecera = 50;
constexpr int LongitudTexto = 150;
constexpr int LongitudExtension = 3;

// A list of one line per song, "AUTOR -- TITULO", each giving its row's identity.
QListView* ListaCanciones(ModeloCanciones* modelo, QAbstractItemView::SelectionMode seleccion) {
    modelo->PonerColumnas({{ModeloCanciones::Columna::Linea, {}, Qt::AlignLeft | Qt::AlignVCenter, {}}});
    auto* lista = new QListView;
    lista->setModel(modelo);
    lista->setUniformItemSizes(true);
    lista->setSelectionMode(seleccion);
    return lista;
}

// The identities of the selected lines, in the list's order.
std::vector<catalogo::IdCancion> Elegidas(const QListView* lista) {
    QModelIndexList indices = lista->selectionModel()->selectedRows();
    std::sort(indices.begin(), indices.end());
    std::vector<catalogo::IdCancion> filas;
    for (const QModelIndex& indice : indices)
        filas.push_back(indice.data(ModeloCanciones::RolFila).toLongLong());
    return filas;
}

QComboBox* ComboEditable(const QStringList& elementos, const QString& consejo) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(elementos);
    combo->setToolTip(consejo);
    return combo;
}

QLineEdit* Campo(int longitudMaxima = 0) {
    auto* campo = new QLineEdit;
    if (longitudMaxima > 0)
        campo->setMaxLength(longitudMaxima);
    return campo;
}

void PonerFondo(QWidget* control, const QColor& color) {
    QPalette paleta = control->palette();
    for (auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        paleta.setColor(grupo, QPalette::Base, color);
    // The text of a disabled box stays readable on its grey.
    for (auto rol : {QPalette::Text, QPalette::ButtonText})
        paleta.setColor(QPalette::Disabled, rol, paleta.color(QPalette::Active, rol));
    control->setPalette(paleta);
}

// One name a line, at most twenty of them, each cut in the middle when it is very long.
QString Lista(const QStringList& nombres) {
    constexpr int Mostrados = 20;
    constexpr int Largo = 200;
    QString texto;
    for (int i = 0; i < nombres.size() && i < Mostrados; ++i) {
        const QString& nombre = nombres.at(i);
        texto +=
            QStringLiteral("\n    ") +
            (nombre.size() > Largo ? nombre.left(Largo / 4) + QStringLiteral("...") + nombre.right(Largo / 2)
                                   : nombre);
    }
    if (nombres.size() > Mostrados)
        texto += QStringLiteral("\n    ... y %1 más").arg(nombres.size() - Mostrados);
    return texto;
}

} // namespace

frmActualizacion::frmActualizacion(QWidget* padre) : QMainWindow(padre) {
    setWindowTitle(QStringLiteral("Cantorio - Actualización"));
    auto* central = new QWidget(this);
    Lin1 = new QFrame(central);
    Lin2 = new QFrame(central);
    for (QFrame* linea : {Lin1, Lin2}) {
        linea->setFrameShape(QFrame::HLine);
        linea->setFrameShadow(QFrame::Plain);
        linea->setLineWidth(1);
    }
    Lin1->setForegroundRole(QPalette::Dark);
    Lin2->setForegroundRole(QPalette::Light);

    Solapas = new QTabBar(central);
    Solapas->addTab(QStringLiteral("Añadir"));
    Solapas->addTab(QStringLiteral("Eliminar"));
    Solapas->addTab(QStringLiteral("Modificar"));
    Solapas->setExpanding(false);
    Contenedores = new QStackedWidget(central);
    ContenedorAnadir = CrearContenedorAnadir();
    ContenedorEliminar = CrearContenedorEliminar();
    ContenedorModificar = CrearContenedorModificar();
    for (QWidget* contenedor : {ContenedorAnadir, ContenedorEliminar, ContenedorModificar})
        Contenedores->addWidget(contenedor);

    auto* disposicion = new QVBoxLayout(central);
    disposicion->setContentsMargins(6, Pixeles(60), 6, 6);
    disposicion->setSpacing(0);
    disposicion->addWidget(Solapas);
    disposicion->addWidget(Contenedores, 1);
    Contenedores->setFrameShape(QFrame::StyledPanel);
    setCentralWidget(central);

    CrearMenus();
    GestorArboles& arboles = GestorArboles::Instancia();
    arboles.Registrar(GestorArboles::Arbol::Eliminar, TreeViewEliminar);
    arboles.Registrar(GestorArboles::Arbol::Modificar, TreeViewModificar);
    for (QAction* sincronizados :
         {mnuOpcionesGuardarSincronismo, mnuPopUpEliminarSincronizados, mnuPopUpModificarSincronizados})
        arboles.RegistrarMarca(sincronizados);
    Conectar();
    resize(Pixeles(AnchoVentana), Pixeles(AltoVentana));
    Form_Load();
}

QWidget* frmActualizacion::CrearContenedorAnadir() {
    auto* contenedor = new QWidget;
    drvUnidad = new QComboBox;
    dirDirectorio = new ListaDirectorios;
    lblExtension = new QLabel(QStringLiteral("Archivos:"));
    cmbFiltro = ComboEditable({}, QStringLiteral("Determina qué archivos buscar."));
    lblCabecera = new QLabel(QStringLiteral("Cabecera:"));
    txtCabecera = Campo(50);
    txtCabecera->setToolTip(QStringLiteral("Cabecera común a todos los archivos que se encuentren."));
    lblSeparador = new QLabel(QStringLiteral("Separador:"));
    cmbSeparador = ComboEditable({}, QStringLiteral("Separador a buscar en los Ficheros"));
    chkIncluirSubdirectorios = new QCheckBox(QStringLiteral("&Incluir Subdirectorios"));
    chkOrdenar = new QCheckBox(QStringLiteral("Or&denar Alfabéticamente"));
    optPrimeroTitulo = new QRadioButton(QStringLiteral("Primero el &Título"));
    optPrimeroAutor = new QRadioButton(QStringLiteral("Primero el &Autor"));
    chkConvertirUnderscore = new QCheckBox(QStringLiteral("&Convertir  \"_\"  en Espacios"));
    chkQuitarNumeros = new QCheckBox(QStringLiteral("&Quitar Números al Principio"));
    chkLeerLetras = new QCheckBox(QStringLiteral("Leer &letras y etiquetas"));
    chkLeerLetras->setToolTip(QStringLiteral(
        "Toma la letra de las etiquetas de cada fichero o de un .lrc o .txt del mismo nombre, y "
        "el autor y el título de las etiquetas cuando el nombre no se puede separar."));
    lblNumeros = new QLabel(QStringLiteral("Números:"));
    cmbNumeros = ComboEditable({}, QStringLiteral("Formato de numeración de los Ficheros"));
    cmdAnadir = new QPushButton(QStringLiteral("Añadir"));
    lblExtension->setBuddy(cmbFiltro);
    lblCabecera->setBuddy(txtCabecera);
    lblSeparador->setBuddy(cmbSeparador);
    lblNumeros->setBuddy(cmbNumeros);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(drvUnidad);
    izquierda->addWidget(dirDirectorio, 1);

    auto* campos = new QGridLayout;
    campos->addWidget(lblExtension, 0, 0);
    campos->addWidget(cmbFiltro, 0, 1);
    campos->addWidget(lblCabecera, 1, 0);
    campos->addWidget(txtCabecera, 1, 1);
    campos->addWidget(lblSeparador, 2, 0);
    campos->addWidget(cmbSeparador, 2, 1);
    campos->setColumnStretch(1, 1);

    auto* orden = new QGroupBox;
    auto* disposicionOrden = new QVBoxLayout(orden);
    disposicionOrden->addWidget(optPrimeroAutor);
    disposicionOrden->addWidget(optPrimeroTitulo);

    auto* numeros = new QHBoxLayout;
    numeros->addSpacing(20);
    numeros->addWidget(lblNumeros);
    numeros->addWidget(cmbNumeros, 1);

    auto* derecha = new QVBoxLayout;
    derecha->addLayout(campos);
    derecha->addSpacing(6);
    derecha->addWidget(chkIncluirSubdirectorios);
    derecha->addWidget(chkOrdenar);
    derecha->addWidget(orden);
    derecha->addWidget(chkConvertirUnderscore);
    derecha->addWidget(chkQuitarNumeros);
    derecha->addLayout(numeros);
    derecha->addWidget(chkLeerLetras);
    derecha->addStretch(1);
    derecha->addWidget(cmdAnadir, 0, Qt::AlignRight);

    auto* disposicion = new QHBoxLayout(contenedor);
    disposicion->addLayout(izquierda, 1);
    disposicion->addLayout(derecha, 1);
    return contenedor;
}

QWidget* frmActualizacion::CrearContenedorEliminar() {
    auto* contenedor = new QWidget;
    TreeViewEliminar = new ArbolNodos;
    cmdEliminarRama = new QPushButton(QStringLiteral("Eliminar Rama"));
    CancionesEliminar = new ModeloCanciones(this);
    listaCancionesEliminar = ListaCanciones(CancionesEliminar, QAbstractItemView::ExtendedSelection);
    cmdEliminarCanciones = new QPushButton(QStringLiteral("Eliminar Canciones Seleccionadas"));
    cmdEliminarBase = new QPushButton;
    cmdEliminarBase->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    cmdEliminarBase->setIconSize(QSize(24, 24));
    lblEliminarBase = new QLabel(QStringLiteral("Eliminar la Base entera"));

    // Each button centred under its control.
    auto* arbol = new QVBoxLayout;
    arbol->addWidget(TreeViewEliminar, 1);
    arbol->addWidget(cmdEliminarRama, 0, Qt::AlignHCenter);
    auto* lista = new QVBoxLayout;
    lista->addWidget(listaCancionesEliminar, 1);
    lista->addWidget(cmdEliminarCanciones, 0, Qt::AlignHCenter);
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(arbol, 2);
    arriba->addLayout(lista, 3);
    auto* base = new QHBoxLayout;
    base->addWidget(cmdEliminarBase);
    base->addWidget(lblEliminarBase);
    base->addStretch(1);

    auto* disposicion = new QVBoxLayout(contenedor);
    disposicion->addLayout(arriba, 1);
    disposicion->addLayout(base);
    return contenedor;
}

QWidget* frmActualizacion::CrearContenedorModificar() {
    auto* contenedor = new QWidget;
    TreeViewModificar = new ArbolNodos;
    CancionesModificar = new ModeloCanciones(this);
    listaCancionesModificar = ListaCanciones(CancionesModificar, QAbstractItemView::SingleSelection);

    lblCabeceraModificar = new QLabel(QStringLiteral("Cabecera:"));
    txtCabeceraModificar = Campo(LongitudCabecera);
    lblRutaModificar = new QLabel(QStringLiteral("Ruta:"));
    txtRutaModificar = Campo(LongitudTexto);
    lblAutorModificar = new QLabel(QStringLiteral("Autor:"));
    txtAutorModificar = Campo(LongitudTexto);
    lblTituloModificar = new QLabel(QStringLiteral("Título:"));
    txtTituloModificar = Campo(LongitudTexto);
    lblExtensionModificar = new QLabel(QStringLiteral("Extensión:"));
    txtExtensionModificar = Campo(LongitudExtension);
    lblTamanoModificar = new QLabel(QStringLiteral("Tamaño:"));
    txtTamanoModificar = Campo();
    lblRelPosModificar = new QLabel(QStringLiteral("Pos.Relativa:"));
    txtRelPosModificar = Campo();
    cmdGuardar = new QPushButton(QStringLiteral("&Guardar"));
    cmdRestaurar = new QPushButton(QStringLiteral("&Restaurar"));
    chkBatch = new QCheckBox;
    lblBatch = new QLabel(QStringLiteral("Batch"));
    lblActualiz = new QLabel(QStringLiteral("Actualización"));
    Frame7 = new QGroupBox(QStringLiteral("Utilidades:"));
    cmdReordenar = new QPushButton(QStringLiteral("Reordenar Ruta"), Frame7);

    auto* campos = new QGridLayout;
    const std::pair<QLabel*, QLineEdit*> filas[] = {
        {lblCabeceraModificar, txtCabeceraModificar},   {lblRutaModificar, txtRutaModificar},
        {lblAutorModificar, txtAutorModificar},         {lblTituloModificar, txtTituloModificar},
        {lblExtensionModificar, txtExtensionModificar}, {lblTamanoModificar, txtTamanoModificar},
        {lblRelPosModificar, txtRelPosModificar}};
    int fila = 0;
    for (const auto& [etiqueta, campo] : filas) {
        etiqueta->setBuddy(campo);
        campos->addWidget(etiqueta, fila, 0);
        campos->addWidget(campo, fila++, 1);
    }
    campos->setColumnStretch(1, 1);

    auto* rotuloBatch = new QVBoxLayout;
    rotuloBatch->setSpacing(0);
    rotuloBatch->addWidget(lblBatch);
    rotuloBatch->addWidget(lblActualiz);
    auto* batch = new QHBoxLayout;
    batch->addWidget(chkBatch);
    batch->addLayout(rotuloBatch);
    batch->addStretch(1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdGuardar);
    botones->addWidget(cmdRestaurar);
    botones->addLayout(batch);
    auto* utilidades = new QHBoxLayout(Frame7);
    utilidades->addWidget(cmdReordenar);
    utilidades->addStretch(1);

    auto* derecha = new QVBoxLayout;
    derecha->addLayout(campos);
    derecha->addLayout(botones);
    derecha->addStretch(1);
    derecha->addWidget(Frame7);

    auto* disposicion = new QHBoxLayout(contenedor);
    disposicion->addWidget(TreeViewModificar, 4);
    disposicion->addWidget(listaCancionesModificar, 4);
    disposicion->addLayout(derecha, 3);
    return contenedor;
}

void frmActualizacion::CrearMenus() {
    AnadirMenuVer(this, VentanaPrincipal::Actualizacion);
    mnuOpcionesGuardarSincronismo =
        menuBar()->addMenu(QStringLiteral("&Opciones"))->addAction(TextoSincronizados);
    AnadirMenuAyuda(this);

    auto popup = [this](QAction*& sincronizados, QAction*& contraer, QAction*& cabeceras, QAction*& todo) {
        auto* menu = new QMenu(this);
        sincronizados = menu->addAction(TextoSincronizados);
        menu->addSeparator();
        contraer = menu->addAction(QStringLiteral("Contraer &Todo"));
        cabeceras = menu->addAction(QStringLiteral("Expandir &Cabeceras"));
        todo = menu->addAction(QStringLiteral("Expandir T&odo"));
        return menu;
    };
    mnuPopUpEliminar = popup(mnuPopUpEliminarSincronizados, mnuPopUpContraerTodoEliminar,
                             mnuPopUpExpandCabecerasEliminar, mnuPopUpExpandTodoEliminar);
    mnuPopUpModificar = popup(mnuPopUpModificarSincronizados, mnuPopUpContraerTodoModificar,
                              mnuPopUpExpandCabecerasModificar, mnuPopUpExpandTodoModificar);
}

void frmActualizacion::Conectar() {
    connect(Solapas, &QTabBar::currentChanged, this, Protegido(this, &frmActualizacion::Solapas_Click));
    connect(drvUnidad, &QComboBox::activated, this, Protegido(this, &frmActualizacion::drvUnidad_Change));
    connect(chkQuitarNumeros, &QCheckBox::toggled, this,
            Protegido(this, &frmActualizacion::chkQuitarNumeros_Click));
    connect(chkBatch, &QCheckBox::toggled, this, Protegido(this, &frmActualizacion::chkBatch_Click));
    connect(cmdAnadir, &QPushButton::clicked, this, Protegido(this, &frmActualizacion::cmdAnadir_Click));
    connect(cmdEliminarCanciones, &QPushButton::clicked, this,
            Protegido(this, &frmActualizacion::cmdEliminarCanciones_Click));
    connect(cmdEliminarRama, &QPushButton::clicked, this,
            Protegido(this, &frmActualizacion::cmdEliminarRama_Click));
    connect(cmdEliminarBase, &QPushButton::clicked, this,
            Protegido(this, &frmActualizacion::cmdEliminarBase_Click));
    // A line chosen by the mouse or by the keyboard.
    connect(listaCancionesModificar->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            Protegido(this, &frmActualizacion::listaCancionesModificar_Click));
    connect(cmdRestaurar, &QPushButton::clicked, this,
            Protegido(this, &frmActualizacion::cmdRestaurar_Click));
    connect(cmdGuardar, &QPushButton::clicked, this, Protegido(this, &frmActualizacion::cmdGuardar_Click));
    connect(cmdReordenar, &QPushButton::clicked, this,
            Protegido(this, &frmActualizacion::cmdReordenar_Click));
    connect(TreeViewEliminar, &QTreeWidget::itemClicked, this,
            Protegido(this, &frmActualizacion::TreeViewEliminar_Click));
    connect(TreeViewModificar, &QTreeWidget::itemClicked, this,
            Protegido(this, &frmActualizacion::TreeViewModificar_Click));
    connect(TreeViewEliminar, &QTreeWidget::itemExpanded, this,
            Protegido(this, &frmActualizacion::TreeViewEliminar_Expand));
    connect(TreeViewEliminar, &QTreeWidget::itemCollapsed, this,
            Protegido(this, &frmActualizacion::TreeViewEliminar_Collapse));
    connect(TreeViewModificar, &QTreeWidget::itemExpanded, this,
            Protegido(this, &frmActualizacion::TreeViewModificar_Expand));
    connect(TreeViewModificar, &QTreeWidget::itemCollapsed, this,
            Protegido(this, &frmActualizacion::TreeViewModificar_Collapse));
    for (QLineEdit* rama : {txtCabeceraModificar, txtRutaModificar})
        connect(rama, &QLineEdit::textChanged, this, [this] { CambioRama = true; });
    for (QAction* sincronizados :
         {mnuOpcionesGuardarSincronismo, mnuPopUpEliminarSincronizados, mnuPopUpModificarSincronizados})
        connect(sincronizados, &QAction::triggered, this,
                Protegido(this, &frmActualizacion::mnuOpcionesGuardarSincronismo_Click));
    const std::pair<QAction*, int> modosEliminar[] = {
        {mnuPopUpContraerTodoEliminar, GestorArboles::ContraerTodo},
        {mnuPopUpExpandCabecerasEliminar, GestorArboles::ExpandirCabeceras},
        {mnuPopUpExpandTodoEliminar, GestorArboles::ExpandirTodo}};
    for (auto [accion, modo] : modosEliminar)
        connect(accion, &QAction::triggered, this,
                Protegido(this, [this, modo] { mnuPopUpEliminar_Modo(modo); }));
    const std::pair<QAction*, int> modosModificar[] = {
        {mnuPopUpContraerTodoModificar, GestorArboles::ContraerTodo},
        {mnuPopUpExpandCabecerasModificar, GestorArboles::ExpandirCabeceras},
        {mnuPopUpExpandTodoModificar, GestorArboles::ExpandirTodo}};
    for (auto [accion, modo] : modosModificar)
        connect(accion, &QAction::triggered, this,
                Protegido(this, [this, modo] { mnuPopUpModificar_Modo(modo); }));
    GestorArboles* arboles = &GestorArboles::Instancia();
    connect(arboles, &GestorArboles::NodoElegido, this,
            Protegido(this, &frmActualizacion::Arboles_NodoElegido));
    connect(arboles, &GestorArboles::ListasVaciadas, this,
            Protegido(this, &frmActualizacion::Arboles_ListasVaciadas));
    connect(arboles, &GestorArboles::RaizCambiada, this, [this](ArbolNodos* arbol) {
        if (arbol == TreeViewEliminar || arbol == TreeViewModificar)
            SeguirRaiz(arbol);
    });
    for (QObject* objeto : {static_cast<QObject*>(TreeViewEliminar), static_cast<QObject*>(TreeViewModificar),
                            static_cast<QObject*>(TreeViewEliminar->viewport()),
                            static_cast<QObject*>(TreeViewModificar->viewport()),
                            static_cast<QObject*>(lblBatch), static_cast<QObject*>(lblActualiz)})
        objeto->installEventFilter(this);
}

void frmActualizacion::Form_Load() {
    chkIncluirSubdirectorios->setChecked(true);
    chkOrdenar->setChecked(true);
    optPrimeroAutor->setChecked(true);
    chkLeerLetras->setChecked(false);
    cmbFiltro->addItems({QStringLiteral("*.*"), QStringLiteral("*.aac"), QStringLiteral("*.mp3"),
                         QStringLiteral("*.mp4"), QStringLiteral("*.vqf")});
    cmbSeparador->addItems({QStringLiteral("--"), QStringLiteral("-")});
    cmbNumeros->addItems({QStringLiteral("01"), QStringLiteral("01 -"), QStringLiteral("01.-")});
    chkQuitarNumeros_Click();
    Solapas->setCurrentIndex(0);
    Solapas_Click();
    CambioRama = false;
    chkBatch->setChecked(false);
    chkBatch_Click();
    HabilitarEdicionRuta(false);

    // The current drive and directory: those of the program's working directory when it lies on one of
    // the volumes, otherwise the first volume's root.
    QStringList volumenes = servicios().Volumenes();
    if (volumenes.isEmpty())
        volumenes << QDir::rootPath();
    drvUnidad->addItems(volumenes);
    const QString actual = QDir::currentPath();
    const QString volumen = VolumenDe(volumenes, actual);
    if (!volumen.isEmpty() && dirDirectorio->SetPath(actual, volumen)) {
        drvUnidad->setCurrentText(volumen);
    } else {
        drvUnidad->setCurrentIndex(0);
        dirDirectorio->SetPath(volumenes.first(), volumenes.first());
    }
}

void frmActualizacion::Form_Activate() {
    move(Pixeles(Estado::VentanaIzda), Pixeles(Estado::VentanaArriba));
    resize(width(), Pixeles(AltoVentana));
}

bool frmActualizacion::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate) {
        Form_Activate();
        // While a scan runs its progress window keeps the focus.
        if (procesando_) {
            procesando_->raise();
            procesando_->activateWindow();
        }
    } else if (evento->type() == QEvent::Resize || evento->type() == QEvent::Show) {
        // The etched separator under the menu bar, ending 120 twips short of the window's width.
        const int ancho = Pixeles(Twips(width()) - 120 - 30);
        Lin1->setGeometry(Pixeles(30), 0, ancho, 1);
        Lin2->setGeometry(Pixeles(30), Pixeles(15), ancho, 1);
    }
    return QMainWindow::event(evento);
}

bool frmActualizacion::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyRelease) {
        if (objeto == TreeViewEliminar)
            BarreraErrores(this, [this] { TreeViewEliminar_Click(); });
        else if (objeto == TreeViewModificar)
            BarreraErrores(this, [this] { TreeViewModificar_Click(); });
    } else if (evento->type() == QEvent::MouseButtonRelease) {
        const auto* raton = static_cast<QMouseEvent*>(evento);
        if ((objeto == lblBatch || objeto == lblActualiz) && static_cast<QWidget*>(objeto)->isEnabled()) {
            lblBatch_Click();
        } else if (raton->button() == Qt::RightButton) {
            if (objeto == TreeViewEliminar->viewport())
                mnuPopUpEliminar->popup(raton->globalPosition().toPoint());
            else if (objeto == TreeViewModificar->viewport())
                mnuPopUpModificar->popup(raton->globalPosition().toPoint());
        }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmActualizacion::closeEvent(QCloseEvent* evento) {
    // Refused while a lyric typed in a song window could not be saved.
    evento->setAccepted(TerminarPrograma());
}

void frmActualizacion::Solapas_Click() {
    const QString solapa = Solapas->tabText(Solapas->currentIndex());
    if (solapa == QStringLiteral("Añadir")) {
        Contenedores->setCurrentWidget(ContenedorAnadir);
        mnuOpcionesGuardarSincronismo->setEnabled(false);
        dirDirectorio->setFocus();
    } else if (solapa == QStringLiteral("Eliminar")) {
        Contenedores->setCurrentWidget(ContenedorEliminar);
        mnuOpcionesGuardarSincronismo->setEnabled(true);
        TreeViewEliminar->setFocus();
    } else {
        Contenedores->setCurrentWidget(ContenedorModificar);
        mnuOpcionesGuardarSincronismo->setEnabled(true);
        TreeViewModificar->setFocus();
    }
}

void frmActualizacion::drvUnidad_Change() {
    const QString recordado = dirDirectorio->Path();
    const QString volumen = drvUnidad->currentText();
    const QString actual = QDir::currentPath();
    // The drive's current directory is the working directory when it lies there, else its root.
    if (VolumenDe({volumen}, actual) == volumen && dirDirectorio->SetPath(actual, volumen))
        return;
    if (dirDirectorio->SetPath(volumen, volumen))
        return;
    QStringList volumenes;
    for (int i = 0; i < drvUnidad->count(); ++i)
        volumenes << drvUnidad->itemText(i);
    const QString anterior = VolumenDe(volumenes, recordado);
    dirDirectorio->SetPath(recordado, anterior);
    drvUnidad->setCurrentText(anterior);
    Avisar(this, QStringLiteral("ERROR: La unidad no está lista.   "), QStringLiteral("Ooooops!"),
           IconoMensaje::Critico);
}

void frmActualizacion::chkQuitarNumeros_Click() {
    const bool quitar = chkQuitarNumeros->isChecked();
    lblNumeros->setEnabled(quitar);
    cmbNumeros->setEnabled(quitar);
    PonerFondo(cmbNumeros, quitar ? FondoHabilitado : FondoDeshabilitado);
}

void frmActualizacion::chkBatch_Click() {
    cmdRestaurar->setEnabled(!chkBatch->isChecked());
}

void frmActualizacion::lblBatch_Click() {
    chkBatch->setChecked(!chkBatch->isChecked());
    chkBatch->setFocus();
}

void frmActualizacion::HabilitarEdicionRuta(bool habilitar) {
    for (QWidget* control : std::initializer_list<QWidget*>{cmdGuardar, cmdRestaurar, cmdReordenar, lblBatch,
                                                            lblActualiz, chkBatch})
        control->setEnabled(habilitar);
}

catalogo::CancionesRuta frmActualizacion::LeerRuta(const ArbolNodos* arbol) const {
    const std::optional<catalogo::Ruta> ruta = arbol->RutaSeleccionada();
    return ruta ? catalogo::LeerCancionesRuta(*BBDD::BaseDatos, *ruta) : catalogo::CancionesRuta{};
}

void frmActualizacion::MostrarEliminar(const catalogo::CancionesRuta& canciones) {
    CancionesEliminar->PonerCanciones(canciones);
}

void frmActualizacion::MostrarModificar(const catalogo::CancionesRuta& canciones) {
    chkBatch->setChecked(false);
    VaciarCamposModificar();
    const bool ruta = TreeViewModificar->RutaSeleccionada().has_value();
    HabilitarEdicionRuta(ruta);
    update();
    if (ruta)
        CambioRama = false;
    CancionesModificar->PonerCanciones(canciones);
}

void frmActualizacion::TreeViewEliminar_Click() {
    const catalogo::CancionesRuta canciones = LeerRuta(TreeViewEliminar);
    MostrarEliminar(canciones);
    GestorArboles::Instancia().Elegido(TreeViewEliminar, canciones);
}

void frmActualizacion::TreeViewModificar_Click() {
    const catalogo::CancionesRuta canciones = LeerRuta(TreeViewModificar);
    MostrarModificar(canciones);
    GestorArboles::Instancia().Elegido(TreeViewModificar, canciones);
}

void frmActualizacion::Arboles_NodoElegido(ArbolNodos* arbol, const catalogo::CancionesRuta& canciones) {
    if (arbol == TreeViewEliminar)
        MostrarEliminar(canciones);
    else if (arbol == TreeViewModificar)
        MostrarModificar(canciones);
}

void frmActualizacion::Arboles_ListasVaciadas() {
    CancionesEliminar->Vaciar();
    CancionesModificar->Vaciar();
}

void frmActualizacion::SeguirRaiz(ArbolNodos* arbol) {
    arbol->SetImagen(Arboles::ClaveRaiz, arbol->Expandido(Arboles::ClaveRaiz) ? Arboles::ImagenRaizAbierto
                                                                              : Arboles::ImagenRaizCerrado);
}

// The root's picture follows its state; the other trees follow through the trees' owner.
void frmActualizacion::TreeViewEliminar_Expand(QTreeWidgetItem*) {
    SeguirRaiz(TreeViewEliminar);
}
void frmActualizacion::TreeViewEliminar_Collapse(QTreeWidgetItem*) {
    SeguirRaiz(TreeViewEliminar);
}
void frmActualizacion::TreeViewModificar_Expand(QTreeWidgetItem*) {
    SeguirRaiz(TreeViewModificar);
}
void frmActualizacion::TreeViewModificar_Collapse(QTreeWidgetItem*) {
    SeguirRaiz(TreeViewModificar);
}

// The source is the tree of the tab shown: TreeViewEliminar on "Eliminar", otherwise TreeViewModificar
// (also while "Añadir" is shown).
void frmActualizacion::mnuOpcionesGuardarSincronismo_Click() {
    const bool eliminar = Solapas->tabText(Solapas->currentIndex()) == QStringLiteral("Eliminar");
    GestorArboles::Instancia().CambiarSincronismo(eliminar ? TreeViewEliminar : TreeViewModificar);
}

void frmActualizacion::mnuPopUpEliminar_Modo(int modo) {
    GestorArboles::Instancia().ExpandirArboles(GestorArboles::Modo(modo), TreeViewEliminar);
    CancionesEliminar->Vaciar();
}

void frmActualizacion::mnuPopUpModificar_Modo(int modo) {
    GestorArboles::Instancia().ExpandirArboles(GestorArboles::Modo(modo), TreeViewModificar);
    CancionesModificar->Vaciar();
}

void frmActualizacion::cmdAnadir_Click() {
    if (txtCabecera->text().trimmed().isEmpty()) {
        Avisar(this, QStringLiteral("¡Debe introducir una Cabecera!  "), QStringLiteral("Error"),
               IconoMensaje::Exclamacion);
        txtCabecera->setFocus();
        return;
    }
    if (chkQuitarNumeros->isChecked() && cmbNumeros->currentText().isEmpty()) {
        Avisar(this, QStringLiteral("¡Debe introducir un formato de Número!  "), QStringLiteral("Error"),
               IconoMensaje::Exclamacion);
        cmbNumeros->setFocus();
        return;
    }

    if (!QFileInfo(dirDirectorio->Path()).isDir()) {
        Avisar(this,
               QStringLiteral("La carpeta elegida ya no existe:\n%1\n\nNo se ha añadido nada.")
                   .arg(QDir::toNativeSeparators(dirDirectorio->Path())),
               QStringLiteral("Error"), IconoMensaje::Exclamacion);
        return;
    }
    if (procesando_)
        procesando_->close(); // the window of a previous scan, still waiting for "Hecho!"
    auto* ventana = new frmProcesando(this);
    procesando_ = ventana;
    ventana->ProgressBar->setValue(0);
    ventana->setWindowTitle(QStringLiteral("Añadiendo Subdirectorios..."));
    ventana->txtNombreDir->clear();
    ventana->show();
    ventana->Repintar();

    OpcionesAnadido opciones;
    opciones.cabecera = txtCabecera->text();
    opciones.directorio = dirDirectorio->Path();
    opciones.raizVolumen = drvUnidad->currentText();
    opciones.filtro = cmbFiltro->currentText();
    opciones.incluirSubdirectorios = chkIncluirSubdirectorios->isChecked();
    opciones.ordenar = chkOrdenar->isChecked();
    opciones.nombre.separador = cmbSeparador->currentText();
    opciones.nombre.quitarNumeros = chkQuitarNumeros->isChecked();
    opciones.nombre.formatoNumeros = cmbNumeros->currentText();
    opciones.nombre.convertirUnderscore = chkConvertirUnderscore->isChecked();
    opciones.nombre.primeroAutor = optPrimeroAutor->isChecked();
    opciones.leerLetras = chkLeerLetras->isChecked();
    const ResultadoAnadido resultado = AnadirFicheros(opciones, *ventana);
    repaint();

    ventana->ProgressBar->setValue(ventana->ProgressBar->maximum());
    if (resultado.encontrado || resultado.filas > 0) {
        ventana->txtNombreDir->clear();
        ventana->setWindowTitle(QStringLiteral("Actualizando Árboles..."));
        repaint();
        ventana->Repintar();
        RefrescarCatalogo();
        ventana->setWindowTitle(QStringLiteral("Terminado"));
        ventana->ProgressBar->setValue(ventana->ProgressBar->maximum());
        if (opciones.leerLetras)
            ventana->txtNombreDir->setText(LetrasEncontradas(resultado));
        ventana->cmdHecho->setEnabled(true);
        ventana->cmdHecho->setFocus();
        VaciarCamposModificar();
        AvisarOmitidos(resultado);
    } else {
        ventana->setWindowTitle(QStringLiteral("Terminado"));
        Avisar(this, QStringLiteral("¡No se han encontrado ficheros!  "),
               QStringLiteral("Ficheros: ") + opciones.filtro, IconoMensaje::Exclamacion);
        AvisarOmitidos(resultado);
        ventana->close();
    }
}

QString frmActualizacion::LetrasEncontradas(const ResultadoAnadido& resultado) {
    QString texto = resultado.letras == 1
                        ? QStringLiteral("Se ha encontrado 1 letra.")
                        : QStringLiteral("Se han encontrado %1 letras.").arg(resultado.letras);
    if (const qsizetype ilegibles = resultado.etiquetasIlegibles.size(); ilegibles > 0)
        texto += ilegibles == 1
                     ? QStringLiteral(" Las etiquetas de 1 fichero no se han podido leer.")
                     : QStringLiteral(" Las etiquetas de %1 ficheros no se han podido leer.").arg(ilegibles);
    return texto;
}

void frmActualizacion::RefrescarCatalogo() {
    BBDD::CerrarBaseDatos();
    BBDD::AbrirBaseDatos();
    VaciarArboles();
    CargarArboles(procesando_);
}

void frmActualizacion::AvisarOmitidos(const ResultadoAnadido& resultado) {
    if (!resultado.error.isEmpty())
        Avisar(this,
               QStringLiteral("La búsqueda se ha detenido por un error de la base de datos:\n") +
                   resultado.error +
                   QStringLiteral("\n\nLas canciones añadidas hasta ese momento se han guardado."),
               QStringLiteral("Error"), IconoMensaje::Critico);
    QStringList partes;
    if (!resultado.ilegibles.isEmpty())
        partes << QStringLiteral("No se han podido leer estos directorios, que se han saltado:") +
                      Lista(resultado.ilegibles);
    if (!resultado.grandes.isEmpty())
        partes << QStringLiteral("Estos ficheros no se han añadido porque su tamaño pasa de %1 bytes:")
                          .arg(LongitudMaximaFichero) +
                      Lista(resultado.grandes);
    if (!resultado.nombresNoAdmitidos.isEmpty())
        partes << QStringLiteral(
                      "Estos ficheros no se han añadido porque el catálogo no admite su nombre (más "
                      "de %1 caracteres o un carácter no permitido):")
                          .arg(dao::LargoMaximoTexto) +
                      Lista(resultado.nombresNoAdmitidos);
    if (!resultado.rutasNoAdmitidas.isEmpty())
        partes << QStringLiteral("Los ficheros de estos directorios no se han añadido porque el catálogo no "
                                 "admite su ruta (más de %1 caracteres o un carácter no permitido):")
                          .arg(dao::LargoMaximoTexto) +
                      Lista(resultado.rutasNoAdmitidas);
    if (!partes.isEmpty())
        Avisar(this, partes.join(QStringLiteral("\n\n")), QStringLiteral("Ficheros omitidos"),
               IconoMensaje::Exclamacion);
    if (!resultado.etiquetasNoAdmitidas.isEmpty())
        Avisar(
            this,
            QStringLiteral("Las etiquetas de estos ficheros tienen un autor o un título que el catálogo no "
                           "admite (más de %1 caracteres o un carácter no permitido); se han añadido con "
                           "el nombre del fichero:")
                    .arg(dao::LargoMaximoTexto) +
                Lista(resultado.etiquetasNoAdmitidas),
            QStringLiteral("Etiquetas no admitidas"), IconoMensaje::Exclamacion);
}

// ---------------------------------------------------------------------------------------------------
// Tab "Eliminar"

namespace {

const QString TituloEliminacion = QStringLiteral("Aviso de Eliminación");

RespuestaMensaje Preguntar(QWidget* ventana, const QString& texto, BotonesMensaje botones, IconoMensaje icono,
                           RespuestaMensaje predeterminado) {
    return servicios().MsgBox({texto, TituloEliminacion, botones, icono, predeterminado}, ventana);
}

// Runs eliminar, one transaction, while ventana shows it; on an error the window closes and the error
// goes on, saying that nothing was deleted.
void EliminarConVentana(frmEliminando* ventana, const std::function<void()>& eliminar) {
    try {
        eliminar();
    } catch (const dao::ErrorBD& error) {
        ventana->close();
        throw dao::ErrorBD(error.Numero(),
                           error.Descripcion() + QStringLiteral("\n\nNo se ha eliminado nada."));
    }
}

void NoEncuentroElRegistro(QWidget* ventana) {
    Avisar(ventana, QStringLiteral("Error chungo, no encuentro el registro  "), QStringLiteral("ARGH!"),
           IconoMensaje::Critico);
}

} // namespace

frmEliminando* frmActualizacion::AbrirEliminando(const QString& rotulo, int maximo) {
    if (eliminando_)
        eliminando_->close(); // the window of a previous deletion, still waiting for "Hecho!"
    auto* ventana = new frmEliminando(this);
    eliminando_ = ventana;
    if (!rotulo.isEmpty())
        ventana->setWindowTitle(rotulo);
    ventana->ProgressBar->setRange(0, maximo);
    ventana->show();
    ventana->Repintar();
    return ventana;
}

void frmActualizacion::Eliminar(const QString& rotulo, int maximo, const std::function<void()>& eliminar) {
    frmEliminando* ventana = AbrirEliminando(rotulo, maximo);
    EliminarConVentana(ventana, eliminar);
    ventana->ProgressBar->setValue(maximo);
    ventana->Rotulo(QStringLiteral("Actualizando Árboles..."));
    try {
        BBDD::CerrarBaseDatos();
        BBDD::AbrirBaseDatos();
        VaciarArboles();
        CargarArboles(ventana);
    } catch (const dao::ErrorBD&) {
        ventana->close();
        throw;
    }
    ventana->Terminar();
    VaciarCamposModificar();
}

void frmActualizacion::cmdEliminarCanciones_Click() {
    const std::vector<catalogo::IdCancion> filas = Elegidas(listaCancionesEliminar);
    if (filas.empty())
        return;
    if (Preguntar(this, QStringLiteral("¿Confirma que desea eliminar estas canciones?"), BotonesMensaje::SiNo,
                  IconoMensaje::Pregunta, RespuestaMensaje::Si) != RespuestaMensaje::Si)
        return;
    Eliminar(QStringLiteral("Eliminando Entradas de Ficheros..."), int(filas.size()),
             [&] { catalogo::EliminarCanciones(*BBDD::BaseDatos, filas); });
    CancionesEliminar->Vaciar();
}

void frmActualizacion::cmdEliminarRama_Click() {
    const QTreeWidgetItem* nodo = TreeViewEliminar->NodoSeleccionado();
    if (!nodo)
        return;
    const QString clave = ArbolNodos::Clave(nodo);
    if (clave.startsWith(u'1')) {
        const QString cabecera = nodo->text(0);
        if (Preguntar(this, QStringLiteral("¿Eliminar la cabecera: ''") + cabecera + QStringLiteral("'' ?"),
                      BotonesMensaje::SiNo, IconoMensaje::Pregunta,
                      RespuestaMensaje::No) != RespuestaMensaje::Si)
            return;
        Eliminar(QStringLiteral("Eliminando: ") + cabecera, 1,
                 [&] { catalogo::EliminarCabecera(*BBDD::BaseDatos, cabecera); });
    } else if (const std::optional<catalogo::Ruta> ruta = TreeViewEliminar->RutaSeleccionada()) {
        if (ruta->cabecera.isEmpty() && ruta->ruta.isEmpty())
            return;
        if (Preguntar(this, QStringLiteral("¿Eliminar la ruta: ''") + ruta->ruta + QStringLiteral("'' ?"),
                      BotonesMensaje::SiNo, IconoMensaje::Pregunta,
                      RespuestaMensaje::No) != RespuestaMensaje::Si)
            return;
        Eliminar(QStringLiteral("Eliminando: ") + ruta->ruta, 1,
                 [&] { catalogo::EliminarRuta(*BBDD::BaseDatos, *ruta); });
    } else {
        cmdEliminarBase_Click();
    }
}

void frmActualizacion::cmdEliminarBase_Click() {
    if (Preguntar(this, QStringLiteral("Va a eliminar la Base de Datos entera.   ¿Está usted seguro?  "),
                  BotonesMensaje::AceptarCancelar, IconoMensaje::Informacion,
                  RespuestaMensaje::Cancelar) != RespuestaMensaje::Aceptar)
        return;
    VaciarCamposModificar();
    // The shared set tells whether the catalogue held songs when it was last opened.
    if (!BBDD::RecordsetCanciones || (BBDD::RecordsetCanciones->Bof() && BBDD::RecordsetCanciones->Eof())) {
        Avisar(this, QStringLiteral("¡La base ya está vacía!  "), QStringLiteral("Error"),
               IconoMensaje::Exclamacion);
        return;
    }
    frmEliminando* ventana = AbrirEliminando(QString(), 2);
    EliminarConVentana(ventana, [] { catalogo::EliminarTodo(*BBDD::BaseDatos); });
    ventana->ProgressBar->setValue(1);
    ventana->Repintar();
    VaciarArboles();
    for (ArbolNodos* arbol : GestorArboles::Instancia().Arboles())
        arbol->AnadirNodo(QString(), Arboles::ClaveRaiz, Arboles::TextoRaiz, Arboles::ImagenRaizCerrado);
    ventana->Terminar();
}

// ---------------------------------------------------------------------------------------------------
// Tab "Modificar"

void frmActualizacion::VaciarCamposModificar() {
    for (QLineEdit* campo : {txtCabeceraModificar, txtRutaModificar, txtAutorModificar, txtTituloModificar,
                             txtExtensionModificar, txtTamanoModificar, txtRelPosModificar})
        campo->clear();
}

namespace {

// A stored value shown whole in its field: the field's length limit, which stops what the user types,
// grows for a longer value, so that saving it back does not cut it.
void MostrarValor(QLineEdit* campo, int longitudMaxima, const QVariant& valor) {
    const QString texto = valor.toString();
    campo->setMaxLength(std::max(longitudMaxima, int(texto.size())));
    campo->setText(texto);
}

} // namespace

void frmActualizacion::listaCancionesModificar_Click() {
    const std::vector<catalogo::IdCancion> elegidas = Elegidas(listaCancionesModificar);
    if (elegidas.empty())
        return;
    const auto fila = catalogo::AbrirCancion(*BBDD::BaseDatos, elegidas.front());
    if (!fila) {
        NoEncuentroElRegistro(this);
        return;
    }
    MostrarValor(txtCabeceraModificar, LongitudCabecera, fila->Field(QStringLiteral("CABECERA")));
    MostrarValor(txtRutaModificar, LongitudTexto, fila->Field(QStringLiteral("RUTA")));
    MostrarValor(txtAutorModificar, LongitudTexto, fila->Field(QStringLiteral("AUTOR")));
    MostrarValor(txtTituloModificar, LongitudTexto, fila->Field(QStringLiteral("TITULO")));
    MostrarValor(txtExtensionModificar, LongitudExtension, fila->Field(QStringLiteral("EXTENSION")));
    const QVariant longitud = fila->Field(QStringLiteral("LONGITUD"));
    txtTamanoModificar->setText(longitud.isValid() ? catalogo::TextoTamano(longitud, QLocale::system()) +
                                                         QStringLiteral("  Bytes")
                                                   : QString());
    txtRelPosModificar->setText(fila->Field(QStringLiteral("REL_POS")).toString());
    CambioRama = false;
}

void frmActualizacion::cmdRestaurar_Click() {
    CambioRama = false;
    listaCancionesModificar_Click();
}

void frmActualizacion::cmdGuardar_Click() {
    if (chkBatch->isChecked())
        GuardarLote();
    else
        GuardarCancion();
}

void frmActualizacion::GuardarCancion() {
    const std::vector<catalogo::IdCancion> elegidas = Elegidas(listaCancionesModificar);
    if (elegidas.empty())
        return;
    // Every value is read first: a size that does not fit a 32-bit number stops the save before anything
    // is written.
    const catalogo::ValoresCancion valores{catalogo::TextoGuardado(txtCabeceraModificar->text()),
                                           catalogo::TextoGuardado(txtRutaModificar->text()),
                                           catalogo::TextoGuardado(txtAutorModificar->text()),
                                           catalogo::TextoGuardado(txtTituloModificar->text()),
                                           catalogo::TextoGuardado(txtExtensionModificar->text()),
                                           Globales::ValorDigitos(txtTamanoModificar->text())};
    if (!TreeViewModificar->RutaSeleccionada() ||
        !catalogo::GuardarCancion(*BBDD::BaseDatos, elegidas.front(), valores)) {
        NoEncuentroElRegistro(this);
        return;
    }
    BBDD::CerrarBaseDatos();
    BBDD::AbrirBaseDatos();
    if (CambioRama) {
        CancionesModificar->Vaciar();
        frmEliminando* ventana = AbrirEliminando(QStringLiteral("Actualizando Árboles..."), 100);
        VaciarArboles();
        CargarArboles(ventana);
        ventana->cmdHecho->setEnabled(true);
    } else {
        TreeViewModificar_Click();
    }
    VaciarCamposModificar();
}

void frmActualizacion::GuardarLote() {
    const std::optional<catalogo::Ruta> ruta = TreeViewModificar->RutaSeleccionada();
    if (!ruta)
        return;
    catalogo::CamposLote campos;
    auto lleno = [](const QLineEdit* campo) {
        return campo->text().isEmpty() ? std::nullopt : std::optional<QString>(campo->text());
    };
    campos.cabecera = lleno(txtCabeceraModificar);
    campos.ruta = lleno(txtRutaModificar);
    campos.autor = lleno(txtAutorModificar);
    campos.titulo = lleno(txtTituloModificar);
    campos.extension = lleno(txtExtensionModificar);
    if (!txtTamanoModificar->text().isEmpty())
        campos.longitud = Globales::ValorDigitos(txtTamanoModificar->text());
    catalogo::GuardarLote(*BBDD::BaseDatos, *ruta, campos);
    if (campos.CambiaRama())
        CambioRama = true;
    if (CambioRama) {
        VaciarArboles();
        CargarArboles(nullptr);
        CancionesModificar->Vaciar();
    } else {
        TreeViewModificar_Click();
    }
}

// ---------------------------------------------------------------------------------------------------
// "Reordenar Ruta"

void frmActualizacion::cmdReordenar_Click() {
    const std::optional<catalogo::Ruta> ruta = TreeViewModificar->RutaSeleccionada();
    if (!ruta)
        return;
    frmReordenar dialogo(this);
    dialogo.CargarDatos(ruta->cabecera, ruta->ruta);
    // The three song lists show the new order; the trees' synchronisation stays as it was.
    connect(&dialogo, &frmReordenar::RutaReordenada, this,
            Protegido(this, [] { GestorArboles::Instancia().ReleerListas(*BBDD::BaseDatos); }));
    dialogo.exec();
}
