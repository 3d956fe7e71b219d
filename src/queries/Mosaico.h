#pragma once
// Where the arrangement commands of the query workspace put its children.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace Consultas {

// n windows one above the other, each as wide as the area; the last takes what the division leaves.
QList<QRect> MosaicoHorizontal(const QRect& area, int n);
// n windows side by side, each as high as the area.
QList<QRect> MosaicoVertical(const QRect& area, int n);
// Top-left corners of n minimised windows of size icono, in rows from the bottom-left corner of the
// area, left to right, each new row above the previous one.
QList<QPoint> FilaIconos(const QRect& area, QSize icono, int n);

} // namespace Consultas
