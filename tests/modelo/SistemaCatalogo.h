#pragma once
// The catalogue under test, beside its model: a new catalogue file open as the program opens it, the
// failure that can be put into its connection, and the identity of each of its songs in the model.
// Comparar reads everything back and fails the property at the first difference from the model.

#include "FalloInyectado.h"
#include "ModeloCatalogo.h"

#include "store/Dao.h"

#include <QTemporaryDir>

#include <map>
#include <memory>

// Figures of a whole run, told at its end.
struct Cifras {
    qint64 secuencias = 0;
    qint64 ordenes = 0;
    qint64 fallosInyectados = 0;
    qint64 comparaciones = 0;
};
Cifras& CifrasDeLaPrueba();

class Sistema {
public:
    Sistema();
    ~Sistema();
    Sistema(const Sistema&) = delete;
    Sistema& operator=(const Sistema&) = delete;

    dao::Database& Base();
    FalloInyectado& Fallo() { return *fallo_; }
    // The row of a song of the model; a row that does not exist for an identity never bound.
    qint64 Fila(qint64 id) const;
    // A new empty directory for the files of one command.
    QString Carpeta();
    // Writes a statement as another program would (a fault, a lyric shared by a converted catalogue).
    void Escribir(const QString& sentenciaJet);

    // Binds the songs of esperado still without a row to the rows added since the last comparison, in
    // order, then compares the songs, the lyrics, the lyric index, the file's own check and what the
    // four integrity checks find with esperado.
    void Comparar(const Modelo& esperado);
    // Forgets the rows of these identities (rows taken away by the test itself).
    void Olvidar(const std::vector<qint64>& ids);

private:
    QTemporaryDir carpeta_;
    int carpetas_ = 0;
    std::unique_ptr<FalloInyectado> fallo_;
    std::map<qint64, qint64> filas_; // identity in the model -> rowid
};
