#pragma once
// The menus that the three main windows share: "&Ver" (switching between them and "&Salir") and "&?"
// ("&Ayuda" and "A&cerca de").

class QMainWindow;
class QMenu;

enum class VentanaPrincipal { Actualizacion, Consultas, Lista };

// Adds "&Ver" to the window's menu bar; the item naming the window itself is checked and inert.
QMenu* AnadirMenuVer(QMainWindow* ventana, VentanaPrincipal propia);
// Adds "&?" to the window's menu bar.
QMenu* AnadirMenuAyuda(QMainWindow* ventana);

// Ends the run at once: the other main windows are unloaded, the database closed (errors ignored) and
// the application quits. Every main window calls it when it is closed.
void TerminarPrograma();
