#include "queries/frmConsultas.h"

#include "queries/Mosaico.h"
#include "queries/PanelesEstado.h"
#include "queries/frmConsulta.h"
#include "queries/frmNuevaConsultaAvanzada.h"
#include "queries/frmNuevaConsultaPorLetra.h"
#include "queries/frmNuevaConsultaSQL.h"
#include "queries/frmNuevaConsultaSimple.h"
#include "shell/Estado.h"
#include "shell/MenusComunes.h"
#include "shell/Twips.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>

frmConsultas::frmConsultas(QWidget* padre)
    : QMainWindow(padre), EspacioHijas(new QMdiArea(this)), StatusBar1(new PanelesEstado(this)) {
    setWindowTitle(QStringLiteral("Cantorio - Consultas"));
    setCentralWidget(EspacioHijas);
    setStatusBar(StatusBar1);
    resize(800, 520);
    AnadirMenuVer(this, VentanaPrincipal::Consultas);
    QMenu* mnuConsulta = menuBar()->addMenu(QStringLiteral("&Consulta"));
    mnuConsultaAvanzada = mnuConsulta->addAction(QStringLiteral("Nueva &Avanzada"));
    mnuConsultaSimple = mnuConsulta->addAction(QStringLiteral("Nueva &Simple"));
    mnuConsultaSQL = mnuConsulta->addAction(QStringLiteral("Nueva S&QL"));
    mnuConsultaPorLetra = mnuConsulta->addAction(QStringLiteral("Nueva por &Letra"));
    mnuConsultaCerrar = mnuConsulta->addAction(QStringLiteral("&Cerrar"));
    QMenu* mnuVentana = menuBar()->addMenu(QStringLiteral("&Ventana"));
    mnuVentanaCascada = mnuVentana->addAction(QStringLiteral("&Cascada"));
    mnuVentanaMosaicoHorizontal = mnuVentana->addAction(QStringLiteral("Mosaico &Horizontal"));
    mnuVentanaMosaicoVertical = mnuVentana->addAction(QStringLiteral("Mosaico &Vertical"));
    mnuVentanaOrganizarIconos = mnuVentana->addAction(QStringLiteral("&Organizar Iconos"));
    AnadirMenuAyuda(this);

    connect(mnuConsultaAvanzada, &QAction::triggered, this, &frmConsultas::mnuConsultaAvanzada_Click);
    connect(mnuConsultaSimple, &QAction::triggered, this, &frmConsultas::mnuConsultaSimple_Click);
    connect(mnuConsultaSQL, &QAction::triggered, this, &frmConsultas::mnuConsultaSQL_Click);
    connect(mnuConsultaPorLetra, &QAction::triggered, this, &frmConsultas::mnuConsultaPorLetra_Click);
    connect(mnuConsultaCerrar, &QAction::triggered, this, &frmConsultas::mnuConsultaCerrar_Click);
    connect(mnuVentanaCascada, &QAction::triggered, this, &frmConsultas::mnuVentanaCascada_Click);
    connect(mnuVentanaMosaicoHorizontal, &QAction::triggered, this,
            &frmConsultas::mnuVentanaMosaicoHorizontal_Click);
    connect(mnuVentanaMosaicoVertical, &QAction::triggered, this,
            &frmConsultas::mnuVentanaMosaicoVertical_Click);
    connect(mnuVentanaOrganizarIconos, &QAction::triggered, this,
            &frmConsultas::mnuVentanaOrganizarIconos_Click);
    connect(EspacioHijas, &QMdiArea::subWindowActivated, this,
            &frmConsultas::EspacioHijas_SubWindowActivated);
}

frmConsultas::~frmConsultas() {
    disconnect(EspacioHijas, &QMdiArea::subWindowActivated, this,
               &frmConsultas::EspacioHijas_SubWindowActivated);
}

void frmConsultas::AbrirDialogo(DialogoConsulta* dialogo) {
    connect(
        dialogo, &DialogoConsulta::ConsultaPedida, this,
        [this, dialogo](const Consultas::PeticionConsulta& peticion) { NuevaConsulta(peticion, *dialogo); });
    dialogo->show();
}

void frmConsultas::NuevaConsulta(const Consultas::PeticionConsulta& peticion, DialogoConsulta& dialogo) {
    QPointer<frmConsulta> consulta = new frmConsulta(*this);
    EspacioHijas->addSubWindow(consulta);
    const bool conFilas = consulta->CargarDatos(peticion);
    dialogo.close();
    if (conFilas && consulta) {
        Colocar(*consulta);
        consulta->show();
        EspacioHijas->setActiveSubWindow(consulta);
    }
}

