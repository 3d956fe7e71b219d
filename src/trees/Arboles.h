#pragma once
// The catalogue tree (root, headers, routes) and its node keys, filled from the database into any
// number of trees that implement ArbolCatalogo.

#include <QString>
#include <vector>

namespace dao {
class Database;
}

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
    // Around the nodes of one fill: a tree may hold them back until the fill ends and show them all at
    // once. TerminarLlenado is called also when the fill fails.
    virtual void EmpezarLlenado() {}
    virtual void TerminarLlenado() {}
    // Within a fill: at most this many nodes will be in the tree when it ends, so that a tree may make
    // room for them once instead of growing as they come.
    virtual void Reservar(qsizetype /*nodos*/) {}
};

// What the fill needs of a progress bar.
class ProgresoCarga {
public:
    virtual ~ProgresoCarga() = default;
    virtual void Rango(int maximo) = 0;
    virtual void Valor(int valor) = 0;
};

// Adds to every tree the root and, from "SELECT DISTINCT CABECERA, RUTA FROM CANCIONES ORDER BY CABECERA,
// RUTA" over base, one node per header (numbered in the order met) and one per route under
// its header (numbered from 1 under each header); all trees get the same nodes in the same order.
// Headers are told apart by their exact text, letter case included. A pair with a Null header or route
// has no node. progreso (may be nullptr) gets the number of pairs, then the position reached.
// An engine error, or a key already present in a tree, is raised to the caller.
void LlenarArboles(dao::Database& base, const std::vector<ArbolCatalogo*>& arboles, ProgresoCarga* progreso);

} // namespace Arboles
