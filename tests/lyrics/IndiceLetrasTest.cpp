// The trigram index of the lyrics: the query by lyric text gives, through it, exactly the rows of a
// scan with the text search, after every kind of write to the lyrics, and it is built when missing or
// out of date.
#include "store/IndiceLetras.h"
#include "store/BBDD.h"
#include "store/BuscaTexto.h"
#include "store/CatalogoLetras.h"
#include "store/CatalogoPorLetra.h"
#include "store/CatalogoUtilidades.h"
#include "support/CatalogoPrueba.h"
#include "utilities/FicheroExportacion.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <set>

using namespace catalogo;

namespace {

// Texts searched: accents, case, line breaks, apostrophes, the characters of patterns, quotes, and
// texts of one and two characters that the index cannot serve.
const char* const Buscados[] = {
    "corazón",
    "CORAZON",
    "corazon",
    "Canción",
    "cancio\u0301n",
    "luna\nllena",
    "luna\r\nLLENA",
    "luna llena",
    "l'amor",
    "L'AMOR",
    "100%",
    "a_b",
    "a%b",
    "*",
    "**",
    "x*y",
    "\"hola\"",
    "\"",
    "niño",
    "nino",
    "NIÑO",
    "ÅNGSTRÖM",
    "angstrom",
    "a",
    "ñ",
    "é",
    "no",
    "ÑO",
    "l'",
    "%",
    "_",
    "fin",
    "igual",
    "ΑΓΆΠΗ",
    "αγαπη",
    "sin rastro",
};

const char* const Letras[] = {
    "Mi corazón late\r\nbajo la luna\r\nllena",
    "MI CORAZON LATE\nLUNA\nLLENA",
    "la canción de l'amor al 100%",
    "CANCIO\u0301N con a_b y x*y, \"hola\" dijo",
    "El niño y la niña",
    "Ångström a%b **",
    "η αγάπη",
    "igual",
    "hasta el fin",
    "a",
    "",
};

class IndiceLetrasTest : public ::testing::Test {
protected:
    void SetUp() override {
        int idx = 0;
        for (const char* letra : Letras) {
            ++idx;
            catalogo.AnadirCancion(QStringLiteral("Cabecera"), QStringLiteral("\\r%1\\").arg(idx),
                                   QStringLiteral("Autor"), QStringLiteral("T%1").arg(idx),
                                   QStringLiteral("mp3"), 1, idx, 1);
            catalogo.AnadirLetra(idx, QString::fromUtf8(letra));
        }
        ultimo = idx;
    }

    // The songs of the query through the catalogue (the index where it serves the text).
    std::set<QString> PorConsulta(const QString& texto, Acentos acentos) {
        dao::Database& base = *BBDD::BaseDatos;
        const QString tabla = NombreTablaAux(base);
        CrearTablaAux(base, tabla);
        LlenarTablaAux(base, tabla, {}, texto, acentos);
        std::set<QString> titulos;
        auto rs = base.OpenRecordset(QStringLiteral("SELECT TITULO FROM [%1]").arg(tabla));
        for (; !rs->Eof(); rs->MoveNext())
            titulos.insert(rs->Field(0).toString());
        rs.reset();
        BorrarTablaAux(base, tabla);
        return titulos;
    }

    // The same by reading every song and its lyric and testing it: the scan.
    std::set<QString> PorRecorrido(const QString& texto, Acentos acentos) {
        std::set<QString> titulos;
        auto rs = BBDD::BaseDatos->OpenRecordset(
            QStringLiteral("SELECT TITULO, LYRICS FROM CANCIONES, LETRAS WHERE CANCIONES.IDX_CANCION <> 0 "
                           "AND CANCIONES.IDX_CANCION = LETRAS.IDX_CANCION"));
        for (; !rs->Eof(); rs->MoveNext())
            if (BuscaTexto(texto, rs->Field(1).toString(), acentos))
                titulos.insert(rs->Field(0).toString());
        return titulos;
    }

    void CompararConRecorrido(const char* momento) {
        ASSERT_TRUE(HayIndiceLetras(*BBDD::BaseDatos)) << momento;
        for (const char* buscado : Buscados)
            for (Acentos acentos : {Acentos::Cuentan, Acentos::Ignorados}) {
                const QString texto = QString::fromUtf8(buscado);
                EXPECT_EQ(PorConsulta(texto, acentos), PorRecorrido(texto, acentos))
                    << momento << ": «" << buscado << "» acentos "
                    << (acentos == Acentos::Ignorados ? "ignorados" : "cuentan");
            }
    }

    CatalogoPrueba catalogo;
    int ultimo = 0;
};

} // namespace

