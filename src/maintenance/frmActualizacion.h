#pragma once
// The maintenance window "Cantorio - Actualización" with its tabs "Añadir", "Eliminar" and "Modificar".

#include <QMainWindow>

class ArbolNodos;
class QAction;
class QListWidget;

class frmActualizacion : public QMainWindow {
    Q_OBJECT
public:
    explicit frmActualizacion(QWidget* padre = nullptr);

    ArbolNodos* TreeViewEliminar;
    ArbolNodos* TreeViewModificar;
    QListWidget* listaCancionesEliminar;
    QListWidget* listaCancionesModificar;
    QAction* mnuOpcionesGuardarSincronismo;

public slots:
    void TreeViewEliminar_Click();
    void TreeViewModificar_Click();
};
