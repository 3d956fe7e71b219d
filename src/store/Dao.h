#pragma once
// DAO-style object model over SQLite: the program talks to its catalogue in the Jet SQL dialect through
// a database and its recordsets, as it would to the Jet engine. Values are QVariant: an invalid
// QVariant() is Null, texts are QString, integers qint32 (int), other numbers double.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

struct sqlite3;

namespace dao {

namespace interno {
struct Base;
}

// Every failure of the layer. The number follows the Jet engine's where one exists
// (3021 no current record, 3020 update without edit, 3315 zero-length text, 3163 data too long,
// 3077 bad criterion, 6 overflow); the description is Spanish and says what went wrong.
class ErrorBD : public std::runtime_error {
public:
    ErrorBD(int numero, const QString& descripcion);
    int Numero() const { return numero_; }
    QString Descripcion() const { return descripcion_; }

private:
    int numero_;
    QString descripcion_;
};

enum class TipoCampo { Entero = 4, Texto = 10, Memo = 12 };

// A Texto field holds at most this many characters (code points).
constexpr qsizetype LargoMaximoTexto = 4096;

// Whether a Texto field can hold the text as it is: not over LargoMaximoTexto characters, without the
// character U+FFFF, which the fields refuse, and without NUL, at which the engine ends a text. An empty
// text passes: the field refuses it, but the writers store a blank in its place.
bool TextoAdmitido(QStringView texto);

// The values of a statement's query parameters, by name: a name in the statement that is no field
// (written "[pCabecera]" or bare) stands for its value, bound as a value and never read as SQL, so a
// text taken from the catalogue is compared as itself: "CABECERA = [pCabecera]" matches the header
// "Rock'n Roll [*]" exactly. Names ignore letter case; a parameter may not bear the name of a field
// (error 3061), hence the "p" in front by custom.
//     base.OpenRecordset("SELECT * FROM CANCIONES WHERE RUTA = [pRuta]", {{"pRuta", ruta}});
using Parametros = std::vector<std::pair<QString, QVariant>>;

// Predeterminado: the engine's default set; Dynaset (2): an updatable set, asked for by name.
// Sets over one table are updatable in either case.
enum class TipoRecordset { Predeterminado = 0, Dynaset = 2 };

struct DefinicionCampo {
    QString nombre;
    TipoCampo tipo;
};

// A table definition being built before it is appended to the database.
class TableDef {
public:
    explicit TableDef(QString nombre) : nombre_(std::move(nombre)) {}
    DefinicionCampo CreateField(const QString& nombre, TipoCampo tipo) const { return {nombre, tipo}; }
    void AppendField(const DefinicionCampo& campo) { campos_.push_back(campo); }
    const QString& Nombre() const { return nombre_; }
    const std::vector<DefinicionCampo>& Campos() const { return campos_; }

private:
    QString nombre_;
    std::vector<DefinicionCampo> campos_;
};

class Database;

// The rows of a SELECT, fetched as the program moves through them.
// An empty set has Bof() and Eof() both true. Moving past Eof, or reading or writing with no current
// row, raises 3021. After AddNew...Update the row that was current before stays current; after Delete
// the deleted row is current but unusable until a move. FindFirst with no match sets NoMatch and leaves
// no valid current row. RecordCount counts the rows reached so far and is exact after MoveLast.
// AbsolutePosition is 0 for the first row and -1 when there is no current row.
class Recordset {
public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool Eof() const;
    bool Bof() const;
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    void Move(int filas);
    int RecordCount() const;
    int AbsolutePosition() const;

    int FieldCount() const;
    QString FieldName(int indice) const;
    QVariant Field(const QString& nombre) const;
    QVariant Field(int indice) const;
    // Writes a field of the row being edited or added (after Edit or AddNew).
    void SetField(const QString& nombre, const QVariant& valor);

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();

    // Criterion in the Jet dialect over the set's columns, e.g. "TITULO LIKE 'Yesterday'".
    void FindFirst(const QString& criterio);
    void FindNext(const QString& criterio);
    bool NoMatch() const;

