// The two-option control: its properties and the events it raises to its host.

#include "queries/DobleOption.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(DobleOption, EmpiezaPorLaIzquierdaYSusPropiedadesGobiernanLasDosOpciones) {
    DobleOption control;
    EXPECT_TRUE(control.Izda());
    EXPECT_FALSE(control.Dcha());
    EXPECT_EQ(control.size(), QSize(39, 17));

    control.SetDcha(true);
    EXPECT_FALSE(control.Izda());
    EXPECT_TRUE(control.Dcha());
    // Clearing the selected option leaves neither selected.
    control.SetDcha(false);
    EXPECT_FALSE(control.Izda());
    EXPECT_FALSE(control.Dcha());
    control.SetIzda(true);
    EXPECT_TRUE(control.Izda());

    control.SetEnabled(false);
    EXPECT_FALSE(control.Enabled());
    EXPECT_FALSE(control.Option2->isEnabled());
    control.SetEnabled(true);
    EXPECT_TRUE(control.Option1->isEnabled() && control.Option2->isEnabled());

    control.SetColor(QColor(44, 242, 206));
    EXPECT_EQ(control.Color(), QColor(44, 242, 206));
    EXPECT_EQ(control.Option1->palette().color(QPalette::Window), QColor(44, 242, 206));
    EXPECT_EQ(control.Option2->palette().color(QPalette::Window), QColor(44, 242, 206));
}

TEST(DobleOption, UnClicEnCualquierOpcionLanzaClickYDespuesChanged) {
    DobleOption control;
    control.show();
    QStringList eventos;
    QObject::connect(&control, &DobleOption::Click, [&] { eventos << "Click"; });
    QObject::connect(&control, &DobleOption::Changed, [&] { eventos << "Changed"; });
    QTest::mouseClick(control.Option2, Qt::LeftButton);
    EXPECT_TRUE(control.Dcha());
    QTest::mouseClick(control.Option1, Qt::LeftButton);
    EXPECT_TRUE(control.Izda());
    EXPECT_EQ(eventos, (QStringList{"Click", "Changed", "Click", "Changed"}));
    // Setting a property is not a click.
    control.SetDcha(true);
    EXPECT_EQ(eventos.size(), 4);
}

TEST(DobleOption, KeyPressLlevaElCodigoYElAnfitrionPuedeAnularLaTecla) {
    QWidget anfitrion;
    DobleOption control(&anfitrion);
    QList<int> codigos;
    QObject::connect(&control, &DobleOption::KeyPress, [&](int& KeyAscii) {
        codigos << KeyAscii;
        if (KeyAscii == 27)
            KeyAscii = 0;
    });
    // What the host does not swallow goes on to it.
    int alAnfitrion = 0;
    struct Filtro : QObject {
        int& cuenta;
        explicit Filtro(int& c) : cuenta(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            cuenta += e->type() == QEvent::KeyPress;
            return false;
        }
    } filtro(alAnfitrion);
    anfitrion.installEventFilter(&filtro);
    anfitrion.show();
    QTest::keyClick(control.Option1, Qt::Key_A);
    QTest::keyClick(control.Option2, Qt::Key_Escape);
    EXPECT_EQ(codigos, (QList<int>{'a', 27}));
    EXPECT_EQ(alAnfitrion, 1);
}
