#include "trees/ModeloCanciones.h"

ModeloCanciones::ModeloCanciones(QObject* padre) : QAbstractTableModel(padre), formato_(QLocale::system()) {}

void ModeloCanciones::PonerColumnas(std::vector<DefinicionColumna> columnas) {
    beginResetModel();
    columnas_ = std::move(columnas);
    filas_.clear();
    endResetModel();
}

void ModeloCanciones::PonerCanciones(catalogo::CancionesRuta canciones) {
    beginResetModel();
    filas_.clear();
    filas_.reserve(canciones.size());
    for (catalogo::CancionRuta& cancion : canciones)
        filas_.push_back({std::move(cancion), std::nullopt});
    endResetModel();
}

void ModeloCanciones::InsertarFila(int fila, catalogo::CancionRuta cancion, const QString& tamano) {
    fila = std::clamp(fila, 0, rowCount());
    beginInsertRows({}, fila, fila);
    filas_.insert(filas_.begin() + fila, {std::move(cancion), tamano});
    endInsertRows();
}

void ModeloCanciones::Vaciar() {
    if (filas_.empty())
        return;
    beginResetModel();
    filas_.clear();
    endResetModel();
}

bool ModeloCanciones::PonerMarca(catalogo::IdCancion id, const QString& marca) {
    for (std::size_t fila = 0; fila < filas_.size(); ++fila) {
        if (filas_[fila].cancion.fila != id)
            continue;
        filas_[fila].cancion.marca = marca;
        emit dataChanged(index(int(fila), 0), index(int(fila), columnCount() - 1));
        return true;
    }
    return false;
}

QString ModeloCanciones::Texto(int fila, int columna) const {
    const Fila& f = filas_[std::size_t(fila)];
    const catalogo::CancionRuta& c = f.cancion;
    switch (columnas_[std::size_t(columna)].columna) {
    case Columna::Autor:
        return c.autor;
    case Columna::Titulo:
        return c.titulo;
    case Columna::Extension:
        return c.extension;
    case Columna::Tamano:
        return f.tamano ? *f.tamano : formato_(c.longitud);
    case Columna::Letra:
        return c.marca;
    case Columna::Linea:
        return catalogo::LineaCancion(c);
    }
    return {};
}

int ModeloCanciones::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : int(filas_.size());
}

int ModeloCanciones::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : int(columnas_.size());
}

QVariant ModeloCanciones::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    switch (rol) {
    case Qt::DisplayRole:
        return Texto(indice.row(), indice.column());
    case Qt::TextAlignmentRole:
        return int(columnas_[std::size_t(indice.column())].alineacion);
    case RolFila:
        return Cancion(indice.row()).fila;
    default:
        return {};
    }
}

QVariant ModeloCanciones::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || seccion < 0 || seccion >= columnCount())
        return {};
    const DefinicionColumna& definicion = columnas_[std::size_t(seccion)];
    switch (rol) {
    case Qt::DisplayRole:
        return definicion.cabecera;
    case Qt::TextAlignmentRole:
        return int(definicion.alineacion);
    case Qt::UserRole:
        return definicion.clave.isEmpty() ? QVariant() : QVariant(definicion.clave);
    default:
        return {};
    }
}
