#pragma once
// The list window "Cantorio - Lista": the catalogue tree on the left, the songs of the selected route
// on the right, a draggable strip between them and a row of tool pictures above the tree.
// Positions and sizes are computed in twips of the client area below the menu bar.

#include "list/OpcionesLista.h"
#include "store/Catalogo.h"

#include <QHash>
#include <QMainWindow>
#include <QPixmap>

#include <optional>

class ArbolNodos;
class BotonesImagen;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class ModeloCanciones;
class QTreeView;
class QTreeWidgetItem;

class frmLista : public QMainWindow {
    Q_OBJECT
public:
    explicit frmLista(QWidget* padre = nullptr);

    ArbolNodos* TreeViewLista;
    // The songs of the selected route, over modelo ListaCanciones (one row per song, RolFila).
    QTreeView* ListaListView;
    ModeloCanciones* ListaCanciones;
    QTimer* TimerRecolocar;
    QFrame* Lin1;
    QFrame* Lin2;

    QAction* mnuOpcionesGuardarSincronismo;
    QAction* mnuOpcionesConfigurar;
    QMenu* mnuOpcionesUtilidades;
    QAction* mnuUtilidadesImprimirListado;
    QAction* mnuUtilidadesPorcentajes;
    QAction* mnuUtilidadesErrores;
    QAction* mnuUtilidadesImportar;
    QAction* mnuUtilidadesExportar;
    // Popup menus of the tree and of the list, opened with the right button.
    QMenu* mnuPopUp;
    QAction* mnuPopUpSincronizados;
    QAction* mnuPopUpContraerTodo;
    QAction* mnuPopUpExpandirCabeceras;
    QAction* mnuPopUpExpandirTodo;
    QMenu* mnuPopUpListView;
    QAction* mnuPopUpListViewVerLetra;
    QAction* mnuPopUpListViewConfigurar;
    QAction* mnuPopUpListViewBusquedaIntel;

    // The tool row, framed by imgIzda and imgDcha, and its pictures by key ("peq_...").
    QHash<QString, QPixmap> ImageList;
    QLabel* imgIzda;
    QLabel* imgExpandRaiz;
    QLabel* imgSep1;
    QLabel* imgExpandCabecera;
    QLabel* imgSep2;
    QLabel* imgExpandRuta;
    QLabel* imgSep3;
    QLabel* imgImprimir;
    QLabel* imgDcha;

    // Which columns the list shows, and whether songs without a lyric look for one of the same title.
    bool ColumnaAutor = true;
    bool ColumnaTitulo = true;
    bool ColumnaExtension = true;
    bool ColumnaTamano = true;
    bool ColumnaLetra = true;
    bool BusquedaInteligente = false;

    // Rebuilds the columns from the five column flags; the rows go, the next route click refills them.
    void Inicializar_Columnas();
    // Adds a row at the 1-based position posicion: the first shown column's value is the row's text,
    // the other shown columns follow in column order.
    void AnadirFila(int posicion, const QString& autor, const QString& titulo, const QString& extension,
                    const QString& tamano, const QString& letra);
    // Every tool picture back to its normal look; the root's by the root's expansion.
    void SinResalte();
    // The song list's options, as the configuration dialog shows them.
    Lista::OpcionesLista Opciones() const;

    // The row identity (CANCIONES rowid) that every line of the list gives under this role.
    static constexpr int RolFila = Qt::UserRole;

    // The handlers are public so that other windows and the tests can raise them as the events do.
    // Mouse positions are in twips of the client area.
public slots:
    void TreeViewLista_Click();
    void TreeViewLista_Keyup();
    void TreeViewLista_Expand(QTreeWidgetItem* nodo);
    void TreeViewLista_Collapse(QTreeWidgetItem* nodo);
    void TreeViewLista_MouseMove(Qt::MouseButtons botones);
    void ListaListView_DblClick();
    void ListaListView_MouseMove(Qt::MouseButtons botones);
    void Form_Activate();
    void Form_MouseMove(Qt::MouseButtons botones, int x, int y);
    void Form_MouseDown(Qt::MouseButtons botones, int x, int y);
    void Form_MouseUp();
    void Form_DblClick();
    void MoverSeparador();

    // Commands (ComandosLista.cpp): the picture buttons, the menu items that open other windows, the
    // song list's popup menu and the configuration's apply.
    void imgExpandRaiz_Click();
    void imgExpandCabecera_Click();
    void imgExpandRuta_Click();
    void imgImprimir_Click();
    void mnuOpcionesConfigurar_Click();
    void mnuUtilidadesImprimirListado_Click();
    void mnuUtilidadesPorcentajes_Click();
    void mnuUtilidadesErrores_Click();
    void mnuUtilidadesImportar_Click();
    void mnuUtilidadesExportar_Click();
    void ListaListView_MouseUp(Qt::MouseButton boton, const QPoint& donde);
    void mnuPopUpListViewBusquedaIntel_Click();
    // Takes the options, ticks "&Búsqueda Inteligente" by them, rebuilds the columns and reads the
    // song list again through the tree's click.
    void AplicarOpciones(const Lista::OpcionesLista& opciones);

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private slots:
    void mnuOpcionesGuardarSincronismo_Click();
    void mnuPopUpContraerTodo_Click();
    void mnuPopUpExpandirCabeceras_Click();
    void mnuPopUpExpandirTodo_Click();
    // The tree's owner chose a node in arbol to follow another tree, whose window read canciones.
    void Arboles_NodoElegido(ArbolNodos* arbol, const catalogo::CancionesRuta& canciones);
    void Arboles_ListasVaciadas();
    void Arboles_RaizCambiada(ArbolNodos* arbol);

private:
    // The lyric mark of a song whose song window, opened from here, closed.
    void Cancion_MarcaLetra(catalogo::IdCancion id, const QString& marca);
    struct Disposicion {
        int anchoArbol;
        int anchoLista;
        int izdaLista;
    };

    void CrearMenus();
    void CrearImagenes();
    void CrearBotones();
    void Conectar();
    void ConectarComandos();
    void img_Click(QLabel* boton);
    void AbrirImportarExportar(const QString& titulo, const QString& boton);
    // Fills the list with the songs of ruta (none: the list stays empty).
    void MostrarCanciones(const std::optional<catalogo::Ruta>& ruta, catalogo::CancionesRuta canciones);
    void AplicarModo(int modo);
    void PintarBotonRaiz();
    void Form_Load();
    void ColocarLineas();
    void ColocarAltos();
    void RecordarDisposicion();
    void AplicarDisposicion(const Disposicion& disposicion);
    void Ensanchar(int twips);
    void Puntero(Qt::CursorShape forma);
    void Temporizador(bool activo);
    bool PunteroRedimension() const;
    bool EnFranjaVertical(int y) const;
    // The row selected in the song list, -1 for none.
    int FilaElegida() const;

    QWidget* centro_;
    BotonesImagen* botones_;
    bool ListaEnsanchada = false;
    int AnchoTotal = 0;
    int ratonX_ = 0;
    int ratonY_ = 0;
    Disposicion disposicion_{};
};
