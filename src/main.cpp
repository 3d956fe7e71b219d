#include "shell/Aplicacion.h"
#include "shell/Ventanas.h"
#include "shell/frmLoader.h"
#include "store/BBDD.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// Windows still open when the run ends (song windows, the about box) go without their closing steps.
void DescartarVentanasRestantes() {
    QList<QPointer<QWidget>> restantes;
    for (QWidget* ventana : QApplication::topLevelWidgets())
        if (!ventana->parentWidget())
            restantes << ventana;
    for (const QPointer<QWidget>& ventana : restantes)
        delete ventana.data();
}

} // namespace

int main(int argc, char** argv) {
    Aplicacion aplicacion(argc, argv);

    // Qt's own buttons and dialogs speak Spanish: "Sí", "No", "Cancelar".
    QTranslator traduccionQt;
    if (traduccionQt.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduccionQt);

    bool arrancado = false;
    {
        frmLoader presentacion;
        arrancado = presentacion.Form_Load();
    }
    const int resultado = arrancado ? QApplication::exec() : 1;

    BBDD::CerrarBaseDatos();
    Ventanas::Destruir();
    DescartarVentanasRestantes();
    return resultado;
}
