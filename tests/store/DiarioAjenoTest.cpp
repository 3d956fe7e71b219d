// A -wal found beside a catalogue is replayed only when it is the catalogue's own: one left by another
// database, or by another catalogue killed in the middle of a scan, is moved aside and the catalogue
// opens as it was.

#include "store/BBDD.h"
#include "store/FuncionesSql.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <map>

#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray Huella(const QString& ruta) {
    return QCryptographicHash::hash(Leer(ruta), QCryptographicHash::Sha256);
}

// The value of a PRAGMA read from the file alone, its -wal ignored.
qint64 PragmaDelFichero(const QString& ruta, const char* pragma) {
    const QByteArray uri = QUrl::fromLocalFile(ruta).toEncoded() + "?immutable=1";
    sqlite3* db = nullptr;
    sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("PRAGMA ") + pragma).constData(), -1, &s, nullptr);
    const qint64 valor = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
    sqlite3_finalize(s);
    sqlite3_close(db);
    return valor;
}

void Anadir(dao::Database& base, const QString& cabecera, int canciones) {
    base.BeginTrans();
    for (int i = 1; i <= canciones; ++i)
        base.Execute(
            QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, "
                           "IDX_CANCION, REL_POS) VALUES ('%1', '\\Musica\\', 'Autor %2', 'Titulo de la "
                           "cancion numero %2', 'mp3', %2, 0, %2)")
                .arg(cabecera)
                .arg(i));
    base.CommitTrans();
}

int Canciones(dao::Database& base, const QString& cabecera) {
    auto rs = base.OpenRecordset(
        QStringLiteral("SELECT COUNT(*) FROM CANCIONES WHERE CABECERA = '%1'").arg(cabecera));
    return rs->Field(0).toInt();
}

// The engine's check of the whole catalogue, read through its -wal: "ok" when sound.
QByteArray Comprobacion(dao::Database& base) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(base.Conexion(), "PRAGMA integrity_check", -1, &s, nullptr);
    const QByteArray resultado =
        sqlite3_step(s) == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(s, 0)) : "";
    sqlite3_finalize(s);
    return resultado;
}

// What a checkpoint stopped by a full disk leaves in the file: the newest committed copy of each page of
// the -wal written over it in ascending order, page 1 first, up to the first page that would make the
// file grow. Page 1 then counts pages the file does not have.
QByteArray CheckpointCortado(QByteArray fichero, const QByteArray& diario) {
    const auto entero = [&](qsizetype desde) { return qFromBigEndian<quint32>(diario.constData() + desde); };
    const qsizetype pagina = entero(8);
    std::map<quint32, qsizetype> confirmadas, pendientes; // page number -> where its copy starts
    for (qsizetype marco = 32;
         marco + 24 + pagina <= diario.size() && diario.mid(marco + 8, 8) == diario.mid(16, 8);
         marco += 24 + pagina) {
        pendientes.insert_or_assign(entero(marco), marco + 24);
        if (entero(marco + 4) != 0) {
            for (const auto& [numero, desde] : pendientes)
                confirmadas[numero] = desde;
            pendientes.clear();
        }
    }
    for (const auto& [numero, desde] : confirmadas) {
        const qsizetype posicion = (numero - 1) * pagina;
        if (posicion + pagina > fichero.size())
            break;
        fichero.replace(posicion, pagina, diario.mid(desde, pagina));
    }
    return fichero;
}

// What a crash leaves on disk: the catalogue and its -wal as they are while the connection is open.
struct TrasCaida {
    QByteArray fichero, diario;
};

class DiarioAjeno : public ::testing::Test {
protected:
    QString Ruta(const char* nombre) const {
        return QDir(carpeta.path()).filePath(QString::fromUtf8(nombre));
    }

    // A catalogue at ruta holding canciones songs under cabecera, closed cleanly.
    void Catalogo(const QString& ruta, const QString& cabecera, int canciones) {
        BBDD::RutaBaseDatos = ruta;
        BBDD::CrearBaseDatos();
        auto base = dao::Database::OpenDatabase(ruta);
        Anadir(*base, cabecera, canciones);
    }

