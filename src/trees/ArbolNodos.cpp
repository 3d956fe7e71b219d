#include "trees/ArbolNodos.h"

#include "store/Dao.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {

constexpr int RolClave = Qt::UserRole;
constexpr int RolImagen = Qt::UserRole + 1;

// A node that keeps its key, text and image key itself and takes its picture from the tree's image list
// when it is painted: a catalogue tree holds hundreds of thousands of nodes, and one QIcon and two roles
// stored in every item would double their memory.
class NodoCatalogo : public QTreeWidgetItem {
public:
    NodoCatalogo(const QString& clave, const QString& texto, const QString& imagen)
        : clave_(clave), texto_(texto), imagen_(imagen) {}

    QVariant data(int columna, int rol) const override {
        if (columna == 0) {
            switch (rol) {
            case Qt::DisplayRole:
            case Qt::EditRole:
            case Qt::ToolTipRole: // the whole route, where the tree is too narrow to show it
                return texto_;
            case RolClave:
                return clave_;
            case RolImagen:
                return imagen_;
            case Qt::DecorationRole:
                if (const QVariant propia = QTreeWidgetItem::data(columna, rol); propia.isValid())
                    return propia;
                if (const auto* arbol = static_cast<const ArbolNodos*>(treeWidget()))
                    return arbol->Icono(imagen_);
                return {};
            }
        }
        return QTreeWidgetItem::data(columna, rol);
    }

    void setData(int columna, int rol, const QVariant& valor) override {
        if (columna == 0 && (rol == Qt::DisplayRole || rol == Qt::EditRole || rol == RolImagen)) {
            (rol == RolImagen ? imagen_ : texto_) = valor.toString();
            emitDataChanged();
            return;
        }
        QTreeWidgetItem::setData(columna, rol, valor);
    }

private:
    QString clave_;
    QString texto_;
    QString imagen_;
};

} // namespace

ArbolNodos::ArbolNodos(QWidget* padre) : QTreeWidget(padre) {
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setExpandsOnDoubleClick(true);
    // A long route is shown whole and the tree scrolls sideways to it, never cut with "…".
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideNone);
}

void ArbolNodos::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::RightButton || !itemAt(evento->position().toPoint())) {
        setFocus(Qt::MouseFocusReason);
        evento->accept();
        return;
    }
    QTreeWidget::mousePressEvent(evento);
}

void ArbolNodos::SetImageList(const QHash<QString, QIcon>* imagenes) {
    imagenes_ = imagenes;
    viewport()->update();
}

void ArbolNodos::AnadirNodo(const QString& clavePadre, const QString& clave, const QString& texto,
                            const QString& imagen) {
    // One look-up both finds a key already present and makes the new key's place.
    const qsizetype antes = nodos_.size();
    QTreeWidgetItem*& hueco = nodos_[clave];
    if (nodos_.size() == antes)
        throw dao::ErrorBD(35602, QStringLiteral("La clave \"%1\" ya existe en el árbol.").arg(clave));
    QTreeWidgetItem* padre = nullptr;
    if (!clavePadre.isEmpty()) {
        if (ultimoPadre_ && clavePadre == claveUltimoPadre_) {
            padre = ultimoPadre_;
        } else {
            padre = nodos_.value(clavePadre);
            if (!padre) {
                nodos_.remove(clave);
                throw dao::ErrorBD(35601, QStringLiteral("No se encontró el nodo \"%1\".").arg(clavePadre));
            }
            claveUltimoPadre_ = clavePadre;
            ultimoPadre_ = padre;
        }
    }
    auto* nodo = new NodoCatalogo(clave, texto, imagen);
    hueco = nodo;
    if (padre)
        padre->addChild(nodo);
    else if (llenando_)
        pendientes_.append(nodo);
    else
        addTopLevelItem(nodo);
}

void ArbolNodos::EmpezarLlenado() {
    llenando_ = true;
}

