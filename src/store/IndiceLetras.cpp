#include "store/IndiceLetras.h"

#include "store/BuscaTexto.h"
#include "store/DaoInterno.h"

#include <unicode/uversion.h>

namespace catalogo {

namespace {

// Raised whenever the folding of plegar_sin_acentos or the form of the index changes, so that old
// indexes are built again (1: trigrams with their positions; 2: without them).
constexpr int VersionIndice = 2;
const QString Prefijo = QStringLiteral("LETRAS_TRIGRAMAS_");

QStringList Nombres(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = dao::interno::Preparar(db, QString::fromUtf8(sql));
    QStringList nombres;
    while (sqlite3_step(s) == SQLITE_ROW)
        nombres << dao::interno::ValorColumna(s, 0).toString();
    sqlite3_finalize(s);
    return nombres;
}

// The index tables and their triggers in the catalogue, current or not.
QStringList TablasIndice(sqlite3* db) {
    return Nombres(db, "SELECT name FROM sqlite_schema WHERE type = 'table' AND sql LIKE 'CREATE VIRTUAL "
                       "TABLE%' AND name LIKE 'LETRAS!_TRIGRAMAS!_%' ESCAPE '!'");
}
QStringList DisparadoresIndice(sqlite3* db) {
    return Nombres(db, "SELECT name FROM sqlite_schema WHERE type = 'trigger' AND name LIKE "
                       "'LETRAS!_TRIGRAMAS!_%' ESCAPE '!'");
}

QString Comillas(const QString& nombre) {
    return QLatin1Char('"') + nombre + QLatin1Char('"');
}

// The three triggers that keep the index: a lyric added, deleted, or changed (its text or its row
// identity). A Null lyric is not indexed. The index holds no text of its own (contentless), so taking
// a lyric out repeats the folded text it was put in with.
QStringList SentenciasDisparadores(const QString& indice) {
    const QString t = Comillas(indice);
    const QString poner =
        QStringLiteral("INSERT INTO %1 (rowid, TEXTO) SELECT new.rowid, plegar_sin_acentos(new.LYRICS) WHERE "
                       "new.LYRICS IS NOT NULL;")
            .arg(t);
    const QString quitar = QStringLiteral("INSERT INTO %1 (%1, rowid, TEXTO) SELECT 'delete', old.rowid, "
                                          "plegar_sin_acentos(old.LYRICS) WHERE old.LYRICS IS NOT NULL;")
                               .arg(t);
    return {
        QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON LETRAS BEGIN %2 END")
            .arg(Comillas(indice + QStringLiteral("_ALTA")), poner),
        QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON LETRAS BEGIN %2 END")
            .arg(Comillas(indice + QStringLiteral("_BAJA")), quitar),
        QStringLiteral(
            "CREATE TRIGGER %1 AFTER UPDATE ON LETRAS WHEN old.LYRICS IS NOT new.LYRICS OR old.rowid "
            "<> new.rowid BEGIN %2 %3 END")
            .arg(Comillas(indice + QStringLiteral("_CAMBIO")), quitar, poner),
    };
}

} // namespace

QString NombreIndiceLetras() {
    return Prefijo + QStringLiteral("V%1_ICU%2").arg(VersionIndice).arg(U_ICU_VERSION_MAJOR_NUM);
}

bool HayIndiceLetras(dao::Database& base) {
    sqlite3* db = base.Conexion();
    const QString indice = NombreIndiceLetras();
    return TablasIndice(db).contains(indice) && DisparadoresIndice(db).size() == 3 &&
           DisparadoresIndice(db).filter(indice).size() == 3;
}

void AsegurarIndiceLetras(dao::Database& base) {
    if (HayIndiceLetras(base))
        return;
    sqlite3* db = base.Conexion();
    const QString indice = NombreIndiceLetras();
    base.BeginTrans();
    try {
        for (const QString& disparador : DisparadoresIndice(db))
            dao::interno::Ejecutar(db, QStringLiteral("DROP TRIGGER ") + Comillas(disparador));
        for (const QString& tabla : TablasIndice(db))
            dao::interno::Ejecutar(db, QStringLiteral("DROP TABLE ") + Comillas(tabla));
        // Trigrams of the text as folded, letter case already settled; no text kept, no sizes, and
        // only which lyrics hold each trigram, not where: the candidates are tested anyway, and an
        // index without positions costs half as much to keep.
        dao::interno::Ejecutar(db, QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(TEXTO, content='', "
                                                  "columnsize=0, detail=none, tokenize='trigram "
                                                  "case_sensitive 1')")
                                       .arg(Comillas(indice)));
        dao::interno::Ejecutar(
            db, QStringLiteral("INSERT INTO %1 (rowid, TEXTO) SELECT rowid, "
                               "plegar_sin_acentos(LYRICS) FROM LETRAS WHERE LYRICS IS NOT NULL")
                    .arg(Comillas(indice)));
        for (const QString& sentencia : SentenciasDisparadores(indice))
            dao::interno::Ejecutar(db, sentencia);
    } catch (...) {
        base.Rollback();
        throw;
    }
    base.CommitTrans();
}

QByteArray ConsultaIndiceLetras(const QString& texto) {
    const std::string plegado = PlegadoSinAcentos(texto);
    const QList<uint> forma =
        QString::fromUtf8(plegado.data(), static_cast<qsizetype>(plegado.size())).toUcs4();
    // The trigrams that tile the text, the last one ending where it ends, each once, all required: an
    // FTS5 string per trigram, a double quote written twice. The overlapping ones between them would
    // add little narrowing and a list of lyrics each to read.
    std::vector<qsizetype> inicios;
    for (qsizetype i = 0; i + 3 <= forma.size(); i += 3)
        inicios.push_back(i);
    if (forma.size() > 3 && forma.size() % 3 != 0)
        inicios.push_back(forma.size() - 3);
    QStringList trigramas;
    for (qsizetype i : inicios) {
        QString trigrama = QString::fromUcs4(reinterpret_cast<const char32_t*>(forma.constData()) + i, 3);
        trigrama.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        trigrama = QLatin1Char('"') + trigrama + QLatin1Char('"');
        if (!trigramas.contains(trigrama))
            trigramas << trigrama;
    }
    return trigramas.join(QStringLiteral(" AND ")).toUtf8();
}

} // namespace catalogo
