#include "PruebaFiabilidad.h"

#include "maintenance/AnadidoCanciones.h"
#include "store/BBDD.h"

#include <QFile>
#include <QProcess>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Ejecucion Util(const QStringList& argumentos, const std::function<void()>& antesDeArrancar) {
    QProcess proceso;
    if (antesDeArrancar)
        proceso.setChildProcessModifier(antesDeArrancar);
    proceso.start(QStringLiteral(CANTORIO_UTIL), argumentos);
    Ejecucion ejecucion;
    ejecucion.terminada = proceso.waitForFinished(60000);
    if (!ejecucion.terminada) {
        proceso.kill();
        proceso.waitForFinished();
    }
    if (proceso.exitStatus() == QProcess::NormalExit)
        ejecucion.estado = proceso.exitCode();
    ejecucion.salida = QString::fromUtf8(proceso.readAllStandardOutput());
    ejecucion.errores = QString::fromUtf8(proceso.readAllStandardError());
    return ejecucion;
}

QStringList FilasEscritas(sqlite3* db) {
    QStringList filas;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT CABECERA||'|'||RUTA||'|'||AUTOR||'|'||TITULO||'|'||EXTENSION||'|'||"
                           "LONGITUD||'|'||IDX_CANCION||'|'||REL_POS FROM CANCIONES ORDER BY rowid",
                           -1, &s, nullptr) != SQLITE_OK)
        return {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db))};
    while (sqlite3_step(s) == SQLITE_ROW)
        filas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)),
                                   sqlite3_column_bytes(s, 0));
    sqlite3_finalize(s);
    return filas;
}

int ContarCanciones(sqlite3* db) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM CANCIONES", -1, &s, nullptr) != SQLITE_OK)
        return -1;
    const int n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : -1;
    sqlite3_finalize(s);
    return n;
}

void GenerarArbol(const QString& raiz, int directorios, int porDirectorio) {
    const QByteArray base = QFile::encodeName(raiz);
    mkdir(base.constData(), 0755);
    for (int d = 0; d < directorios; ++d) {
        const QByteArray carpeta = base + "/d" + QByteArray::number(d);
        mkdir(carpeta.constData(), 0755);
        for (int f = 0; f < porDirectorio; ++f) {
            const QByteArray nombre = carpeta + "/Autor " + QByteArray::number(f) + " -- Tema " +
                                      QByteArray::number(d * porDirectorio + f) + ".mp3";
            close(open(nombre.constData(), O_CREAT | O_WRONLY, 0644));
        }
    }
}

void CrearCatalogoAnterior(const QString& ruta, int canciones) {
    BBDD::RutaBaseDatos = ruta;
    BBDD::CrearBaseDatos();
    BBDD::AbrirBaseDatos();
    {
        dao::LoteEscritura lote(*BBDD::BaseDatos);
        EscrituraCanciones escritura(*BBDD::BaseDatos);
        for (int i = 0; i < canciones; ++i)
            escritura.AnadirCancion(u"Anterior", QStringLiteral("\\Antes\\%1\\").arg(i / 100),
                                    QStringLiteral("Autor %1").arg(i), u"Tema", u"mp3", i, i % 100 + 1);
    }
}