void ArbolNodos::TerminarLlenado() {
    llenando_ = false;
    addTopLevelItems(pendientes_);
    pendientes_.clear();
}

void ArbolNodos::Reservar(qsizetype nodos) {
    nodos_.reserve(nodos);
}

void ArbolNodos::Vaciar() {
    nodos_.clear();
    claveUltimoPadre_.clear();
    ultimoPadre_ = nullptr;
    qDeleteAll(pendientes_);
    pendientes_.clear();
    clear();
}

QTreeWidgetItem* ArbolNodos::Nodo(const QString& clave) const {
    return nodos_.value(clave);
}

QString ArbolNodos::Clave(const QTreeWidgetItem* nodo) {
    return nodo ? nodo->data(0, RolClave).toString() : QString();
}

QString ArbolNodos::Texto(const QString& clave) const {
    const auto* nodo = Nodo(clave);
    return nodo ? nodo->text(0) : QString();
}

QString ArbolNodos::Imagen(const QString& clave) const {
    const auto* nodo = Nodo(clave);
    return nodo ? nodo->data(0, RolImagen).toString() : QString();
}

void ArbolNodos::SetImagen(const QString& clave, const QString& imagen) {
    if (auto* nodo = Nodo(clave))
        nodo->setData(0, RolImagen, imagen);
}

QIcon ArbolNodos::Icono(const QString& imagen) const {
    return imagenes_ ? imagenes_->value(imagen) : QIcon();
}

QTreeWidgetItem* ArbolNodos::NodoSeleccionado() const {
    const auto elegidos = selectedItems();
    return elegidos.isEmpty() ? nullptr : elegidos.first();
}

QString ArbolNodos::ClaveSeleccionada() const {
    return Clave(NodoSeleccionado());
}

void ArbolNodos::Seleccionar(const QString& clave) {
    if (clave.isEmpty()) {
        setCurrentItem(nullptr);
        clearSelection();
    } else if (auto* nodo = Nodo(clave)) {
        setCurrentItem(nodo);
    }
}

std::optional<catalogo::Ruta> ArbolNodos::RutaSeleccionada() const {
    const QTreeWidgetItem* nodo = NodoSeleccionado();
    if (!nodo || !nodo->parent() || !Clave(nodo).startsWith(u'2'))
        return std::nullopt;
    return catalogo::Ruta{nodo->parent()->text(0), nodo->text(0)};
}

QList<QTreeWidgetItem*> ArbolNodos::Cabeceras() const {
    QList<QTreeWidgetItem*> cabeceras;
    if (const QTreeWidgetItem* raiz = Nodo(Arboles::ClaveRaiz)) {
        cabeceras.reserve(raiz->childCount());
        for (int k = 0; k < raiz->childCount(); ++k)
            cabeceras << raiz->child(k);
    }
    return cabeceras;
}

bool ArbolNodos::Expandido(const QString& clave) const {
    const auto* nodo = Nodo(clave);
    return nodo && nodo->isExpanded();
}

void ArbolNodos::SetExpandido(const QString& clave, bool expandido) {
    if (auto* nodo = Nodo(clave))
        nodo->setExpanded(expandido);
}

// With a layout pending, the view only notes each node's expansion; the one layout comes at the end.
void ArbolNodos::FijarExpansion(bool raiz,
                                const std::function<std::optional<bool>(const QString& clave)>& cabecera) {
    QTreeWidgetItem* nodoRaiz = Nodo(Arboles::ClaveRaiz);
    if (!nodoRaiz)
        return;
    const QSignalBlocker sinEventos(this);
    scheduleDelayedItemsLayout();
    for (QTreeWidgetItem* nodo : Cabeceras())
        if (const std::optional<bool> expandido = cabecera(Clave(nodo));
            expandido && nodo->isExpanded() != *expandido)
            nodo->setExpanded(*expandido);
    nodoRaiz->setExpanded(raiz);
    executeDelayedItemsLayout();
}
