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
