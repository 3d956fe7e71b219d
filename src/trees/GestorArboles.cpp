#include "trees/GestorArboles.h"

#include "trees/ArbolNodos.h"

#include <QAction>
#include <QProgressBar>

#include <optional>

namespace {

// The smallest indentation that still leaves room for the expand and collapse mark.
constexpr int SangriaMinima = 12;

// The progress bar of a window; QProgressBar repaints itself at once whenever what it shows changes.
class ProgresoBarra : public Arboles::ProgresoCarga {
public:
    explicit ProgresoBarra(QProgressBar* barra) : barra_(barra) {}
    void Rango(int maximo) override { barra_->setRange(0, maximo); }
    void Valor(int valor) override { barra_->setValue(valor); }

private:
    QProgressBar* barra_;
};

void PintarRaiz(ArbolNodos* arbol) {
    arbol->SetImagen(Arboles::ClaveRaiz, arbol->Expandido(Arboles::ClaveRaiz) ? Arboles::ImagenRaizAbierto
                                                                              : Arboles::ImagenRaizCerrado);
}

} // namespace

GestorArboles& GestorArboles::Instancia() {
    static GestorArboles gestor;
    return gestor;
}

void GestorArboles::Registrar(Arbol cual, ArbolNodos* arbol) {
    arboles_[std::size_t(cual)] = arbol;
    connect(arbol, &QTreeWidget::itemExpanded, this,
            [this, arbol](QTreeWidgetItem* nodo) { Seguir(arbol, ArbolNodos::Clave(nodo), true); });
    connect(arbol, &QTreeWidget::itemCollapsed, this,
            [this, arbol](QTreeWidgetItem* nodo) { Seguir(arbol, ArbolNodos::Clave(nodo), false); });
}

void GestorArboles::RegistrarMarca(QAction* marca) {
    marca->setCheckable(true);
    marca->setChecked(sincronizados_);
    marcas_.removeAll(nullptr);
    marcas_ << marca;
}

QList<ArbolNodos*> GestorArboles::Arboles() const {
    QList<ArbolNodos*> arboles;
    for (const QPointer<ArbolNodos>& arbol : arboles_)
        if (arbol)
            arboles << arbol.data();
    return arboles;
}

QList<ArbolNodos*> GestorArboles::Otros(const ArbolNodos* origen) const {
    QList<ArbolNodos*> otros = Arboles();
    otros.removeAll(origen);
    return otros;
}

void GestorArboles::Inicializar(const QHash<QString, QIcon>* imagenes) {
    for (ArbolNodos* arbol : Arboles()) {
        arbol->SetImageList(imagenes);
        arbol->setIndentation(SangriaMinima);
    }
}

void GestorArboles::Vaciar() {
    for (ArbolNodos* arbol : Arboles())
        arbol->Vaciar();
    emit ListasVaciadas();
}

void GestorArboles::Cargar(dao::Database& base, QProgressBar* barra) {
    std::optional<ProgresoBarra> progreso;
    if (barra)
        progreso.emplace(barra);
    std::vector<Arboles::ArbolCatalogo*> arboles;
    for (ArbolNodos* arbol : Arboles())
        arboles.push_back(arbol);
    Arboles::LlenarArboles(base, arboles, progreso ? &*progreso : nullptr);
}

QString GestorArboles::BuscarCabecera(const QString& texto) const {
    const ArbolNodos* lista = arboles_[std::size_t(Arbol::Lista)];
    if (!lista)
        return {};
    for (const QTreeWidgetItem* cabecera : lista->Cabeceras())
        if (cabecera->text(0) == texto)
            return ArbolNodos::Clave(cabecera);
    return {};
}

void GestorArboles::SetSincronizados(bool sincronizados) {
    sincronizados_ = sincronizados;
    marcas_.removeAll(nullptr);
    for (QAction* marca : std::as_const(marcas_))
        marca->setChecked(sincronizados);
}

void GestorArboles::CambiarSincronismo(ArbolNodos* origen) {
    SetSincronizados(!sincronizados_);
    if (sincronizados_)
        SincronizarArboles(origen);
}

GestorArboles::Pausa::Pausa(GestorArboles& gestor) : gestor_(gestor), anterior_(gestor.sincronizados_) {
    gestor_.sincronizados_ = false;
}

