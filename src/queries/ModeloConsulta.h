#pragma once
// The rows of one result window as the list shows them: the shown columns in order, every cell taken
// from the rows held in memory, so painting never asks the database.

#include "queries/ColumnasConsulta.h"
#include "queries/FilasConsulta.h"

#include <QAbstractTableModel>

class ModeloConsulta : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void PonerColumnas(std::vector<Consultas::DefinicionColumna> columnas);
    void PonerFilas(std::vector<Consultas::FilaConsulta> filas);
    // The lyric mark of every row that shows the song id, as a song window tells it when it closes.
    void PonerMarca(catalogo::IdCancion id, const QString& marca);
    // The song a row shows, once found for a row that came without it.
    void PonerIdentidad(int fila, catalogo::IdCancion id) { filas_[fila].fila = id; }

    const std::vector<Consultas::DefinicionColumna>& Columnas() const { return columnas_; }
    const Consultas::FilaConsulta& Fila(int fila) const { return filas_[fila]; }
    // The cell as the list shows it; LONGITUD as "###,###,###,##0" with the locale's separator.
    QString Texto(int fila, int columna) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    std::vector<Consultas::DefinicionColumna> columnas_;
    std::vector<Consultas::FilaConsulta> filas_;
};
