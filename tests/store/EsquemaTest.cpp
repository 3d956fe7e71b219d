// The catalogue file: its creation, its opening, and the files that are not ours, left untouched.

#include "store/BBDD.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class Esquema : public ::testing::Test {
protected:
    void SetUp() override {
        BBDD::RutaBaseDatos = QDir(carpeta.path()).filePath(QStringLiteral("Cantorio.mdb"));
    }
    void TearDown() override { BBDD::CerrarBaseDatos(); }

    void Escribir(const QByteArray& bytes) {
        QFile f(BBDD::RutaBaseDatos);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Leer() const {
        QFile f(BBDD::RutaBaseDatos);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Opening must fail with numero, and leave the file and its folder exactly as they were.
    void AbrirFallaSinTocar(int numero, const char* enLaDescripcion) {
        const QByteArray antes = Leer();
        const QStringList ficheros = QDir(carpeta.path()).entryList(QDir::Files);
        try {
            BBDD::AbrirBaseDatos();
            ADD_FAILURE() << "se abrió el fichero";
        } catch (const dao::ErrorBD& e) {
            EXPECT_EQ(e.Numero(), numero) << e.Descripcion().toStdString();
            EXPECT_TRUE(e.Descripcion().contains(QString::fromUtf8(enLaDescripcion)))
                << e.Descripcion().toStdString();
        }
        EXPECT_EQ(Leer(), antes);
        EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files), ficheros);
    }

    QTemporaryDir carpeta;
};

// The value of a PRAGMA on the open catalogue.
QString Pragma(const char* nombre) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(BBDD::BaseDatos->Conexion(), (QByteArray("PRAGMA ") + nombre).constData(), -1, &s,
                       nullptr);
    QString valor;
    if (sqlite3_step(s) == SQLITE_ROW)
        valor = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    return valor;
}

TEST_F(Esquema, CrearYAbrirUnCatalogoVacio) {
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
    ASSERT_TRUE(BBDD::RecordsetCanciones);
    EXPECT_TRUE(BBDD::RecordsetCanciones->Eof());
    EXPECT_EQ(Pragma("journal_mode"), QStringLiteral("wal"));
    EXPECT_EQ(Pragma("synchronous"), QStringLiteral("1")); // NORMAL
    EXPECT_NE(Pragma("application_id"), QStringLiteral("0"));
    auto canciones = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    QStringList campos;
    for (int i = 0; i < canciones->FieldCount(); ++i)
        campos << canciones->FieldName(i);
    EXPECT_EQ(campos.join(QLatin1Char(',')),
              QStringLiteral("CABECERA,RUTA,AUTOR,TITULO,EXTENSION,LONGITUD,IDX_CANCION,REL_POS"));
    auto letras = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
    EXPECT_EQ(letras->FieldName(0), QStringLiteral("IDX_CANCION"));
    EXPECT_EQ(letras->FieldName(1), QStringLiteral("LYRICS"));
    // The lyric memo holds long texts, the song through the shared set reads back unchanged.
    letras->AddNew();
    letras->SetField(QStringLiteral("IDX_CANCION"), 1);
    letras->SetField(QStringLiteral("LYRICS"), QString(20000, QLatin1Char('l')));
    letras->Update();
    BBDD::RecordsetCanciones->AddNew();
    BBDD::RecordsetCanciones->SetField(QStringLiteral("CABECERA"), QStringLiteral("Ñu"));
    BBDD::RecordsetCanciones->SetField(QStringLiteral("LONGITUD"), -2147483647 - 1);
    BBDD::RecordsetCanciones->Update();
    BBDD::CerrarBaseDatos();
    BBDD::AbrirBaseDatos();
    EXPECT_EQ(BBDD::RecordsetCanciones->Field(QStringLiteral("CABECERA")).toString(), QStringLiteral("Ñu"));
    EXPECT_EQ(BBDD::RecordsetCanciones->Field(QStringLiteral("LONGITUD")).toInt(), -2147483647 - 1);
    EXPECT_FALSE(BBDD::RecordsetCanciones->Field(QStringLiteral("RUTA")).isValid());
}

TEST_F(Esquema, CrearNoSobrescribeUnFicheroExistente) {
    Escribir("algo");
    EXPECT_THROW(BBDD::CrearBaseDatos(), dao::ErrorBD);
    EXPECT_EQ(Leer(), QByteArray("algo"));
}

TEST_F(Esquema, UnFicheroDeCeroBytesSeTrataComoAusente) {
    Escribir(QByteArray());
    BBDD::AbrirBaseDatos();
    EXPECT_TRUE(BBDD::RecordsetCanciones->Eof());
    EXPECT_GT(QFileInfo(BBDD::RutaBaseDatos).size(), 0);
}

TEST_F(Esquema, UnFicheroQueNoEsUnCatalogoNoSeToca) {
    Escribir(
        "Standard Jet DB\0 esto no es una base de datos SQLite, pero ocupa más de cien bytes para que la "
        "cabecera se lea entera sin problemas.............");
    AbrirFallaSinTocar(3343, "no es un catálogo de Cantorio");
}

TEST_F(Esquema, OtraBaseDeDatosSqliteNoSeToca) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(BBDD::RutaBaseDatos).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE CANCIONES (X); INSERT INTO CANCIONES VALUES (1)", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    AbrirFallaSinTocar(3343, "no un catálogo de Cantorio");
}

TEST_F(Esquema, UnCatalogoDanadoNoSeToca) {
    BBDD::CrearBaseDatos();
    QByteArray bytes = Leer();
    ASSERT_GT(bytes.size(), 200);
    for (int i = 100; i < 200; ++i)
        bytes[i] = char(0xA5);
    Escribir(bytes);
    AbrirFallaSinTocar(3343, "dañado");
}

TEST_F(Esquema, UnCatalogoDeSoloLecturaNoSeAbre) {
    BBDD::CrearBaseDatos();
    QFile::setPermissions(BBDD::RutaBaseDatos, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    AbrirFallaSinTocar(3051, "sólo lectura");
}

TEST_F(Esquema, UnCatalogoBloqueadoPorOtroProgramaNoSeAbre) {
    BBDD::CrearBaseDatos();
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(BBDD::RutaBaseDatos).constData(), &otro), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(otro, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
        SQLITE_OK);
    try {
        BBDD::AbrirBaseDatos();
        ADD_FAILURE() << "se abrió un catálogo bloqueado";
    } catch (const dao::ErrorBD& e) {
        EXPECT_EQ(e.Numero(), 3045) << e.Descripcion().toStdString();
    }
    sqlite3_exec(otro, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(otro);
}

} // namespace
