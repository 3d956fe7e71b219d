#pragma once
// The menus that the three main windows share: "&Ver" (switching between them and "&Salir") and "&?"
// ("&Ayuda" and "A&cerca de").

class QMainWindow;
class QMenu;

enum class VentanaPrincipal { Actualizacion, Consultas, Lista };

// Adds "&Ver" to the window's menu bar: "&Actualización" (Ctrl+A), "&Consultas" (Ctrl+C), "&Lista"
// (Ctrl+L), a separator and "&Salir". The item naming the window itself is checked and inert; the others
// show their window at this window's position and hide this one.
QMenu* AnadirMenuVer(QMainWindow* ventana, VentanaPrincipal propia);
// Adds "&?" to the window's menu bar: "&Ayuda", a separator and "A&cerca de".
QMenu* AnadirMenuAyuda(QMainWindow* ventana);

// Shows the main window destino where ventana stands and hides ventana. The query workspace first
// returns to its normal state, so that the next window takes its normal position.
void CambiarVentana(QMainWindow* ventana, VentanaPrincipal propia, VentanaPrincipal destino);
// Opens the about box in ventana's place.
void AbrirAcercaDe(QMainWindow* ventana);

// Ends the run: the song windows with unsaved changes are asked whether to save them, then the main
// windows are unloaded, the database closed (errors ignored) and the application quits; nothing else of
// the song windows' closing steps runs. When a lyric could not be saved nothing ends and false is
// returned: the program stays open with the text in its window. Every main window calls it when it is
// closed, and refuses the close on false.
bool TerminarPrograma();
