#pragma once
// A catalogue in a temporary directory, open as BBDD::BaseDatos while the fixture lives, with helpers
// to put songs and lyrics in (Null where a value is missing) and to read them back.

#include "store/BBDD.h"

#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

struct IdCancion {
    QVariant cabecera, ruta, autor, titulo, extension, longitud, idx, relPos;
};

class CatalogoUtilidadesPrueba : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    dao::Database& Base() { return *BBDD::BaseDatos; }
    QString Fichero(const QString& nombre) const { return carpeta.filePath(nombre); }
    void Cancion(const IdCancion& fila);
    void Cancion(const QString& cabecera, const QString& ruta, const QString& autor, const QString& titulo,
                 int idx = 0, int relPos = 1);
    void Letra(const QVariant& idx, const QString& texto = QStringLiteral("la la"));
    int Contar(const QString& sentencia);
    // A trigger, as another program could leave one, that silently skips every change of REL_POS.
    void IgnorarCambiosDePosicion();
    // Every column of every row of the statement, one line per row, fields separated by "|", Null as "~".
    QString Filas(const QString& sentencia);

    QTemporaryDir carpeta;
};

// Texts shown as text in the failures of a test.
inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << texto.toStdString();
}

QByteArray LeerFichero(const QString& ruta);
void GuardarFichero(const QString& ruta, const QByteArray& bytes);
