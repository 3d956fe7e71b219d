#include "maintenance/AnadidoCanciones.h"

#include "maintenance/LecturaEtiquetas.h"
#include "maintenance/RecorridoDirectorios.h"
#include "maintenance/RutasVolumen.h"
#include "store/BBDD.h"
#include "store/Catalogo.h"
#include "store/CatalogoLetras.h"
#include "store/InsercionAgrupada.h"

#include <QCollator>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <deque>
#include <limits>
#include <optional>

namespace {

// Leading and trailing spaces removed; other characters are kept.
QStringView SinBlancos(QStringView texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto.at(inicio) == u' ')
        ++inicio;
    while (fin > inicio && texto.at(fin - 1) == u' ')
        --fin;
    return texto.sliced(inicio, fin - inicio);
}

QStringView BlancoSiVacio(QStringView texto) {
    const QStringView limpio = SinBlancos(texto);
    return limpio.isEmpty() ? QStringView(u" ") : limpio;
}

void OrdenarAlfabeticamente(std::vector<FicheroEncontrado>& ficheros) {
    QCollator orden;
    orden.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(ficheros.begin(), ficheros.end(), [&orden](const auto& a, const auto& b) {
        return orden.compare(a.nombre, b.nombre) < 0;
    });
}

// The directories to catalogue, each read once, with their matching files.
Recorrido Directorios(const OpcionesAnadido& opciones, ProgresoAnadido& progreso) {
    return RecorrerDirectorios(
        opciones.directorio, PatronFicheros(opciones.filtro), opciones.incluirSubdirectorios,
        [&](const QString& d) { progreso.Linea(RutaCatalogo(opciones.raizVolumen, d)); });
}

// The lyrics read from the files: each one a new lyric number and a LETRAS row, as if typed, with the
// mark of where it came from. A directory's lyrics are written together, before its songs.
class EscrituraLetras {
public:
    explicit EscrituraLetras(dao::Database& base)
        : insercion_(base, QStringLiteral("LETRAS"),
                     {QStringLiteral("IDX_CANCION"), QStringLiteral("LYRICS"), QStringLiteral("ORIGEN")}),
          siguiente_(catalogo::NumeroLetraNueva(base)) {}
    // The number of each file's lyric, 0 for a file that brings none.
    std::vector<int> Escribir(const std::vector<DatosFichero>& datos) {
        std::vector<int> numeros;
        numeros.reserve(datos.size());
        for (const DatosFichero& fichero : datos) {
            if (fichero.origen == OrigenLetra::Ninguno) {
                numeros.push_back(0);
                continue;
            }
            if (siguiente_ == std::numeric_limits<int>::max())
                throw dao::ErrorBD(
                    6, QStringLiteral("Desbordamiento: no queda ningún número libre para una letra nueva."));
            numeros.push_back(siguiente_);
            insercion_.Anadir({qint64(siguiente_++), fichero.letra,
                               fichero.origen == OrigenLetra::Etiquetas ? catalogo::OrigenEtiquetas
                                                                        : fichero.ficheroLetra});
        }
        insercion_.Escribir();
        return numeros;
    }

private:
    dao::InsercionAgrupada insercion_;
    int siguiente_;
};

// A directory's files in the order they are written and, when the files' lyrics are read, what each
// file told (one for each file; nothing for a file too long to catalogue).
struct DirectorioLeido {
    std::vector<FicheroEncontrado> ficheros;
    std::vector<DatosFichero> datos;
};

// A text file read as the lyric of a song beside it is that song's lyric, not a song of its own.
void QuitarFicherosDeLetra(DirectorioLeido& leido) {
    QSet<QString> letras;
    for (const DatosFichero& datos : leido.datos)
        if (datos.origen == OrigenLetra::FicheroAparte)
            letras.insert(datos.ficheroLetra);
    if (letras.isEmpty())
        return;
    std::size_t quedan = 0;
    for (std::size_t i = 0; i < leido.ficheros.size(); ++i)
        if (!letras.contains(leido.ficheros[i].nombre)) {
            leido.ficheros[quedan] = std::move(leido.ficheros[i]);
            leido.datos[quedan++] = std::move(leido.datos[i]);
        }
    leido.ficheros.resize(quedan);
    leido.datos.resize(quedan);
}

