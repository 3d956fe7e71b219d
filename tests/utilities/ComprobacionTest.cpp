// The four integrity checks with seeded faults, answered Yes and No, and the lyric coverage counts.

#include "CatalogoUtilidadesPrueba.h"

#include "store/CatalogoUtilidades.h"
#include "utilities/ComprobacionErrores.h"
#include "utilities/FormatoNumeros.h"
#include "utilities/PorcentajeLetras.h"

namespace {

// Records what a window would show: per check, its line text and its results in order.
class Registro : public SeguimientoComprobacion {
public:
    explicit Registro(std::vector<bool> respuestas = {}) : respuestas_(std::move(respuestas)) {}
    void Empezar(int k, bool) override { lineas[k] = Comprobaciones[k].comprobando; }
    void Comprobado(int k) override { lineas[k] = Comprobaciones[k].comprobado; }
    void Resultado(int k, ResultadoComprobacion r) override { resultados[k] += TextoResultado(r); }
    bool Reparar(int k) override {
        preguntas.push_back(k);
        return respuestas_.empty() ? false : respuestas_[preguntas.size() - 1];
    }
    void FalloReparacion(int, const QString& d) override { fallos << d; }
    void SigueElFallo(int k) override { sinCorregir.push_back(k); }

    QString lineas[4];
    QString resultados[4];
    std::vector<int> preguntas;
    QStringList fallos;
    std::vector<int> sinCorregir;

private:
    std::vector<bool> respuestas_;
};

class ComprobacionTest : public CatalogoUtilidadesPrueba {
protected:
    // One fault of each kind, and routes that must not be confused with faulty ones.
    void SembrarFallos() {
        Cancion({QStringLiteral("A"), QStringLiteral("\\Nulo\\"), QStringLiteral("x"), QStringLiteral("y"),
                 QStringLiteral("mp3"), 1, QVariant(), 1});
        // 1, 2, 2, 3: the two songs at 2 are ordered by author when renumbered.
        Cancion(QStringLiteral("A"), QStringLiteral("\\Rock'n\\"), QStringLiteral("a"), QStringLiteral("uno"),
                0, 1);
        Cancion(QStringLiteral("A"), QStringLiteral("\\Rock'n\\"), QStringLiteral("c"),
                QStringLiteral("tres"), 0, 2);
        Cancion(QStringLiteral("A"), QStringLiteral("\\Rock'n\\"), QStringLiteral("b"), QStringLiteral("dos"),
                0, 2);
        Cancion(QStringLiteral("A"), QStringLiteral("\\Rock'n\\"), QStringLiteral("d"),
                QStringLiteral("cuatro"), 0, 3);
        // A route that differs by one character, and one with "[", both numbered well.
        Cancion(QStringLiteral("A"), QStringLiteral("\\Rock n\\"), QStringLiteral("e"),
                QStringLiteral("cinco"), 0, 1);
        Cancion(QStringLiteral("A"), QStringLiteral("\\Rock n\\"), QStringLiteral("f"),
                QStringLiteral("seis"), 0, 2);
        Cancion(QStringLiteral("[B"), QStringLiteral("\\[x\\"), QStringLiteral("g"), QStringLiteral("siete"),
                5, 1);
        Letra(5);
        Letra(9);          // no song names it
        Letra(QVariant()); // nor this one
        Cancion(QStringLiteral("[B"), QStringLiteral("\\[x\\"), QStringLiteral("h"), QStringLiteral("ocho"),
                7, 2); // no lyric 7
    }
    QString Estado() {
        return Filas(QStringLiteral(
                   "SELECT CABECERA, RUTA, AUTOR, IDX_CANCION, REL_POS FROM CANCIONES ORDER BY "
                   "CABECERA, RUTA, AUTOR")) +
               u'\n' + Filas(QStringLiteral("SELECT IDX_CANCION FROM LETRAS ORDER BY IDX_CANCION"));
    }
};

TEST_F(ComprobacionTest, CatalogoVacioPasaLasCuatro) {
    Registro registro;
    EXPECT_EQ(ComprobarErrores(Base(), registro), 0);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(registro.resultados[k], QStringLiteral(" OK.")) << k;
    // Only the first check reads a table that is not empty-tested first.
    EXPECT_EQ(registro.lineas[0], Comprobaciones[0].comprobado);
    for (int k = 1; k < 4; ++k)
        EXPECT_EQ(registro.lineas[k], Comprobaciones[k].comprobando) << k;
    EXPECT_TRUE(registro.preguntas.empty());
}

TEST_F(ComprobacionTest, ContestandoNoNadaCambiaYLasCuatroQuedanEnError) {
    SembrarFallos();
    const QString antes = Estado();
    Registro registro;
    EXPECT_EQ(ComprobarErrores(Base(), registro), 4);
    EXPECT_EQ(registro.preguntas, (std::vector<int>{0, 1, 2, 3}));
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(registro.resultados[k], QStringLiteral(" ERROR.")) << k;
        EXPECT_EQ(registro.lineas[k], Comprobaciones[k].comprobado) << k;
    }
    EXPECT_EQ(Estado(), antes);
}

