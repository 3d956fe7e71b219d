// Deleting, saving and renumbering: exactly the rows meant, lyrics kept while a song names them, and
// each operation whole or, when the disk fills or another program holds the catalogue, not at all.

#include "store/CatalogoMantenimiento.h"
#include "store/BBDD.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/resource.h>

namespace {

using catalogo::IdCancion;

class CatalogoMantenimiento : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        BBDD::RutaBaseDatos = Ruta();
        BBDD::CrearBaseDatos();
        base = dao::Database::OpenDatabase(Ruta());
    }

    QString Ruta() const { return QDir(carpeta.path()).filePath(QStringLiteral("Cantorio.mdb")); }

    // Adds a song through the engine itself (Null where a QVariant is invalid) and returns its identity.
    IdCancion Anadir(const QVariant& cabecera, const QVariant& ruta, const QVariant& autor,
                     const QVariant& titulo, int idx = 0, const QVariant& extension = QStringLiteral("mp3"),
                     int longitud = 1000) {
        sqlite3* db = base->Conexion();
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(
            db,
            "INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, "
            "REL_POS) VALUES (?, ?, ?, ?, ?, ?, ?, 0)",
            -1, &s, nullptr);
        int p = 1;
        for (const QVariant& v : {cabecera, ruta, autor, titulo, extension}) {
            const QByteArray texto = v.toString().toUtf8();
            if (v.isValid())
                sqlite3_bind_text(s, p, texto.constData(), int(texto.size()), SQLITE_TRANSIENT);
            ++p;
        }
        sqlite3_bind_int(s, 6, longitud);
        sqlite3_bind_int(s, 7, idx);
        EXPECT_EQ(sqlite3_step(s), SQLITE_DONE) << sqlite3_errmsg(db);
        sqlite3_finalize(s);
        return sqlite3_last_insert_rowid(db);
    }

    void Letra(int idx) {
        base->Execute(
            QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (%1, 'la la')").arg(idx));
    }

    // Column values of every row of the statement, one text per row.
    QStringList Filas(const char* sql) {
        QStringList filas;
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(base->Conexion(), sql, -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW) {
            QStringList valores;
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                valores << (sqlite3_column_type(s, c) == SQLITE_NULL
                                ? QStringLiteral("<Null>")
                                : QString::fromUtf8(
                                      reinterpret_cast<const char*>(sqlite3_column_text(s, c))));
            filas << valores.join(u'|');
        }
        sqlite3_finalize(s);
        return filas;
    }
    QStringList Todo() {
        return Filas("SELECT rowid, * FROM CANCIONES ORDER BY rowid") +
               Filas("SELECT * FROM LETRAS ORDER BY 1");
    }
    std::vector<IdCancion> Quedan() {
        std::vector<IdCancion> ids;
        for (const QString& fila : Filas("SELECT rowid FROM CANCIONES ORDER BY rowid"))
            ids.push_back(fila.toLongLong());
        return ids;
    }
    QStringList Letras() { return Filas("SELECT IDX_CANCION FROM LETRAS ORDER BY 1"); }
    // AUTOR of the route's songs in REL_POS order.
    QStringList Orden(const QString& cabecera, const QString& ruta) {
        const QByteArray sql =
            QStringLiteral("SELECT coalesce(AUTOR, '<Null>') || ' ' || TITULO FROM CANCIONES "
                           "WHERE CABECERA = '%1' AND RUTA = '%2' ORDER BY REL_POS")
                .arg(QString(cabecera).replace(u'\'', QStringLiteral("''")), ruta)
                .toUtf8();
        return Filas(sql.constData());
    }

    QTemporaryDir carpeta;
    std::unique_ptr<dao::Database> base;
};

