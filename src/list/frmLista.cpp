#include "list/frmLista.h"

#include "lyrics/AbrirLetra.h"

#include "shell/BarreraErrores.h"
#include "shell/Estado.h"
#include "shell/MenusComunes.h"
#include "shell/Twips.h"
#include "store/BBDD.h"
#include "trees/ArbolNodos.h"
#include "trees/Arboles.h"
#include "trees/GestorArboles.h"
#include "trees/ModeloCanciones.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <QTreeView>

namespace {

// The design, in twips of the client area.
constexpr int AnchoVentana = 9540;
constexpr int AltoVentana = 6900;
constexpr int IzdaImagenes = 60;
constexpr int ArribaImagenes = 60;
constexpr int LadoBoton = 375;
constexpr int IzdaArbol = 60;
constexpr int ArribaArbol = 495;
constexpr int AnchoArbol = 3360;
constexpr int IzdaLista = 3480;
constexpr int AnchoLista = 6000;
constexpr int MargenInferior = 60;
// Room for the list's vertical scroll bar, taken from the tree when a route has 28 songs or more.
constexpr int AnchoBarra = 240;
constexpr int FilasSinBarra = 27;
// The strip left of the list where a press starts a drag, and the narrowest list a drag leaves.
constexpr int FranjaPulsacion = 60;
constexpr int AnchoMinimoLista = 900;

struct DefinicionColumna {
    const char* clave;
    const char* cabecera;
    int ancho;
    Qt::Alignment alineacion;
    ModeloCanciones::Columna columna;
};

constexpr Qt::Alignment Izquierda = Qt::AlignLeft | Qt::AlignVCenter;

const DefinicionColumna Columnas[] = {
    {"LV-AUTOR", "Autor", 2050, Izquierda, ModeloCanciones::Columna::Autor},
    {"LV-TITULO", "Título", 2050, Izquierda, ModeloCanciones::Columna::Titulo},
    {"LV-EXTENSION", "Ext.", 495, Izquierda, ModeloCanciones::Columna::Extension},
    {"LV-TAMANO", "Tamaño", 1005, Qt::AlignRight | Qt::AlignVCenter, ModeloCanciones::Columna::Tamano},
    {"LV-HAYLYRICS", "L", 300, Qt::AlignHCenter | Qt::AlignVCenter, ModeloCanciones::Columna::Letra},
};

int Izda(const QWidget* w) {
    return Twips(w->x());
}
int Arriba(const QWidget* w) {
    return Twips(w->y());
}
int Ancho(const QWidget* w) {
    return Twips(w->width());
}
int Alto(const QWidget* w) {
    return Twips(w->height());
}
void Colocar(QWidget* w, int izda, int arriba, int ancho, int alto) {
    w->setGeometry(Pixeles(izda), Pixeles(arriba), Pixeles(ancho), Pixeles(alto));
}

QPixmap Dibujar(const QString& recurso) {
    QSvgRenderer svg(recurso);
    if (!svg.isValid())
        return {};
    QPixmap imagen(svg.defaultSize());
    imagen.fill(Qt::transparent);
    QPainter pintor(&imagen);
    svg.render(&pintor);
    return imagen;
}

} // namespace

frmLista::frmLista(QWidget* padre) : QMainWindow(padre) {
    setWindowTitle(QStringLiteral("Cantorio - Lista"));
    centro_ = new QWidget(this);
    centro_->setMouseTracking(true);
    centro_->installEventFilter(this);
    setCentralWidget(centro_);

    TreeViewLista = new ArbolNodos(centro_);
    TreeViewLista->viewport()->setMouseTracking(true);
    TreeViewLista->viewport()->installEventFilter(this);
    TreeViewLista->installEventFilter(this);
    ListaListView = new QTreeView(centro_);
    ListaCanciones = new ModeloCanciones(this);
    ListaListView->setModel(ListaCanciones);
    ListaListView->viewport()->setMouseTracking(true);
    ListaListView->viewport()->installEventFilter(this);
    Lin1 = new QFrame(centro_);
    Lin2 = new QFrame(centro_);
    for (QFrame* linea : {Lin1, Lin2})
        linea->setAutoFillBackground(true);
    Lin1->setBackgroundRole(QPalette::Mid);
    Lin2->setBackgroundRole(QPalette::Light);
    TimerRecolocar = new QTimer(this);
    TimerRecolocar->setInterval(2);

    CrearMenus();
    CrearImagenes();
    CrearBotones();
    Colocar(TreeViewLista, IzdaArbol, ArribaArbol, AnchoArbol, 0);
    Colocar(ListaListView, IzdaLista, ArribaArbol, AnchoLista, 0);
    setFixedWidth(Pixeles(AnchoVentana));
    resize(Pixeles(AnchoVentana), Pixeles(AltoVentana));

    GestorArboles& arboles = GestorArboles::Instancia();
    arboles.Registrar(GestorArboles::Arbol::Lista, TreeViewLista);
    arboles.RegistrarMarca(mnuOpcionesGuardarSincronismo);
    arboles.RegistrarMarca(mnuPopUpSincronizados);
    Conectar();
    Form_Load();
}

