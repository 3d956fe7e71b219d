#include "queries/ModeloConsulta.h"

#include "store/Catalogo.h"

#include <QLocale>

using namespace Consultas;

void ModeloConsulta::PonerColumnas(std::vector<DefinicionColumna> columnas) {
    beginResetModel();
    columnas_ = std::move(columnas);
    endResetModel();
}

void ModeloConsulta::PonerFilas(std::vector<FilaConsulta> filas) {
    beginResetModel();
    filas_ = std::move(filas);
    endResetModel();
}

void ModeloConsulta::PonerMarca(catalogo::IdCancion id, const QString& marca) {
    for (int fila = 0; fila < rowCount(); ++fila) {
        if (filas_[fila].fila != id)
            continue;
        filas_[fila].marca = marca;
        for (int columna = 0; columna < columnCount(); ++columna)
            if (columnas_[columna].columna == Columna::Letras)
                emit dataChanged(index(fila, columna), index(fila, columna));
    }
}

QString ModeloConsulta::Texto(int fila, int columna) const {
    const FilaConsulta& f = filas_[fila];
    switch (columnas_[columna].columna) {
    case Columna::Cabecera:
        return f.textos[Cabecera];
    case Columna::Ruta:
        return f.textos[Ruta];
    case Columna::Autor:
        return f.textos[Autor];
    case Columna::Titulo:
        return f.textos[Titulo];
    case Columna::Extension:
        return f.textos[Extension];
    case Columna::Longitud:
        return catalogo::TextoTamano(f.longitud, QLocale());
    case Columna::Letras:
        return f.marca;
    }
    return {};
}

int ModeloConsulta::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(filas_.size());
}

int ModeloConsulta::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(columnas_.size());
}

QVariant ModeloConsulta::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    if (rol == Qt::DisplayRole)
        return Texto(indice.row(), indice.column());
    if (rol == Qt::TextAlignmentRole)
        return static_cast<int>(columnas_[indice.column()].alineacion | Qt::AlignVCenter);
    return {};
}

QVariant ModeloConsulta::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || seccion < 0 || seccion >= columnCount())
        return {};
    if (rol == Qt::DisplayRole)
        return columnas_[seccion].texto;
    if (rol == Qt::TextAlignmentRole)
        return static_cast<int>(columnas_[seccion].alineacion | Qt::AlignVCenter);
    return {};
}
