#pragma once
// The error barrier of the windows' handlers: an error of the database layer raised in a handler
// becomes a Spanish message box with its number and description, and the window goes on working. No
// exception ever reaches Qt's event loop. Every handler that a window connects in its Conectar() goes
// through it:
//
//     connect(TreeViewLista, &QTreeWidget::itemClicked, this, Protegido(this,
//     &frmLista::TreeViewLista_Click)); connect(boton, &QPushButton::clicked, this, Protegido(this, [this] {
//     ... }));
//
// A flag lowered by an RAII guard (GestorArboles::Pausa) is raised again as the error unwinds.

#include "store/Dao.h"

#include <QWidget>

#include <utility>

// Runs accion; an ErrorBD it raises is shown to the user over ventana. Returns whether it ended well.
bool BarreraErrores(QWidget* ventana, const std::function<void()>& accion);

// The message of an error of the layer: "Error nº 3420:", a blank line, the description.
void MostrarErrorBD(QWidget* ventana, const dao::ErrorBD& error);

// A slot that runs the window's handler behind the barrier, taking from the signal the arguments the
// handler wants.
template <typename Ventana, typename... Argumentos>
auto Protegido(Ventana* ventana, void (Ventana::*manejador)(Argumentos...)) {
    return [ventana, manejador](Argumentos... argumentos) {
        BarreraErrores(ventana, [&] { (ventana->*manejador)(argumentos...); });
    };
}

// The same for a handler written in place (a lambda without arguments).
template <typename Accion>
requires std::is_invocable_v<Accion>
auto Protegido(QWidget* ventana, Accion accion) {
    return [ventana, accion = std::move(accion)] { BarreraErrores(ventana, accion); };
}