void frmLista::Conectar() {
    connect(TreeViewLista, &QTreeWidget::itemClicked, this, Protegido(this, &frmLista::TreeViewLista_Click));
    connect(TreeViewLista, &QTreeWidget::itemExpanded, this,
            Protegido(this, &frmLista::TreeViewLista_Expand));
    connect(TreeViewLista, &QTreeWidget::itemCollapsed, this,
            Protegido(this, &frmLista::TreeViewLista_Collapse));
    connect(ListaListView, &QTreeView::doubleClicked, this,
            Protegido(this, &frmLista::ListaListView_DblClick));
    connect(TimerRecolocar, &QTimer::timeout, this, Protegido(this, &frmLista::MoverSeparador));
    for (QAction* sincronizados : {mnuOpcionesGuardarSincronismo, mnuPopUpSincronizados})
        connect(sincronizados, &QAction::triggered, this,
                Protegido(this, &frmLista::mnuOpcionesGuardarSincronismo_Click));
    connect(mnuPopUpContraerTodo, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuPopUpContraerTodo_Click));
    connect(mnuPopUpExpandirCabeceras, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuPopUpExpandirCabeceras_Click));
    connect(mnuPopUpExpandirTodo, &QAction::triggered, this,
            Protegido(this, &frmLista::mnuPopUpExpandirTodo_Click));
    GestorArboles* arboles = &GestorArboles::Instancia();
    connect(arboles, &GestorArboles::NodoElegido, this, Protegido(this, &frmLista::Arboles_NodoElegido));
    connect(arboles, &GestorArboles::ListasVaciadas, this,
            Protegido(this, &frmLista::Arboles_ListasVaciadas));
    connect(arboles, &GestorArboles::RaizCambiada, this, Protegido(this, &frmLista::Arboles_RaizCambiada));
    ConectarComandos();
}

void frmLista::CrearMenus() {
    AnadirMenuVer(this, VentanaPrincipal::Lista);

    QMenu* opciones = menuBar()->addMenu(QStringLiteral("&Opciones"));
    mnuOpcionesGuardarSincronismo = opciones->addAction(QStringLiteral("&Arboles Sincronizados"));
    opciones->addSeparator();
    mnuOpcionesConfigurar = opciones->addAction(QStringLiteral("&Configurar"));
    opciones->addSeparator();
    mnuOpcionesUtilidades = opciones->addMenu(QStringLiteral("&Utilidades"));
    mnuUtilidadesImprimirListado = mnuOpcionesUtilidades->addAction(QStringLiteral("Imprimir &Listado"));
    mnuUtilidadesPorcentajes = mnuOpcionesUtilidades->addAction(QStringLiteral("&Porcentajes Letras"));
    mnuUtilidadesErrores = mnuOpcionesUtilidades->addAction(QStringLiteral("&Errores en la B.D."));
    mnuOpcionesUtilidades->addSeparator();
    mnuUtilidadesImportar = mnuOpcionesUtilidades->addAction(QStringLiteral("&Importar B.D."));
    mnuUtilidadesExportar = mnuOpcionesUtilidades->addAction(QStringLiteral("E&xportar B.D."));

    AnadirMenuAyuda(this);

    mnuPopUp = new QMenu(this);
    mnuPopUpSincronizados = mnuPopUp->addAction(QStringLiteral("&Arboles Sincronizados"));
    mnuPopUp->addSeparator();
    mnuPopUpContraerTodo = mnuPopUp->addAction(QStringLiteral("Contraer &Todo"));
    mnuPopUpExpandirCabeceras = mnuPopUp->addAction(QStringLiteral("Expandir &Cabeceras"));
    mnuPopUpExpandirTodo = mnuPopUp->addAction(QStringLiteral("Expandir T&odo"));

    mnuPopUpListView = new QMenu(this);
    mnuPopUpListViewVerLetra = mnuPopUpListView->addAction(QStringLiteral("&Ver Letra Asociada"));
    mnuPopUpListView->addSeparator();
    mnuPopUpListViewConfigurar = mnuPopUpListView->addAction(QStringLiteral("&Configurar"));
    mnuPopUpListView->addSeparator();
    mnuPopUpListViewBusquedaIntel = mnuPopUpListView->addAction(QStringLiteral("&Búsqueda Inteligente"));
    mnuPopUpListViewBusquedaIntel->setCheckable(true);
}

