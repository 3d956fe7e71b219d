// The query by lyric text: its dialog, the songs it finds and the work table of each result window.

#include "PruebaConsultas.h"

#include "lyrics/frmCancion.h"
#include "queries/frmNuevaConsultaPorLetra.h"
#include "store/BBDD.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {
class ConsultaPorLetra : public PruebaConsultas {
protected:
    ConsultaPorLetra() {
        catalogo.AnadirCancion("Rock", "\\B\\", "Ana", "Corazón", "mp3", 1000, 1, 1);
        catalogo.AnadirCancion("Pop", "\\A\\", "Luis", "Árbol", "mp3", 1000, 2, 1);
        catalogo.AnadirCancion("Pop", "\\A\\", "O'Neil", "Noche", "mp3", 1000, 3, 2);
        catalogo.AnadirCancion("Pop", "\\A\\", "Sin letra", "Corazón", "mp3", 1000, 0, 3);
        catalogo.AnadirLetra(1, "Mi CORAZÓN late\r\nsin parar");
        catalogo.AnadirLetra(2, "el corazón del árbol");
        catalogo.AnadirLetra(3, "it's the night\nsin parar");
    }
    frmConsulta* Consultar(const QString& texto, const Consultas::TextosCampos& campos = {},
                           bool ignorarAcentos = false) {
        auto& d = Abrir<frmNuevaConsultaPorLetra>(espacio.mnuConsultaPorLetra);
        d.txtTexto->setPlainText(texto);
        d.chkIgnorarAcentos->setChecked(ignorarAcentos);
        QLineEdit* const lineas[] = {d.txtCabecera, d.txtRuta, d.txtAutor, d.txtTitulo, d.txtExtension};
        for (int i = 0; i < Consultas::NumeroCampos; ++i)
            lineas[i]->setText(campos[i]);
        const qsizetype antes = Resultados().size();
        PruebaConsultas::Consultar(d);
        return Resultados().size() > antes ? Ultimo() : nullptr;
    }
    static QStringList TablasAux() {
        return BBDD::BaseDatos->TableNames().filter(QRegularExpression(QStringLiteral("^AUX[0-9]+$")));
    }
};
} // namespace

TEST_F(ConsultaPorLetra, ElDialogoSeActivaConCualquierTextoYEscapeLoCierra) {
    auto& d = Abrir<frmNuevaConsultaPorLetra>(espacio.mnuConsultaPorLetra);
    EXPECT_EQ(d.windowTitle(), "Nueva Consulta - Por Letra");
    EXPECT_EQ(d.lblLetra->text(), "Letra");
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
    EXPECT_FALSE(d.lblLetra->isEnabled());
    d.txtTexto->setPlainText("x");
    EXPECT_TRUE(d.lblLetra->isEnabled());
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    d.txtTexto->clear();
    EXPECT_FALSE(d.cmdConsultar->isEnabled());
    d.txtExtension->setText("mp3");
    EXPECT_TRUE(d.lblExtension->isEnabled());
    EXPECT_TRUE(d.cmdConsultar->isEnabled());
    QTest::keyClick(d.txtTexto, Qt::Key_Escape);
    EXPECT_FALSE(Abierto<frmNuevaConsultaPorLetra>());
}

TEST_F(ConsultaPorLetra, HallaElTextoSinDistinguirMayusculasNiFormaDeSalto) {
    frmConsulta* consulta = Consultar("corazón");
    ASSERT_NE(consulta, nullptr);
    EXPECT_EQ(Cabeceras(*consulta), (QStringList{"Cabecera", "Ruta", "Autor", "Título", "Ext.", "L"}));
    EXPECT_EQ(Filas(*consulta), (QStringList{"Pop|\\A\\|Luis|Árbol|mp3|S", "Rock|\\B\\|Ana|Corazón|mp3|S"}));
    EXPECT_EQ(Columna(*Consultar("LATE\nSIN"), "Autor"), QStringList{"Ana"});
    EXPECT_EQ(Columna(*Consultar("sin parar"), "Autor"), (QStringList{"O'Neil", "Ana"}));
    // The apostrophe is searched as typed; in a field it stands for any one character.
    EXPECT_EQ(Columna(*Consultar("it's"), "Autor"), QStringList{"O'Neil"});
    EXPECT_EQ(Consultar("its"), nullptr);
    EXPECT_EQ(Columna(*Consultar("", {"", "", "O'Neil", "", ""}), "Autor"), QStringList{"O'Neil"});
    EXPECT_EQ(Ultimo()->Total(), 1);
}

