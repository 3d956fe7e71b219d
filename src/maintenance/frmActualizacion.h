#pragma once
// The maintenance window "Cantorio - Actualización" with its tabs "Añadir" (catalogue a directory),
// "Eliminar" and "Modificar" (songs of the route chosen in the window's own catalogue trees).

#include "maintenance/frmProcesando.h"

#include <QMainWindow>
#include <QPointer>

class ArbolNodos;
class ListaDirectorios;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
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
    QLabel* lblNumeros;
    QComboBox* cmbNumeros;
    QPushButton* cmdAnadir;

    // Tab "Eliminar"
    ArbolNodos* TreeViewEliminar;
    QPushButton* cmdEliminarRama;
    QListWidget* listaCancionesEliminar;
    QPushButton* cmdEliminarCanciones;
    QPushButton* cmdEliminarBase;
    QLabel* lblEliminarBase;

    // Tab "Modificar"
    ArbolNodos* TreeViewModificar;
    QListWidget* listaCancionesModificar;
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

    // The progress window of the scan while it is open.
    frmProcesando* Procesando() const { return procesando_; }

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
    void TreeViewEliminar_Expand(QTreeWidgetItem* nodo);
    void TreeViewEliminar_Collapse(QTreeWidgetItem* nodo);
    void TreeViewModificar_Expand(QTreeWidgetItem* nodo);
    void TreeViewModificar_Collapse(QTreeWidgetItem* nodo);

private:
    QWidget* CrearContenedorAnadir();
    QWidget* CrearContenedorEliminar();
    QWidget* CrearContenedorModificar();
    void CrearMenus();
    void Conectar();
    void Form_Load();
    void Form_Activate();

    void CargarListaRuta(ArbolNodos* arbol, QListWidget* lista);
    void MostrarNodoEnOtros(ArbolNodos* origen);
    void ExpandirEnOtros(ArbolNodos* origen, QTreeWidgetItem* nodo);
    void ContraerEnOtros(ArbolNodos* origen, QTreeWidgetItem* nodo);
    void SeguirRaiz(ArbolNodos* arbol);
    void HabilitarEdicionRuta(bool habilitar);
    void AvisarOmitidos(const ResultadoAnadido& resultado);
    void RefrescarCatalogo();

    QPointer<frmProcesando> procesando_;
};