// The frame and separator pieces take the size of their pictures; start-up gives every piece its
// picture and lines them up after imgIzda.
void frmLista::CrearImagenes() {
    QStringList claves{QStringLiteral("peq_Izda"), QStringLiteral("peq_Dcha"),
                       QStringLiteral("peq_Separador")};
    for (const char* boton : {"peq_RaizCerr", "peq_RaizAbie", "peq_Cab", "peq_Rut", "peq_Imp"})
        for (int aspecto = 1; aspecto <= 3; ++aspecto)
            claves << QString::fromLatin1(boton) + QString::number(aspecto);
    for (const QString& clave : claves)
        ImageList.insert(clave, Dibujar(QStringLiteral(":/imagenes/%1.svg").arg(clave)));

    const std::pair<QLabel**, const char*> piezas[] = {
        {&imgIzda, "peq_Izda"},        {&imgExpandRaiz, nullptr},   {&imgSep1, "peq_Separador"},
        {&imgExpandCabecera, nullptr}, {&imgSep2, "peq_Separador"}, {&imgExpandRuta, nullptr},
        {&imgSep3, "peq_Separador"},   {&imgImprimir, nullptr},     {&imgDcha, "peq_Dcha"},
    };
    for (const auto& [imagen, pieza] : piezas) {
        *imagen = new QLabel(centro_);
        (*imagen)->setScaledContents(true);
        if (pieza)
            (*imagen)->resize(ImageList.value(QString::fromLatin1(pieza)).size());
    }
    imgIzda->move(Pixeles(IzdaImagenes), Pixeles(ArribaImagenes));
    imgExpandRaiz->setToolTip(QStringLiteral("Contraer todo"));
    imgExpandCabecera->setToolTip(QStringLiteral("Expandir Cabeceras"));
    imgExpandRuta->setToolTip(QStringLiteral("Expandir todo"));
    imgImprimir->setToolTip(QStringLiteral("Imprimir Árbol"));
}

void frmLista::Form_Load() {
    ListaCanciones->Vaciar();
    ListaListView->setRootIsDecorated(false);
    ListaListView->setItemsExpandable(false);
    ListaListView->setUniformRowHeights(true);
    ListaListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListaListView->setHeaderHidden(false);
    ListaListView->header()->setSectionsMovable(false);
    ListaListView->header()->setStretchLastSection(false);
    ListaListView->header()->setMinimumSectionSize(1); // the "L" column is narrower than Qt's default

    ColumnaAutor = ColumnaTitulo = ColumnaExtension = ColumnaTamano = ColumnaLetra = true;
    Inicializar_Columnas();

    for (QLabel* boton : {imgExpandRaiz, imgExpandCabecera, imgExpandRuta, imgImprimir})
        boton->resize(Pixeles(LadoBoton), Pixeles(LadoBoton));

    mnuPopUpListViewVerLetra->setEnabled(false);
    ListaEnsanchada = false;
    ColocarLineas();
    RecordarDisposicion();
}

void frmLista::Inicializar_Columnas() {
    const bool visibles[] = {ColumnaAutor, ColumnaTitulo, ColumnaExtension, ColumnaTamano, ColumnaLetra};
    std::vector<ModeloCanciones::DefinicionColumna> columnas;
    QList<int> anchos;
    for (int k = 0; k < 5; ++k) {
        if (!visibles[k])
            continue;
        const DefinicionColumna& c = Columnas[k];
        // The first shown column is the row's text, always on the left.
        columnas.push_back({c.columna, QString::fromUtf8(c.cabecera),
                            columnas.empty() ? Izquierda : c.alineacion, QString::fromLatin1(c.clave)});
        anchos << c.ancho;
    }
    ListaCanciones->PonerColumnas(std::move(columnas));
    for (int c = 0; c < anchos.size(); ++c)
        ListaListView->setColumnWidth(c, Pixeles(anchos[c]));
}

