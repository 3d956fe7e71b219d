#include "trees/Arboles.h"

#include "store/Dao.h"
#include "store/LecturaPreparada.h"

#include <QHash>

namespace Arboles {

QString NumeroClave(int n) {
    return QString::number(n).rightJustified(6, u'0');
}

QString ClaveCabecera(int i) {
    return QStringLiteral("1-000001-") + NumeroClave(i);
}

QString ClaveRuta(int i, int j) {
    return QStringLiteral("2-") + NumeroClave(i) + u'-' + NumeroClave(j);
}

namespace {

struct Par {
    QString cabecera;
    QString ruta;
    bool nulo; // the header or the route holds no value
};

// The distinct pairs, read whole so that the progress knows their number before the first node.
std::vector<Par> LeerPares(dao::Database& base) {
    dao::LecturaPreparada pares(
        base, QStringLiteral("SELECT DISTINCT CABECERA, RUTA FROM CANCIONES ORDER BY CABECERA, RUTA"), {});
    std::vector<Par> resultado;
    while (pares.Siguiente())
        resultado.push_back({pares.Texto(0), pares.Texto(1), pares.Nulo(0) || pares.Nulo(1)});
    return resultado;
}

// The root, a node per route and one per header: the pairs come ordered by header, so a header seldom
// returns once another has been met, and counting every change of header never counts too few.
qsizetype NodosMaximos(const std::vector<Par>& pares) {
    qsizetype nodos = 1;
    const QString* anterior = nullptr;
    for (const Par& par : pares) {
        if (par.nulo)
            continue;
        ++nodos;
        if (!anterior || par.cabecera != *anterior)
            ++nodos;
        anterior = &par.cabecera;
    }
    return nodos;
}

// A header already in the trees: its number and key, its routes so far and the text of the last one.
struct Cabecera {
    int numero;
    QString clave;
    int rutas;
    QString ultimaRuta;
};

// Adds the nodes of one pair after another. Every tree gets the same QString objects, so that the
// texts and keys of the three trees share their memory.
class Llenado {
public:
    explicit Llenado(const std::vector<ArbolCatalogo*>& arboles) : arboles_(arboles) {
        for (ArbolCatalogo* arbol : arboles_)
            arbol->AnadirNodo(QString(), ClaveRaiz, TextoRaiz, ImagenRaizCerrado);
    }

    void Anadir(const QString& cabecera, const QString& ruta) {
        // Hashing the exact header text finds the same node as walking the headers one by one.
        auto existente = cabeceras_.find(cabecera);
        if (existente == cabeceras_.end()) {
            const int numero = int(cabeceras_.size()) + 1;
            existente = cabeceras_.insert(cabecera, {numero, ClaveCabecera(numero), 0, QString()});
            for (ArbolCatalogo* arbol : arboles_)
                arbol->AnadirNodo(ClaveRaiz, existente->clave, cabecera, ImagenCabecera);
        } else if (ruta == existente->ultimaRuta) {
            return;
        }
        Cabecera& actual = existente.value();
        ++actual.rutas;
        actual.ultimaRuta = ruta;
        const QString clave = ClaveRuta(actual.numero, actual.rutas);
        for (ArbolCatalogo* arbol : arboles_)
            arbol->AnadirNodo(actual.clave, clave, ruta, ImagenDirectorio);
    }

private:
    const std::vector<ArbolCatalogo*>& arboles_;
    QHash<QString, Cabecera> cabeceras_;
};

// Opens the fill of every tree and closes it when it ends, also by an error.
class LlenadoAbierto {
public:
    explicit LlenadoAbierto(const std::vector<ArbolCatalogo*>& arboles) : arboles_(arboles) {
        for (ArbolCatalogo* arbol : arboles_)
            arbol->EmpezarLlenado();
    }
    ~LlenadoAbierto() {
        for (ArbolCatalogo* arbol : arboles_)
            arbol->TerminarLlenado();
    }
    LlenadoAbierto(const LlenadoAbierto&) = delete;
    LlenadoAbierto& operator=(const LlenadoAbierto&) = delete;

private:
    const std::vector<ArbolCatalogo*>& arboles_;
};

} // namespace

void LlenarArboles(dao::Database& base, const std::vector<ArbolCatalogo*>& arboles, ProgresoCarga* progreso) {
    const LlenadoAbierto abierto(arboles);
    Llenado llenado(arboles);
    const std::vector<Par> pares = LeerPares(base);
    const int total = int(pares.size());
    const qsizetype nodos = NodosMaximos(pares);
    for (ArbolCatalogo* arbol : arboles)
        arbol->Reservar(nodos);
    if (progreso && total > 0)
        progreso->Rango(total);
    for (int fila = 0; fila < total; ++fila) {
        const Par& par = pares[fila];
        if (!par.nulo)
            llenado.Anadir(par.cabecera, par.ruta);
        // The bar follows the row reached, as the recordset's position would, from the second row on.
        if (progreso && fila + 1 < total)
            progreso->Valor(fila + 1);
    }
}

} // namespace Arboles
