// A SELECT run again and again with other values: the rows, texts, numbers and Nulls it reads, values
// compared as themselves, two runs at once, the refusals, and a connection that changes under it.

#include "CatalogoTemporal.h"

#include "store/LecturaPreparada.h"

namespace {

using LecturaPreparada = CatalogoTemporal;

const QString Sentencia = QStringLiteral(
    "SELECT AUTOR, TITULO, LONGITUD, Nz(EXTENSION, 'x') & '!' AS E FROM CANCIONES WHERE CABECERA = "
    "[pCabecera] AND RUTA = [pRuta] AND LONGITUD > 1 ORDER BY REL_POS");
const QStringList Parametros = {QStringLiteral("pCabecera"), QStringLiteral("pRuta")};

QStringList Leer(dao::Database& base, const QString& cabecera, const QString& ruta) {
    dao::LecturaPreparada rs(base, Sentencia, Parametros);
    rs.Enlazar(0, cabecera);
    rs.Enlazar(1, ruta);
    QStringList filas;
    while (rs.Siguiente())
        filas << rs.Texto(0) + u'|' + rs.Texto(1) + u'|' + QString::number(rs.Entero(2)) + u'|' + rs.Texto(3);
    return filas;
}

// The values written in the statement (1, 'x', '!') stay bound from run to run; the parameters change.
TEST_F(LecturaPreparada, CadaVezLeeLasFilasDeSusValores) {
    for (int vuelta = 0; vuelta < 2; ++vuelta) {
        EXPECT_EQ(Leer(*base, "DISCO", "\\rock\\"),
                  (QStringList{"Queen|Bohemian Rhapsody|1000|mp3!", "queen|Love of my life|2000|mp3!"}));
        EXPECT_EQ(Leer(*base, "Éxitos", "\\"), QStringList{"Édith|Non, je ne regrette rien|4000|ogg!"});
        EXPECT_EQ(Leer(*base, "Zeta", "\\A*B\\"), QStringList{}); // LONGITUD 0
        EXPECT_EQ(Leer(*base, "Disco", "\\*\\"), QStringList{});  // a value, not a pattern
    }
}

TEST_F(LecturaPreparada, LeeNulosYDosLecturasALaVez) {
    base->Execute(
        QStringLiteral("UPDATE CANCIONES SET AUTOR = Null, LONGITUD = Null WHERE TITULO = 'Waterloo'"));
    dao::LecturaPreparada fuera(*base,
                                QStringLiteral("SELECT AUTOR, LONGITUD FROM CANCIONES WHERE RUTA = [pRuta]"),
                                {QStringLiteral("pRuta")});
    fuera.Enlazar(0, u"\\Pop\\");
    ASSERT_TRUE(fuera.Siguiente());
    EXPECT_TRUE(fuera.Nulo(0));
    EXPECT_TRUE(fuera.Nulo(1));
    EXPECT_EQ(fuera.Texto(0), QString());
    EXPECT_EQ(fuera.Entero(1), 0);
    {
        // The same text while the first run is still open gets a statement of its own.
        dao::LecturaPreparada dentro(
            *base, QStringLiteral("SELECT AUTOR, LONGITUD FROM CANCIONES WHERE RUTA = [pRuta]"),
            {QStringLiteral("pRuta")});
        dentro.Enlazar(0, u"\\");
        int filas = 0;
        while (dentro.Siguiente())
            ++filas;
        EXPECT_EQ(filas, 2);
    }
    EXPECT_FALSE(fuera.Siguiente());
}

// A parameter as the whole pattern of a LIKE would fix the pattern's compiled form at the first value.
TEST_F(LecturaPreparada, RechazaPatronesLoQueNoEsSelectYLaBaseCerrada) {
    EXPECT_ERROR_BD(dao::LecturaPreparada(*base,
                                          QStringLiteral("SELECT * FROM CANCIONES WHERE TITULO LIKE [pT]"),
                                          {QStringLiteral("pT")}),
                    3077);
    EXPECT_ERROR_BD(dao::LecturaPreparada(*base, QStringLiteral("DELETE FROM CANCIONES WHERE RUTA = [pRuta]"),
                                          {QStringLiteral("pRuta")}),
                    3219);
    EXPECT_ERROR_BD(dao::LecturaPreparada(*base, QStringLiteral("SELECT NADA FROM CANCIONES"), {}), 3061);
    base->Close();
    EXPECT_ERROR_BD(dao::LecturaPreparada(*base, Sentencia, Parametros), 3420);
}

// A new table lets go of the kept translations; a lectura still open when the connection closes ends
// without harm.
TEST_F(LecturaPreparada, SigueTrasCambiarElEsquemaYAcabaConLaBaseCerrada) {
    EXPECT_EQ(Leer(*base, "Disco", "\\Pop\\"), QStringList{"Abba|Waterloo|3000|mp3!"});
    dao::TableDef tabla = base->CreateTableDef(QStringLiteral("OTRA"));
    tabla.AppendField(tabla.CreateField(QStringLiteral("AUTOR"), dao::TipoCampo::Entero));
    base->AppendTableDef(tabla);
    EXPECT_EQ(Leer(*base, "Disco", "\\Pop\\"), QStringList{"Abba|Waterloo|3000|mp3!"});
    auto abierta = std::make_unique<dao::LecturaPreparada>(*base, Sentencia, Parametros);
    abierta->Enlazar(0, u"Disco");
    abierta->Enlazar(1, u"\\Pop\\");
    EXPECT_TRUE(abierta->Siguiente());
    base->Close();
    abierta.reset();
}

} // namespace
