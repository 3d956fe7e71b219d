// The four utility windows driven as a user drives them, with scripted message boxes and file dialogs.

#include "CatalogoUtilidadesPrueba.h"

#include "shell/Estado.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"
#include "utilities/frmComprobarErrores.h"
#include "utilities/frmImportarExportar.h"
#include "utilities/frmImprimirArbol.h"
#include "utilities/frmPorcentajeLetras.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class VentanasUtilidadesTest : public CatalogoUtilidadesPrueba {
protected:
    void SetUp() override {
        CatalogoUtilidadesPrueba::SetUp();
        Estado::VersionPrograma = QStringLiteral("Cantorio v1.2.0");
    }
    ServiciosGuionados& servicios = InstalarServiciosGuionados();
};

QColor ColorTexto(const QLabel* etiqueta) {
    return etiqueta->palette().color(QPalette::WindowText);
}

bool MismaImagen(const QLabel* imagen, const QPixmap& esperada) {
    return imagen->pixmap().toImage() == esperada.toImage();
}

TEST_F(VentanasUtilidadesTest, ComprobarErroresPreguntaReparaYColorea) {
    Cancion({QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("x"), QStringLiteral("y"),
             QStringLiteral("mp3"), 1, QVariant(), 1});
    Cancion(QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("z"), QStringLiteral("w"), 0, 1);
    Letra(8);
    servicios.respuestas = {RespuestaMensaje::Si, RespuestaMensaje::No};
    auto* ventana = new frmComprobarErrores;
    EXPECT_FALSE(ventana->cmdOK->isEnabled());
    ventana->show();

    ASSERT_EQ(servicios.mensajes.size(), 3u);
    EXPECT_EQ(servicios.mensajes[0].texto,
              QStringLiteral(
                  "Se han encontrado valores ''Nulos'' en el campo de ''Letra Asociada''.\nEste campo será "
                  "actualizado a ''0'' (sin Letra asociada).\n\n¿Desea reparar este error?"));
    EXPECT_EQ(servicios.mensajes[0].icono, IconoMensaje::Pregunta);
    EXPECT_EQ(servicios.mensajes[1].icono, IconoMensaje::Informacion);
    EXPECT_EQ(servicios.mensajes[2].texto.left(42),
              QStringLiteral("Se han encontrado Letras no referenciadas."));
    for (const Mensaje& m : servicios.mensajes) {
        EXPECT_EQ(m.botones, BotonesMensaje::SiNo);
        EXPECT_TRUE(m.titulo.isEmpty());
    }
    // Yes, No, then the default answer (Yes) for the third; the fourth check passes.
    EXPECT_EQ(ventana->Label11->text(), QStringLiteral(" Corregido."));
    EXPECT_EQ(ColorTexto(ventana->Label11), QColor(0, 0, 170));
    EXPECT_EQ(ventana->Label22->text(), QStringLiteral(" ERROR."));
    EXPECT_EQ(ColorTexto(ventana->Label22), QColor(170, 0, 0));
    EXPECT_TRUE(MismaImagen(ventana->Image2, ventana->ImageListError[3]));
    EXPECT_EQ(ventana->Label33->text(), QStringLiteral(" Corregido."));
    EXPECT_EQ(ventana->Label44->text(), QStringLiteral(" OK."));
    EXPECT_EQ(ColorTexto(ventana->Label44), QColor(0, 143, 0));
    EXPECT_TRUE(ventana->Label44->font().bold());
    EXPECT_TRUE(MismaImagen(ventana->Image4, ventana->ImageListError[2]));
    EXPECT_EQ(ventana->Label2->text(),
              QStringLiteral("Comprobado la duplicidad de REL_POS en una misma Ruta..."));
    EXPECT_EQ(ventana->Label4->text(),
              QStringLiteral("Comprobando la existencia de referencias a Lyrics inexistentes..."));
    EXPECT_TRUE(ventana->cmdOK->isEnabled());
    EXPECT_EQ(ventana->cmdOK->x(), (ventana->width() - ventana->cmdOK->width()) / 2);
    EXPECT_EQ(Contar(QStringLiteral("SELECT COUNT(*) FROM CANCIONES WHERE IDX_CANCION IS NULL")), 0);
    EXPECT_EQ(Contar(QStringLiteral("SELECT COUNT(*) FROM LETRAS")), 0);

    // A later resize runs the checks again: only the route fault is left.
    servicios.mensajes.clear();
    servicios.respuestas = {RespuestaMensaje::No};
    ventana->resize(ventana->width() + 20, ventana->height());
    EXPECT_EQ(servicios.mensajes.size(), 1u);
    ventana->cmdOK->click();
}

