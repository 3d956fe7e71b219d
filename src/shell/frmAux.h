#pragma once
// Hidden window holding what several windows share: the tree pictures, the song window pictures and
// the two lists used while walking directories.

#include <QHash>
#include <QIcon>
#include <QWidget>

class QListWidget;

class frmAux : public QWidget {
    Q_OBJECT
public:
    explicit frmAux(QWidget* padre = nullptr);

    // "IMGRAIZCERRADO", "IMGRAIZABIERTO", "IMGCABECERA", "IMGDIRECTORIO"
    QHash<QString, QIcon> ImageList1;
    // "1" to "12"
    QHash<QString, QIcon> ImageListCancion;
    QListWidget* ListaDirs;
    QListWidget* ListaFichs;
};