TEST_F(CatalogoMantenimiento, CadaIdentidadEliminaSuPropiaFila) {
    const QString c = QStringLiteral("Disco"), r = QStringLiteral("\\Rock\\");
    const IdCancion blanco = Anadir(c, r, QStringLiteral(" "), QStringLiteral("Tema"));
    const IdCancion nulo = Anadir(c, r, QVariant(), QStringLiteral("Tema"));
    const IdCancion guiones = Anadir(c, r, QStringLiteral("A"), QStringLiteral("B -- C"));
    const IdCancion pregunta = Anadir(c, r, QStringLiteral("X"), QStringLiteral("Why?"));
    const IdCancion exclamacion = Anadir(c, r, QStringLiteral("X"), QStringLiteral("Why!"));
    const IdCancion mayusculas = Anadir(c, r, QStringLiteral("X"), QStringLiteral("ABC"));
    const IdCancion minusculas = Anadir(c, r, QStringLiteral("x"), QStringLiteral("abc"));
    const IdCancion primera = Anadir(c, r, QStringLiteral("Dos"), QStringLiteral("Veces"));
    const IdCancion segunda = Anadir(c, r, QStringLiteral("Dos"), QStringLiteral("Veces"));

    EXPECT_EQ(catalogo::EliminarCanciones(*base, {blanco, guiones, pregunta, minusculas, segunda}), 5);
    EXPECT_EQ(Quedan(), (std::vector<IdCancion>{nulo, exclamacion, mayusculas, primera}));
    // Songs already gone, and no songs at all, delete nothing.
    EXPECT_EQ(catalogo::EliminarCanciones(*base, {blanco, segunda}), 0);
    EXPECT_EQ(catalogo::EliminarCanciones(*base, {}), 0);
    EXPECT_EQ(catalogo::EliminarCanciones(*base, {nulo}), 1);
    EXPECT_EQ(Quedan(), (std::vector<IdCancion>{exclamacion, mayusculas, primera}));
}

TEST_F(CatalogoMantenimiento, UnaLetraSeEliminaCuandoYaNingunaCancionLaNombra) {
    const IdCancion a =
        Anadir(QStringLiteral("Disco"), QStringLiteral("\\A\\"), QStringLiteral("A"), QStringLiteral("1"), 5);
    const IdCancion b =
        Anadir(QStringLiteral("Disco"), QStringLiteral("\\A\\"), QStringLiteral("B"), QStringLiteral("2"), 5);
    const IdCancion c =
        Anadir(QStringLiteral("Disco"), QStringLiteral("\\A\\"), QStringLiteral("C"), QStringLiteral("3"), 7);
    Anadir(QStringLiteral("Otro"), QStringLiteral("\\B\\"), QStringLiteral("D"), QStringLiteral("4"), 9);
    const IdCancion e =
        Anadir(QStringLiteral("Otro"), QStringLiteral("\\C\\"), QStringLiteral("E"), QStringLiteral("5"), 9);
    for (int idx : {5, 7, 9, 11})
        Letra(idx);

    catalogo::EliminarCanciones(*base, {a, c});
    EXPECT_EQ(Letras(), (QStringList{"5", "9", "11"})); // b still names 5; 11 was nobody's to begin with
    catalogo::EliminarCanciones(*base, {b});
    EXPECT_EQ(Letras(), (QStringList{"9", "11"}));
    // A route whose lyric another route shares leaves the lyric; the last route takes it away.
    catalogo::EliminarRuta(*base, {QStringLiteral("Otro"), QStringLiteral("\\B\\")});
    EXPECT_EQ(Letras(), (QStringList{"9", "11"}));
    EXPECT_EQ(Quedan(), std::vector<IdCancion>{e});
    catalogo::EliminarCabecera(*base, QStringLiteral("otro"));
    EXPECT_EQ(Letras(), QStringList{"11"});
    EXPECT_TRUE(Quedan().empty());
}

