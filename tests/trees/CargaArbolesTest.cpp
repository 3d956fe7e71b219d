#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "store/BBDD.h"
#include "support/CatalogoPrueba.h"
#include "trees/ArbolNodos.h"
#include "trees/ArbolesVentanas.h"
#include "trees/ModeloCanciones.h"

#include "support/VistasPrueba.h"
#include <QListView>
#include <QProgressBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

ArbolNodos* Lista() {
    return Ventanas::Lista().TreeViewLista;
}
ArbolNodos* Eliminar() {
    return Ventanas::Actualizacion().TreeViewEliminar;
}
ArbolNodos* Modificar() {
    return Ventanas::Actualizacion().TreeViewModificar;
}

// Every node in tree order as "parent > key | text | image", with the checks that hold for any node:
// collapsed, and showing the picture of its image key.
void Describir(const ArbolNodos* arbol, const QTreeWidgetItem* nodo, QStringList& lineas) {
    const QString imagen = arbol->Imagen(ArbolNodos::Clave(nodo));
    lineas << QStringLiteral("%1 > %2 | %3 | %4")
                  .arg(ArbolNodos::Clave(nodo->parent()), ArbolNodos::Clave(nodo), nodo->text(0), imagen);
    EXPECT_FALSE(nodo->isExpanded()) << nodo->text(0).toStdString();
    EXPECT_EQ(nodo->icon(0).cacheKey(), Ventanas::Aux().ImageList1.value(imagen).cacheKey())
        << nodo->text(0).toStdString();
    for (int k = 0; k < nodo->childCount(); ++k)
        Describir(arbol, nodo->child(k), lineas);
}

QStringList Describir(const ArbolNodos* arbol) {
    QStringList lineas;
    for (int k = 0; k < arbol->topLevelItemCount(); ++k)
        Describir(arbol, arbol->topLevelItem(k), lineas);
    return lineas;
}

const QStringList SoloRaiz{QStringLiteral(" > RAIZ | Canciones | IMGRAIZCERRADO")};

class CargaArboles : public ::testing::Test {
protected:
    // Headers in the engine's order (accented letters beside their base letter, case ignored), a route
    // with two songs, and two spellings of one header whose routes interleave.
    void CatalogoPequeno() {
        catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\Baladas\\"), "A", "Uno");
        catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\"), "B", "Dos");
        catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\Baladas\\"), "C", "Tres", "mp3", 10,
                               0, 2);
        catalogo.AnadirCancion(QStringLiteral("Rock"), QStringLiteral("\\a\\"), "D", "Cuatro");
        catalogo.AnadirCancion(QStringLiteral("ROCK"), QStringLiteral("\\b\\"), "E", "Cinco");
        catalogo.AnadirCancion(QStringLiteral("Rock"), QStringLiteral("\\c\\"), "F", "Seis");
        catalogo.AnadirCancion(QStringLiteral("Ópera"), QStringLiteral("\\x\\"), "G", "Siete");
    }

    CatalogoPrueba catalogo;
};

TEST_F(CargaArboles, LosTresArbolesRecibenLosMismosNodos) {
    CatalogoPequeno();
    VentanasPrueba ventanas;
    const QStringList esperado{
        QStringLiteral(" > RAIZ | Canciones | IMGRAIZCERRADO"),
        QStringLiteral("RAIZ > 1-000001-000001 | Ópera | IMGCABECERA"),
        QStringLiteral("1-000001-000001 > 2-000001-000001 | \\x\\ | IMGDIRECTORIO"),
        QStringLiteral("RAIZ > 1-000001-000002 | Pop | IMGCABECERA"),
        QStringLiteral("1-000001-000002 > 2-000002-000001 | \\ | IMGDIRECTORIO"),
        QStringLiteral("1-000001-000002 > 2-000002-000002 | \\Baladas\\ | IMGDIRECTORIO"),
        // Told apart by letter case; each route stays under the spelling it was stored with.
        QStringLiteral("RAIZ > 1-000001-000003 | Rock | IMGCABECERA"),
        QStringLiteral("1-000001-000003 > 2-000003-000001 | \\a\\ | IMGDIRECTORIO"),
        QStringLiteral("1-000001-000003 > 2-000003-000002 | \\c\\ | IMGDIRECTORIO"),
        QStringLiteral("RAIZ > 1-000001-000004 | ROCK | IMGCABECERA"),
        QStringLiteral("1-000001-000004 > 2-000004-000001 | \\b\\ | IMGDIRECTORIO"),
    };
    EXPECT_EQ(Describir(Lista()), esperado);
    EXPECT_EQ(Describir(Eliminar()), esperado);
    EXPECT_EQ(Describir(Modificar()), esperado);
}

TEST_F(CargaArboles, CatalogoVacioDejaSoloLasRaices) {
    VentanasPrueba ventanas;
    EXPECT_EQ(Describir(Lista()), SoloRaiz);
    EXPECT_EQ(Describir(Eliminar()), SoloRaiz);
    EXPECT_EQ(Describir(Modificar()), SoloRaiz);
    // The first songs of an empty catalogue are appended through the shared set.
    BBDD::RecordsetCanciones->AddNew();
    BBDD::RecordsetCanciones->SetField(QStringLiteral("CABECERA"), QStringLiteral("Nueva"));
    BBDD::RecordsetCanciones->SetField(QStringLiteral("RUTA"), QStringLiteral("\\"));
    BBDD::RecordsetCanciones->Update();
    ventanas.Recargar();
    EXPECT_EQ(Lista()->Texto(QStringLiteral("1-000001-000001")), QStringLiteral("Nueva"));
}

