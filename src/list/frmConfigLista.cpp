#include "list/frmConfigLista.h"

#include "queries/EtiquetaPulsable.h"
#include "shell/FormatoTexto.h"
#include "shell/Servicios.h"
#include "shell/Ventanas.h"
#include "shell/frmAux.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr std::uint32_t Blanco = 16777215;
constexpr std::uint32_t Gris = 12303291;
constexpr int LadoImagen = 24;

// Pictures of the song window's image list: highlighted and pressed look by justification 0, 1, 2.
constexpr int Resaltada[] = {8, 11, 5};
constexpr int Pulsada[] = {9, 12, 6};

} // namespace

frmConfigLista::frmConfigLista(const Lista::OpcionesLista& opciones, QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Configuración Lista"));
    TabStrip1 = new QTabWidget(this);
    TabStrip1->setUsesScrollButtons(false); // every tab caption in full
    CrearColumnas();
    CrearLetras();
    CrearEstilo();
    TabStrip1->addTab(FrameColumnas, QStringLiteral("Ver Columnas"));
    TabStrip1->addTab(FrameLetras, QStringLiteral("Búsqueda Inteligente"));
    TabStrip1->addTab(FrameEstilo, QStringLiteral("Estilo Letras"));

    cmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdAplicar = new QPushButton(QStringLiteral("Aplicar"), this);
    cmdAceptar->setDefault(true);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton* boton : {cmdAceptar, cmdCancelar, cmdAplicar})
        botones->addWidget(boton);

    auto* columna = new QVBoxLayout(this);
    columna->addWidget(TabStrip1);
    columna->addLayout(botones);
    columna->setSizeConstraint(QLayout::SetFixedSize);

    Conectar();
    Form_Load(opciones);
}

void frmConfigLista::CrearColumnas() {
    FrameColumnas = new QWidget;
    auto* casillas = new QVBoxLayout(FrameColumnas);
    chkAutor = new QCheckBox(QStringLiteral("&Autor"));
    chkTitulo = new QCheckBox(QStringLiteral("&Título"));
    chkExtension = new QCheckBox(QStringLiteral("&Extensión"));
    chkTamano = new QCheckBox(QStringLiteral("Ta&maño"));
    chkLirycs = new QCheckBox(QStringLiteral("&Letras"));
    for (QCheckBox* casilla : {chkAutor, chkTitulo, chkExtension, chkTamano, chkLirycs})
        casillas->addWidget(casilla);
    casillas->addStretch();
}

void frmConfigLista::CrearLetras() {
    FrameLetras = new QWidget;
    auto* partes = new QVBoxLayout(FrameLetras);
    chkBusquedaInteligente = new QCheckBox(QStringLiteral("&Búsqueda Inteligente de Letras"));
    txtLetras = new QPlainTextEdit;
    txtLetras->setReadOnly(true);
    txtLetras->setFocusPolicy(Qt::NoFocus);
    txtLetras->setFixedSize(330, 78);
    txtLetras->setAutoFillBackground(true);
    partes->addWidget(chkBusquedaInteligente);
    partes->addWidget(txtLetras);
    partes->addStretch();
}

void frmConfigLista::CrearEstilo() {
    FrameEstilo = new QWidget;
    auto* rejilla = new QGridLayout(FrameEstilo);
    txtEstilo = new QLineEdit(QStringLiteral("Ejemplo"));
    txtEstilo->setAlignment(Qt::AlignCenter);
    txtEstilo->setReadOnly(true);
    txtEstilo->setFocusPolicy(Qt::NoFocus);
    txtEstilo->setFixedSize(190, 70);
    cmdFuenteTexto = new QPushButton(QStringLiteral("Fuente"));
    cmdColorFondo = new QPushButton(QStringLiteral("Color Fondo"));
    cmdColorTexto = new QPushButton(QStringLiteral("Color Texto"));
    rejilla->addWidget(txtEstilo, 0, 0, 3, 1);
    for (QPushButton* boton : {cmdFuenteTexto, cmdColorFondo, cmdColorTexto})
        boton->setMinimumWidth(110);
    rejilla->addWidget(cmdFuenteTexto, 0, 1);
    rejilla->addWidget(cmdColorFondo, 1, 1);
    rejilla->addWidget(cmdColorTexto, 2, 1);

    auto* justificacion = new QHBoxLayout;
    justificacion->addStretch();
    for (int indice : {0, 2, 1}) {
        img[indice] = new EtiquetaPulsable;
        img[indice]->setFixedSize(LadoImagen, LadoImagen);
        img[indice]->setScaledContents(true);
        justificacion->addWidget(img[indice]);
    }
    img[0]->setToolTip(QStringLiteral("Justificar Izquierda"));
    img[2]->setToolTip(QStringLiteral("Justificar Centro"));
    img[1]->setToolTip(QStringLiteral("Justificar Derecha"));
    justificacion->addStretch();
    rejilla->addLayout(justificacion, 3, 0);
    rejilla->setRowStretch(4, 1);
}

void frmConfigLista::Conectar() {
    connect(chkAutor, &QCheckBox::clicked, this, &frmConfigLista::chkAutor_Click);
    connect(chkTitulo, &QCheckBox::clicked, this, &frmConfigLista::chkTitulo_Click);
    connect(chkExtension, &QCheckBox::clicked, this, &frmConfigLista::chkExtension_Click);
    connect(chkTamano, &QCheckBox::clicked, this, &frmConfigLista::chkTamano_Click);
    connect(chkBusquedaInteligente, &QCheckBox::clicked, this, &frmConfigLista::chkBusquedaInteligente_Click);
    connect(chkLirycs, &QCheckBox::clicked, this, &frmConfigLista::chkLirycs_Click);
    for (int indice = 0; indice < 3; ++indice)
        connect(img[indice], &EtiquetaPulsable::Click, this, [this, indice] { img_Click(indice); });
    connect(cmdColorTexto, &QPushButton::clicked, this, &frmConfigLista::cmdColorTexto_Click);
    connect(cmdColorFondo, &QPushButton::clicked, this, &frmConfigLista::cmdColorFondo_Click);
    connect(cmdFuenteTexto, &QPushButton::clicked, this, &frmConfigLista::cmdFuenteTexto_Click);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmConfigLista::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmConfigLista::cmdCancelar_Click);
    connect(cmdAplicar, &QPushButton::clicked, this, &frmConfigLista::cmdAplicar_Click);
}

