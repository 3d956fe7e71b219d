#include "utilities/frmImprimirArbol.h"

#include "shell/BarreraErrores.h"
#include "shell/Estado.h"
#include "shell/Servicios.h"
#include "shell/Twips.h"
#include "store/BBDD.h"
#include "store/CatalogoUtilidades.h"
#include "utilities/ListadoArbol.h"
#include "utilities/ProgresoVentana.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr quint32 Blanco = 16777215;
constexpr quint32 Gris = 12303291;
constexpr int AltoInicial = 3600;     // twips: the progress bar stays hidden below
constexpr int AltoConProgreso = 4185; // twips: the window grows to show it
constexpr int Ancho = 6150;

template <typename T>
T* Control(T* control, const char* nombre, int izquierda, int arriba, int ancho, int alto) {
    control->setObjectName(QLatin1String(nombre));
    control->setGeometry(Pixeles(izquierda), Pixeles(arriba), Pixeles(ancho), Pixeles(alto));
    return control;
}

void Lista(QComboBox* lista, bool habilitada) {
    lista->setEnabled(habilitada);
    ColorFondo(lista, habilitada ? Blanco : Gris);
}

} // namespace

frmImprimirArbol::frmImprimirArbol(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Imprimir Árbol"));
    setAttribute(Qt::WA_DeleteOnClose);
    Frame1 = Control(new QGroupBox(QStringLiteral("Desde:"), this), "Frame1", 120, 90, 5910, 1650);
    optRaiz = Control(new QRadioButton(QStringLiteral("&Raíz"), Frame1), "optRaiz", 150, 330, 1400, 330);
    optCabecera =
        Control(new QRadioButton(QStringLiteral("&Cabecera"), Frame1), "optCabecera", 150, 750, 1400, 330);
    optRuta = Control(new QRadioButton(QStringLiteral("&Ruta"), Frame1), "optRuta", 150, 1170, 1400, 330);
    comboCabecera = Control(new QComboBox(Frame1), "comboCabecera", 1650, 720, 4080, 360);
    comboRuta = Control(new QComboBox(Frame1), "comboRuta", 1650, 1140, 4080, 360);
    lblFichero = Control(new QLabel(QStringLiteral("&Fichero:"), this), "lblFichero", 120, 1950, 900, 330);
    txtFichero = Control(new QLineEdit(this), "txtFichero", 1020, 1920, 3855, 360);
    cmdBrowse = Control(new QPushButton(QStringLiteral("&Browse"), this), "cmdBrowse", 4980, 1905, 1050, 390);
    chkImprimirFicheros = Control(new QCheckBox(QStringLiteral("&Imprimir Ficheros"), this),
                                  "chkImprimirFicheros", 120, 2460, 2800, 330);
    cmdOK = Control(new QPushButton(QStringLiteral("&OK"), this), "cmdOK", 3240, 2910, 1350, 420);
    cmdCancel =
        Control(new QPushButton(QStringLiteral("C&ancelar"), this), "cmdCancel", 4680, 2910, 1350, 420);
    ProgressBar = Control(new QProgressBar(this), "ProgressBar", 120, 3660, 5910, 330);
    lblFichero->setBuddy(txtFichero);
    optRaiz->setChecked(true);
    chkImprimirFicheros->setChecked(true);
    Lista(comboCabecera, false);
    Lista(comboRuta, false);
    ProgressBar->setRange(0, 100);
    // Enter in the file name writes the listing, and only once: no button takes Enter for itself.
    for (QPushButton* boton : {cmdOK, cmdCancel, cmdBrowse})
        boton->setAutoDefault(false);
    setFixedWidth(Pixeles(Ancho));
    Conectar();
    BarreraErrores(this, [this] { Form_Load(); });
}

void frmImprimirArbol::Conectar() {
    connect(optRaiz, &QRadioButton::clicked, this, Protegido(this, &frmImprimirArbol::optRaiz_Click));
    connect(optCabecera, &QRadioButton::clicked, this, Protegido(this, &frmImprimirArbol::optCabecera_Click));
    connect(optRuta, &QRadioButton::clicked, this, Protegido(this, &frmImprimirArbol::optRuta_Click));
    connect(comboCabecera, &QComboBox::activated, this,
            Protegido(this, &frmImprimirArbol::comboCabecera_Click));
    connect(cmdBrowse, &QPushButton::clicked, this, Protegido(this, &frmImprimirArbol::cmdBrowse_Click));
    connect(txtFichero, &QLineEdit::returnPressed, this,
            Protegido(this, &frmImprimirArbol::txtFichero_KeyPress));
    connect(cmdOK, &QPushButton::clicked, this, Protegido(this, &frmImprimirArbol::cmdOK_Click));
    connect(cmdCancel, &QPushButton::clicked, this, Protegido(this, &frmImprimirArbol::cmdCancel_Click));
}