void frmLista::AnadirFila(int posicion, const QString& autor, const QString& titulo, const QString& extension,
                          const QString& tamano, const QString& letra) {
    catalogo::CancionRuta cancion;
    cancion.autor = autor;
    cancion.titulo = titulo;
    cancion.extension = extension;
    cancion.marca = letra;
    ListaCanciones->InsertarFila(posicion - 1, std::move(cancion), tamano);
}

void frmLista::TreeViewLista_Click() {
    const std::optional<catalogo::Ruta> ruta = TreeViewLista->RutaSeleccionada();
    catalogo::CancionesRuta canciones;
    if (ruta)
        canciones = catalogo::LeerCancionesRuta(*BBDD::BaseDatos, *ruta, BusquedaInteligente);
    MostrarCanciones(ruta, canciones);
    if (TreeViewLista->NodoSeleccionado())
        GestorArboles::Instancia().Elegido(TreeViewLista, canciones);
}

void frmLista::MostrarCanciones(const std::optional<catalogo::Ruta>& ruta,
                                catalogo::CancionesRuta canciones) {
    mnuPopUpListViewVerLetra->setEnabled(false);
    if (!ruta) {
        ListaCanciones->Vaciar();
        return;
    }
    mnuPopUpListViewVerLetra->setEnabled(!canciones.empty());
    const int n = int(canciones.size()) - 1;
    ListaCanciones->PonerCanciones(std::move(canciones));

    if (n >= FilasSinBarra && !ListaEnsanchada) {
        ListaEnsanchada = true;
        Ensanchar(AnchoBarra);
    } else if (n < FilasSinBarra && ListaEnsanchada) {
        ListaEnsanchada = false;
        Ensanchar(-AnchoBarra);
    }
    RecordarDisposicion();
}

// Another tree's window read the route without the "?" marks, which only this list asks for.
void frmLista::Arboles_NodoElegido(ArbolNodos* arbol, const catalogo::CancionesRuta& canciones) {
    if (arbol != TreeViewLista)
        return;
    const std::optional<catalogo::Ruta> ruta = TreeViewLista->RutaSeleccionada();
    if (ruta && BusquedaInteligente)
        MostrarCanciones(ruta, catalogo::LeerCancionesRuta(*BBDD::BaseDatos, *ruta, true));
    else
        MostrarCanciones(ruta, canciones);
}

void frmLista::Arboles_ListasVaciadas() {
    ListaCanciones->Vaciar();
    mnuPopUpListViewVerLetra->setEnabled(false);
}

void frmLista::Arboles_RaizCambiada(ArbolNodos* arbol) {
    if (arbol == TreeViewLista)
        PintarBotonRaiz();
}

void frmLista::TreeViewLista_Keyup() {
    TreeViewLista_Click();
}

void frmLista::PintarBotonRaiz() {
    const bool abierta = TreeViewLista->Expandido(Arboles::ClaveRaiz);
    imgExpandRaiz->setPixmap(
        ImageList.value(abierta ? QStringLiteral("peq_RaizAbie1") : QStringLiteral("peq_RaizCerr1")));
}

// Expanding any node opens the root's picture; the other trees follow through the trees' owner.
void frmLista::TreeViewLista_Expand(QTreeWidgetItem*) {
    TreeViewLista->SetImagen(Arboles::ClaveRaiz, Arboles::ImagenRaizAbierto);
    imgExpandRaiz->setPixmap(ImageList.value(QStringLiteral("peq_RaizAbie1")));
}

void frmLista::TreeViewLista_Collapse(QTreeWidgetItem*) {
    const bool raizAbierta = TreeViewLista->Expandido(Arboles::ClaveRaiz);
    TreeViewLista->SetImagen(Arboles::ClaveRaiz,
                             raizAbierta ? Arboles::ImagenRaizAbierto : Arboles::ImagenRaizCerrado);
    PintarBotonRaiz();
}

void frmLista::mnuOpcionesGuardarSincronismo_Click() {
    GestorArboles::Instancia().CambiarSincronismo(TreeViewLista);
}

void frmLista::AplicarModo(int modo) {
    GestorArboles::Instancia().ExpandirArboles(GestorArboles::Modo(modo), TreeViewLista);
    Arboles_ListasVaciadas();
}