GestorArboles::Pausa::~Pausa() {
    gestor_.sincronizados_ = anterior_;
}

void GestorArboles::Elegido(ArbolNodos* origen, const catalogo::CancionesRuta& canciones) {
    if (!sincronizados_)
        return;
    const Pausa pausa(*this);
    const QString clave = origen->ClaveSeleccionada();
    for (ArbolNodos* otro : Otros(origen)) {
        otro->Seleccionar(clave);
        emit NodoElegido(otro, canciones);
    }
}

void GestorArboles::ReleerListas(dao::Database& base) {
    const Pausa pausa(*this);
    for (ArbolNodos* arbol : Arboles()) {
        const std::optional<catalogo::Ruta> ruta = arbol->RutaSeleccionada();
        emit NodoElegido(arbol, ruta ? catalogo::LeerCancionesRuta(base, *ruta) : catalogo::CancionesRuta{});
    }
}

// An expanded node is expanded by key in the other trees, whose roots show open, and selected there. A
// collapsed header is collapsed and selected; a collapsed root closes and is selected.
void GestorArboles::Seguir(ArbolNodos* origen, const QString& clave, bool expandido) {
    if (!sincronizados_)
        return;
    const Pausa pausa(*this);
    const bool raizAbierta = origen->Expandido(Arboles::ClaveRaiz);
    for (ArbolNodos* otro : Otros(origen)) {
        if (expandido) {
            otro->SetExpandido(clave, true);
            otro->SetImagen(Arboles::ClaveRaiz, Arboles::ImagenRaizAbierto);
            otro->Seleccionar(clave);
        } else if (raizAbierta) {
            otro->SetExpandido(clave, false);
            otro->Seleccionar(clave);
        } else {
            otro->SetImagen(Arboles::ClaveRaiz, Arboles::ImagenRaizCerrado);
            otro->SetExpandido(Arboles::ClaveRaiz, false);
            otro->Seleccionar(Arboles::ClaveRaiz);
        }
    }
}

void GestorArboles::ExpandirArboles(Modo modo, ArbolNodos* arbol) {
    if (!arbol->Nodo(Arboles::ClaveRaiz))
        return;
    const bool juntos = sincronizados_;
    // Mirrored node by node, the other trees would end on the node of the last event: none when
    // collapsing a tree with nothing open, otherwise the root, or the last header expanded.
    QString ultima = Arboles::ClaveRaiz;
    bool cambia = modo != ContraerTodo || arbol->Expandido(Arboles::ClaveRaiz);
    const QList<QTreeWidgetItem*> cabeceras = arbol->Cabeceras();
    for (const QTreeWidgetItem* cabecera : cabeceras)
        cambia = cambia || cabecera->isExpanded();
    if (modo == ExpandirTodo && !cabeceras.isEmpty())
        ultima = ArbolNodos::Clave(cabeceras.last());

    const Pausa pausa(*this);
    const QList<ArbolNodos*> arboles = juntos ? Arboles() : QList<ArbolNodos*>{arbol};
    for (ArbolNodos* destino : arboles) {
        destino->FijarExpansion(modo != ContraerTodo,
                                [modo](const QString&) { return modo == ExpandirTodo; });
        PintarRaiz(destino);
        if (destino != arbol && cambia)
            destino->Seleccionar(ultima);
        emit RaizCambiada(destino);
    }
    if (juntos && modo == ContraerTodo)
        emit ListasVaciadas();
}

void GestorArboles::SincronizarArboles(ArbolNodos* origen) {
    const Pausa pausa(*this);
    const bool raizAbierta = origen->Expandido(Arboles::ClaveRaiz);
    const QString imagen = origen->Imagen(Arboles::ClaveRaiz);
    const QString elegida = origen->ClaveSeleccionada();
    for (ArbolNodos* destino : Otros(origen)) {
        destino->SetImagen(Arboles::ClaveRaiz, imagen);
        destino->FijarExpansion(raizAbierta, [&](const QString& clave) -> std::optional<bool> {
            if (!raizAbierta)
                return std::nullopt;
            return origen->Expandido(clave);
        });
        // With nothing selected in origen the targets keep their selection.
        if (!elegida.isEmpty())
            destino->Seleccionar(elegida);
        emit RaizCambiada(destino);
    }
}
