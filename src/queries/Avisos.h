#pragma once
// A message box with only an OK button, through the platform services.

#include "shell/Servicios.h"

// An empty title is the program's.
void Avisar(QWidget* padre, const QString& texto, const QString& titulo, IconoMensaje icono);
