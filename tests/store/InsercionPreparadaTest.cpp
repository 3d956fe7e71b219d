// Appending rows through one prepared INSERT: the same rows and the same refusals as AddNew...Update,
// the batches of a LoteEscritura, and a closed connection; rows written in groups, several a statement.

#include "CatalogoTemporal.h"

#include "store/IndiceLetras.h"

#include "store/InsercionAgrupada.h"
#include "store/InsercionPreparada.h"
#include <sqlite3.h>

namespace {

using InsercionPreparada = CatalogoTemporal;

const QStringList Campos = {"CABECERA",  "RUTA",     "AUTOR",       "TITULO",
                            "EXTENSION", "LONGITUD", "IDX_CANCION", "REL_POS"};

TEST_F(InsercionPreparada, EscribeLasFilasComoAddNewYUnCampoSinValorQuedaNulo) {
    dao::InsercionPreparada insercion(*base, "CANCIONES", Campos);
    for (int k = 1; k <= 2; ++k) {
        insercion.Texto(0, u"Nueva");
        insercion.Texto(1, u"\\Ruta\\");
        if (k == 1)
            insercion.Texto(2, u"Café «solo»");
        insercion.Texto(3, QStringLiteral("Tema %1").arg(k));
        insercion.Texto(4, u"mp3");
        insercion.Entero(5, 2147483647);
        insercion.Entero(6, 0);
        insercion.Entero(7, k);
        insercion.Anadir();
    }
    EXPECT_EQ(
        Salida("SELECT AUTOR, TITULO, LONGITUD, REL_POS FROM CANCIONES WHERE CABECERA = 'nueva' ORDER BY "
               "REL_POS"),
        "AUTOR\tTITULO\tLONGITUD\tREL_POS\nCafé «solo»\tTema 1\t2147483647\t1\n\\N\tTema 2\t2147483647\t2\n");
}

TEST_F(InsercionPreparada, RechazaLoQueElCatalogoNoAdmiteYSigue) {
    dao::InsercionPreparada insercion(*base, "CANCIONES", Campos);
    const struct {
        int campo;
        QString texto;
        qint64 entero;
        int error;
    } casos[] = {{2, "", 0, 3315}, {1, QString(4097, 'r'), 0, 3163}, {5, {}, 2147483648LL, 6}};
    for (const auto& caso : casos) {
        insercion.Texto(0, u"Mala");
        if (caso.texto.isNull())
            insercion.Entero(caso.campo, caso.entero);
        else
            insercion.Texto(caso.campo, caso.texto);
        try {
            insercion.Anadir();
            ADD_FAILURE() << "se admitió el valor del campo " << caso.campo;
        } catch (const dao::ErrorBD& e) {
            EXPECT_EQ(e.Numero(), caso.error);
            EXPECT_TRUE(e.Descripcion().contains("CANCIONES." + Campos[caso.campo]))
                << e.Descripcion().toStdString();
        }
    }
    insercion.Texto(0, u"Buena");
    insercion.Texto(1, QString(4096, 'r'));
    insercion.Anadir();
    EXPECT_EQ(Salida("SELECT CABECERA, Len(RUTA) FROM CANCIONES WHERE CABECERA IN ('Mala', 'Buena')"),
              "CABECERA\tExpr1000\nBuena\t4096\n");
    EXPECT_ERROR_BD(dao::InsercionPreparada(*base, "CANCIONES", {"NINGUNO"}), 3061);
}

// dao::TextoAdmitido tells beforehand what a text field takes: characters counted as code points, U+FFFF
// refused; and NUL, which the field's rules take for the end of the text.
TEST_F(InsercionPreparada, TextoAdmitidoDiceLoQueElCampoGuarda) {
    const QString cara = QStringLiteral("😀"); // one character, two UTF-16 units
    const struct {
        QString texto;
        bool admitido;
    } casos[] = {{"a", true},
                 {QString(4096, 'r'), true},
                 {QString(4097, 'r'), false},
                 {QString(4095, 'r') + cara, true},
                 {QString(4096, 'r') + cara, false},
                 {QStringLiteral("a") + QChar(0xFFFF), false},
                 {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), false},
                 {QChar(0) + QStringLiteral("b"), false}};
    dao::InsercionPreparada insercion(*base, "CANCIONES", Campos);
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.texto.left(8).toStdString());
        EXPECT_EQ(dao::TextoAdmitido(caso.texto), caso.admitido);
        if (caso.texto.contains(QChar(0)))
            continue;
        insercion.Texto(0, u"Prueba");
        insercion.Texto(3, caso.texto);
        bool guardado = true;
        try {
            insercion.Anadir();
        } catch (const dao::ErrorBD&) {
            guardado = false;
        }
        EXPECT_EQ(guardado, caso.admitido);
    }
}

