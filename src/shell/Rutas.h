#pragma once
// Where the catalogue and the help live: beside the program when it runs from a folder of its own (the
// build tree, a copied folder), in the standard places when it is installed.

#include <QString>

// nombre inside directorio, with exactly one platform separator between them.
QString RutaEnDirectorio(const QString& directorio, const QString& nombre);

// The program's installed data (the help): <prefix>/share/cantorio seen from <prefix>/bin.
QString DirectorioDatosInstalados(const QString& directorioPrograma);

// An installed program has no help of its own beside it, only the installed one.
bool ProgramaInstalado(const QString& directorioPrograma);

// The directory that holds the catalogue: the program's own when it is not installed and a file can be
// created in it, otherwise the user's data directory (~/.local/share/cantorio), created when missing.
QString DirectorioCatalogo(const QString& directorioPrograma);

// The page that "&Ayuda" opens: <program directory>/Ayuda/index.html, or the installed page.
QString RutaAyuda(const QString& directorioPrograma);
