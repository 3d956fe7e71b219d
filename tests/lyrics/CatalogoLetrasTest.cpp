// The catalogue's lyric statements over a small catalogue in a temporary directory.
#include "store/CatalogoLetras.h"
#include "store/BBDD.h"
#include "support/CatalogoPrueba.h"

#include <gtest/gtest.h>

using namespace catalogo;

namespace {

dao::Database& Base() {
    return *BBDD::BaseDatos;
}

// The rowid of the song under that header (headers are unique where a test uses this).
IdCancion Fila(const QString& cabecera) {
    auto rs = Base().OpenRecordset(
        QStringLiteral("SELECT rowid FROM CANCIONES WHERE CABECERA = '%1'").arg(cabecera));
    return rs->Eof() ? 0 : rs->Field(0).toLongLong();
}

int Numero(const QString& cabecera) {
    return *NumeroLetraDe(Base(), Fila(cabecera));
}

int Cuenta(const QString& sql) {
    return Base().OpenRecordset(sql)->Field(0).toInt();
}

class CatalogoLetrasTest : public ::testing::Test {
protected:
    CatalogoPrueba catalogo;
};

} // namespace

TEST_F(CatalogoLetrasTest, UnaLetraSeGuardaYSeLeeTalCual) {
    catalogo.AnadirCancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("T"), QStringLiteral("mp3"), 1, 3);
    const QString megabyte = QString(QStringLiteral("línea\tcon tabulador y ñ\r\n")).repeated(40000);
    const QString textos[] = {
        QStringLiteral("una"),
        QStringLiteral("dos\r\nlíneas\r\n"),
        QString::fromUtf8("Ελληνικά, 日本語, עברית, emoji 🎵, e\u0301 decompuesta, espacio\u00a0duro"),
        QString(QStringLiteral("x")).repeated(100000),
        megabyte,
        QString(),
    };
    for (const QString& texto : textos) {
        ASSERT_EQ(GuardarLetra(Base(), 3, texto), Guardado::Guardada);
        const LetraLeida leida = CargarLetra(Base(), 3);
        EXPECT_TRUE(leida.existe);
        EXPECT_EQ(leida.texto, texto) << texto.left(30).toStdString();
    }
    EXPECT_EQ(Cuenta(QStringLiteral("SELECT COUNT(*) FROM LETRAS")), 1);
}

TEST_F(CatalogoLetrasTest, UnaLetraQueFaltaSeLeeVaciaYSeEscribeSiUnaCancionLaNombra) {
    catalogo.AnadirCancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("T"), QStringLiteral("mp3"), 1, 4);
    EXPECT_FALSE(CargarLetra(Base(), 4).existe);
    EXPECT_EQ(GuardarLetra(Base(), 4, QStringLiteral("de nuevo")), Guardado::Guardada);
    EXPECT_EQ(CargarLetra(Base(), 4).texto, QStringLiteral("de nuevo"));

    catalogo.AnadirLetra(9, QStringLiteral("huérfana"));
    EXPECT_EQ(GuardarLetra(Base(), 9, QStringLiteral("otra")), Guardado::SinCancion);
    EXPECT_EQ(GuardarLetra(Base(), 11, QStringLiteral("otra")), Guardado::SinCancion);
    EXPECT_EQ(CargarLetra(Base(), 9).texto, QStringLiteral("huérfana"));
    EXPECT_FALSE(CargarLetra(Base(), 11).existe);
}

