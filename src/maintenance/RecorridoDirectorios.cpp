#include "maintenance/RecorridoDirectorios.h"

#include <QFile>
#include <QUtf8StringView>

#include <cerrno>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace {

// "*" any run, "?" any one character; both texts already case-folded. The last "*" met is the only
// one ever gone back to, so the match takes linear time for the usual patterns.
bool CoincideComodines(QStringView patron, QStringView nombre) {
    qsizetype p = 0, n = 0, estrella = -1, desde = 0;
    while (n < nombre.size()) {
        if (p < patron.size() && (patron[p] == u'?' || patron[p] == nombre[n])) {
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

bool PatronFicheros::Coincide(const QString& nombre) const {
    const QString plegado = nombre.toCaseFolded();
    if (!sinExtension_)
        return CoincideComodines(patron_, plegado);
    // With the extension optional: the whole name, or the name up to one of its dots.
    if (CoincideComodines(patron_, plegado))
        return true;
    for (qsizetype punto = plegado.indexOf(u'.'); punto >= 0; punto = plegado.indexOf(u'.', punto + 1))
        if (CoincideComodines(patron_, QStringView(plegado).left(punto)))
            return true;
    return false;
}

QString NombreLegible(const QByteArray& nombre) {
    if (QUtf8StringView(nombre).isValidUtf8())
        return QString::fromUtf8(nombre);
    return QString::fromLatin1(nombre);
}

Recorrido RecorrerDirectorios(const QString& raiz, const std::function<void(const QString&)>& alEncontrar) {
    Recorrido recorrido;
    std::set<std::pair<dev_t, ino_t>> entrados;
    auto primeraVez = [&entrados](const struct stat& st) {
        return entrados.insert({st.st_dev, st.st_ino}).second;
    };

    QString textoRaiz = raiz.endsWith(u'/') ? raiz : raiz + u'/';
    recorrido.directorios.push_back({QFile::encodeName(textoRaiz), textoRaiz});
    struct stat st {};
    if (stat(recorrido.directorios.front().ruta.constData(), &st) == 0)
        primeraVez(st);
    alEncontrar(textoRaiz);

    for (std::size_t i = 0; i < recorrido.directorios.size(); ++i) {
        const DirectorioEncontrado actual = recorrido.directorios[i];
        Directorio dir(actual.ruta);
        if (!dir.Abierto()) {
            recorrido.ilegibles << actual.texto;
            continue;
        }
        while (const dirent* entrada = dir.Siguiente()) {
            if (EsOculto(entrada->d_name))
                continue;
            Tipo tipo = TipoEntrada(dir.Descriptor(), entrada);
            if (!tipo.directorio)
                continue;
            if (!tipo.conocido && fstatat(dir.Descriptor(), entrada->d_name, &tipo.st, 0) != 0)
                continue;
            if (!primeraVez(tipo.st))
                continue;
            const QByteArray nombre(entrada->d_name);
            DirectorioEncontrado hijo{actual.ruta + nombre + '/',
                                      actual.texto + NombreLegible(nombre) + u'/'};
            alEncontrar(hijo.texto);
            recorrido.directorios.push_back(std::move(hijo));
        }
        if (dir.Error())
            recorrido.ilegibles << actual.texto;
    }
    return recorrido;
}

bool ListarFicheros(const QByteArray& directorio, const PatronFicheros& patron,
                    std::vector<FicheroEncontrado>& ficheros) {
    Directorio dir(directorio);
    if (!dir.Abierto())
        return false;
    while (const dirent* entrada = dir.Siguiente()) {
        if (EsOculto(entrada->d_name))
            continue;
        Tipo tipo = TipoEntrada(dir.Descriptor(), entrada);
        if (!tipo.fichero)
            continue;
        const QString nombre = NombreLegible(QByteArray(entrada->d_name));
        if (!patron.Coincide(nombre))
            continue;
        if (!tipo.conocido && fstatat(dir.Descriptor(), entrada->d_name, &tipo.st, 0) != 0)
            continue; // gone since it was listed
        ficheros.push_back({nombre, static_cast<qint64>(tipo.st.st_size)});
    }
    return !dir.Error();
}
