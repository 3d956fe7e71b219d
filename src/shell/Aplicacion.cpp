#include "shell/Aplicacion.h"

#include "lyrics/frmCancion.h"
#include "shell/MenusComunes.h"

#include <QIcon>
#include <QSessionManager>

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Cantorio"));
    // Every window shows the program's own icon.
    setWindowIcon(QIcon(QStringLiteral(":/imagenes/cantorio.svg")));
    // The main windows only hide while the user switches between them; the run ends through
    // TerminarPrograma, and whatever window is closed last ends it too.
    setQuitOnLastWindowClosed(false);
    connect(this, &QGuiApplication::lastWindowClosed, this, [] { TerminarPrograma(); });
    // Connected directly, as the session manager asks: the answer must be given before the slot returns.
    connect(this, &QGuiApplication::commitDataRequest, this, &Aplicacion::GuardarAntesDeCerrarSesion,
            Qt::DirectConnection);
}

bool Aplicacion::event(QEvent* evento) {
    if (evento->type() != QEvent::Quit)
        return QApplication::event(evento);
    // Handled here, not by Qt's own closing of every window: the song windows' closing steps do not
    // run when the program ends.
    if (!TerminarPrograma())
        evento->ignore();
    return true;
}

void Aplicacion::GuardarAntesDeCerrarSesion(QSessionManager& sesion) {
    // Without leave to ask, nothing can be offered here; the request to quit that follows asks anyway.
    if (!sesion.allowsInteraction())
        return;
    const bool guardadas = frmCancion::GuardarAbiertasAlTerminar();
    sesion.release();
    if (!guardadas)
        sesion.cancel();
}