TEST_F(CatalogoLetrasTest, BorrarUnaLetraCompartidaSueltaTodasSusCanciones) {
    for (const char* cabecera : {"uno", "dos", "tres"})
        catalogo.AnadirCancion(QLatin1String(cabecera), QStringLiteral("\\"), QStringLiteral("A"),
                               QStringLiteral("T"), QStringLiteral("mp3"), 1, 5);
    catalogo.AnadirCancion(QStringLiteral("otra"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("T"), QStringLiteral("mp3"), 1, 6);
    catalogo.AnadirLetra(5, QStringLiteral("compartida"));
    catalogo.AnadirLetra(6, QStringLiteral("suya"));
    BorrarLetra(Base(), 5);
    EXPECT_EQ(Cuenta(QStringLiteral("SELECT COUNT(*) FROM CANCIONES WHERE IDX_CANCION = 5")), 0);
    EXPECT_EQ(Cuenta(QStringLiteral("SELECT COUNT(*) FROM CANCIONES WHERE IDX_CANCION = 0")), 3);
    EXPECT_FALSE(CargarLetra(Base(), 5).existe);
    EXPECT_EQ(Numero(QStringLiteral("otra")), 6);
    EXPECT_EQ(CargarLetra(Base(), 6).texto, QStringLiteral("suya"));
}

TEST_F(CatalogoLetrasTest, AsignarLetraDaElNumeroSiguienteYNuncaSustituyeUnoDado) {
    for (int idx : {1, 2, 7})
        catalogo.AnadirLetra(idx, QStringLiteral("l"));
    catalogo.AnadirCancion(QStringLiteral("sin"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("T"));
    catalogo.AnadirCancion(QStringLiteral("con"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("T"), QStringLiteral("mp3"), 1, 2);
    const LetraAsignada nueva = AsignarLetra(Base(), Fila(QStringLiteral("sin")));
    EXPECT_TRUE(nueva.hallada && nueva.nueva);
    EXPECT_EQ(nueva.idx, 8);
    EXPECT_EQ(Numero(QStringLiteral("sin")), 8);
    const LetraAsignada dada = AsignarLetra(Base(), Fila(QStringLiteral("con")));
    EXPECT_TRUE(dada.hallada);
    EXPECT_FALSE(dada.nueva);
    EXPECT_EQ(dada.idx, 2);
    EXPECT_FALSE(AsignarLetra(Base(), 999).hallada);
}

TEST_F(CatalogoLetrasTest, HomonimosConLetraPorElTituloIgualSinDistinguirMayusculas) {
    struct {
        const char *cabecera, *ruta, *titulo;
        int idx;
    } canciones[] = {{"B", "\\r\\", "Rock'n Roll", 1}, {"A", "\\r\\", "ROCK'N ROLL", 2},
                     {"A", "\\x\\", "rock'n roll", 0}, {"A", "\\y\\", "Rock n Roll", 3},
                     {"A", "\\z\\", "[Roto", 4},       {"A", "\\z\\", "Otra", 5}};
    for (const auto& c : canciones)
        catalogo.AnadirCancion(QLatin1String(c.cabecera), QLatin1String(c.ruta), QStringLiteral("A"),
                               QLatin1String(c.titulo), QStringLiteral("mp3"), 1, c.idx);
    // Equal titles, letter case aside; an apostrophe or a bracket is a plain character.
    const std::vector<Homonimo> homonimos = HomonimosConLetra(Base(), QStringLiteral("rock'n roll"));
    ASSERT_EQ(homonimos.size(), 2u);
    EXPECT_EQ(homonimos[0].cabecera, QStringLiteral("A"));
    EXPECT_EQ(homonimos[0].idx, 2);
    EXPECT_EQ(homonimos[1].cabecera, QStringLiteral("B"));
    EXPECT_TRUE(HayHomonimoConLetra(Base(), QStringLiteral("otra")));
    EXPECT_FALSE(HayHomonimoConLetra(Base(), QStringLiteral("Ninguna")));
    ASSERT_EQ(HomonimosConLetra(Base(), QStringLiteral("[Roto")).size(), 1u);
    EXPECT_FALSE(HayHomonimoConLetra(Base(), QStringLiteral("[Rot?")));
}

TEST_F(CatalogoLetrasTest, LaMarcaSaleDeLaFilaDeLaCancion) {
    catalogo.AnadirCancion(QStringLiteral("con"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("Luna"), QStringLiteral("mp3"), 1, 1);
    catalogo.AnadirCancion(QStringLiteral("sin"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("luna"));
    catalogo.AnadirCancion(QStringLiteral("sol"), QStringLiteral("\\"), QStringLiteral("A"),
                           QStringLiteral("Sol"));
    EXPECT_EQ(MarcaLetra(Base(), Fila(QStringLiteral("con")), true), QStringLiteral("S"));
    EXPECT_EQ(MarcaLetra(Base(), Fila(QStringLiteral("sin")), true), QStringLiteral("?"));
    EXPECT_EQ(MarcaLetra(Base(), Fila(QStringLiteral("sin")), false), QStringLiteral("N"));
    EXPECT_EQ(MarcaLetra(Base(), Fila(QStringLiteral("sol")), true), QStringLiteral("N"));
    EXPECT_FALSE(MarcaLetra(Base(), 999, true).has_value());
}
