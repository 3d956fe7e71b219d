#pragma once
// Opening the lyric of a song that a window lists, the same from the list window and from a result
// window: a line marked "?" opens the lyric picker; any other opens the song's lyric in a song window,
// giving the song a new lyric number at once when it has none. When a song window opened that way
// closes, the song's mark goes back to the window that listed it.

#include "store/Catalogo.h"

#include <functional>

class QWidget;

namespace Letras {

// Where the mark of a song goes when its song window closes.
struct ReceptorMarca {
    // Whether the window's intelligent search is on then: a song left without lyric is marked "?" when a
    // song of the same title has one.
    std::function<bool()> inteligente;
    std::function<void(catalogo::IdCancion fila, const QString& marca)> poner;
};

// ventana: the window that lists the song, parent of the picker and guard of the connections;
// conSelector: the line shows "?". A song no longer in the catalogue is reported and nothing opens.
void AbrirLetra(QWidget* ventana, catalogo::IdCancion fila, bool conSelector, const ReceptorMarca& receptor);

} // namespace Letras
