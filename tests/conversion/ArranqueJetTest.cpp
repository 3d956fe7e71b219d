// Start-up over an old Access/Jet Cantorio.mdb: the offer to convert it, in Spanish, and what each
// answer does to the files.

#include "GeneradorJet.h"
#include "list/frmLista.h"
#include "shell/Ventanas.h"
#include "shell/frmLoader.h"
#include "store/BBDD.h"
#include "support/ServiciosGuionados.h"
#include "utilities/LectorJet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ArranqueJet : public ::testing::Test {
protected:
    void SetUp() override {
        servicios = &InstalarServiciosGuionados();
        servicios->directorioPrograma = programa.path();
        QFile fichero(Catalogo());
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write(antiguo);
    }
    void TearDown() override {
        BBDD::CerrarBaseDatos();
        Ventanas::Destruir();
    }
    bool Arrancar() {
        frmLoader presentacion;
        return presentacion.Form_Load();
    }
    QString Catalogo() const { return QDir(programa.path()).filePath(QStringLiteral("Cantorio.mdb")); }
    QString Original() const {
        return QDir(programa.path()).filePath(QStringLiteral("Cantorio (Access).mdb"));
    }
    QString Oferta() const {
        return QStringLiteral(
                   "El catálogo «%1» está en el formato de Access de las versiones antiguas del programa."
                   "\n\n¿Desea convertirlo al formato actual? El fichero antiguo se conservará a su lado, "
                   "renombrado.")
            .arg(QDir::toNativeSeparators(Catalogo()));
    }

    QTemporaryDir programa;
    ServiciosGuionados* servicios = nullptr;
    const QByteArray antiguo =
        jet::Generar(jet::Version::Jet3,
                     {{QStringLiteral("Cd"), QStringLiteral("\\"), QStringLiteral("Él"),
                       QStringLiteral("Uno"), QStringLiteral("mp3"), 10, 1, 1},
                      {QStringLiteral("Cd"), QStringLiteral("\\"), std::nullopt, QStringLiteral("Dos"),
                       QStringLiteral("mp3"), 20, 0, 2}},
                     {{1, QStringLiteral("La letra")}});
};

TEST_F(ArranqueJet, ConvierteElCatalogoSiElUsuarioAcepta) {
    servicios->respuestas = {RespuestaMensaje::Si};
    ASSERT_TRUE(Arrancar());

    ASSERT_EQ(servicios->mensajes.size(), 2u);
    const Mensaje& oferta = servicios->mensajes[0];
    EXPECT_EQ(oferta.texto, Oferta());
    EXPECT_EQ(oferta.titulo, QStringLiteral("Catálogo antiguo"));
    EXPECT_EQ(oferta.botones, BotonesMensaje::SiNo);
    EXPECT_EQ(oferta.icono, IconoMensaje::Pregunta);
    EXPECT_EQ(servicios->mensajes[1].texto,
              QStringLiteral(
                  "Catálogo convertido: 2 canciones y 1 letras.\n\nEl catálogo antiguo se conserva en «%1».")
                  .arg(QDir::toNativeSeparators(Original())));
    EXPECT_TRUE(Ventanas::Lista().isVisible());
    auto canciones = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM CANCIONES"));
    EXPECT_EQ(canciones->Field(0).toInt(), 2);
    QFile original(Original());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_TRUE(original.readAll() == antiguo);
}

TEST_F(ArranqueJet, SiElUsuarioRehusaNoCambiaNadaYTermina) {
    servicios->respuestas = {RespuestaMensaje::No};
    EXPECT_FALSE(Arrancar());

    ASSERT_EQ(servicios->mensajes.size(), 2u);
    EXPECT_EQ(servicios->mensajes[0].texto, Oferta());
    EXPECT_EQ(
        servicios->mensajes[1].texto,
        QStringLiteral("El catálogo no se ha convertido y no se ha cambiado nada.\n\nCantorio se cerrará."));
    EXPECT_FALSE(Ventanas::Lista().isVisible());
    EXPECT_EQ(QDir(programa.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Cantorio.mdb")});
    QFile fichero(Catalogo());
    ASSERT_TRUE(fichero.open(QIODevice::ReadOnly));
    EXPECT_TRUE(fichero.readAll() == antiguo);
}

// Another program's Access database under the catalogue's name is not offered for conversion: the user
// is told what it is, and it is left as it was.
TEST_F(ArranqueJet, LaBaseDeDatosDeOtroProgramaNoSeOfreceConvertir) {
    const struct {
        const char* tabla;
        const char* otra;
    } casos[] = {{"CANCIONES", "PROVEEDOR"}, {"LETRAS", "PEDIDO"}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.tabla);
        QByteArray otroPrograma = antiguo;
        ASSERT_EQ(otroPrograma.count(caso.tabla), 1);
        otroPrograma.replace(caso.tabla, caso.otra);
        QFile fichero(Catalogo());
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly | QIODevice::Truncate));
        fichero.write(otroPrograma);
        fichero.close();
        servicios->mensajes.clear();
        servicios->respuestas = {RespuestaMensaje::Si};

        EXPECT_FALSE(Arrancar());

        ASSERT_EQ(servicios->mensajes.size(), 1u);
        EXPECT_EQ(servicios->mensajes[0].texto,
                  QStringLiteral("«%1» es una base de datos de Access de otro programa, no un catálogo de "
                                 "Cantorio: no tiene la tabla %2.\n\nNo se ha cambiado nada. Para empezar un "
                                 "catálogo nuevo, mueva ese fichero a otra carpeta o cámbiele el nombre.\n\n"
                                 "Cantorio se cerrará.")
                      .arg(QDir::toNativeSeparators(Catalogo()), QLatin1String(caso.tabla)));
        EXPECT_EQ(servicios->mensajes[0].icono, IconoMensaje::Exclamacion);
        EXPECT_EQ(QDir(programa.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Cantorio.mdb")});
        ASSERT_TRUE(fichero.open(QIODevice::ReadOnly));
        EXPECT_TRUE(fichero.readAll() == otroPrograma);
        fichero.close();
        BBDD::CerrarBaseDatos();
        Ventanas::Destruir();
    }
}

// A file that cannot be read is not offered for conversion either.
TEST_F(ArranqueJet, UnFicheroIlegibleNoSeOfreceConvertir) {
    const QByteArray cabecera = antiguo.left(60);
    QFile fichero(Catalogo());
    ASSERT_TRUE(fichero.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fichero.write(cabecera);
    fichero.close();
    servicios->respuestas = {RespuestaMensaje::Si};

    EXPECT_FALSE(Arrancar());

    ASSERT_EQ(servicios->mensajes.size(), 1u);
    EXPECT_TRUE(servicios->mensajes[0].texto.startsWith(
        QStringLiteral("No se puede abrir el catálogo; no se ha cambiado nada.")));
    ASSERT_TRUE(fichero.open(QIODevice::ReadOnly));
    EXPECT_TRUE(fichero.readAll() == cabecera);
}

} // namespace
