#include "store/DaoInterno.h"
#include "store/FuncionesSql.h"
#include "store/Identidad.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace dao {

using interno::Conjunto;
using interno::Ejecutar;
using interno::ErrorDeMotor;
using interno::IdAplicacion;
using interno::Preparar;

namespace {

QString Nativa(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

void Configurar(sqlite3* db) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    // Triggers keep the lyric index (IndiceLetras), writing into its FTS5 table, which the engine lets a
    // trigger do only with the schema trusted. Defensive mode, no extension loading and the engine's
    // direct-only functions still keep a catalogue's schema from reaching anything outside the file.
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    RegistrarFuncionesSql(db);
    // A catalogue is read far more than written: keep more of its pages in memory.
    sqlite3_exec(db, "PRAGMA cache_size=-16384", nullptr, nullptr, nullptr);
}

void ModoDiario(sqlite3* db) {
    Ejecutar(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    Ejecutar(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
}

// A file without any write permission is read-only for its owner's intent, also for root.
bool SePuedeEscribir(const QFileInfo& info) {
    return info.isWritable() &&
           (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// Looks at the file's first bytes, without opening it for writing, to tell whether it is a catalogue.
void ComprobarCatalogo(const QString& ruta) {
    QFile fichero(ruta);
    // Unbuffered: a hundred bytes need no read-ahead buffer.
    if (!fichero.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw ErrorBD(3051, QStringLiteral("No se puede leer el fichero '%1': no hay permiso para abrirlo.")
                                .arg(Nativa(ruta)));
    const QByteArray cabecera = fichero.read(100);
    if (cabecera.size() < 100 || !cabecera.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        throw ErrorBD(
            3343, QStringLiteral("El fichero '%1' no es un catálogo de Cantorio: su formato no es el de un "
                                 "catálogo, o está dañado. No se ha modificado.")
                      .arg(Nativa(ruta)));
    const auto* b = reinterpret_cast<const unsigned char*>(cabecera.constData()) + 68;
    const quint32 id = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
    if (id != IdAplicacion)
        throw ErrorBD(3343,
                      QStringLiteral("El fichero '%1' es una base de datos, pero no un catálogo de Cantorio. "
                                     "No se ha modificado.")
                          .arg(Nativa(ruta)));
}

// How a connection that only reads opens the file (a URI parameter). Through its -wal ("mode=ro") when
// it may write beside the file, or the -wal and -shm are there already (the program may have the
// catalogue open): the engine then sees the changes of others as they are committed. Otherwise the file
// alone, as it is now ("immutable=1"): through a -wal the engine would fail for want of a -shm, or leave
// a -wal and a -shm beside a file that its owner, not this user, writes. A -wal holding changes that
// cannot be read that way is refused.
const char* ParametroLectura(const QString& ruta, const QFileInfo& info) {
    const QFileInfo diario(ruta + QStringLiteral("-wal"));
    if ((diario.exists() && QFileInfo::exists(ruta + QStringLiteral("-shm"))) ||
        (SePuedeEscribir(info) && QFileInfo(info.absolutePath()).isWritable()))
        return "mode=ro";
    // Shorter than its own header, a -wal holds nothing to read.
    if (diario.size() >= 32)
        throw ErrorBD(3051,
                      QStringLiteral("El catálogo '%1' tiene cambios en su diario ('%2') que solo se pueden "
                                     "leer con permiso de escritura en su carpeta. Ábralo una vez con "
                                     "Cantorio, o copie los dos ficheros a una carpeta con permiso de "
                                     "escritura. No se ha modificado.")
                          .arg(Nativa(ruta), Nativa(diario.filePath())));
    return "immutable=1";
}

// parametro: a URI parameter of the open (see ParametroLectura).
sqlite3* AbrirConexion(const QString& ruta, int banderas, const char* parametro = nullptr) {
    QByteArray nombre = QFile::encodeName(ruta);
    if (parametro) {
        nombre = QUrl::fromLocalFile(QFileInfo(ruta).absoluteFilePath()).toEncoded() + '?' + parametro;
        banderas |= SQLITE_OPEN_URI;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(nombre.constData(), &db, banderas, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw ErrorBD(3024, QStringLiteral("No se puede abrir el catálogo '%1'.").arg(Nativa(ruta)));
    }
    Configurar(db);
    return db;
}

QString TipoSql(TipoCampo tipo) {
    switch (tipo) {
    case TipoCampo::Entero:
        return QStringLiteral("INTEGER");
    case TipoCampo::Texto:
        return QStringLiteral("TEXT");
    case TipoCampo::Memo:
        return QStringLiteral("LONGTEXT");
    }
    return QStringLiteral("TEXT");
}

// A column with the rules of the catalogue: texts neither empty nor over 4096 characters, integers of
// 32 bits. Each constraint is named "number:TABLE.FIELD" so that a failure is reported by field.
QString DefinicionColumna(const QString& tabla, const DefinicionCampo& campo) {
    const QString c = TraductorJet::Identificador(campo.nombre);
    auto regla = [&](const QString& clase, const QString& condicion) {
        return QStringLiteral(" CONSTRAINT ") +
               TraductorJet::Identificador(clase + QLatin1Char(':') + tabla + QLatin1Char('.') +
                                           campo.nombre) +
               QStringLiteral(" CHECK (") + condicion + QLatin1Char(')');
    };
    QString sql = c + QLatin1Char(' ') + TipoSql(campo.tipo);
    switch (campo.tipo) {
    case TipoCampo::Entero:
        sql += regla(QStringLiteral("13"), QStringLiteral("typeof(%1) IN ('integer', 'null')").arg(c));
        sql += regla(QStringLiteral("6"), QStringLiteral("%1 BETWEEN -2147483648 AND 2147483647").arg(c));
        break;
    case TipoCampo::Texto:
        sql += QStringLiteral(" COLLATE ") + QLatin1String(Intercalacion);
        sql += regla(QStringLiteral("13"), QStringLiteral("typeof(%1) IN ('text', 'null')").arg(c));
        sql += regla(QStringLiteral("3315"), QStringLiteral("length(%1) > 0").arg(c));
        sql += regla(QStringLiteral("3163"), QStringLiteral("length(%1) <= %2").arg(c).arg(LargoMaximoTexto));
        sql += regla(QStringLiteral("FFFF"), QStringLiteral("instr(%1, char(65535)) = 0").arg(c));
        break;
    case TipoCampo::Memo:
        sql += QStringLiteral(" COLLATE ") + QLatin1String(Intercalacion);
        sql += regla(QStringLiteral("13"), QStringLiteral("typeof(%1) IN ('text', 'null')").arg(c));
        break;
    }
    return sql;
}

} // namespace

bool TextoAdmitido(QStringView texto) {
    qsizetype caracteres = 0;
    for (const QChar c : texto) {
        if (c == QChar(0xFFFF) || c.isNull())
            return false;
        if (!c.isLowSurrogate() && ++caracteres > LargoMaximoTexto)
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------------

namespace interno {

TipoColumnaJet Base::TipoDeColumna(const QString& nombre) {
    if (!columnasLeidas) {
        columnas.clear();
        sqlite3_stmt* s = Preparar(
            db, QStringLiteral(
                    "SELECT c.name, upper(c.type) FROM sqlite_schema AS t, pragma_table_info(t.name) AS c "
                    "WHERE t.type = 'table' AND t.name NOT LIKE 'sqlite!_%' ESCAPE '!'"));
        while (sqlite3_step(s) == SQLITE_ROW) {
            const QString n = ValorColumna(s, 0).toString().toUpper();
            const TipoColumnaJet tipo = ValorColumna(s, 1).toString() == QLatin1String("TEXT")
                                            ? TipoColumnaJet::Texto
                                            : TipoColumnaJet::Otra;
            const auto previo = columnas.constFind(n);
            columnas.insert(n, (previo == columnas.cend() || *previo == tipo) ? tipo : TipoColumnaJet::Otra);
        }
        sqlite3_finalize(s);
        columnasLeidas = true;
    }
    return columnas.value(nombre.toUpper(), TipoColumnaJet::Ninguna);
}

TraductorJet Base::Traductor() {
    return TraductorJet([this](const QString& nombre) { return TipoDeColumna(nombre); });
}

void Base::TrasEscribir(int filas) {
    ++escrituras;
    if (lotes == 0 || !loteAbierto)
        return;
    filasLote += filas;
    if (grupos == 0 && (filasLote >= 5000 || relojLote.elapsed() >= 1000)) {
        CerrarLote();
        AbrirLote();
    }
}

void Base::AbrirLote() {
    if (lotes == 0 || loteAbierto || nivelTransaccion > 0)
        return;
    Ejecutar(db, QStringLiteral("BEGIN"));
    loteAbierto = true;
    filasLote = 0;
    relojLote.start();
}

void Base::CerrarLote() {
    if (!loteAbierto)
        return;
    loteAbierto = false;
    try {
        Ejecutar(db, QStringLiteral("COMMIT"));
    } catch (const ErrorBD&) {
        // A commit that fails may leave the engine's transaction open: undone here, so that nothing of
        // the batch is kept or read as if it were.
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

sqlite3_stmt* Base::Tomar(const QString& sql) {
    for (qsizetype i = libres.size() - 1; i >= 0; --i)
        if (libres[i].first == sql)
            return libres.takeAt(i).second;
    return Preparar(db, sql);
}

void Base::Devolver(const QString& sql, sqlite3_stmt* s) {
    if (!s)
        return;
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    libres.append({sql, s});
    if (libres.size() > 40)
        sqlite3_finalize(libres.takeFirst().second);
}

void Base::VaciarLibres() {
    for (const auto& [sql, s] : std::as_const(libres))
        sqlite3_finalize(s);
    libres.clear();
    lecturas.clear();
}

void Base::SuspenderLecturas() {
    for (Conjunto* c : abiertos)
        c->Suspender();
}

void Base::SuspenderSondeos() {
    for (Conjunto* c : abiertos)
        if (c->enSondeo)
            c->Suspender();
}

} // namespace interno

// ---------------------------------------------------------------------------------------------------

Database::Database(std::unique_ptr<Datos> datos) : d(std::move(datos)) {}

Database::~Database() {
    Close();
}

std::unique_ptr<Database> Database::CreateDatabase(const QString& ruta, const QString&) {
    const QFileInfo info(ruta);
    if (info.exists() && !(info.isFile() && info.size() == 0))
        throw ErrorBD(
            3204,
            QStringLiteral("Ya existe un fichero llamado '%1'; no se ha modificado.").arg(Nativa(ruta)));
    const QFileInfo carpeta(info.absolutePath());
    if (!carpeta.isDir())
        throw ErrorBD(3044, QStringLiteral("La carpeta '%1' no existe.").arg(Nativa(info.absolutePath())));
    if (!carpeta.isWritable() || (info.exists() && !info.isWritable()))
        throw ErrorBD(3051, QStringLiteral("No se puede crear el catálogo '%1': no hay permiso de escritura.")
                                .arg(Nativa(ruta)));
    auto datos = std::make_unique<Datos>();
    datos->ruta = ruta;
    datos->db = AbrirConexion(ruta, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    auto base = std::unique_ptr<Database>(new Database(std::move(datos)));
    Ejecutar(base->d->db, QStringLiteral("PRAGMA application_id=%1").arg(IdAplicacion));
    Ejecutar(base->d->db, QStringLiteral("PRAGMA user_version=%1").arg(interno::NuevaIdentidad()));
    ModoDiario(base->d->db);
    return base;
}

std::unique_ptr<Database> Database::OpenDatabase(const QString& ruta, Apertura apertura) {
    const QFileInfo info(ruta);
    if (!info.exists())
        throw ErrorBD(3024, QStringLiteral("No se encuentra el catálogo '%1'.").arg(Nativa(ruta)));
    if (info.isFile() && info.size() == 0)
        throw ErrorBD(3024,
                      QStringLiteral("El fichero '%1' está vacío: no es un catálogo. No se ha modificado.")
                          .arg(Nativa(ruta)));
    if (!info.isFile())
        throw ErrorBD(3343, QStringLiteral("'%1' no es un fichero de catálogo.").arg(Nativa(ruta)));
    ComprobarCatalogo(ruta);
    const bool soloLectura = apertura == Apertura::SoloLectura;
    if (!soloLectura && !SePuedeEscribir(info))
        throw ErrorBD(
            3051, QStringLiteral("El catálogo '%1' es de sólo lectura y Cantorio necesita escribir en él. "
                                 "Quite el atributo de sólo lectura o copie el fichero a una carpeta con "
                                 "permiso de escritura. No se ha modificado.")
                      .arg(Nativa(ruta)));
    if (!soloLectura && !QFileInfo(info.absolutePath()).isWritable())
        throw ErrorBD(3051,
                      QStringLiteral("La carpeta del catálogo '%1' no admite escritura, y Cantorio necesita "
                                     "crear en ella sus ficheros de trabajo. No se ha modificado.")
                          .arg(Nativa(ruta)));
    const char* parametroLectura = soloLectura ? ParametroLectura(ruta, info) : nullptr;
    // Nothing may be written, nor read through a -wal, before the -wal is known to be the catalogue's own.
    const QString aviso = interno::ApartarDiarioAjeno(ruta);
    auto datos = std::make_unique<Datos>();
    datos->ruta = ruta;
    datos->avisoApertura = aviso;
    datos->db = soloLectura ? AbrirConexion(ruta, SQLITE_OPEN_READONLY, parametroLectura)
                            : AbrirConexion(ruta, SQLITE_OPEN_READWRITE);
    auto base = std::unique_ptr<Database>(new Database(std::move(datos)));
    sqlite3* db = base->d->db;
    // Reading the schema tells a damaged or locked file before anything is written.
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema", -1, &s, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_ROW) {
        const int primario = rc & 0xFF;
        if (primario == SQLITE_BUSY || primario == SQLITE_LOCKED)
            throw ErrorBD(3045,
                          QStringLiteral("El catálogo '%1' está bloqueado por otro programa. Ciérrelo e "
                                         "inténtelo de nuevo.")
                              .arg(Nativa(ruta)));
        if (primario == SQLITE_CORRUPT || primario == SQLITE_NOTADB)
            throw ErrorBD(
                3343, QStringLiteral("El catálogo '%1' está dañado y no se puede abrir. No se ha modificado.")
                          .arg(Nativa(ruta)));
        ErrorDeMotor(db, rc);
    }
    if (soloLectura)
        return base;
    try {
        interno::AsegurarIdentidad(db);
        ModoDiario(db);
    } catch (const ErrorBD& e) {
        if (e.Numero() == 3260)
            throw ErrorBD(3045,
                          QStringLiteral("El catálogo '%1' está bloqueado por otro programa. Ciérrelo e "
                                         "inténtelo de nuevo.")
                              .arg(Nativa(ruta)));
        throw;
    }
    return base;
}

static interno::Base& Viva(interno::Base* b) {
    if (!b || !b->db)
        throw ErrorBD(3420, QStringLiteral("La base de datos está cerrada."));
    return *b;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& sql, TipoRecordset tipo) {
    return OpenRecordset(sql, Parametros{}, tipo);
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& sql, const Parametros& parametros,
                                                   TipoRecordset) {
    interno::Base& b = Viva(d.get());
    const SentenciaTraducida t = b.Traductor().Sentencia(sql, parametros);
    if (t.clase != ClaseSentencia::Seleccion)
        throw ErrorBD(3219,
                      QStringLiteral("Operación no válida: un conjunto de registros necesita una consulta "
                                     "SELECT."));
    auto datos = std::make_unique<Recordset::Datos>();
    datos->Abrir(b, t, false);
    return std::unique_ptr<Recordset>(new Recordset(std::move(datos)));
}

std::unique_ptr<Recordset> Database::OpenRecordsetSoloLectura(const QString& sql) {
    interno::Base& b = Viva(d.get());
    const SentenciaTraducida t = b.Traductor().Sentencia(sql);
    if (t.clase != ClaseSentencia::Seleccion)
        throw interno::SoloSeleccion();
    auto datos = std::make_unique<Recordset::Datos>();
    datos->Abrir(b, t, true);
    return std::unique_ptr<Recordset>(new Recordset(std::move(datos)));
}

int Database::Execute(const QString& sql, const Parametros& parametros) {
    interno::Base& b = Viva(d.get());
    const SentenciaTraducida t = b.Traductor().Sentencia(sql, parametros);
    if (t.clase == ClaseSentencia::Seleccion)
        throw ErrorBD(
            3065, QStringLiteral("No se puede ejecutar una consulta de selección; ábrala como conjunto de "
                                 "registros."));
    b.SuspenderSondeos();
    sqlite3_stmt* s = b.Tomar(t.sql);
    interno::EnlazarParametros(s, t.parametros, 'p');
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        try {
            ErrorDeMotor(b.db, rc);
        } catch (...) {
            b.Devolver(t.sql, s);
            throw;
        }
    }
    b.Devolver(t.sql, s);
    const int filas = sqlite3_changes(b.db);
    b.TrasEscribir(filas);
    return filas;
}

void Database::AppendTableDef(const TableDef& tabla) {
    interno::Base& b = Viva(d.get());
    if (tabla.Campos().empty())
        throw ErrorBD(3264, QStringLiteral("La tabla '%1' no tiene ningún campo.").arg(tabla.Nombre()));
    if (TableNames().contains(tabla.Nombre(), Qt::CaseInsensitive))
        throw ErrorBD(3010, QStringLiteral("La tabla '%1' ya existe.").arg(tabla.Nombre()));
    QStringList columnas;
    for (const DefinicionCampo& c : tabla.Campos())
        columnas << DefinicionColumna(tabla.Nombre(), c);
    Ejecutar(b.db, QStringLiteral("CREATE TABLE ") + TraductorJet::Identificador(tabla.Nombre()) +
                       QStringLiteral(" (") + columnas.join(QStringLiteral(", ")) + QLatin1Char(')'));
    b.OlvidarEsquema();
    b.TrasEscribir(0);
}

void Database::DeleteTableDef(const QString& nombre) {
    interno::Base& b = Viva(d.get());
    if (!TableNames().contains(nombre, Qt::CaseInsensitive))
        throw ErrorBD(3265, QStringLiteral("No existe la tabla '%1'.").arg(nombre));
    b.SuspenderLecturas();
    Ejecutar(b.db, QStringLiteral("DROP TABLE ") + TraductorJet::Identificador(nombre));
    b.OlvidarEsquema();
    b.TrasEscribir(0);
}

void Database::AsegurarIndice(const QString& nombre, const QString& tabla, const QStringList& campos,
                              const QString& condicion) {
    interno::Base& b = Viva(d.get());
    QStringList columnas;
    for (const QString& c : campos)
        columnas << TraductorJet::Identificador(c);
    b.SuspenderLecturas();
    Ejecutar(b.db, QStringLiteral("CREATE INDEX IF NOT EXISTS ") + TraductorJet::Identificador(nombre) +
                       QStringLiteral(" ON ") + TraductorJet::Identificador(tabla) + QStringLiteral(" (") +
                       columnas.join(QStringLiteral(", ")) + QLatin1Char(')') +
                       (condicion.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condicion));
}

void Database::AsegurarCampo(const QString& tabla, const DefinicionCampo& campo) {
    interno::Base& b = Viva(d.get());
    sqlite3_stmt* s = Preparar(b.db, QStringLiteral("SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2 "
                                                    "COLLATE NOCASE"));
    const QByteArray nombreTabla = tabla.toUtf8();
    const QByteArray nombreCampo = campo.nombre.toUtf8();
    sqlite3_bind_text(s, 1, nombreTabla.constData(), -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 2, nombreCampo.constData(), -1, SQLITE_STATIC);
    const bool existe = sqlite3_step(s) == SQLITE_ROW;
    sqlite3_finalize(s);
    if (existe)
        return;
    b.SuspenderLecturas();
    Ejecutar(b.db, QStringLiteral("ALTER TABLE ") + TraductorJet::Identificador(tabla) +
                       QStringLiteral(" ADD COLUMN ") + DefinicionColumna(tabla, campo));
    b.OlvidarEsquema();
}

QStringList Database::TableNames() const {
    interno::Base& b = Viva(d.get());
    QStringList nombres;
    sqlite3_stmt* s =
        Preparar(b.db, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT "
                                      "LIKE 'sqlite!_%' ESCAPE '!' ORDER BY name"));
    while (sqlite3_step(s) == SQLITE_ROW)
        nombres << interno::ValorColumna(s, 0).toString();
    sqlite3_finalize(s);
    return nombres;
}

void Database::BeginTrans() {
    interno::Base& b = Viva(d.get());
    b.SuspenderSondeos();
    b.CerrarLote();
    Ejecutar(b.db, b.nivelTransaccion == 0 ? QStringLiteral("BEGIN")
                                           : QStringLiteral("SAVEPOINT nivel%1").arg(b.nivelTransaccion));
    ++b.nivelTransaccion;
}

void Database::CommitTrans() {
    interno::Base& b = Viva(d.get());
    if (b.nivelTransaccion == 0)
        throw ErrorBD(3034, QStringLiteral("Se ha confirmado una transacción que no se había iniciado."));
    --b.nivelTransaccion;
    Ejecutar(b.db, b.nivelTransaccion == 0 ? QStringLiteral("COMMIT")
                                           : QStringLiteral("RELEASE nivel%1").arg(b.nivelTransaccion));
    b.AbrirLote();
}

void Database::Rollback() {
    interno::Base& b = Viva(d.get());
    if (b.nivelTransaccion == 0)
        throw ErrorBD(3034, QStringLiteral("Se ha deshecho una transacción que no se había iniciado."));
    --b.nivelTransaccion;
    b.SuspenderLecturas();
    if (b.nivelTransaccion == 0) {
        Ejecutar(b.db, QStringLiteral("ROLLBACK"));
    } else {
        Ejecutar(b.db, QStringLiteral("ROLLBACK TO nivel%1").arg(b.nivelTransaccion));
        Ejecutar(b.db, QStringLiteral("RELEASE nivel%1").arg(b.nivelTransaccion));
    }
    b.TrasEscribir(0);
    b.AbrirLote();
}

void Database::SetVigilante(std::function<bool()> cancelar) {
    interno::Base& b = Viva(d.get());
    b.vigilante = std::move(cancelar);
    if (!b.vigilante) {
        sqlite3_progress_handler(b.db, 0, nullptr, nullptr);
        return;
    }
    sqlite3_progress_handler(
        b.db, 20000,
        [](void* p) -> int {
            try {
                return static_cast<interno::Base*>(p)->vigilante() ? 1 : 0;
            } catch (...) {
                return 1;
            }
        },
        &b);
}

void Database::Close() {
    if (!d || !d->db)
        return;
    while (!d->abiertos.empty())
        d->abiertos.back()->Cerrar();
    d->VaciarLibres();
    try {
        d->CerrarLote();
    } catch (const ErrorBD&) {
    }
    sqlite3_close_v2(d->db);
    d->db = nullptr;
    *d->testigo = nullptr;
}

const QString& Database::Ruta() const {
    return d->ruta;
}

const QString& Database::AvisoApertura() const {
    return d->avisoApertura;
}

sqlite3* Database::Conexion() const {
    return d->db;
}

// ---------------------------------------------------------------------------------------------------

LoteEscritura::LoteEscritura(Database& base) : base_(base) {
    interno::Base& b = Viva(base_.d.get());
    conexion_ = b.testigo;
    ++b.lotes;
    b.AbrirLote();
}

void LoteEscritura::Terminar() {
    interno::Base* b = *conexion_;
    if (b && b->lotes == 1)
        b->CerrarLote();
}

LoteEscritura::~LoteEscritura() {
    interno::Base* b = *conexion_;
    if (!b)
        return;
    if (--b->lotes == 0) {
        try {
            b->CerrarLote();
        } catch (const ErrorBD&) {
            // The connection reports the failure at its next statement; a destructor cannot throw.
        }
    }
}

// ---------------------------------------------------------------------------------------------------

GrupoLote::GrupoLote(Database& base) {
    interno::Base& b = Viva(base.d.get());
    b.SuspenderSondeos();
    Ejecutar(b.db, QStringLiteral("SAVEPOINT grupo_lote"));
    conexion_ = b.testigo;
    ++b.grupos;
}

GrupoLote::~GrupoLote() {
    if (!abierto_)
        return;
    interno::Base* b = *conexion_;
    if (!b)
        return;
    --b->grupos;
    b->SuspenderLecturas();
    // Fails when the engine has already undone the whole batch by itself (a full disk): nothing is
    // left to undo then.
    sqlite3_exec(b->db, "ROLLBACK TO grupo_lote; RELEASE grupo_lote", nullptr, nullptr, nullptr);
    ++b->escrituras;
}

void GrupoLote::Confirmar() {
    abierto_ = false;
    interno::Base& b = Viva(*conexion_);
    --b.grupos;
    Ejecutar(b.db, QStringLiteral("RELEASE grupo_lote"));
    b.TrasEscribir(0);
}

} // namespace dao
