#pragma once
// "Nueva Consulta - Por Letra": a text searched inside the lyrics, and up to five texts that a song's
// fields must contain, all joined by AND.

#include "queries/DialogoConsulta.h"
#include "queries/SentenciasConsulta.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class frmNuevaConsultaPorLetra : public DialogoConsulta {
    Q_OBJECT
public:
    explicit frmNuevaConsultaPorLetra(QWidget* padre);

    QLineEdit* txtCabecera;
    QLineEdit* txtRuta;
    QLineEdit* txtAutor;
    QLineEdit* txtTitulo;
    QLineEdit* txtExtension;
    QPlainTextEdit* txtTexto;
    QLabel* lblCabecera;
    QLabel* lblRuta;
    QLabel* lblAutor;
    QLabel* lblTitulo;
    QLabel* lblExtension;
    QLabel* lblLetra;
    QCheckBox* chkIgnorarAcentos;

    // The five field texts in field order; a field whose label is disabled is not used and gives "".
    Consultas::TextosCampos Textos() const;
    QString Texto() const;
    // The query the controls describe.
    Consultas::PeticionConsulta Peticion() const;

private slots:
    void txtCabecera_Change();
    void txtRuta_Change();
    void txtAutor_Change();
    void txtTitulo_Change();
    void txtExtension_Change();
    void txtTexto_Change();

private:
    void Conectar();
    void CampoCambiado(const QString& texto, QLabel* etiqueta);
    void CompruebaBotonRealizarConsulta();
    void cmdConsultar_Click() override;
};
