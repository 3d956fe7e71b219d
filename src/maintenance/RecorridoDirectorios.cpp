#include "maintenance/RecorridoDirectorios.h"

#include <QFile>
#include <QStringDecoder>
#include <QUtf8StringView>

#include <cerrno>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace {

// The UTF-16 unit at i of texto once the character it belongs to is case-folded, as
// QString::toCaseFolded folds it: a surrogate pair is folded as the one character it encodes.
char16_t UnidadPlegada(QStringView texto, qsizetype i) {
    const char16_t unidad = texto[i].unicode();
    if (unidad < 0x80)
        return unidad >= u'A' && unidad <= u'Z' ? char16_t(unidad + 0x20) : unidad;
    if (QChar::isHighSurrogate(unidad) && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
        return QChar::highSurrogate(
            QChar::toCaseFolded(QChar::surrogateToUcs4(unidad, texto[i + 1].unicode())));
    if (QChar::isLowSurrogate(unidad) && i > 0 && texto[i - 1].isHighSurrogate())
        return QChar::lowSurrogate(
            QChar::toCaseFolded(QChar::surrogateToUcs4(texto[i - 1].unicode(), unidad)));
    return char16_t(QChar::toCaseFolded(char32_t(unidad)));
}

// "*" any run, "?" any one character; the pattern already case-folded, the name folded as it is read.
// The last "*" met is the only one ever gone back to, so the match takes linear time for the usual
// patterns.
bool CoincideComodines(QStringView patron, QStringView nombre) {
    qsizetype p = 0, n = 0, estrella = -1, desde = 0;
    while (n < nombre.size()) {
        if (p < patron.size() && (patron[p] == u'?' || patron[p] == UnidadPlegada(nombre, n))) {
            ++p;
            ++n;
        } else if (p < patron.size() && patron[p] == u'*') {
            estrella = p++;
            desde = n;
        } else if (estrella >= 0) {
            p = estrella + 1;
            n = ++desde;
        } else {
            return false;
        }
    }
    while (p < patron.size() && patron[p] == u'*')
        ++p;
    return p == patron.size();
}

bool EsOculto(const char* nombre) {
    return nombre[0] == '.';
}

// The entry's kind as the listing tells it, asking the file system only when the listing cannot say
// (links, and file systems that give no kind). Links are followed.
struct Tipo {
    bool directorio = false;
    bool fichero = false;
    bool conocido = false; // st holds the entry's status
    struct stat st {};
};

Tipo TipoEntrada(int descriptor, const dirent* entrada) {
    Tipo tipo;
    if (entrada->d_type == DT_DIR) {
        tipo.directorio = true;
        return tipo;
    }
    if (entrada->d_type == DT_REG) {
        tipo.fichero = true;
        return tipo;
    }
    if (entrada->d_type != DT_LNK && entrada->d_type != DT_UNKNOWN)
        return tipo;
    if (fstatat(descriptor, entrada->d_name, &tipo.st, 0) != 0)
        return tipo; // a dangling link is neither
    tipo.conocido = true;
    tipo.directorio = S_ISDIR(tipo.st.st_mode);
    tipo.fichero = S_ISREG(tipo.st.st_mode);
    return tipo;
}

class Directorio {
public:
    explicit Directorio(const QByteArray& ruta) : dir_(opendir(ruta.constData())) {}
    ~Directorio() {
        if (dir_)
            closedir(dir_);
    }
    Directorio(const Directorio&) = delete;
    Directorio& operator=(const Directorio&) = delete;

    bool Abierto() const { return dir_ != nullptr; }
    int Descriptor() const { return dirfd(dir_); }
    // The next entry; nullptr at the end or on an error, told apart by Error().
    const dirent* Siguiente() {
        errno = 0;
        const dirent* entrada = readdir(dir_);
        error_ = entrada == nullptr && errno != 0;
        return entrada;
    }
    bool Error() const { return error_; }

private:
    DIR* dir_;
    bool error_ = false;
};

} // namespace

PatronFicheros::PatronFicheros(const QString& patron) {
    QString plegado = patron.toCaseFolded();
    // "x.*" also matches "x": the dot and what follows it are optional.
    if (plegado.endsWith(QStringLiteral(".*"))) {
        plegado.chop(2);
        sinExtension_ = true;
    }
    patron_ = plegado;
}

bool PatronFicheros::Coincide(QStringView nombre) const {
    if (!sinExtension_)
        return CoincideComodines(patron_, nombre);
    // With the extension optional: the whole name, or the name up to one of its dots.
    if (CoincideComodines(patron_, nombre))
        return true;
    for (qsizetype punto = nombre.indexOf(u'.'); punto >= 0; punto = nombre.indexOf(u'.', punto + 1))
        if (CoincideComodines(patron_, nombre.left(punto)))
            return true;
    return false;
}