void frmLista::mnuPopUpContraerTodo_Click() {
    AplicarModo(GestorArboles::ContraerTodo);
}
void frmLista::mnuPopUpExpandirCabeceras_Click() {
    AplicarModo(GestorArboles::ExpandirCabeceras);
}
void frmLista::mnuPopUpExpandirTodo_Click() {
    AplicarModo(GestorArboles::ExpandirTodo);
}

void frmLista::TreeViewLista_MouseMove(Qt::MouseButtons botones) {
    SinResalte();
    if (botones == Qt::NoButton)
        Puntero(Qt::ArrowCursor);
}

void frmLista::ListaListView_MouseMove(Qt::MouseButtons botones) {
    TreeViewLista_MouseMove(botones);
}

int frmLista::FilaElegida() const {
    const QModelIndexList elegidas = ListaListView->selectionModel()->selectedRows();
    return elegidas.isEmpty() ? -1 : elegidas.first().row();
}

// The song is the row that the line keeps, so the right song is found even when the route holds two
// entries alike.
void frmLista::ListaListView_DblClick() {
    const int elegida = FilaElegida();
    if (elegida < 0 || !TreeViewLista->RutaSeleccionada())
        return;
    const catalogo::CancionRuta& cancion = ListaCanciones->Cancion(elegida);
    Letras::AbrirLetra(
        this, cancion.fila,
        BusquedaInteligente && ColumnaLetra && cancion.marca == catalogo::MarcaPosibleLetra,
        {[this] { return BusquedaInteligente; },
         [this](catalogo::IdCancion id, const QString& marca) { Cancion_MarcaLetra(id, marca); }});
}

// The mark goes on the line of that song if the list still shows it.
void frmLista::Cancion_MarcaLetra(catalogo::IdCancion id, const QString& marca) {
    if (ColumnaLetra)
        ListaCanciones->PonerMarca(id, marca);
}

void frmLista::Form_Activate() {
    move(Pixeles(Estado::VentanaIzda), Pixeles(Estado::VentanaArriba));
    const int marco = frameGeometry().height() - height();
    setFixedHeight(Pixeles(AltoVentana) - marco);
    AnchoTotal = Ancho(TreeViewLista) + Ancho(ListaListView);
}

bool frmLista::EnFranjaVertical(int y) const {
    return y >= Arriba(TreeViewLista) && y <= Arriba(TreeViewLista) + Alto(ListaListView);
}

void frmLista::Puntero(Qt::CursorShape forma) {
    centro_->setCursor(forma);
}

bool frmLista::PunteroRedimension() const {
    return centro_->cursor().shape() == Qt::SizeHorCursor;
}

void frmLista::Form_MouseMove(Qt::MouseButtons botones, int x, int y) {
    SinResalte();
    ratonX_ = x;
    ratonY_ = y;
    // A drag under way goes on when the pointer outruns the narrow strip between two ticks.
    const bool arrastrando = TimerRecolocar->isActive() && (botones & Qt::LeftButton);
    if (arrastrando ||
        (x > Izda(TreeViewLista) + Ancho(TreeViewLista) && x < Izda(ListaListView) && EnFranjaVertical(y))) {
        Puntero(Qt::SizeHorCursor);
        Temporizador(botones & Qt::LeftButton);
    } else {
        Puntero(Qt::ArrowCursor);
    }
}

void frmLista::Form_MouseDown(Qt::MouseButtons botones, int x, int y) {
    ratonX_ = x;
    ratonY_ = y;
    if (x >= Izda(ListaListView) - FranjaPulsacion && x <= Izda(ListaListView) && EnFranjaVertical(y)) {
        Puntero(Qt::SizeHorCursor);
        Temporizador(botones & Qt::LeftButton);
    } else {
        Puntero(Qt::ArrowCursor);
        Temporizador(false);
    }
}

// A running timer is left alone: restarting it on every move would keep its tick from ever coming.
void frmLista::Temporizador(bool activo) {
    if (!activo)
        TimerRecolocar->stop();
    else if (!TimerRecolocar->isActive())
        TimerRecolocar->start();
}

void frmLista::Form_MouseUp() {
    Temporizador(false);
    Puntero(Qt::ArrowCursor);
}