// A repair that changes nothing (a trigger of another program ignores it) is not shown as mended.
TEST_F(VentanasUtilidadesTest, UnaReparacionSinEfectoSigueEnErrorYSeDice) {
    for (const char* autor : {"a", "b"})
        Cancion({QVariant(), QStringLiteral("\\"), QString::fromLatin1(autor), QStringLiteral("t"),
                 QStringLiteral("mp3"), 1, 0, 1});
    IgnorarCambiosDePosicion();
    servicios.respuestas = {RespuestaMensaje::Si};
    auto* ventana = new frmComprobarErrores;
    ventana->show();
    ASSERT_EQ(servicios.mensajes.size(), 2u);
    EXPECT_EQ(servicios.mensajes[1].texto, TextoSigueElFallo);
    EXPECT_EQ(servicios.mensajes[1].icono, IconoMensaje::Critico);
    EXPECT_EQ(ventana->Label22->text(), QStringLiteral(" ERROR."));
    EXPECT_TRUE(MismaImagen(ventana->Image2, ventana->ImageListError[3]));
    ventana->cmdOK->click();
}

TEST_F(VentanasUtilidadesTest, PorcentajesDelEjemploYDeUnCatalogoVacio) {
    auto* vacia = new frmPorcentajeLetras;
    EXPECT_EQ(vacia->lblSTotal->text(), QString());
    EXPECT_EQ(vacia->lblHPorciento->text(), QStringLiteral("0,00%"));
    vacia->close();

    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("Uno"), 1, 1);
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("b"), QStringLiteral("Uno"), 0, 2);
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("c"), QStringLiteral("Dos"), 0, 3);
    auto* ventana = new frmPorcentajeLetras;
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Porcentajes:"));
    for (QLabel* total : {ventana->lblSTotal, ventana->lblNTotal, ventana->lblHTotal})
        EXPECT_EQ(total->text(), QStringLiteral("1"));
    for (QLabel* p : {ventana->lblSPorciento, ventana->lblNPorciento, ventana->lblHPorciento})
        EXPECT_EQ(p->text(), QStringLiteral("33,33%"));
    ventana->cmdOK->click();
}

frmImportarExportar* Dialogo(bool importar) {
    auto* dialogo = new frmImportarExportar;
    dialogo->setWindowTitle(importar ? QStringLiteral("Importar Base de Datos")
                                     : QStringLiteral("Exportar Base de Datos"));
    dialogo->cmdOK->setText(importar ? QStringLiteral("&Importar") : QStringLiteral("&Exportar"));
    dialogo->show();
    return dialogo;
}

