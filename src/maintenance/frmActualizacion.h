#pragma once
// The maintenance window "Cantorio - Actualización" with its tabs "Añadir" (catalogue a directory),
// "Eliminar" and "Modificar" (songs of the route chosen in the window's own catalogue trees).

#include "maintenance/frmEliminando.h"
#include "maintenance/frmProcesando.h"
#include "store/Catalogo.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class ArbolNodos;
class ListaDirectorios;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class ModeloCanciones;
class QListView;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QTreeWidgetItem;
struct ResultadoAnadido;

class frmActualizacion : public QMainWindow {
    Q_OBJECT
public:
    explicit frmActualizacion(QWidget* padre = nullptr);

    QTabBar* Solapas;
    QStackedWidget* Contenedores;
    QWidget* ContenedorAnadir;
    QWidget* ContenedorEliminar;
    QWidget* ContenedorModificar;
    QFrame* Lin1;
    QFrame* Lin2;

    // Tab "Añadir"
    QComboBox* drvUnidad;
    ListaDirectorios* dirDirectorio;
    QLabel* lblExtension;
    QComboBox* cmbFiltro;
    QLabel* lblCabecera;
    QLineEdit* txtCabecera;
    QLabel* lblSeparador;
    QComboBox* cmbSeparador;
    QCheckBox* chkIncluirSubdirectorios;
    QCheckBox* chkOrdenar;
    QRadioButton* optPrimeroTitulo;
    QRadioButton* optPrimeroAutor;
    QCheckBox* chkConvertirUnderscore;
    QCheckBox* chkQuitarNumeros;
    QCheckBox* chkLeerLetras;
    QLabel* lblNumeros;
    QComboBox* cmbNumeros;
    QPushButton* cmdAnadir;

    // Tab "Eliminar"
    ArbolNodos* TreeViewEliminar;
    QPushButton* cmdEliminarRama;
    QListView* listaCancionesEliminar;
    ModeloCanciones* CancionesEliminar; // the model of listaCancionesEliminar
    QPushButton* cmdEliminarCanciones;
    QPushButton* cmdEliminarBase;
    QLabel* lblEliminarBase;

    // Tab "Modificar"
    ArbolNodos* TreeViewModificar;
    QListView* listaCancionesModificar;
    ModeloCanciones* CancionesModificar; // the model of listaCancionesModificar
    QLabel* lblCabeceraModificar;
    QLineEdit* txtCabeceraModificar;
    QLabel* lblRutaModificar;
    QLineEdit* txtRutaModificar;
    QLabel* lblAutorModificar;
    QLineEdit* txtAutorModificar;
    QLabel* lblTituloModificar;
    QLineEdit* txtTituloModificar;
    QLabel* lblExtensionModificar;
    QLineEdit* txtExtensionModificar;
    QLabel* lblTamanoModificar;
    QLineEdit* txtTamanoModificar;
    QLabel* lblRelPosModificar;
    QLineEdit* txtRelPosModificar;
    QPushButton* cmdGuardar;
    QPushButton* cmdRestaurar;
    QCheckBox* chkBatch;
    QLabel* lblBatch;
    QLabel* lblActualiz;
    QGroupBox* Frame7;
    QPushButton* cmdReordenar;

    // Menus
    QAction* mnuOpcionesGuardarSincronismo;
    QMenu* mnuPopUpEliminar;
    QAction* mnuPopUpEliminarSincronizados;
    QAction* mnuPopUpContraerTodoEliminar;
    QAction* mnuPopUpExpandCabecerasEliminar;
    QAction* mnuPopUpExpandTodoEliminar;
    QMenu* mnuPopUpModificar;
    QAction* mnuPopUpModificarSincronizados;
    QAction* mnuPopUpContraerTodoModificar;
    QAction* mnuPopUpExpandCabecerasModificar;
    QAction* mnuPopUpExpandTodoModificar;

    // The header or route text of the tab "Modificar" changed since the entry was loaded.
    bool CambioRama = false;

    // The row identity (CANCIONES rowid) that every line of the two song lists keeps.
    static constexpr int RolFila = Qt::UserRole;

    // The progress window of the scan while it is open.
    frmProcesando* Procesando() const { return procesando_; }
    // The progress window of the last deletion or rebuilding of the trees while it is open.
    frmEliminando* Eliminando() const { return eliminando_; }

public slots:
    void TreeViewEliminar_Click();
    void TreeViewModificar_Click();

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private slots:
    void Solapas_Click();
    void drvUnidad_Change();
    void chkQuitarNumeros_Click();
    void chkBatch_Click();
    void lblBatch_Click();
    void cmdAnadir_Click();
    void cmdEliminarCanciones_Click();
    void cmdEliminarRama_Click();
    void cmdEliminarBase_Click();
    void listaCancionesModificar_Click();
    void cmdRestaurar_Click();
    void cmdGuardar_Click();
    void cmdReordenar_Click();
    void TreeViewEliminar_Expand(QTreeWidgetItem* nodo);
    void TreeViewEliminar_Collapse(QTreeWidgetItem* nodo);
    void TreeViewModificar_Expand(QTreeWidgetItem* nodo);
    void TreeViewModificar_Collapse(QTreeWidgetItem* nodo);
    void mnuOpcionesGuardarSincronismo_Click();
    // The popup items of the two trees: a mode applied to the tree, then its song list emptied.
    void mnuPopUpEliminar_Modo(int modo);
    void mnuPopUpModificar_Modo(int modo);
    // The trees' owner chose a node in arbol to follow another tree, whose window read canciones.
    void Arboles_NodoElegido(ArbolNodos* arbol, const catalogo::CancionesRuta& canciones);
    void Arboles_ListasVaciadas();

private:
    QWidget* CrearContenedorAnadir();
    QWidget* CrearContenedorEliminar();
    QWidget* CrearContenedorModificar();
    void CrearMenus();
    void Conectar();
    void Form_Load();
    void Form_Activate();

    // The songs of the route selected in arbol, read from the catalogue (none unless a route).
    catalogo::CancionesRuta LeerRuta(const ArbolNodos* arbol) const;
    void MostrarEliminar(const catalogo::CancionesRuta& canciones);
    void MostrarModificar(const catalogo::CancionesRuta& canciones);
    void SeguirRaiz(ArbolNodos* arbol);
    void HabilitarEdicionRuta(bool habilitar);
    void AvisarOmitidos(const ResultadoAnadido& resultado);
    // The closing line of a scan that read the files' lyrics: how many, and the tags it could not read.
    static QString LetrasEncontradas(const ResultadoAnadido& resultado);
    void RefrescarCatalogo();

    // A new deletion progress window, shown with that caption (the design's when empty) and maximum.
    frmEliminando* AbrirEliminando(const QString& rotulo, int maximo);
    // Runs eliminar, one transaction, with the progress window open, then opens the catalogue again and
    // fills the trees; on an error the window closes and the error says that nothing was deleted.
    void Eliminar(const QString& rotulo, int maximo, const std::function<void()>& eliminar);
    void VaciarCamposModificar();
    void GuardarCancion();
    void GuardarLote();

    QPointer<frmProcesando> procesando_;
    QPointer<frmEliminando> eliminando_;
};
