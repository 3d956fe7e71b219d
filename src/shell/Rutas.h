#pragma once
// Paths beside the program: the catalogue file and the help.

#include <QString>

// nombre inside directorio, with exactly one platform separator between them.
QString RutaEnDirectorio(const QString& directorio, const QString& nombre);

// The directory that holds the catalogue: the program's own when a file can be created in it, otherwise
// the user's data directory, created when missing.
QString DirectorioCatalogo(const QString& directorioPrograma);

// <program directory>/Ayuda/index.html, the page that "&Ayuda" opens.
QString RutaAyuda(const QString& directorioPrograma);
