// Build-time helper: renders the icon drawing to a square PNG of the given size.
// RenderizarIcono DIBUJO.svg TAMANO SALIDA.png

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication aplicacion(argc, argv);
    if (argc != 4) {
        std::fputs("Uso: RenderizarIcono DIBUJO.svg TAMANO SALIDA.png\n", stderr);
        return 2;
    }
    QSvgRenderer dibujo(QString::fromLocal8Bit(argv[1]));
    const int tamano = QByteArray(argv[2]).toInt();
    if (!dibujo.isValid() || tamano <= 0) {
        std::fprintf(stderr, "No se puede dibujar %s a %s px\n", argv[1], argv[2]);
        return 1;
    }
    QImage imagen(tamano, tamano, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    QPainter pintor(&imagen);
    pintor.setRenderHint(QPainter::Antialiasing);
    dibujo.render(&pintor);
    pintor.end();
    return imagen.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
