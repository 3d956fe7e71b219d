// The song window: loading, the closing prompts and their answers, the marks, justification, the tool
// images and the faults that must not lose a lyric.
#include "PruebaLetras.h"

#include "list/frmConfigLista.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

namespace {

Mensaje PreguntaGuardar() {
    return {QStringLiteral("¿Desea guardar los cambios?"), QStringLiteral("El texto ha cambiado"),
            BotonesMensaje::SiNo, IconoMensaje::Pregunta, RespuestaMensaje::No};
}
Mensaje PreguntaEliminar() {
    return {QStringLiteral("¿Desea realmente eliminar esta Letra?  "), QStringLiteral("Aviso de eliminación"),
            BotonesMensaje::SiNo, IconoMensaje::Pregunta, RespuestaMensaje::No};
}
void EsperarMensaje(const Mensaje& visto, const Mensaje& esperado) {
    EXPECT_EQ(visto.texto, esperado.texto);
    EXPECT_EQ(visto.titulo, esperado.titulo);
    EXPECT_EQ(visto.botones, esperado.botones);
    EXPECT_EQ(visto.icono, esperado.icono);
    EXPECT_EQ(visto.predeterminado, esperado.predeterminado);
}

// The widgets that Tab visits in the window, in order.
QList<QWidget*> OrdenTabulacion(QWidget* ventana) {
    QList<QWidget*> orden;
    for (QWidget* w = ventana->nextInFocusChain(); w != ventana; w = w->nextInFocusChain())
        if (w->isVisibleTo(ventana) && (w->focusPolicy() & Qt::TabFocus))
            orden << w;
    return orden;
}

class frmCancionTest : public PruebaLetras {};

} // namespace

TEST_F(frmCancionTest, MuestraLaLetraYLaCancionConElEstiloCompartido) {
    Estado::EstiloLetras.Justificacion = 2;
    Estado::EstiloLetras.ColorFondo = 0x0000FF; // red
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("Luna"), 3, QStringLiteral("Ana"));
    catalogo.AnadirLetra(3, QStringLiteral("primera\r\nsegunda"));
    frmCancion* ventana = Abrir(3, fila);
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Canción"));
    EXPECT_EQ(ventana->txtAutor->text(), QStringLiteral("Autor:  Ana"));
    EXPECT_EQ(ventana->txtTitulo->text(), QStringLiteral("Título:  Luna"));
    EXPECT_EQ(ventana->Justificacion, 2);
    EXPECT_EQ(ventana->Delante(), ventana->txtLyrics[2]);
    EXPECT_EQ(ventana->txtLyrics[2]->toPlainText(), QStringLiteral("primera\nsegunda"));
    EXPECT_TRUE(ventana->txtLyrics[0]->toPlainText().isEmpty());
    EXPECT_EQ(ventana->txtLyrics[1]->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(ventana->txtAutor->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(ventana->txtAutor->font().family(), QStringLiteral("Arial"));
    EXPECT_FALSE(ventana->Modificado);
}

// A lyric read from a music file says so in the caption until the user saves it.
TEST_F(frmCancionTest, ElTituloDiceDeDondeSeLeyoLaLetra) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("Luna"), 3);
    const auto otra = Cancion(QStringLiteral("C"), QStringLiteral("Sol"), 4);
    BBDD::BaseDatos->Execute(QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS, ORIGEN) VALUES "
                                            "(3, 'de la etiqueta', 'etiquetas')"));
    BBDD::BaseDatos->Execute(
        QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS, ORIGEN) VALUES (4, 'del lrc', 'Sol.lrc')"));
    frmCancion* ventana = Abrir(3, fila);
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Canción - letra leída de las etiquetas del fichero"));
    EXPECT_EQ(Abrir(4, otra)->windowTitle(), QStringLiteral("Canción - letra leída de «Sol.lrc»"));
    QTest::keyClicks(ventana->Delante(), QStringLiteral("x"));
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_TRUE(Cerrar(ventana));
    EXPECT_EQ(Abrir(3, fila)->windowTitle(), QStringLiteral("Canción"));
}

