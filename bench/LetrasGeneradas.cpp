#include "LetrasGeneradas.h"

#include "Desnudo.h"
#include "Generador.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>
#include <stdexcept>

namespace bench {

QByteArray Letra(const LetrasGeneradas& letras, int numero) {
    QRandomGenerator azar(static_cast<quint32>(numero) * letras.semilla);
    QByteArray texto;
    const QByteArray salto = numero % 3 == 0 ? "\n" : "\r\n";
    for (int palabra = 0; palabra < 200; ++palabra) {
        texto += letras.palabras[azar.bounded(int(letras.palabras.size()))];
        texto += (palabra + 1) % 8 == 0 ? salto : QByteArray(" ");
        if (numero % letras.cadaCuantas == 0 && palabra == letras.posicion)
            texto += QByteArray(letras.frase) + ' ';
    }
    return texto;
}

namespace {

void PonerLetras(sqlite3* conexion, const LetrasGeneradas& letras) {
    Ejecutar(conexion, "BEGIN");
    Ejecutar(conexion, letras.asignacion);
    sqlite3_stmt* insertar = nullptr;
    sqlite3_prepare_v2(conexion, "INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (?, ?)", -1, &insertar,
                       nullptr);
    for (int numero = 1; numero <= letras.letras; ++numero) {
        const QByteArray texto = Letra(letras, numero);
        sqlite3_bind_int(insertar, 1, numero);
        sqlite3_bind_text(insertar, 2, texto.constData(), int(texto.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(insertar) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(conexion));
        sqlite3_reset(insertar);
    }
    sqlite3_finalize(insertar);
    Ejecutar(conexion, "COMMIT");
    Ejecutar(conexion, "PRAGMA wal_checkpoint(TRUNCATE)");
}

} // namespace

QString PrepararLetras(const Contexto& contexto, const LetrasGeneradas& letras) {
    const QString origen = Preparar(contexto, Tamano::Cien_k);
    const QString copia = QDir(contexto.directorioDatos).filePath(letras.fichero);
    if (QFileInfo::exists(copia) && QFileInfo(copia).lastModified() >= QFileInfo(origen).lastModified())
        return copia;
    for (const char* final : {"", "-wal", "-shm"})
        QFile::remove(copia + QLatin1String(final));
    if (!QFile::copy(origen, copia))
        throw std::runtime_error("no se pudo copiar el catálogo de las letras");
    ConexionDesnuda conexion(copia);
    PonerLetras(conexion, letras);
    return copia;
}

} // namespace bench
