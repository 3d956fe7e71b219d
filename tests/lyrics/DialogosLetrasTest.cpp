// The lyric picker and the song style dialog.
#include "PruebaLetras.h"

#include "lyrics/frmConfigCancion.h"
#include "lyrics/frmSelCancion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class frmSelCancionTest : public PruebaLetras {
protected:
    // A picker for the song fila, its song windows recorded as they open.
    frmSelCancion* Selector(const QString& titulo, catalogo::IdCancion fila) {
        auto* selector = new frmSelCancion;
        QObject::connect(selector, &frmSelCancion::CancionAbierta, selector, [this](frmCancion* ventana) {
            abiertas << ventana;
            QObject::connect(ventana, &frmCancion::MarcaLetra, ventana,
                             [this](catalogo::IdCancion f, const QString& m) {
                                 marcas << QStringLiteral("%1:%2").arg(f).arg(m);
                             });
        });
        selector->CargarDatos(titulo, fila);
        selector->show();
        return selector;
    }
    static QStringList Items(const frmSelCancion& selector) {
        QStringList items;
        for (int i = 0; i < selector.ListViewSel->topLevelItemCount(); ++i) {
            QStringList celdas;
            for (int c = 0; c < 4; ++c)
                celdas << selector.ListViewSel->topLevelItem(i)->text(c);
            items << celdas.join(u'|');
        }
        return items;
    }
    static void Elegir(frmSelCancion* selector, int item) {
        QPointer<frmSelCancion> vigilado = selector;
        selector->ListViewSel->setCurrentItem(selector->ListViewSel->topLevelItem(item));
        selector->ListViewSel->itemDoubleClicked(selector->ListViewSel->currentItem(), 0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(vigilado);
    }
    QList<QPointer<frmCancion>> abiertas;
};

} // namespace

TEST_F(frmSelCancionTest, ListaLosHomonimosConLetraTrasNuevaLetra) {
    const auto fila = Cancion(QStringLiteral("Z"), QStringLiteral("Luna"));
    Cancion(QStringLiteral("B"), QStringLiteral("LUNA"), 1, QStringLiteral("Bea"));
    Cancion(QStringLiteral("A"), QStringLiteral("luna"), 2, QStringLiteral("Ana"));
    Cancion(QStringLiteral("C"), QStringLiteral("Luna"), 0);
    Cancion(QStringLiteral("D"), QStringLiteral("Sol"), 3);
    frmSelCancion* selector = Selector(QStringLiteral("Luna"), fila);
    EXPECT_EQ(selector->windowTitle(), QStringLiteral("Seleccione la Letra asociada:"));
    EXPECT_EQ(selector->txtSel->text(), QStringLiteral("Titulo: Luna"));
    EXPECT_EQ(Items(*selector),
              (QStringList{QStringLiteral("NUEVA LETRA| | | "), QStringLiteral("A|\\|Ana|1.000"),
                           QStringLiteral("B|\\|Bea|1.000")})
                  .replaceInStrings(QStringLiteral("1.000"), QLocale().toString(1000)));
    delete selector;
}

TEST_F(frmSelCancionTest, ElegirUnaLetraExistenteLaAbreSinAsociarla) {
    const auto fila = Cancion(QStringLiteral("Z"), QStringLiteral("Luna"));
    Cancion(QStringLiteral("A"), QStringLiteral("Luna"), 4, QStringLiteral("Ana"));
    catalogo.AnadirLetra(4, QStringLiteral("la de Ana"));
    Elegir(Selector(QStringLiteral("Luna"), fila), 1);
    ASSERT_EQ(abiertas.size(), 1);
    EXPECT_EQ(abiertas[0]->Delante()->toPlainText(), QStringLiteral("la de Ana"));
    EXPECT_EQ(abiertas[0]->txtAutor->text(), QStringLiteral("Autor:  Ana"));
    EXPECT_TRUE(abiertas[0]->isVisible());
    EXPECT_EQ(Idx(fila), 0);
    // Closed unchanged: the song still has no lyric of its own.
    EXPECT_TRUE(Cerrar(abiertas[0]));
    EXPECT_EQ(marcas, QStringList{QStringLiteral("%1:N").arg(fila)});
}