TEST_F(VentanasUtilidadesTest, ExportarEImportarConSusMensajes) {
    VentanasPrueba ventanas;
    Cancion(QStringLiteral("Música"), QStringLiteral("\\Rock\\"), QStringLiteral("Año"), QStringLiteral("€"),
            4, 1);
    frmImportarExportar* exportar = Dialogo(false);
    exportar->cmdOK->click();
    exportar->chkEncriptado->click();
    EXPECT_FALSE(exportar->txtPassword->isReadOnly());
    EXPECT_EQ(exportar->txtPassword->palette().color(QPalette::Base), QColor(255, 255, 255));
    servicios.ficheros = {Fichero(QStringLiteral("no/existe.txt"))};
    exportar->cmdBrowse->click();
    exportar->cmdOK->click();
    exportar->txtPassword->setText(QStringLiteral("clave"));
    exportar->cmdOK->click();
    EXPECT_TRUE(exportar->cmdOK->isEnabled());
    exportar->txtFilename->setText(Fichero(QStringLiteral("e.txt")));
    exportar->cmdOK->click();

    const std::pair<QString, QString> esperados[] = {
        {QStringLiteral("¡Debe introducir un Nombre de Fichero!"), QStringLiteral("ERROR")},
        {QStringLiteral("¡Debe introducir una Clave!"), QStringLiteral("ERROR")},
        {QStringLiteral("Error en el Nombre del Fichero!"), QStringLiteral("ERROR!")},
        {QStringLiteral(
             "Proceso terminado con éxito.\n\nEl fichero guarda las canciones del catálogo, pero no "
             "sus letras: no es una copia de seguridad completa."),
         QStringLiteral("Importar")},
    };
    ASSERT_EQ(servicios.mensajes.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(servicios.mensajes[i].texto, esperados[i].first);
        EXPECT_EQ(servicios.mensajes[i].titulo, esperados[i].second);
    }
    EXPECT_EQ(servicios.mensajes[2].icono, IconoMensaje::Exclamacion);
    EXPECT_EQ(servicios.mensajes[3].icono, IconoMensaje::Informacion);
    EXPECT_TRUE(LeerFichero(Fichero(QStringLiteral("e.txt"))).contains(" 1 \r\n"));

    servicios.mensajes.clear();
    frmImportarExportar* importar = Dialogo(true);
    importar->txtFilename->setText(Fichero(QStringLiteral("falta.txt")));
    importar->cmdOK->click();
    importar->txtFilename->setText(Fichero(QStringLiteral("e.txt")));
    importar->chkEncriptado->click();
    importar->txtPassword->setText(QStringLiteral("clave"));
    importar->cmdOK->click();
    ASSERT_EQ(servicios.mensajes.size(), 2u);
    EXPECT_EQ(servicios.mensajes[0].texto, QStringLiteral("No se encontró el fichero!"));
    EXPECT_EQ(servicios.mensajes[0].titulo, QStringLiteral("ERROR!"));
    EXPECT_EQ(servicios.mensajes[1].texto, QStringLiteral("Proceso terminado con éxito"));
    EXPECT_EQ(servicios.mensajes[1].titulo, QStringLiteral("Importar"));
    EXPECT_EQ(Filas(QStringLiteral("SELECT AUTOR, TITULO, IDX_CANCION FROM CANCIONES")),
              QStringLiteral("Año|€|4\nAño|€|0"));
}

// The open catalogue, or a file beside it, under any name: the window says so, writes nothing, and stays
// open for another name.
TEST_F(VentanasUtilidadesTest, ElPropioCatalogoNoEsElFicheroDeNingunaVentana) {
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("Uno"));
    const QString antes = Filas(QStringLiteral("SELECT * FROM CANCIONES"));
    frmImportarExportar* exportar = Dialogo(false);
    exportar->txtFilename->setText(carpeta.path() + QStringLiteral("/./Cantorio.mdb"));
    exportar->cmdOK->click();
    frmImportarExportar* importar = Dialogo(true);
    importar->txtFilename->setText(BBDD::RutaBaseDatos);
    importar->cmdOK->click();
    auto* arbol = new frmImprimirArbol;
    arbol->show();
    arbol->txtFichero->setText(BBDD::RutaBaseDatos + QStringLiteral("-shm"));
    arbol->cmdOK->click();

    ASSERT_EQ(servicios.mensajes.size(), 3u);
    for (const Mensaje& m : servicios.mensajes)
        EXPECT_TRUE(m.texto.contains(QStringLiteral("es el propio catálogo"))) << m.texto.toStdString();
    EXPECT_TRUE(LeerFichero(BBDD::RutaBaseDatos).startsWith("SQLite format 3"));
    EXPECT_EQ(Filas(QStringLiteral("SELECT * FROM CANCIONES")), antes);
    for (QPushButton* ok : {exportar->cmdOK, importar->cmdOK, arbol->cmdOK})
        EXPECT_TRUE(ok->isVisible() && ok->isEnabled());
    for (QDialog* ventana : std::initializer_list<QDialog*>{exportar, importar, arbol})
        ventana->close();
}

