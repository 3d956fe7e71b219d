// The recordset as the program sees it: positions, counts, edits and finds with the semantics of DAO.

#include "CatalogoTemporal.h"

#include <sqlite3.h>

namespace {

using Recordsets = CatalogoTemporal;

QString DeLaRuta(const char* cabecera, const char* ruta) {
    return QStringLiteral(
               "SELECT * FROM CANCIONES WHERE CABECERA LIKE '%1' AND RUTA LIKE '%2' ORDER BY REL_POS")
        .arg(QString::fromUtf8(cabecera), QString::fromUtf8(ruta));
}

TEST_F(Recordsets, UnConjuntoVacioEstaAlPrincipioYAlFinal) {
    auto rs = base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES WHERE IDX_CANCION IS NULL"));
    EXPECT_TRUE(rs->Bof());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_ERROR_BD(rs->MoveNext(), 3021);
    EXPECT_ERROR_BD(rs->MoveFirst(), 3021);
    EXPECT_ERROR_BD(rs->Field(QStringLiteral("TITULO")), 3021);
    EXPECT_ERROR_BD(rs->Edit(), 3021);
}

TEST_F(Recordsets, RecorridoPosicionesYCuenta) {
    auto rs = base->OpenRecordset(DeLaRuta("disco", "\\rock\\"));
    EXPECT_FALSE(rs->Bof());
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    EXPECT_EQ(rs->RecordCount(), 1); // rows reached so far
    EXPECT_EQ(rs->Field(QStringLiteral("TITULO")).toString(), QStringLiteral("Bohemian Rhapsody"));
    EXPECT_EQ(rs->Field(7).toInt(), 1);
    EXPECT_EQ(rs->FieldName(7), QStringLiteral("REL_POS"));
    rs->MoveNext();
    EXPECT_EQ(rs->Field(QStringLiteral("titulo")).toString(), QStringLiteral("Love of my life"));
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_ERROR_BD(rs->MoveNext(), 3021);
    rs->MovePrevious();
    EXPECT_EQ(rs->Field(QStringLiteral("REL_POS")).toInt(), 2);
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());
    EXPECT_ERROR_BD(rs->MovePrevious(), 3021);

    auto todas = base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA"));
    todas->MoveLast();
    EXPECT_EQ(todas->RecordCount(), 6);
    EXPECT_EQ(todas->AbsolutePosition(), 5);
    todas->MoveFirst();
    todas->Move(3);
    EXPECT_EQ(todas->AbsolutePosition(), 3);
    todas->Move(-10);
    EXPECT_TRUE(todas->Bof());
    EXPECT_ERROR_BD(todas->Field(QStringLiteral("NINGUNO")), 3265);
}

TEST_F(Recordsets, AnadirEditarYBorrar) {
    auto rs = base->OpenRecordset(DeLaRuta("disco", "\\rock\\"));
    rs->MoveNext();
    rs->AddNew();
    rs->SetField(QStringLiteral("CABECERA"), QStringLiteral("Disco"));
    rs->SetField(QStringLiteral("RUTA"), QStringLiteral("\\Rock\\"));
    rs->SetField(QStringLiteral("TITULO"), QStringLiteral("Nueva"));
    rs->SetField(QStringLiteral("REL_POS"), QStringLiteral("3"));
    rs->Update();
    // The row that was current stays current; the new row is in the catalogue.
    EXPECT_EQ(rs->Field(QStringLiteral("TITULO")).toString(), QStringLiteral("Love of my life"));
    EXPECT_EQ(Contar(DeLaRuta("disco", "\\rock\\")), 3);
    EXPECT_EQ(Salida(QStringLiteral("SELECT AUTOR, REL_POS FROM CANCIONES WHERE TITULO = 'nueva'")),
              QStringLiteral("AUTOR\tREL_POS\n\\N\t3\n"));

    rs->Edit();
    rs->SetField(QStringLiteral("AUTOR"), QStringLiteral("Freddie"));
    EXPECT_EQ(rs->Field(QStringLiteral("AUTOR")).toString(), QStringLiteral("Freddie"));
    rs->Update();
    EXPECT_EQ(rs->Field(QStringLiteral("AUTOR")).toString(), QStringLiteral("Freddie"));
    EXPECT_EQ(Contar(QStringLiteral("SELECT * FROM CANCIONES WHERE AUTOR = 'freddie'")), 1);
    EXPECT_ERROR_BD(rs->Update(), 3020);
    EXPECT_ERROR_BD(rs->SetField(QStringLiteral("AUTOR"), QStringLiteral("x")), 3020);

    rs->MoveFirst();
    rs->Delete();
    EXPECT_ERROR_BD(rs->Field(QStringLiteral("TITULO")), 3167);
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->MoveNext();
    EXPECT_EQ(rs->Field(QStringLiteral("AUTOR")).toString(), QStringLiteral("Freddie"));
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(rs->Bof());
    EXPECT_EQ(Contar(DeLaRuta("disco", "\\rock\\")), 1);
}

