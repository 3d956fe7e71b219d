#include "lyrics/frmSelCancion.h"

#include "lyrics/frmCancion.h"
#include "shell/BarreraErrores.h"
#include "shell/Servicios.h"
#include "shell/Twips.h"
#include "store/BBDD.h"
#include "store/Catalogo.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace {
// From this many items on, the list shows a vertical scroll bar and the dialog widens for it.
constexpr int ItemsConBarra = 8;
constexpr int Ensanche = 240;
} // namespace

frmSelCancion::frmSelCancion(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Seleccione la Letra asociada:"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    txtSel = new QLineEdit(QStringLiteral("Título:"), this);
    txtSel->setReadOnly(true);
    txtSel->installEventFilter(this);
    ListViewSel = new QTreeWidget(this);
    ListViewSel->setRootIsDecorated(false);
    ListViewSel->setAllColumnsShowFocus(true);
    ListViewSel->setColumnCount(4);
    ListViewSel->setHeaderLabels({QStringLiteral("Cabecera"), QStringLiteral("Ruta"), QStringLiteral("Autor"),
                                  QStringLiteral("Tamaño")});
    const int anchos[] = {2160, 2160, 2160, 1050};
    for (int i = 0; i < 4; ++i)
        ListViewSel->setColumnWidth(i, Pixeles(anchos[i]));
    ListViewSel->headerItem()->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    ListViewSel->installEventFilter(this);
    txtSel->move(Pixeles(30), Pixeles(30));
    ListViewSel->move(Pixeles(30), Pixeles(360));
    resize(Pixeles(2295 + 60), Pixeles(360 + 1935 + 15));
    Conectar();
}

void frmSelCancion::Conectar() {
    connect(ListViewSel, &QTreeWidget::itemDoubleClicked, this,
            Protegido(this, [this] { ListViewSel_DblClick(); }));
}

void frmSelCancion::CargarDatos(const QString& titulo, catalogo::IdCancion fila) {
    fila_ = fila;
    txtSel->setText(QStringLiteral("Titulo: ") + titulo);
    auto* nueva = new QTreeWidgetItem(ListViewSel, {QStringLiteral("NUEVA LETRA"), QStringLiteral(" "),
                                                    QStringLiteral(" "), QStringLiteral(" ")});
    candidatas_ = catalogo::HomonimosConLetra(*BBDD::BaseDatos, titulo);
    const catalogo::FormatoTamano formato{QLocale()};
    for (const catalogo::Homonimo& homonimo : candidatas_) {
        auto* item = new QTreeWidgetItem(
            ListViewSel, {homonimo.cabecera, homonimo.ruta, homonimo.autor, formato(homonimo.longitud)});
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    ListViewSel->setCurrentItem(nueva);
    if (ListViewSel->topLevelItemCount() >= ItemsConBarra)
        resize(width() + Pixeles(Ensanche), height());
}

void frmSelCancion::ListViewSel_DblClick() {
    const int i = ListViewSel->indexOfTopLevelItem(ListViewSel->currentItem());
    if (i < 0)
        return;
    int idx = 0;
    bool nueva = false;
    if (i >= 1) {
        idx = candidatas_[i - 1].idx;
    } else {
        // A song that has meanwhile got a lyric of its own opens that one: a given number is never replaced.
        const catalogo::LetraAsignada asignada = catalogo::AsignarLetra(*BBDD::BaseDatos, fila_);
        if (!asignada.hallada) {
            Avisar(this, QStringLiteral("La canción ya no está en el catálogo.  "), {},
                   IconoMensaje::Exclamacion);
            close();
            return;
        }
        idx = asignada.idx;
        nueva = asignada.nueva;
    }
    hide();
    frmCancion* ventana = nullptr;
    try {
        ventana = frmCancion::Crear(idx, nueva, fila_);
    } catch (...) {
        close();
        throw;
    }
    emit CancionAbierta(ventana);
    ventana->show();
    close();
}

void frmSelCancion::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(evento);
}

bool frmSelCancion::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Escape) {
            close();
            return true;
        }
        if (objeto == ListViewSel && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
            BarreraErrores(this, [this] { ListViewSel_DblClick(); });
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmSelCancion::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    const int w = Twips(width());
    const int h = Twips(height());
    txtSel->setGeometry(txtSel->x(), txtSel->y(), Pixeles(w - 60), Pixeles(285));
    ListViewSel->setGeometry(ListViewSel->x(), ListViewSel->y(), Pixeles(w - 30), Pixeles(h - 375));
}
