#pragma once
// State behind dao::Database and dao::Recordset, shared by their implementation files only.

#include "store/Dao.h"
#include "store/TraductorJet.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>

#include <sqlite3.h>

namespace dao::interno {

struct Conjunto;
struct LecturaTraducida;

// Raises the ErrorBD that describes the engine's last failure on the connection.
[[noreturn]] void ErrorDeMotor(sqlite3* db, int codigo);
// Prepares one statement; the whole text must be one statement.
sqlite3_stmt* Preparar(sqlite3* db, const QString& sql);
// Prepares a statement typed by the user under the read-only guard: the engine itself refuses, while
// it prepares the text, anything but reading tables and calling functions (no write, no ATTACH, no
// PRAGMA, no transaction), and a statement that could still write is refused after it.
sqlite3_stmt* PrepararSoloLectura(sqlite3* db, const QString& sql);
// The error of a user's statement that is not a SELECT.
ErrorBD SoloSeleccion();
// Runs a statement that returns no rows (for the layer's own statements).
void Ejecutar(sqlite3* db, const QString& sql);
// The value of a result column.
QVariant ValorColumna(sqlite3_stmt* s, int columna);
// Binds a value to a parameter.
void Enlazar(sqlite3_stmt* s, int parametro, const QVariant& valor);
// Binds the values of a translated statement to its parameters :<prefijo>1, :<prefijo>2... that s has.
void EnlazarParametros(sqlite3_stmt* s, const std::vector<QVariant>& valores, char prefijo);

// The open connection.
struct Base {
    sqlite3* db = nullptr;
    QString ruta;
    QString avisoApertura;
    // Counts the writes made through the connection; a set compares it with the count at which it
    // read a row to know whether that row may have changed.
    quint64 escrituras = 0;
    std::vector<Conjunto*> abiertos;
    std::function<bool()> vigilante;
    int nivelTransaccion = 0;
    // Shared with the write batches, which may outlive the connection.
    std::shared_ptr<Base*> testigo = std::make_shared<Base*>(this);
    int lotes = 0;
    bool loteAbierto = false;
    int filasLote = 0;
    QElapsedTimer relojLote;
    int grupos = 0; // GrupoLote alive: no batch ends while one is
    bool columnasLeidas = false;
    QHash<QString, TipoColumnaJet> columnas; // upper-case name

    // The statements of LecturaPreparada, by their Jet text and parameter names; let go with the
    // schema that their translation read.
    QHash<QString, std::shared_ptr<LecturaTraducida>> lecturas;

    // Prepared statements not in use, by their text; the oldest is let go past a few dozen.
    QList<QPair<QString, sqlite3_stmt*>> libres;

    // A prepared statement for sql, from those not in use when there is one.
    sqlite3_stmt* Tomar(const QString& sql);
    // Gives back a statement taken with Tomar.
    void Devolver(const QString& sql, sqlite3_stmt* s);
    void VaciarLibres();

    TipoColumnaJet TipoDeColumna(const QString& nombre);
    void OlvidarEsquema() {
        columnasLeidas = false;
        lecturas.clear();
    }
    TraductorJet Traductor();
    // After a write of filas rows: counts it and, inside a LoteEscritura, commits when the batch is full.
    void TrasEscribir(int filas);
    void AbrirLote();
    void CerrarLote();
    // Lets go of the statements that sets hold open, so that the schema can change or a rollback run.
    void SuspenderLecturas();
    // Lets go of the statements of sets that have not moved since they were opened (a set kept for
    // appending, a set tested for emptiness), so that no read stays open for the length of the run
    // and the journal can start again from its beginning. Called before writes and new sets.
    void SuspenderSondeos();
};

// A statement of LecturaPreparada, translated once: its SQLite text, the values written in it (bound
// once when it is prepared), the number SQLite gives each query parameter, and one prepared statement
// kept while no run uses it.
struct LecturaTraducida {
    QString sql;
    std::vector<QVariant> literales; // by place :p1, :p2...; invalid at a query parameter's place
    std::vector<int> lugares;        // :pN of each query parameter, in the order of the list
    sqlite3_stmt* libre = nullptr;
    ~LecturaTraducida() { sqlite3_finalize(libre); }
    // A prepared statement with the literal values bound: the kept one, or a new one.
    sqlite3_stmt* Tomar(sqlite3* db);
};

// An open set of rows.
struct Conjunto {
    enum class Estado { Fila, SinFila, Eliminada, Encontrada };
    enum class Modo { Ninguno, Anadiendo, Editando };

    Base* base = nullptr;
    SentenciaTraducida trad;
    bool soloLectura = false;
    sqlite3_stmt* consulta = nullptr;
    QString sqlConsulta;
    bool esTabla = false;   // rows of one table, known by their keys (column 0 of consulta)
    int desplazamiento = 0; // columns of consulta before the fields: the key and the highest key
    int campos = 0;
    QStringList nombres;
    QHash<QString, int> indices; // by name as the set has it and upper-case
    std::vector<QString> origen; // the table column that a field writes, empty when read-only
    std::vector<TipoCampo> tipos;

    // Rows reached so far: keys (0 once deleted) of a table set, values of any other set.
    std::vector<qint64> claves;
    std::vector<std::vector<QVariant>> filas;
    QSet<qint64> alcanzadas; // filled once writes may move rows under the running statement
    bool conAlcanzadas = false;
    qint64 claveMaxima = 0; // rows added after the set was opened are not part of it
    qsizetype borradas = 0;
    qsizetype inicioVivo = 0; // no live row before this index
    bool terminada = false;
    bool suspendida = false;
    bool enSondeo = false; // opened, first row read, not moved since
    qsizetype saltar = 0;
    quint64 escriturasInicio = 0;
    qsizetype filaConsulta = -1; // the reached row under consulta's cursor
    quint64 escriturasConsulta = 0;

    qsizetype pos = -1;
    Estado estado = Estado::Fila;
    qint64 claveEncontrada = 0;
    bool noMatch = false;

    qint64 claveCache = 0;
    quint64 escriturasCache = ~quint64(0);
    std::vector<QVariant> valoresCache;
    sqlite3_stmt* lectura = nullptr;
    QString sqlLectura;

    Modo modo = Modo::Ninguno;
    std::vector<QVariant> buffer;
    std::vector<bool> cambiado;
    qint64 claveEdicion = 0;

    void Abrir(Base& b, const SentenciaTraducida& t, bool lectura);
    void Cerrar();
    void Suspender();
    ~Conjunto() { Cerrar(); }

    Base& Viva() const;
    qsizetype Realizadas() const {
        return esTabla ? static_cast<qsizetype>(claves.size()) : static_cast<qsizetype>(filas.size());
    }
    bool Viva(qsizetype i) const { return !esTabla || claves[i] != 0; }
    bool Avanzar();
    bool Hasta(qsizetype i);
    bool Vacio();
    void AsegurarAlcanzadas();
    void ResolverEncontrada();
    qint64 ClaveActual() const;
    void ExigirFila() const;
    const std::vector<QVariant>& Buscar(qint64 clave);
    QVariant Campo(int i);
    int Indice(const QString& nombre) const;
    void ExigirActualizable() const;
    QVariant Convertir(int i, const QVariant& valor) const;
    void EjecutarEscritura(sqlite3_stmt* s);
    void BuscarDesde(qsizetype inicio, const QString& criterio, const std::vector<QVariant>& parametros);
};

} // namespace dao::interno

struct dao::Database::Datos : dao::interno::Base {};
struct dao::Recordset::Datos : dao::interno::Conjunto {};