// The list configuration writes the run's lyric style: a song window already open keeps the style it
// copied when it loaded, one opened afterwards takes the new one.
TEST_F(frmCancionTest, ElEstiloAplicadoLlegaSoloALasVentanasAbiertasDespues) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("Luna"), 3);
    catalogo.AnadirLetra(3, QStringLiteral("letra"));
    frmCancion* antes = Abrir(3, fila);
    VentanasPrueba ventanas; // the dialog's justification pictures live in frmAux
    frmConfigLista dialogo(Lista::OpcionesLista{});
    dialogo.img_Click(2);
    dialogo.cmdAplicar->click();
    frmCancion* despues = Abrir(3, fila);
    EXPECT_EQ(antes->Justificacion, 0);
    EXPECT_EQ(antes->Delante(), antes->txtLyrics[0]);
    EXPECT_EQ(despues->Justificacion, 2);
    EXPECT_EQ(despues->Delante(), despues->txtLyrics[2]);
    EXPECT_EQ(despues->Delante()->toPlainText(), QStringLiteral("letra"));
}

// What the user types as soon as the window opens goes into the lyric, whichever box is in front; the
// read-only author and title follow it in tab order.
TEST_F(frmCancionTest, LoTecleadoAlAbrirVaALaLetra) {
    for (const std::uint8_t justificacion : {0, 1, 2}) {
        Estado::EstiloLetras.Justificacion = justificacion;
        const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 20 + justificacion);
        frmCancion* ventana = Abrir(20 + justificacion, fila, true);
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana));
        QWidget* foco = QApplication::focusWidget();
        ASSERT_EQ(foco, ventana->Delante()) << int(justificacion);
        QTest::keyClicks(foco, QStringLiteral("hola"));
        EXPECT_EQ(ventana->Delante()->toPlainText(), QStringLiteral("hola"));
        EXPECT_TRUE(ventana->Modificado);
        EXPECT_EQ(OrdenTabulacion(ventana),
                  (QList<QWidget*>{ventana->Delante(), ventana->txtAutor, ventana->txtTitulo}));
        guion.respuestas = {RespuestaMensaje::Si};
        EXPECT_TRUE(Cerrar(ventana));
        EXPECT_EQ(Lyrics(20 + justificacion).toString(), QStringLiteral("hola"));
    }
}

TEST_F(frmCancionTest, AbrirYCerrarSinCambiosNoPreguntaNiEscribe) {
    // Stored with LF, not the program's own form: it must stay byte for byte.
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 1);
    catalogo.AnadirLetra(1, QStringLiteral("a\nb\u00a0c\td"));
    EXPECT_TRUE(Cerrar(Abrir(1, fila)));
    EXPECT_TRUE(guion.mensajes.empty());
    EXPECT_EQ(Lyrics(1).toString(), QStringLiteral("a\nb\u00a0c\td"));
    EXPECT_EQ(marcas, QStringList{QStringLiteral("%1:S").arg(fila)});
}

TEST_F(frmCancionTest, GuardarCambiosSegunLaRespuesta) {
    for (const RespuestaMensaje respuesta : {RespuestaMensaje::Si, RespuestaMensaje::No}) {
        const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 1);
        catalogo.AnadirLetra(1, QStringLiteral("vieja"));
        frmCancion* ventana = Abrir(1, fila);
        QTest::keyClicks(ventana->Delante(), QStringLiteral("x"));
        ventana->Delante()->appendPlainText(QStringLiteral("línea\u00a0nueva 🎵"));
        guion.respuestas = {respuesta};
        EXPECT_TRUE(Cerrar(ventana));
        ASSERT_EQ(guion.mensajes.size(), 1u);
        EsperarMensaje(guion.mensajes[0], PreguntaGuardar());
        EXPECT_EQ(Lyrics(1).toString(), respuesta == RespuestaMensaje::Si
                                            ? QStringLiteral("xvieja\r\nlínea\u00a0nueva 🎵")
                                            : QStringLiteral("vieja"));
        EXPECT_EQ(marcas.last(), QStringLiteral("%1:S").arg(fila));
        BBDD::BaseDatos->Execute(QStringLiteral("DELETE FROM LETRAS"));
        guion.mensajes.clear();
    }
}

TEST_F(frmCancionTest, CambiarLaJustificacionCopiaElTextoYCuentaComoCambio) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 1);
    catalogo.AnadirLetra(1, QStringLiteral("uno\r\ndos"));
    frmCancion* ventana = Abrir(1, fila);
    struct {
        int imagen, delante;
    } pasos[] = {{2, 2}, {4, 1}, {3, 0}};
    for (const auto& paso : pasos) {
        QTest::mouseClick(ventana->img[paso.imagen], Qt::LeftButton);
        EXPECT_EQ(ventana->Justificacion, paso.delante);
        EXPECT_EQ(ventana->Delante(), ventana->txtLyrics[paso.delante]);
        EXPECT_EQ(ventana->Delante()->textCursor().position(), 1);
        for (QPlainTextEdit* caja : ventana->txtLyrics)
            EXPECT_EQ(caja->toPlainText(), QStringLiteral("uno\ndos"));
    }
    EXPECT_TRUE(ventana->Modificado);
    // The shared style is not written by a window's justification.
    EXPECT_EQ(Estado::EstiloLetras.Justificacion, 0);
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_TRUE(Cerrar(ventana));
    EXPECT_EQ(Textos(), QStringList{PreguntaGuardar().texto});
    EXPECT_EQ(Lyrics(1).toString(), QStringLiteral("uno\r\ndos"));
}

