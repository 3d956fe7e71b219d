// The Jet dialect as the catalogue answers it: each case is a statement and the exact output that
// cantorio-sql prints for it (a line of field names, then one line per row).

#include "CatalogoTemporal.h"

#include "store/TraductorJet.h"

#include <sqlite3.h>

namespace {

struct Caso {
    const char* sentencia;
    const char* salida;
};

class Dialecto : public CatalogoTemporal {
protected:
    void Comprobar(std::initializer_list<Caso> casos) {
        for (const Caso& c : casos) {
            SCOPED_TRACE(c.sentencia);
            try {
                EXPECT_EQ(Salida(QString::fromUtf8(c.sentencia)).toStdString(), c.salida);
            } catch (const dao::ErrorBD& e) {
                ADD_FAILURE() << e.Numero() << ": " << e.Descripcion().toStdString();
            }
        }
    }
};

TEST_F(Dialecto, LikeSigueLasReglasDeJet) {
    Comprobar({
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE 'water*' ORDER BY REL_POS",
         "TITULO\nWaterloo\nwaterloo\n"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE '*LOVE*'", "TITULO\nLove of my life\n"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE 'Tema #'", "TITULO\nTema 7\n"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE 'Tema ##'", "TITULO\n"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE '?aterloo' ORDER BY REL_POS",
         "TITULO\nWaterloo\nwaterloo\n"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE '[a-c]*'", "TITULO\nBohemian Rhapsody\n"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE '[!a-s]*' ORDER BY REL_POS, TITULO",
         "TITULO\nTema 7\nWaterloo\nwaterloo\n"},
        {"SELECT TITULO FROM CANCIONES WHERE TITULO LIKE '[mn-]*'", "TITULO\nNon, je ne regrette rien\n"},
        {"SELECT AUTOR FROM CANCIONES WHERE RUTA LIKE '\\A[*]B\\'", "AUTOR\nA%B_C\n"},
        {"SELECT AUTOR FROM CANCIONES WHERE RUTA LIKE '\\A*B\\'", "AUTOR\nA%B_C\n"},
        // "%" and "_" are plain characters.
        {"SELECT AUTOR FROM CANCIONES WHERE AUTOR LIKE 'a%b_c'", "AUTOR\nA%B_C\n"},
        {"SELECT AUTOR FROM CANCIONES WHERE AUTOR LIKE 'A_B%'", "AUTOR\n"},
        // Case is ignored, accents are not; a decomposed accent matches the composed one.
        {"SELECT CABECERA FROM CANCIONES WHERE CABECERA LIKE 'EXITOS'", "CABECERA\nExitos\n"},
        {"SELECT CABECERA FROM CANCIONES WHERE CABECERA LIKE 'E\xcc\x81xitos'", "CABECERA\nÉxitos\n"},
        {"SELECT AUTOR FROM CANCIONES WHERE AUTOR LIKE 'éDITH'", "AUTOR\nÉdith\n"},
        {"SELECT COUNT(*) FROM CANCIONES WHERE AUTOR NOT LIKE 'a*'", "Expr1000\n3\n"},
        {"SELECT 'E\xcc\x81xito' LIKE 'éXITO' AS A, 'Ñandú' LIKE 'ñ*Ú' AS B, 'Ñandú' LIKE 'n*' AS C, "
         "'año 5' LIKE 'a[!a-z]o #' AS D FROM LETRAS WHERE IDX_CANCION = 1",
         "A\tB\tC\tD\n-1\t-1\t0\t-1\n"},
        // Null on either side gives Null.
        {"SELECT COUNT(*) FROM CANCIONES WHERE Null LIKE '*' OR TITULO LIKE Null", "Expr1000\n0\n"},
    });
}

TEST_F(Dialecto, TextosSeComparanYOrdenanSinMayusculasConAcentos) {
    Comprobar({
        {"SELECT COUNT(*) FROM CANCIONES WHERE AUTOR = 'QUEEN'", "Expr1000\n2\n"},
        {"SELECT COUNT(*) FROM CANCIONES WHERE CABECERA = 'exitos'", "Expr1000\n1\n"},
        {"SELECT COUNT(*) FROM CANCIONES WHERE AUTOR IN ('queen', 'ABBA')", "Expr1000\n4\n"},
        {"SELECT DISTINCT CABECERA FROM CANCIONES WHERE CABECERA <> 'disco' ORDER BY CABECERA DESC",
         "CABECERA\nZeta\nÉxitos\nExitos\n"},
        {"SELECT COUNT(*) FROM (SELECT DISTINCT CABECERA FROM CANCIONES) AS C", "Expr1000\n4\n"},
        {"SELECT TITULO FROM CANCIONES WHERE IDX_CANCION = 0 AND TITULO IN ( SELECT TITULO FROM CANCIONES "
         "WHERE IDX_CANCION <> 0 )",
         "TITULO\nwaterloo\n"},
        {"SELECT AUTOR FROM CANCIONES WHERE REL_POS = 1 ORDER BY AUTOR, TITULO",
         "AUTOR\nA%B_C\nAbba\nÉdith\nQueen\n"},
        // Concatenations compare and sort like the texts they are made of.
        {"SELECT AUTOR & TITULO AS X FROM CANCIONES WHERE AUTOR & TITULO = 'QUEENLOVE OF MY LIFE'",
         "X\nqueenLove of my life\n"},
    });
}

