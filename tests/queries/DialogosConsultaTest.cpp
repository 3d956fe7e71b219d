// The query dialogs: what enables "&Realizar Consulta", Escape, the column labels, the SQL dialog's
// trial of the statement, which runs only a single read-only SELECT, and the query each hands over.

#include "PruebaConsultas.h"

#include "queries/DobleOption.h"
#include "queries/EtiquetaPulsable.h"
#include "queries/frmNuevaConsultaAvanzada.h"
#include "queries/frmNuevaConsultaPorLetra.h"
#include "queries/frmNuevaConsultaSQL.h"
#include "queries/frmNuevaConsultaSimple.h"
#include "store/BBDD.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>

namespace {
class DialogosConsulta : public PruebaConsultas {
protected:
    DialogosConsulta() {
        catalogo.AnadirCancion("Rock", "\\A\\", "Queen", "Love of my life", "mp3", 1000, 1, 1);
        catalogo.AnadirLetra(1, "Love of my life, you've hurt me");
    }
};
} // namespace

TEST_F(DialogosConsulta, SimpleSeActivaConAlgunTextoYUnaUnionAndOr) {
    auto& d = Abrir<frmNuevaConsultaSimple>(espacio.mnuConsultaSimple);
    EXPECT_EQ(d.windowTitle(), "Nueva Consulta - Simple");
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
    EXPECT_EQ(d.cmbANDOR->currentText(), "AND");
    ASSERT_EQ(d.cmbANDOR->count(), 2);
    EXPECT_EQ(d.cmbANDOR->itemText(1), "OR");

    d.txtTitulo->setText("love");
    EXPECT_TRUE(d.lblTitulo->isEnabled());
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    d.txtTitulo->clear();
    EXPECT_FALSE(d.lblTitulo->isEnabled());
    EXPECT_FALSE(d.cmdConsultar->isEnabled());

    // The join word is checked at the next field change, letter case counting.
    d.cmbANDOR->setCurrentText("and");
    d.txtAutor->setText("x");
    EXPECT_TRUE(d.lblAutor->isEnabled());
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
    d.cmbANDOR->setCurrentIndex(1);
    d.txtAutor->setText("xy");
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
}

TEST_F(DialogosConsulta, SimpleRechazaUnaUnionEscritaDespuesDelUltimoCambio) {
    auto& d = Abrir<frmNuevaConsultaSimple>(espacio.mnuConsultaSimple);
    d.txtTitulo->setText("love");
    d.cmbANDOR->setCurrentText("AND 1=1 OR");
    ASSERT_TRUE(d.cmdConsultar->isEnabled());
    Consultar(d);
    EXPECT_EQ(Textos(), QStringList{"Escriba AND u OR para unir los criterios.  "});
    ASSERT_TRUE(Abierto<frmNuevaConsultaSimple>());
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    EXPECT_TRUE(d.cmdCancel->isEnabled());
    EXPECT_TRUE(Resultados().isEmpty());
}

TEST_F(DialogosConsulta, SqlEmpiezaConLaSentenciaDeMuestraYLasEtiquetasAlternanSuCasilla) {
    auto& d = Abrir<frmNuevaConsultaSQL>(espacio.mnuConsultaSQL);
    EXPECT_EQ(d.windowTitle(), "Nueva Consulta - SQL");
    EXPECT_EQ(d.txtConsultaSQL->toPlainText(),
              "SELECT * FROM CANCIONES WHERE CABECERA LIKE '*' AND RUTA LIKE '*' AND AUTOR \n"
              "LIKE '*' AND TITULO LIKE '*' AND EXTENSION LIKE '*'\n");
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    QList<bool> marcadas;
    for (QCheckBox* casilla : d.Ver->Casillas())
        marcadas << casilla->isChecked();
    EXPECT_EQ(marcadas, (QList<bool>{true, true, true, true, true, false, false}));

    QTest::mouseClick(d.Ver->lblLetrasAbajo, Qt::LeftButton);
    EXPECT_TRUE(d.Ver->chkVerLetras->isChecked());
    QTest::mouseClick(d.Ver->lblLetrasAbajo, Qt::LeftButton);
    EXPECT_FALSE(d.Ver->chkVerLetras->isChecked());
    d.Ver->chkVerRuta->setCheckState(Qt::PartiallyChecked);
    QTest::mouseClick(d.Ver->lblRutaAbajo, Qt::LeftButton);
    EXPECT_EQ(d.Ver->chkVerRuta->checkState(), Qt::Checked);

    d.txtConsultaSQL->clear();
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
}

