#include "list/frmLista.h"

#include "list/CancionesRuta.h"
#include "list/NumeroLetra.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Estado.h"
#include "shell/MenusComunes.h"
#include "shell/Twips.h"
#include "shell/Ventanas.h"
#include "store/BBDD.h"
#include "trees/ArbolNodos.h"
#include "trees/Arboles.h"

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
#include <QTreeWidget>

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
};

constexpr Qt::Alignment Izquierda = Qt::AlignLeft | Qt::AlignVCenter;

const DefinicionColumna Columnas[] = {
    {"LV-AUTOR", "Autor", 2050, Izquierda},
    {"LV-TITULO", "Título", 2050, Izquierda},
    {"LV-EXTENSION", "Ext.", 495, Izquierda},
    {"LV-TAMANO", "Tamaño", 1005, Qt::AlignRight | Qt::AlignVCenter},
    {"LV-HAYLYRICS", "L", 300, Qt::AlignHCenter | Qt::AlignVCenter},
};

int Izda(const QWidget* w) { return Twips(w->x()); }
int Arriba(const QWidget* w) { return Twips(w->y()); }
int Ancho(const QWidget* w) { return Twips(w->width()); }
int Alto(const QWidget* w) { return Twips(w->height()); }
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

bool EsRuta(const QTreeWidgetItem* nodo) {
    return nodo && nodo->parent() && ArbolNodos::Clave(nodo).startsWith(u'2');
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
    ListaListView = new QTreeWidget(centro_);
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
    Colocar(TreeViewLista, IzdaArbol, ArribaArbol, AnchoArbol, 0);
    Colocar(ListaListView, IzdaLista, ArribaArbol, AnchoLista, 0);
    setFixedWidth(Pixeles(AnchoVentana));
    resize(Pixeles(AnchoVentana), Pixeles(AltoVentana));

    connect(TreeViewLista, &QTreeWidget::itemClicked, this, &frmLista::TreeViewLista_Click);
    connect(TreeViewLista, &QTreeWidget::itemExpanded, this, &frmLista::TreeViewLista_Expand);
    connect(TreeViewLista, &QTreeWidget::itemCollapsed, this, &frmLista::TreeViewLista_Collapse);
    connect(ListaListView, &QTreeWidget::itemDoubleClicked, this, &frmLista::ListaListView_DblClick);
    connect(TimerRecolocar, &QTimer::timeout, this, &frmLista::MoverSeparador);

    Form_Load();
}

