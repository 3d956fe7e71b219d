#include "store/CatalogoMantenimiento.h"

#include "store/DaoInterno.h"
#include "store/Globales.h"
#include "store/Transaccion.h"

#include <functional>

// The statements are written in SQLite's own dialect on the layer's connection: a renumbering needs a
// window function and UPDATE ... FROM, which the Jet dialect does not have, and every value is a bound
// parameter. The layer's transaction surrounds them, so that the layer knows a transaction is open.

namespace catalogo {

namespace {

// One prepared statement with its parameters bound.
class Sentencia {
public:
    Sentencia(dao::Database& base, const QString& sql) : db_(base.Conexion()) {
        if (!db_)
            throw dao::ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
        s_ = dao::interno::Preparar(db_, sql);
    }
    ~Sentencia() { sqlite3_finalize(s_); }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    Sentencia& Enlazar(int parametro, const QVariant& valor) {
        dao::interno::Enlazar(s_, parametro, valor);
        return *this;
    }
    // Steps to the next row; false once the statement is done.
    bool Fila() {
        const int rc = sqlite3_step(s_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            dao::interno::ErrorDeMotor(db_, rc);
        return false;
    }
    // Runs the statement to its end; returns the rows it changed.
    int Ejecutar() {
        while (Fila()) {
        }
        return sqlite3_changes(db_);
    }
    QVariant Columna(int columna) const { return dao::interno::ValorColumna(s_, columna); }
    qint64 Entero(int columna) const { return sqlite3_column_int64(s_, columna); }

private:
    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
};

using Enlace = std::function<void(Sentencia&)>;

// The numbers as a JSON array, read by the statements through json_each().
QString ListaJson(const std::vector<qint64>& numeros) {
    QString texto = QStringLiteral("[");
    for (std::size_t i = 0; i < numeros.size(); ++i) {
        if (i > 0)
            texto += u',';
        texto += QString::number(numeros[i]);
    }
    return texto + u']';
}

// Deletes the songs that meet condicion (over CANCIONES, its parameters bound by enlazar) and then the
// lyrics they named that no remaining song names. Returns the songs deleted.
int EliminarDonde(dao::Database& base, const QString& condicion, const Enlace& enlazar) {
    Transaccion transaccion(base);
    Sentencia canciones(base, QStringLiteral("DELETE FROM CANCIONES WHERE ") + condicion +
                                  QStringLiteral(" RETURNING IDX_CANCION"));
    enlazar(canciones);
    int eliminadas = 0;
    std::vector<qint64> letras;
    for (; canciones.Fila(); ++eliminadas)
        if (const qint64 letra = canciones.Entero(0); letra > 0)
            letras.push_back(letra);
    if (!letras.empty())
        Sentencia(base,
                  QStringLiteral("DELETE FROM LETRAS WHERE IDX_CANCION IN (SELECT value FROM json_each(?1)) "
                                 "AND NOT EXISTS (SELECT 1 FROM CANCIONES WHERE CANCIONES.IDX_CANCION = "
                                 "LETRAS.IDX_CANCION)"))
            .Enlazar(1, ListaJson(letras))
            .Ejecutar();
    transaccion.Confirmar();
    return eliminadas;
}

// The route's songs, its header and path bound as parameters 1 and 2: equality under the catalogue's
// collation, as catalogo::CondicionRuta says it in the Jet dialect.
const QString CondicionRutaNativa = QStringLiteral("CABECERA = ?1 AND RUTA = ?2");

Enlace EnlaceRuta(const Ruta& ruta) {
    return [=](Sentencia& s) { s.Enlazar(1, ruta.cabecera).Enlazar(2, ruta.ruta); };
}

} // namespace

int EliminarCanciones(dao::Database& base, const std::vector<IdCancion>& canciones) {
    if (canciones.empty())
        return 0;
    const QString lista = ListaJson(canciones);
    return EliminarDonde(base, QStringLiteral("rowid IN (SELECT value FROM json_each(?1))"),
                         [&](Sentencia& s) { s.Enlazar(1, lista); });
}

int EliminarCabecera(dao::Database& base, const QString& cabecera) {
    return EliminarDonde(base, QStringLiteral("CABECERA = ?1"),
                         [&](Sentencia& s) { s.Enlazar(1, cabecera); });
}

int EliminarRuta(dao::Database& base, const Ruta& ruta) {
    return EliminarDonde(base, CondicionRutaNativa, EnlaceRuta(ruta));
}

void EliminarTodo(dao::Database& base) {
    Transaccion transaccion(base);
    Sentencia(base, QStringLiteral("DELETE FROM LETRAS")).Ejecutar();
    Sentencia(base, QStringLiteral("DELETE FROM CANCIONES")).Ejecutar();
    transaccion.Confirmar();
}

QString TextoGuardado(const QString& campo) {
    const QString texto = Globales::QuitarBlancos(campo);
    return texto.isEmpty() ? QStringLiteral(" ") : texto;
}

bool GuardarCancion(dao::Database& base, IdCancion id, const ValoresCancion& valores) {
    Transaccion transaccion(base);
    const int escritas =
        Sentencia(base, QStringLiteral("UPDATE CANCIONES SET CABECERA = ?1, RUTA = ?2, AUTOR = ?3, "
                                       "TITULO = ?4, EXTENSION = ?5, LONGITUD = ?6 WHERE rowid = ?7"))
            .Enlazar(1, valores.cabecera)
            .Enlazar(2, valores.ruta)
            .Enlazar(3, valores.autor)
            .Enlazar(4, valores.titulo)
            .Enlazar(5, valores.extension)
            .Enlazar(6, valores.longitud)
            .Enlazar(7, id)
            .Ejecutar();
    transaccion.Confirmar();
    return escritas > 0;
}

int GuardarLote(dao::Database& base, const Ruta& ruta, const CamposLote& campos) {
    QStringList asignaciones;
    std::vector<QVariant> valores;
    auto anadir = [&](const char* columna, const auto& valor) {
        if (!valor)
            return;
        valores.emplace_back(*valor);
        asignaciones << QStringLiteral("%1 = ?%2").arg(QLatin1String(columna)).arg(valores.size() + 2);
    };
    anadir("CABECERA", campos.cabecera);
    anadir("RUTA", campos.ruta);
    anadir("AUTOR", campos.autor);
    anadir("TITULO", campos.titulo);
    anadir("EXTENSION", campos.extension);
    anadir("LONGITUD", campos.longitud);
    if (asignaciones.isEmpty())
        return 0;

    Transaccion transaccion(base);
    Sentencia lote(base, QStringLiteral("UPDATE CANCIONES SET ") + asignaciones.join(QStringLiteral(", ")) +
                             QStringLiteral(" WHERE ") + CondicionRutaNativa);
    EnlaceRuta(ruta)(lote);
    for (std::size_t i = 0; i < valores.size(); ++i)
        lote.Enlazar(int(i) + 3, valores[i]);
    const int escritas = lote.Ejecutar();
    transaccion.Confirmar();
    return escritas;
}

int ReordenarRuta(dao::Database& base, const Ruta& ruta, CampoOrden campo, Sentido sentido) {
    QStringList claves;
    switch (campo) {
    case CampoOrden::Autor:
        claves = {"AUTOR", "TITULO", "EXTENSION", "LONGITUD"};
        break;
    case CampoOrden::Titulo:
        claves = {"TITULO", "AUTOR", "EXTENSION", "LONGITUD"};
        break;
    case CampoOrden::Extension:
        claves = {"EXTENSION", "AUTOR", "TITULO", "LONGITUD"};
        break;
    case CampoOrden::Tamano:
        claves = {"LONGITUD", "AUTOR", "TITULO", "EXTENSION"};
        break;
    }
    // Songs equal in every key keep the order in which they were catalogued; every key, that last one
    // included, takes the direction, so that descending is exactly the reverse of ascending.
    claves << QStringLiteral("rowid");
    const QString direccion =
        sentido == Sentido::Ascendente ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    for (QString& clave : claves)
        clave += direccion;

    Transaccion transaccion(base);
    Sentencia numeracion(
        base, QStringLiteral("UPDATE CANCIONES SET REL_POS = orden.posicion FROM (SELECT rowid AS id, "
                             "row_number() OVER (ORDER BY %1) AS posicion FROM CANCIONES WHERE %2) "
                             "AS orden WHERE CANCIONES.rowid = orden.id")
                  .arg(claves.join(QStringLiteral(", ")), CondicionRutaNativa));
    EnlaceRuta(ruta)(numeracion);
    const int renumeradas = numeracion.Ejecutar();
    transaccion.Confirmar();
    return renumeradas;
}

} // namespace catalogo
