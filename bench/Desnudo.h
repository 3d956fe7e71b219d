#pragma once
// The bare stack the references stand on: a raw SQLite connection with nothing of our layer, given only
// what is needed to answer as the catalogue answers: the ICU collation its text columns name, a LIKE that
// ignores letter case over the whole of Unicode (as SQLite's own ICU extension does), and the journal
// settings the layer uses.

#include <QString>

struct sqlite3;

namespace bench {

// Raises std::runtime_error naming que when codigo is an error of the connection.
void Comprobar(sqlite3* conexion, int codigo, const char* que);
void Ejecutar(sqlite3* conexion, const char* sql);

// The catalogue's collation, "CANTORIO": ICU en_US at secondary strength, composed and decomposed forms
// alike. A reference that opens a catalogue inside its clock registers it there.
void RegistrarIntercalacion(sqlite3* conexion);

// A connection open for reading and writing, with the collation, the LIKE, the folding the lyric
// index's triggers call, and the layer's journal settings; closed when it goes.
class ConexionDesnuda {
public:
    explicit ConexionDesnuda(const QString& ruta);
    ~ConexionDesnuda();
    ConexionDesnuda(const ConexionDesnuda&) = delete;
    ConexionDesnuda& operator=(const ConexionDesnuda&) = delete;

    operator sqlite3*() const { return conexion_; }

private:
    sqlite3* conexion_ = nullptr;
};

} // namespace bench