TEST_F(CargaArboles, UnaCabeceraOUnaRutaNulaNoDaNodo) {
    const QString insertar = QStringLiteral(
        "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, REL_POS) "
        "VALUES (%1, %2, 'a', 't', 'mp3', 1, 0, 1)");
    BBDD::BaseDatos->Execute(insertar.arg(QStringLiteral("NULL"), QStringLiteral("'\\x\\'")));
    BBDD::BaseDatos->Execute(insertar.arg(QStringLiteral("'Pop'"), QStringLiteral("NULL")));
    catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\"), "B", "Dos");
    VentanasPrueba ventanas;
    const QStringList esperado{
        QStringLiteral(" > RAIZ | Canciones | IMGRAIZCERRADO"),
        QStringLiteral("RAIZ > 1-000001-000001 | Pop | IMGCABECERA"),
        QStringLiteral("1-000001-000001 > 2-000001-000001 | \\ | IMGDIRECTORIO"),
    };
    EXPECT_EQ(Describir(Lista()), esperado);
    EXPECT_EQ(Describir(Modificar()), esperado);
}

TEST_F(CargaArboles, LaBarraDeLaVentanaSigueLasParejas) {
    CatalogoPequeno();
    VentanasPrueba ventanas;
    QWidget ventana;
    auto* barra = new QProgressBar(&ventana);
    barra->setObjectName(QStringLiteral("ProgressBar"));
    barra->setRange(10, 20);
    VaciarArboles();
    CargarArboles(&ventana);
    // Six distinct pairs (two songs share a route); the bar shows the row reached, which never gets past
    // the last but one.
    EXPECT_EQ(barra->minimum(), 0);
    EXPECT_EQ(barra->maximum(), 6);
    EXPECT_EQ(barra->value(), 5);

    QWidget sinBarra;
    VaciarArboles();
    CargarArboles(&sinBarra);
    EXPECT_EQ(Lista()->topLevelItem(0)->childCount(), 4);
}

TEST_F(CargaArboles, ReabreRecordsetCancionesSobreTodasLasCanciones) {
    CatalogoPequeno();
    VentanasPrueba ventanas;
    catalogo.AnadirCancion(QStringLiteral("Jazz"), QStringLiteral("\\"), "H", "Ocho");
    const dao::Recordset* antes = BBDD::RecordsetCanciones.get();
    ventanas.Recargar();
    dao::Recordset& canciones = *BBDD::RecordsetCanciones;
    EXPECT_NE(&canciones, antes);
    ASSERT_EQ(canciones.FieldCount(), 8);
    EXPECT_EQ(canciones.FieldName(0), QStringLiteral("CABECERA"));
    EXPECT_EQ(canciones.Field(QStringLiteral("CABECERA")).toString(), QStringLiteral("Jazz"));
    canciones.MoveLast();
    EXPECT_EQ(canciones.RecordCount(), 8);
}

TEST_F(CargaArboles, VaciarQuitaNodosYListasYLlenarSinVaciarFalla) {
    CatalogoPequeno();
    VentanasPrueba ventanas;
    const catalogo::CancionesRuta una{{1, "A", "Uno", "mp3", 1, 0, 1, catalogo::MarcaSinLetra}};
    Ventanas::Lista().ListaCanciones->PonerCanciones(una);
    Ventanas::Actualizacion().CancionesEliminar->PonerCanciones(una);
    Ventanas::Actualizacion().CancionesModificar->PonerCanciones(una);

    try {
        CargarArboles(nullptr);
        ADD_FAILURE() << "llenar sin vaciar no dio error";
    } catch (const dao::ErrorBD& error) {
        EXPECT_EQ(error.Numero(), 35602);
    }

    VaciarArboles();
    for (const ArbolNodos* arbol : {Lista(), Eliminar(), Modificar()}) {
        EXPECT_EQ(arbol->topLevelItemCount(), 0);
        EXPECT_EQ(arbol->Nodo(QStringLiteral("RAIZ")), nullptr);
    }
    EXPECT_EQ(Filas(Ventanas::Lista().ListaListView), 0);
    EXPECT_EQ(Filas(Ventanas::Actualizacion().listaCancionesEliminar), 0);
    EXPECT_EQ(Filas(Ventanas::Actualizacion().listaCancionesModificar), 0);
    EXPECT_EQ(BuscarCabecera(QStringLiteral("Pop")), QString());
}

TEST_F(CargaArboles, BuscarCabeceraDistingueMayusculas) {
    CatalogoPequeno();
    VentanasPrueba ventanas;
    const std::pair<const char*, const char*> casos[] = {
        {"Ópera", "1-000001-000001"},
        {"Pop", "1-000001-000002"},
        {"Rock", "1-000001-000003"},
        {"ROCK", "1-000001-000004"},
        {"rock", ""},
        {"Opera", ""},
        {"Canciones", ""},
        {"\\a\\", ""},
    };
    for (const auto& [texto, clave] : casos)
        EXPECT_EQ(BuscarCabecera(QString::fromUtf8(texto)), QString::fromLatin1(clave)) << texto;
}

} // namespace
