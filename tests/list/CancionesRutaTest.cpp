// The songs of a route as the list shows them: exact route matching, sizes, lyric marks, and the
// number of a new lyric.

#include "list/CancionesRuta.h"
#include "list/NumeroLetra.h"
#include "store/BBDD.h"
#include "support/CatalogoPrueba.h"

#include <gtest/gtest.h>

namespace {

QStringList Titulos(const std::vector<Lista::CancionLista>& canciones) {
    QStringList titulos;
    for (const auto& c : canciones)
        titulos << c.titulo;
    return titulos;
}

QString MarcaDe(const std::vector<Lista::CancionLista>& canciones, const QString& titulo) {
    for (const auto& c : canciones)
        if (c.titulo == titulo)
            return c.marca;
    return QStringLiteral("(no está)");
}

} // namespace

TEST(FormatoTamano, AgrupaLosMilesConElSeparadorDelLocale) {
    const Lista::FormatoTamano ingles(QLocale(QLocale::English, QLocale::UnitedStates));
    const struct {
        QVariant longitud;
        const char* esperado;
    } casos[] = {
        {0, "0"},         {7, "7"},
        {999, "999"},     {1000, "1,000"},
        {1234567, "1,234,567"}, {2147483647, "2,147,483,647"},
        {-4500, "-4,500"}, {QVariant(), ""},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(ingles(caso.longitud), QString::fromLatin1(caso.esperado)) << caso.esperado;
    // Four-digit sizes are grouped too, whatever the locale's own habit.
    EXPECT_EQ(Lista::FormatoTamano(QLocale(QLocale::Spanish, QLocale::Spain))(1234), QStringLiteral("1.234"));
    EXPECT_EQ(Lista::TextoTamano(1234567, QLocale(QLocale::German)), QStringLiteral("1.234.567"));
}

TEST(PatronLiteral, QuitaSuSentidoALosComodinesYPasaPorLimpiaLike) {
    const struct {
        const char* texto;
        const char* patron;
    } casos[] = {
        {"\\Musica\\Rock\\", "\\Musica\\Rock\\"},
        {"\\[2001] Directo\\", "\\[[]2001] Directo\\"},
        {"Lo*Mejor?", "Lo[*]Mejor[?]"},
        {"Rock'n Roll #1", "Rock?n Roll ?1"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(Lista::PatronLiteral(QString::fromUtf8(caso.texto)), QString::fromUtf8(caso.patron)) << caso.texto;
}

class RutaPrueba : public ::testing::Test {
protected:
    CatalogoPrueba catalogo;

    std::vector<Lista::CancionLista> Leer(const QString& cabecera, const QString& ruta, bool inteligente = false) {
        return Lista::LeerCancionesRuta(*BBDD::BaseDatos, cabecera, ruta, inteligente);
    }
};

TEST_F(RutaPrueba, ListaLasCancionesDeLaRutaPorPosicionConSusCampos) {
    catalogo.AnadirCancion("CD1", "\\Rock\\", "Autor B", "Segunda", "ogg", 2048, 0, 2);
    catalogo.AnadirCancion("CD1", "\\Rock\\", "Autor A", "Primera", "mp3", 1000, 0, 1);
    catalogo.AnadirCancion("CD1", "\\Pop\\", "Otro", "De otra ruta");
    catalogo.AnadirCancion("CD2", "\\Rock\\", "Otro", "De otra cabecera");
    const auto canciones = Leer("CD1", "\\Rock\\");
    ASSERT_EQ(Titulos(canciones), (QStringList{"Primera", "Segunda"}));
    EXPECT_EQ(canciones[1].autor, QStringLiteral("Autor B"));
    EXPECT_EQ(canciones[1].extension, QStringLiteral("ogg"));
    EXPECT_EQ(canciones[1].longitud.toInt(), 2048);
}

// Headers and paths holding pattern characters list exactly their own songs: "[" no longer breaks
// the pattern, "*" no longer takes in other routes, and the "?" that LimpiaLike leaves for an
// apostrophe does not bring in the songs of a path that differs in that one character.
TEST(RutaConPatrones, ListanSoloLoSuyo) {
    const struct {
        const char* cabecera;
        const char* ruta;
        const char* vecinaCabecera;
        const char* vecinaRuta;
    } casos[] = {
        {"CD [1]", "\\[2001] Directo\\", "CD 1", "\\2 Directo\\"},
        {"Todo*", "\\A*\\", "Todo junto", "\\Abc\\"},
        {"Cosas #1", "\\Rock'n Roll\\", "Cosas #1", "\\Rock n Roll\\"},
        {"Qu?", "\\¿Qué?\\", "Qué", "\\¿Qué!\\"},
    };
    for (const auto& caso : casos) {
        CatalogoPrueba catalogo;
        catalogo.AnadirCancion(QString::fromUtf8(caso.cabecera), QString::fromUtf8(caso.ruta), "Autor", "Propia");
        catalogo.AnadirCancion(QString::fromUtf8(caso.vecinaCabecera), QString::fromUtf8(caso.vecinaRuta), "Autor",
                               "Vecina");
        EXPECT_EQ(Titulos(Lista::LeerCancionesRuta(*BBDD::BaseDatos, QString::fromUtf8(caso.cabecera),
                                                   QString::fromUtf8(caso.ruta), false)),
                  QStringList{"Propia"})
            << caso.cabecera << " " << caso.ruta;
    }
}

TEST_F(RutaPrueba, LosNombresSeListanTalComoEstanGuardados) {
    const QString raros[] = {
        QStringLiteral("O'Brien \"el Bueno\""), QStringLiteral("#1 [Directo] *?"),
        QStringLiteral("Ni\u00f1o \u2019 \U0001F3B5"), QString::fromUtf8("\xef\xbf\xbd caf\xc3\xa9 \xef\xbf\xbd"),
    };
    int posicion = 0;
    for (const QString& raro : raros)
        catalogo.AnadirCancion("CD", "\\R\\", raro, raro, "mp3", 1, 0, ++posicion);
    const auto canciones = Leer("CD", "\\R\\");
    ASSERT_EQ(canciones.size(), std::size(raros));
    for (std::size_t i = 0; i < canciones.size(); ++i) {
        EXPECT_EQ(canciones[i].autor, raros[i]);
        EXPECT_EQ(canciones[i].titulo, raros[i]);
    }
}

TEST_F(RutaPrueba, LasMarcasSiguenALaLetraYALaBusquedaInteligente) {
    // Songs with a lyric elsewhere in the catalogue, whose titles the route's songs may match.
    const char* conLetra[] = {"Yesterday", "Don\u2019t Stop", "Best of You", "Hit 1", "Canci\u00f3n"};
    int idx = 0;
    for (const char* titulo : conLetra) {
        catalogo.AnadirLetra(++idx, "letra");
        catalogo.AnadirCancion("Otro CD", "\\X\\", "Alguien", QString::fromUtf8(titulo), "mp3", 1, idx);
    }
    const struct {
        const char* titulo;
        int idxCancion;
        const char* sinBusqueda;
        const char* conBusqueda;
    } casos[] = {
        {"Propia", 1, "S", "S"},         // it has a lyric of its own
        {"YESTERDAY", 0, "N", "?"},      // letter case does not count
        {"Sin pareja", 0, "N", "N"},
        {"Cancion", 0, "N", "N"},        // accents do
        {"Don't Stop", 0, "N", "?"},     // the apostrophe became "?" and matches the other apostrophe
        {"Best*", 0, "N", "?"},          // a "*" kept by LimpiaLike still acts as a pattern
        {"Hit [1]", 0, "N", "?"},        // and so does a list in brackets
        {"[Directo", 0, "N", "N"},       // an invalid pattern matches nothing and fails nothing
    };
    int posicion = 0;
    for (const auto& caso : casos)
        catalogo.AnadirCancion("CD", "\\R\\", "Autor", QString::fromUtf8(caso.titulo), "mp3", 1, caso.idxCancion,
                               ++posicion);
    const auto sin = Leer("CD", "\\R\\", false);
    const auto con = Leer("CD", "\\R\\", true);
    for (const auto& caso : casos) {
        EXPECT_EQ(MarcaDe(sin, QString::fromUtf8(caso.titulo)), QString::fromLatin1(caso.sinBusqueda)) << caso.titulo;
        EXPECT_EQ(MarcaDe(con, QString::fromUtf8(caso.titulo)), QString::fromLatin1(caso.conBusqueda)) << caso.titulo;
    }
}

TEST_F(RutaPrueba, UnaCancionDeLaMismaRutaConLetraTambienCuenta) {
    catalogo.AnadirLetra(4, "letra");
    catalogo.AnadirCancion("CD", "\\R\\", "A", "Intro", "mp3", 1, 4, 1);
    catalogo.AnadirCancion("CD", "\\R\\", "B", "intro", "mp3", 1, 0, 2);
    EXPECT_EQ(MarcaDe(Leer("CD", "\\R\\", true), QStringLiteral("intro")), QStringLiteral("?"));
}

TEST_F(RutaPrueba, AbrirCancionRutaSeSituaEnLaCancionDeEsaPosicion) {
    catalogo.AnadirCancion("CD", "\\R\\", "A", "Igual", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("CD", "\\R\\", "A", "Igual", "mp3", 1, 0, 2);
    catalogo.AnadirCancion("CD", "\\R n\\", "A", "Vecina", "mp3", 1, 0, 1);
    auto segunda = Lista::AbrirCancionRuta(*BBDD::BaseDatos, "CD", "\\R\\", 1);
    ASSERT_TRUE(segunda);
    EXPECT_EQ(segunda->Field(QStringLiteral("REL_POS")).toInt(), 2);
    EXPECT_FALSE(Lista::AbrirCancionRuta(*BBDD::BaseDatos, "CD", "\\R\\", 2));
    EXPECT_FALSE(Lista::AbrirCancionRuta(*BBDD::BaseDatos, "CD", "\\R\\", -1));
}

// A new lyric takes a number that no lyric and no song uses yet, never 0.
TEST(NumeroLetraNueva, NoRepiteNingunNumeroEnUso) {
    const struct {
        std::vector<int> letras;
        std::vector<int> canciones;
        int esperado;
    } casos[] = {
        {{}, {}, 1},
        {{}, {0, 0}, 1},
        {{3, 7}, {3, 7, 0}, 8},
        {{}, {5}, 6},       // a song still names the missing lyric 5
        {{2}, {2, 9}, 10},  // and here the missing lyric 9
    };
    for (const auto& caso : casos) {
        CatalogoPrueba catalogo;
        for (int idx : caso.letras)
            catalogo.AnadirLetra(idx, "letra");
        for (int idx : caso.canciones)
            catalogo.AnadirCancion("CD", "\\R\\", "A", "T", "mp3", 1, idx);
        EXPECT_EQ(Lista::NumeroLetraNueva(*BBDD::BaseDatos), caso.esperado) << caso.esperado;
    }
}
