#pragma once
// A catalogue with a few songs and lyrics in a temporary directory, open while the fixture lives.

#include "store/Dao.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class CatalogoTemporal : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The output that cantorio-sql gives for the statement.
    QString Salida(const QString& sentencia);
    int Contar(const QString& sentencia);
    QString Ruta() const;

    QTemporaryDir carpeta;
    std::unique_ptr<dao::Database> base;
};

// Expects the statement to raise the ErrorBD numero.
#define EXPECT_ERROR_BD(sentencia, numero)                                                                   \
    do {                                                                                                     \
        try {                                                                                                \
            sentencia;                                                                                       \
            ADD_FAILURE() << "no se produjo el error " << (numero);                                          \
        } catch (const dao::ErrorBD& e) {                                                                    \
            EXPECT_EQ(e.Numero(), (numero)) << e.Descripcion().toStdString();                                \
        }                                                                                                    \
    } while (false)
