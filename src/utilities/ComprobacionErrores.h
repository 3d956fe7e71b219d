#pragma once
// The four integrity checks of the catalogue, one after the other, each told to whoever shows them (the
// window "Comprobar Errores en la Base de Datos" or cantorio-util), which also answers whether to
// repair a fault found.

#include "store/Dao.h"

#include <QString>

#include <array>

struct TextosComprobacion {
    QString comprobando;      // the line while the check runs
    QString comprobado;       // the line once it has run over a table that is not empty
    QString pregunta;         // whether to repair the fault
    bool preguntaInformativa; // the question shows the information icon instead of the question mark
};
extern const std::array<TextosComprobacion, 4> Comprobaciones;

enum class ResultadoComprobacion { Correcto = 1, Error = 2, Corregido = 3 };
// " OK.", " ERROR.", " Corregido."
QString TextoResultado(ResultadoComprobacion resultado);

// Told when a repair has run and a fresh check still finds the fault.
extern const QString TextoSigueElFallo;

class SeguimientoComprobacion {
public:
    virtual ~SeguimientoComprobacion() = default;
    // Check k (0 to 3) starts; vaciarBarra: its progress starts from 0.
    virtual void Empezar(int k, bool vaciarBarra) = 0;
    // The check has read its table: its line takes the "Comprobado" form and its bar is full.
    virtual void Comprobado(int k) = 0;
    virtual void Resultado(int k, ResultadoComprobacion resultado) = 0;
    // A fault was found (the line already shows it): true to repair it.
    virtual bool Reparar(int k) = 0;
    // The repair failed and changed nothing; the line stays in error.
    virtual void FalloReparacion(int k, const QString& descripcion) = 0;
    // The repair ran but mended nothing: checked again, the fault is still there; the line stays in error.
    virtual void SigueElFallo(int k) = 0;
};

// Runs the four checks; returns how many faults are left unrepaired.
int ComprobarErrores(dao::Database& base, SeguimientoComprobacion& seguimiento);
