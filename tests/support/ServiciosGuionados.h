#pragma once
// Platform services for tests: message boxes are answered from a script, in order, and every message is
// recorded with its text, title, buttons and icon, so a test can assert what a user would have seen.

#include "shell/Servicios.h"

#include <deque>
#include <vector>

class ServiciosGuionados : public Servicios {
public:
    RespuestaMensaje MsgBox(const Mensaje& mensaje, QWidget* padre) override;
    std::optional<QColor> ElegirColor(const QColor& inicial, QWidget* padre) override;
    std::optional<QFont> ElegirFuente(const QFont& inicial, QWidget* padre) override;
    std::optional<QString> FicheroAbrir(const QString& titulo, const QString& filtro,
                                        QWidget* padre) override;
    std::optional<QString> FicheroGuardar(const QString& titulo, const QString& nombre, const QString& filtro,
                                          QWidget* padre) override;
    bool AbrirConVisor(const QString& ruta) override;
    QString DirectorioPrograma() const override { return directorioPrograma; }
    QSize TamanoPantalla() const override { return pantalla; }
    QStringList Volumenes() const override { return volumenes; }

    // Answers to the next message boxes, in order; once they run out, the default button (as Enter).
    std::deque<RespuestaMensaje> respuestas;
    // Every message box shown, in order.
    std::vector<Mensaje> mensajes;
    // Answers to the next colour, font and file dialogs; nullopt (or none left) is a cancel.
    std::deque<std::optional<QColor>> colores;
    std::deque<std::optional<QFont>> fuentes;
    // What each colour and font dialog opened with, in order.
    std::vector<QColor> coloresIniciales;
    std::vector<QFont> fuentesIniciales;
    std::deque<std::optional<QString>> ficheros;
    // The title and the proposed name of each file dialog shown, in order (no name for an open dialog).
    std::vector<std::pair<QString, QString>> dialogosFichero;
    // Files handed to the system's viewer, and whether the system has one.
    QStringList abiertos;
    bool hayVisor = true;

    QString directorioPrograma;
    QSize pantalla{19200, 14400}; // 1280 x 960 pixels
    QStringList volumenes;
};

// Replaces the services of the run by fresh scripted ones and returns them.
ServiciosGuionados& InstalarServiciosGuionados();