QString NombreLegible(const QByteArray& nombre) {
    if (QUtf8StringView(nombre).isValidUtf8())
        return QString::fromUtf8(nombre);
    return QString::fromLatin1(nombre);
}

std::vector<FicheroEncontrado> FicherosDirectorio::Ficheros() const {
    std::vector<FicheroEncontrado> ficheros;
    ficheros.reserve(longitudes.size());
    qsizetype inicio = 0;
    for (qint64 longitud : longitudes) {
        const qsizetype fin = nombres.indexOf('\0', inicio);
        const QByteArray nombre = nombres.sliced(inicio, fin - inicio);
        const bool utf8 = QUtf8StringView(nombre).isValidUtf8();
        ficheros.push_back({NombreLegible(nombre), longitud, utf8 ? QByteArray() : nombre});
        inicio = fin + 1;
    }
    return ficheros;
}

namespace {

// One reading of a directory: its visible subdirectories, with their status, go to alDirectorio (when
// given); its visible plain files whose names match patron go into ficheros. False when the directory
// cannot be read, or not to its end.
bool LeerDirectorio(const QByteArray& ruta, const PatronFicheros& patron, FicherosDirectorio& ficheros,
                    const std::function<void(const char*, const struct stat&)>& alDirectorio) {
    Directorio dir(ruta);
    if (!dir.Abierto())
        return false;
    QString nombre;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    while (const dirent* entrada = dir.Siguiente()) {
        if (EsOculto(entrada->d_name))
            continue;
        Tipo tipo = TipoEntrada(dir.Descriptor(), entrada);
        if (tipo.directorio && alDirectorio) {
            if (tipo.conocido || fstatat(dir.Descriptor(), entrada->d_name, &tipo.st, 0) == 0)
                alDirectorio(entrada->d_name, tipo.st);
            continue;
        }
        if (!tipo.fichero)
            continue;
        const QByteArrayView bytes(entrada->d_name);
        // Valid UTF-8 as text, otherwise one character per byte, into one buffer reused for every name.
        if (QUtf8StringView(bytes).isValidUtf8()) {
            nombre.resize(bytes.size());
            nombre.truncate(utf8.appendToBuffer(nombre.data(), bytes) - nombre.constData());
        } else {
            nombre = QString::fromLatin1(bytes);
        }
        if (!patron.Coincide(nombre))
            continue;
        if (!tipo.conocido && fstatat(dir.Descriptor(), entrada->d_name, &tipo.st, 0) != 0)
            continue; // gone since it was listed
        ficheros.nombres.append(bytes).append('\0');
        ficheros.longitudes.push_back(static_cast<qint64>(tipo.st.st_size));
    }
    return !dir.Error();
}

} // namespace

Recorrido RecorrerDirectorios(const QString& raiz, const PatronFicheros& patron, bool subdirectorios,
                              const std::function<void(const QString&)>& alEncontrar) {
    Recorrido recorrido;
    std::set<std::pair<dev_t, ino_t>> entrados;
    auto primeraVez = [&entrados](const struct stat& st) {
        return entrados.insert({st.st_dev, st.st_ino}).second;
    };

    QString textoRaiz = raiz.endsWith(u'/') ? raiz : raiz + u'/';
    recorrido.directorios.push_back({QFile::encodeName(textoRaiz), textoRaiz, {}});
    struct stat st {};
    if (stat(recorrido.directorios.front().ruta.constData(), &st) == 0)
        primeraVez(st);
    if (subdirectorios)
        alEncontrar(textoRaiz);

    for (std::size_t i = 0; i < recorrido.directorios.size(); ++i) {
        const QByteArray ruta = recorrido.directorios[i].ruta;
        const QString texto = recorrido.directorios[i].texto;
        FicherosDirectorio ficheros;
        const auto alDirectorio = [&](const char* nombre, const struct stat& estado) {
            if (!primeraVez(estado))
                return;
            const QByteArray bytes(nombre);
            DirectorioEncontrado hijo{ruta + bytes + '/', texto + NombreLegible(bytes) + u'/', {}};
            alEncontrar(hijo.texto);
            recorrido.directorios.push_back(std::move(hijo));
        };
        if (!LeerDirectorio(ruta, patron, ficheros,
                            subdirectorios
                                ? std::function<void(const char*, const struct stat&)>(alDirectorio)
                                : nullptr))
            recorrido.ilegibles << texto;
        recorrido.directorios[i].ficheros = std::move(ficheros);
    }
    return recorrido;
}

bool ListarFicheros(const QByteArray& directorio, const PatronFicheros& patron,
                    std::vector<FicheroEncontrado>& ficheros) {
    FicherosDirectorio leidos;
    const bool legible = LeerDirectorio(directorio, patron, leidos, nullptr);
    for (FicheroEncontrado& fichero : leidos.Ficheros())
        ficheros.push_back(std::move(fichero));
    return legible;
}
