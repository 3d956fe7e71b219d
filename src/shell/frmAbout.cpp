#include "shell/frmAbout.h"

#include "shell/Posicion.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {
QLabel* Imagen(QWidget* padre, const QString& nombre, const QPoint& posicion) {
    auto* imagen = new QLabel(padre);
    imagen->setObjectName(nombre);
    const QPixmap dibujo(QStringLiteral(":/imagenes/AcercaDe%1.svg").arg(nombre.mid(5)));
    imagen->setPixmap(dibujo);
    imagen->setGeometry(QRect(posicion, dibujo.size()));
    return imagen;
}
} // namespace

frmAbout::frmAbout(QWidget* padre)
    : QWidget(padre, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      imgFondo(new QLabel(this)), Image11(Imagen(this, QStringLiteral("Image11"), {46, 96})),
      Image12(Imagen(this, QStringLiteral("Image12"), {27, 176})),
      Image21(Imagen(this, QStringLiteral("Image21"), {174, 96})),
      Image22(Imagen(this, QStringLiteral("Image22"), {155, 176})),
      Image31(Imagen(this, QStringLiteral("Image31"), {302, 96})),
      Image32(Imagen(this, QStringLiteral("Image32"), {283, 176})), Timer(new QTimer(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Cantorio - Acerca de"));
    setFocusPolicy(Qt::StrongFocus);
    imgFondo->setObjectName(QStringLiteral("imgFondo"));
    const QPixmap fondo(QStringLiteral(":/imagenes/AcercaDe.svg"));
    imgFondo->setPixmap(fondo);
    imgFondo->resize(fondo.size());
    imgFondo->installEventFilter(this);
    setFixedSize(fondo.size());

    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(200);
    connect(Timer, &QTimer::timeout, this, &frmAbout::Timer_Timer);
    Form_Load();
    Timer->start();
}

void frmAbout::Form_Load() {
    imgFondo->move(0, 0);
    contador_ = 0;
    imgFondo->show();
    for (QLabel* imagen : {Image11, Image12, Image21, Image22, Image31, Image32})
        imagen->hide();
    // Later raises lie on top: Image32 ends up above everything.
    for (QLabel* imagen : {imgFondo, Image11, Image21, Image31, Image12, Image22, Image32})
        imagen->raise();
}

void frmAbout::Timer_Timer() {
    if (++contador_ > 61)
        contador_ = 1;
    switch (contador_) {
    case 20:
        Image11->show();
        break;
    case 21:
        Image12->show();
        break;
    case 25:
        Image21->show();
        break;
    case 26:
        Image22->show();
        break;
    case 30:
        Image31->show();
        break;
    case 31:
        Image32->show();
        break;
    case 50:
        Image12->hide();
        break;
    case 51:
        Image11->hide();
        break;
    case 55:
        Image22->hide();
        break;
    case 56:
        Image21->hide();
        break;
    case 60:
        Image32->hide();
        break;
    case 61:
        Image31->hide();
        break;
    default:
        break;
    }
}

void frmAbout::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(evento);
}

bool frmAbout::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == imgFondo && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton &&
        imgFondo->rect().contains(static_cast<QMouseEvent*>(evento)->position().toPoint())) {
        imgFondo_Click();
        return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmAbout::imgFondo_Click() {
    close();
}

// However the box is closed (Esc, a click, the window's own close button), the window that opened it
// comes back where the box was.
void frmAbout::closeEvent(QCloseEvent* evento) {
    Timer->stop();
    RecordarPosicion(*this);
    if (Anterior) {
        MoverAPosicionCompartida(*Anterior);
        Anterior->show();
    }
    evento->accept();
}
