#pragma once
// While it lives, a statement on the shared connection that runs longer than a moment shows a small
// dialog whose "Cancelar" stops it: the engine polls it through its watcher, and a stopped statement
// ends with an engine error. Only the dialog takes input while it is shown (it is application-modal),
// so nothing else can reach the database meanwhile.

#include <QElapsedTimer>
#include <memory>

class QProgressDialog;
class QWidget;

class ProgresoConsulta {
public:
    explicit ProgresoConsulta(QWidget* padre);
    ~ProgresoConsulta();
    ProgresoConsulta(const ProgresoConsulta&) = delete;
    ProgresoConsulta& operator=(const ProgresoConsulta&) = delete;

    // The user pressed "Cancelar".
    bool Cancelada() const { return cancelada_; }

    // How long a statement runs before the dialog appears.
    static constexpr int EsperaMilisegundos = 400;

private:
    bool Vigilar();

    QWidget* padre_;
    QElapsedTimer reloj_;
    qint64 ultimoRepaso_ = 0;
    std::unique_ptr<QProgressDialog> dialogo_;
    bool cancelada_ = false;
};
