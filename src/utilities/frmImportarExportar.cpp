#include "utilities/frmImportarExportar.h"

#include "shell/BarreraErrores.h"
#include "shell/Estado.h"
#include "shell/Servicios.h"
#include "store/BBDD.h"
#include "trees/ArbolesVentanas.h"
#include "utilities/FicheroExportacion.h"
#include "utilities/ProgresoVentana.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {
constexpr quint32 Blanco = 16777215;
constexpr quint32 GrisClaro = 12632256;
} // namespace

frmImportarExportar::frmImportarExportar(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Importar Base de Datos"));
    setAttribute(Qt::WA_DeleteOnClose);
    Label1 = new QLabel(QStringLiteral("Fichero:"), this);
    txtFilename = new QLineEdit(this);
    cmdBrowse = new QPushButton(QStringLiteral("&Browse"), this);
    chkEncriptado = new QCheckBox(QStringLiteral("Password:"), this);
    txtPassword = new QLineEdit(this);
    cmdOK = new QPushButton(QStringLiteral("&Importar"), this);
    cmdCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    ProgressBar = new QProgressBar(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtFilename->setObjectName(QStringLiteral("txtFilename"));
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    chkEncriptado->setObjectName(QStringLiteral("chkEncriptado"));
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));

    ColorFondo(txtFilename, Blanco);
    txtPassword->setReadOnly(true);
    ColorFondo(txtPassword, GrisClaro);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    cmdOK->setDefault(true);

    auto* rejilla = new QGridLayout(this);
    rejilla->addWidget(Label1, 0, 0);
    rejilla->addWidget(txtFilename, 0, 1, 1, 2);
    rejilla->addWidget(cmdBrowse, 0, 3);
    rejilla->addWidget(chkEncriptado, 1, 0);
    rejilla->addWidget(txtPassword, 1, 1);
    rejilla->addWidget(cmdOK, 2, 2);
    rejilla->addWidget(cmdCancel, 2, 3);
    rejilla->addWidget(ProgressBar, 3, 0, 1, 4);
    rejilla->setColumnStretch(1, 1);
    rejilla->setColumnStretch(2, 1);
    resize(460, sizeHint().height());
    Conectar();
}

void frmImportarExportar::Conectar() {
    connect(cmdBrowse, &QPushButton::clicked, this, Protegido(this, &frmImportarExportar::cmdBrowse_Click));
    connect(chkEncriptado, &QCheckBox::clicked, this,
            Protegido(this, &frmImportarExportar::chkEncriptado_Click));
    connect(cmdOK, &QPushButton::clicked, this, Protegido(this, &frmImportarExportar::cmdOK_Click));
    connect(cmdCancel, &QPushButton::clicked, this, Protegido(this, &frmImportarExportar::cmdCancel_Click));
}

bool frmImportarExportar::ModoImportar() const {
    return cmdOK->text() == QLatin1String("&Importar");
}

std::optional<QString> frmImportarExportar::Clave() const {
    if (!chkEncriptado->isChecked())
        return std::nullopt;
    return txtPassword->text();
}

void frmImportarExportar::cmdBrowse_Click() {
    const std::optional<QString> fichero =
        ModoImportar() ? servicios().FicheroAbrir(windowTitle(), QString(), this)
                       : servicios().FicheroGuardar(windowTitle(), QString(), QString(), this);
    if (fichero)
        txtFilename->setText(*fichero);
}

void frmImportarExportar::chkEncriptado_Click() {
    const bool marcado = chkEncriptado->isChecked();
    ColorFondo(txtPassword, marcado ? Blanco : GrisClaro);
    txtPassword->setReadOnly(!marcado);
}

void frmImportarExportar::cmdOK_Click() {
    if (txtFilename->text().isEmpty()) {
        Avisar(this, QStringLiteral("¡Debe introducir un Nombre de Fichero!"), QStringLiteral("ERROR"),
               IconoMensaje::Informacion);
        return;
    }
    if (chkEncriptado->isChecked() && txtPassword->text().isEmpty()) {
        Avisar(this, QStringLiteral("¡Debe introducir una Clave!"), QStringLiteral("ERROR"),
               IconoMensaje::Informacion);
        return;
    }
    if (ModoImportar())
        Importar();
    else
        Exportar();
}

void frmImportarExportar::Exportar() {
    Habilitar(false);
    ProgresoVentana progreso(ProgressBar);
    try {
        ExportarCanciones(*BBDD::BaseDatos, txtFilename->text(), Estado::VersionPrograma, Clave(), progreso);
    } catch (const FalloFichero& fallo) {
        Habilitar(true);
        if (fallo.Tipo() == FalloFichero::Clase::Apertura)
            Avisar(this, QStringLiteral("Error en el Nombre del Fichero!"), QStringLiteral("ERROR!"),
                   IconoMensaje::Exclamacion);
        else
            Avisar(this, fallo.Mensaje(), QStringLiteral("ERROR!"), IconoMensaje::Exclamacion);
        return;
    } catch (const dao::ErrorBD& error) {
        Habilitar(true);
        Avisar(this, QStringLiteral("Error %1: %2").arg(error.Numero()).arg(error.Descripcion()),
               QStringLiteral("ERROR!"), IconoMensaje::Exclamacion);
        return;
    }
    ProgressBar->setValue(ProgressBar->maximum());
    Terminar();
}

void frmImportarExportar::Importar() {
    ProgressBar->setValue(0);
    Habilitar(false);
    ProgresoVentana progreso(ProgressBar);
    try {
        ImportarCanciones(*BBDD::BaseDatos, txtFilename->text(), Clave(), progreso);
    } catch (const FalloFichero& fallo) {
        Habilitar(true);
        if (fallo.Tipo() == FalloFichero::Clase::Apertura)
            Avisar(this, QStringLiteral("No se encontró el fichero!"), QStringLiteral("ERROR!"),
                   IconoMensaje::Exclamacion);
        else
            Avisar(this, fallo.Mensaje(), QStringLiteral("ERROR!"), IconoMensaje::Exclamacion);
        return;
    } catch (const dao::ErrorBD& error) {
        Habilitar(true);
        Avisar(this,
               QStringLiteral("No se ha añadido ninguna canción.\nError %1: %2")
                   .arg(error.Numero())
                   .arg(error.Descripcion()),
               QStringLiteral("ERROR!"), IconoMensaje::Exclamacion);
        return;
    }
    // New headers and routes: the connection and the trees start again, the bar following the fill.
    BBDD::CerrarBaseDatos();
    BBDD::AbrirBaseDatos();
    VaciarArboles();
    CargarArboles(this);
    Terminar();
}

void frmImportarExportar::Habilitar(bool habilitar) {
    cmdOK->setEnabled(habilitar);
    cmdCancel->setEnabled(habilitar);
    cmdBrowse->setEnabled(habilitar);
    RepintarVentana(this);
}

void frmImportarExportar::Terminar() {
    hide();
    // The export file holds no lyric: whoever keeps it as a backup must know.
    const QString texto =
        ModoImportar()
            ? QStringLiteral("Proceso terminado con éxito")
            : QStringLiteral("Proceso terminado con éxito.\n\nEl fichero guarda las canciones del "
                             "catálogo, pero no sus letras: no es una copia de seguridad completa.");
    Avisar(this, texto, QStringLiteral("Importar"), IconoMensaje::Informacion);
    accept();
}

void frmImportarExportar::cmdCancel_Click() {
    reject();
}
