#include "queries/FondoDialogo.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace {
const QColor Rojo(200, 16, 16);

int mezcla(int a, int b, double t) {
    return std::clamp(static_cast<int>(a + (b - a) * t + 0.5), 0, 255);
}

QColor interpolar(const QColor& a, const QColor& b, double t) {
    return QColor(mezcla(a.red(), b.red(), t), mezcla(a.green(), b.green(), t),
                  mezcla(a.blue(), b.blue(), t));
}
} // namespace

FondoDialogo::Esquinas FondoDialogo::ColoresPorDefecto() {
    return {QColor(112, 231, 250), QColor(44, 242, 206), QColor(95, 233, 239), QColor(26, 244, 194)};
}

void FondoDialogo::Pintar(QPainter& pintor, const QWidget& dialogo, const QRect& anclas,
                          const Esquinas& colores, const QList<QWidget*>& barras,
                          const QList<QWidget*>& cuadros) {
    const QSize tamano = dialogo.size();
    if (degradado_.size() != tamano || anclas_ != anclas) {
        anclas_ = anclas;
        degradado_ = QImage(tamano, QImage::Format_RGB32);
        const double ancho = std::max(1, anclas.width());
        const double alto = std::max(1, anclas.height());
        for (int y = 0; y < tamano.height(); ++y) {
            const double ty = (y - anclas.top()) / alto;
            const QColor izda = interpolar(colores.arribaIzda, colores.abajoIzda, ty);
            const QColor dcha = interpolar(colores.arribaDcha, colores.abajoDcha, ty);
            auto* linea = reinterpret_cast<QRgb*>(degradado_.scanLine(y));
            for (int x = 0; x < tamano.width(); ++x)
                linea[x] = interpolar(izda, dcha, (x - anclas.left()) / ancho).rgb();
        }
    }
    pintor.drawImage(0, 0, degradado_);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(Rojo);
    for (const QWidget* barra : barras)
        if (barra->isVisible())
            pintor.drawRoundedRect(barra->geometry().adjusted(-3, -2, 3, 2), 2, 2);
    for (const QWidget* cuadro : cuadros)
        if (cuadro->isVisible())
            pintor.drawRect(cuadro->geometry().adjusted(-2, -2, 2, 2));
}
