#include "maintenance/AnadidoCanciones.h"

#include "maintenance/RecorridoDirectorios.h"
#include "maintenance/RutasVolumen.h"
#include "store/BBDD.h"

#include <QCollator>
#include <QFile>

#include <algorithm>

namespace {

// Leading and trailing spaces removed; other characters are kept.
QString SinBlancos(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto.at(inicio) == u' ')
        ++inicio;
    while (fin > inicio && texto.at(fin - 1) == u' ')
        --fin;
    return texto.mid(inicio, fin - inicio);
}

QString BlancoSiVacio(const QString& texto) {
    const QString limpio = SinBlancos(texto);
    return limpio.isEmpty() ? QStringLiteral(" ") : limpio;
}

void OrdenarAlfabeticamente(std::vector<FicheroEncontrado>& ficheros) {
    QCollator orden;
    orden.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(ficheros.begin(), ficheros.end(), [&orden](const auto& a, const auto& b) {
        return orden.compare(a.nombre, b.nombre) < 0;
    });
}

Recorrido Directorios(const OpcionesAnadido& opciones, ProgresoAnadido& progreso) {
    if (opciones.incluirSubdirectorios)
        return RecorrerDirectorios(opciones.directorio, [&](const QString& d) {
            progreso.Linea(RutaCatalogo(opciones.raizVolumen, d));
        });
    Recorrido solo;
    const QString raiz =
        opciones.directorio.endsWith(u'/') ? opciones.directorio : opciones.directorio + u'/';
    solo.directorios.push_back({QFile::encodeName(raiz), raiz});
    return solo;
}

// The rows of one directory's files, numbered from 1 in the order given.
void EscribirDirectorio(const QString& cabecera, const QString& ruta, const DirectorioEncontrado& directorio,
                        const std::vector<FicheroEncontrado>& ficheros, const OpcionesNombre& opcionesNombre,
                        ResultadoAnadido& resultado) {
    int posicion = 1;
    for (const FicheroEncontrado& fichero : ficheros) {
        if (fichero.longitud > LongitudMaximaFichero) {
            resultado.grandes << directorio.texto + fichero.nombre;
            continue;
        }
        const NombreInterpretado nombre = InterpretarNombre(fichero.nombre, opcionesNombre);
        AnadirCancion(cabecera, ruta, nombre.autor, nombre.titulo, nombre.extension,
                      static_cast<int>(fichero.longitud), posicion++);
        ++resultado.filas;
    }
}

void Procesar(const OpcionesAnadido& opciones, const Recorrido& recorrido, ProgresoAnadido& progreso,
              ResultadoAnadido& resultado) {
    const QString cabecera = SinBlancos(opciones.cabecera);
    const PatronFicheros patron(opciones.filtro);
    dao::LoteEscritura lote(*BBDD::BaseDatos);
    std::vector<FicheroEncontrado> ficheros;
    for (const DirectorioEncontrado& directorio : recorrido.directorios) {
        // The folder as the catalogue keeps its route, with "\" separators.
        const QString ruta = RutaCatalogo(opciones.raizVolumen, directorio.texto);
        progreso.Linea(QStringLiteral("Directorio: ") + ruta);
        ficheros.clear();
        if (!ListarFicheros(directorio.ruta, patron, ficheros) &&
            !resultado.ilegibles.contains(directorio.texto))
            resultado.ilegibles << directorio.texto;
        if (!ficheros.empty()) {
            resultado.encontrado = true;
            if (opciones.ordenar)
                OrdenarAlfabeticamente(ficheros);
            EscribirDirectorio(cabecera, ruta, directorio, ficheros, opciones.nombre, resultado);
        }
        progreso.Avanzar();
    }
}

} // namespace

void AnadirCancion(const QString& cabecera, const QString& ruta, const QString& autor, const QString& titulo,
                   const QString& extension, int longitud, int posicion) {
    dao::Recordset& canciones = *BBDD::RecordsetCanciones;
    canciones.AddNew();
    canciones.SetField(QStringLiteral("CABECERA"), SinBlancos(cabecera));
    canciones.SetField(QStringLiteral("RUTA"), SinBlancos(ruta));
    canciones.SetField(QStringLiteral("AUTOR"), BlancoSiVacio(autor));
    canciones.SetField(QStringLiteral("TITULO"), BlancoSiVacio(titulo));
    canciones.SetField(QStringLiteral("EXTENSION"), BlancoSiVacio(extension));
    canciones.SetField(QStringLiteral("LONGITUD"), longitud);
    canciones.SetField(QStringLiteral("IDX_CANCION"), 0);
    canciones.SetField(QStringLiteral("REL_POS"), posicion);
    canciones.Update();
}

ResultadoAnadido AnadirFicheros(const OpcionesAnadido& opciones, ProgresoAnadido& progreso) {
    if (SinBlancos(opciones.cabecera).isEmpty())
        throw dao::ErrorBD(3315, QStringLiteral("La cabecera no puede estar en blanco."));
    ResultadoAnadido resultado;
    const Recorrido recorrido = Directorios(opciones, progreso);
    resultado.ilegibles = recorrido.ilegibles;
    progreso.Titulo(QStringLiteral("Procesando..."));
    progreso.Maximo(static_cast<int>(recorrido.directorios.size()) + 1);
    try {
        Procesar(opciones, recorrido, progreso, resultado);
    } catch (const dao::ErrorBD& error) {
        // The batch has been committed by now: what was written stays written.
        resultado.error = error.Descripcion();
    }
    return resultado;
}
