#include "support/CatalogoPrueba.h"

#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "store/BBDD.h"
#include "trees/ArbolesVentanas.h"

#include <QDir>

CatalogoPrueba::CatalogoPrueba() {
    BBDD::RutaBaseDatos = QDir(directorio_.path()).filePath(QStringLiteral("Cantorio.mdb"));
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
}

CatalogoPrueba::~CatalogoPrueba() {
    BBDD::CerrarBaseDatos();
}

void CatalogoPrueba::AnadirCancion(const QString& cabecera, const QString& ruta, const QString& autor,
                                   const QString& titulo, const QString& extension, int longitud,
                                   int idxCancion, int relPos) {
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    rs->AddNew();
    rs->SetField(QStringLiteral("CABECERA"), cabecera);
    rs->SetField(QStringLiteral("RUTA"), ruta);
    rs->SetField(QStringLiteral("AUTOR"), autor);
    rs->SetField(QStringLiteral("TITULO"), titulo);
    rs->SetField(QStringLiteral("EXTENSION"), extension);
    rs->SetField(QStringLiteral("LONGITUD"), longitud);
    rs->SetField(QStringLiteral("IDX_CANCION"), idxCancion);
    rs->SetField(QStringLiteral("REL_POS"), relPos);
    rs->Update();
}

void CatalogoPrueba::AnadirLetra(int idxCancion, const QString& letra) {
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
    rs->AddNew();
    rs->SetField(QStringLiteral("IDX_CANCION"), idxCancion);
    rs->SetField(QStringLiteral("LYRICS"), letra);
    rs->Update();
}

void CatalogoPrueba::Reabrir() {
    BBDD::CerrarBaseDatos();
    BBDD::AbrirBaseDatos();
}

VentanasPrueba::VentanasPrueba() {
    Ventanas::Crear();
    InicializarArboles(&Ventanas::Aux().ImageList1);
    CargarArboles(nullptr);
}

VentanasPrueba::~VentanasPrueba() {
    Ventanas::Destruir();
}

void VentanasPrueba::Recargar() {
    VaciarArboles();
    CargarArboles(nullptr);
}