DirectorioLeido LeerDirectorio(DirectorioEncontrado& directorio, const OpcionesAnadido& opciones) {
    DirectorioLeido leido{directorio.ficheros.Ficheros(), {}};
    directorio.ficheros = {}; // read now: its names need not be kept any longer
    if (opciones.ordenar)
        OrdenarAlfabeticamente(leido.ficheros);
    if (opciones.leerLetras && !leido.ficheros.empty()) {
        const QSet<QString> textos = FicherosDeTexto(directorio.ruta);
        leido.datos.reserve(leido.ficheros.size());
        for (const FicheroEncontrado& fichero : leido.ficheros)
            leido.datos.push_back(
                fichero.longitud > LongitudMaximaFichero
                    ? DatosFichero()
                    : LeerDatosFichero(directorio.ruta + fichero.NombreSistema(), fichero.nombre, textos));
        QuitarFicherosDeLetra(leido);
    }
    return leido;
}

// The directories read ahead of the writing, on a thread of their own, when the files themselves are
// read: opening every file costs as much as writing its row, and the two then run side by side.
class LecturaAdelantada {
public:
    LecturaAdelantada(std::vector<DirectorioEncontrado>& directorios, const OpcionesAnadido& opciones)
        : directorios_(directorios), opciones_(opciones) {
        hilo_.setMaxThreadCount(1);
        while (pedidos_ < directorios_.size() && pendientes_.size() < Adelanto)
            Pedir();
    }
    // The next directory, in the walk's order; waits while it is being read.
    DirectorioLeido Siguiente() {
        QFuture<DirectorioLeido> leido = std::move(pendientes_.front());
        pendientes_.pop_front();
        if (pedidos_ < directorios_.size())
            Pedir();
        return leido.takeResult();
    }

private:
    // Directories read and not yet written: enough to keep the reading busy, few enough to hold.
    static constexpr std::size_t Adelanto = 16;

    void Pedir() {
        DirectorioEncontrado& directorio = directorios_[pedidos_++];
        pendientes_.push_back(
            QtConcurrent::run(&hilo_, [&directorio, this] { return LeerDirectorio(directorio, opciones_); }));
    }

    std::vector<DirectorioEncontrado>& directorios_;
    const OpcionesAnadido& opciones_;
    std::size_t pedidos_ = 0;
    std::deque<QFuture<DirectorioLeido>> pendientes_;
    QThreadPool hilo_; // last, so that it is the first to go: it waits for the reading under way
};

struct Escritura {
    EscrituraCanciones canciones;
    std::optional<EscrituraLetras> letras; // only when the files' lyrics are read
};

// Whether the catalogue can hold the texts a file's name gives its row (and the name itself, which a
// lyric read from a file beside it records).
bool NombreAdmitido(const QString& fichero, const NombreInterpretado& nombre) {
    return dao::TextoAdmitido(fichero) && dao::TextoAdmitido(nombre.autor) &&
           dao::TextoAdmitido(nombre.titulo) && dao::TextoAdmitido(nombre.extension);
}