namespace {
// The step of a cascade: one title bar.
int PasoCascada(const QMdiSubWindow& hija) {
    return hija.contentsMargins().top();
}
} // namespace

void frmConsultas::Colocar(frmConsulta& nueva) {
    int abiertas = 0;
    for (QMdiSubWindow* hija : EspacioHijas->subWindowList())
        abiertas += hija != &nueva && hija->isVisible();
    nueva.move(Consultas::EsquinaCascada(abiertas, EspacioHijas->viewport()->size(), nueva.size(),
                                         PasoCascada(nueva)));
}

void frmConsultas::EspacioHijas_SubWindowActivated(QMdiSubWindow* hija) {
    StatusBar1->Limpiar();
    if (const auto* consulta = qobject_cast<const frmConsulta*>(hija))
        for (const QString& texto : consulta->TextosEstado())
            StatusBar1->Anadir(texto);
}

QList<frmConsulta*> frmConsultas::Resultados() const {
    QList<frmConsulta*> consultas;
    for (QMdiSubWindow* hija : EspacioHijas->subWindowList())
        if (auto* consulta = qobject_cast<frmConsulta*>(hija))
            consultas << consulta;
    return consultas;
}

void frmConsultas::mnuConsultaAvanzada_Click() {
    AbrirDialogo(new frmNuevaConsultaAvanzada(this));
}
void frmConsultas::mnuConsultaSimple_Click() {
    AbrirDialogo(new frmNuevaConsultaSimple(this));
}
void frmConsultas::mnuConsultaSQL_Click() {
    AbrirDialogo(new frmNuevaConsultaSQL(this));
}
void frmConsultas::mnuConsultaPorLetra_Click() {
    AbrirDialogo(new frmNuevaConsultaPorLetra(this));
}

void frmConsultas::mnuConsultaCerrar_Click() {
    if (QMdiSubWindow* activa = EspacioHijas->currentSubWindow())
        activa->close();
}

// Each window keeps its size, and with it the columns it shows; the active one ends on top, the
// minimised ones stay where their icons are.
void frmConsultas::mnuVentanaCascada_Click() {
    int k = 0;
    for (QMdiSubWindow* hija : EspacioHijas->subWindowList(QMdiArea::StackingOrder)) {
        if (!hija->isVisible() || hija->isMinimized())
            continue;
        if (hija->isMaximized())
            hija->showNormal();
        hija->move(Consultas::EsquinaCascada(k++, EspacioHijas->viewport()->size(), hija->size(),
                                             PasoCascada(*hija)));
        hija->raise();
    }
}
void frmConsultas::mnuVentanaMosaicoHorizontal_Click() {
    Mosaico(true);
}
void frmConsultas::mnuVentanaMosaicoVertical_Click() {
    Mosaico(false);
}

void frmConsultas::Mosaico(bool unaSobreOtra) {
    QList<QMdiSubWindow*> abiertas;
    int altoIconos = 0;
    for (QMdiSubWindow* hija : EspacioHijas->subWindowList()) {
        if (!hija->isVisible())
            continue;
        if (hija->isMinimized())
            altoIconos = std::max(altoIconos, hija->height());
        else
            abiertas << hija;
    }
    QRect area = EspacioHijas->viewport()->rect();
    area.setBottom(area.bottom() - altoIconos);
    const QList<QRect> sitios = unaSobreOtra ? Consultas::MosaicoHorizontal(area, abiertas.size())
                                             : Consultas::MosaicoVertical(area, abiertas.size());
    for (int i = 0; i < abiertas.size(); ++i) {
        abiertas[i]->showNormal();
        abiertas[i]->setGeometry(sitios[i]);
    }
}

void frmConsultas::mnuVentanaOrganizarIconos_Click() {
    QList<QMdiSubWindow*> iconos;
    for (QMdiSubWindow* hija : EspacioHijas->subWindowList())
        if (hija->isVisible() && hija->isMinimized())
            iconos << hija;
    if (iconos.isEmpty())
        return;
    const QList<QPoint> esquinas =
        Consultas::FilaIconos(EspacioHijas->viewport()->rect(), iconos.first()->size(), iconos.size());
    for (int i = 0; i < iconos.size(); ++i)
        iconos[i]->move(esquinas[i]);
}

void frmConsultas::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::ActivationChange && isActiveWindow())
        MDIForm_Activate();
    QMainWindow::changeEvent(evento);
}

void frmConsultas::MDIForm_Activate() {
    move(Pixeles(Estado::VentanaIzda), Pixeles(Estado::VentanaArriba));
}

void frmConsultas::closeEvent(QCloseEvent* evento) {
    // Refused while a lyric typed in a song window could not be saved.
    evento->setAccepted(TerminarPrograma());
}
