#include "shell/frmAux.h"

frmAux::frmAux(QWidget* padre) : QWidget(padre) {
    for (const char* clave : {"IMGRAIZCERRADO", "IMGRAIZABIERTO", "IMGCABECERA", "IMGDIRECTORIO"})
        ImageList1.insert(QString::fromLatin1(clave),
                          QIcon(QStringLiteral(":/imagenes/%1.svg").arg(QString::fromLatin1(clave))));
    // The song window's tool pictures by number, 1 to 12: normal, highlighted and pressed look of each
    // of its four tool images.
    for (int numero = 1; numero <= 12; ++numero)
        ImageListCancion.insert(QString::number(numero),
                                QIcon(QStringLiteral(":/imagenes/Cancion%1.svg").arg(numero)));
}