TEST_F(CatalogoMantenimiento, UnaRamaEliminaSusFilasYNingunaOtra) {
    // Header and route values holding every character a LIKE pattern would give a meaning to.
    const QString raro = QStringLiteral("A*[#?'");
    const IdCancion rockn = Anadir(QStringLiteral("Disco"), QStringLiteral("\\Rock'n Roll\\"),
                                   QStringLiteral("A"), QStringLiteral("1"));
    const IdCancion rocknMayus = Anadir(QStringLiteral("DISCO"), QStringLiteral("\\ROCK'N ROLL\\"),
                                        QStringLiteral("B"), QStringLiteral("2"));
    const IdCancion rockBlanco = Anadir(QStringLiteral("Disco"), QStringLiteral("\\Rock n Roll\\"),
                                        QStringLiteral("C"), QStringLiteral("3"));
    const IdCancion rockPregunta = Anadir(QStringLiteral("Disco"), QStringLiteral("\\Rock?n Roll\\"),
                                          QStringLiteral("D"), QStringLiteral("4"));
    // A folder inside the deleted route's folder is a route of its own.
    const IdCancion directo = Anadir(QStringLiteral("Disco"), QStringLiteral("\\Rock'n Roll\\Directo\\"),
                                     QStringLiteral("K"), QStringLiteral("11"));
    const IdCancion rarA = Anadir(raro, QStringLiteral("\\x\\"), QStringLiteral("E"), QStringLiteral("5"));
    const IdCancion rarNulo = Anadir(raro, QVariant(), QStringLiteral("F"), QStringLiteral("6"));
    const IdCancion vecina1 =
        Anadir(QStringLiteral("A*[1?'"), QStringLiteral("\\x\\"), QStringLiteral("G"), QStringLiteral("7"));
    const IdCancion vecina2 =
        Anadir(QStringLiteral("AB[#?'"), QStringLiteral("\\x\\"), QStringLiteral("H"), QStringLiteral("8"));
    const IdCancion vecina3 =
        Anadir(QStringLiteral("A*[#?' "), QStringLiteral("\\x\\"), QStringLiteral("I"), QStringLiteral("9"));
    const IdCancion sinCabecera =
        Anadir(QVariant(), QStringLiteral("\\x\\"), QStringLiteral("J"), QStringLiteral("10"));
    Q_UNUSED(rockn);
    Q_UNUSED(rocknMayus);
    Q_UNUSED(rarA);
    Q_UNUSED(rarNulo);

    // The route of one node: the catalogue compares it letter case aside, as the trees group it.
    EXPECT_EQ(catalogo::EliminarRuta(*base, {QStringLiteral("Disco"), QStringLiteral("\\Rock'n Roll\\")}), 2);
    EXPECT_EQ(catalogo::EliminarCabecera(*base, raro), 2); // its Null route goes with it
    EXPECT_EQ(Quedan(), (std::vector<IdCancion>{rockBlanco, rockPregunta, directo, vecina1, vecina2, vecina3,
                                                sinCabecera}));
}

TEST_F(CatalogoMantenimiento, EliminarTodoVaciaLasDosTablas) {
    Anadir(QStringLiteral("Disco"), QStringLiteral("\\A\\"), QStringLiteral("A"), QStringLiteral("1"), 3);
    Anadir(QVariant(), QVariant(), QVariant(), QVariant());
    Letra(3);
    Letra(8);
    catalogo::EliminarTodo(*base);
    EXPECT_TRUE(Todo().isEmpty());
}