// A set that only read its first row is let go of its statement when another set opens; its row
// stays current and editable.
TEST_F(Recordsets, EditarLaPrimeraFilaTrasAbrirOtroConjunto) {
    auto cancion =
        base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES WHERE TITULO LIKE 'Love of my life' AND "
                                           "REL_POS = 2"),
                            dao::TipoRecordset::Dynaset);
    auto maximo = base->OpenRecordset(QStringLiteral("SELECT MAX(IDX_CANCION) FROM LETRAS"));
    cancion->Edit();
    cancion->SetField(QStringLiteral("IDX_CANCION"), maximo->Field(0).toInt() + 1);
    cancion->Update();
    EXPECT_EQ(cancion->Field(QStringLiteral("IDX_CANCION")).toInt(), 4);
    EXPECT_EQ(Salida(QStringLiteral("SELECT IDX_CANCION FROM CANCIONES WHERE TITULO = 'love of my life'")),
              QStringLiteral("IDX_CANCION\n4\n"));
}

TEST_F(Recordsets, ValoresQueElCatalogoNoAdmite) {
    auto rs = base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    rs->AddNew();
    EXPECT_ERROR_BD(rs->SetField(QStringLiteral("LONGITUD"), 2147483648LL), 6);
    EXPECT_ERROR_BD(rs->SetField(QStringLiteral("LONGITUD"), QStringLiteral("grande")), 13);
    EXPECT_ERROR_BD(rs->SetField(QStringLiteral("RUTA"), QString(4097, QLatin1Char('r'))), 3163);
    rs->SetField(QStringLiteral("RUTA"), QString(4096, QLatin1Char('r')));
    rs->SetField(QStringLiteral("AUTOR"), QString());
    try {
        rs->Update();
        ADD_FAILURE() << "se admitió un texto vacío";
    } catch (const dao::ErrorBD& e) {
        EXPECT_EQ(e.Numero(), 3315);
        EXPECT_TRUE(e.Descripcion().contains(QLatin1String("CANCIONES.AUTOR")))
            << e.Descripcion().toStdString();
    }
    EXPECT_EQ(Contar(QStringLiteral("SELECT * FROM CANCIONES")), 6);
    rs->SetField(QStringLiteral("AUTOR"), QVariant());
    rs->Update();
    EXPECT_EQ(Salida(QStringLiteral("SELECT Len(RUTA) FROM CANCIONES WHERE AUTOR IS NULL")),
              QStringLiteral("Expr1000\n4096\n"));

    auto distintas = base->OpenRecordset(QStringLiteral("SELECT DISTINCT CABECERA FROM CANCIONES"));
    EXPECT_ERROR_BD(distintas->AddNew(), 3027);
    auto calculada =
        base->OpenRecordset(QStringLiteral("SELECT TITULO, LONGITUD * 2 AS DOBLE FROM CANCIONES"));
    calculada->Edit();
    EXPECT_ERROR_BD(calculada->SetField(QStringLiteral("DOBLE"), 4), 3164);
}

TEST_F(Recordsets, BuscarPrimero) {
    auto conLetra = base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES WHERE IDX_CANCION<>0"));
    conLetra->FindFirst(QStringLiteral("TITULO LIKE 'WATERLOO'"));
    ASSERT_FALSE(conLetra->NoMatch());
    EXPECT_EQ(conLetra->Field(QStringLiteral("CABECERA")).toString(), QStringLiteral("Disco"));
    conLetra->MoveNext();
    EXPECT_FALSE(conLetra->Eof());

    conLetra->FindFirst(QStringLiteral("TITULO LIKE 'Love of my life'")); // that song has no lyric
    EXPECT_TRUE(conLetra->NoMatch());
    EXPECT_EQ(conLetra->AbsolutePosition(), -1);
    EXPECT_ERROR_BD(conLetra->Field(QStringLiteral("TITULO")), 3021);
    EXPECT_ERROR_BD(conLetra->FindFirst(QStringLiteral("TITULO LIKE")), 3077);

    auto distintas = base->OpenRecordset(
        QStringLiteral("SELECT DISTINCT CABECERA, RUTA FROM CANCIONES ORDER BY CABECERA, RUTA"));
    distintas->FindFirst(QStringLiteral("RUTA = '\\rock\\'"));
    ASSERT_FALSE(distintas->NoMatch());
    EXPECT_EQ(distintas->AbsolutePosition(), 1);
    distintas->FindNext(QStringLiteral("CABECERA LIKE 'e*'"));
    EXPECT_EQ(distintas->Field(0).toString(), QStringLiteral("Exitos"));
}

