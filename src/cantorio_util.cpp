// cantorio-util ORDEN CATALOGO ...: the utilities of the program for scripts and servers, each order
// through the same code as its window. Results go to standard output, messages (Spanish) to standard
// error. Exit status: 0 done, 1 error (nothing changed), 2 wrong usage, 3 "comprobar" left a fault
// unrepaired, 4 partly done ("anadir" stopped by an error after keeping some songs). Adding an order:
// one function and one line of the table Ordenes.

#include "maintenance/AnadidoCanciones.h"
#include "maintenance/RutasVolumen.h"
#include "store/BBDD.h"
#include "store/CatalogoUtilidades.h"
#include "utilities/ComprobacionErrores.h"
#include "utilities/ConversionJet.h"
#include "utilities/FicheroExportacion.h"
#include "utilities/ListadoArbol.h"
#include "utilities/PorcentajeLetras.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>
#include <unistd.h>

namespace {

enum Salida { Hecho = 0, Fallo = 1, MalUso = 2, FalloSinReparar = 3, HechoEnParte = 4 };

QTextStream& Salida() {
    static QTextStream flujo(stdout);
    return flujo;
}

QTextStream& Errores() {
    static QTextStream flujo(stderr);
    return flujo;
}

const QString Version = QStringLiteral("Cantorio v1.2.") + QString::number(CANTORIO_REVISION);

// A usage error: the message, then the usage of the order.
struct ErrorUso {
    QString mensaje;
};

// The arguments of an order: its positional values and its options ("--clave" → value, "--reparar" → "").
struct Argumentos {
    QStringList posicionales;
    std::map<QString, QString> opciones;