TEST_F(CatalogoMantenimiento, GuardarUnaCancionPorSuIdentidad) {
    const IdCancion a = Anadir(QStringLiteral("Disco"), QStringLiteral("\\A\\"), QStringLiteral("Why"),
                               QStringLiteral("?"), 4);
    const IdCancion b =
        Anadir(QStringLiteral("Disco"), QStringLiteral("\\A\\"), QStringLiteral("Why"), QStringLiteral("!"));
    const QString ruta200 = QStringLiteral("\\") + QString(198, u'r') + QStringLiteral("\\");
    ASSERT_TRUE(catalogo::GuardarCancion(*base, a,
                                         {QStringLiteral("Nuevo"), ruta200, QStringLiteral(" "),
                                          QStringLiteral("T"), QStringLiteral("flac"), 12345}));
    EXPECT_EQ(Filas("SELECT CABECERA, RUTA, AUTOR, EXTENSION, LONGITUD, IDX_CANCION, REL_POS FROM CANCIONES "
                    "WHERE rowid = 1"),
              QStringList{"Nuevo|" + ruta200 + "| |flac|12345|4|0"});
    EXPECT_EQ(Filas("SELECT IDX_CANCION, TITULO FROM CANCIONES WHERE rowid = 2"), QStringList{"0|!"});

    // A song that has gone: nothing is written, and reading it finds nothing.
    catalogo::EliminarCanciones(*base, {b});
    const QStringList antes = Todo();
    EXPECT_FALSE(catalogo::GuardarCancion(*base, b, {"X", "X", "X", "X", "X", 1}));
    // A text the catalogue cannot hold is refused whole.
    EXPECT_THROW(catalogo::GuardarCancion(*base, a, {"X", "X", QString(5000, u'a'), "X", "X", 1}),
                 dao::ErrorBD);
    EXPECT_EQ(Todo(), antes);
}

TEST_F(CatalogoMantenimiento, TextoGuardadoSinBlancosYNuncaVacio) {
    // Only blanks are trimmed: tabs, line breaks and non-breaking spaces are part of the text.
    const std::pair<const char*, const char*> casos[] = {{"  Queen  ", "Queen"},
                                                         {"", " "},
                                                         {"    ", " "},
                                                         {"A  B", "A  B"},
                                                         {" \tA\n ", "\tA\n"},
                                                         {"\t", "\t"},
                                                         {"\u00a0B\u00a0", "\u00a0B\u00a0"},
                                                         {"\r\n", "\r\n"}};
    for (const auto& [campo, guardado] : casos)
        EXPECT_EQ(catalogo::TextoGuardado(QString::fromUtf8(campo)), QString::fromUtf8(guardado)) << campo;
}

TEST_F(CatalogoMantenimiento, GuardarEnLoteEscribeLosCamposDadosEnLaRutaEntera) {
    const QString c = QStringLiteral("Rock'n"), r = QStringLiteral("\\Uno\\");
    Anadir(c, r, QStringLiteral("A"), QStringLiteral("1"), 0, QStringLiteral("mp3"), 10);
    Anadir(c, r, QStringLiteral("B"), QStringLiteral("2"), 0, QStringLiteral("ogg"), 20);
    Anadir(QStringLiteral("Rock n"), r, QStringLiteral("C"), QStringLiteral("3"), 0, QStringLiteral("mp3"),
           30);
    Anadir(c, QStringLiteral("\\Uno\\Directo\\"), QStringLiteral("D"), QStringLiteral("4"), 0,
           QStringLiteral("mp3"), 40); // a folder inside the route's: untouched

    catalogo::CamposLote extension;
    extension.extension = QStringLiteral(" MP3 "); // as typed, blanks included
    EXPECT_FALSE(extension.CambiaRama());
    EXPECT_EQ(catalogo::GuardarLote(*base, {c, r}, extension), 2);
    EXPECT_EQ(Filas("SELECT CABECERA, AUTOR, EXTENSION, LONGITUD FROM CANCIONES ORDER BY rowid"),
              (QStringList{"Rock'n|A| MP3 |10", "Rock'n|B| MP3 |20", "Rock n|C|mp3|30", "Rock'n|D|mp3|40"}));

    catalogo::CamposLote mover;
    mover.cabecera = QStringLiteral("Nuevo");
    mover.longitud = 7;
    EXPECT_TRUE(mover.CambiaRama());
    EXPECT_EQ(catalogo::GuardarLote(*base, {c, r}, mover), 2);
    EXPECT_EQ(Filas("SELECT CABECERA, RUTA, LONGITUD FROM CANCIONES ORDER BY rowid"),
              (QStringList{"Nuevo|\\Uno\\|7", "Nuevo|\\Uno\\|7", "Rock n|\\Uno\\|30",
                           "Rock'n|\\Uno\\Directo\\|40"}));

    const QStringList antes = Todo();
    EXPECT_EQ(catalogo::GuardarLote(*base, {QStringLiteral("Nuevo"), r}, {}), 0);
    catalogo::CamposLote largo;
    largo.autor = QString(5000, u'a');
    EXPECT_THROW(catalogo::GuardarLote(*base, {QStringLiteral("Nuevo"), r}, largo), dao::ErrorBD);
    EXPECT_EQ(Todo(), antes);
}