    // Adds songs to the catalogue at ruta and takes the files as a kill at that moment would leave them.
    TrasCaida AnadirYCaer(const QString& ruta, const QString& cabecera, int canciones) {
        auto base = dao::Database::OpenDatabase(ruta);
        Anadir(*base, cabecera, canciones);
        return {Leer(ruta), Leer(ruta + QStringLiteral("-wal"))};
    }

    // The -wal of a database of another program, as a crash leaves it.
    QByteArray DiarioDeOtroPrograma() {
        const QString ruta = Ruta("otro.db");
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(ruta).constData(), &db);
        sqlite3_exec(
            db,
            "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; CREATE TABLE FACTURAS (N, TEXTO); "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
            "INSERT INTO FACTURAS SELECT i, printf('factura %08d', i) FROM n;",
            nullptr, nullptr, nullptr);
        const QByteArray diario = Leer(ruta + QStringLiteral("-wal"));
        sqlite3_close(db);
        return diario;
    }

    // The files beside the catalogue whose names say that they hold a foreign -wal.
    QStringList Apartados() const {
        return QDir(carpeta.path()).entryList({QStringLiteral("Cantorio.mdb-wal.ajeno-*")}, QDir::Files);
    }

    void TearDown() override { BBDD::CerrarBaseDatos(); }

    QTemporaryDir carpeta;
};

TEST_F(DiarioAjeno, UnDiarioQueNoEsDelCatalogoSeApartaSinAplicarlo) {
    const QString ruta = Ruta("Cantorio.mdb");
    const std::pair<const char*, std::function<QByteArray()>> casos[] = {
        {"de otro programa", [&] { return DiarioDeOtroPrograma(); }},
        {"de otro catálogo interrumpido a mitad de una búsqueda",
         [&] {
             const QString otro = Ruta("Otro.mdb");
             Catalogo(otro, QStringLiteral("Otro"), 10);
             return AnadirYCaer(otro, QStringLiteral("Otro"), 2000).diario;
         }},
    };
    Catalogo(ruta, QStringLiteral("Mio"), 500);
    for (const auto& [caso, diario] : casos) {
        SCOPED_TRACE(caso);
        const QByteArray ajeno = diario();
        ASSERT_GT(ajeno.size(), 32 * 1024);
        const QByteArray antes = Huella(ruta);
        Escribir(ruta + QStringLiteral("-wal"), ajeno);
        {
            auto base = dao::Database::OpenDatabase(ruta);
            EXPECT_EQ(Canciones(*base, QStringLiteral("Mio")), 500);
            EXPECT_EQ(Canciones(*base, QStringLiteral("Otro")), 0);
            ASSERT_EQ(Apartados().size(), 1);
            EXPECT_TRUE(base->AvisoApertura().contains(QStringLiteral("no le pertenece")))
                << base->AvisoApertura().toStdString();
            EXPECT_TRUE(base->AvisoApertura().contains(
                QDir::toNativeSeparators(QDir(carpeta.path()).filePath(Apartados()[0]))));
        }
        EXPECT_EQ(Huella(ruta), antes);
        EXPECT_EQ(Leer(QDir(carpeta.path()).filePath(Apartados()[0])), ajeno);
        QFile::remove(QDir(carpeta.path()).filePath(Apartados()[0]));
    }
}

TEST_F(DiarioAjeno, ElDiarioPropioQueDejaUnaCaidaSeAplica) {
    const QString ruta = Ruta("Cantorio.mdb");
    Catalogo(ruta, QStringLiteral("Mio"), 100);
    const TrasCaida caida = AnadirYCaer(ruta, QStringLiteral("Nuevo"), 2000);
    ASSERT_GT(caida.diario.size(), 32 * 1024);
    Escribir(ruta, caida.fichero);
    Escribir(ruta + QStringLiteral("-wal"), caida.diario);
    auto base = dao::Database::OpenDatabase(ruta);
    EXPECT_TRUE(base->AvisoApertura().isEmpty()) << base->AvisoApertura().toStdString();
    EXPECT_EQ(Canciones(*base, QStringLiteral("Mio")), 100);
    EXPECT_EQ(Canciones(*base, QStringLiteral("Nuevo")), 2000);
    EXPECT_TRUE(Apartados().isEmpty());
}

