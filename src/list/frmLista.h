#pragma once
// The list window "Cantorio - Lista": the catalogue tree and the songs of the selected route.

#include <QHash>
#include <QMainWindow>
#include <QPixmap>

class ArbolNodos;
class QAction;
class QLabel;
class QTreeWidget;

class frmLista : public QMainWindow {
    Q_OBJECT
public:
    explicit frmLista(QWidget* padre = nullptr);

    ArbolNodos* TreeViewLista;
    QTreeWidget* ListaListView;
    QAction* mnuOpcionesGuardarSincronismo;

    // The tool row, framed by imgIzda and imgDcha, and its pictures by key ("peq_...").
    QHash<QString, QPixmap> ImageList;
    QLabel* imgIzda;
    QLabel* imgExpandRaiz;
    QLabel* imgSep1;
    QLabel* imgExpandCabecera;
    QLabel* imgSep2;
    QLabel* imgExpandRuta;
    QLabel* imgSep3;
    QLabel* imgImprimir;
    QLabel* imgDcha;

public slots:
    void TreeViewLista_Click();
};
