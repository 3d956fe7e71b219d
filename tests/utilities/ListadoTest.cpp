// The tree listing byte for byte: whole catalogue, one header, one route, with and without files.

#include "CatalogoUtilidadesPrueba.h"

#include "utilities/ListadoArbol.h"

namespace {

const QByteArray Guiones = QByteArray(70, '-') + "\r\n";
const QByteArray Inicio = "\r\n" + Guiones + "\r\n Cantorio v1.2.0\r\n";

QByteArray Fin(const char* cabeceras, const char* rutas, const char* ficheros) {
    return "\r\n" + Guiones + "\r\n Cabeceras : " + cabeceras + "\r\n     Rutas : " + rutas +
           "\r\n  Ficheros : " + ficheros + "\r\n\r\n" + Guiones;
}

class ListadoTest : public CatalogoUtilidadesPrueba {
protected:
    QByteArray Listar(catalogo::AlcanceListado alcance, bool ficheros) {
        OpcionesListado opciones{std::move(alcance), ficheros, QStringLiteral("Cantorio v1.2.0")};
        ProgresoUtilidad sinProgreso;
        EscribirListado(Base(), Fichero(QStringLiteral("l.txt")), opciones, sinProgreso);
        return LeerFichero(Fichero(QStringLiteral("l.txt")));
    }
    void Catalogo() {
        Cancion(QStringLiteral("Rock'n"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("uno"), 0,
                1);
        Cancion(QStringLiteral("Rock'n"), QStringLiteral("\\Dos\\"), QStringLiteral("b"),
                QStringLiteral("dos"), 0, 2);
        Cancion(QStringLiteral("ROCK'N"), QStringLiteral("\\DOS\\"), QStringLiteral("c"),
                QStringLiteral("tres"), 0, 1);
        Cancion(QStringLiteral("Rock n"), QStringLiteral("\\"), QStringLiteral("d"), QStringLiteral("cuatro"),
                0, 1);
        Cancion({QStringLiteral("Rock n"), QStringLiteral("\\"), QVariant(), QStringLiteral("€"), QVariant(),
                 1, 0, 2});
    }
};

TEST_F(ListadoTest, CatalogoVacio) {
    EXPECT_EQ(Listar({}, true), Inicio + Fin("0", "0", "0"));
}

TEST_F(ListadoTest, RaizConFicheros) {
    Catalogo();
    // "Rock'n" and "ROCK'N" are one header, "\Dos\" and "\DOS\" one route; "Rock n" is another header.
    EXPECT_EQ(Listar({}, true), Inicio + "\r\n" + Guiones +
                                    "\r\nRock n\r\n"
                                    "\r\n   \\\r\n\r\n      d -- cuatro.mp3\r\n       -- \x80.\r\n" +
                                    "\r\n" + Guiones +
                                    "\r\nRock'n\r\n"
                                    "\r\n   \\\r\n\r\n      a -- uno.mp3\r\n"
                                    "\r\n   \\DOS\\\r\n\r\n      c -- tres.mp3\r\n      b -- dos.mp3\r\n" +
                                    Fin("2", "3", "5"));
}

TEST_F(ListadoTest, CabeceraYRutaComoValoresExactos) {
    Catalogo();
    EXPECT_EQ(Listar({QStringLiteral("Rock'n"), std::nullopt}, false),
              Inicio + "\r\n" + Guiones + "\r\nRock'n\r\n\r\n   \\\r\n   \\DOS\\\r\n" + Fin("1", "2", "0"));
    EXPECT_EQ(Listar({QStringLiteral("Rock n"), QStringLiteral("\\")}, false),
              Inicio + "\r\n" + Guiones + "\r\nRock n\r\n\r\n   \\\r\n" + Fin("1", "1", "0"));
    EXPECT_EQ(Listar({QStringLiteral("Rock*"), std::nullopt}, true), Inicio + Fin("0", "0", "0"));
}

TEST_F(ListadoTest, DosCabecerasConLaMismaRuta) {
    Cancion(QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("t"));
    Cancion(QStringLiteral("B"), QStringLiteral("\\"), QStringLiteral("b"), QStringLiteral("t"));
    EXPECT_TRUE(Listar({}, false).endsWith(Fin("2", "2", "0")));
}

TEST_F(ListadoTest, CuentasConGruposDeMiles) {
    auto rs = Base().OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    for (int i = 0; i < 1234; ++i) {
        rs->AddNew();
        rs->SetField(QStringLiteral("CABECERA"), QStringLiteral("C"));
        rs->SetField(QStringLiteral("RUTA"), QStringLiteral("\\R%1\\").arg(i / 2));
        rs->SetField(QStringLiteral("AUTOR"), QStringLiteral("a"));
        rs->SetField(QStringLiteral("TITULO"), QStringLiteral("t"));
        rs->SetField(QStringLiteral("REL_POS"), i % 2 + 1);
        rs->Update();
    }
    EXPECT_TRUE(Listar({}, true).endsWith(Fin("1", "617", "1.234")));
}

TEST_F(ListadoTest, TextoFueraDeWindows1252VaEnUtf8ConMarca) {
    Cancion(QStringLiteral("Песни"), QStringLiteral("\\"), QStringLiteral("a"), QStringLiteral("ñ"));
    const QByteArray listado = Listar({}, true);
    EXPECT_TRUE(listado.startsWith("\xEF\xBB\xBF\r\n"));
    EXPECT_TRUE(listado.contains("\r\nПесни\r\n"));
    EXPECT_TRUE(listado.contains("a -- ñ."));
}

} // namespace