TEST_F(CatalogoMantenimiento, ReordenarEnAmbosSentidos) {
    const QString c = QStringLiteral("L'Album"), r = QStringLiteral("\\R\\");
    // Authors C, A, B; two songs equal in all four keys (letter case aside); one without author.
    Anadir(c, r, QStringLiteral("C"), QStringLiteral("t"), 0, QStringLiteral("mp3"), 300);
    Anadir(c, r, QStringLiteral("A"), QStringLiteral("t"), 0, QStringLiteral("mp3"), 100);
    Anadir(c, r, QStringLiteral("B"), QStringLiteral("t"), 0, QStringLiteral("ogg"), 200);
    Anadir(c, r, QStringLiteral("b"), QStringLiteral("T"), 0, QStringLiteral("OGG"), 200);
    Anadir(c, r, QVariant(), QStringLiteral("u"), 0, QStringLiteral("wav"), 50);
    const IdCancion otra = Anadir(c, QStringLiteral("\\S\\"), QStringLiteral("Z"), QStringLiteral("z"));
    const IdCancion dentro =
        Anadir(c, QStringLiteral("\\R\\Directo\\"), QStringLiteral("Y"), QStringLiteral("y"));

    struct Caso {
        catalogo::CampoOrden campo;
        QStringList ascendente;
    };
    const Caso casos[] = {
        {catalogo::CampoOrden::Autor, {"<Null> u", "A t", "B t", "b T", "C t"}},
        {catalogo::CampoOrden::Titulo, {"A t", "B t", "b T", "C t", "<Null> u"}},
        {catalogo::CampoOrden::Extension, {"A t", "C t", "B t", "b T", "<Null> u"}},
        {catalogo::CampoOrden::Tamano, {"<Null> u", "A t", "B t", "b T", "C t"}},
    };
    for (const Caso& caso : casos) {
        EXPECT_EQ(catalogo::ReordenarRuta(*base, {QStringLiteral("l'album"), r}, caso.campo,
                                          catalogo::Sentido::Ascendente),
                  5);
        EXPECT_EQ(Orden(c, r), caso.ascendente) << int(caso.campo);
        QStringList descendente = caso.ascendente;
        std::reverse(descendente.begin(), descendente.end());
        catalogo::ReordenarRuta(*base, {c, r}, caso.campo, catalogo::Sentido::Descendente);
        EXPECT_EQ(Orden(c, r), descendente) << int(caso.campo);
    }
    EXPECT_EQ(Filas("SELECT group_concat(REL_POS) FROM (SELECT REL_POS FROM CANCIONES WHERE RUTA = '\\R\\' "
                    "ORDER BY 1)"),
              QStringList{"1,2,3,4,5"});
    // Neither another route nor a folder inside this one is renumbered.
    EXPECT_EQ(Filas(QStringLiteral("SELECT REL_POS FROM CANCIONES WHERE rowid IN (%1, %2)")
                        .arg(otra)
                        .arg(dentro)
                        .toUtf8()
                        .constData()),
              (QStringList{"0", "0"}));
}

// Runs one operation on a catalogue of a few thousand songs while the disk can take only a
// few more kilobytes: the operation fails as a whole and a fresh look at the file finds it unchanged.
class DiscoLleno : public CatalogoMantenimiento,
                   public ::testing::WithParamInterface<std::pair<const char*, void (*)(dao::Database&)>> {};