TEST_F(ComprobacionTest, ContestandoSiSeReparaCadaFalloYSoloEse) {
    SembrarFallos();
    Registro registro({true, true, true, true});
    EXPECT_EQ(ComprobarErrores(Base(), registro), 0);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(registro.resultados[k], QStringLiteral(" ERROR. Corregido.")) << k;
    EXPECT_EQ(Estado(), QStringLiteral(
                            "[B|\\[x\\|g|5|1\n[B|\\[x\\|h|0|2\n"
                            "A|\\Nulo\\|x|0|1\n"
                            "A|\\Rock n\\|e|0|1\nA|\\Rock n\\|f|0|2\n"
                            "A|\\Rock'n\\|a|0|1\nA|\\Rock'n\\|b|0|2\nA|\\Rock'n\\|c|0|3\nA|\\Rock'n\\|d|0|4\n"
                            "5"));
    Registro otra;
    EXPECT_EQ(ComprobarErrores(Base(), otra), 0);
}

TEST_F(ComprobacionTest, RutasMalNumeradas) {
    const QVariant nula;
    struct Caso {
        const char* nombre;
        std::vector<QVariant> posiciones;
        bool fallo;
        const char* tras; // positions by author a, b, c … after the repair
        QVariant cabecera = QStringLiteral("C"), ruta = QStringLiteral("\\R\\");
    };
    // A header or route read as Null from an import is a route like any other.
    const Caso casos[] = {
        {"bien", {1, 2, 3}, false, "1,2,3"},
        {"empieza en 0", {0, 1, 2}, true, "1,2,3"},
        {"negativas antes del 0", {-1, 0, 1}, false, "-1,0,1"},
        {"hueco", {1, 5, 9}, false, "1,5,9"},
        {"nulo, va primero", {1, nula, 2}, true, "2,1,3"},
        {"cabecera nula", {1, 1}, true, "1,2", nula},
        {"ruta nula", {1, 1}, true, "1,2", QStringLiteral("C"), nula},
        {"cabecera y ruta nulas, empieza en 0", {0, 1}, true, "1,2", nula, nula},
        {"ruta nula, negativas antes del 0", {-1, 0, 1}, false, "-1,0,1", QStringLiteral("C"), nula},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Base().Execute(QStringLiteral("DELETE FROM CANCIONES"));
        char autor = 'a';
        for (const QVariant& posicion : caso.posiciones)
            Cancion({caso.cabecera, caso.ruta, QString(QChar(autor++)), QStringLiteral("t"),
                     QStringLiteral("mp3"), 1, 0, posicion});
        Registro registro({true});
        ComprobarErrores(Base(), registro);
        EXPECT_EQ(registro.resultados[1],
                  caso.fallo ? QStringLiteral(" ERROR. Corregido.") : QStringLiteral(" OK."));
        auto rs = Base().OpenRecordset(QStringLiteral("SELECT REL_POS FROM CANCIONES ORDER BY AUTOR"));
        QStringList posiciones;
        for (; !rs->Eof(); rs->MoveNext())
            posiciones << rs->Field(0).toString();
        EXPECT_EQ(posiciones.join(u','), QString::fromUtf8(caso.tras));
    }
}

