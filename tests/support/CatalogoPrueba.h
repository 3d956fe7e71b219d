#pragma once
// A catalogue in a temporary directory, open as BBDD::BaseDatos while the object lives, and the main
// windows over it with their trees filled.

#include <QString>
#include <QTemporaryDir>

class CatalogoPrueba {
public:
    // Creates Cantorio.mdb in a fresh temporary directory and opens it.
    CatalogoPrueba();
    ~CatalogoPrueba();

    void AnadirCancion(const QString& cabecera, const QString& ruta, const QString& autor,
                       const QString& titulo, const QString& extension = QStringLiteral("mp3"),
                       int longitud = 1000, int idxCancion = 0, int relPos = 1);
    void AnadirLetra(int idxCancion, const QString& letra);
    // Closes and opens the database again, as the maintenance operations do.
    void Reabrir();
    QString Directorio() const { return directorio_.path(); }

private:
    QTemporaryDir directorio_;
};

// The four single windows created hidden, their trees set up and filled from the open catalogue.
// Deletes them when it ends.
class VentanasPrueba {
public:
    VentanasPrueba();
    ~VentanasPrueba();
    // Empties and fills the three trees again.
    void Recargar();
};
