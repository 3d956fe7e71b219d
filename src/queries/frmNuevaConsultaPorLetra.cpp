#include "queries/frmNuevaConsultaPorLetra.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

frmNuevaConsultaPorLetra::frmNuevaConsultaPorLetra(QWidget* padre)
    : DialogoConsulta(padre, QStringLiteral("Nueva Consulta - Por Letra")) {
    QList<QWidget*> barras;
    QGridLayout* rejilla = RejillaCampos({{
                                             {&lblCabecera, &txtCabecera},
                                             {&lblRuta, &txtRuta},
                                             {&lblAutor, &txtAutor},
                                             {&lblTitulo, &txtTitulo},
                                             {&lblExtension, &txtExtension},
                                         }},
                                         1, barras);
    lblLetra = new QLabel(QStringLiteral("Letra"), this);
    txtTexto = new QPlainTextEdit(this);
    txtTexto->setTabChangesFocus(true);
    txtTexto->setFixedHeight(110);
    rejilla->addWidget(lblLetra, Consultas::NumeroCampos, 0, Qt::AlignTop);
    rejilla->addWidget(txtTexto, Consultas::NumeroCampos, 1);
    barras << txtTexto;
    // Off by default: the search keeps its meaning unless asked, "corazon" then finding "CORAZÓN".
    chkIgnorarAcentos = new QCheckBox(QStringLiteral("Ignorar &acentos"), this);
    rejilla->addWidget(chkIgnorarAcentos, Consultas::NumeroCampos + 1, 1);
    rejilla->addLayout(FilaBotones(), Consultas::NumeroCampos + 2, 0, 1, 2);
    rejilla->setSizeConstraint(QLayout::SetFixedSize);
    lblLetra->setEnabled(false);
    cmdConsultar->setEnabled(false);
    PonerFondo(barras, {});
    Conectar();
}

void frmNuevaConsultaPorLetra::Conectar() {
    connect(txtCabecera, &QLineEdit::textChanged, this, &frmNuevaConsultaPorLetra::txtCabecera_Change);
    connect(txtRuta, &QLineEdit::textChanged, this, &frmNuevaConsultaPorLetra::txtRuta_Change);
    connect(txtAutor, &QLineEdit::textChanged, this, &frmNuevaConsultaPorLetra::txtAutor_Change);
    connect(txtTitulo, &QLineEdit::textChanged, this, &frmNuevaConsultaPorLetra::txtTitulo_Change);
    connect(txtExtension, &QLineEdit::textChanged, this, &frmNuevaConsultaPorLetra::txtExtension_Change);
    connect(txtTexto, &QPlainTextEdit::textChanged, this, &frmNuevaConsultaPorLetra::txtTexto_Change);
}

Consultas::TextosCampos frmNuevaConsultaPorLetra::Textos() const {
    auto usado = [](const QLabel* etiqueta, const QLineEdit* campo) {
        return etiqueta->isEnabled() ? campo->text() : QString();
    };
    return {usado(lblCabecera, txtCabecera), usado(lblRuta, txtRuta), usado(lblAutor, txtAutor),
            usado(lblTitulo, txtTitulo), usado(lblExtension, txtExtension)};
}

QString frmNuevaConsultaPorLetra::Texto() const {
    return txtTexto->toPlainText();
}

Consultas::PeticionConsulta frmNuevaConsultaPorLetra::Peticion() const {
    Consultas::PeticionConsulta peticion;
    peticion.textoLetra = Texto();
    peticion.acentos =
        chkIgnorarAcentos->isChecked() ? catalogo::Acentos::Ignorados : catalogo::Acentos::Cuentan;
    peticion.criterios = Textos();
    return peticion;
}

void frmNuevaConsultaPorLetra::txtCabecera_Change() {
    CampoCambiado(txtCabecera->text(), lblCabecera);
}
void frmNuevaConsultaPorLetra::txtRuta_Change() {
    CampoCambiado(txtRuta->text(), lblRuta);
}
void frmNuevaConsultaPorLetra::txtAutor_Change() {
    CampoCambiado(txtAutor->text(), lblAutor);
}
void frmNuevaConsultaPorLetra::txtTitulo_Change() {
    CampoCambiado(txtTitulo->text(), lblTitulo);
}
void frmNuevaConsultaPorLetra::txtExtension_Change() {
    CampoCambiado(txtExtension->text(), lblExtension);
}
void frmNuevaConsultaPorLetra::txtTexto_Change() {
    CampoCambiado(txtTexto->toPlainText(), lblLetra);
}

void frmNuevaConsultaPorLetra::CampoCambiado(const QString& texto, QLabel* etiqueta) {
    etiqueta->setEnabled(!texto.isEmpty());
    CompruebaBotonRealizarConsulta();
}

void frmNuevaConsultaPorLetra::CompruebaBotonRealizarConsulta() {
    bool hayTexto = !Texto().isEmpty();
    for (const QString& texto : Textos())
        hayTexto = hayTexto || !texto.isEmpty();
    cmdConsultar->setEnabled(hayTexto);
}

void frmNuevaConsultaPorLetra::cmdConsultar_Click() {
    DesactivarBotones();
    emit ConsultaPedida(Peticion());
}