TEST_F(frmCancionTest, LasImagenesTienenSusTresAspectos) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 1);
    catalogo.AnadirLetra(1, QStringLiteral("x"));
    frmCancion* ventana = Abrir(1, fila);
    auto dibujo = [&](int k) { return ventana->img[k]->property("dibujo").toInt(); };
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(dibujo(k), 3 * k - 2);
    QTest::mouseMove(ventana->img[3]);
    EXPECT_EQ(dibujo(3), 8);
    QTest::mousePress(ventana->img[3], Qt::LeftButton);
    EXPECT_EQ(dibujo(3), 9);
    QTest::mouseMove(ventana->txtTitulo);
    EXPECT_EQ(dibujo(3), 7);
    EXPECT_FALSE(ventana->img[3]->pixmap().isNull());
    // The right button does not press.
    QTest::mousePress(ventana->img[2], Qt::RightButton);
    EXPECT_EQ(dibujo(2), 4);
}

TEST_F(frmCancionTest, UnaLetraVaciadaPideEliminarla) {
    for (const RespuestaMensaje respuesta : {RespuestaMensaje::No, RespuestaMensaje::Si}) {
        // Two songs share the lyric: deleting it detaches both.
        const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 4);
        const auto otra = Cancion(QStringLiteral("D"), QStringLiteral("T"), 4);
        catalogo.AnadirLetra(4, QStringLiteral("texto"));
        frmCancion* ventana = Abrir(4, fila);
        ventana->Delante()->clear();
        guion.respuestas = {respuesta};
        EXPECT_TRUE(Cerrar(ventana));
        ASSERT_EQ(guion.mensajes.size(), 1u);
        EsperarMensaje(guion.mensajes[0], PreguntaEliminar());
        if (respuesta == RespuestaMensaje::No) {
            EXPECT_EQ(Lyrics(4).toString(), QStringLiteral("texto"));
            EXPECT_EQ(marcas.last(), QStringLiteral("%1:S").arg(fila));
        } else {
            EXPECT_EQ(Lyrics(4).toString(), QStringLiteral("<sin fila>"));
            EXPECT_EQ(Idx(fila), 0);
            EXPECT_EQ(Idx(otra), 0);
            EXPECT_EQ(marcas.last(), QStringLiteral("%1:N").arg(fila));
        }
        BBDD::BaseDatos->Execute(QStringLiteral("DELETE FROM LETRAS"));
        BBDD::BaseDatos->Execute(QStringLiteral("DELETE FROM CANCIONES"));
        guion.mensajes.clear();
    }
}

TEST_F(frmCancionTest, UnaLetraNuevaCerradaVaciaSeQuitaAlContestarSi) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 5);
    frmCancion* ventana = Abrir(5, fila, true);
    EXPECT_TRUE(Lyrics(5).isNull()); // the row exists, with no text
    EXPECT_TRUE(ventana->Delante()->toPlainText().isEmpty());
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_TRUE(Cerrar(ventana));
    EXPECT_EQ(Textos(), QStringList{PreguntaEliminar().texto});
    EXPECT_EQ(Lyrics(5).toString(), QStringLiteral("<sin fila>"));
    EXPECT_EQ(Idx(fila), 0);
    EXPECT_EQ(marcas, QStringList{QStringLiteral("%1:N").arg(fila)});
}

TEST_F(frmCancionTest, UnNumeroMenorQueUnoAvisaYSigue) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"));
    frmCancion* ventana = Abrir(0, fila);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EsperarMensaje(guion.mensajes[0],
                   {QStringLiteral("Error chungo en CargarCancion(), idx = 0"), QStringLiteral("WARGH!"),
                    BotonesMensaje::Aceptar, IconoMensaje::Critico, std::nullopt});
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_TRUE(Cerrar(ventana));
    EXPECT_EQ(Textos().last(), QStringLiteral("Error chungo en MataCancion(), idx = 0"));
}

