#include "shell/MenusComunes.h"

#include "lyrics/frmCancion.h"
#include "shell/Posicion.h"
#include "shell/Rutas.h"
#include "shell/Servicios.h"
#include "shell/Ventanas.h"
#include "shell/frmAbout.h"
#include "store/BBDD.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace {

// Where a maximised or minimised window stands once it is back to its normal state. The normal geometry
// is the client area; the frame's offset is taken from the current geometry.
QPoint PosicionNormal(const QWidget& ventana) {
    if (!(ventana.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return ventana.pos();
    const QPoint marco = ventana.geometry().topLeft() - ventana.frameGeometry().topLeft();
    return ventana.normalGeometry().topLeft() - marco;
}

// Without a viewer the system would open nothing and say nothing: the user is told where the page is.
void AbrirAyuda(QWidget* ventana) {
    const QString pagina = RutaAyuda(servicios().DirectorioPrograma());
    if (!servicios().AbrirConVisor(pagina))
        Avisar(ventana,
               QStringLiteral("No se puede abrir la ayuda: el sistema no tiene un visor de páginas web. "
                              "La ayuda está en: ") +
                   pagina,
               {}, IconoMensaje::Exclamacion);
}

} // namespace

QMenu* AnadirMenuVer(QMainWindow* ventana, VentanaPrincipal propia) {
    struct Elemento {
        VentanaPrincipal cual;
        const char* nombre;
        QString texto;
        QKeySequence atajo;
    };
    const Elemento elementos[] = {
        {VentanaPrincipal::Actualizacion, "mnuVerActualizacion", QStringLiteral("&Actualización"),
         QKeySequence(Qt::CTRL | Qt::Key_A)},
        {VentanaPrincipal::Consultas, "mnuVerConsultas", QStringLiteral("&Consultas"),
         QKeySequence(Qt::CTRL | Qt::Key_C)},
        {VentanaPrincipal::Lista, "mnuVerLista", QStringLiteral("&Lista"),
         QKeySequence(Qt::CTRL | Qt::Key_L)},
    };
    QMenu* menu = ventana->menuBar()->addMenu(QStringLiteral("&Ver"));
    menu->setObjectName(QStringLiteral("mnuVer"));
    for (const Elemento& elemento : elementos) {
        QAction* accion = menu->addAction(elemento.texto);
        accion->setObjectName(QString::fromLatin1(elemento.nombre));
        accion->setShortcut(elemento.atajo);
        if (elemento.cual == propia) {
            // A check mark, kept when the item is chosen again.
            accion->setCheckable(true);
            accion->setChecked(true);
            QObject::connect(accion, &QAction::triggered, accion, [accion] { accion->setChecked(true); });
        } else {
            QObject::connect(
                accion, &QAction::triggered, ventana,
                [ventana, propia, destino = elemento.cual] { CambiarVentana(ventana, propia, destino); });
        }
    }
    menu->addSeparator();
    QAction* salir = menu->addAction(QStringLiteral("&Salir"));
    salir->setObjectName(QStringLiteral("mnuVerSalir"));
    QObject::connect(salir, &QAction::triggered, ventana, [] { TerminarPrograma(); });
    return menu;
}

QMenu* AnadirMenuAyuda(QMainWindow* ventana) {
    QMenu* menu = ventana->menuBar()->addMenu(QStringLiteral("&?"));
    menu->setObjectName(QStringLiteral("mnuAyuda"));
    QAction* ayuda = menu->addAction(QStringLiteral("&Ayuda"));
    ayuda->setObjectName(QStringLiteral("mnuAyudaAyuda"));
    QObject::connect(ayuda, &QAction::triggered, ventana, [ventana] { AbrirAyuda(ventana); });
    menu->addSeparator();
    QAction* acercaDe = menu->addAction(QStringLiteral("A&cerca de"));
    acercaDe->setObjectName(QStringLiteral("mnuAyudaAcercaDe"));
    QObject::connect(acercaDe, &QAction::triggered, ventana, [ventana] { AbrirAcercaDe(ventana); });
    return menu;
}

void CambiarVentana(QMainWindow* ventana, VentanaPrincipal propia, VentanaPrincipal destino) {
    if (propia == VentanaPrincipal::Consultas) {
        RecordarPosicion(PosicionNormal(*ventana));
        ventana->setWindowState(ventana->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    } else {
        RecordarPosicion(*ventana);
    }
    QMainWindow& nueva = Ventanas::Principal(destino);
    MoverAPosicionCompartida(nueva);
    nueva.show();
    ventana->hide();
}

void AbrirAcercaDe(QMainWindow* ventana) {
    auto* acercaDe = new frmAbout;
    RecordarPosicion(*ventana);
    MoverAPosicionCompartida(*acercaDe);
    acercaDe->Anterior = ventana;
    acercaDe->show();
    ventana->hide();
}

bool TerminarPrograma() {
    // Closing the other main windows runs their close handlers, which call here again.
    static bool terminando = false;
    if (terminando)
        return true;
    // Lyrics typed and not saved are never lost without a question, nor when saving them fails.
    if (!frmCancion::GuardarAbiertasAlTerminar())
        return false;
    terminando = true;
    for (QMainWindow* ventana : Ventanas::Principales())
        ventana->close();
    BBDD::CerrarBaseDatos();
    // exit, not quit: quit would offer every open window a close first, and the run ends without the
    // closing steps of the song windows.
    QCoreApplication::exit(0);
    terminando = false;
    return true;
}
