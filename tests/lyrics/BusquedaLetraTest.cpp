// The lyric text search and the work tables of the query by lyric text.
#include "store/BBDD.h"
#include "store/BuscaTexto.h"
#include "store/CatalogoPorLetra.h"
#include "support/CatalogoPrueba.h"

#include <gtest/gtest.h>

using namespace catalogo;

TEST(BuscaTexto, CasosDeTexto) {
    struct {
        const char* texto;
        const char* letra;
        bool hallado;
    } casos[] = {
        {"amor", "Todo el AMOR del mundo", true},
        {"CORAZÓN", "mi corazón late", true},
        {"ÁRBOL", "árbol", true},
        {"corazon", "mi corazón", false}, // accents count
        {"ΑΓΆΠΗ", "η αγάπη", true},       // not ASCII only
        {"fin", "hasta el fin", true},    // at the very end
        {"igual", "Igual", true},         // the whole lyric
        {"", "cualquiera", true},         // an empty text is in every lyric
        {"", "", true},
        {"x", "", false},
        {"dos\nlíneas", "son dos\r\nlíneas", true}, // any line break form
        {"dos\r\nlineas", "son dos\nlineas", true},
        {"dos\nlineas", "son dos\rlineas", true},
        {"dos lineas", "son dos\nlineas", false}, // a blank is not a line break
        {"l'amour", "c'est L'AMOUR", true},       // the apostrophe as typed
        {"l'amour", "c'est l amour", false},
        {"*", "sin asterisco", false}, // no pattern meaning
        {"a*b", "a*b", true},
        {"?", "¿qué?", true},
        {"#1", "número 1", false},
        {"100%", "al 100%", true},
        {"_", "a b", false},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(BuscaTexto(QString::fromUtf8(caso.texto), QString::fromUtf8(caso.letra)), caso.hallado)
            << caso.texto << " en " << caso.letra;
    // Composed and decomposed accents alike, in either place.
    EXPECT_TRUE(BuscaTexto(QString::fromUtf8("cancio\u0301n"), QString::fromUtf8("CANCIÓN")));
    EXPECT_TRUE(BuscaTexto(QString::fromUtf8("canción"), QString::fromUtf8("CANCIO\u0301N")));
    // The UTF-8 form the engine hands over gives the same answers.
    const TextoBuscado buscado(QStringLiteral("línea"));
    EXPECT_TRUE(buscado.EstaEn(std::string_view("una L\xC3\x8DNEA")));
    EXPECT_FALSE(buscado.EstaEn(std::string_view("una linea")));
}

TEST(BuscaTexto, ConLosAcentosIgnorados) {
    struct {
        const char* texto;
        const char* letra;
        bool hallado;
    } casos[] = {
        {"corazon", "mi CORAZÓN", true},
        {"CORAZÓN", "mi corazon", true},
        {"nino", "el NIÑO", true},
        {"cancion", "CANCIO\u0301N", true},
        {"angstrom", "Ångström", true},
        {"αγαπη", "η αγάπη", true},
        {"Über", "uber alles", true},
        {"corazon", "mi corazón\r\n", true},
        {"dos\nlineas", "dós\r\nlíneas", true},
        {"corazon", "corazones rotos", true},
        {"coraz", "cora zon", false},
        {"ø", "o", false},
    };
    for (const auto& caso : casos) {
        const QString texto = QString::fromUtf8(caso.texto);
        EXPECT_EQ(BuscaTexto(texto, QString::fromUtf8(caso.letra), Acentos::Ignorados), caso.hallado)
            << caso.texto << " en " << caso.letra;
        // The engine's UTF-8 path and the lyric index's form agree.
        EXPECT_EQ(TextoBuscado(texto, Acentos::Ignorados).EstaEn(std::string_view(caso.letra)), caso.hallado)
            << caso.texto << " en " << caso.letra;
        EXPECT_EQ(PlegadoSinAcentos(std::string_view(caso.letra)),
                  PlegadoSinAcentos(QString::fromUtf8(caso.letra)));
    }
}

namespace {

class TablasAuxTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Songs with a lyric, one without, one whose lyric row is missing, one with a Null lyric.
        catalogo.AnadirCancion(QStringLiteral("Rock"), QStringLiteral("\\a\\"), QStringLiteral("Ana"),
                               QStringLiteral("Uno"), QStringLiteral("mp3"), 1, 1);
        catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\b\\"), QStringLiteral("Ana"),
                               QStringLiteral("Dos"), QStringLiteral("mp3"), 1, 2);
        catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\b\\"), QStringLiteral("Ana"),
                               QStringLiteral("Tres"), QStringLiteral("mp3"), 1, 0);
        catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\c\\"), QStringLiteral("Luis"),
                               QStringLiteral("Cuatro"), QStringLiteral("mp3"), 1, 4);
        catalogo.AnadirCancion(QStringLiteral("Pop"), QStringLiteral("\\c\\"), QStringLiteral("Luis"),
                               QStringLiteral("Cinco"), QStringLiteral("mp3"), 1, 5);
        catalogo.AnadirLetra(1, QStringLiteral("Bajo la LUNA\r\nllena"));
        catalogo.AnadirLetra(2, QStringLiteral("la luna\nllena"));
        auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
        rs->AddNew();
        rs->SetField(QStringLiteral("IDX_CANCION"), 5);
        rs->Update();
    }
    QStringList Titulos(const QString& tabla) {
        QStringList titulos;
        auto rs = BBDD::BaseDatos->OpenRecordset(
            QStringLiteral("SELECT TITULO FROM [%1] ORDER BY TITULO").arg(tabla));
        for (; !rs->Eof(); rs->MoveNext())
            titulos << rs->Field(0).toString();
        return titulos;
    }
    int Llenar(const CamposPorLetra& campos, const QString& texto) {
        tabla = NombreTablaAux(*BBDD::BaseDatos);
        CrearTablaAux(*BBDD::BaseDatos, tabla);
        return LlenarTablaAux(*BBDD::BaseDatos, tabla, campos, texto);
    }
    CatalogoPrueba catalogo;
    QString tabla;
};

} // namespace