void frmImprimirArbol::Alto(int twips) {
    setFixedHeight(Pixeles(twips));
}

void frmImprimirArbol::Form_Load() {
    Alto(AltoInicial);
    comboCabecera->clear();
    comboCabecera->addItems(catalogo::Cabeceras(*BBDD::BaseDatos));
    CabeceraRecordada = comboCabecera->count() > 0 ? comboCabecera->itemText(0) : QString();
    comboCabecera->setCurrentIndex(-1);
}

void frmImprimirArbol::LlenarRutas(const QString& cabecera) {
    comboRuta->clear();
    comboRuta->addItems(catalogo::RutasDe(*BBDD::BaseDatos, cabecera));
    comboRuta->setCurrentIndex(comboRuta->count() > 0 ? 0 : -1);
}

void frmImprimirArbol::optRaiz_Click() {
    Lista(comboRuta, false);
    comboRuta->clear();
    Lista(comboCabecera, false);
    comboCabecera->setCurrentIndex(-1);
}

void frmImprimirArbol::optCabecera_Click() {
    Lista(comboCabecera, true);
    comboCabecera->setCurrentIndex(comboCabecera->findText(CabeceraRecordada, Qt::MatchExactly));
    Lista(comboRuta, false);
    comboRuta->clear();
}

void frmImprimirArbol::optRuta_Click() {
    Lista(comboCabecera, true);
    Lista(comboRuta, true);
    comboCabecera->setCurrentIndex(comboCabecera->findText(CabeceraRecordada, Qt::MatchExactly));
    LlenarRutas(comboCabecera->currentText());
}

void frmImprimirArbol::comboCabecera_Click() {
    CabeceraRecordada = comboCabecera->currentText();
    if (optRuta->isChecked())
        LlenarRutas(CabeceraRecordada);
}

void frmImprimirArbol::cmdBrowse_Click() {
    if (const auto fichero = servicios().FicheroGuardar(windowTitle(), txtFichero->text(), QString(), this))
        txtFichero->setText(*fichero);
}

void frmImprimirArbol::txtFichero_KeyPress() {
    cmdOK_Click();
}

void frmImprimirArbol::cmdOK_Click() {
    if (txtFichero->text().isEmpty()) {
        Avisar(this, QStringLiteral("Debe introducir un nombre de Fichero!!!"), QStringLiteral("ERROR"),
               IconoMensaje::Exclamacion);
        return;
    }
    cmdOK->setEnabled(false);
    cmdCancel->setEnabled(false);
    ProgressBar->setValue(0);
    Alto(AltoConProgreso);
    RepintarVentana(this);

    OpcionesListado opciones;
    opciones.ficheros = chkImprimirFicheros->isChecked();
    opciones.version = Estado::VersionPrograma;
    if (optCabecera->isChecked() || optRuta->isChecked())
        opciones.alcance.cabecera = comboCabecera->currentText();
    if (optRuta->isChecked())
        opciones.alcance.ruta = comboRuta->currentText();
    ProgresoVentana progreso(ProgressBar);
    // A listing that cannot be written is told, and the window is left as it was for another try.
    auto fallo = [this](const QString& mensaje) {
        Avisar(this, mensaje, QStringLiteral("ERROR"), IconoMensaje::Critico);
        cmdOK->setEnabled(true);
        cmdCancel->setEnabled(true);
        Alto(AltoInicial);
    };
    try {
        EscribirListado(*BBDD::BaseDatos, txtFichero->text(), opciones, progreso);
    } catch (const FalloFichero& error) {
        return fallo(error.Mensaje());
    } catch (const dao::ErrorBD& error) {
        return fallo(QStringLiteral("Error %1: %2").arg(error.Numero()).arg(error.Descripcion()));
    }
    hide();
    Avisar(this, QStringLiteral("Operación terminada con éxito"), QString(), IconoMensaje::Informacion);
    accept();
}

void frmImprimirArbol::cmdCancel_Click() {
    reject();
}