void frmLista::CrearMenus() {
    AnadirMenuVer(this, VentanaPrincipal::Lista);

    QMenu* opciones = menuBar()->addMenu(QStringLiteral("&Opciones"));
    mnuOpcionesGuardarSincronismo = opciones->addAction(QStringLiteral("&Arboles Sincronizados"));
    mnuOpcionesGuardarSincronismo->setCheckable(true);
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
    mnuPopUpSincronizados->setCheckable(true);
    mnuPopUpSincronizados->setChecked(Estado::ArbolesSincronizados);
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
    QStringList claves{QStringLiteral("peq_Izda"), QStringLiteral("peq_Dcha"), QStringLiteral("peq_Separador")};
    for (const char* boton : {"peq_RaizCerr", "peq_RaizAbie", "peq_Cab", "peq_Rut", "peq_Imp"})
        for (int aspecto = 1; aspecto <= 3; ++aspecto)
            claves << QString::fromLatin1(boton) + QString::number(aspecto);
    for (const QString& clave : claves)
        ImageList.insert(clave, Dibujar(QStringLiteral(":/imagenes/%1.svg").arg(clave)));

    const std::pair<QLabel**, const char*> piezas[] = {
        {&imgIzda, "peq_Izda"},      {&imgExpandRaiz, nullptr}, {&imgSep1, "peq_Separador"},
        {&imgExpandCabecera, nullptr}, {&imgSep2, "peq_Separador"}, {&imgExpandRuta, nullptr},
        {&imgSep3, "peq_Separador"}, {&imgImprimir, nullptr},    {&imgDcha, "peq_Dcha"},
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
    ListaListView->clear();
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
    ListaListView->clear();
    claves_.clear();
    alineaciones_.clear();
    const bool visibles[] = {ColumnaAutor, ColumnaTitulo, ColumnaExtension, ColumnaTamano, ColumnaLetra};
    QStringList cabeceras;
    QList<int> anchos;
    for (int k = 0; k < 5; ++k) {
        if (!visibles[k])
            continue;
        claves_ << QString::fromLatin1(Columnas[k].clave);
        cabeceras << QString::fromUtf8(Columnas[k].cabecera);
        anchos << Columnas[k].ancho;
        alineaciones_ << (claves_.size() == 1 ? Izquierda : Columnas[k].alineacion);
    }
    ListaListView->setColumnCount(int(claves_.size()));
    ListaListView->setHeaderLabels(cabeceras);
    QTreeWidgetItem* cabecera = ListaListView->headerItem();
    for (int c = 0; c < claves_.size(); ++c) {
        cabecera->setData(c, Qt::UserRole, claves_[c]);
        cabecera->setTextAlignment(c, alineaciones_[c]);
        ListaListView->setColumnWidth(c, Pixeles(anchos[c]));
    }
}

QTreeWidgetItem* frmLista::CrearFila(const QString& autor, const QString& titulo, const QString& extension,
                                     const QString& tamano, const QString& letra) const {
    const QHash<QString, const QString*> valores{
        {QStringLiteral("LV-AUTOR"), &autor},       {QStringLiteral("LV-TITULO"), &titulo},
        {QStringLiteral("LV-EXTENSION"), &extension}, {QStringLiteral("LV-TAMANO"), &tamano},
        {QStringLiteral("LV-HAYLYRICS"), &letra},
    };
    auto* fila = new QTreeWidgetItem;
    for (int c = 0; c < claves_.size(); ++c) {
        fila->setText(c, *valores.value(claves_[c]));
        fila->setTextAlignment(c, alineaciones_[c]);
    }
    return fila;
}

void frmLista::AnadirFila(int posicion, const QString& autor, const QString& titulo, const QString& extension,
                          const QString& tamano, const QString& letra) {
    ListaListView->insertTopLevelItem(posicion - 1, CrearFila(autor, titulo, extension, tamano, letra));
}

void frmLista::SinResalte() {
    const bool abierta = TreeViewLista->Expandido(Arboles::ClaveRaiz);
    imgExpandRaiz->setPixmap(ImageList.value(abierta ? QStringLiteral("peq_RaizAbie1") : QStringLiteral("peq_RaizCerr1")));
    imgExpandCabecera->setPixmap(ImageList.value(QStringLiteral("peq_Cab1")));
    imgExpandRuta->setPixmap(ImageList.value(QStringLiteral("peq_Rut1")));
    imgImprimir->setPixmap(ImageList.value(QStringLiteral("peq_Imp1")));
}

void frmLista::TreeViewLista_Click() {
    mnuPopUpListViewVerLetra->setEnabled(false);
    QTreeWidgetItem* nodo = TreeViewLista->NodoSeleccionado();
    ListaListView->clear();
    if (EsRuta(nodo)) {
        const auto canciones = Lista::LeerCancionesRuta(*BBDD::BaseDatos, nodo->parent()->text(0), nodo->text(0),
                                                        BusquedaInteligente);
        mnuPopUpListViewVerLetra->setEnabled(!canciones.empty());
        const QLocale locale = QLocale::system();
        ListaListView->setUpdatesEnabled(false);
        int k = 0;
        for (const Lista::CancionLista& c : canciones)
            AnadirFila(++k, c.autor.toString(), c.titulo.toString(), c.extension.toString(),
                       Lista::TextoTamano(c.longitud, locale), c.marca);
        ListaListView->setUpdatesEnabled(true);

        const int n = int(canciones.size()) - 1;
        if (n >= FilasSinBarra && !ListaEnsanchada) {
            ListaEnsanchada = true;
            Ensanchar(AnchoBarra);
        } else if (n < FilasSinBarra && ListaEnsanchada) {
            ListaEnsanchada = false;
            Ensanchar(-AnchoBarra);
        }
        RecordarDisposicion();
    }

    if (nodo && Estado::ArbolesSincronizados) {
        Estado::ArbolesSincronizados = false;
        const QString clave = ArbolNodos::Clave(nodo);
        frmActualizacion& actualizacion = Ventanas::Actualizacion();
        actualizacion.TreeViewEliminar->Seleccionar(clave);
        actualizacion.TreeViewEliminar_Click();
        actualizacion.TreeViewModificar->Seleccionar(clave);
        actualizacion.TreeViewModificar_Click();
        Estado::ArbolesSincronizados = true;
    }
}

void frmLista::TreeViewLista_Keyup() { TreeViewLista_Click(); }

void frmLista::TreeViewLista_Expand(QTreeWidgetItem* nodo) {
    TreeViewLista->SetImagen(Arboles::ClaveRaiz, Arboles::ImagenRaizAbierto);
    imgExpandRaiz->setPixmap(ImageList.value(QStringLiteral("peq_RaizAbie1")));
    if (!Estado::ArbolesSincronizados)
        return;
    Estado::ArbolesSincronizados = false;
    const QString clave = ArbolNodos::Clave(nodo);
    frmActualizacion& actualizacion = Ventanas::Actualizacion();
    for (ArbolNodos* arbol : {actualizacion.TreeViewEliminar, actualizacion.TreeViewModificar}) {
        arbol->SetExpandido(clave, true);
        arbol->SetImagen(Arboles::ClaveRaiz, Arboles::ImagenRaizAbierto);
        arbol->Seleccionar(clave);
    }
    Estado::ArbolesSincronizados = true;
}

void frmLista::TreeViewLista_Collapse(QTreeWidgetItem* nodo) {
    const bool raizAbierta = TreeViewLista->Expandido(Arboles::ClaveRaiz);
    TreeViewLista->SetImagen(Arboles::ClaveRaiz, raizAbierta ? Arboles::ImagenRaizAbierto : Arboles::ImagenRaizCerrado);
    imgExpandRaiz->setPixmap(ImageList.value(raizAbierta ? QStringLiteral("peq_RaizAbie1") : QStringLiteral("peq_RaizCerr1")));
    if (!Estado::ArbolesSincronizados)
        return;
    Estado::ArbolesSincronizados = false;
    const QString clave = raizAbierta ? ArbolNodos::Clave(nodo) : Arboles::ClaveRaiz;
    frmActualizacion& actualizacion = Ventanas::Actualizacion();
    for (ArbolNodos* arbol : {actualizacion.TreeViewEliminar, actualizacion.TreeViewModificar}) {
        if (!raizAbierta)
            arbol->SetImagen(Arboles::ClaveRaiz, Arboles::ImagenRaizCerrado);
        arbol->SetExpandido(clave, false);
        arbol->Seleccionar(clave);
    }
    Estado::ArbolesSincronizados = true;
}

void frmLista::TreeViewLista_MouseMove(Qt::MouseButtons botones) {
    SinResalte();
    if (botones == Qt::NoButton)
        Puntero(Qt::ArrowCursor);
}

void frmLista::ListaListView_MouseMove(Qt::MouseButtons botones) { TreeViewLista_MouseMove(botones); }

// The lyric mark of a row: the last of the shown columns before it is its position.
QString frmLista::Indicador(const QTreeWidgetItem* fila) const {
    const int antes = int(ColumnaAutor) + int(ColumnaTitulo) + int(ColumnaExtension) + int(ColumnaTamano);
    return fila->text(antes);
}

// The song is the row of the route at the list position double-clicked, so the number lands in the
// song the user sees even when the route holds two entries alike. The song window and the lyric
// picker are opened from here once they exist: this handler stops where they would open.
void frmLista::ListaListView_DblClick() {
    const auto elegidas = ListaListView->selectedItems();
    QTreeWidgetItem* nodo = TreeViewLista->NodoSeleccionado();
    if (elegidas.isEmpty() || !EsRuta(nodo))
        return;
    QTreeWidgetItem* fila = elegidas.first();
    auto rs = Lista::AbrirCancionRuta(*BBDD::BaseDatos, nodo->parent()->text(0), nodo->text(0),
                                      ListaListView->indexOfTopLevelItem(fila));
    if (!rs)
        return;
    if (BusquedaInteligente && Indicador(fila) == Lista::MarcaPosibleLetra)
        return; // the lyric picker offers the lyrics of the songs of the same title
    const QVariant idx = rs->Field(QStringLiteral("IDX_CANCION"));
    if (idx.isValid() && idx.toInt() != 0)
        return; // the song window opens lyric idx
    const int nuevo = Lista::NumeroLetraNueva(*BBDD::BaseDatos);
    rs->Edit();
    rs->SetField(QStringLiteral("IDX_CANCION"), nuevo);
    rs->Update();
    // the song window creates lyric nuevo and opens it empty
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

void frmLista::Puntero(Qt::CursorShape forma) { centro_->setCursor(forma); }

bool frmLista::PunteroRedimension() const { return centro_->cursor().shape() == Qt::SizeHorCursor; }

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
    Colocar(TreeViewLista, Izda(TreeViewLista), Arriba(TreeViewLista), disposicion.anchoArbol, Alto(TreeViewLista));
    Colocar(ListaListView, disposicion.izdaLista, Arriba(ListaListView), disposicion.anchoLista, Alto(ListaListView));
}

void frmLista::Ensanchar(int twips) {
    AplicarDisposicion({Ancho(TreeViewLista) - twips, Ancho(ListaListView) + twips, Izda(ListaListView) - twips});
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
    } else if (objeto == TreeViewLista && tipo == QEvent::KeyRelease &&
               !static_cast<const QKeyEvent*>(evento)->isAutoRepeat()) {
        TreeViewLista_Keyup();
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmLista::closeEvent(QCloseEvent* evento) {
    evento->accept();
    TerminarPrograma();
}
