// The lyric style's numbers as Qt shows them: colours with red in the low byte, and the six font
// properties taken from a font and given back.

#include "shell/FormatoTexto.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatoTexto, LosColoresLlevanElRojoEnElByteBajo) {
    struct Caso {
        std::uint32_t entero;
        QColor color;
    };
    const Caso casos[] = {
        {0, QColor(0, 0, 0)},
        {12640511, QColor(255, 224, 192)},
        {16777215, QColor(255, 255, 255)},
        {12303291, QColor(187, 187, 187)},
        {0x0000FF, QColor(255, 0, 0)},
        {0xFF0000, QColor(0, 0, 255)},
    };
    for (const Caso& caso : casos) {
        EXPECT_EQ(ColorDeEntero(caso.entero), caso.color) << caso.entero;
        EXPECT_EQ(EnteroDeColor(caso.color), caso.entero) << caso.entero;
    }
}

TEST(FormatoTexto, LaFuenteLlevaSusSeisPropiedadesDeIdaYVuelta) {
    EstiloTexto estilo;
    estilo.NombreFuente = QStringLiteral("Courier");
    estilo.TamanoFuente = 10.5;
    estilo.Negrita = estilo.Subrayado = true;
    EstiloTexto vuelta;
    TomarFuente(vuelta, FuenteDeEstilo(estilo));
    EXPECT_EQ(vuelta.NombreFuente, QStringLiteral("Courier"));
    EXPECT_EQ(vuelta.TamanoFuente, 10.5);
    EXPECT_TRUE(vuelta.Negrita);
    EXPECT_FALSE(vuelta.Cursiva);
    EXPECT_FALSE(vuelta.Tachado);
    EXPECT_TRUE(vuelta.Subrayado);

    // A font sized in pixels has no size in points: the style keeps its own.
    QFont pixeles(QStringLiteral("Times"));
    pixeles.setPixelSize(20);
    TomarFuente(vuelta, pixeles);
    EXPECT_EQ(vuelta.NombreFuente, QStringLiteral("Times"));
    EXPECT_EQ(vuelta.TamanoFuente, 10.5);
}

} // namespace
