#pragma once
// The query workspace "Cantorio - Consultas": a multiple-document window holding the result windows.
// Its menus open the query dialogs, close the active result and arrange the children; the active
// result shows its criteria and row count in the status bar.

#include <QList>
#include <QMainWindow>

class PanelesEstado;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class DialogoConsulta;
class frmConsulta;
namespace Consultas {
struct PeticionConsulta;
}

class frmConsultas : public QMainWindow {
    Q_OBJECT
public:
    explicit frmConsultas(QWidget* padre = nullptr);
    // The workspace's closing, in QWidget's destructor, activates no result any more: by then this
    // window is no longer an frmConsultas.
    ~frmConsultas() override;

    QMdiArea* EspacioHijas;
    PanelesEstado* StatusBar1;

    QAction* mnuConsultaAvanzada;
    QAction* mnuConsultaSimple;
    QAction* mnuConsultaSQL;
    QAction* mnuConsultaPorLetra;
    QAction* mnuConsultaCerrar;
    QAction* mnuVentanaCascada;
    QAction* mnuVentanaMosaicoHorizontal;
    QAction* mnuVentanaMosaicoVertical;
    QAction* mnuVentanaOrganizarIconos;

    // The result windows, in the order they were opened.
    QList<frmConsulta*> Resultados() const;

protected:
    void changeEvent(QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private slots:
    void mnuConsultaAvanzada_Click();
    void mnuConsultaSimple_Click();
    void mnuConsultaSQL_Click();
    void mnuConsultaPorLetra_Click();
    void mnuConsultaCerrar_Click();
    void mnuVentanaCascada_Click();
    void mnuVentanaMosaicoHorizontal_Click();
    void mnuVentanaMosaicoVertical_Click();
    void mnuVentanaOrganizarIconos_Click();
    // The status bar shows the active result's panels, and nothing once no result is active.
    void EspacioHijas_SubWindowActivated(QMdiSubWindow* hija);

private:
    // Shows a query dialog whose requests open result windows here.
    void AbrirDialogo(DialogoConsulta* dialogo);
    // A new result window runs the query, the dialog that asked for it closes, and the result is shown
    // when it found rows.
    void NuevaConsulta(const Consultas::PeticionConsulta& peticion, DialogoConsulta& dialogo);
    // Places a new result window before it is first shown.
    void Colocar(frmConsulta& nueva);
    void MDIForm_Activate();
    // Tiles the children that are not minimised, with room left at the bottom for the minimised ones.
    void Mosaico(bool unaSobreOtra);
};
