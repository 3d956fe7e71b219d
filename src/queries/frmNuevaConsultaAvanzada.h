#pragma once
// "Nueva Consulta - Avanzada": for each field a text, whether the field must contain it or match it,
// and whether its criterion joins the previous ones by AND or by OR; a lyrics filter, the columns to
// show and the intelligent marking of the lyrics column.

#include "queries/DialogoConsulta.h"
#include "queries/FilaColumnas.h"
#include "queries/SentenciasConsulta.h"

#include <memory>

class DobleOption;
class EtiquetaPulsable;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class frmNuevaConsultaAvanzada : public DialogoConsulta {
    Q_OBJECT
public:
    explicit frmNuevaConsultaAvanzada(QWidget* padre);
    ~frmNuevaConsultaAvanzada() override;

    QLineEdit* txtCabecera;
    QLineEdit* txtRuta;
    QLineEdit* txtAutor;
    QLineEdit* txtTitulo;
    QLineEdit* txtExtension;
    QLabel* lblCabecera;
    QLabel* lblRuta;
    QLabel* lblAutor;
    QLabel* lblTitulo;
    QLabel* lblExtension;
    // Left option AND, right option OR.
    DobleOption* AndOrCabecera;
    DobleOption* AndOrRuta;
    DobleOption* AndOrAutor;
    DobleOption* AndOrTitulo;
    DobleOption* AndOrExtension;
    // Left option contains, right option exact.
    DobleOption* SeaContengaCabecera;
    DobleOption* SeaContengaRuta;
    DobleOption* SeaContengaAutor;
    DobleOption* SeaContengaTitulo;
    DobleOption* SeaContengaExtension;
    QComboBox* cmbLetras;
    QLabel* lblLetras;
    DobleOption* AndOrLetras;
    std::unique_ptr<FilaColumnas> Ver;
    QCheckBox* chkInteligente;
    EtiquetaPulsable* lblInteligente;

    // What the controls ask for, as the advanced statement takes it.
    Consultas::ConsultaAvanzada Consulta() const;
    // The query the controls describe: the statement built from Consulta(), the columns and the marking.
    Consultas::PeticionConsulta Peticion() const;

private slots:
    void txtCabecera_Change();
    void txtRuta_Change();
    void txtAutor_Change();
    void txtTitulo_Change();
    void txtExtension_Change();
    void chkVerLetras_Click();

private:
    void Form_Load();
    void CampoCambiado(const QLineEdit* campo, DobleOption* modo, DobleOption* union_, QLabel* etiqueta);
    void CompruebaBotonRealizarConsulta();
    void cmdConsultar_Click() override;
    QRect AnclasFondo() const override;
};
