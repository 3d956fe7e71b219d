#pragma once
// A tree control whose nodes are reached by key, like the catalogue trees of the three main windows.

#include "store/Catalogo.h"
#include "trees/Arboles.h"

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

#include <functional>
#include <optional>

class ArbolNodos : public QTreeWidget, public Arboles::ArbolCatalogo {
    Q_OBJECT
public:
    explicit ArbolNodos(QWidget* padre = nullptr);

    // Pictures by image key ("IMGRAIZCERRADO", ...); nodes added later take theirs from it.
    void SetImageList(const QHash<QString, QIcon>* imagenes);

    // clavePadre empty: a top-level node. A key already present raises dao::ErrorBD 35602.
    void AnadirNodo(const QString& clavePadre, const QString& clave, const QString& texto,
                    const QString& imagen) override;
    // While a fill is open the top-level nodes are kept apart and put into the tree when it ends, so
    // that the tree is not told of every node one by one.
    void EmpezarLlenado() override;
    void TerminarLlenado() override;
    void Reservar(qsizetype nodos) override;
    void Vaciar();

    QTreeWidgetItem* Nodo(const QString& clave) const; // nullptr when there is none
    static QString Clave(const QTreeWidgetItem* nodo);
    QString Texto(const QString& clave) const;
    QString Imagen(const QString& clave) const;
    void SetImagen(const QString& clave, const QString& imagen);
    // The picture of an image key in the tree's image list; a null icon when there is none.
    QIcon Icono(const QString& imagen) const;

    QTreeWidgetItem* NodoSeleccionado() const;
    QString ClaveSeleccionada() const; // empty when nothing is selected
    // Selects the node with that key, if any, without raising the tree's click; an empty key leaves
    // no node selected.
    void Seleccionar(const QString& clave);
    // The route of the selected node (its parent's text and its own); none unless a route is selected.
    std::optional<catalogo::Ruta> RutaSeleccionada() const;
    // The header nodes, in their order under the root.
    QList<QTreeWidgetItem*> Cabeceras() const;

    bool Expandido(const QString& clave) const;
    // Expands or collapses by key; itemExpanded/itemCollapsed are raised as for the user's click.
    void SetExpandido(const QString& clave, bool expandido);
    // Sets the root's expansion and, when cabecera gives a value for a header's key, that header's, all
    // in one layout of the tree instead of one per node. No expand or collapse event is raised.
    void FijarExpansion(bool raiz, const std::function<std::optional<bool>(const QString& clave)>& cabecera);

protected:
    // The right button only opens the window's popup menu, and a press away from every node is no
    // choice either: in both cases the selection, and with it the songs listed beside the tree, stays.
    void mousePressEvent(QMouseEvent* evento) override;

private:
    QHash<QString, QTreeWidgetItem*> nodos_;
    // The parent of the last node added: the routes of a header come one after another.
    QString claveUltimoPadre_;
    QTreeWidgetItem* ultimoPadre_ = nullptr;
    const QHash<QString, QIcon>* imagenes_ = nullptr;
    bool llenando_ = false;
    QList<QTreeWidgetItem*> pendientes_; // top-level nodes of the open fill
};
