#pragma once
// What the reliability tests share: cantorio-util run as a separate program (optionally with limits set
// in the child before it starts), and the rows of a catalogue read as plain text.

#include <QString>
#include <QStringList>

#include <functional>

struct sqlite3;

struct Ejecucion {
    int estado = -1;        // exit status; -1 when the program did not end by itself
    bool terminada = false; // ended within the time given
    QString salida;
    QString errores;
};

// Runs cantorio-util with those arguments and waits for it (a minute at most). antesDeArrancar runs in
// the child between fork and exec: limits, signals, privileges.
Ejecucion Util(const QStringList& argumentos, const std::function<void()>& antesDeArrancar = {});

// Every CANCIONES row as "CABECERA|RUTA|AUTOR|TITULO|EXTENSION|LONGITUD|IDX_CANCION|REL_POS", in the
// order the rows were written (rowid). Needs no collation, so any connection reads it.
QStringList FilasEscritas(sqlite3* db);

// A tree of empty files under raiz: directories d0, d1... each with porDirectorio files named
// "Autor F -- Tema N.mp3" (N counts every file).
void GenerarArbol(const QString& raiz, int directorios, int porDirectorio);

// Creates the catalogue at ruta holding `canciones` songs under the header "Anterior", 100 to a route.
void CrearCatalogoAnterior(const QString& ruta, int canciones);

// The number of CANCIONES rows a connection sees; -1 when it cannot read them.
int ContarCanciones(sqlite3* db);