TEST_P(DiscoLleno, NadaCambiaYLaConexionSigueSirviendo) {
    for (int i = 0; i < 3000; ++i)
        Anadir(QStringLiteral("Disco"), QStringLiteral("\\R\\"), QStringLiteral("Autor %1").arg(3000 - i),
               QStringLiteral("Título %1").arg(i), i % 1000 == 0 ? i + 1 : 0);
    // A few lyrics, so that deleting them alone would fit in what is left of the disk.
    for (int i = 0; i < 3000; i += 1000)
        Letra(i + 1);
    const QStringList antes = Todo();
    sqlite3_wal_checkpoint_v2(base->Conexion(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit anterior{};
    getrlimit(RLIMIT_FSIZE, &anterior);
    rlimit limite = anterior;
    limite.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    try {
        GetParam().second(*base);
        ADD_FAILURE() << "la operación no falló con el disco lleno";
    } catch (const dao::ErrorBD& e) {
        EXPECT_TRUE(e.Numero() == 3026 || e.Numero() == 3043) << e.Descripcion().toStdString();
    }
    setrlimit(RLIMIT_FSIZE, &anterior);

    EXPECT_EQ(Todo(), antes);
    base->Close();
    base = dao::Database::OpenDatabase(Ruta());
    EXPECT_EQ(Todo(), antes);
    // With room again the same operation goes through.
    GetParam().second(*base);
    EXPECT_NE(Todo(), antes);
}

void BorrarCabecera(dao::Database& b) {
    catalogo::EliminarCabecera(b, QStringLiteral("disco"));
}
void BorrarRuta(dao::Database& b) {
    catalogo::EliminarRuta(b, {QStringLiteral("Disco"), QStringLiteral("\\R\\")});
}
void BorrarCanciones(dao::Database& b) {
    std::vector<IdCancion> ids;
    for (IdCancion id = 1; id <= 3000; id += 2)
        ids.push_back(id);
    catalogo::EliminarCanciones(b, ids);
}
void BorrarTodo(dao::Database& b) {
    catalogo::EliminarTodo(b);
}
void Lote(dao::Database& b) {
    catalogo::CamposLote campos;
    campos.titulo = QStringLiteral("Otro título bastante más largo que el que había antes en cada canción");
    catalogo::GuardarLote(b, {QStringLiteral("Disco"), QStringLiteral("\\R\\")}, campos);
}
void Reordenar(dao::Database& b) {
    catalogo::ReordenarRuta(b, {QStringLiteral("Disco"), QStringLiteral("\\R\\")},
                            catalogo::CampoOrden::Autor, catalogo::Sentido::Ascendente);
}

INSTANTIATE_TEST_SUITE_P(Operaciones, DiscoLleno,
                         ::testing::Values(std::pair{"cabecera", &BorrarCabecera},
                                           std::pair{"ruta", &BorrarRuta},
                                           std::pair{"canciones", &BorrarCanciones},
                                           std::pair{"todo", &BorrarTodo}, std::pair{"lote", &Lote},
                                           std::pair{"reordenar", &Reordenar}),
                         [](const auto& info) { return std::string(info.param.first); });

TEST_F(CatalogoMantenimiento, CatalogoBloqueadoPorOtroPrograma) {
    Anadir(QStringLiteral("Disco"), QStringLiteral("\\R\\"), QStringLiteral("A"), QStringLiteral("1"), 2);
    Letra(2);
    const QStringList antes = Todo();
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(Ruta().toUtf8().constData(), &otro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        catalogo::EliminarCabecera(*base, QStringLiteral("Disco"));
        ADD_FAILURE() << "se eliminó con el catálogo bloqueado";
    } catch (const dao::ErrorBD& e) {
        EXPECT_EQ(e.Numero(), 3260) << e.Descripcion().toStdString();
    }
    sqlite3_exec(otro, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(otro);
    EXPECT_EQ(Todo(), antes);
    EXPECT_EQ(catalogo::EliminarCabecera(*base, QStringLiteral("Disco")), 1);
}

} // namespace
