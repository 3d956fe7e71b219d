#pragma once
// How the tab "Añadir" turns one file name into the author, title and extension of a song.

#include <QString>

struct OpcionesNombre {
    QString separador = QStringLiteral("--");
    bool quitarNumeros = false;
    QString formatoNumeros = QStringLiteral("01");
    bool convertirUnderscore = false;
    bool primeroAutor = true;
};

struct NombreInterpretado {
    QString autor;
    QString titulo;
    QString extension;
};

// The author, title and extension of a file name under the options, before AnadirCancion trims them
// and stores an empty one as a single blank.
NombreInterpretado InterpretarNombre(const QString& nombreFichero, const OpcionesNombre& opciones);