TEST_F(frmCancionTest, SinFilaDeLetraSeAbreVaciaYAlGuardarSeEscribe) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 6);
    frmCancion* ventana = Abrir(6, fila);
    EXPECT_TRUE(ventana->Delante()->toPlainText().isEmpty());
    QTest::keyClicks(ventana->Delante(), QStringLiteral("hola"));
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_TRUE(Cerrar(ventana));
    EXPECT_EQ(Lyrics(6).toString(), QStringLiteral("hola"));
}

TEST_F(frmCancionTest, SiLaCancionDesaparecioElTextoSigueEnLaVentana) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 7);
    catalogo.AnadirLetra(7, QStringLiteral("antes"));
    frmCancion* ventana = Abrir(7, fila);
    QTest::keyClicks(ventana->Delante(), QStringLiteral("nuevo "));
    // Maintenance deletes the song and its lyric meanwhile.
    BBDD::BaseDatos->Execute(QStringLiteral("DELETE FROM CANCIONES"));
    BBDD::BaseDatos->Execute(QStringLiteral("DELETE FROM LETRAS"));
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_FALSE(Cerrar(ventana));
    ASSERT_EQ(guion.mensajes.size(), 2u);
    EXPECT_TRUE(guion.mensajes[1].texto.contains(QStringLiteral("copiarlo")));
    EXPECT_EQ(ventana->Delante()->toPlainText(), QStringLiteral("nuevo antes"));
    EXPECT_TRUE(marcas.isEmpty());
    // Answering No on the next close lets the window go.
    guion.respuestas = {RespuestaMensaje::No};
    EXPECT_TRUE(Cerrar(ventana));
}

TEST_F(frmCancionTest, UnCatalogoBloqueadoAlGuardarNoPierdeElTexto) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 8);
    catalogo.AnadirLetra(8, QStringLiteral("antes"));
    frmCancion* ventana = Abrir(8, fila);
    QTest::keyClicks(ventana->Delante(), QStringLiteral("tecleado "));
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(BBDD::RutaBaseDatos.toUtf8().constData(), &otro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_FALSE(Cerrar(ventana));
    sqlite3_exec(otro, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(otro);
    ASSERT_EQ(guion.mensajes.size(), 2u);
    EXPECT_TRUE(guion.mensajes[1].texto.startsWith(QStringLiteral("No se pudo guardar la letra")));
    EXPECT_EQ(ventana->Delante()->toPlainText(), QStringLiteral("tecleado antes"));
    EXPECT_EQ(Lyrics(8).toString(), QStringLiteral("antes"));
    // Once the lock is gone the same close saves.
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_TRUE(Cerrar(ventana));
    EXPECT_EQ(Lyrics(8).toString(), QStringLiteral("tecleado antes"));
}

TEST_F(frmCancionTest, DosVentanasSobreUnaLetraGanaLaUltimaEnGuardar) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 9);
    catalogo.AnadirLetra(9, QStringLiteral("base"));
    frmCancion* primera = Abrir(9, fila);
    frmCancion* segunda = Abrir(9, fila);
    QTest::keyClicks(primera->Delante(), QStringLiteral("1"));
    QTest::keyClicks(segunda->Delante(), QStringLiteral("2"));
    guion.respuestas = {RespuestaMensaje::Si, RespuestaMensaje::Si};
    EXPECT_TRUE(Cerrar(segunda));
    EXPECT_TRUE(Cerrar(primera));
    EXPECT_EQ(Lyrics(9).toString(), QStringLiteral("1base"));
    EXPECT_EQ(marcas.size(), 2);
}

TEST_F(frmCancionTest, AlTerminarElProgramaSoloPreguntaPorLosCambios) {
    const auto fila = Cancion(QStringLiteral("C"), QStringLiteral("T"), 2);
    catalogo.AnadirLetra(2, QStringLiteral("texto"));
    frmCancion* sinCambios = Abrir(2, fila);
    frmCancion* conCambios = Abrir(2, fila);
    conCambios->Delante()->insertPlainText(QStringLiteral("más "));
    guion.respuestas = {RespuestaMensaje::Si};
    EXPECT_TRUE(sinCambios->GuardarAlTerminar());
    EXPECT_TRUE(conCambios->GuardarAlTerminar());
    EXPECT_EQ(Textos(), QStringList{PreguntaGuardar().texto});
    EXPECT_EQ(Lyrics(2).toString(), QStringLiteral("más texto"));
    EXPECT_TRUE(marcas.isEmpty());
}