// The disk filled while the -wal was being copied into the file: the file alone cannot be read, the two
// together hold every committed song. Opened to read and to write, the -wal is replayed.
TEST_F(DiarioAjeno, UnCheckpointCortadoPorElDiscoLlenoSeCompletaConSuDiario) {
    const QString ruta = Ruta("Cantorio.mdb");
    Catalogo(ruta, QStringLiteral("Mio"), 100);
    const TrasCaida caida = AnadirYCaer(ruta, QStringLiteral("Nuevo"), 2000);
    const QByteArray cortado = CheckpointCortado(caida.fichero, caida.diario);
    ASSERT_NE(cortado, caida.fichero);
    for (const auto apertura : {dao::Database::Apertura::SoloLectura, dao::Database::Apertura::Escritura}) {
        SCOPED_TRACE(apertura == dao::Database::Apertura::SoloLectura ? "lectura" : "escritura");
        Escribir(ruta, cortado);
        Escribir(ruta + QStringLiteral("-wal"), caida.diario);
        QFile::remove(ruta + QStringLiteral("-shm"));
        ASSERT_EQ(PragmaDelFichero(ruta, "user_version"), -1) << "el fichero solo se puede leer";
        auto base = dao::Database::OpenDatabase(ruta, apertura);
        EXPECT_TRUE(base->AvisoApertura().isEmpty()) << base->AvisoApertura().toStdString();
        EXPECT_EQ(Canciones(*base, QStringLiteral("Mio")), 100);
        EXPECT_EQ(Canciones(*base, QStringLiteral("Nuevo")), 2000);
        EXPECT_EQ(Comprobacion(*base), "ok");
        EXPECT_TRUE(Apartados().isEmpty());
    }
}

