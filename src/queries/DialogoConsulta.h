#pragma once
// What the query dialogs share: the buttons "&Realizar Consulta" and "&Cancelar", Escape running the
// cancel command, the painted background, and the signal that hands over the query asked for.

#include "queries/FondoDialogo.h"
#include "queries/PeticionConsulta.h"
#include "queries/SentenciasConsulta.h"

#include <QDialog>
#include <QList>

#include <array>
#include <utility>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class DialogoConsulta : public QDialog {
    Q_OBJECT
public:
    DialogoConsulta(QWidget* padre, const QString& titulo);

    QPushButton* cmdConsultar;
    QPushButton* cmdCancel;

signals:
    // "&Realizar Consulta" was pressed on valid input. The dialog stays open with its buttons disabled:
    // the receiver runs the query and closes it.
    void ConsultaPedida(const Consultas::PeticionConsulta& peticion);

protected:
    // The dialog's grid with the five field rows "Cabecera" to "Extensión": a disabled label and a text
    // field per row, the field spanning columnasCampo columns; the fields are added to barras.
    using CamposConsulta = std::array<std::pair<QLabel**, QLineEdit**>, Consultas::NumeroCampos>;
    QGridLayout* RejillaCampos(const CamposConsulta& campos, int columnasCampo, QList<QWidget*>& barras);
    // The two buttons, right-aligned.
    QHBoxLayout* FilaBotones();
    // Disables both buttons and repaints, before the query runs.
    void DesactivarBotones();
    void ActivarBotones();
    // The widgets that get a red bar (text fields) or a small red square (check boxes) behind them.
    void PonerFondo(QList<QWidget*> barras, QList<QWidget*> cuadros);
    // The rectangle whose corners take the gradient's four colours; the whole dialog by default.
    virtual QRect AnclasFondo() const;
    virtual void cmdConsultar_Click() = 0;

    void keyPressEvent(QKeyEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

protected slots:
    void cmdCancel_Click();

private:
    FondoDialogo fondo_;
    QList<QWidget*> barras_;
    QList<QWidget*> cuadros_;
};