void frmConfigLista::Form_Load(const Lista::OpcionesLista& opciones) {
    chkAutor->setChecked(opciones.ColumnaAutor);
    chkTitulo->setChecked(opciones.ColumnaTitulo);
    chkExtension->setChecked(opciones.ColumnaExtension);
    chkTamano->setChecked(opciones.ColumnaTamano);
    chkLirycs->setChecked(opciones.ColumnaLetra);
    chkBusquedaInteligente->setChecked(opciones.BusquedaInteligente);
    cmdAplicar->setEnabled(false);
    MostrarBusquedaInteligente(chkLirycs->isChecked());
    muestra_ = Estado::EstiloLetras;
    MostrarJustificacion();
    MostrarMuestra();
}

// The box can be changed only while the lyrics column is shown; its tick stays as it is.
void frmConfigLista::MostrarBusquedaInteligente(bool letrasVisibles) {
    EstiloTexto explicacion;
    explicacion.ColorFondo = letrasVisibles ? Blanco : Gris;
    AplicarColores(txtLetras, explicacion);
    txtLetras->setPlainText(
        letrasVisibles
            ? QStringLiteral(
                  "La búsqueda inteligente de letras ralentiza el programa, pero permite conocer la "
                  "existencia de letras para las canciones que no estén directamente asociadas.")
            : QStringLiteral(
                  "Para poder modificar esta opción, marque primero la casilla de visualización de "
                  "la columna de las Letras"));
    chkBusquedaInteligente->setEnabled(letrasVisibles);
}

// The chosen justification shows its pressed picture, the other two their highlighted one.
void frmConfigLista::MostrarJustificacion() {
    const auto& imagenes = Ventanas::Aux().ImageListCancion;
    for (int indice = 0; indice < 3; ++indice) {
        imagenes_[indice] = indice == muestra_.Justificacion ? Pulsada[indice] : Resaltada[indice];
        img[indice]->setPixmap(
            imagenes.value(QString::number(imagenes_[indice])).pixmap(QSize(LadoImagen, LadoImagen)));
    }
}

void frmConfigLista::MostrarMuestra() {
    AplicarEstilo(txtEstilo, muestra_);
}

void frmConfigLista::chkAutor_Click() {
    cmdAplicar->setEnabled(true);
}
void frmConfigLista::chkTitulo_Click() {
    cmdAplicar->setEnabled(true);
}
void frmConfigLista::chkExtension_Click() {
    cmdAplicar->setEnabled(true);
}
void frmConfigLista::chkTamano_Click() {
    cmdAplicar->setEnabled(true);
}
void frmConfigLista::chkBusquedaInteligente_Click() {
    cmdAplicar->setEnabled(true);
}

void frmConfigLista::chkLirycs_Click() {
    cmdAplicar->setEnabled(true);
    MostrarBusquedaInteligente(chkLirycs->isChecked());
}

void frmConfigLista::img_Click(int Index) {
    cmdAplicar->setEnabled(true);
    muestra_.Justificacion = std::uint8_t(Index);
    MostrarJustificacion();
}

void frmConfigLista::cmdColorTexto_Click() {
    const auto color = servicios().ElegirColor(ColorDeEntero(muestra_.ColorTexto), this);
    if (!color)
        return;
    muestra_.ColorTexto = EnteroDeColor(*color);
    MostrarMuestra();
    cmdAplicar->setEnabled(true);
}

void frmConfigLista::cmdColorFondo_Click() {
    const auto color = servicios().ElegirColor(ColorDeEntero(muestra_.ColorFondo), this);
    if (!color)
        return;
    muestra_.ColorFondo = EnteroDeColor(*color);
    MostrarMuestra();
    cmdAplicar->setEnabled(true);
}

void frmConfigLista::cmdFuenteTexto_Click() {
    const auto fuente = servicios().ElegirFuente(FuenteDeEstilo(muestra_), this);
    if (!fuente)
        return;
    TomarFuente(muestra_, *fuente);
    MostrarMuestra();
    cmdAplicar->setEnabled(true);
}

void frmConfigLista::cmdAceptar_Click() {
    if (cmdAplicar->isEnabled())
        cmdAplicar_Click();
    accept();
}

void frmConfigLista::cmdCancelar_Click() {
    reject();
}

// The list window takes its options first (columns, search, its song list reloaded), then the run takes
// the lyric style that song windows opened from now on copy.
void frmConfigLista::cmdAplicar_Click() {
    Lista::OpcionesLista opciones;
    opciones.ColumnaAutor = chkAutor->isChecked();
    opciones.ColumnaTitulo = chkTitulo->isChecked();
    opciones.ColumnaExtension = chkExtension->isChecked();
    opciones.ColumnaTamano = chkTamano->isChecked();
    opciones.ColumnaLetra = chkLirycs->isChecked();
    opciones.BusquedaInteligente = chkBusquedaInteligente->isChecked() && chkBusquedaInteligente->isEnabled();
    emit Aplicar(opciones);
    Estado::EstiloLetras = muestra_;
    cmdAplicar->setEnabled(false);
}
