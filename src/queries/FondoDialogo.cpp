#include "queries/FondoDialogo.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace {
const QColor Rojo(200, 16, 16);

struct Rgb {
    double r, g, b;
};

Rgb Mezcla(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb DeColor(const QColor& color) {
    return {double(color.red()), double(color.green()), double(color.blue())};
}

int Canal(double valor) {
    return std::clamp(static_cast<int>(valor + 0.5), 0, 255);
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
            const Rgb izda = Mezcla(DeColor(colores.arribaIzda), DeColor(colores.abajoIzda), ty);
            const Rgb dcha = Mezcla(DeColor(colores.arribaDcha), DeColor(colores.abajoDcha), ty);
            auto* linea = reinterpret_cast<QRgb*>(degradado_.scanLine(y));
            for (int x = 0; x < tamano.width(); ++x) {
                const Rgb c = Mezcla(izda, dcha, (x - anclas.left()) / ancho);
                linea[x] = qRgb(Canal(c.r), Canal(c.g), Canal(c.b));
            }
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
