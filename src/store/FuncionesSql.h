#pragma once
// What the engine needs of every connection: the text collation and the functions that the
// translated Jet statements call.

struct sqlite3;

namespace dao {

// Name of the collation of every text column: ICU, case-insensitive, accent-sensitive, composed and
// decomposed accents alike.
inline constexpr const char* Intercalacion = "CANTORIO";

// Registers the collation and the functions on a connection.
void RegistrarFuncionesSql(sqlite3* conexion);

// A function raising an error passes "number|description" as the engine's message; ErrorDeMotor
// turns it back into an ErrorBD.
inline constexpr char SeparadorError = '|';

} // namespace dao