TEST_F(ConsultaPorLetra, IgnorarAcentosEsOpcional) {
    auto& d = Abrir<frmNuevaConsultaPorLetra>(espacio.mnuConsultaPorLetra);
    EXPECT_EQ(d.chkIgnorarAcentos->text(), "Ignorar &acentos");
    EXPECT_FALSE(d.chkIgnorarAcentos->isChecked());
    d.close();
    EXPECT_EQ(Consultar("CORAZON"), nullptr);
    EXPECT_EQ(Columna(*Consultar("CORAZON", {}, true), "Autor"), (QStringList{"Luis", "Ana"}));
    EXPECT_EQ(Columna(*Consultar("arbol", {"", "", "", "", ""}, true), "Autor"), QStringList{"Luis"});
}

TEST_F(ConsultaPorLetra, SinEquivalenciasNoQuedaVentanaNiTabla) {
    EXPECT_EQ(Consultar("no está"), nullptr);
    EXPECT_EQ(Textos(), QStringList{"No se encontraron equivalencias.  "});
    EXPECT_TRUE(TablasAux().isEmpty());
    // Songs without lyric are never candidates.
    EXPECT_EQ(Consultar("", {"", "", "Sin letra", "", ""}), nullptr);
    EXPECT_TRUE(TablasAux().isEmpty());
}

TEST_F(ConsultaPorLetra, DosVentanasTienenDosTablasYCerrarUnaDejaLaOtra) {
    frmConsulta* primera = Consultar("sin parar");
    frmConsulta* segunda = Consultar("corazón", {"Rock", "", "", "", ""});
    ASSERT_TRUE(primera && segunda);
    EXPECT_NE(primera->TablaAux(), segunda->TablaAux());
    EXPECT_EQ(TablasAux().size(), 2);
    const QString tabla = segunda->TablaAux();
    segunda->close();
    Soltar();
    EXPECT_EQ(TablasAux(), QStringList{primera->TablaAux()});
    EXPECT_FALSE(TablasAux().contains(tabla));
    // The remaining window sorts by author from its own table.
    primera->ListView->header()->sectionClicked(2);
    EXPECT_EQ(Columna(*primera, "Autor"), (QStringList{"Ana", "O'Neil"}));
}

// The mark of a song window goes to the row that shows its song, after a new sort too, and nowhere
// once the result window has closed.
TEST_F(ConsultaPorLetra, LaMarcaVuelveALaFilaDeSuCancionAunqueSeReordene) {
    frmConsulta* consulta = Consultar("sin parar");
    ASSERT_NE(consulta, nullptr);
    ASSERT_EQ(Columna(*consulta, "Autor"), (QStringList{"O'Neil", "Ana"}));
    DobleClic(*consulta, 1);
    ASSERT_EQ(frmCancion::Abiertas().size(), 1);
    frmCancion* ventana = frmCancion::Abiertas().first();
    EXPECT_EQ(ventana->Delante()->toPlainText(), "Mi CORAZÓN late\nsin parar");
    consulta->ListView->header()->sectionClicked(2);
    ASSERT_EQ(Columna(*consulta, "Autor"), (QStringList{"Ana", "O'Neil"}));
    ventana->Delante()->clear();
    guion.respuestas = {RespuestaMensaje::Si};
    ventana->close();
    EXPECT_EQ(Columna(*consulta, "L"), (QStringList{"N", "S"}));
    EXPECT_EQ(Idx("Ana"), 0);

    DobleClic(*consulta, 1);
    ASSERT_EQ(frmCancion::Abiertas().size(), 1);
    consulta->close();
    Soltar();
    frmCancion::Abiertas().first()->close();
    Soltar();
    EXPECT_TRUE(frmCancion::Abiertas().isEmpty());
}
