// The catalogue's statements: a route's songs matched exactly, their identity, sizes, lyric marks, and
// the number of a new lyric.

#include "store/Catalogo.h"
#include "store/BBDD.h"
#include "store/CatalogoLetras.h"
#include "support/CatalogoPrueba.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QStringList Titulos(const catalogo::CancionesRuta& canciones) {
    QStringList titulos;
    for (const auto& c : canciones)
        titulos << c.titulo;
    return titulos;
}

QString MarcaDe(const catalogo::CancionesRuta& canciones, const QString& titulo) {
    for (const auto& c : canciones)
        if (c.titulo == titulo)
            return c.marca;
    return QStringLiteral("(no está)");
}

} // namespace

TEST(FormatoTamano, AgrupaLosMilesConElSeparadorDelLocale) {
    const catalogo::FormatoTamano ingles(QLocale(QLocale::English, QLocale::UnitedStates));
    const struct {
        QVariant longitud;
        const char* esperado;
    } casos[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {1234567, "1,234,567"},
        {2147483647, "2,147,483,647"},
        {-4500, "-4,500"},
        {QVariant(), ""},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(ingles(caso.longitud), QString::fromLatin1(caso.esperado)) << caso.esperado;
    // Four-digit sizes are grouped too, whatever the locale's own habit.
    EXPECT_EQ(catalogo::FormatoTamano(QLocale(QLocale::Spanish, QLocale::Spain))(1234),
              QStringLiteral("1.234"));
    EXPECT_EQ(catalogo::TextoTamano(1234567, QLocale(QLocale::German)), QStringLiteral("1.234.567"));
}

class RutaPrueba : public ::testing::Test {
protected:
    CatalogoPrueba catalogo;

    catalogo::CancionesRuta Leer(const QString& cabecera, const QString& ruta, bool inteligente = false) {
        return catalogo::LeerCancionesRuta(*BBDD::BaseDatos, {cabecera, ruta}, inteligente);
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
    EXPECT_EQ(canciones[1].longitud, 2048);
}

// Headers and paths holding ' # * ? [ list exactly their own songs: the texts are compared as values,
// so no character of theirs acts as a pattern or breaks the statement.
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
        {"[#'*?", "\\#1\\", "[#'*?x", "\\21\\"},
    };
    for (const auto& caso : casos) {
        CatalogoPrueba catalogo;
        catalogo.AnadirCancion(QString::fromUtf8(caso.cabecera), QString::fromUtf8(caso.ruta), "Autor",
                               "Propia");
        catalogo.AnadirCancion(QString::fromUtf8(caso.vecinaCabecera), QString::fromUtf8(caso.vecinaRuta),
                               "Autor", "Vecina");
        EXPECT_EQ(Titulos(catalogo::LeerCancionesRuta(
                      *BBDD::BaseDatos, {QString::fromUtf8(caso.cabecera), QString::fromUtf8(caso.ruta)})),
                  QStringList{"Propia"})
            << caso.cabecera << " " << caso.ruta;
    }
}

TEST_F(RutaPrueba, LosNombresSeListanTalComoEstanGuardados) {
    const QString raros[] = {
        QStringLiteral("O'Brien \"el Bueno\""),
        QStringLiteral("#1 [Directo] *?"),
        QStringLiteral("Ni\u00f1o \u2019 \U0001F3B5"),
        QString::fromUtf8("\xef\xbf\xbd caf\xc3\xa9 \xef\xbf\xbd"),
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
        {"Propia", 1, "S", "S"},                                 // it has a lyric of its own
        {"YESTERDAY", 0, "N", "?"},                              // letter case does not count
        {"Sin pareja", 0, "N", "N"},   {"Cancion", 0, "N", "N"}, // accents do
        {"Don't Stop", 0, "N", "N"}, // titles are compared as values: no character is a wildcard
        {"Best*", 0, "N", "N"},        {"Hit [1]", 0, "N", "N"},
        {"[Directo", 0, "N", "N"},     {"hit 1", 0, "N", "?"},
        {"CANCI\u00d3N", 0, "N", "?"}, {"canci\u00f3n", 0, "N", "?"}, // case of an accented letter
        {"Canc\u00edon", 0, "N", "N"},                                // an accent elsewhere
    };
    int posicion = 0;
    for (const auto& caso : casos)
        catalogo.AnadirCancion("CD", "\\R\\", "Autor", QString::fromUtf8(caso.titulo), "mp3", 1,
                               caso.idxCancion, ++posicion);
    const auto sin = Leer("CD", "\\R\\", false);
    const auto con = Leer("CD", "\\R\\", true);
    for (const auto& caso : casos) {
        EXPECT_EQ(MarcaDe(sin, QString::fromUtf8(caso.titulo)), QString::fromLatin1(caso.sinBusqueda))
            << caso.titulo;
        EXPECT_EQ(MarcaDe(con, QString::fromUtf8(caso.titulo)), QString::fromLatin1(caso.conBusqueda))
            << caso.titulo;
    }
    // The same marks as a separate search for namesakes per route and per song gives: the marks read
    // with the route's songs come from the index of the titles that have a lyric.
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral(
        "SELECT C.rowid FROM CANCIONES AS C WHERE C.CABECERA = 'CD' AND Nz(C.IDX_CANCION, 0) = 0 "
        "AND EXISTS (SELECT * FROM CANCIONES AS L WHERE L.TITULO = C.TITULO AND "
        "L.IDX_CANCION <> 0)"));
    QList<catalogo::IdCancion> posibles;
    for (; !rs->Eof(); rs->MoveNext())
        posibles << rs->Field(0).toLongLong();
    for (const catalogo::CancionRuta& c : con) {
        EXPECT_EQ(c.marca == catalogo::MarcaPosibleLetra, posibles.contains(c.fila))
            << c.titulo.toStdString();
        EXPECT_EQ(c.marca, catalogo::MarcaLetra(*BBDD::BaseDatos, c.fila, true)) << c.titulo.toStdString();
    }
    // The result windows ask about all their titles at once, with the same test; a song with a lyric of
    // its own is its own namesake.
    QStringList titulos;
    for (const auto& caso : casos)
        titulos << QString::fromUtf8(caso.titulo);
    titulos << QString();
    const std::vector<bool> hay = catalogo::HayHomonimosConLetra(*BBDD::BaseDatos, titulos);
    ASSERT_EQ(hay.size(), std::size(casos) + 1);
    for (std::size_t i = 0; i < std::size(casos); ++i)
        EXPECT_EQ(hay[i], casos[i].idxCancion != 0 || QString::fromLatin1(casos[i].conBusqueda) == "?")
            << casos[i].titulo;
    EXPECT_FALSE(hay.back());
}