    void Close();

private:
    friend class Database;
    struct Datos;
    explicit Recordset(std::unique_ptr<Datos> datos);
    std::unique_ptr<Datos> d;
};

class Database {
public:
    // Creates a new catalogue file (marked as ours) and returns it open. The locale text is accepted for
    // the engine's sake and has no effect. Fails when the file exists or cannot be written.
    static std::unique_ptr<Database> CreateDatabase(const QString& ruta, const QString& locale);
    // Escritura: the program's connection, for reading and writing. SoloLectura: a connection that
    // only reads and writes nothing at all, not even beside the file, so that a catalogue the user may
    // not write (on read-only media, another user's file) can still be read.
    enum class Apertura { Escritura, SoloLectura };
    // Opens an existing catalogue. A missing or empty file, a file that is not ours, damaged or locked,
    // and for writing a read-only one, fails with a clear Spanish description and is left exactly as
    // it was.
    static std::unique_ptr<Database> OpenDatabase(const QString& ruta,
                                                  Apertura apertura = Apertura::Escritura);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    std::unique_ptr<Recordset> OpenRecordset(const QString& sql,
                                             TipoRecordset tipo = TipoRecordset::Predeterminado);
    // The same with query parameters (see Parametros).
    std::unique_ptr<Recordset> OpenRecordset(const QString& sql, const Parametros& parametros,
                                             TipoRecordset tipo = TipoRecordset::Predeterminado);
    // A statement typed by the user: exactly one read-only SELECT, enforced by the engine itself.
    // Anything else raises an ErrorBD and changes nothing.
    std::unique_ptr<Recordset> OpenRecordsetSoloLectura(const QString& sql);
    // Runs a DELETE, UPDATE or INSERT in the Jet dialect; returns the number of rows changed.
    int Execute(const QString& sql, const Parametros& parametros = {});

    TableDef CreateTableDef(const QString& nombre) const { return TableDef(nombre); }
    void AppendTableDef(const TableDef& tabla);
    void DeleteTableDef(const QString& nombre);
    QStringList TableNames() const;
    // Creates the index nombre over the fields of tabla when it does not exist yet; with a condition
    // (SQL over the table's fields, the same in both dialects, e.g. "IDX_CANCION <> 0"), over the rows
    // that meet it only. Indexes only make statements faster; they never change a result.
    void AsegurarIndice(const QString& nombre, const QString& tabla, const QStringList& campos,
                        const QString& condicion = {});
    // Adds the field, with the rules of its type, to an existing table that lacks it (a catalogue of an
    // earlier version); the rows already there get Null.
    void AsegurarCampo(const QString& tabla, const DefinicionCampo& campo);

    void BeginTrans();
    void CommitTrans();
    void Rollback();

    // Called now and then while a statement runs; returning true stops it with an ErrorBD.
    void SetVigilante(std::function<bool()> cancelar);

    void Close();
    const QString& Ruta() const;
    // What opening the file had to tell the user (a -wal of another database moved aside); empty
    // when all went as usual.
    const QString& AvisoApertura() const;
    sqlite3* Conexion() const;

private:
    friend class Recordset;
    friend class LoteEscritura;
    friend class GrupoLote;
    friend class LecturaSecuencial;
    friend class InsercionPreparada;
    friend class LecturaPreparada;
    struct Datos;
    explicit Database(std::unique_ptr<Datos> datos);
    std::unique_ptr<Datos> d;
};

// Groups the writes made while it lives (AddNew/Update, Execute) into transactions of a few thousand
// rows or about a second, never one commit per row. Whatever was written is committed when it ends,
// also when an error unwinds the stack, so what was written before an error stays written. Closing
// the database while a batch lives commits it; the batch then ends with nothing left to do.
class LoteEscritura {
public:
    explicit LoteEscritura(Database& base);
    ~LoteEscritura();
    // Commits what is written so far and raises the engine's error when that commit fails (its rows
    // are then not kept), which the end of the batch cannot do: call it once the writing is done.
    void Terminar();
    LoteEscritura(const LoteEscritura&) = delete;
    LoteEscritura& operator=(const LoteEscritura&) = delete;

private:
    Database& base_;
    // Points to the connection while it is open; null once it is closed.
    std::shared_ptr<interno::Base*> conexion_;
};

// Writes that must be kept together or not at all, made within a LoteEscritura (a folder's lyrics and
// the songs that name them): no batch ends while the group lives, so a crash never keeps part of it,
// and when it ends without Confirmar (an error unwinding the stack) what it wrote is undone, what
// the batch held before it kept. No BeginTrans while it lives.
class GrupoLote {
public:
    explicit GrupoLote(Database& base);
    ~GrupoLote();
    GrupoLote(const GrupoLote&) = delete;
    GrupoLote& operator=(const GrupoLote&) = delete;

    void Confirmar();

private:
    std::shared_ptr<interno::Base*> conexion_;
    bool abierto_ = true;
};

} // namespace dao
