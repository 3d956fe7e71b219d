// The deletion progress window and the renumbering dialog, opened on their own.

#include "maintenance/frmEliminando.h"
#include "maintenance/frmReordenar.h"
#include "store/BBDD.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

TEST(frmEliminando, AlAbrirYAlTerminar) {
    QPointer<frmEliminando> ventana = new frmEliminando;
    EXPECT_EQ(ventana->windowTitle(), "Eliminando Base...");
    EXPECT_EQ(ventana->ProgressBar->minimum(), 0);
    EXPECT_EQ(ventana->ProgressBar->maximum(), 100);
    EXPECT_EQ(ventana->cmdHecho->text(), "Hecho!");
    EXPECT_FALSE(ventana->cmdHecho->isEnabled());
    EXPECT_FALSE(ventana->isModal());
    ventana->show();
    ventana->ProgressBar->setMaximum(7);
    ventana->Rotulo(QStringLiteral("Eliminando: Disco"));
    EXPECT_EQ(ventana->windowTitle(), "Eliminando: Disco");
    ventana->Terminar();
    EXPECT_EQ(ventana->windowTitle(), "Terminado");
    EXPECT_EQ(ventana->ProgressBar->value(), 7);
    EXPECT_TRUE(ventana->isVisible()); // until the user presses "Hecho!"
    ASSERT_TRUE(ventana->cmdHecho->isEnabled());
    ventana->cmdHecho->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ventana.isNull());
}

class Reordenar : public ::testing::Test {
protected:
    Reordenar() : guion(InstalarServiciosGuionados()) {
        // Authors C, A, B with sizes 1, 3, 2 in a header holding an apostrophe; a neighbouring route.
        catalogo.AnadirCancion(Cabecera, Ruta, "C", "t", "mp3", 1, 0, 1);
        catalogo.AnadirCancion(Cabecera, Ruta, "A", "t", "mp3", 3, 0, 2);
        catalogo.AnadirCancion(Cabecera, Ruta, "B", "t", "mp3", 2, 0, 3);
        catalogo.AnadirCancion(Cabecera, "\\Otra\\", "Z", "t", "mp3", 9, 0, 7);
        dialogo.CargarDatos(Cabecera, Ruta);
        QObject::connect(&dialogo, &frmReordenar::RutaReordenada, [this] {
            ++avisos;
            mensajesAlAvisar = int(guion.mensajes.size());
        });
    }
    // Authors of the route in REL_POS order, and of the neighbouring route.
    QStringList Autores(const QString& ruta = Ruta) {
        auto rs = BBDD::BaseDatos->OpenRecordset(
            QStringLiteral("SELECT AUTOR FROM CANCIONES WHERE RUTA = '%1' ORDER BY REL_POS").arg(ruta));
        QStringList autores;
        for (; !rs->Eof(); rs->MoveNext())
            autores << rs->Field(0).toString();
        return autores;
    }

    static inline const QString Cabecera = QStringLiteral("L'Album");
    static inline const QString Ruta = QStringLiteral("\\R\\");
    ServiciosGuionados& guion;
    CatalogoPrueba catalogo;
    frmReordenar dialogo;
    int avisos = 0;
    int mensajesAlAvisar = -1;
};

