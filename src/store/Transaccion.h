#pragma once
// One transaction of the layer around an operation: undone unless confirmed, and undone in full when
// the confirmation itself fails. The error that stopped the operation is the one that reaches the
// caller: an engine that has already undone the transaction by itself (a full disk, a lost lock) never
// turns it into a complaint about a rollback with nothing to undo.

#include "store/Dao.h"

class Transaccion {
public:
    explicit Transaccion(dao::Database& base);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

    void Confirmar();

private:
    dao::Database& base_;
    bool abierta_ = true;
};