TEST_F(TablasAuxTest, SeQuedanLasCancionesCuyaLetraContieneElTexto) {
    EXPECT_EQ(Llenar({}, QStringLiteral("luna\nLLENA")), 2);
    EXPECT_EQ(Titulos(tabla), (QStringList{QStringLiteral("Dos"), QStringLiteral("Uno")}));
    // Each copy keeps its song's row identity.
    EXPECT_EQ(
        BBDD::BaseDatos
            ->OpenRecordset(QStringLiteral("SELECT rowid FROM [%1] WHERE TITULO = 'Dos'").arg(tabla))
            ->Field(0),
        BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT rowid FROM CANCIONES WHERE TITULO = 'Dos'"))
            ->Field(0));
    // With the fields: only the candidates that meet them.
    EXPECT_EQ(Llenar({QStringLiteral("pop"), {}, QStringLiteral("Ana")}, QStringLiteral("luna")), 1);
    EXPECT_EQ(Titulos(tabla), QStringList{QStringLiteral("Dos")});
    // An empty text keeps every song with a lyric row, a Null lyric included, but not one whose row is
    // missing.
    EXPECT_EQ(Llenar({}, {}), 3);
    EXPECT_EQ(Titulos(tabla),
              (QStringList{QStringLiteral("Cinco"), QStringLiteral("Dos"), QStringLiteral("Uno")}));
    EXPECT_EQ(Llenar({}, QStringLiteral("sol")), 0);
    // A field that is not a valid pattern is a clear error.
    try {
        Llenar(CamposPorLetra{QString(), QStringLiteral("[a")}, {});
        ADD_FAILURE();
    } catch (const dao::ErrorBD& error) {
        EXPECT_EQ(error.Numero(), 93);
    }
}

TEST_F(TablasAuxTest, CadaTablaTieneSuNombreYSeBorra) {
    Llenar({}, QStringLiteral("luna"));
    const QString primera = tabla;
    Llenar({}, QStringLiteral("llena"));
    EXPECT_NE(primera, tabla);
    EXPECT_TRUE(primera.startsWith(QStringLiteral("AUX")));
    // The table survives the close and reopen done by the maintenance operations.
    catalogo.Reabrir();
    EXPECT_EQ(Titulos(primera).size(), 2);
    BorrarTablaAux(*BBDD::BaseDatos, primera);
    EXPECT_FALSE(BBDD::BaseDatos->TableNames().contains(primera, Qt::CaseInsensitive));
    EXPECT_EQ(Titulos(tabla).size(), 2);
}

TEST_F(TablasAuxTest, LasTablasAbandonadasSeBorranYLasDemasNo) {
    Llenar({}, QStringLiteral("luna"));
    dao::Database& base = *BBDD::BaseDatos;
    for (const char* nombre : {"AUXILIAR", "AUX77"}) {
        dao::TableDef otra = base.CreateTableDef(QLatin1String(nombre));
        otra.AppendField(otra.CreateField(QStringLiteral("CABECERA"), dao::TipoCampo::Texto));
        base.AppendTableDef(otra);
    }
    BorrarTablasAuxAbandonadas(base);
    const QStringList tablas = base.TableNames();
    EXPECT_FALSE(tablas.contains(tabla, Qt::CaseInsensitive));
    EXPECT_TRUE(tablas.contains(QStringLiteral("AUXILIAR"), Qt::CaseInsensitive));
    EXPECT_TRUE(tablas.contains(QStringLiteral("AUX77"), Qt::CaseInsensitive));
    EXPECT_TRUE(tablas.contains(QStringLiteral("CANCIONES"), Qt::CaseInsensitive));
}
