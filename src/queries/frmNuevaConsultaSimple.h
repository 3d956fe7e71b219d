#pragma once
// "Nueva Consulta - Simple": up to five texts that a song's fields must contain, all joined by AND or
// all by OR.

#include "queries/DialogoConsulta.h"
#include "queries/SentenciasConsulta.h"

class QComboBox;
class QLabel;
class QLineEdit;

class frmNuevaConsultaSimple : public DialogoConsulta {
    Q_OBJECT
public:
    explicit frmNuevaConsultaSimple(QWidget* padre);

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
    QComboBox* cmbANDOR;

    // The five texts in field order.
    Consultas::TextosCampos Textos() const;
    // The query the controls describe.
    Consultas::PeticionConsulta Peticion() const;

private slots:
    void txtCabecera_Change();
    void txtRuta_Change();
    void txtAutor_Change();
    void txtTitulo_Change();
    void txtExtension_Change();

private:
    void Form_Load();
    void CampoCambiado(const QLineEdit* campo, QLabel* etiqueta);
    void CompruebaBotonRealizarConsulta();
    void cmdConsultar_Click() override;
};