// Leaves in the directory only the files that become rows, and gives the names of their rows. Those
// left out are named in the result: too long for LONGITUD, or a name the catalogue cannot hold (a
// replaced character would make the row name another file).
std::vector<NombreInterpretado> QuitarOmitidos(DirectorioLeido& leido, const QString& texto,
                                               const OpcionesNombre& opcionesNombre,
                                               ResultadoAnadido& resultado) {
    const bool conDatos = !leido.datos.empty();
    std::vector<NombreInterpretado> nombres;
    nombres.reserve(leido.ficheros.size());
    std::size_t quedan = 0;
    for (std::size_t i = 0; i < leido.ficheros.size(); ++i) {
        const FicheroEncontrado& fichero = leido.ficheros[i];
        if (fichero.longitud > LongitudMaximaFichero) {
            resultado.grandes << texto + fichero.nombre;
            continue;
        }
        NombreInterpretado nombre = InterpretarNombre(fichero.nombre, opcionesNombre);
        if (!NombreAdmitido(fichero.nombre, nombre)) {
            resultado.nombresNoAdmitidos << texto + fichero.nombre;
            continue;
        }
        nombres.push_back(std::move(nombre));
        leido.ficheros[quedan] = std::move(leido.ficheros[i]);
        if (conDatos)
            leido.datos[quedan] = std::move(leido.datos[i]);
        ++quedan;
    }
    leido.ficheros.resize(quedan);
    if (conDatos)
        leido.datos.resize(quedan);
    return nombres;
}

// The rows of one directory's files, numbered from 1 in the order given; its lyrics first, in the same
// committed batch as the songs that name them. A directory whose route the catalogue cannot hold is
// left out and named.
void EscribirDirectorio(Escritura& escritura, const QString& cabecera, const QString& ruta,
                        const DirectorioEncontrado& directorio, DirectorioLeido& leido,
                        const OpcionesNombre& opcionesNombre, ResultadoAnadido& resultado) {
    if (!dao::TextoAdmitido(ruta)) {
        resultado.rutasNoAdmitidas << directorio.texto;
        return;
    }
    std::vector<NombreInterpretado> nombres =
        QuitarOmitidos(leido, directorio.texto, opcionesNombre, resultado);
    if (nombres.empty())
        return;
    std::optional<dao::GrupoLote> grupo;
    if (escritura.letras)
        grupo.emplace(*BBDD::BaseDatos);
    const std::vector<int> letras =
        escritura.letras ? escritura.letras->Escribir(leido.datos) : std::vector<int>();
    for (std::size_t i = 0; i < leido.ficheros.size(); ++i) {
        const FicheroEncontrado& fichero = leido.ficheros[i];
        NombreInterpretado& nombre = nombres[i];
        int idx = 0;
        if (escritura.letras) {
            const DatosFichero& datos = leido.datos[i];
            if (datos.etiquetasIlegibles)
                resultado.etiquetasIlegibles << directorio.texto + fichero.nombre;
            // A name that does not split (no second part): the tags' artist and title, where they have one
            // and the catalogue can hold them; otherwise the name's.
            QString& segunda = opcionesNombre.primeroAutor ? nombre.titulo : nombre.autor;
            if (segunda.trimmed().isEmpty()) {
                if (!dao::TextoAdmitido(datos.artista) || !dao::TextoAdmitido(datos.titulo)) {
                    resultado.etiquetasNoAdmitidas << directorio.texto + fichero.nombre;
                } else {
                    if (!datos.artista.isEmpty())
                        nombre.autor = datos.artista;
                    if (!datos.titulo.isEmpty())
                        nombre.titulo = datos.titulo;
                }
            }
            if (letras[i] != 0) {
                idx = letras[i];
                ++resultado.letras;
            }
        }
        escritura.canciones.AnadirCancion(cabecera, ruta, nombre.autor, nombre.titulo, nombre.extension,
                                          static_cast<int>(fichero.longitud), static_cast<int>(i) + 1, idx);
        ++resultado.filas;
    }
    if (grupo)
        grupo->Confirmar();
}

