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
class frmConsulta;
class frmNuevaConsultaAvanzada;
class frmNuevaConsultaPorLetra;
class frmNuevaConsultaSimple;
class frmNuevaConsultaSQL;

class frmConsultas : public QMainWindow {
    Q_OBJECT
public:
    explicit frmConsultas(QWidget* padre = nullptr);

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

    // Called by the dialogs' "&Realizar Consulta": a new result window reads the dialog, the dialog
    // closes, and the result is shown when it found rows.
    void NuevaConsultaAvanzada(frmNuevaConsultaAvanzada& dialogo);
    void NuevaConsultaSimple(frmNuevaConsultaSimple& dialogo);
    void NuevaConsultaSQL(frmNuevaConsultaSQL& dialogo);
    void NuevaConsultaPorLetra(frmNuevaConsultaPorLetra& dialogo);

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
    template <typename Dialogo>
    void NuevaConsulta(Dialogo& dialogo, bool (frmConsulta::*cargar)(const Dialogo&));
    // Places a new result window before it is first shown.
    void Colocar(frmConsulta& nueva);
    void MDIForm_Activate();
    // Tiles the children that are not minimised, with room left at the bottom for the minimised ones.
    void Mosaico(bool unaSobreOtra);
};
