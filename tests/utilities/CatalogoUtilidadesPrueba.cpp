#include "CatalogoUtilidadesPrueba.h"

#include <QFile>
#include <sqlite3.h>

void CatalogoUtilidadesPrueba::SetUp() {
    BBDD::RutaBaseDatos = carpeta.filePath(QStringLiteral("Cantorio.mdb"));
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
}

void CatalogoUtilidadesPrueba::TearDown() {
    BBDD::CerrarBaseDatos();
}

void CatalogoUtilidadesPrueba::Cancion(const IdCancion& fila) {
    auto rs = Base().OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    rs->AddNew();
    const char* nombres[] = {"CABECERA",  "RUTA",     "AUTOR",       "TITULO",
                             "EXTENSION", "LONGITUD", "IDX_CANCION", "REL_POS"};
    const QVariant valores[] = {fila.cabecera,  fila.ruta,     fila.autor, fila.titulo,
                                fila.extension, fila.longitud, fila.idx,   fila.relPos};
    for (int i = 0; i < 8; ++i)
        rs->SetField(QLatin1String(nombres[i]), valores[i]);
    rs->Update();
}

void CatalogoUtilidadesPrueba::Cancion(const QString& cabecera, const QString& ruta, const QString& autor,
                                       const QString& titulo, int idx, int relPos) {
    Cancion({cabecera, ruta, autor, titulo, QStringLiteral("mp3"), 1000, idx, relPos});
}

void CatalogoUtilidadesPrueba::Letra(const QVariant& idx, const QString& texto) {
    auto rs = Base().OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
    rs->AddNew();
    rs->SetField(QStringLiteral("IDX_CANCION"), idx);
    rs->SetField(QStringLiteral("LYRICS"), texto);
    rs->Update();
}

int CatalogoUtilidadesPrueba::Contar(const QString& sentencia) {
    auto rs = Base().OpenRecordset(sentencia);
    return rs->Field(0).toInt();
}

void CatalogoUtilidadesPrueba::IgnorarCambiosDePosicion() {
    ASSERT_EQ(sqlite3_exec(Base().Conexion(),
                           "CREATE TRIGGER Ignorar BEFORE UPDATE OF REL_POS ON CANCIONES "
                           "BEGIN SELECT RAISE(IGNORE); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
}

QString CatalogoUtilidadesPrueba::Filas(const QString& sentencia) {
    auto rs = Base().OpenRecordset(sentencia);
    QStringList lineas;
    while (!rs->Eof()) {
        QStringList campos;
        for (int i = 0; i < rs->FieldCount(); ++i)
            campos << (rs->Field(i).isNull() ? QStringLiteral("~") : rs->Field(i).toString());
        lineas << campos.join(u'|');
        rs->MoveNext();
    }
    return lineas.join(u'\n');
}

QByteArray LeerFichero(const QString& ruta) {
    QFile fichero(ruta);
    return fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray();
}

void GuardarFichero(const QString& ruta, const QByteArray& bytes) {
    QFile fichero(ruta);
    ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
    fichero.write(bytes);
}