TEST_F(DialogosConsulta, AvanzadaRecienAbiertaPermiteConsultarYSigueSusReglas) {
    auto& d = Abrir<frmNuevaConsultaAvanzada>(espacio.mnuConsultaAvanzada);
    EXPECT_EQ(d.windowTitle(), "Nueva Consulta - Avanzada");
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    EXPECT_TRUE(d.cmbLetras->isEnabled());
    EXPECT_TRUE(d.lblLetras->isEnabled());
    EXPECT_TRUE(d.AndOrLetras->Enabled());
    EXPECT_EQ(d.cmbLetras->currentText(), "---");
    for (DobleOption* control : {d.AndOrTitulo, d.SeaContengaTitulo}) {
        EXPECT_FALSE(control->Enabled());
        EXPECT_TRUE(control->Izda());
    }
    d.txtTitulo->setText("t");
    EXPECT_TRUE(d.AndOrTitulo->Enabled());
    EXPECT_TRUE(d.SeaContengaTitulo->Enabled());
    EXPECT_TRUE(d.lblTitulo->isEnabled());
    EXPECT_FALSE(d.SeaContengaAutor->Enabled());
    d.txtTitulo->clear();

    // Without the lyrics column the filter goes, and with it the last used criterion.
    QTest::mouseClick(d.Ver->lblLetrasAbajo, Qt::LeftButton);
    EXPECT_FALSE(d.cmbLetras->isEnabled());
    EXPECT_FALSE(d.lblLetras->isEnabled());
    EXPECT_FALSE(d.AndOrLetras->Enabled());
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
    QTest::mouseClick(d.Ver->lblLetrasAbajo, Qt::LeftButton);
    EXPECT_TRUE(d.cmdConsultar->isEnabled());

    // The lyrics box is checked when a field or a column box changes, letter case counting.
    d.cmbLetras->setCurrentText("si");
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    d.Ver->chkVerLongitud->click();
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
    d.cmbLetras->setCurrentText("SI");
    d.txtAutor->setText("a");
    EXPECT_TRUE(d.cmdConsultar->isEnabled());

    // No column at all.
    for (QCheckBox* casilla : d.Ver->Casillas())
        casilla->setChecked(false);
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
}

TEST_F(DialogosConsulta, EscapeCierraElDialogoDesdeSusControles) {
    struct Caso {
        const char* nombre;
        std::function<QWidget*(frmConsultas&)> abrir; // returns the control that gets the key
    };
    auto simple = [](QWidget* (*control)(frmNuevaConsultaSimple&)) {
        return [control](frmConsultas& e) {
            e.mnuConsultaSimple->trigger();
            return control(*e.findChild<frmNuevaConsultaSimple*>());
        };
    };
    auto sql = [](QWidget* (*control)(frmNuevaConsultaSQL&)) {
        return [control](frmConsultas& e) {
            e.mnuConsultaSQL->trigger();
            return control(*e.findChild<frmNuevaConsultaSQL*>());
        };
    };
    auto avanzada = [](QWidget* (*control)(frmNuevaConsultaAvanzada&)) {
        return [control](frmConsultas& e) {
            e.mnuConsultaAvanzada->trigger();
            return control(*e.findChild<frmNuevaConsultaAvanzada*>());
        };
    };
    const Caso casos[] = {
        {"simple, campo", simple([](frmNuevaConsultaSimple& d) -> QWidget* { return d.txtRuta; })},
        {"simple, unión", simple([](frmNuevaConsultaSimple& d) -> QWidget* { return d.cmbANDOR; })},
        {"simple, botón", simple([](frmNuevaConsultaSimple& d) -> QWidget* { return d.cmdCancel; })},
        {"sql, casilla", sql([](frmNuevaConsultaSQL& d) -> QWidget* { return d.Ver->chkVerLongitud; })},
        {"sql, sentencia", sql([](frmNuevaConsultaSQL& d) -> QWidget* { return d.txtConsultaSQL; })},
        {"avanzada, modo",
         avanzada([](frmNuevaConsultaAvanzada& d) -> QWidget* { return d.SeaContengaAutor->Option2; })},
        {"avanzada, letras", avanzada([](frmNuevaConsultaAvanzada& d) -> QWidget* { return d.cmbLetras; })},
        {"avanzada, unión de letras",
         avanzada([](frmNuevaConsultaAvanzada& d) -> QWidget* { return d.AndOrLetras->Option1; })},
    };
    for (const Caso& caso : casos) {
        QWidget* control = caso.abrir(espacio);
        QTest::keyClick(control, Qt::Key_X);
        Soltar();
        ASSERT_NE(espacio.findChild<DialogoConsulta*>(), nullptr) << caso.nombre;
        QTest::keyClick(control, Qt::Key_Escape);
        Soltar();
        EXPECT_EQ(espacio.findChild<DialogoConsulta*>(), nullptr) << caso.nombre;
        EXPECT_TRUE(Resultados().isEmpty()) << caso.nombre;
    }
}

