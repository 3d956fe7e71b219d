#pragma once
// The platform services of the running program, through Qt.

#include "shell/Servicios.h"

class QtServicios : public Servicios {
public:
    RespuestaMensaje MsgBox(const Mensaje& mensaje, QWidget* padre) override;
    std::optional<QColor> ElegirColor(const QColor& inicial, QWidget* padre) override;
    std::optional<QFont> ElegirFuente(const QFont& inicial, QWidget* padre) override;
    std::optional<QString> FicheroAbrir(const QString& titulo, const QString& filtro,
                                        QWidget* padre) override;
    std::optional<QString> FicheroGuardar(const QString& titulo, const QString& nombre, const QString& filtro,
                                          QWidget* padre) override;
    bool AbrirConVisor(const QString& ruta) override;
    QString DirectorioPrograma() const override;
    QSize TamanoPantalla() const override;
    QStringList Volumenes() const override;
};
