#pragma once
// The songs of the route chosen in a tree, as a list beside it shows them: one row per song over the
// vector that the route's read returned, each cell made only when the view paints it, so that a route
// of thousands of songs costs one vector and the rows on the screen. The list window shows some of
// author, title, extension, size and lyric mark; the maintenance window's lists show the line
// "AUTOR -- TITULO". Every cell gives its song's identity (the CANCIONES rowid) under RolFila.

#include "store/Catalogo.h"

#include <QAbstractTableModel>

#include <optional>

class ModeloCanciones : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Columna { Autor, Titulo, Extension, Tamano, Letra, Linea };
    struct DefinicionColumna {
        Columna columna;
        QString cabecera;
        Qt::Alignment alineacion;
        QString clave; // given under Qt::UserRole by the header, empty for none
    };
    static constexpr int RolFila = Qt::UserRole;

    explicit ModeloCanciones(QObject* padre = nullptr);

    // The shown columns in order; the rows go.
    void PonerColumnas(std::vector<DefinicionColumna> columnas);
    void PonerCanciones(catalogo::CancionesRuta canciones);
    // One more row at fila (0-based), its size given as the text to show.
    void InsertarFila(int fila, catalogo::CancionRuta cancion, const QString& tamano);
    void Vaciar();

    const catalogo::CancionRuta& Cancion(int fila) const { return filas_[std::size_t(fila)].cancion; }
    // The lyric mark of the song id, when a row shows it; false when none does.
    bool PonerMarca(catalogo::IdCancion id, const QString& marca);
    // The cell as the list shows it.
    QString Texto(int fila, int columna) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    struct Fila {
        catalogo::CancionRuta cancion;
        std::optional<QString> tamano; // the size's text when it was given as one
    };
    std::vector<DefinicionColumna> columnas_;
    std::vector<Fila> filas_;
    catalogo::FormatoTamano formato_;
};