void Procesar(const OpcionesAnadido& opciones, Recorrido& recorrido, ProgresoAnadido& progreso,
              ResultadoAnadido& resultado) {
    const QString cabecera = SinBlancos(opciones.cabecera).toString();
    Escritura escritura{EscrituraCanciones(*BBDD::BaseDatos), std::nullopt};
    std::optional<LecturaAdelantada> adelantada;
    if (opciones.leerLetras) {
        escritura.letras.emplace(*BBDD::BaseDatos);
        adelantada.emplace(recorrido.directorios, opciones);
    }
    dao::LoteEscritura lote(*BBDD::BaseDatos);
    for (DirectorioEncontrado& directorio : recorrido.directorios) {
        // The folder as the catalogue keeps its route, with "\" separators.
        const QString ruta = RutaCatalogo(opciones.raizVolumen, directorio.texto);
        progreso.Linea(QStringLiteral("Directorio: ") + ruta);
        DirectorioLeido leido = adelantada ? adelantada->Siguiente() : LeerDirectorio(directorio, opciones);
        if (!leido.ficheros.empty()) {
            resultado.encontrado = true;
            EscribirDirectorio(escritura, cabecera, ruta, directorio, leido, opciones.nombre, resultado);
        }
        progreso.Avanzar();
    }
    lote.Terminar();
}

// The rowid of a table's last row; the rows a scan adds come after it.
qint64 UltimaFila(dao::Database& base, const QString& tabla) {
    auto rs = base.OpenRecordset(QStringLiteral("SELECT MAX(rowid) FROM ") + tabla);
    return rs->Field(0).toLongLong();
}

qint64 FilasTras(dao::Database& base, const QString& tabla, qint64 fila) {
    auto rs =
        base.OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE rowid > %2").arg(tabla).arg(fila));
    return rs->Field(0).toLongLong();
}

} // namespace

EscrituraCanciones::EscrituraCanciones(dao::Database& base)
    : insercion_(base, QStringLiteral("CANCIONES"),
                 {QStringLiteral("CABECERA"), QStringLiteral("RUTA"), QStringLiteral("AUTOR"),
                  QStringLiteral("TITULO"), QStringLiteral("EXTENSION"), QStringLiteral("LONGITUD"),
                  QStringLiteral("IDX_CANCION"), QStringLiteral("REL_POS")}) {}

void EscrituraCanciones::AnadirCancion(QStringView cabecera, QStringView ruta, QStringView autor,
                                       QStringView titulo, QStringView extension, int longitud, int posicion,
                                       int idxCancion) {
    insercion_.Texto(0, SinBlancos(cabecera));
    insercion_.Texto(1, SinBlancos(ruta));
    insercion_.Texto(2, BlancoSiVacio(autor));
    insercion_.Texto(3, BlancoSiVacio(titulo));
    insercion_.Texto(4, BlancoSiVacio(extension));
    insercion_.Entero(5, longitud);
    insercion_.Entero(6, idxCancion);
    insercion_.Entero(7, posicion);
    insercion_.Anadir();
}

ResultadoAnadido AnadirFicheros(const OpcionesAnadido& opciones, ProgresoAnadido& progreso) {
    if (SinBlancos(opciones.cabecera).isEmpty())
        throw dao::ErrorBD(3315, QStringLiteral("La cabecera no puede estar en blanco."));
    ResultadoAnadido resultado;
    Recorrido recorrido = Directorios(opciones, progreso);
    resultado.ilegibles = recorrido.ilegibles;
    progreso.Titulo(QStringLiteral("Procesando..."));
    progreso.Maximo(static_cast<int>(recorrido.directorios.size()) + 1);
    const qint64 ultimaCancion = UltimaFila(*BBDD::BaseDatos, QStringLiteral("CANCIONES"));
    const qint64 ultimaLetra = UltimaFila(*BBDD::BaseDatos, QStringLiteral("LETRAS"));
    try {
        Procesar(opciones, recorrido, progreso, resultado);
    } catch (const dao::ErrorBD& error) {
        resultado.error = error.Descripcion();
        // What was written before the error is committed by now (less the directory under way when the
        // lyrics are read: it is undone whole), unless the engine undid the open batch itself (a full
        // disk): the songs and lyrics kept are counted, never those written.
        resultado.filas =
            static_cast<int>(FilasTras(*BBDD::BaseDatos, QStringLiteral("CANCIONES"), ultimaCancion));
        resultado.letras =
            static_cast<int>(FilasTras(*BBDD::BaseDatos, QStringLiteral("LETRAS"), ultimaLetra));
    }
    return resultado;
}
