#include "maintenance/frmReordenar.h"

#include "shell/Servicios.h"
#include "store/BBDD.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A text field for display only, on the window's grey.
QLineEdit* CampoSoloLectura() {
    auto* campo = new QLineEdit;
    campo->setReadOnly(true);
    campo->setFocusPolicy(Qt::NoFocus);
    QPalette paleta = campo->palette();
    for (auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        paleta.setColor(grupo, QPalette::Base, paleta.color(grupo, QPalette::Window));
    campo->setPalette(paleta);
    return campo;
}

QGroupBox* Marco(const QString& titulo, std::initializer_list<QRadioButton*> opciones) {
    auto* marco = new QGroupBox(titulo);
    auto* disposicion = new QVBoxLayout(marco);
    for (QRadioButton* opcion : opciones)
        disposicion->addWidget(opcion);
    disposicion->addStretch(1);
    return marco;
}

} // namespace

frmReordenar::frmReordenar(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Reordenar Ruta"));
    lblCabecera = new QLabel(QStringLiteral("Cabecera:"));
    txtCabecera = CampoSoloLectura();
    lblRuta = new QLabel(QStringLiteral("Ruta:"));
    txtRuta = CampoSoloLectura();
    optAutor = new QRadioButton(QStringLiteral("Autor"));
    optTitulo = new QRadioButton(QStringLiteral("Título"));
    optExtension = new QRadioButton(QStringLiteral("Extensión"));
    optTamano = new QRadioButton(QStringLiteral("Tamaño"));
    Frame2 = Marco(QStringLiteral("Ordenar por Campo:"), {optAutor, optTitulo, optExtension, optTamano});
    optAscendente = new QRadioButton(QStringLiteral("Ascendente"));
    optDescendente = new QRadioButton(QStringLiteral("Descendente"));
    Frame1 = Marco(QStringLiteral("Ordenación:"), {optAscendente, optDescendente});
    cmdAceptar = new QPushButton(QStringLiteral("Aceptar"));
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"));
    optAutor->setChecked(true);
    optAscendente->setChecked(true);
    cmdAceptar->setDefault(true);

    auto* ruta = new QGridLayout;
    ruta->addWidget(lblCabecera, 0, 0);
    ruta->addWidget(txtCabecera, 0, 1);
    ruta->addWidget(lblRuta, 1, 0);
    ruta->addWidget(txtRuta, 1, 1);
    ruta->setColumnStretch(1, 1);
    auto* marcos = new QHBoxLayout;
    marcos->addWidget(Frame2);
    marcos->addWidget(Frame1);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->addLayout(ruta);
    disposicion->addLayout(marcos);
    disposicion->addLayout(botones);
    resize(420, sizeHint().height());

    connect(cmdAceptar, &QPushButton::clicked, this, &frmReordenar::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmReordenar::cmdCancelar_Click);
}

void frmReordenar::CargarDatos(const QString& cabecera, const QString& ruta) {
    cabecera_ = cabecera;
    ruta_ = ruta;
    txtCabecera->setText(cabecera);
    txtRuta->setText(ruta);
}

catalogo::CampoOrden frmReordenar::Campo() const {
    if (optAutor->isChecked())
        return catalogo::CampoOrden::Autor;
    if (optTitulo->isChecked())
        return catalogo::CampoOrden::Titulo;
    if (optExtension->isChecked())
        return catalogo::CampoOrden::Extension;
    return catalogo::CampoOrden::Tamano;
}

void frmReordenar::cmdAceptar_Click() {
    try {
        catalogo::ReordenarRuta(*BBDD::BaseDatos, {cabecera_, ruta_}, Campo(),
                                optAscendente->isChecked() ? catalogo::Sentido::Ascendente
                                                           : catalogo::Sentido::Descendente);
    } catch (const dao::ErrorBD& error) {
        Avisar(this,
               QStringLiteral("No se ha podido reordenar la ruta; su orden no ha cambiado.\n\n%1 (error %2)")
                   .arg(error.Descripcion())
                   .arg(error.Numero()),
               QStringLiteral("Error"), IconoMensaje::Critico);
        return;
    }
    emit RutaReordenada();
    Avisar(this, QStringLiteral("Operación terminada con éxito"), QString(), IconoMensaje::Informacion);
    accept();
}

void frmReordenar::cmdCancelar_Click() {
    reject();
}