TEST_F(DialogosConsulta, SqlSoloEjecutaUnSelectDeLectura) {
    const QStringList rechazadas{
        "DELETE * FROM CANCIONES",
        "DROP TABLE LETRAS",
        "UPDATE CANCIONES SET IDX_CANCION = 5",
        "INSERT INTO CANCIONES (CABECERA, RUTA) VALUES ('x', 'y')",
        "ATTACH DATABASE '" + catalogo.Directorio() + "/otra.db' AS otra",
        "SELECT * FROM CANCIONES; DELETE * FROM CANCIONES",
        "SELECT * FROM CANCIONES WHERE",
    };
    const QStringList tablas = BBDD::BaseDatos->TableNames();
    for (const QString& sentencia : rechazadas) {
        guion.mensajes.clear();
        auto& d = Abrir<frmNuevaConsultaSQL>(espacio.mnuConsultaSQL);
        d.txtConsultaSQL->setPlainText(sentencia);
        Consultar(d);
        ASSERT_EQ(guion.mensajes.size(), 1u) << sentencia.toStdString();
        EXPECT_EQ(guion.mensajes[0].texto, "Error, la consulta es incorrecta  ");
        EXPECT_EQ(guion.mensajes[0].titulo, "ERROR");
        EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Exclamacion);
        ASSERT_TRUE(Abierto<frmNuevaConsultaSQL>());
        EXPECT_TRUE(d.cmdConsultar->isEnabled() && d.cmdCancel->isEnabled());
        EXPECT_TRUE(Resultados().isEmpty());
        d.close();
        Soltar();
    }
    EXPECT_EQ(BBDD::BaseDatos->TableNames(), tablas);
    EXPECT_EQ(NumeroCanciones(), 1);
    EXPECT_EQ(Idx("Queen"), 1);
    EXPECT_FALSE(QFile::exists(catalogo.Directorio() + "/otra.db"));
}

TEST_F(DialogosConsulta, SqlQueNoDevuelveLasColumnasElegidasLoDiceYDejaCorregir) {
    auto& d = Abrir<frmNuevaConsultaSQL>(espacio.mnuConsultaSQL);
    d.txtConsultaSQL->setPlainText("SELECT TITULO, AUTOR FROM CANCIONES");
    QTest::mouseClick(d.Ver->lblLetrasAbajo, Qt::LeftButton);
    Consultar(d);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(
        guion.mensajes[0].texto,
        "La consulta no devuelve las columnas que se quieren ver: CABECERA, RUTA, EXTENSION, IDX_CANCION.  ");
    EXPECT_EQ(guion.mensajes[0].titulo, "ERROR");
    ASSERT_TRUE(Abierto<frmNuevaConsultaSQL>());
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    EXPECT_TRUE(Resultados().isEmpty());
}