TEST_F(Reordenar, AlAbrir) {
    EXPECT_EQ(dialogo.windowTitle(), "Reordenar Ruta");
    EXPECT_EQ(dialogo.txtCabecera->text(), Cabecera);
    EXPECT_EQ(dialogo.txtRuta->text(), Ruta);
    EXPECT_TRUE(dialogo.txtCabecera->isReadOnly());
    EXPECT_TRUE(dialogo.txtRuta->isReadOnly());
    EXPECT_EQ(dialogo.lblCabecera->text(), "Cabecera:");
    EXPECT_EQ(dialogo.lblRuta->text(), "Ruta:");
    EXPECT_EQ(dialogo.Frame2->title(), "Ordenar por Campo:");
    EXPECT_EQ(dialogo.Frame1->title(), "Ordenación:");
    EXPECT_EQ(
        (QStringList{dialogo.optAutor->text(), dialogo.optTitulo->text(), dialogo.optExtension->text(),
                     dialogo.optTamano->text(), dialogo.optAscendente->text(), dialogo.optDescendente->text(),
                     dialogo.cmdAceptar->text(), dialogo.cmdCancelar->text()}),
        (QStringList{"Autor", "Título", "Extensión", "Tamaño", "Ascendente", "Descendente", "Aceptar",
                     "Cancelar"}));
    EXPECT_TRUE(dialogo.optAutor->isChecked());
    EXPECT_TRUE(dialogo.optAscendente->isChecked());
    // A value is shown whole, however long.
    const QString larga = QStringLiteral("\\") + QString(300, u'x') + QStringLiteral("\\");
    dialogo.CargarDatos(Cabecera, larga);
    EXPECT_EQ(dialogo.txtRuta->text(), larga);
}

TEST_F(Reordenar, AceptarRenumeraAvisaYCierra) {
    struct Caso {
        QRadioButton* campo;
        QRadioButton* sentido;
        QStringList orden;
    };
    const Caso casos[] = {{dialogo.optAutor, dialogo.optAscendente, {"A", "B", "C"}},
                          {dialogo.optAutor, dialogo.optDescendente, {"C", "B", "A"}},
                          {dialogo.optTamano, dialogo.optDescendente, {"A", "B", "C"}},
                          {dialogo.optTamano, dialogo.optAscendente, {"C", "B", "A"}}};
    for (const Caso& caso : casos) {
        guion.mensajes.clear();
        avisos = 0;
        caso.campo->setChecked(true);
        caso.sentido->setChecked(true);
        dialogo.show();
        dialogo.cmdAceptar->click();
        EXPECT_EQ(Autores(), caso.orden)
            << caso.campo->text().toStdString() << caso.sentido->text().toStdString();
        EXPECT_EQ(Autores(QStringLiteral("\\Otra\\")), QStringList{"Z"});
        // The lists are read again before the message.
        EXPECT_EQ(avisos, 1);
        EXPECT_EQ(mensajesAlAvisar, 0);
        ASSERT_EQ(guion.mensajes.size(), 1u);
        EXPECT_EQ(guion.mensajes[0].texto, "Operación terminada con éxito");
        EXPECT_EQ(guion.mensajes[0].titulo, "");
        EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Informacion);
        EXPECT_EQ(guion.mensajes[0].botones, BotonesMensaje::Aceptar);
        EXPECT_EQ(dialogo.result(), QDialog::Accepted);
        EXPECT_FALSE(dialogo.isVisible());
    }
}

TEST_F(Reordenar, CancelarOEscapeNoCambianNada) {
    dialogo.optTitulo->setChecked(true);
    dialogo.show();
    dialogo.cmdCancelar->click();
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_FALSE(dialogo.isVisible());
    dialogo.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialogo, &escape);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(Autores(), (QStringList{"C", "A", "B"}));
    EXPECT_EQ(avisos, 0);
    EXPECT_TRUE(guion.mensajes.empty());
}

TEST_F(Reordenar, UnErrorDelCatalogoSeExplicaYNoCambiaNada) {
    // Another program holds the catalogue for writing.
    auto otro = dao::Database::OpenDatabase(BBDD::RutaBaseDatos);
    otro->BeginTrans();
    otro->Execute(QStringLiteral("UPDATE CANCIONES SET REL_POS = REL_POS"));
    dialogo.show();
    dialogo.cmdAceptar->click();
    otro->Rollback();
    otro.reset();
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(
        guion.mensajes[0].texto.startsWith("No se ha podido reordenar la ruta; su orden no ha cambiado."))
        << guion.mensajes[0].texto.toStdString();
    EXPECT_EQ(guion.mensajes[0].titulo, "Error");
    EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Critico);
    EXPECT_TRUE(dialogo.isVisible()); // to try again or cancel
    EXPECT_EQ(avisos, 0);
    EXPECT_EQ(Autores(), (QStringList{"C", "A", "B"}));
}

} // namespace