// Renumbering a route while walking it in REL_POS order visits every song once.
TEST_F(Recordsets, RenumerarMientrasSeRecorreNoRepiteFilas) {
    for (int i = 0; i < 30; ++i)
        base->Execute(
            QStringLiteral(
                "INSERT INTO CANCIONES (CABECERA, RUTA, TITULO, REL_POS) VALUES ('Larga', '\\', 'T%1', %2)")
                .arg(i)
                .arg(i % 3));
    auto rs = base->OpenRecordset(DeLaRuta("Larga", "\\"));
    int n = 0;
    while (!rs->Eof()) {
        rs->Edit();
        rs->SetField(QStringLiteral("REL_POS"), 100 + n);
        rs->Update();
        ++n;
        rs->MoveNext();
    }
    EXPECT_EQ(n, 30);
    EXPECT_EQ(
        Salida(QStringLiteral("SELECT MIN(REL_POS), MAX(REL_POS) FROM CANCIONES WHERE CABECERA = 'Larga'")),
        QStringLiteral("Expr1000\tExpr1001\n100\t129\n"));
}

TEST_F(Recordsets, LoteEscrituraAgrupaYConservaLoEscritoAnteUnError) {
    try {
        dao::LoteEscritura lote(*base);
        EXPECT_EQ(sqlite3_get_autocommit(base->Conexion()), 0);
        auto rs = base->OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
        for (int i = 10; i < 20; ++i) {
            rs->AddNew();
            rs->SetField(QStringLiteral("IDX_CANCION"), i);
            rs->Update();
        }
        base->Execute(QStringLiteral("UPDATE CANCIONES SET TITULO = ''"));
        ADD_FAILURE() << "se admitió un título vacío";
    } catch (const dao::ErrorBD& e) {
        EXPECT_EQ(e.Numero(), 3315);
    }
    EXPECT_NE(sqlite3_get_autocommit(base->Conexion()), 0);
    auto otra = dao::Database::OpenDatabase(Ruta());
    auto rs = otra->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM LETRAS"));
    EXPECT_EQ(rs->Field(0).toInt(), 13);
}

