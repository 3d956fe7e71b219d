#pragma once
// Reads an old catalogue kept in the Access/Jet format (Jet 3 or Jet 4) through libmdb: the rows of
// CANCIONES and LETRAS, each field as the catalogue layer takes it. Texts arrive decoded (Jet 3 from
// Windows-1252, Jet 4 from UCS-2, compressed or not), memos whole, whole numbers as numbers, a Null as
// a null QVariant and a zero-length text as an empty (not null) QString.

#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

struct CatalogoJet {
    std::vector<QVector<QVariant>>
        canciones; // CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, REL_POS
    std::vector<QVector<QVariant>> letras; // IDX_CANCION, LYRICS
};

// Whether the file starts as an Access/Jet database does (any version).
bool EsFicheroJet(const QString& ruta);

// What an Access file lacks to be an old catalogue of this program, in Spanish ("no tiene la tabla
// CANCIONES", "a la tabla LETRAS le falta el campo LYRICS"); empty when it holds both tables with their
// fields. Reads only the tables' definitions. A file that cannot be read raises a dao::ErrorBD.
QString FaltaParaCatalogoJet(const QString& ruta);

// Reads both tables whole. A file that cannot be read, or that lacks a table or one of its fields,
// raises a dao::ErrorBD whose Spanish description names the file and what is wrong.
CatalogoJet LeerCatalogoJet(const QString& ruta);
