#include "queries/frmNuevaConsultaSimple.h"

#include "shell/Servicios.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
bool EsUnion(const QString& texto) {
    return texto == QLatin1String("AND") || texto == QLatin1String("OR");
}
} // namespace

frmNuevaConsultaSimple::frmNuevaConsultaSimple(QWidget* padre)
    : DialogoConsulta(padre, QStringLiteral("Nueva Consulta - Simple")) {
    QList<QWidget*> barras;
    QGridLayout* rejilla = RejillaCampos({{
                                             {&lblCabecera, &txtCabecera},
                                             {&lblRuta, &txtRuta},
                                             {&lblAutor, &txtAutor},
                                             {&lblTitulo, &txtTitulo},
                                             {&lblExtension, &txtExtension},
                                         }},
                                         2, barras);
    cmbANDOR = new QComboBox(this);
    cmbANDOR->setEditable(true);
    cmbANDOR->setEditText(QStringLiteral("AND"));
    rejilla->addWidget(cmbANDOR, Consultas::NumeroCampos, 1, Qt::AlignLeft);
    rejilla->addLayout(FilaBotones(), Consultas::NumeroCampos + 1, 0, 1, 3);
    rejilla->setSizeConstraint(QLayout::SetFixedSize);
    cmdConsultar->setEnabled(false);
    PonerFondo(barras, {});

    connect(txtCabecera, &QLineEdit::textChanged, this, &frmNuevaConsultaSimple::txtCabecera_Change);
    connect(txtRuta, &QLineEdit::textChanged, this, &frmNuevaConsultaSimple::txtRuta_Change);
    connect(txtAutor, &QLineEdit::textChanged, this, &frmNuevaConsultaSimple::txtAutor_Change);
    connect(txtTitulo, &QLineEdit::textChanged, this, &frmNuevaConsultaSimple::txtTitulo_Change);
    connect(txtExtension, &QLineEdit::textChanged, this, &frmNuevaConsultaSimple::txtExtension_Change);
    Form_Load();
}

void frmNuevaConsultaSimple::Form_Load() {
    cmbANDOR->addItems({QStringLiteral("AND"), QStringLiteral("OR")});
    cmbANDOR->setEditText(QStringLiteral("AND"));
}

Consultas::TextosCampos frmNuevaConsultaSimple::Textos() const {
    return {txtCabecera->text(), txtRuta->text(), txtAutor->text(), txtTitulo->text(), txtExtension->text()};
}

Consultas::PeticionConsulta frmNuevaConsultaSimple::Peticion() const {
    const Consultas::SentenciaConstruida construida =
        Consultas::SentenciaSimple(Textos(), cmbANDOR->currentText());
    Consultas::PeticionConsulta peticion;
    peticion.sentencia = construida.sentencia;
    peticion.criterios = construida.criterios;
    return peticion;
}

void frmNuevaConsultaSimple::txtCabecera_Change() {
    CampoCambiado(txtCabecera, lblCabecera);
}
void frmNuevaConsultaSimple::txtRuta_Change() {
    CampoCambiado(txtRuta, lblRuta);
}
void frmNuevaConsultaSimple::txtAutor_Change() {
    CampoCambiado(txtAutor, lblAutor);
}
void frmNuevaConsultaSimple::txtTitulo_Change() {
    CampoCambiado(txtTitulo, lblTitulo);
}
void frmNuevaConsultaSimple::txtExtension_Change() {
    CampoCambiado(txtExtension, lblExtension);
}

void frmNuevaConsultaSimple::CampoCambiado(const QLineEdit* campo, QLabel* etiqueta) {
    etiqueta->setEnabled(!campo->text().isEmpty());
    CompruebaBotonRealizarConsulta();
}

// Runs on the field changes only; a join word typed afterwards is checked when the query is asked for.
void frmNuevaConsultaSimple::CompruebaBotonRealizarConsulta() {
    bool hayTexto = false;
    for (const QString& texto : Textos())
        hayTexto = hayTexto || !texto.isEmpty();
    cmdConsultar->setEnabled(hayTexto && EsUnion(cmbANDOR->currentText()));
}

void frmNuevaConsultaSimple::cmdConsultar_Click() {
    // The join word goes into the statement as it stands: anything but AND or OR is refused here.
    if (!EsUnion(cmbANDOR->currentText())) {
        Avisar(this, QStringLiteral("Escriba AND u OR para unir los criterios.  "), {},
               IconoMensaje::Exclamacion);
        cmbANDOR->setFocus();
        return;
    }
    DesactivarBotones();
    emit ConsultaPedida(Peticion());
}