TEST_F(Recordsets, UnLoteLlenoSeConfirmaSinEsperarAlFinal) {
    dao::LoteEscritura lote(*base);
    auto letras = base->OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
    for (int i = 0; i < 6000; ++i) {
        letras->AddNew();
        letras->SetField(QStringLiteral("IDX_CANCION"), 100 + i);
        letras->Update();
    }
    // Another connection sees what was committed: at least the first full batch.
    auto otra = dao::Database::OpenDatabase(Ruta());
    EXPECT_GE(otra->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM LETRAS"))->Field(0).toInt(), 3 + 5000);
}

TEST_F(Recordsets, CerrarLaBaseConfirmaElLoteAbierto) {
    {
        dao::LoteEscritura lote(*base);
        base->Execute(QStringLiteral("DELETE * FROM LETRAS"));
        base.reset(); // the maintenance operations close and reopen the database
        base = dao::Database::OpenDatabase(Ruta());
        base->Execute(QStringLiteral("INSERT INTO LETRAS (IDX_CANCION) VALUES (7)"));
    }
    EXPECT_EQ(Salida(QStringLiteral("SELECT IDX_CANCION FROM LETRAS")), QStringLiteral("IDX_CANCION\n7\n"));
}

TEST_F(Recordsets, ConsultaDeSoloLectura) {
    auto rs = base->OpenRecordsetSoloLectura(
        QStringLiteral("SELECT TITULO FROM CANCIONES WHERE AUTOR LIKE 'abba'"));
    EXPECT_FALSE(rs->Eof());
    EXPECT_ERROR_BD(rs->Edit(), 3027);
    for (const char* sentencia :
         {"DELETE * FROM CANCIONES", "UPDATE CANCIONES SET TITULO = 'x'",
          "INSERT INTO LETRAS (IDX_CANCION) VALUES (5)", "SELECT * FROM CANCIONES; DELETE * FROM LETRAS"}) {
        SCOPED_TRACE(sentencia);
        EXPECT_ERROR_BD(base->OpenRecordsetSoloLectura(QString::fromUtf8(sentencia)),
                        sentencia[0] == 'S' ? 3142 : 3219);
    }
    EXPECT_EQ(Contar(QStringLiteral("SELECT * FROM CANCIONES WHERE TITULO <> 'x'")), 6);
    EXPECT_EQ(Contar(QStringLiteral("SELECT * FROM LETRAS")), 3);
}

TEST_F(Recordsets, ElVigilanteDetieneUnaConsultaLarga) {
    base->SetVigilante([] { return true; });
    EXPECT_ERROR_BD(
        Salida(QStringLiteral("SELECT COUNT(*) FROM CANCIONES AS A, CANCIONES AS B, CANCIONES AS C, "
                              "CANCIONES AS D, CANCIONES AS E, CANCIONES AS F")),
        3059);
    base->SetVigilante(nullptr);
    EXPECT_EQ(Salida(QStringLiteral("SELECT COUNT(*) FROM CANCIONES AS A, CANCIONES AS B")),
              QStringLiteral("Expr1000\n36\n"));
}

TEST_F(Recordsets, TablasDeTrabajoYCierre) {
    auto canciones = base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA"));
    canciones->MoveNext(); // a set in the middle of its rows does not stop a table from being dropped
    dao::TableDef tabla = base->CreateTableDef(QStringLiteral("AUX_1"));
    tabla.AppendField(tabla.CreateField(QStringLiteral("TITULO"), dao::TipoCampo::Texto));
    tabla.AppendField(tabla.CreateField(QStringLiteral("IDX_CANCION"), dao::TipoCampo::Entero));
    base->AppendTableDef(tabla);
    EXPECT_ERROR_BD(base->AppendTableDef(tabla), 3010);
    base->Execute(QStringLiteral("INSERT INTO AUX_1 SELECT TITULO, IDX_CANCION FROM CANCIONES"));
    EXPECT_EQ(Contar(QStringLiteral("SELECT * FROM AUX_1 WHERE TITULO LIKE 'WATERLOO'")), 2);
    base->DeleteTableDef(QStringLiteral("AUX_1"));
    EXPECT_FALSE(base->TableNames().contains(QStringLiteral("AUX_1")));
    EXPECT_ERROR_BD(base->DeleteTableDef(QStringLiteral("AUX_1")), 3265);
    canciones->MoveNext();
    EXPECT_EQ(canciones->AbsolutePosition(), 2);
    base->Close();
    EXPECT_ERROR_BD(canciones->MoveNext(), 3420);
}

// A value bound as a query parameter is compared as itself: quotes, pattern characters and a "#" are
// plain characters of the text, so each route reaches its own rows and no other.
TEST_F(Recordsets, ParametrosComparanElValorTalCual) {
    auto canciones = base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    for (const char* ruta : {"\\A?B\\", "\\A[*]B\\", "\\Rock'n # Roll\\", "\\Rock n 1 Roll\\"}) {
        canciones->AddNew();
        canciones->SetField(QStringLiteral("CABECERA"), QStringLiteral("Zeta"));
        canciones->SetField(QStringLiteral("RUTA"), QString::fromUtf8(ruta));
        canciones->SetField(QStringLiteral("TITULO"), QString::fromUtf8(ruta));
        canciones->Update();
    }
    const QString sentencia =
        QStringLiteral("SELECT RUTA FROM CANCIONES WHERE CABECERA = [pCabecera] AND RUTA = [pRuta]");
    for (const char* ruta : {"\\A*B\\", "\\A?B\\", "\\A[*]B\\", "\\Rock'n # Roll\\"}) {
        auto rs = base->OpenRecordset(sentencia, {{QStringLiteral("pcabecera"), QStringLiteral("zeta")},
                                                  {QStringLiteral("PRUTA"), QString::fromUtf8(ruta)}});
        QStringList rutas;
        for (; !rs->Eof(); rs->MoveNext())
            rutas << rs->Field(0).toString();
        EXPECT_EQ(rutas, QStringList{QString::fromUtf8(ruta)}) << ruta;
    }
    // Bare or bracketed, in an UPDATE too; a parameter never takes a field's name.
    EXPECT_EQ(base->Execute(QStringLiteral("UPDATE CANCIONES SET AUTOR = nuevo WHERE RUTA = [pRuta]"),
                            {{QStringLiteral("pRuta"), QStringLiteral("\\A?B\\")},
                             {QStringLiteral("nuevo"), QStringLiteral("X")}}),
              1);
    EXPECT_ERROR_BD(base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES WHERE RUTA = [titulo]"),
                                        {{QStringLiteral("TITULO"), QStringLiteral("x")}}),
                    3061);
}

} // namespace