TEST_F(Dialecto, ExpresionesYFuncionesDeJet) {
    Comprobar({
        // "..." is a text, even when a field has that name.
        {"SELECT COUNT(*) FROM CANCIONES WHERE AUTOR = \"Abba\"", "Expr1000\n2\n"},
        {"SELECT COUNT(*) FROM CANCIONES WHERE TITULO = \"TITULO\"", "Expr1000\n0\n"},
        {"SELECT AUTOR & ' - ' & Null & TITULO AS X, Null & Null AS Y FROM CANCIONES WHERE REL_POS = 3",
         "X\tY\nAbba - waterloo\t\\N\n"},
        {"SELECT True, False, (REL_POS = 1) AS Uno, NOT True AS N FROM CANCIONES WHERE TITULO LIKE 'Tema*'",
         "Expr1000\tExpr1001\tUno\tN\n-1\t0\t-1\t0\n"},
        {"SELECT COUNT(*) FROM CANCIONES WHERE (REL_POS = 1) = True", "Expr1000\n4\n"},
        {"SELECT UCase('ñandú é') AS A, LCase('ÁRBOL Ñ') AS B, Len('añil') AS C FROM LETRAS WHERE "
         "IDX_CANCION = 1",
         "A\tB\tC\nÑANDÚ É\tárbol ñ\t4\n"},
        {"SELECT Left('Cantorio', 4) AS A, Right('Cantorio', 3) AS B, Mid('Cantorio', 3, 3) AS C, "
         "Mid('Cantorio', 5) AS D "
         "FROM LETRAS WHERE IDX_CANCION = 1",
         "A\tB\tC\tD\nCant\trio\tnto\torio\n"},
        {"SELECT InStr('abcabc', 'C') AS A, InStr(4, 'abcabc', 'c') AS B, InStr(1, 'abcABC', 'C', 0) AS C, "
         "InStr('abc', 'z') AS D FROM LETRAS WHERE IDX_CANCION = 1",
         "A\tB\tC\tD\n3\t6\t6\t0\n"},
        {"SELECT Nz(Null, 'x') AS A, Nz(Null) AS B, Nz(5, 0) AS C FROM LETRAS WHERE IDX_CANCION = 1",
         "A\tB\tC\nx\t\t5\n"},
        {"SELECT 7 MOD 3 AS A, 7 \\ 2 AS B, 7 / 2 AS C, 2 ^ 3 AS D, -7 MOD 3 AS E FROM LETRAS WHERE "
         "IDX_CANCION = 1",
         "A\tB\tC\tD\tE\n1\t3\t3.5\t8\t-1\n"},
        {"SELECT IIf(LONGITUD > 1000, 'grande', 'pequeña') AS T FROM CANCIONES WHERE REL_POS = 2",
         "T\ngrande\n"},
    });
}

TEST_F(Dialecto, SentenciasDelPrograma) {
    Comprobar({
        {"SELECT MAX(IDX_CANCION) FROM LETRAS", "Expr1000\n3\n"},
        // A derived table needs no name of its own.
        {"SELECT COUNT(*) FROM (SELECT DISTINCT CABECERA FROM CANCIONES)", "Expr1000\n4\n"},
        {"SELECT MAX(IDX_CANCION) FROM LETRAS WHERE IDX_CANCION > 100", "Expr1000\n\\N\n"},
        {"SELECT DISTINCTROW COUNT(*) FROM CANCIONES", "Expr1000\n6\n"},
        {"SELECT TOP 2 TITULO FROM CANCIONES ORDER BY LONGITUD DESC",
         "TITULO\nNon, je ne regrette rien\nWaterloo\n"},
        {"SELECT DISTINCT CABECERA, RUTA FROM CANCIONES WHERE CABECERA LIKE 'z*' ORDER BY CABECERA, RUTA",
         "CABECERA\tRUTA\nZeta\t\\\\A*B\\\\\n"},
        {"SELECT * FROM CANCIONES WHERE IDX_CANCION IS NULL",
         "CABECERA\tRUTA\tAUTOR\tTITULO\tEXTENSION\tLONGITUD\tIDX_CANCION\tREL_POS\n"},
        {"UPDATE CANCIONES SET IDX_CANCION = 0 WHERE IDX_CANCION IS NULL", "0\n"},
        {"UPDATE CANCIONES SET REL_POS = REL_POS + 10 WHERE CABECERA LIKE 'disco' AND RUTA LIKE '\\Rock\\'",
         "2\n"},
        {"SELECT SUM(REL_POS) FROM CANCIONES WHERE CABECERA = 'DISCO'", "Expr1000\n24\n"},
        {"DELETE * FROM LETRAS WHERE IDX_CANCION = 2", "1\n"},
        {"DELETE LETRAS.* FROM LETRAS WHERE IDX_CANCION IN (SELECT IDX_CANCION FROM CANCIONES WHERE AUTOR = "
         "'abba')",
         "1\n"},
        {"INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (9, 'nueva')", "1\n"},
        {"DELETE * FROM LETRAS", "2\n"},
        {"SELECT COUNT(*) FROM LETRAS;", "Expr1000\n0\n"},
    });
}