TEST_F(IndiceLetrasTest, DaLasFilasDelRecorridoTrasCadaEscritura) {
    CompararConRecorrido("recién escritas");
    // The search with accents ignored finds what the exact one does not.
    EXPECT_EQ(PorConsulta(QStringLiteral("corazon"), Acentos::Cuentan),
              std::set<QString>{QStringLiteral("T2")});
    EXPECT_EQ(PorConsulta(QStringLiteral("corazon"), Acentos::Ignorados),
              (std::set<QString>{QStringLiteral("T1"), QStringLiteral("T2")}));

    dao::Database& base = *BBDD::BaseDatos;
    // The song window's save and delete.
    ASSERT_EQ(GuardarLetra(base, 1, QStringLiteral("ya no hay luna")), Guardado::Guardada);
    GuardarLetra(base, 10, QStringLiteral("Corazón nuevo, sin rastro"));
    BorrarLetra(base, 3);
    CompararConRecorrido("tras guardar y borrar");

    // An import: songs added with no lyric; the lyrics and their index untouched.
    const QString fichero = QDir(catalogo.Directorio()).filePath(QStringLiteral("copia.txt"));
    ProgresoUtilidad progreso;
    ExportarCanciones(base, fichero, QStringLiteral("1.2.0"), std::nullopt, progreso);
    ImportarCanciones(base, fichero, std::nullopt, progreso);
    CompararConRecorrido("tras importar");

    // A repair: lyrics that no song names are deleted; one of them is then given to a song again.
    base.Execute(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = 0 WHERE TITULO = 'T5' OR TITULO = 'T6'"));
    base.Execute(QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (99, 'corazón huérfano')"));
    BorrarLetrasSinCanciones(base);
    EXPECT_FALSE(HayLetrasSinCanciones(base));
    base.Execute(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = 99 WHERE TITULO = 'T5'"));
    base.Execute(QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (99, 'niño de nuevo')"));
    CompararConRecorrido("tras reparar");

    // A whole deletion of the lyrics empties the index with them.
    base.Execute(QStringLiteral("DELETE FROM LETRAS"));
    EXPECT_TRUE(PorConsulta(QStringLiteral("luna"), Acentos::Ignorados).empty());
    EXPECT_EQ(BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT count(*) FROM LETRAS"))->Field(0).toInt(),
              0);
}

TEST_F(IndiceLetrasTest, SeConstruyeCuandoFaltaOEstaAnticuado) {
    sqlite3* db = BBDD::BaseDatos->Conexion();
    // A catalogue of an earlier version: no index at all.
    const QString indice = NombreIndiceLetras();
    for (const char* sufijo : {"_ALTA", "_BAJA", "_CAMBIO"})
        ASSERT_EQ(sqlite3_exec(
                      db,
                      (QStringLiteral("DROP TRIGGER \"%1%2\"").arg(indice, QLatin1String(sufijo))).toUtf8(),
                      nullptr, nullptr, nullptr),
                  SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, (QStringLiteral("DROP TABLE \"%1\"").arg(indice)).toUtf8(), nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    // One with an index of another folding, whose trigger still fires on every write.
    ASSERT_EQ(
        sqlite3_exec(db,
                     "CREATE VIRTUAL TABLE LETRAS_TRIGRAMAS_V0_ICU1 USING fts5(TEXTO, tokenize='trigram');"
                     "CREATE TRIGGER LETRAS_TRIGRAMAS_V0_ICU1_ALTA AFTER INSERT ON LETRAS BEGIN INSERT INTO "
                     "LETRAS_TRIGRAMAS_V0_ICU1 (rowid, TEXTO) VALUES (new.rowid, new.LYRICS); END;",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    EXPECT_FALSE(HayIndiceLetras(*BBDD::BaseDatos));
    // Meanwhile the query scans, with the same rows.
    EXPECT_EQ(PorConsulta(QStringLiteral("luna\nllena"), Acentos::Cuentan),
              PorRecorrido(QStringLiteral("luna\nllena"), Acentos::Cuentan));
    catalogo.Reabrir();
    CompararConRecorrido("reconstruido");
    const QStringList tablas = BBDD::BaseDatos->TableNames();
    EXPECT_FALSE(tablas.contains(QStringLiteral("LETRAS_TRIGRAMAS_V0_ICU1")));
    EXPECT_EQ(BBDD::BaseDatos
                  ->OpenRecordset(QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'trigger'"))
                  ->Field(0)
                  .toInt(),
              3);
}

TEST(IndiceLetras, LosTextosCortosNoUsanElIndice) {
    EXPECT_TRUE(ConsultaIndiceLetras(QStringLiteral("ab")).isEmpty());
    EXPECT_TRUE(ConsultaIndiceLetras(QString::fromUtf8("e\u0301\u0301")).isEmpty()); // one letter once folded
    EXPECT_EQ(ConsultaIndiceLetras(QStringLiteral("A\"b")), QByteArray("\"a\"\"b\""));
    EXPECT_EQ(ConsultaIndiceLetras(QString::fromUtf8("CORAZÓN")),
              QByteArray("\"cor\" AND \"azo\" AND \"zon\""));
}
