#include "trees/Arboles.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Arboles;

namespace {

TEST(NumeroClave, SeisCifrasComoMinimoYNuncaCortado) {
    const std::pair<int, const char*> casos[] = {
        {0, "000000"},        {1, "000001"},  {42, "000042"},          {999999, "999999"},
        {1000000, "1000000"}, {-5, "0000-5"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"},
    };
    for (const auto& [n, clave] : casos)
        EXPECT_EQ(NumeroClave(n), QString::fromLatin1(clave)) << n;
}

TEST(ClavesDeNodo, CabeceraYRuta) {
    EXPECT_EQ(ClaveCabecera(1), QStringLiteral("1-000001-000001"));
    EXPECT_EQ(ClaveCabecera(37), QStringLiteral("1-000001-000037"));
    EXPECT_EQ(ClaveCabecera(1234567), QStringLiteral("1-000001-1234567"));
    EXPECT_EQ(ClaveRuta(1, 1), QStringLiteral("2-000001-000001"));
    EXPECT_EQ(ClaveRuta(12, 3), QStringLiteral("2-000012-000003"));
    EXPECT_EQ(ClaveRuta(1000000, 1000001), QStringLiteral("2-1000000-1000001"));
}

} // namespace
