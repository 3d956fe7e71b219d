// open-N: opening the catalogue and filling the three trees of the real windows, against the same file
// opened through the raw SQLite C API with the same collation registered, the same distinct pairs
// stepped by hand into three bare QTreeWidgets, a progress bar following both.

#include "ArbolesDesnudos.h"
#include "Desnudo.h"
#include "Generador.h"
#include "Medicion.h"
#include "VentanasBench.h"

#include "shell/Ventanas.h"
#include "store/BBDD.h"
#include "trees/ArbolesVentanas.h"

#include <QFile>
#include <QProgressBar>
#include <QTreeWidget>

#include <array>
#include <malloc.h>
#include <sqlite3.h>

namespace bench {

namespace {

// The nodes one side frees lie in the allocator's free lists until a large allocation gathers them, and
// the next such allocation is the other side's opening. Each side's turn ends with gathering its own.
void RecogerMemoriaLibre() {
    malloc_trim(0);
}

double Nuestro(const QString& catalogo, QWidget& splash) {
    BBDD::RutaBaseDatos = catalogo;
    const double segundos = Cronometrar([&] {
        BBDD::AbrirBaseDatos();
        CargarArboles(&splash);
    });
    VaciarArboles();
    BBDD::CerrarBaseDatos();
    RecogerMemoriaLibre();
    return segundos;
}

// The limit of the stack: the file opened through the raw C API with the catalogue's collation, the
// distinct pairs stepped by hand and counted for the progress bar, each tree built apart and attached once.
double Referencia(const QString& catalogo, std::array<QTreeWidget, 3>& arboles, QProgressBar& barra) {
    sqlite3* conexion = nullptr;
    const double segundos = Cronometrar([&] {
        Comprobar(conexion,
                  sqlite3_open_v2(QFile::encodeName(catalogo).constData(), &conexion, SQLITE_OPEN_READWRITE,
                                  nullptr),
                  "abrir el catálogo");
        RegistrarIntercalacion(conexion);
        LlenarArbolesDesnudos(conexion, arboles, barra);
    });
    sqlite3_close(conexion);
    for (auto& arbol : arboles)
        arbol.clear();
    RecogerMemoriaLibre();
    return segundos;
}

int Vueltas(Tamano tamano) {
    return tamano == Tamano::Diez_k ? 31 : tamano == Tamano::Cien_k ? 9 : 5;
}

void Medir(const Contexto& contexto, const std::vector<Tamano>& tamanos) {
    PrepararVentanas();
    // A stand-in for the splash window, its progress bar followed by both sides.
    QWidget splash;
    auto* barra = new QProgressBar(&splash);
    barra->setObjectName(QStringLiteral("ProgressBar"));
    std::array<QTreeWidget, 3> arboles;
    std::vector<Pareja> parejas;
    for (Tamano tamano : tamanos) {
        const QString catalogo = Preparar(contexto, tamano);
        const Pareja pareja = MedirPareja(
            Vueltas(tamano), [&] { return Nuestro(catalogo, splash); },
            [&] { return Referencia(catalogo, arboles, *barra); });
        Ratio(QStringLiteral("open-%1").arg(Sufijo(tamano)), pareja.Ratio(), 1.3);
        Detalle(QStringLiteral("nuestro %1 ms, referencia %2 ms")
                    .arg(pareja.nuestro * 1000, 0, 'f', 1)
                    .arg(pareja.referencia * 1000, 0, 'f', 1));
        parejas.push_back(pareja);
    }
    Crecimiento(QStringLiteral("open-linear"), tamanos, parejas, 1.2);
}

const bool registrada =
    Registrar({QStringLiteral("open"), {Tamano::Diez_k, Tamano::Cien_k, Tamano::Un_M}, Medir});

} // namespace

} // namespace bench
