// Every picture the windows ask for by key is compiled in, at the size its place needs.

#include <QPixmap>
#include <QString>
#include <gtest/gtest.h>

namespace {

TEST(Imagenes, CadaClaveTieneSuDibujo) {
    struct Caso {
        const char* clave;
        int ancho; // 0: any width
        int alto;
    };
    const Caso casos[] = {
        {"IMGRAIZCERRADO", 16, 16}, {"IMGRAIZABIERTO", 16, 16}, {"IMGCABECERA", 16, 16},
        {"IMGDIRECTORIO", 16, 16},  {"peq_Izda", 0, 25},        {"peq_Dcha", 0, 25},
        {"peq_Separador", 0, 25},   {"peq_RaizCerr1", 25, 25},  {"peq_RaizCerr2", 25, 25},
        {"peq_RaizCerr3", 25, 25},  {"peq_RaizAbie1", 25, 25},  {"peq_RaizAbie2", 25, 25},
        {"peq_RaizAbie3", 25, 25},  {"peq_Cab1", 25, 25},       {"peq_Cab2", 25, 25},
        {"peq_Cab3", 25, 25},       {"peq_Rut1", 25, 25},       {"peq_Rut2", 25, 25},
        {"peq_Rut3", 25, 25},       {"peq_Imp1", 25, 25},       {"peq_Imp2", 25, 25},
        {"peq_Imp3", 25, 25},       {"Presentacion", 0, 0},     {"AcercaDe", 0, 0},
        {"AcercaDe11", 0, 0},       {"AcercaDe12", 0, 0},       {"AcercaDe21", 0, 0},
        {"AcercaDe22", 0, 0},       {"AcercaDe31", 0, 0},       {"AcercaDe32", 0, 0},
        {"cantorio", 256, 256},
    };
    for (const Caso& caso : casos) {
        const QPixmap dibujo(QStringLiteral(":/imagenes/%1.svg").arg(QString::fromLatin1(caso.clave)));
        ASSERT_FALSE(dibujo.isNull()) << caso.clave;
        if (caso.ancho) {
            EXPECT_EQ(dibujo.width(), caso.ancho) << caso.clave;
        }
        if (caso.alto) {
            EXPECT_EQ(dibujo.height(), caso.alto) << caso.clave;
        }
    }
}

} // namespace
