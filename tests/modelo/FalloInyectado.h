#pragma once
// A failure put on purpose into the catalogue's connection, to see that a command undoes all it did:
// the nth write from the moment it is armed fails. A write is a row that a statement inserts, updates
// or deletes in CANCIONES or LETRAS, or the commit of a transaction. Temporary triggers (kept in the
// connection's own temporary schema, never in the file) call a function before each row, and the commit
// hook sees each commit: at the nth write the function fails its statement with the engine error chosen
// (a full disk, an I/O error, a value refused) or the hook turns the commit into a rollback. The writes
// before it have run, so a command really fails halfway, after its first statements.

#include <QtGlobal>

#include <sqlite3.h>

class FalloInyectado {
public:
    explicit FalloInyectado(sqlite3* db);
    ~FalloInyectado();
    FalloInyectado(const FalloInyectado&) = delete;
    FalloInyectado& operator=(const FalloInyectado&) = delete;

    // Counts the writes from now on and fails none.
    void Contar();
    // The nth write from now on fails with codigo (SQLITE_FULL, SQLITE_IOERR_WRITE, SQLITE_CONSTRAINT...;
    // a commit fails as the engine fails a commit that its hook refuses).
    void Armar(qint64 n, int codigo);
    void Desarmar();
    // The writes counted since Contar or Armar, the failed one included.
    qint64 Escrituras() const { return escrituras_; }
    bool Disparado() const { return disparado_; }

private:
    // Counts one write; true when it is the one that fails.
    bool Escribir();
    static void Funcion(sqlite3_context* contexto, int, sqlite3_value**);
    static int Confirmacion(void* datos);

    sqlite3* db_;
    bool contando_ = false;
    qint64 objetivo_ = 0; // 0: no write fails
    int codigo_ = SQLITE_IOERR;
    qint64 escrituras_ = 0;
    bool disparado_ = false;
};