TEST_F(VentanasUtilidadesTest, ImprimirArbolConEnterYAlcanceDeRuta) {
    Cancion(QStringLiteral("Rock'n"), QStringLiteral("\\A\\"), QStringLiteral("a"), QStringLiteral("t"));
    Cancion(QStringLiteral("Rock'n"), QStringLiteral("\\B\\"), QStringLiteral("b"), QStringLiteral("t"));
    Cancion(QStringLiteral("Rock n"), QStringLiteral("\\A\\"), QStringLiteral("c"), QStringLiteral("t"));
    auto* ventana = new frmImprimirArbol;
    ventana->show();
    EXPECT_EQ(ventana->height(), 240);
    EXPECT_FALSE(ventana->comboCabecera->isEnabled());
    EXPECT_EQ(ventana->CabeceraRecordada, QStringLiteral("Rock n"));
    QTest::keyClick(ventana->txtFichero, Qt::Key_Return);
    ASSERT_EQ(servicios.mensajes.size(), 1u);
    EXPECT_EQ(servicios.mensajes[0].texto, QStringLiteral("Debe introducir un nombre de Fichero!!!"));

    ventana->optCabecera->click();
    EXPECT_TRUE(ventana->comboCabecera->isEnabled());
    EXPECT_EQ(ventana->comboCabecera->currentText(), QStringLiteral("Rock n"));
    ventana->comboCabecera->setCurrentIndex(1);
    emit ventana->comboCabecera->activated(1);
    ventana->optRuta->click();
    EXPECT_EQ(ventana->comboCabecera->currentText(), QStringLiteral("Rock'n"));
    EXPECT_EQ(ventana->comboRuta->count(), 2);
    EXPECT_EQ(ventana->comboRuta->currentText(), QStringLiteral("\\A\\"));
    ventana->chkImprimirFicheros->click();
    ventana->txtFichero->setText(Fichero(QStringLiteral("l.txt")));
    // Browse proposes the name typed, under the window's title; a cancel keeps it.
    ventana->cmdBrowse->click();
    ASSERT_EQ(servicios.dialogosFichero.size(), 1u);
    EXPECT_EQ(servicios.dialogosFichero[0].first, QStringLiteral("Imprimir Árbol"));
    EXPECT_EQ(servicios.dialogosFichero[0].second, Fichero(QStringLiteral("l.txt")));
    EXPECT_EQ(ventana->txtFichero->text(), Fichero(QStringLiteral("l.txt")));
    QTest::keyClick(ventana->txtFichero, Qt::Key_Return);
    ASSERT_EQ(servicios.mensajes.size(), 2u);
    EXPECT_EQ(servicios.mensajes[1].texto, QStringLiteral("Operación terminada con éxito"));
    EXPECT_TRUE(servicios.mensajes[1].titulo.isEmpty());
    const QByteArray listado = LeerFichero(Fichero(QStringLiteral("l.txt")));
    EXPECT_TRUE(listado.contains("\r\nRock'n\r\n\r\n   \\A\\\r\n\r\n")) << listado.constData();
    EXPECT_TRUE(listado.contains(" Cabeceras : 1\r\n     Rutas : 1\r\n  Ficheros : 0\r\n"));
}

} // namespace

namespace {

// Answers No, and resizes the window while each question is open, as a user might.
class ServiciosQueRedimensionan : public ServiciosGuionados {
public:
    RespuestaMensaje MsgBox(const Mensaje& mensaje, QWidget* padre) override {
        ServiciosGuionados::MsgBox(mensaje, padre);
        if (ventana)
            ventana->resize(ventana->width() + 10, ventana->height() + 10);
        return RespuestaMensaje::No;
    }
    QWidget* ventana = nullptr;
};

TEST_F(VentanasUtilidadesTest, RedimensionarConUnaPreguntaAbiertaNoVuelveAComprobar) {
    Cancion({QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("x"), QStringLiteral("y"),
             QStringLiteral("mp3"), 1, QVariant(), 1});
    Cancion(QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("z"), QStringLiteral("w"), 0, 1);
    auto propios = std::make_unique<ServiciosQueRedimensionan>();
    ServiciosQueRedimensionan& redimensionan = *propios;
    InstalarServicios(std::move(propios));
    auto* ventana = new frmComprobarErrores;
    redimensionan.ventana = ventana;
    ventana->show();
    EXPECT_EQ(redimensionan.mensajes.size(), 2u); // one question per fault, none asked twice
    EXPECT_EQ(ventana->Label11->text(), QStringLiteral(" ERROR."));
    redimensionan.ventana = nullptr;
    ventana->close();
}

} // namespace
