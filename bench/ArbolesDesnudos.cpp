#include "ArbolesDesnudos.h"

#include "Desnudo.h"

#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "trees/Arboles.h"

#include <sqlite3.h>

#include <vector>

namespace bench {

void LlenarArbolesDesnudos(sqlite3* conexion, std::array<QTreeWidget, 3>& arboles, QProgressBar& barra) {
    const auto& imagenes = Ventanas::Aux().ImageList1;
    const QIcon raiz = imagenes.value(Arboles::ImagenRaizCerrado);
    const QIcon cabecera = imagenes.value(Arboles::ImagenCabecera);
    const QIcon directorio = imagenes.value(Arboles::ImagenDirectorio);
    sqlite3_stmt* pares = nullptr;
    Comprobar(conexion,
              sqlite3_prepare_v2(conexion,
                                 "SELECT DISTINCT CABECERA, RUTA FROM CANCIONES ORDER BY CABECERA, RUTA", -1,
                                 &pares, nullptr),
              "preparar los pares");
    std::vector<std::pair<QString, QString>> filas;
    while (sqlite3_step(pares) == SQLITE_ROW)
        filas.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(pares, 0)),
                                             sqlite3_column_bytes(pares, 0)),
                           QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(pares, 1)),
                                             sqlite3_column_bytes(pares, 1)));
    sqlite3_finalize(pares);
    barra.setRange(0, int(filas.size()));
    std::array<QTreeWidgetItem*, 3> raices{};
    std::array<QTreeWidgetItem*, 3> cabeceras{};
    for (auto& nodo : raices) {
        nodo = new QTreeWidgetItem(QStringList{Arboles::TextoRaiz});
        nodo->setData(0, Qt::UserRole, Arboles::ClaveRaiz);
        nodo->setIcon(0, raiz);
    }
    int i = 0, j = 0;
    for (size_t k = 0; k < filas.size(); ++k) {
        const auto& [c, r] = filas[k];
        if (k == 0 || c != filas[k - 1].first) {
            ++i;
            j = 0;
            const QString clave = Arboles::ClaveCabecera(i);
            for (int t = 0; t < 3; ++t) {
                cabeceras[t] = new QTreeWidgetItem(raices[t], QStringList{c});
                cabeceras[t]->setData(0, Qt::UserRole, clave);
                cabeceras[t]->setIcon(0, cabecera);
            }
        }
        const QString clave = Arboles::ClaveRuta(i, ++j);
        for (int t = 0; t < 3; ++t) {
            auto* nodo = new QTreeWidgetItem(cabeceras[t], QStringList{r});
            nodo->setData(0, Qt::UserRole, clave);
            nodo->setIcon(0, directorio);
        }
        barra.setValue(int(k));
    }
    for (int t = 0; t < 3; ++t)
        arboles[t].addTopLevelItem(raices[t]);
}

} // namespace bench
