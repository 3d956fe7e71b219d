#pragma once
// Hidden window holding the pictures several windows share: the tree's and the song window's.

#include <QHash>
#include <QIcon>
#include <QWidget>

class frmAux : public QWidget {
    Q_OBJECT
public:
    explicit frmAux(QWidget* padre = nullptr);

    // "IMGRAIZCERRADO", "IMGRAIZABIERTO", "IMGCABECERA", "IMGDIRECTORIO"
    QHash<QString, QIcon> ImageList1;
    // "1" to "12"
    QHash<QString, QIcon> ImageListCancion;
};
