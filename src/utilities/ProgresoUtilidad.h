#pragma once
// What a long utility tells while it runs: the maximum of its progress, then values up to it.

#include <QtGlobal>

class ProgresoUtilidad {
public:
    virtual ~ProgresoUtilidad() = default;
    virtual void Maximo(qint64) {}
    virtual void Valor(qint64) {}
};
