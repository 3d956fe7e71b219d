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
// Where the k-th window of a cascade (from 0) stands: paso down and right from the one before, starting
// again at the top-left corner whenever a window of size ventana would reach out of the area.
QPoint EsquinaCascada(int k, QSize area, QSize ventana, int paso);
// Top-left corners of n minimised windows of size icono, in rows from the bottom-left corner of the
// area, left to right, each new row above the previous one.
QList<QPoint> FilaIconos(const QRect& area, QSize icono, int n);

} // namespace Consultas
