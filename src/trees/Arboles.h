#pragma once
// The catalogue tree (root, headers, routes) and its node keys, filled from the database into any
// number of trees that implement ArbolCatalogo.

#include <QString>
#include <vector>

namespace Arboles {

inline const QString ClaveRaiz = QStringLiteral("RAIZ");
inline const QString TextoRaiz = QStringLiteral("Canciones");
inline const QString ImagenRaizCerrado = QStringLiteral("IMGRAIZCERRADO");
inline const QString ImagenRaizAbierto = QStringLiteral("IMGRAIZABIERTO");
inline const QString ImagenCabecera = QStringLiteral("IMGCABECERA");
inline const QString ImagenDirectorio = QStringLiteral("IMGDIRECTORIO");

// n in decimal, padded with "0" in front to at least six characters; never cut.
QString NumeroClave(int n);
// "1-000001-" + NumeroClave(i)
QString ClaveCabecera(int i);
// "2-" + NumeroClave(i) + "-" + NumeroClave(j)
QString ClaveRuta(int i, int j);

// What the fill needs of a tree: nodes added under their parent's key.
class ArbolCatalogo {
public:
    virtual ~ArbolCatalogo() = default;
    virtual void AnadirNodo(const QString& clavePadre, const QString& clave, const QString& texto,
                            const QString& imagen) = 0;
};

// What the fill needs of a progress bar.
class ProgresoCarga {
public:
    virtual ~ProgresoCarga() = default;
    virtual void Rango(int maximo) = 0;
    virtual void Valor(int valor) = 0;
};

} // namespace Arboles
