#pragma once
// The query workspace "Cantorio - Consultas": a multiple-document window holding the result windows.

#include <QMainWindow>

class QMdiArea;

class frmConsultas : public QMainWindow {
    Q_OBJECT
public:
    explicit frmConsultas(QWidget* padre = nullptr);

    QMdiArea* EspacioHijas;
};
