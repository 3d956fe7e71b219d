#pragma once
// What a list over a model shows, read as the user reads it: the text of a cell, the rows' lines, the
// count of rows; and choosing rows as a click does.

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QStringList>

#include <initializer_list>

inline int Filas(const QAbstractItemView* vista) {
    return vista->model()->rowCount();
}

inline QString Celda(const QAbstractItemView* vista, int fila, int columna = 0) {
    return vista->model()->index(fila, columna).data().toString();
}

// Every cell of one row, in column order.
inline QStringList CeldasFila(const QAbstractItemView* vista, int fila) {
    QStringList celdas;
    for (int c = 0; c < vista->model()->columnCount(); ++c)
        celdas << Celda(vista, fila, c);
    return celdas;
}

// The first column of every row: the lines of a one-column list.
inline QStringList Lineas(const QAbstractItemView* vista) {
    QStringList lineas;
    for (int k = 0; k < Filas(vista); ++k)
        lineas << Celda(vista, k);
    return lineas;
}

inline void SeleccionarFilas(QAbstractItemView* vista, std::initializer_list<int> filas) {
    vista->clearSelection();
    for (int fila : filas)
        vista->selectionModel()->select(vista->model()->index(fila, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