TEST_F(Dialecto, LoQueNoSePuedeTraducirFallaConClaridad) {
    const std::pair<const char*, int> casos[] = {
        {"SELECT * FROM CANCIONES WHERE TITULO LIKE '[ab'", 93},
        {"SELECT * FROM CANCIONES WHERE TITULO LIKE '[z-a]*'", 93},
        {"SELECT * FROM CANCIONES WHERE TITULO LIKE AUTOR & '[z-a]'", 93},
        {"SELECT Format(LONGITUD) FROM CANCIONES", 3085},
        {"DROP TABLE CANCIONES", 3129},
        {"SELECT * FROM CANCIONES; DELETE * FROM LETRAS", 3142},
        {"SELECT TOP 10 PERCENT * FROM CANCIONES", 3075},
        {"SELECT * FROM CANCIONES WHERE REL_POS = #1/1/2000#", 3075},
        {"SELECT * FROM CANCIONES WHERE", 3075},
        {"SELECT * FROM NINGUNA", 3078},
        {"SELECT NINGUNO FROM CANCIONES", 3061},
        {"SELECT 1 / 0 FROM LETRAS", 11},
        {"SELECT * FROM CANCIONES WHERE TITULO = 'sin cerrar", 3075},
        {"UPDATE CANCIONES SET LONGITUD = 3000000000", 6},
        {"UPDATE CANCIONES SET TITULO = ''", 3315},
        {"UPDATE CANCIONES SET LONGITUD = 'mucho'", 13},
    };
    for (const auto& [sentencia, numero] : casos) {
        SCOPED_TRACE(sentencia);
        EXPECT_ERROR_BD(Salida(QString::fromUtf8(sentencia)), numero);
    }
    EXPECT_ERROR_BD(base->Execute(QStringLiteral("UPDATE CANCIONES SET RUTA = '") +
                                  QString(4097, QLatin1Char('x')) + QStringLiteral("'")),
                    3163);
    // A failed statement changes nothing.
    EXPECT_EQ(Salida(QStringLiteral("SELECT COUNT(*) FROM CANCIONES WHERE TITULO = '' OR LONGITUD > 10000")),
              QStringLiteral("Expr1000\n0\n"));
}

// The plan that the engine chooses for the statements that must not read the whole catalogue.
TEST_F(Dialecto, LikeSinComodinesUsaLosIndices) {
    dao::TraductorJet traductor([](const QString& nombre) {
        return QStringList{QStringLiteral("CABECERA"), QStringLiteral("RUTA"), QStringLiteral("TITULO")}
                       .contains(nombre)
                   ? dao::TipoColumnaJet::Texto
                   : dao::TipoColumnaJet::Otra;
    });
    auto plan = [&](const char* jet) {
        const QByteArray sql =
            "EXPLAIN QUERY PLAN " + traductor.Sentencia(QString::fromUtf8(jet)).sql.toUtf8();
        sqlite3_stmt* s = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(base->Conexion(), sql.constData(), -1, &s, nullptr), SQLITE_OK)
            << sql.constData();
        QString texto;
        while (sqlite3_step(s) == SQLITE_ROW)
            texto += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 3))) + "\n";
        sqlite3_finalize(s);
        return texto.toStdString();
    };
    const std::string ruta =
        plan("SELECT * FROM CANCIONES WHERE CABECERA LIKE 'x' AND RUTA LIKE 'y' ORDER BY REL_POS");
    EXPECT_NE(ruta.find("USING INDEX CANCIONES_RUTA (CABECERA=? AND RUTA=?)"), std::string::npos) << ruta;
    EXPECT_EQ(ruta.find("TEMP B-TREE"), std::string::npos) << ruta;
    const std::string prefijo = plan("SELECT * FROM CANCIONES WHERE TITULO LIKE 'Wat*'");
    EXPECT_NE(prefijo.find("USING INDEX CANCIONES_TITULO (TITULO>? AND TITULO<?)"), std::string::npos)
        << prefijo;
    const std::string todas = plan("SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA");
    EXPECT_EQ(todas.find("TEMP B-TREE"), std::string::npos) << todas;
    const std::string homonimos =
        plan("SELECT * FROM CANCIONES WHERE IDX_CANCION = 0 AND TITULO IN ( SELECT TITULO FROM "
             "CANCIONES WHERE IDX_CANCION <> 0 )");
    EXPECT_NE(homonimos.find("USING INDEX CANCIONES_LETRA (IDX_CANCION=?)"), std::string::npos) << homonimos;
}

} // namespace