TEST_F(frmSelCancionTest, NuevaLetraDaElNumeroSiguienteYNuncaSustituyeUnNumero) {
    for (int idx : {1, 2, 7})
        catalogo.AnadirLetra(idx, QStringLiteral("l%1").arg(idx));
    const auto fila = Cancion(QStringLiteral("Z"), QStringLiteral("Luna"));
    // Adding a directory twice repeats everything but the row: the row chosen is the one written.
    const auto gemela = Cancion(QStringLiteral("Z"), QStringLiteral("Luna"));
    Elegir(Selector(QStringLiteral("Luna"), gemela), 0);
    EXPECT_EQ(Idx(gemela), 8);
    EXPECT_EQ(Idx(fila), 0);
    EXPECT_TRUE(Lyrics(8).isNull());
    ASSERT_EQ(abiertas.size(), 1);
    EXPECT_EQ(abiertas[0]->Idx(), 8);
    // The song has got lyric 8 meanwhile: "NUEVA LETRA" from an older picker opens it.
    Elegir(Selector(QStringLiteral("Luna"), gemela), 0);
    EXPECT_EQ(Idx(gemela), 8);
    ASSERT_EQ(abiertas.size(), 2);
    EXPECT_EQ(abiertas[1]->Idx(), 8);
    EXPECT_EQ(BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM LETRAS"))->Field(0).toInt(),
              4);
}

TEST_F(frmSelCancionTest, SeEnsanchaConOchoElementosYEscCierraSinAbrirNada) {
    const auto fila = Cancion(QStringLiteral("Z"), QStringLiteral("Luna"));
    frmSelCancion* estrecho = Selector(QStringLiteral("Luna"), fila);
    const int ancho = estrecho->width();
    delete estrecho;
    for (int i = 0; i < 6; ++i)
        Cancion(QStringLiteral("A%1").arg(i), QStringLiteral("Luna"), i + 1);
    frmSelCancion* siete = Selector(QStringLiteral("Luna"), fila);
    EXPECT_EQ(siete->width(), ancho);
    delete siete;
    Cancion(QStringLiteral("A7"), QStringLiteral("Luna"), 7);
    QPointer<frmSelCancion> ocho = Selector(QStringLiteral("Luna"), fila);
    EXPECT_EQ(ocho->width(), ancho + 16);
    QTest::keyClick(ocho->ListViewSel, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(ocho);
    EXPECT_TRUE(abiertas.isEmpty());
    EXPECT_EQ(Idx(fila), 0);
}

TEST_F(frmSelCancionTest, UnTituloConCaracteresDePatronHallaSoloSusHomonimos) {
    const auto fila = Cancion(QStringLiteral("Z"), QStringLiteral("[Luna*"));
    Cancion(QStringLiteral("A"), QStringLiteral("[luna*"), 1);
    Cancion(QStringLiteral("B"), QStringLiteral("[Lunas"), 2);
    frmSelCancion* selector = Selector(QStringLiteral("[Luna*"), fila);
    EXPECT_EQ(Items(*selector).size(), 2);
    EXPECT_TRUE(Items(*selector).last().startsWith(QStringLiteral("A|")));
    EXPECT_TRUE(guion.mensajes.empty());
    delete selector;
}

namespace {
class frmConfigCancionTest : public PruebaLetras {
protected:
    frmCancion* Ventana() {
        const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 1);
        catalogo.AnadirLetra(1, QStringLiteral("texto"));
        return Abrir(1, fila);
    }
    static frmConfigCancion& Configurar(frmCancion* ventana) {
        QTest::mouseClick(ventana->img[1], Qt::LeftButton);
        return frmConfigCancion::Instancia();
    }
};
} // namespace