// The tree's right edge follows the pointer; the list's right edge stays where it is.
void frmLista::MoverSeparador() {
    if (!PunteroRedimension())
        return;
    const int minimo = Izda(imgDcha) + Ancho(imgDcha) + FranjaPulsacion;
    const int maximo = Izda(ListaListView) + Ancho(ListaListView) - AnchoMinimoLista;
    const int x = std::max(minimo, std::min(ratonX_, maximo));
    const int anchoArbol = x - Izda(TreeViewLista) - 15;
    Colocar(TreeViewLista, Izda(TreeViewLista), Arriba(TreeViewLista), anchoArbol, Alto(TreeViewLista));
    const auto d = static_cast<qint16>(AnchoTotal - anchoArbol - Ancho(ListaListView));
    Colocar(ListaListView, Izda(ListaListView) - d, Arriba(ListaListView), Ancho(ListaListView) + d,
            Alto(ListaListView));
}

void frmLista::Form_DblClick() {
    if (ratonX_ > Izda(TreeViewLista) + Ancho(TreeViewLista) && ratonX_ < Izda(ListaListView) &&
        EnFranjaVertical(ratonY_))
        AplicarDisposicion(disposicion_);
}

void frmLista::RecordarDisposicion() {
    disposicion_ = {Ancho(TreeViewLista), Ancho(ListaListView), Izda(ListaListView)};
}

void frmLista::AplicarDisposicion(const Disposicion& disposicion) {
    Colocar(TreeViewLista, Izda(TreeViewLista), Arriba(TreeViewLista), disposicion.anchoArbol,
            Alto(TreeViewLista));
    Colocar(ListaListView, disposicion.izdaLista, Arriba(ListaListView), disposicion.anchoLista,
            Alto(ListaListView));
}

void frmLista::Ensanchar(int twips) {
    AplicarDisposicion(
        {Ancho(TreeViewLista) - twips, Ancho(ListaListView) + twips, Izda(ListaListView) - twips});
}

void frmLista::ColocarLineas() {
    const int largo = Twips(width()) - 120 - 30;
    Colocar(Lin1, 30, 0, largo, 15);
    Colocar(Lin2, 30, 15, largo, 15);
}

// Tree and list reach down to the bottom of the client area.
void frmLista::ColocarAltos() {
    const int alto = std::max(0, Alto(centro_) - ArribaArbol - MargenInferior);
    for (QWidget* w : {static_cast<QWidget*>(TreeViewLista), static_cast<QWidget*>(ListaListView)})
        Colocar(w, Izda(w), Arriba(w), Ancho(w), alto);
}

bool frmLista::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate)
        Form_Activate();
    else if (evento->type() == QEvent::WindowDeactivate)
        SinResalte();
    return QMainWindow::event(evento);
}

bool frmLista::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (objeto == centro_) {
        if (tipo == QEvent::MouseMove || tipo == QEvent::MouseButtonPress) {
            const auto* raton = static_cast<const QMouseEvent*>(evento);
            const QPoint punto = raton->position().toPoint();
            if (tipo == QEvent::MouseMove)
                Form_MouseMove(raton->buttons(), Twips(punto.x()), Twips(punto.y()));
            else
                Form_MouseDown(raton->buttons(), Twips(punto.x()), Twips(punto.y()));
        } else if (tipo == QEvent::MouseButtonRelease) {
            Form_MouseUp();
        } else if (tipo == QEvent::MouseButtonDblClick) {
            Form_DblClick();
        } else if (tipo == QEvent::Resize) {
            ColocarLineas();
            ColocarAltos();
        }
    } else if (tipo == QEvent::MouseMove) {
        const Qt::MouseButtons botones = static_cast<const QMouseEvent*>(evento)->buttons();
        if (objeto == TreeViewLista->viewport())
            TreeViewLista_MouseMove(botones);
        else if (objeto == ListaListView->viewport())
            ListaListView_MouseMove(botones);
    } else if (objeto == TreeViewLista->viewport() && tipo == QEvent::MouseButtonRelease &&
               static_cast<const QMouseEvent*>(evento)->button() == Qt::RightButton) {
        mnuPopUp->popup(static_cast<const QMouseEvent*>(evento)->globalPosition().toPoint());
    } else if (objeto == ListaListView->viewport() && tipo == QEvent::MouseButtonRelease) {
        const auto* raton = static_cast<const QMouseEvent*>(evento);
        ListaListView_MouseUp(raton->button(), raton->globalPosition().toPoint());
    } else if (objeto == TreeViewLista && tipo == QEvent::KeyRelease &&
               !static_cast<const QKeyEvent*>(evento)->isAutoRepeat()) {
        BarreraErrores(this, [this] { TreeViewLista_Keyup(); });
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmLista::closeEvent(QCloseEvent* evento) {
    // Refused while a lyric typed in a song window could not be saved.
    evento->setAccepted(TerminarPrograma());
}
