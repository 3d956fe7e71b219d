// A catalogue tree: what a press does to its selection, and how nodes are added by key.

#include "trees/ArbolNodos.h"
#include "store/Dao.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// Only a left press on a node chooses it. The right button, which opens the window's popup menu, and a
// press below the last node leave the chosen route as it was, so the songs listed beside it stay right.
TEST(ArbolNodos, SoloElBotonIzquierdoSobreUnNodoCambiaLaSeleccion) {
    ArbolNodos arbol;
    arbol.resize(300, 300);
    arbol.AnadirNodo({}, "RAIZ", "Canciones", {});
    arbol.AnadirNodo("RAIZ", "1-000001-000001", "CD1", {});
    arbol.AnadirNodo("1-000001-000001", "2-000001-000001", "\\A\\", {});
    arbol.AnadirNodo("1-000001-000001", "2-000001-000002", "\\B\\", {});
    arbol.expandAll();
    arbol.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&arbol));
    QWidget* vista = arbol.viewport();
    const QPoint sobreA = arbol.visualItemRect(arbol.Nodo("2-000001-000001")).center();
    const QPoint sobreB = arbol.visualItemRect(arbol.Nodo("2-000001-000002")).center();
    const QPoint debajo(vista->width() / 2, vista->height() - 4);
    ASSERT_EQ(arbol.itemAt(debajo), nullptr);
    QSignalSpy clics(&arbol, &QTreeWidget::itemClicked);
    const auto elegida = [&arbol] { return arbol.ClaveSeleccionada().toStdString(); };

    QTest::mouseClick(vista, Qt::LeftButton, {}, sobreA);
    ASSERT_EQ(elegida(), "2-000001-000001");
    ASSERT_EQ(clics.count(), 1);

    QTest::mouseClick(vista, Qt::RightButton, {}, sobreB);
    EXPECT_EQ(elegida(), "2-000001-000001");
    QTest::mouseClick(vista, Qt::LeftButton, {}, debajo);
    EXPECT_EQ(elegida(), "2-000001-000001");
    QTest::mouseClick(vista, Qt::RightButton, {}, debajo);
    EXPECT_EQ(elegida(), "2-000001-000001");
    EXPECT_EQ(clics.count(), 1);

    QTest::mouseClick(vista, Qt::LeftButton, {}, sobreB);
    EXPECT_EQ(elegida(), "2-000001-000002");
    EXPECT_EQ(clics.count(), 2);
}

// A refused node leaves no trace: its key can be used afterwards, and a node is always put under the
// parent its key names now, also after the tree was emptied and filled again.
TEST(ArbolNodos, UnNodoRechazadoNoDejaRastroYElPadreEsElDeAhora) {
    ArbolNodos arbol;
    const auto error = [&arbol](const QString& padre, const QString& clave) {
        try {
            arbol.AnadirNodo(padre, clave, "X", {});
        } catch (const dao::ErrorBD& e) {
            return e.Numero();
        }
        return 0;
    };
    arbol.AnadirNodo({}, "RAIZ", "Canciones", {});
    arbol.AnadirNodo("RAIZ", "1-000001-000001", "CD1", {});
    EXPECT_EQ(error("1-000001-000009", "2-000001-000001"), 35601);
    EXPECT_EQ(arbol.Nodo("2-000001-000001"), nullptr);
    EXPECT_EQ(error("1-000001-000001", "2-000001-000001"), 0);
    EXPECT_EQ(error("1-000001-000001", "2-000001-000001"), 35602);
    EXPECT_EQ(arbol.Nodo("1-000001-000001")->childCount(), 1);

    arbol.Vaciar();
    arbol.AnadirNodo({}, "RAIZ", "Canciones", {});
    arbol.AnadirNodo("RAIZ", "1-000001-000001", "CD2", {});
    arbol.AnadirNodo("1-000001-000001", "2-000001-000001", "\\B\\", {});
    const QTreeWidgetItem* ruta = arbol.Nodo("2-000001-000001");
    ASSERT_NE(ruta, nullptr);
    EXPECT_EQ(ruta->parent(), arbol.Nodo("1-000001-000001"));
    EXPECT_EQ(ruta->parent()->text(0), QStringLiteral("CD2"));
}