// Each dialog, with no workspace behind it, hands over the query its controls describe, once, and stays
// open with its buttons disabled until the receiver closes it.
TEST_F(DialogosConsulta, CadaDialogoEntregaLaConsultaQueDescribe) {
    using namespace Consultas;
    const QString base = "SELECT * FROM CANCIONES";
    struct Caso {
        const char* nombre;
        std::function<DialogoConsulta*()> rellenar;
        PeticionConsulta esperada;
    };
    const Caso casos[] = {
        {"simple",
         [] {
             auto* d = new frmNuevaConsultaSimple(nullptr);
             d->txtAutor->setText("Queen");
             d->txtTitulo->setText("love");
             d->cmbANDOR->setCurrentIndex(1);
             return d;
         },
         {.sentencia = base + " WHERE AUTOR LIKE '*Queen*' OR TITULO LIKE '*love*'",
          .criterios = {"", "", "Queen", "love", ""}}},
        {"avanzada, exacta, sin letra, inteligente, con tamaño",
         [] {
             auto* d = new frmNuevaConsultaAvanzada(nullptr);
             d->txtTitulo->setText("Love of my life");
             d->SeaContengaTitulo->Option2->click();
             d->cmbLetras->setCurrentText("NO");
             d->Ver->chkVerLongitud->click();
             d->chkInteligente->click();
             return d;
         },
         {.sentencia = base + " WHERE TITULO LIKE 'Love of my life' AND IDX_CANCION = 0",
          .criterios = {"", "", "", "Love of my life", ""},
          .vistas = {true, true, true, true, true, true, true},
          .letrasInteligente = true}},
        // The "?" filter marks every row itself: the intelligent marking has nothing to add.
        {"avanzada, filtro ?",
         [] {
             auto* d = new frmNuevaConsultaAvanzada(nullptr);
             d->cmbLetras->setCurrentText("?");
             d->chkInteligente->click();
             return d;
         },
         {.sentencia =
              base +
              " WHERE IDX_CANCION = 0 AND TITULO IN ( SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0 )",
          .filtroInteligente = true}},
        {"sql",
         [] {
             auto* d = new frmNuevaConsultaSQL(nullptr);
             d->txtConsultaSQL->setPlainText("SELECT * FROM CANCIONES WHERE AUTOR = 'Queen'");
             d->Ver->chkVerRuta->click();
             return d;
         },
         {.sentencia = "SELECT * FROM CANCIONES WHERE AUTOR = 'Queen'",
          .vistas = {true, false, true, true, true, false, false}}},
        {"por letra",
         [] {
             auto* d = new frmNuevaConsultaPorLetra(nullptr);
             d->txtTexto->setPlainText("hurt");
             d->txtAutor->setText("Queen");
             return d;
         },
         {.textoLetra = "hurt", .criterios = {"", "", "Queen", "", ""}}},
    };
    for (const Caso& caso : casos) {
        std::unique_ptr<DialogoConsulta> d(caso.rellenar());
        d->setAttribute(Qt::WA_DeleteOnClose, false);
        QList<PeticionConsulta> recibidas;
        QObject::connect(d.get(), &DialogoConsulta::ConsultaPedida,
                         [&](const PeticionConsulta& peticion) { recibidas << peticion; });
        d->show();
        d->cmdConsultar->click();
        ASSERT_EQ(recibidas.size(), 1) << caso.nombre;
        const PeticionConsulta& p = recibidas[0];
        EXPECT_EQ(p.sentencia, caso.esperada.sentencia) << caso.nombre;
        EXPECT_EQ(p.textoLetra, caso.esperada.textoLetra) << caso.nombre;
        EXPECT_EQ(p.criterios, caso.esperada.criterios) << caso.nombre;
        EXPECT_EQ(p.vistas, caso.esperada.vistas) << caso.nombre;
        EXPECT_EQ(p.letrasInteligente, caso.esperada.letrasInteligente) << caso.nombre;
        EXPECT_EQ(p.filtroInteligente, caso.esperada.filtroInteligente) << caso.nombre;
        EXPECT_TRUE(d->isVisible()) << caso.nombre;
        EXPECT_FALSE(d->cmdConsultar->isEnabled() || d->cmdCancel->isEnabled()) << caso.nombre;
        EXPECT_TRUE(guion.mensajes.empty()) << caso.nombre;
    }
}