// A catalogue made before the index of the titles with a lyric existed gets it when it is opened.
TEST_F(RutaPrueba, ElIndiceDeTitulosConLetraSeAnadeAlAbrir) {
    const auto definicion = [] {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(BBDD::BaseDatos->Conexion(),
                           "SELECT sql FROM sqlite_schema WHERE name = 'CANCIONES_TITULO_CON_LETRA'", -1, &s,
                           nullptr);
        const QString sql = sqlite3_step(s) == SQLITE_ROW
                                ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)))
                                : QString();
        sqlite3_finalize(s);
        return sql;
    };
    EXPECT_TRUE(
        definicion().endsWith(QStringLiteral("(\"TITULO\") WHERE IDX_CANCION <> 0 AND TITULO IS NOT NULL")))
        << definicion().toStdString();
    ASSERT_EQ(sqlite3_exec(BBDD::BaseDatos->Conexion(), "DROP INDEX CANCIONES_TITULO_CON_LETRA", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(definicion(), QString());
    catalogo.Reabrir();
    EXPECT_FALSE(definicion().isEmpty());
}

TEST_F(RutaPrueba, UnaCancionDeLaMismaRutaConLetraTambienCuenta) {
    catalogo.AnadirLetra(4, "letra");
    catalogo.AnadirCancion("CD", "\\R\\", "A", "Intro", "mp3", 1, 4, 1);
    catalogo.AnadirCancion("CD", "\\R\\", "B", "intro", "mp3", 1, 0, 2);
    EXPECT_EQ(MarcaDe(Leer("CD", "\\R\\", true), QStringLiteral("intro")), QStringLiteral("?"));
}

// Each song carries its row's identity; two entries alike are still two rows, and the row is opened by it.
TEST_F(RutaPrueba, CadaCancionLlevaLaIdentidadDeSuFila) {
    catalogo.AnadirCancion("CD", "\\R\\", "A", "Igual", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("CD", "\\R\\", "A", "Igual", "mp3", 1, 0, 2);
    const auto canciones = Leer("CD", "\\R\\");
    ASSERT_EQ(canciones.size(), 2u);
    EXPECT_NE(canciones[0].fila, canciones[1].fila);
    auto segunda = catalogo::AbrirCancion(*BBDD::BaseDatos, canciones[1].fila);
    ASSERT_TRUE(segunda);
    EXPECT_EQ(segunda->Field(QStringLiteral("REL_POS")).toInt(), 2);
    segunda->Delete();
    EXPECT_FALSE(catalogo::AbrirCancion(*BBDD::BaseDatos, canciones[1].fila));
    EXPECT_EQ(catalogo::LineaCancion(canciones[0]), QStringLiteral("A -- Igual"));
}

// A new lyric takes a number that no lyric and no song uses yet, never 0.
TEST(NumeroLetraNueva, NoRepiteNingunNumeroEnUso) {
    const struct {
        std::vector<int> letras;
        std::vector<int> canciones;
        int esperado;
    } casos[] = {
        {{}, {}, 1},       {{}, {0, 0}, 1}, {{3, 7}, {3, 7, 0}, 8},
        {{}, {5}, 6},      // a song still names the missing lyric 5
        {{2}, {2, 9}, 10}, // and here the missing lyric 9
    };
    for (const auto& caso : casos) {
        CatalogoPrueba catalogo;
        for (int idx : caso.letras)
            catalogo.AnadirLetra(idx, "letra");
        for (int idx : caso.canciones)
            catalogo.AnadirCancion("CD", "\\R\\", "A", "T", "mp3", 1, idx);
        EXPECT_EQ(catalogo::NumeroLetraNueva(*BBDD::BaseDatos), caso.esperado) << caso.esperado;
    }
}
