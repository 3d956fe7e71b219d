#pragma once
// The catalogue database: its file, the open connection of the run and the shared recordset through
// which new songs are appended.

#include "store/Dao.h"

#include <QString>
#include <memory>

namespace BBDD {

// Full path of Cantorio.mdb.
inline QString RutaBaseDatos;
// The connection opened at start-up and shared by every window.
inline std::unique_ptr<dao::Database> BaseDatos;
// Updatable set over "SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA".
inline std::unique_ptr<dao::Recordset> RecordsetCanciones;

// Creates the file at RutaBaseDatos with the tables CANCIONES and LETRAS, then closes it.
void CrearBaseDatos();
// The same at another path (a catalogue being converted).
void CrearCatalogo(const QString& ruta);
// Opens RutaBaseDatos as BaseDatos and opens RecordsetCanciones over it.
void AbrirBaseDatos();
// Closes RecordsetCanciones and BaseDatos; errors are ignored.
void CerrarBaseDatos();

} // namespace BBDD
