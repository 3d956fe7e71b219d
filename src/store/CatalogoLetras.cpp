#include "store/CatalogoLetras.h"

#include "store/Catalogo.h"
#include "store/DaoInterno.h"
#include "store/Transaccion.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <memory>

namespace catalogo {

namespace {

const QString Idx = QStringLiteral("IDX_CANCION");
const QString Origen = QStringLiteral("ORIGEN");

// A catalogue opened without the upgrade of BBDD::AbrirBaseDatos may lack the column.
bool TieneOrigen(const dao::Recordset& rs) {
    for (int i = 0; i < rs.FieldCount(); ++i)
        if (rs.FieldName(i).compare(Origen, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::unique_ptr<dao::Recordset> LetrasDe(dao::Database& base, int idx) {
    return base.OpenRecordset(QStringLiteral("SELECT * FROM LETRAS WHERE IDX_CANCION = %1").arg(idx),
                              dao::TipoRecordset::Dynaset);
}

bool HayCancionCon(dao::Database& base, int idx) {
    return !base.OpenRecordset(
                    QStringLiteral("SELECT TOP 1 IDX_CANCION FROM CANCIONES WHERE IDX_CANCION = %1").arg(idx))
                ->Eof();
}

// Runs cuerpo as one transaction: all of it, or on an error none of it.
template <typename Cuerpo> void EnTransaccion(dao::Database& base, Cuerpo&& cuerpo) {
    Transaccion transaccion(base);
    cuerpo();
    transaccion.Confirmar();
}

QString SentenciaHomonimos(const QString& lista) {
    return QStringLiteral("SELECT %1 FROM CANCIONES AS L WHERE %2")
        .arg(lista, CondicionHomonimo(QStringLiteral("L"), QStringLiteral("[pTitulo]")));
}

dao::Parametros ParametrosTitulo(const QString& titulo) {
    return {{QStringLiteral("pTitulo"), titulo}};
}

} // namespace

QString ConSaltoGuardado(const QString& texto) {
    QString guardado;
    guardado.reserve(texto.size() + texto.size() / 16);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')
                ++i;
            guardado += SaltoLinea;
        } else {
            guardado += c;
        }
    }
    return guardado;
}

LetraLeida CargarLetra(dao::Database& base, int idx) {
    LetraLeida letra;
    auto rs = base.OpenRecordset(QStringLiteral("SELECT * FROM LETRAS WHERE IDX_CANCION = %1").arg(idx));
    if (!rs->Eof()) {
        letra.existe = true;
        letra.texto = rs->Field(QStringLiteral("LYRICS")).toString();
        if (TieneOrigen(*rs))
            letra.origen = rs->Field(Origen).toString();
    }
    return letra;
}

CancionDeLetra CancionConLetra(dao::Database& base, int idx, IdCancion fila) {
    const QString sentencia =
        QStringLiteral(
            "SELECT TOP 1 rowid AS FILA, CABECERA, RUTA, AUTOR, TITULO FROM CANCIONES WHERE IDX_CANCION = %1")
            .arg(idx);
    auto rs = base.OpenRecordset(sentencia + QStringLiteral(" AND rowid = %1").arg(fila));
    if (rs->Eof())
        rs = base.OpenRecordset(sentencia + QStringLiteral(" ORDER BY rowid"));
    CancionDeLetra cancion;
    if (rs->Eof())
        return cancion;
    cancion.hallada = true;
    cancion.fila = rs->Field(0).toLongLong();
    cancion.cabecera = rs->Field(1).toString();
    cancion.ruta = rs->Field(2).toString();
    cancion.autor = rs->Field(3).toString();
    cancion.titulo = rs->Field(4).toString();
    return cancion;
}

void CrearLetra(dao::Database& base, int idx) {
    auto rs = LetrasDe(base, idx);
    if (!rs->Eof())
        return;
    rs->AddNew();
    rs->SetField(Idx, idx);
    rs->Update();
}

Guardado GuardarLetra(dao::Database& base, int idx, const QString& texto) {
    Guardado resultado = Guardado::Guardada;
    EnTransaccion(base, [&] {
        if (!HayCancionCon(base, idx)) {
            resultado = Guardado::SinCancion;
            return;
        }
        auto rs = LetrasDe(base, idx);
        if (rs->Eof()) {
            rs->AddNew();
            rs->SetField(Idx, idx);
            rs->SetField(QStringLiteral("LYRICS"), texto);
            rs->Update();
            return;
        }
        // Saved by the user, the text is the user's, wherever it was first read from.
        const bool origen = TieneOrigen(*rs);
        for (; !rs->Eof(); rs->MoveNext()) {
            rs->Edit();
            rs->SetField(QStringLiteral("LYRICS"), texto);
            if (origen)
                rs->SetField(Origen, QVariant());
            rs->Update();
        }
    });
    return resultado;
}

void BorrarLetra(dao::Database& base, int idx) {
    EnTransaccion(base, [&] {
        base.Execute(QStringLiteral("DELETE FROM LETRAS WHERE IDX_CANCION = %1").arg(idx));
        base.Execute(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = 0 WHERE IDX_CANCION = %1").arg(idx));
    });
}

std::optional<int> NumeroLetraDe(dao::Database& base, IdCancion fila) {
    auto rs =
        base.OpenRecordset(QStringLiteral("SELECT IDX_CANCION FROM CANCIONES WHERE rowid = %1").arg(fila));
    if (rs->Eof())
        return std::nullopt;
    return rs->Field(0).toInt();
}

LetraAsignada AsignarLetra(dao::Database& base, IdCancion fila) {
    LetraAsignada asignada;
    EnTransaccion(base, [&] {
        auto rs = base.OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES WHERE rowid = %1").arg(fila),
                                     dao::TipoRecordset::Dynaset);
        if (rs->Eof())
            return;
        asignada.hallada = true;
        asignada.idx = rs->Field(Idx).toInt();
        if (asignada.idx != 0)
            return;
        asignada.idx = NumeroLetraNueva(base);
        asignada.nueva = true;
        rs->Edit();
        rs->SetField(Idx, asignada.idx);
        rs->Update();
    });
    return asignada;
}

std::vector<Homonimo> HomonimosConLetra(dao::Database& base, const QString& titulo) {
    std::vector<Homonimo> homonimos;
    auto rs = base.OpenRecordset(
        SentenciaHomonimos(QStringLiteral("L.CABECERA, L.RUTA, L.AUTOR, L.LONGITUD, L.IDX_CANCION")) +
            QStringLiteral(" ORDER BY L.CABECERA, L.RUTA, L.AUTOR"),
        ParametrosTitulo(titulo));
    for (; !rs->Eof(); rs->MoveNext())
        homonimos.push_back({rs->Field(0).toString(), rs->Field(1).toString(), rs->Field(2).toString(),
                             rs->Field(3), rs->Field(4).toInt()});
    return homonimos;
}

bool HayHomonimoConLetra(dao::Database& base, const QString& titulo) {
    return !base.OpenRecordset(SentenciaHomonimos(QStringLiteral("TOP 1 L.TITULO")), ParametrosTitulo(titulo))
                ->Eof();
}

// The titles go to the engine as one JSON array, each probed through json_each() in SQLite's own
// dialect, which the Jet one lacks; the engine answers with the places of the titles that have one.
std::vector<bool> HayHomonimosConLetra(dao::Database& base, const QStringList& titulos) {
    std::vector<bool> hay(titulos.size(), false);
    if (titulos.isEmpty())
        return hay;
    sqlite3* db = base.Conexion();
    if (!db)
        throw dao::ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
    QJsonArray lista;
    for (const QString& titulo : titulos)
        lista.append(titulo.isNull() ? QJsonValue() : QJsonValue(titulo));
    const QString sql =
        QStringLiteral(
            "SELECT T.key FROM json_each(?1) AS T WHERE EXISTS (SELECT 1 FROM CANCIONES AS L WHERE %1)")
            .arg(CondicionHomonimo(QStringLiteral("L"), QStringLiteral("T.value")));
    sqlite3_stmt* sentencia = dao::interno::Preparar(db, sql);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> liberar(sentencia, sqlite3_finalize);
    dao::interno::Enlazar(sentencia, 1,
                          QString::fromUtf8(QJsonDocument(lista).toJson(QJsonDocument::Compact)));
    int rc;
    while ((rc = sqlite3_step(sentencia)) == SQLITE_ROW)
        hay[sqlite3_column_int64(sentencia, 0)] = true;
    if (rc != SQLITE_DONE)
        dao::interno::ErrorDeMotor(db, rc);
    return hay;
}

std::optional<QString> MarcaLetra(dao::Database& base, IdCancion fila, bool inteligente) {
    auto rs = base.OpenRecordset(
        QStringLiteral("SELECT IDX_CANCION, TITULO FROM CANCIONES WHERE rowid = %1").arg(fila));
    if (rs->Eof())
        return std::nullopt;
    if (rs->Field(0).toInt() != 0)
        return MarcaConLetra;
    const QVariant titulo = rs->Field(1);
    if (inteligente && titulo.isValid() && HayHomonimoConLetra(base, titulo.toString()))
        return MarcaPosibleLetra;
    return MarcaSinLetra;
}

} // namespace catalogo
