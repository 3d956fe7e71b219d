// Damaged and foreign files where the catalogue should be: opened and read as start-up does, each gives a
// clear message that names the file, never a crash, and the file is left byte for byte as it was.

#include "store/BBDD.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

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

class FicherosDanados : public ::testing::Test {
protected:
    void SetUp() override {
        ruta = QDir(carpeta.path()).filePath(QStringLiteral("Cantorio.mdb"));
        // A sound catalogue of a few hundred pages, from which the damaged ones are made.
        BBDD::RutaBaseDatos = ruta;
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
        BBDD::BaseDatos->BeginTrans();
        for (int i = 1; i <= 3000; ++i)
            BBDD::BaseDatos->Execute(
                QStringLiteral("INSERT INTO CANCIONES (CABECERA, RUTA, AUTOR, TITULO, EXTENSION, "
                               "LONGITUD, IDX_CANCION, REL_POS) VALUES ('Disco %1', "
                               "'\\Musica\\%1\\', 'Autor %2', 'Titulo numero %2', 'mp3', %2, 0, "
                               "%2)")
                    .arg(i / 100)
                    .arg(i));
        BBDD::BaseDatos->CommitTrans();
        BBDD::CerrarBaseDatos();
        sano = Leer(ruta);
        ASSERT_GT(sano.size(), 100 * 4096);
    }
    void TearDown() override { BBDD::CerrarBaseDatos(); }

    // Opens the file and reads every song as start-up does. Empty when all went well, otherwise the
    // message the user gets.
    static QString AbrirYLeer() {
        try {
            BBDD::AbrirBaseDatos();
            auto canciones =
                BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES ORDER BY TITULO"));
            for (; !canciones->Eof(); canciones->MoveNext())
                canciones->Field(QStringLiteral("TITULO"));
            BBDD::CerrarBaseDatos();
        } catch (const dao::ErrorBD& e) {
            BBDD::CerrarBaseDatos();
            return e.Descripcion();
        }
        return {};
    }

    QTemporaryDir carpeta;
    QString ruta;
    QByteArray sano;
};

TEST_F(FicherosDanados, CadaFicheroDanadoOAjenoSeExplicaYQuedaIntacto) {
    auto conCambio = [&](int desde, const QByteArray& bytes) {
        QByteArray danado = sano;
        danado.replace(desde, bytes.size(), bytes);
        return danado;
    };
    auto otroPrograma = [&] {
        const QString otra = QDir(carpeta.path()).filePath(QStringLiteral("otra.db"));
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(otra).constData(), &db);
        sqlite3_exec(db,
                     "CREATE TABLE CANCIONES (X); CREATE TABLE LETRAS (Y); INSERT INTO CANCIONES VALUES (1)",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return Leer(otra);
    };
    const int mitad = sano.size() / 2;
    const std::pair<const char*, std::function<QByteArray()>> casos[] = {
        {"cortado a mitad de una página", [&] { return sano.left(mitad + 1000); }},
        {"cortado tras la cabecera", [&] { return sano.left(100); }},
        {"página 1 a ceros", [&] { return conCambio(0, QByteArray(4096, '\0')); }},
        {"página 1 a ceros salvo la firma", [&] { return conCambio(16, QByteArray(4096 - 16, '\0')); }},
        {"esquema con bytes cambiados", [&] { return conCambio(100, QByteArray(200, '\xA5')); }},
        {"datos con bytes cambiados", [&] { return conCambio(mitad, QByteArray(4096, '\x5A')); }},
        {"un byte cambiado en cada página: su número de celdas",
         [&] {
             QByteArray danado = sano;
             for (int pagina = 4096; pagina < danado.size(); pagina += 4096)
                 danado[pagina + 3] = char(0x7F);
             return danado;
         }},
        {"catálogo antiguo, sin identidad, con datos cambiados",
         [&] {
             return conCambio(mitad, QByteArray(4096, '\x5A')).replace(60, 4, QByteArray("\0\0\0\1", 4));
         }},
        {"tamaño de página imposible", [&] { return conCambio(16, QByteArray("\x00\x03", 2)); }},
        {"un texto", [&] { return QByteArray("Lista de la compra:\r\npan\r\nleche\r\n").repeated(500); }},
        {"un fichero de Access",
         [&] { return QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(4076, '\x11'); }},
        {"otra base de datos SQLite", otroPrograma},
        {"bytes al azar",
         [&] {
             QByteArray azar(64 * 1024, '\0');
             quint32 x = 12345;
             for (char& c : azar)
                 c = char((x = x * 1103515245 + 12345) >> 24);
             return azar;
         }},
    };
    int intactos = 0;
    for (const auto& [caso, preparar] : casos) {
        SCOPED_TRACE(caso);
        const QByteArray danado = preparar();
        Escribir(ruta, danado);
        const QStringList antes = QDir(carpeta.path()).entryList(QDir::Files);
        const QString mensaje = AbrirYLeer();
        EXPECT_FALSE(mensaje.isEmpty()) << "se abrió y se leyó entero";
        EXPECT_TRUE(mensaje.contains(QDir::toNativeSeparators(ruta))) << mensaje.toStdString();
        EXPECT_TRUE(mensaje.contains(QStringLiteral("No se ha modificado")) ||
                    mensaje.contains(QStringLiteral("no lo ha modificado")))
            << mensaje.toStdString();
        const bool intacto = Leer(ruta) == danado && QDir(carpeta.path()).entryList(QDir::Files) == antes;
        EXPECT_TRUE(intacto);
        intactos += intacto;
    }
    RecordProperty("intactos", intactos);
}

} // namespace