// A repair that changes no row (here a trigger of another program ignores the updates) leaves the
// fault where it was: the line stays in error and the fault is counted as left.
TEST_F(ComprobacionTest, UnaReparacionQueNoCambiaNadaNoSeDaPorCorregida) {
    Cancion(QStringLiteral("C"), QStringLiteral("\\R\\"), QStringLiteral("a"), QStringLiteral("t"), 0, 1);
    Cancion(QStringLiteral("C"), QStringLiteral("\\R\\"), QStringLiteral("b"), QStringLiteral("t"), 0, 1);
    IgnorarCambiosDePosicion();
    Registro registro({true});
    EXPECT_EQ(ComprobarErrores(Base(), registro), 1);
    EXPECT_EQ(registro.resultados[1], QStringLiteral(" ERROR."));
    EXPECT_EQ(registro.sinCorregir, std::vector<int>{1});
    EXPECT_EQ(Filas(QStringLiteral("SELECT REL_POS FROM CANCIONES ORDER BY AUTOR")), QStringLiteral("1\n1"));
}

TEST_F(ComprobacionTest, MayusculasDeUnaRutaSonLaMismaRuta) {
    // "Rock" and "ROCK" are one route as the catalogue compares texts: positions 1 and 1 repeat.
    Cancion(QStringLiteral("C"), QStringLiteral("\\Rock\\"), QStringLiteral("a"), QStringLiteral("t"), 0, 1);
    Cancion(QStringLiteral("C"), QStringLiteral("\\ROCK\\"), QStringLiteral("b"), QStringLiteral("t"), 0, 1);
    EXPECT_TRUE(catalogo::HayRutasMalNumeradas(Base()));
}

TEST(FormatoNumeros, GruposYPorcentajes) {
    EXPECT_EQ(FormatoEntero(0), QStringLiteral("0"));
    EXPECT_EQ(FormatoEntero(999), QStringLiteral("999"));
    EXPECT_EQ(FormatoEntero(1000), QStringLiteral("1.000"));
    EXPECT_EQ(FormatoEntero(1234567), QStringLiteral("1.234.567"));
    EXPECT_EQ(FormatoPorcentaje(1, 800), QStringLiteral("0,13%"));
    EXPECT_EQ(FormatoPorcentaje(1, 3), QStringLiteral("33,33%"));
    EXPECT_EQ(FormatoPorcentaje(2, 3), QStringLiteral("66,67%"));
    EXPECT_EQ(FormatoPorcentaje(5, 5), QStringLiteral("100,00%"));
    EXPECT_EQ(FormatoPorcentaje(0, 5), QStringLiteral("0,00%"));
}

TEST_F(ComprobacionTest, Porcentajes) {
    EXPECT_FALSE(PorcentajesLetras(Base()));
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("Yesterday"), 1,
            1);
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("b"), QStringLiteral("YESTERDAY"), 0,
            2);
    Cancion(QStringLiteral("C"), QStringLiteral("\\"), QStringLiteral("c"), QStringLiteral("Otra"), 0, 3);
    const auto lineas = PorcentajesLetras(Base());
    ASSERT_TRUE(lineas);
    QStringList texto;
    for (const LineaPorcentaje& l : *lineas)
        texto << l.etiqueta + u' ' + l.total + u' ' + l.porciento;
    EXPECT_EQ(texto.join(u'\n'),
              QStringLiteral("Con Letra: 1 33,33%\nSin Letra: 1 33,33%\nHuérfanas: 1 33,33%"));
}

} // namespace
