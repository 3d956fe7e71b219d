#include "CatalogoTemporal.h"

#include "store/BBDD.h"
#include "store/SalidaTabulada.h"

#include <QDir>

namespace {

struct Cancion {
    const char *cabecera, *ruta, *autor, *titulo, *extension;
    int longitud, idx, relPos;
};

const Cancion Canciones[] = {
    {"Disco", "\\Rock\\", "Queen", "Bohemian Rhapsody", "mp3", 1000, 1, 1},
    {"disco", "\\Rock\\", "queen", "Love of my life", "mp3", 2000, 0, 2},
    {"Disco", "\\Pop\\", "Abba", "Waterloo", "mp3", 3000, 3, 1},
    {"Éxitos", "\\", "Édith", "Non, je ne regrette rien", "ogg", 4000, 2, 1},
    {"Exitos", "\\", "Abba", "waterloo", "mp3", 5, 0, 3},
    {"Zeta", "\\A*B\\", "A%B_C", "Tema 7", "wav", 0, 0, 1},
};

} // namespace

void CatalogoTemporal::SetUp() {
    ASSERT_TRUE(carpeta.isValid());
    BBDD::RutaBaseDatos = Ruta();
    BBDD::CrearBaseDatos();
    base = dao::Database::OpenDatabase(Ruta());
    auto canciones = base->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES"));
    for (const Cancion& c : Canciones) {
        canciones->AddNew();
        canciones->SetField(QStringLiteral("CABECERA"), QString::fromUtf8(c.cabecera));
        canciones->SetField(QStringLiteral("RUTA"), QString::fromUtf8(c.ruta));
        canciones->SetField(QStringLiteral("AUTOR"), QString::fromUtf8(c.autor));
        canciones->SetField(QStringLiteral("TITULO"), QString::fromUtf8(c.titulo));
        canciones->SetField(QStringLiteral("EXTENSION"), QString::fromUtf8(c.extension));
        canciones->SetField(QStringLiteral("LONGITUD"), c.longitud);
        canciones->SetField(QStringLiteral("IDX_CANCION"), c.idx);
        canciones->SetField(QStringLiteral("REL_POS"), c.relPos);
        canciones->Update();
    }
    auto letras = base->OpenRecordset(QStringLiteral("SELECT * FROM LETRAS"));
    for (auto [idx, letra] :
         {std::pair{1, "Is this the real life"}, {2, "Non, rien de rien"}, {3, "My, my"}}) {
        letras->AddNew();
        letras->SetField(QStringLiteral("IDX_CANCION"), idx);
        letras->SetField(QStringLiteral("LYRICS"), QString::fromUtf8(letra));
        letras->Update();
    }
}

void CatalogoTemporal::TearDown() {
    base.reset();
}

QString CatalogoTemporal::Ruta() const {
    return QDir(carpeta.path()).filePath(QStringLiteral("Cantorio.mdb"));
}

QString CatalogoTemporal::Salida(const QString& sentencia) {
    QString texto;
    QTextStream salida(&texto);
    dao::EjecutarSentencia(*base, sentencia, salida);
    salida.flush();
    return texto;
}

int CatalogoTemporal::Contar(const QString& sentencia) {
    auto rs = base->OpenRecordset(sentencia);
    int n = 0;
    while (!rs->Eof()) {
        ++n;
        rs->MoveNext();
    }
    return n;
}
