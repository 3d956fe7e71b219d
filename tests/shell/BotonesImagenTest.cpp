// Pictures used as buttons: the three looks follow the pointer and the left button only, and a click is
// a left release over the pressed picture.

#include "shell/BotonesImagen.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using Aspecto = BotonesImagen::Aspecto;

// Each look is a picture whose width tells it apart: 1 normal, 2 highlighted, 3 pressed.
QPixmap Dibujo(Aspecto aspecto) {
    return QPixmap(1 + int(aspecto), 1);
}

int Aspecto_(const QLabel* boton) {
    return boton->pixmap().width();
}

class BotonesPrueba : public ::testing::Test {
protected:
    BotonesPrueba() {
        for (QLabel*& boton : botones) {
            boton = new QLabel(&ventana);
            boton->resize(25, 25);
            fila.Anadir(boton, Dibujo);
        }
        fila.SinResalte();
        QObject::connect(&fila, &BotonesImagen::Click, [this](QLabel* boton) { clics << boton; });
    }
    void Raton(QLabel* boton, QEvent::Type tipo, Qt::MouseButton cual, Qt::MouseButtons pulsados,
               QPoint punto = {5, 5}) {
        QMouseEvent evento(tipo, punto, boton->mapToGlobal(punto), cual, pulsados, Qt::NoModifier);
        QCoreApplication::sendEvent(boton, &evento);
    }
    std::vector<int> Aspectos() const {
        return {Aspecto_(botones[0]), Aspecto_(botones[1]), Aspecto_(botones[2])};
    }

    QWidget ventana;
    BotonesImagen fila;
    std::array<QLabel*, 3> botones{};
    QList<QLabel*> clics;
};

TEST_F(BotonesPrueba, ElPunteroResaltaSoloElBotonQuePisa) {
    EXPECT_EQ(Aspectos(), (std::vector<int>{1, 1, 1}));
    Raton(botones[0], QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Aspectos(), (std::vector<int>{2, 1, 1}));
    Raton(botones[2], QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Aspectos(), (std::vector<int>{1, 1, 2}));
    QEvent salida(QEvent::Leave);
    QCoreApplication::sendEvent(botones[2], &salida);
    EXPECT_EQ(Aspectos(), (std::vector<int>{1, 1, 1}));
}

TEST_F(BotonesPrueba, ElBotonIzquierdoPulsaYSuSueltaEsElClic) {
    Raton(botones[0], QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    Raton(botones[1], QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(Aspectos(), (std::vector<int>{1, 3, 1}));
    // Moving with the button held keeps the pressed look.
    Raton(botones[1], QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(Aspectos(), (std::vector<int>{1, 3, 1}));
    Raton(botones[1], QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clics, QList<QLabel*>{botones[1]});
}

TEST_F(BotonesPrueba, OtrosBotonesDelRatonNoHacenNada) {
    for (const Qt::MouseButton cual : {Qt::RightButton, Qt::MiddleButton}) {
        Raton(botones[1], QEvent::MouseButtonPress, cual, cual);
        EXPECT_EQ(Aspectos(), (std::vector<int>{1, 1, 1}));
        Raton(botones[1], QEvent::MouseButtonRelease, cual, Qt::NoButton);
        EXPECT_EQ(Aspectos(), (std::vector<int>{1, 1, 1}));
    }
    EXPECT_TRUE(clics.isEmpty());
}

TEST_F(BotonesPrueba, SoltarFueraDelBotonNoEsClic) {
    Raton(botones[0], QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    Raton(botones[0], QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {40, 5});
    EXPECT_TRUE(clics.isEmpty());
    EXPECT_EQ(Aspectos(), (std::vector<int>{1, 1, 1}));
}

} // namespace
