#include "utilities/ListadoArbol.h"

#include "utilities/FormatoNumeros.h"

namespace {

const QByteArray Guiones(70, '-');

void Separador(FicheroTexto& fichero) {
    fichero.Linea({});
    fichero.Linea(Guiones);
    fichero.Linea({});
}

// A field without a value adds nothing to its line.
void Campo(const catalogo::Filas& filas, int columna, FicheroTexto& fichero) {
    if (!filas.Nulo(columna))
        fichero.Texto(filas.Texto(columna));
}

// One text of the previous row, Null apart from every text.
struct Anterior {
    bool hay = false;
    bool nulo = false;
    QByteArray texto;

    // Whether the value in column of the row starts a new block, as the catalogue compares texts.
    bool Cambia(catalogo::ComparacionTextos& comparacion, const catalogo::Filas& filas, int columna) const {
        if (!hay)
            return true;
        if (filas.Nulo(columna) || nulo)
            return filas.Nulo(columna) != nulo;
        return !comparacion.Iguales(texto, filas.Texto(columna));
    }
    void Tomar(const catalogo::Filas& filas, int columna) {
        hay = true;
        nulo = filas.Nulo(columna);
        texto = nulo ? QByteArray() : filas.Texto(columna).toByteArray();
    }
};

ResultadoListado Escribir(dao::Database& base, FicheroTexto& fichero, const OpcionesListado& opciones,
                          ProgresoUtilidad& progreso) {
    Separador(fichero);
    fichero.Linea(fichero.Bytes((u' ' + opciones.version).toUtf8()));
    ResultadoListado resultado;
    const std::unique_ptr<catalogo::Filas> filas =
        catalogo::FilasListado(base, opciones.alcance, opciones.ficheros);
    catalogo::ComparacionTextos comparacion(base);
    Anterior cabecera, ruta;
    qint64 posicion = 0;
    while (filas->Siguiente()) {
        if ((posicion & 1023) == 0)
            progreso.Valor(posicion);
        ++posicion;
        const bool nuevaCabecera = cabecera.Cambia(comparacion, *filas, 0);
        if (nuevaCabecera) {
            Separador(fichero);
            Campo(*filas, 0, fichero);
            fichero.FinLinea();
            if (!opciones.ficheros)
                fichero.Linea({});
            cabecera.Tomar(*filas, 0);
            ++resultado.cabeceras;
        }
        if (nuevaCabecera || ruta.Cambia(comparacion, *filas, 1)) {
            if (opciones.ficheros)
                fichero.Linea({});
            fichero.Anadir("   ");
            Campo(*filas, 1, fichero);
            fichero.FinLinea();
            if (opciones.ficheros)
                fichero.Linea({});
            ruta.Tomar(*filas, 1);
            ++resultado.rutas;
        }
        if (opciones.ficheros) {
            fichero.Anadir("      ");
            Campo(*filas, 2, fichero);
            fichero.Anadir(" -- ");
            Campo(*filas, 3, fichero);
            fichero.Anadir(".");
            Campo(*filas, 4, fichero);
            fichero.FinLinea();
            ++resultado.ficheros;
        }
    }
    Separador(fichero);
    fichero.Linea(
        fichero.Bytes((QStringLiteral(" Cabeceras : ") + FormatoEntero(resultado.cabeceras)).toUtf8()));
    fichero.Linea(fichero.Bytes((QStringLiteral("     Rutas : ") + FormatoEntero(resultado.rutas)).toUtf8()));
    fichero.Linea(
        fichero.Bytes((QStringLiteral("  Ficheros : ") + FormatoEntero(resultado.ficheros)).toUtf8()));
    fichero.Linea({});
    fichero.Linea(Guiones);
    return resultado;
}

} // namespace

ResultadoListado EscribirListado(dao::Database& base, const QString& ruta, const OpcionesListado& opciones,
                                 ProgresoUtilidad& progreso) {
    progreso.Maximo(catalogo::ContarFilasListado(base, opciones.alcance, opciones.ficheros));
    ResultadoListado resultado;
    EscribirFichero(ruta, base.Ruta(),
                    [&](FicheroTexto& fichero) { resultado = Escribir(base, fichero, opciones, progreso); });
    progreso.Valor(resultado.ficheros > 0 ? resultado.ficheros : resultado.rutas);
    return resultado;
}
