#include "PruebaFiabilidad.h"

#include <QProcess>
#include <sqlite3.h>

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
