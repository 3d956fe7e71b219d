#include "store/Globales.h"
#include "store/Dao.h"

#include <gtest/gtest.h>

#include <utility>

using namespace Globales;

namespace {

struct CasoDigitos {
    const char* texto;
    int valor;
};

TEST(ValorDigitos, JuntaLasCifrasYSaltaLoDemas) {
    const CasoDigitos casos[] = {
        {"a1b2c3", 123},
        {"", 0},
        {"xx0yy7zz", 7},
        {"1.234.567  Bytes", 1234567},
        {"2147483647", 2147483647},
        {"00000000000000000042", 42},
        {"sin cifras", 0},
        {"-15", 15},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(ValorDigitos(QString::fromUtf8(caso.texto)), caso.valor) << caso.texto;
}

TEST(ValorDigitos, SoloCuentanLasCifrasDe0A9) {
    // Arabic-Indic and full-width digits are other characters, not digits of the number.
    EXPECT_EQ(ValorDigitos(QStringLiteral("1\u0663\uFF125")), 15);
}

TEST(ValorDigitos, ElDesbordamientoEsUnErrorNoUnNumeroTruncado) {
    for (const char* texto : {"99999999999", "2147483648", "tam 4.294.967.296"}) {
        try {
            ValorDigitos(QString::fromUtf8(texto));
            ADD_FAILURE() << "sin error: " << texto;
        } catch (const dao::ErrorBD& error) {
            EXPECT_EQ(error.Numero(), 6) << texto;
            EXPECT_TRUE(error.Descripcion().startsWith(QStringLiteral("Desbordamiento"))) << texto;
        }
    }
}

struct CasoReemplaza {
    const char* texto;
    const char* buscado;
    const char* nuevo;
    const char* resultado;
};

TEST(Reemplaza, CambiaCadaAparicionSinMirarMayusculas) {
    const CasoReemplaza casos[] = {
        {"A_b_C", "_", " ", "A b C"},
        {"aXa", "x", "Y", "aYa"},
        {"Ñandú y ñu", "ñ", "n", "nandú y nu"},
        {"Rock ROCK rock", "rock", "Pop", "Pop Pop Pop"},
        // The scan goes on right after the inserted text: neither overlapping nor rescanned.
        {"aaa", "aa", "b", "ba"},
        {"aa", "a", "aa", "aaaa"},
        // A longer replacement still reaches the end of the text.
        {"aaaa", "a", "bb", "bbbbbbbb"},
        {"x_y_z_", "_", "<->", "x<->y<->z<->"},
        {"abcabc", "BC", "", "aa"},
        {"nada que ver", "#", "?", "nada que ver"},
        {"", "a", "b", ""},
        {"abc", "", "x", "abc"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(Reemplaza(QString::fromUtf8(caso.texto), QString::fromUtf8(caso.buscado),
                            QString::fromUtf8(caso.nuevo)),
                  QString::fromUtf8(caso.resultado))
            << caso.texto << " / " << caso.buscado;
}

TEST(LimpiaLike, ApostrofosYAlmohadillasPasanAInterrogacion) {
    const std::pair<const char*, const char*> casos[] = {
        {"Rock 'n' Roll #1", "Rock ?n? Roll ?1"},
        {"Canción sin nada", "Canción sin nada"},
        // The wildcards of the pattern keep their meaning.
        {"*?[a-z]!", "*?[a-z]!"},
        {"''##", "????"},
    };
    for (const auto& [texto, resultado] : casos)
        EXPECT_EQ(LimpiaLike(QString::fromUtf8(texto)), QString::fromUtf8(resultado)) << texto;
}

} // namespace
