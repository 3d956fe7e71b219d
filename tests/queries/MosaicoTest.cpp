// Where the arrangement commands put the workspace's children.

#include "queries/Mosaico.h"

#include <gtest/gtest.h>

using namespace Consultas;

TEST(Mosaico, HorizontalApilaYVerticalAlineaCubriendoElArea) {
    const QRect area(0, 0, 300, 200);
    EXPECT_EQ(MosaicoHorizontal(area, 3),
              (QList<QRect>{{0, 0, 300, 66}, {0, 66, 300, 66}, {0, 132, 300, 68}}));
    EXPECT_EQ(MosaicoVertical(area, 2), (QList<QRect>{{0, 0, 150, 200}, {150, 0, 150, 200}}));
    EXPECT_EQ(MosaicoVertical(area, 1), (QList<QRect>{area}));
    EXPECT_TRUE(MosaicoHorizontal(area, 0).isEmpty());
}

TEST(Mosaico, IconosEnFilasDesdeLaEsquinaInferiorIzquierda) {
    const QList<QPoint> esquinas = FilaIconos(QRect(0, 0, 250, 200), QSize(100, 20), 3);
    EXPECT_EQ(esquinas, (QList<QPoint>{{0, 180}, {100, 180}, {0, 160}}));
}

TEST(Mosaico, CascadaBajaUnPasoPorVentanaYVuelveArribaCuandoNoCabe) {
    const QSize area(100, 80);
    QList<QPoint> esquinas;
    for (int k = 0; k < 5; ++k)
        esquinas << EsquinaCascada(k, area, QSize(60, 50), 10);
    EXPECT_EQ(esquinas, (QList<QPoint>{{0, 0}, {10, 10}, {20, 20}, {30, 30}, {0, 0}}));
    // A window larger than the area always starts at the corner.
    EXPECT_EQ(EsquinaCascada(3, area, QSize(150, 50), 10), QPoint(0, 0));
}
