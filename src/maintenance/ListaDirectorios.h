#pragma once
// The directory list of the tab "Añadir": the directories of one volume as a tree, with the current
// directory selected. Hidden directories are not shown.

#include <QString>
#include <QTreeView>

class QFileSystemModel;

class ListaDirectorios : public QTreeView {
    Q_OBJECT
public:
    explicit ListaDirectorios(QWidget* padre = nullptr);

    // The current directory, without a trailing "/" except for the system's root. It stays the one
    // chosen when that directory disappears.
    QString Path() const { return path_; }
    // Shows the tree of the volume raizVolumen with ruta as the current directory. False, and nothing
    // changed, when ruta is not a directory that can be read.
    bool SetPath(const QString& ruta, const QString& raizVolumen);

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void AlElegir(const QModelIndex& indice);
    void MostrarActual();

    QFileSystemModel* modelo_;
    QString path_;
    bool quitandoFilas_ = false;
};
