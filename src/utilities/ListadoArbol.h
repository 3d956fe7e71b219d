#pragma once
// The tree listing: headers, their routes and, optionally, every file of each route, with totals, as a
// text file (Windows-1252 when that holds every text, otherwise UTF-8 with a byte-order mark; lines
// ended by CR LF). The file is put in place only when complete.

#include "store/CatalogoUtilidades.h"
#include "utilities/FicheroTexto.h"
#include "utilities/ProgresoUtilidad.h"

struct OpcionesListado {
    catalogo::AlcanceListado alcance; // nothing: the whole catalogue
    bool ficheros = true;             // list every file of each route
    QString version;                  // the program's version text, on the fourth line
};

struct ResultadoListado {
    qint64 cabeceras = 0;
    qint64 rutas = 0;
    qint64 ficheros = 0;
};

// Writes the listing to ruta (FalloFichero when it cannot be written or is a file of the catalogue).
ResultadoListado EscribirListado(dao::Database& base, const QString& ruta, const OpcionesListado& opciones,
                                 ProgresoUtilidad& progreso);
