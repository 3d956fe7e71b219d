#pragma once
// Everything outside the program that a window asks for: message boxes, common dialogs, the system's
// viewer, the program's directory, the screen and the volumes. The running program uses QtServicios;
// tests install a scripted implementation that answers in order and records what the user would see.

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

enum class IconoMensaje { Ninguno, Critico, Pregunta, Exclamacion, Informacion };
enum class BotonesMensaje { Aceptar, AceptarCancelar, SiNo, SiNoCancelar, ReintentarCancelar };
enum class RespuestaMensaje { Aceptar, Cancelar, Si, No, Reintentar };

struct Mensaje {
    QString texto;
    QString titulo; // empty: the program's title, "Cantorio"
    BotonesMensaje botones = BotonesMensaje::Aceptar;
    IconoMensaje icono = IconoMensaje::Ninguno;
    // The button that Enter presses; empty: the first.
    std::optional<RespuestaMensaje> predeterminado;
};

// The button that Enter presses: the one the message names, otherwise the first of its set.
RespuestaMensaje BotonPredeterminado(const Mensaje& mensaje);

class Servicios {
public:
    virtual ~Servicios() = default;

    virtual RespuestaMensaje MsgBox(const Mensaje& mensaje, QWidget* padre = nullptr) = 0;
    // The common dialogs report a cancel as an empty optional.
    virtual std::optional<QColor> ElegirColor(const QColor& inicial, QWidget* padre = nullptr) = 0;
    virtual std::optional<QFont> ElegirFuente(const QFont& inicial, QWidget* padre = nullptr) = 0;
    virtual std::optional<QString> FicheroAbrir(const QString& titulo, const QString& filtro,
                                                QWidget* padre = nullptr) = 0;
    // nombre: the file name the dialog proposes (empty: none).
    virtual std::optional<QString> FicheroGuardar(const QString& titulo, const QString& nombre,
                                                  const QString& filtro, QWidget* padre = nullptr) = 0;
    // Hands a file to the system's viewer without waiting; false when the system has no viewer to
    // hand it to.
    virtual bool AbrirConVisor(const QString& ruta) = 0;
    virtual QString DirectorioPrograma() const = 0;
    // In twips (15 per pixel).
    virtual QSize TamanoPantalla() const = 0;
    // Root directories of the mounted volumes, as the drive selector lists them.
    virtual QStringList Volumenes() const = 0;
};

// The services of the run: QtServicios unless a test installed others.
Servicios& servicios();
void InstalarServicios(std::unique_ptr<Servicios> nuevos);

// A message box with only an OK button; an empty title is the program's.
void Avisar(QWidget* padre, const QString& texto, const QString& titulo, IconoMensaje icono);
