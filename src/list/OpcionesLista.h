#pragma once
// What the list window lets the user choose for its song list: the columns it shows and whether a song
// without a lyric looks for a namesake that has one (the "?" mark). Kept for the run only.

namespace Lista {

struct OpcionesLista {
    bool ColumnaAutor = true;
    bool ColumnaTitulo = true;
    bool ColumnaExtension = true;
    bool ColumnaTamano = true;
    bool ColumnaLetra = true;
    // Never true without the lyrics column: the "?" mark has nowhere to show.
    bool BusquedaInteligente = false;

    friend bool operator==(const OpcionesLista&, const OpcionesLista&) = default;
};

} // namespace Lista
