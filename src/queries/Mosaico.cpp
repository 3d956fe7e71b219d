#include "queries/Mosaico.h"

#include <algorithm>

namespace Consultas {

namespace {
// Splits a length into n parts; the last takes the remainder.
QList<std::pair<int, int>> partes(int inicio, int largo, int n) {
    QList<std::pair<int, int>> resultado;
    const int parte = largo / std::max(n, 1);
    for (int i = 0; i < n; ++i)
        resultado.append({inicio + i * parte, i == n - 1 ? largo - i * parte : parte});
    return resultado;
}
} // namespace

QPoint EsquinaCascada(int k, QSize area, QSize ventana, int paso) {
    paso = std::max(paso, 1);
    const int pasosQueCaben =
        std::max(1, 1 + std::min(area.width() - ventana.width(), area.height() - ventana.height()) / paso);
    const int j = k % pasosQueCaben;
    return {j * paso, j * paso};
}

QList<QRect> MosaicoHorizontal(const QRect& area, int n) {
    QList<QRect> rectangulos;
    for (const auto& [arriba, alto] : partes(area.top(), area.height(), n))
        rectangulos.append(QRect(area.left(), arriba, area.width(), alto));
    return rectangulos;
}

QList<QRect> MosaicoVertical(const QRect& area, int n) {
    QList<QRect> rectangulos;
    for (const auto& [izda, ancho] : partes(area.left(), area.width(), n))
        rectangulos.append(QRect(izda, area.top(), ancho, area.height()));
    return rectangulos;
}

QList<QPoint> FilaIconos(const QRect& area, QSize icono, int n) {
    QList<QPoint> esquinas;
    const int porFila = std::max(1, area.width() / std::max(icono.width(), 1));
    for (int i = 0; i < n; ++i) {
        const int columna = i % porFila;
        const int fila = i / porFila;
        esquinas.append(QPoint(area.left() + columna * icono.width(),
                               area.top() + area.height() - (fila + 1) * icono.height()));
    }
    return esquinas;
}

} // namespace Consultas