// The same on a real full disk: a process whose files may not grow past a limit (SIGXFSZ ignored, so
// that the write fails instead of killing it) commits a few songs at a time until it cannot; the
// checkpoints that copy the -wal into the file stop at the limit. Every commit that succeeded is there.
TEST_F(DiarioAjeno, UnDiscoLlenoEnMitadDeUnCheckpointNoPierdeNadaConfirmado) {
    const QString ruta = Ruta("Cantorio.mdb");
    Catalogo(ruta, QStringLiteral("Mio"), 100);
    constexpr int PorLote = 200;
    int tuberia[2];
    ASSERT_EQ(pipe(tuberia), 0);
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tuberia[0]);
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{rlim_t(6) << 20, rlim_t(6) << 20};
        setrlimit(RLIMIT_FSIZE, &limite);
        try {
            auto base = dao::Database::OpenDatabase(ruta);
            for (int lote = 1;; ++lote) {
                Anadir(*base, QStringLiteral("Lote %1").arg(lote), PorLote);
                if (write(tuberia[1], &lote, sizeof lote) != sizeof lote)
                    break;
            }
        } catch (const dao::ErrorBD&) {
        }
        _exit(0);
    }
    close(tuberia[1]);
    int lote = 0, confirmados = 0;
    while (read(tuberia[0], &lote, sizeof lote) == sizeof lote)
        confirmados = lote;
    close(tuberia[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    ASSERT_GT(confirmados, 0);
    ASSERT_EQ(PragmaDelFichero(ruta, "user_version"), -1) << "el checkpoint se completó";
    auto base = dao::Database::OpenDatabase(ruta);
    EXPECT_EQ(Canciones(*base, QStringLiteral("Mio")), 100);
    auto rs =
        base->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM CANCIONES WHERE CABECERA LIKE 'Lote *'"));
    EXPECT_EQ(rs->Field(0).toInt(), confirmados * PorLote);
    EXPECT_EQ(Comprobacion(*base), "ok");
}

// A file that cannot be read alone opens only when its own -wal makes it whole: otherwise it is
// refused as damaged, and neither file nor -wal is touched.
TEST_F(DiarioAjeno, UnFicheroIncompletoQueSuDiarioNoCompletaSeRechaza) {
    const QString ruta = Ruta("Cantorio.mdb");
    const QString otro = Ruta("Otro.mdb");
    Catalogo(otro, QStringLiteral("Otro"), 10);
    const QByteArray diarioDeOtro = AnadirYCaer(otro, QStringLiteral("Otro"), 2000).diario;
    Catalogo(ruta, QStringLiteral("Mio"), 3000);
    const TrasCaida caida = AnadirYCaer(ruta, QStringLiteral("Nuevo"), 2000);
    const QByteArray cortado = CheckpointCortado(caida.fichero, caida.diario);
    const std::pair<const char*, TrasCaida> casos[] = {
        {"cortado también donde su diario no llega", {cortado.left(cortado.size() / 2), caida.diario}},
        {"con el diario de otro catálogo", {cortado, diarioDeOtro}},
    };
    for (const auto& [caso, ficheros] : casos) {
        SCOPED_TRACE(caso);
        Escribir(ruta, ficheros.fichero);
        Escribir(ruta + QStringLiteral("-wal"), ficheros.diario);
        QFile::remove(ruta + QStringLiteral("-shm"));
        try {
            dao::Database::OpenDatabase(ruta);
            ADD_FAILURE() << "se abrió";
        } catch (const dao::ErrorBD& e) {
            EXPECT_TRUE(e.Descripcion().contains(QStringLiteral("está dañado")))
                << e.Descripcion().toStdString();
        }
        EXPECT_EQ(Leer(ruta), ficheros.fichero);
        EXPECT_EQ(Leer(ruta + QStringLiteral("-wal")), ficheros.diario);
        EXPECT_TRUE(Apartados().isEmpty());
    }
}

// A catalogue made before identities keeps its own -wal, then gets an identity written into the file.
TEST_F(DiarioAjeno, UnCatalogoAntiguoRecibeSuIdentidadAlAbrirse) {
    const QString ruta = Ruta("Cantorio.mdb");
    Catalogo(ruta, QStringLiteral("Mio"), 100);
    {
        // An older program: no identity, and a kill after adding songs leaves its -wal behind.
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(ruta).constData(), &db);
        dao::RegistrarFuncionesSql(db);
        sqlite3_exec(
            db,
            "PRAGMA journal_mode=DELETE; PRAGMA user_version=1; PRAGMA journal_mode=WAL; "
            "PRAGMA wal_autocheckpoint=0; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
            "WHERE i < 2000) INSERT INTO CANCIONES SELECT 'Nuevo', '\\', 'Autor', 'Titulo ' || i, 'mp3', i, "
            "0, i FROM n",
            nullptr, nullptr, nullptr);
        const TrasCaida caida{Leer(ruta), Leer(ruta + QStringLiteral("-wal"))};
        sqlite3_close(db);
        ASSERT_GT(caida.diario.size(), 32 * 1024);
        Escribir(ruta, caida.fichero);
        Escribir(ruta + QStringLiteral("-wal"), caida.diario);
    }
    ASSERT_EQ(PragmaDelFichero(ruta, "user_version"), 1);
    {
        auto base = dao::Database::OpenDatabase(ruta);
        EXPECT_TRUE(base->AvisoApertura().isEmpty()) << base->AvisoApertura().toStdString();
        EXPECT_EQ(Canciones(*base, QStringLiteral("Nuevo")), 2000);
        // In the file itself at once, so that a -wal written from now on carries the same identity.
        EXPECT_GT(PragmaDelFichero(ruta, "user_version"), 1);
        Anadir(*base, QStringLiteral("Otra vez"), 10);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(base->Conexion(), "PRAGMA journal_mode", -1, &s, nullptr);
        ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
        EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), "wal");
        sqlite3_finalize(s);
    }
    auto base = dao::Database::OpenDatabase(ruta);
    EXPECT_EQ(Canciones(*base, QStringLiteral("Otra vez")), 10);
}

} // namespace