    bool Tiene(const char* nombre) const { return opciones.count(QLatin1String(nombre)) > 0; }
    std::optional<QString> Valor(const char* nombre) const {
        const auto it = opciones.find(QLatin1String(nombre));
        if (it == opciones.end())
            return std::nullopt;
        return it->second;
    }
};

// A progress bar on standard error, drawn only when it is a terminal.
class BarraTerminal : public ProgresoUtilidad, public ProgresoAnadido {
public:
    BarraTerminal() : activa_(isatty(STDERR_FILENO)) {}
    ~BarraTerminal() override {
        if (activa_ && dibujada_)
            std::fputs("\r\033[K", stderr);
    }
    void Maximo(qint64 maximo) override { maximo_ = maximo; }
    void Valor(qint64 valor) override {
        if (!activa_ || maximo_ <= 0)
            return;
        const int ancho = 40;
        const int lleno = int(qMin<qint64>(valor, maximo_) * ancho / maximo_);
        if (lleno == ultimo_)
            return;
        ultimo_ = lleno;
        dibujada_ = true;
        std::fprintf(stderr, "\r[%s%s] %3d %%", QByteArray(lleno, '#').constData(),
                     QByteArray(ancho - lleno, ' ').constData(),
                     int(qMin<qint64>(valor, maximo_) * 100 / maximo_));
        std::fflush(stderr);
    }
    void Maximo(int maximo) override { Maximo(qint64(maximo)); }
    void Avanzar() override { Valor(++avance_); }

private:
    bool activa_;
    bool dibujada_ = false;
    qint64 maximo_ = 0;
    qint64 avance_ = 0;
    int ultimo_ = -1;
};

// A catalogue this run created, removed again when the order fails, so that a failure changes nothing
// (never after a partial success: what was kept stays).
QString catalogoCreado;

// How an order opens its catalogue.
enum class Acceso {
    Leer,    // it only reads: a connection that writes nothing, so that a read-only catalogue serves
    Cambiar, // it changes the catalogue, which must already be one
    Crear,   // it changes the catalogue, and makes one of a missing or empty file
};

// Opens the catalogue as the connection of the run.
dao::Database& AbrirCatalogo(const QString& ruta, Acceso acceso) {
    BBDD::RutaBaseDatos = QFileInfo(ruta).absoluteFilePath();
    if (acceso != Acceso::Crear) {
        // Opened to read first: a missing, empty or foreign file is refused before anything could
        // make it a catalogue.
        BBDD::BaseDatos =
            dao::Database::OpenDatabase(BBDD::RutaBaseDatos, dao::Database::Apertura::SoloLectura);
        if (acceso == Acceso::Leer)
            return *BBDD::BaseDatos;
    } else if (!QFileInfo::exists(BBDD::RutaBaseDatos)) {
        BBDD::CrearBaseDatos();
        catalogoCreado = BBDD::RutaBaseDatos;
    }
    BBDD::AbrirBaseDatos();
    return *BBDD::BaseDatos;
}

std::optional<QString> Clave(const Argumentos& argumentos) {
    const std::optional<QString> clave = argumentos.Valor("clave");
    if (clave && clave->isEmpty())
        throw ErrorUso{QStringLiteral("¡Debe introducir una Clave!")};
    return clave;
}

int Exportar(const Argumentos& a) {
    const std::optional<QString> clave = Clave(a);
    dao::Database& base = AbrirCatalogo(a.posicionales[0], Acceso::Leer);
    BarraTerminal barra;
    const ResultadoTransferencia resultado =
        ExportarCanciones(base, a.posicionales[1], Version, clave, barra);
    Errores() << QStringLiteral("Proceso terminado con éxito: %1 canciones exportadas, sin sus letras%2.\n")
                     .arg(resultado.canciones)
                     .arg(resultado.utf8 ? QStringLiteral(" (en UTF-8)") : QString());
    return Hecho;
}

int Importar(const Argumentos& a) {
    const std::optional<QString> clave = Clave(a);
    dao::Database& base = AbrirCatalogo(a.posicionales[0], Acceso::Crear);
    BarraTerminal barra;
    const ResultadoTransferencia resultado = ImportarCanciones(base, a.posicionales[1], clave, barra);
    Errores()
        << QStringLiteral("Proceso terminado con éxito: %1 canciones importadas.\n").arg(resultado.canciones);
    return Hecho;
}

int Listar(const Argumentos& a) {
    OpcionesListado opciones;
    opciones.alcance.cabecera = a.Valor("cabecera");
    opciones.alcance.ruta = a.Valor("ruta");
    if (opciones.alcance.ruta && !opciones.alcance.cabecera)
        throw ErrorUso{QStringLiteral("--ruta necesita --cabecera.")};
    opciones.ficheros = !a.Tiene("sin-ficheros");
    opciones.version = Version;
    dao::Database& base = AbrirCatalogo(a.posicionales[0], Acceso::Leer);
    BarraTerminal barra;
    const ResultadoListado resultado = EscribirListado(base, a.posicionales[1], opciones, barra);
    Errores() << QStringLiteral("Operación terminada con éxito: %1 cabeceras, %2 rutas, %3 ficheros.\n")
                     .arg(resultado.cabeceras)
                     .arg(resultado.rutas)
                     .arg(resultado.ficheros);
    return Hecho;
}

// The lines of the check window, each printed once its result is known.
class LineasComprobacion : public SeguimientoComprobacion {
public:
    explicit LineasComprobacion(bool reparar) : reparar_(reparar) {}
    void Empezar(int k, bool) override { texto_ = Comprobaciones[k].comprobando; }
    void Comprobado(int k) override { texto_ = Comprobaciones[k].comprobado; }
    void Resultado(int, ResultadoComprobacion resultado) override {
        resultado_ = resultado;
        if (resultado != ResultadoComprobacion::Error || !reparar_)
            Escribir();
    }
    bool Reparar(int) override {
        if (!reparar_)
            Escribir();
        return reparar_;
    }
    void FalloReparacion(int, const QString& descripcion) override {
        Escribir();
        Errores() << QStringLiteral("No se ha podido reparar (no se ha cambiado nada): ") << descripcion
                  << '\n';
    }
    void SigueElFallo(int) override {
        Escribir();
        Errores() << TextoSigueElFallo << '\n';
    }

private:
    void Escribir() {
        if (escrita_ == texto_ + TextoResultado(resultado_))
            return;
        escrita_ = texto_ + TextoResultado(resultado_);
        Salida() << escrita_ << '\n';
        Salida().flush();
    }
    bool reparar_;
    QString texto_;
    QString escrita_;
    ResultadoComprobacion resultado_ = ResultadoComprobacion::Correcto;
};

int Comprobar(const Argumentos& a) {
    dao::Database& base =
        AbrirCatalogo(a.posicionales[0], a.Tiene("reparar") ? Acceso::Cambiar : Acceso::Leer);
    // The file itself first, with SQLite's own check: a fault there no repair of the program mends.
    const QStringList fallos = catalogo::FallosDelFichero(base);
    Salida() << QStringLiteral("Comprobado el fichero del catálogo (integrity_check de SQLite)...%1\n")
                    .arg(TextoResultado(fallos.isEmpty() ? ResultadoComprobacion::Correcto
                                                         : ResultadoComprobacion::Error));
    for (const QString& fallo : fallos)
        Salida() << QStringLiteral("  ") << fallo << '\n';
    LineasComprobacion lineas(a.Tiene("reparar"));
    const int sinReparar = ComprobarErrores(base, lineas);
    return sinReparar > 0 || !fallos.isEmpty() ? FalloSinReparar : Hecho;
}

// An old Access/Jet catalogue into a new one; converted in place, the old file is kept beside it.
int Convertir(const Argumentos& a) {
    const ResultadoConversion resultado = ConvertirCatalogoJet(a.posicionales[0], a.posicionales[1]);
    Errores() << QStringLiteral("Conversión terminada con éxito: %1 canciones y %2 letras.\n")
                     .arg(resultado.canciones)
                     .arg(resultado.letras);
    if (!resultado.original.isEmpty())
        Errores() << QStringLiteral("El catálogo antiguo se conserva en «%1».\n")
                         .arg(QDir::toNativeSeparators(resultado.original));
    return Hecho;
}

int Estadisticas(const Argumentos& a) {
    dao::Database& base = AbrirCatalogo(a.posicionales[0], Acceso::Leer);
    const auto lineas = PorcentajesLetras(base);
    const char* const etiquetas[3] = {"Con Letra:", "Sin Letra:", "Huérfanas:"};
    for (int i = 0; i < 3; ++i)
        Salida() << QStringLiteral("%1 %2 %3\n")
                        .arg(QString::fromUtf8(etiquetas[i]), -11)
                        .arg(lineas ? (*lineas)[i].total : QString(), 13)
                        .arg(lineas ? (*lineas)[i].porciento : QStringLiteral("0,00%"), 8);
    return Hecho;
}

QString RaizVolumen(const Argumentos& a, const QString& directorio) {
    if (const auto volumen = a.Valor("volumen"))
        return QFileInfo(*volumen).absoluteFilePath();
    QStringList raices;
    for (const QStorageInfo& volumen : QStorageInfo::mountedVolumes())
        if (volumen.isValid() && volumen.isReady())
            raices << volumen.rootPath();
    const QString raiz = VolumenDe(raices, directorio);
    return raiz.isEmpty() ? QDir::rootPath() : raiz;
}

int Anadir(const Argumentos& a) {
    OpcionesAnadido opciones;
    opciones.cabecera = a.Valor("cabecera").value_or(QString());
    if (opciones.cabecera.trimmed().isEmpty())
        throw ErrorUso{QStringLiteral("¡Debe introducir una Cabecera!")};
    const QFileInfo directorio(a.posicionales[1]);
    if (!directorio.isDir()) {
        Errores()
            << QStringLiteral("«%1» no es un directorio.\n").arg(QDir::toNativeSeparators(a.posicionales[1]));
        return Fallo;
    }
    opciones.directorio = directorio.absoluteFilePath();
    opciones.raizVolumen = RaizVolumen(a, opciones.directorio);
    opciones.filtro = a.Valor("filtro").value_or(QStringLiteral("*.*"));
    opciones.incluirSubdirectorios = a.Tiene("subdirectorios");
    opciones.ordenar = !a.Tiene("sin-ordenar");
    opciones.nombre.separador = a.Valor("separador").value_or(QStringLiteral("--"));
    if (const auto formato = a.Valor("quitar-numeros")) {
        if (formato->isEmpty())
            throw ErrorUso{QStringLiteral("¡Debe introducir un formato de Número!")};
        opciones.nombre.quitarNumeros = true;
        opciones.nombre.formatoNumeros = *formato;
    }
    opciones.nombre.convertirUnderscore = a.Tiene("convertir-subrayados");
    opciones.nombre.primeroAutor = !a.Tiene("primero-titulo");
    opciones.leerLetras = a.Tiene("letras");

    AbrirCatalogo(a.posicionales[0], Acceso::Crear);
    ResultadoAnadido resultado;
    {
        BarraTerminal barra;
        resultado = AnadirFicheros(opciones, barra);
    }
    for (const QString& ilegible : std::as_const(resultado.ilegibles))
        Errores()
            << QStringLiteral("No se ha podido leer el directorio «%1»; se ha saltado.\n").arg(ilegible);
    for (const QString& ilegible : std::as_const(resultado.etiquetasIlegibles))
        Errores() << QStringLiteral("No se han podido leer las etiquetas de «%1»; se ha añadido sin ellas.\n")
                         .arg(ilegible);
    for (const QString& fichero : std::as_const(resultado.etiquetasNoAdmitidas))
        Errores() << QStringLiteral("Las etiquetas de «%1» tienen un autor o un título que el catálogo no "
                                    "admite (más de %2 caracteres o un carácter no permitido); se ha añadido "
                                    "con el nombre del fichero.\n")
                         .arg(fichero)
                         .arg(dao::LargoMaximoTexto);
    for (const QString& fichero : std::as_const(resultado.nombresNoAdmitidos))
        Errores() << QStringLiteral("No se ha añadido «%1»: el catálogo no admite su nombre (más de %2 "
                                    "caracteres o un carácter no permitido).\n")
                         .arg(fichero)
                         .arg(dao::LargoMaximoTexto);
    for (const QString& directorio : std::as_const(resultado.rutasNoAdmitidas))
        Errores() << QStringLiteral("No se han añadido los ficheros de «%1»: el catálogo no admite su ruta "
                                    "(más de %2 caracteres o un carácter no permitido).\n")
                         .arg(directorio)
                         .arg(dao::LargoMaximoTexto);
    for (const QString& grande : std::as_const(resultado.grandes))
        Errores() << QStringLiteral("No se ha añadido «%1»: su tamaño pasa de %2 bytes.\n")
                         .arg(grande)
                         .arg(LongitudMaximaFichero);
    if (!resultado.error.isEmpty()) {
        Errores() << QStringLiteral("La búsqueda se ha detenido por un error de la base de datos:\n")
                  << resultado.error
                  << QStringLiteral("\nLas canciones añadidas hasta ese momento (%1) se han guardado.\n")
                         .arg(resultado.filas);
        return resultado.filas > 0 || resultado.letras > 0 ? HechoEnParte : Fallo;
    }
    if (!resultado.encontrado) {
        Errores() << QStringLiteral("¡No se han encontrado ficheros! (Ficheros: %1)\n").arg(opciones.filtro);
        return Fallo;
    }
    if (opciones.leerLetras)
        Errores() << QStringLiteral("Terminado: %1 canciones añadidas, %2 letras encontradas.\n")
                         .arg(resultado.filas)
                         .arg(resultado.letras);
    else
        Errores() << QStringLiteral("Terminado: %1 canciones añadidas.\n").arg(resultado.filas);
    return Hecho;
}

struct Orden {
    const char* nombre;
    const char* uso;
    int posicionales;
    QStringList opcionesConValor;
    QStringList banderas;
    std::function<int(const Argumentos&)> ejecutar;
};

const std::vector<Orden>& Ordenes() {
    static const std::vector<Orden> ordenes = {
        {"exportar", "exportar  CATALOGO FICHERO [--clave CLAVE]", 2, {"clave"}, {}, Exportar},
        {"importar", "importar  CATALOGO FICHERO [--clave CLAVE]", 2, {"clave"}, {}, Importar},
        {"listar",
         "listar    CATALOGO FICHERO [--cabecera C [--ruta R]] [--sin-ficheros]",
         2,
         {"cabecera", "ruta"},
         {"sin-ficheros"},
         Listar},
        {"comprobar", "comprobar CATALOGO [--reparar]", 1, {}, {"reparar"}, Comprobar},
        {"estadisticas", "estadisticas CATALOGO", 1, {}, {}, Estadisticas},
        {"convertir", "convertir ANTIGUO NUEVO", 2, {}, {}, Convertir},
        {"anadir",
         "anadir    CATALOGO DIRECTORIO --cabecera C [--filtro PATRON] [--separador SEP]\n"
         "                       [--subdirectorios] [--sin-ordenar] [--quitar-numeros FORMATO]\n"
         "                       [--convertir-subrayados] [--primero-titulo] [--volumen RAIZ] [--letras]",
         2,
         {"cabecera", "filtro", "separador", "quitar-numeros", "volumen"},
         {"subdirectorios", "sin-ordenar", "convertir-subrayados", "primero-titulo", "letras"},
         Anadir},
    };
    return ordenes;
}

QString Uso() {
    QString texto = QStringLiteral("Uso:\n");
    for (const Orden& orden : Ordenes())
        texto += QStringLiteral("  cantorio-util ") + QString::fromUtf8(orden.uso) + u'\n';
    texto += QStringLiteral(
        "\nCATALOGO es un fichero de catálogo (Cantorio.mdb); solo \"anadir\" e "
        "\"importar\" lo crean si no existe.\n"
        "\"exportar\", \"listar\", \"estadisticas\" y \"comprobar\" sin --reparar solo leen el catálogo:\n"
        "sirven también con un catálogo de solo lectura.\n"
        "\"exportar\" escribe las canciones del catálogo, no sus letras: el fichero no es una copia de\n"
        "seguridad completa, y \"importar\" añade sus canciones sin letra.\n"
        "\"convertir\" pasa un catálogo antiguo de Access (Jet 3 o Jet 4) a uno nuevo; si NUEVO\n"
        "es el mismo fichero, el antiguo se conserva al lado, renombrado.\n"
        "Estado de salida: 0 hecho, 1 error (no se ha cambiado nada), 2 uso incorrecto,\n"
        "3 \"comprobar\" ha dejado algún error sin reparar, 4 hecho en parte (\"anadir\" se ha\n"
        "detenido por un error y ha guardado las canciones añadidas hasta entonces).\n");
    return texto;
}

Argumentos Analizar(const Orden& orden, const QStringList& lista) {
    Argumentos argumentos;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString& actual = lista[i];
        if (!actual.startsWith(QLatin1String("--"))) {
            argumentos.posicionales << actual;
            continue;
        }
        const QString nombre = actual.mid(2);
        if (orden.banderas.contains(nombre)) {
            argumentos.opciones[nombre] = QString();
        } else if (orden.opcionesConValor.contains(nombre)) {
            if (i + 1 >= lista.size())
                throw ErrorUso{QStringLiteral("Falta el valor de %1.").arg(actual)};
            argumentos.opciones[nombre] = lista[++i];
        } else {
            throw ErrorUso{QStringLiteral("Opción desconocida: %1").arg(actual)};
        }
    }
    if (argumentos.posicionales.size() != orden.posicionales)
        throw ErrorUso{QStringLiteral("Número de argumentos incorrecto.")};
    return argumentos;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacion(argc, argv);
    const QStringList lista = QCoreApplication::arguments().mid(1);
    if (lista.isEmpty() || lista.contains(QLatin1String("--ayuda")) ||
        lista.contains(QLatin1String("--help"))) {
        (lista.isEmpty() ? Errores() : Salida()) << Uso();
        return lista.isEmpty() ? MalUso : Hecho;
    }
    const auto orden = std::find_if(Ordenes().begin(), Ordenes().end(),
                                    [&](const Orden& o) { return lista.first() == QLatin1String(o.nombre); });
    if (orden == Ordenes().end()) {
        Errores() << QStringLiteral("Orden desconocida: %1\n\n").arg(lista.first()) << Uso();
        return MalUso;
    }
    int estado = Hecho;
    try {
        estado = orden->ejecutar(Analizar(*orden, lista.mid(1)));
    } catch (const ErrorUso& error) {
        Errores() << error.mensaje << QStringLiteral("\nUso: cantorio-util ") << QString::fromUtf8(orden->uso)
                  << '\n';
        estado = MalUso;
    } catch (const FalloFichero& fallo) {
        Errores() << fallo.Mensaje() << '\n';
        estado = Fallo;
    } catch (const dao::ErrorBD& error) {
        Errores() << QStringLiteral("Error %1: %2\n").arg(error.Numero()).arg(error.Descripcion());
        estado = Fallo;
    }
    Salida().flush();
    Errores().flush();
    BBDD::CerrarBaseDatos();
    if (estado != Hecho && estado != HechoEnParte && !catalogoCreado.isEmpty())
        for (const char* sufijo : {"", "-wal", "-shm"})
            QFile::remove(catalogoCreado + QLatin1String(sufijo));
    return estado;
}