TEST_F(frmConfigCancionTest, ElEjemploTomaElEstiloDeLaVentanaYCancelarNoCambiaNada) {
    frmCancion* ventana = Ventana();
    frmConfigCancion& dialogo = Configurar(ventana);
    EXPECT_EQ(dialogo.windowTitle(), QStringLiteral("Configurar Canción"));
    EXPECT_EQ(dialogo.cmdOK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(dialogo.cmdCancel->text(), QStringLiteral("&Cancel"));
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_FALSE(dialogo.isModal());
    EXPECT_EQ(dialogo.Padre, ventana);
    EXPECT_EQ(dialogo.Ejemplo().NombreFuente, QStringLiteral("Arial"));
    EXPECT_EQ(dialogo.Ejemplo().ColorFondo, 12640511u);
    // The font and colour dialogs cancelled: the sample stays.
    dialogo.cmdConfigTexto->click();
    dialogo.cmdConfigColorTexto->click();
    dialogo.cmdConfigColorFondo->click();
    EXPECT_EQ(dialogo.Ejemplo().ColorTexto, 0u);
    guion.colores = {QColor(Qt::green)};
    dialogo.cmdConfigColorFondo->click();
    EXPECT_EQ(dialogo.txtEjemplo->palette().color(QPalette::Base), QColor(Qt::green));
    dialogo.cmdCancel->click();
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(ventana->Delante()->palette().color(QPalette::Base), QColor(255, 224, 192));
}

TEST_F(frmConfigCancionTest, OkPoneElEstiloEnLasTresCajasYSoloEnEstaVentana) {
    frmCancion* otra = Ventana();
    frmCancion* ventana = Abrir(1, otra->Fila());
    frmConfigCancion& dialogo = Configurar(ventana);
    QFont fuente(QStringLiteral("Courier"), 14);
    fuente.setItalic(true);
    fuente.setStrikeOut(true);
    guion.fuentes = {fuente};
    guion.colores = {QColor(Qt::blue), QColor(Qt::yellow)};
    dialogo.cmdConfigTexto->click();
    dialogo.cmdConfigColorTexto->click();
    dialogo.cmdConfigColorFondo->click();
    dialogo.cmdOK->click();
    for (QPlainTextEdit* caja : ventana->txtLyrics) {
        EXPECT_EQ(caja->font().family(), QStringLiteral("Courier"));
        EXPECT_TRUE(caja->font().italic() && caja->font().strikeOut());
        EXPECT_EQ(caja->palette().color(QPalette::Text), QColor(Qt::blue));
        EXPECT_EQ(caja->palette().color(QPalette::Base), QColor(Qt::yellow));
    }
    EXPECT_EQ(ventana->txtTitulo->palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_EQ(ventana->txtTitulo->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(otra->Delante()->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(Estado::EstiloLetras.NombreFuente, QStringLiteral("Arial"));
    // Justifying afterwards keeps the style, and the dialog opened from the other window retargets.
    QTest::mouseClick(ventana->img[2], Qt::LeftButton);
    EXPECT_EQ(ventana->Delante()->font().family(), QStringLiteral("Courier"));
    EXPECT_EQ(Configurar(otra).Padre, otra);
    EXPECT_EQ(dialogo.Ejemplo().NombreFuente, QStringLiteral("Arial"));
}

TEST_F(frmConfigCancionTest, OkTrasCerrarseLaVentanaSoloCierraElDialogo) {
    frmCancion* ventana = Ventana();
    frmConfigCancion& dialogo = Configurar(ventana);
    EXPECT_TRUE(Cerrar(ventana));
    EXPECT_FALSE(dialogo.Padre);
    dialogo.cmdOK->click();
    EXPECT_FALSE(dialogo.isVisible());
}
