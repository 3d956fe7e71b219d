#include "maintenance/ListaDirectorios.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

ListaDirectorios::ListaDirectorios(QWidget* padre) : QTreeView(padre), modelo_(new QFileSystemModel(this)) {
    modelo_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    modelo_->setReadOnly(true);
    // A directory that disappears takes its row away and the view moves to another one; the chosen
    // path stays the one the user chose. Connected before the view's own handlers, so it runs first.
    connect(modelo_, &QFileSystemModel::rowsAboutToBeRemoved, this, [this] { quitandoFilas_ = true; });
    setModel(modelo_);
    for (int columna = 1; columna < modelo_->columnCount(); ++columna)
        hideColumn(columna);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& indice) { AlElegir(indice); });
    connect(modelo_, &QFileSystemModel::rowsRemoved, this, [this] { quitandoFilas_ = false; });
    // The directories are read in the background: once those around the current one are in, it is
    // shown again, so that it stays in view.
    connect(modelo_, &QFileSystemModel::directoryLoaded, this, [this](const QString& leido) {
        if (leido == QFileInfo(path_).path())
            MostrarActual();
    });
}

bool ListaDirectorios::SetPath(const QString& ruta, const QString& raizVolumen) {
    const QFileInfo info(ruta);
    if (!info.isDir() || !QDir(ruta).isReadable())
        return false;
    path_ = QDir::cleanPath(info.absoluteFilePath());
    const QString raiz = QDir::cleanPath(raizVolumen);
    setRootIndex(modelo_->setRootPath(raiz));
    // The root's own index is not a row of the view; its directories are.
    MostrarActual();
    return true;
}

void ListaDirectorios::MostrarActual() {
    const QModelIndex actual = modelo_->index(path_);
    if (!actual.isValid() || actual == rootIndex())
        return;
    setCurrentIndex(actual);
    expand(actual);
    scrollTo(actual, QAbstractItemView::PositionAtCenter);
}

void ListaDirectorios::showEvent(QShowEvent* evento) {
    QTreeView::showEvent(evento);
    MostrarActual(); // a hidden view has no size to scroll by
}

void ListaDirectorios::AlElegir(const QModelIndex& indice) {
    if (indice.isValid() && !quitandoFilas_)
        path_ = modelo_->filePath(indice);
}
