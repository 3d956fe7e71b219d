// The about box: its place in the run, its animation and how it closes.

#include "shell/frmAbout.h"
#include "queries/frmConsultas.h"
#include "shell/Estado.h"
#include "shell/Posicion.h"
#include "shell/Twips.h"
#include "shell/Ventanas.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString Visibles(const frmAbout& acercaDe) {
    QString visibles;
    for (const QLabel* imagen : {acercaDe.Image11, acercaDe.Image12, acercaDe.Image21, acercaDe.Image22,
                                 acercaDe.Image31, acercaDe.Image32})
        if (!imagen->isHidden())
            visibles += imagen->objectName().mid(5) + QLatin1Char(' ');
    return visibles.trimmed();
}

TEST(frmAbout, LasParejasAparecenYDesaparecenPorTurnoCada61Pasos) {
    frmAbout acercaDe;
    EXPECT_FALSE(acercaDe.imgFondo->isHidden());
    EXPECT_EQ(acercaDe.imgFondo->pos(), QPoint(0, 0));
    EXPECT_EQ(acercaDe.imgFondo->size(), acercaDe.size());
    EXPECT_EQ(acercaDe.Timer->interval(), 200);
    EXPECT_TRUE(acercaDe.Timer->isActive());

    // Ticks done so far -> pictures shown after them.
    const std::pair<int, const char*> pasos[] = {
        {0, ""},
        {19, ""},
        {20, "11"},
        {21, "11 12"},
        {24, "11 12"},
        {25, "11 12 21"},
        {26, "11 12 21 22"},
        {30, "11 12 21 22 31"},
        {31, "11 12 21 22 31 32"},
        {49, "11 12 21 22 31 32"},
        {50, "11 21 22 31 32"},
        {51, "21 22 31 32"},
        {55, "21 31 32"},
        {56, "31 32"},
        {60, "31"},
        {61, ""},
        {62, ""},
        {81, "11"},
        {122, ""},
        {142, "11"},
        {143, "11 12"},
    };
    int hechos = 0;
    for (const auto& [paso, visibles] : pasos) {
        while (hechos < paso) {
            acercaDe.Timer_Timer();
            ++hechos;
        }
        EXPECT_EQ(Visibles(acercaDe).toStdString(), visibles) << "after " << paso << " ticks";
    }
}

TEST(frmAbout, Image32QuedaEncimaDeTodo) {
    frmAbout acercaDe;
    for (int paso = 0; paso < 31; ++paso)
        acercaDe.Timer_Timer();
    QStringList orden;
    for (const QObject* hijo : acercaDe.children())
        if (const auto* imagen = qobject_cast<const QLabel*>(hijo))
            orden << imagen->objectName();
    EXPECT_EQ(orden,
              (QStringList{QStringLiteral("imgFondo"), QStringLiteral("Image11"), QStringLiteral("Image21"),
                           QStringLiteral("Image31"), QStringLiteral("Image12"), QStringLiteral("Image22"),
                           QStringLiteral("Image32")}));
    for (const QObject* hijo : acercaDe.children()) {
        if (const auto* imagen = qobject_cast<const QLabel*>(hijo)) {
            EXPECT_TRUE(acercaDe.rect().contains(imagen->geometry())) << imagen->objectName().toStdString();
        }
    }
}

class AcercaDe : public ::testing::Test {
protected:
    // Opens the about box from the query workspace standing at (150, 90).
    frmAbout* Abrir() {
        frmConsultas& consultas = Ventanas::Consultas();
        RecordarPosicion(QPoint(150, 90));
        consultas.move(150, 90);
        consultas.show();
        consultas.findChild<QAction*>(QStringLiteral("mnuAyudaAcercaDe"))->trigger();
        for (QWidget* ventana : QApplication::topLevelWidgets())
            if (auto* acercaDe = qobject_cast<frmAbout*>(ventana); acercaDe && acercaDe->isVisible())
                return acercaDe;
        return nullptr;
    }
    static void Pulsar(QWidget* donde, int tecla) {
        QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::NoModifier);
        QApplication::sendEvent(donde, &pulsada);
    }
    static void Clic(QWidget* donde, QPoint punto) {
        for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent evento(tipo, punto, donde->mapToGlobal(punto), Qt::LeftButton,
                               tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                               Qt::NoModifier);
            QApplication::sendEvent(donde, &evento);
        }
    }
    // Lets the closed box be deleted, as the event loop would.
    static void Descargar() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ServiciosGuionados& servicios = InstalarServiciosGuionados();
    CatalogoPrueba catalogo;
    VentanasPrueba ventanas;
};

TEST_F(AcercaDe, OcupaElLugarDeLaVentanaYVuelveAElConEsc) {
    QPointer<frmAbout> acercaDe = Abrir();
    ASSERT_TRUE(acercaDe);
    EXPECT_EQ(acercaDe->windowTitle(), QStringLiteral("Cantorio - Acerca de"));
    EXPECT_EQ(acercaDe->pos(), QPoint(150, 90));
    EXPECT_EQ(acercaDe->Anterior, &Ventanas::Consultas());
    EXPECT_FALSE(Ventanas::Consultas().isVisible());

    for (int tecla : {Qt::Key_A, Qt::Key_Return, Qt::Key_Space}) {
        Pulsar(acercaDe, tecla);
        EXPECT_TRUE(acercaDe->isVisible()) << "key " << tecla;
    }

    acercaDe->move(300, 200); // the user moves the box
    Pulsar(acercaDe, Qt::Key_Escape);
    Descargar();

    EXPECT_FALSE(acercaDe);
    EXPECT_TRUE(Ventanas::Consultas().isVisible());
    EXPECT_EQ(Ventanas::Consultas().pos(), QPoint(300, 200));
    EXPECT_EQ(Estado::VentanaIzda, Twips(300));
    EXPECT_EQ(Estado::VentanaArriba, Twips(200));
}

TEST_F(AcercaDe, UnClicEnElFondoLaCierra) {
    QPointer<frmAbout> acercaDe = Abrir();
    ASSERT_TRUE(acercaDe);
    Clic(acercaDe->imgFondo, {5, 5});
    Descargar();
    EXPECT_FALSE(acercaDe);
    EXPECT_TRUE(Ventanas::Consultas().isVisible());
    EXPECT_EQ(Ventanas::Consultas().pos(), QPoint(150, 90));
}

} // namespace