TEST_F(InsercionPreparada, CuentaEnLosLotesYNoSigueConLaBaseCerrada) {
    auto insercion = std::make_unique<dao::InsercionPreparada>(*base, "LETRAS", QStringList{"IDX_CANCION"});
    {
        dao::LoteEscritura lote(*base);
        for (int k = 0; k < 6000; ++k) {
            insercion->Entero(0, 100 + k);
            insercion->Anadir();
        }
        // Another connection sees the first full batch before the scan ends.
        auto otra = dao::Database::OpenDatabase(Ruta());
        EXPECT_GE(otra->OpenRecordset("SELECT COUNT(*) FROM LETRAS")->Field(0).toInt(), 3 + 5000);
    }
    EXPECT_EQ(Contar("SELECT * FROM LETRAS"), 3 + 6000);
    base->Close();
    insercion->Entero(0, 1);
    EXPECT_ERROR_BD(insercion->Anadir(), 3420);
    insercion.reset();
}

// 64 + 8 + 2 + 1 rows: every statement size, each row's values in its own row, the index's trigger run
// for each lyric; a refused statement writes none of its rows.
TEST_F(InsercionPreparada, EnGruposCadaFilaLlevaSusValores) {
    catalogo::AsegurarIndiceLetras(*base);
    dao::InsercionAgrupada insercion(*base, "LETRAS", {"IDX_CANCION", "LYRICS", "ORIGEN"});
    constexpr int Filas = 75;
    for (int k = 0; k < Filas; ++k)
        insercion.Anadir({qint64(1000 + k), QStringLiteral("letra número %1 fin").arg(k),
                          k % 2 ? dao::InsercionAgrupada::Valor() : QStringLiteral("origen %1").arg(k)});
    insercion.Escribir();
    EXPECT_EQ(Contar("SELECT * FROM LETRAS WHERE IDX_CANCION >= 1000"), Filas);
    EXPECT_EQ(Contar("SELECT * FROM LETRAS WHERE IDX_CANCION >= 1000 AND LYRICS = 'letra número ' & "
                     "(IDX_CANCION - 1000) & ' fin' AND (ORIGEN = 'origen ' & (IDX_CANCION - 1000) OR "
                     "(ORIGEN IS NULL AND (IDX_CANCION Mod 2) = 1))"),
              Filas);
    const QByteArray busqueda =
        QStringLiteral("SELECT count(*) FROM \"%1\" WHERE \"%1\" MATCH '\"o 7\" AND \"4 f\"'")
            .arg(catalogo::NombreIndiceLetras())
            .toUtf8();
    sqlite3_stmt* indice = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(base->Conexion(), busqueda.constData(), -1, &indice, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(indice), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(indice, 0), 1); // «número 74 fin»
    sqlite3_finalize(indice);

    insercion.Anadir({qint64(2000), QStringLiteral("buena")});
    insercion.Anadir({qint64(2001), QStringLiteral("mala"), QString()}); // a zero-length ORIGEN is refused
    EXPECT_ERROR_BD(insercion.Escribir(), 3315);
    EXPECT_EQ(Contar("SELECT * FROM LETRAS WHERE IDX_CANCION >= 2000"), 0);
}

} // namespace
