#include "shell/QtServicios.h"

#include "shell/Twips.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStorageInfo>
#include <QUrl>

namespace {

QMessageBox::StandardButton boton(RespuestaMensaje respuesta) {
    switch (respuesta) {
    case RespuestaMensaje::Aceptar:
        return QMessageBox::Ok;
    case RespuestaMensaje::Cancelar:
        return QMessageBox::Cancel;
    case RespuestaMensaje::Si:
        return QMessageBox::Yes;
    case RespuestaMensaje::No:
        return QMessageBox::No;
    case RespuestaMensaje::Reintentar:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons botones(BotonesMensaje juego) {
    switch (juego) {
    case BotonesMensaje::Aceptar:
        return QMessageBox::Ok;
    case BotonesMensaje::AceptarCancelar:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case BotonesMensaje::SiNo:
        return QMessageBox::Yes | QMessageBox::No;
    case BotonesMensaje::SiNoCancelar:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case BotonesMensaje::ReintentarCancelar:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon icono(IconoMensaje clase) {
    switch (clase) {
    case IconoMensaje::Ninguno:
        return QMessageBox::NoIcon;
    case IconoMensaje::Critico:
        return QMessageBox::Critical;
    case IconoMensaje::Pregunta:
        return QMessageBox::Question;
    case IconoMensaje::Exclamacion:
        return QMessageBox::Warning;
    case IconoMensaje::Informacion:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

RespuestaMensaje respuesta(int pulsado) {
    switch (pulsado) {
    case QMessageBox::Yes:
        return RespuestaMensaje::Si;
    case QMessageBox::No:
        return RespuestaMensaje::No;
    case QMessageBox::Cancel:
        return RespuestaMensaje::Cancelar;
    case QMessageBox::Retry:
        return RespuestaMensaje::Reintentar;
    default:
        return RespuestaMensaje::Aceptar;
    }
}

} // namespace

RespuestaMensaje QtServicios::MsgBox(const Mensaje& mensaje, QWidget* padre) {
    QMessageBox caja(icono(mensaje.icono),
                     mensaje.titulo.isEmpty() ? QStringLiteral("Cantorio") : mensaje.titulo, mensaje.texto,
                     botones(mensaje.botones), padre);
    caja.setDefaultButton(boton(BotonPredeterminado(mensaje)));
    return respuesta(caja.exec());
}

std::optional<QColor> QtServicios::ElegirColor(const QColor& inicial, QWidget* padre) {
    const QColor elegido = QColorDialog::getColor(inicial, padre);
    if (!elegido.isValid())
        return std::nullopt;
    return elegido;
}

std::optional<QFont> QtServicios::ElegirFuente(const QFont& inicial, QWidget* padre) {
    bool aceptado = false;
    const QFont elegida = QFontDialog::getFont(&aceptado, inicial, padre);
    if (!aceptado)
        return std::nullopt;
    return elegida;
}

std::optional<QString> QtServicios::FicheroAbrir(const QString& titulo, const QString& filtro,
                                                 QWidget* padre) {
    const QString ruta = QFileDialog::getOpenFileName(padre, titulo, QString(), filtro);
    if (ruta.isEmpty())
        return std::nullopt;
    return ruta;
}

std::optional<QString> QtServicios::FicheroGuardar(const QString& titulo, const QString& nombre,
                                                   const QString& filtro, QWidget* padre) {
    const QString ruta = QFileDialog::getSaveFileName(padre, titulo, nombre, filtro);
    if (ruta.isEmpty())
        return std::nullopt;
    return ruta;
}

bool QtServicios::AbrirConVisor(const QString& ruta) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
}

QString QtServicios::DirectorioPrograma() const {
    return QCoreApplication::applicationDirPath();
}

QSize QtServicios::TamanoPantalla() const {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    const QSize pixeles = pantalla ? pantalla->size() : QSize(1024, 768);
    return {Twips(pixeles.width()), Twips(pixeles.height())};
}

QStringList QtServicios::Volumenes() const {
    QStringList raices;
    for (const QStorageInfo& volumen : QStorageInfo::mountedVolumes())
        if (volumen.isValid() && volumen.isReady())
            raices << volumen.rootPath();
    return raices;
}
