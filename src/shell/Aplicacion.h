#pragma once
// The program's application object. Every way the run can end goes through TerminarPrograma, which
// first offers to save the lyrics typed in the song windows and keeps the program open when one could
// not be saved: "&Salir", closing a main window, the last window closed, a request to quit from outside
// the program, and the desktop session ending.

#include <QApplication>

class QSessionManager;

class Aplicacion : public QApplication {
    Q_OBJECT
public:
    Aplicacion(int& argc, char** argv);

protected:
    // A request to quit (the session manager's, the system's) ends the run as "&Salir" does; it is
    // refused while a lyric could not be saved.
    bool event(QEvent* evento) override;

private:
    // The session is ending: the lyrics are offered for saving while the user can still be asked, and
    // the logout is cancelled when one could not be saved.
    static void GuardarAntesDeCerrarSesion(QSessionManager& sesion);
};
