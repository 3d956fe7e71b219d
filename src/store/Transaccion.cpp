#include "store/Transaccion.h"

#include <sqlite3.h>

Transaccion::Transaccion(dao::Database& base) : base_(base) {
    base_.BeginTrans();
}

Transaccion::~Transaccion() {
    if (!abierta_)
        return;
    try {
        base_.Rollback();
    } catch (const dao::ErrorBD&) {
        // The engine had already undone it by itself.
    }
}

void Transaccion::Confirmar() {
    abierta_ = false;
    try {
        base_.CommitTrans();
    } catch (const dao::ErrorBD&) {
        // A commit that fails for want of disk can leave the engine's transaction open while the layer
        // counts it closed: undo it here, so that nothing of it is kept.
        if (sqlite3* db = base_.Conexion(); db && !sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}
