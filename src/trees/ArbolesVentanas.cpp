#include "trees/ArbolesVentanas.h"

#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "trees/ArbolNodos.h"

#include <QListWidget>
#include <QProgressBar>

#include <array>
#include <optional>

namespace {

// The smallest indentation that still leaves room for the expand and collapse mark.
constexpr int SangriaMinima = 12;

std::array<ArbolNodos*, 3> LosTresArboles() {
    return {Ventanas::Lista().TreeViewLista, Ventanas::Actualizacion().TreeViewEliminar,
            Ventanas::Actualizacion().TreeViewModificar};
}

// The progress bar of a window; QProgressBar repaints itself at once whenever what it shows changes.
class ProgresoBarra : public Arboles::ProgresoCarga {
public:
    explicit ProgresoBarra(QProgressBar* barra) : barra_(barra) {}
    void Rango(int maximo) override { barra_->setRange(0, maximo); }
    void Valor(int valor) override { barra_->setValue(valor); }

private:
    QProgressBar* barra_;
};

} // namespace

void InicializarArboles() {
    for (ArbolNodos* arbol : LosTresArboles()) {
        arbol->SetImageList(&Ventanas::Aux().ImageList1);
        arbol->setIndentation(SangriaMinima);
    }
}

void VaciarArboles() {
    for (ArbolNodos* arbol : LosTresArboles())
        arbol->Vaciar();
    Ventanas::Lista().ListaListView->clear();
    Ventanas::Actualizacion().listaCancionesEliminar->clear();
    Ventanas::Actualizacion().listaCancionesModificar->clear();
}

void CargarArboles(QWidget* ventanaProgreso) {
    QProgressBar* barra =
        ventanaProgreso ? ventanaProgreso->findChild<QProgressBar*>(QStringLiteral("ProgressBar")) : nullptr;
    std::optional<ProgresoBarra> progreso;
    if (barra)
        progreso.emplace(barra);
    const auto arboles = LosTresArboles();
    Arboles::LlenarArboles({arboles.begin(), arboles.end()}, progreso ? &*progreso : nullptr);
}

QString BuscarCabecera(const QString& texto) {
    const ArbolNodos* arbol = Ventanas::Lista().TreeViewLista;
    const QTreeWidgetItem* primera = arbol->Nodo(Arboles::ClaveCabecera(1));
    const QTreeWidgetItem* raiz = primera ? primera->parent() : nullptr;
    if (!raiz)
        return {};
    for (int k = raiz->indexOfChild(const_cast<QTreeWidgetItem*>(primera)); k < raiz->childCount(); ++k)
        if (raiz->child(k)->text(0) == texto)
            return ArbolNodos::Clave(raiz->child(k));
    return {};
}
