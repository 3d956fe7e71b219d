#include "queries/FilasConsulta.h"

#include "store/CatalogoLetras.h"
#include "store/LecturaSecuencial.h"

#include <QHash>

namespace Consultas {

namespace {
const std::array<QString, NumeroCamposCancion>& nombresCampos() {
    static const std::array<QString, NumeroCamposCancion> nombres{
        QStringLiteral("CABECERA"),    QStringLiteral("RUTA"),      QStringLiteral("AUTOR"),
        QStringLiteral("TITULO"),      QStringLiteral("EXTENSION"), QStringLiteral("LONGITUD"),
        QStringLiteral("IDX_CANCION"), QStringLiteral("REL_POS")};
    return nombres;
}

// The CANCIONES column each shown column displays.
int campoDeColumna(Columna columna) {
    switch (columna) {
    case Columna::Cabecera:
        return Cabecera;
    case Columna::Ruta:
        return Ruta;
    case Columna::Autor:
        return Autor;
    case Columna::Titulo:
        return Titulo;
    case Columna::Extension:
        return Extension;
    case Columna::Longitud:
        return Longitud;
    case Columna::Letras:
        return IdxCancion;
    }
    return IdxCancion;
}

// The bytes a row takes: the row itself, and each text's characters with their header.
qsizetype Memoria(const FilaConsulta& fila) {
    qsizetype bytes = sizeof(FilaConsulta);
    for (const QString& texto : fila.textos)
        if (!texto.isNull())
            bytes += 32 + texto.size() * qsizetype(sizeof(QChar));
    return bytes;
}

int indiceDe(const QStringList& nombres, const QString& campo) {
    for (int i = 0; i < nombres.size(); ++i)
        if (nombres[i].compare(campo, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
} // namespace

bool FilasConsulta::Localizables() const {
    if (conIdentidad)
        return true;
    for (int campo = 0; campo < NumeroCamposCancion; ++campo)
        if (campo != Longitud && !devueltos[campo])
            return false;
    return true;
}

FilasConsulta LeerFilas(dao::LecturaSecuencial& rs, bool conIdentidad, qsizetype memoriaMaxima) {
    QStringList nombres;
    for (int i = 0; i < rs.FieldCount(); ++i)
        nombres << rs.FieldName(i);
    std::array<int, NumeroCamposCancion> indices{};
    FilasConsulta resultado;
    resultado.conIdentidad = conIdentidad;
    for (int campo = 0; campo < NumeroCamposCancion; ++campo) {
        indices[campo] = indiceDe(nombres, nombresCampos()[campo]);
        resultado.devueltos[campo] = indices[campo] >= 0;
    }
    qsizetype memoria = 0;
    while (rs.Siguiente()) {
        FilaConsulta fila;
        for (int campo = 0; campo < NumeroCampos; ++campo)
            if (indices[campo] >= 0)
                fila.textos[campo] = rs.Field(indices[campo]).toString();
        if (indices[Longitud] >= 0)
            fila.longitud = rs.Field(indices[Longitud]);
        if (indices[IdxCancion] >= 0)
            fila.idxCancion = rs.Field(indices[IdxCancion]).toInt();
        if (indices[RelPos] >= 0)
            fila.relPos = rs.Field(indices[RelPos]).toInt();
        if (conIdentidad)
            fila.fila = rs.Clave();
        memoria += Memoria(fila);
        if (memoria > memoriaMaxima) {
            resultado.incompleta = true;
            break;
        }
        resultado.filas.push_back(std::move(fila));
    }
    return resultado;
}

QStringList ColumnasQueFaltan(const QStringList& nombres, const ColumnasVistas& vistas) {
    QStringList faltan;
    for (const DefinicionColumna& definicion : TablaColumnas()) {
        if (!vistas[static_cast<int>(definicion.columna)])
            continue;
        const QString& campo = nombresCampos()[campoDeColumna(definicion.columna)];
        if (indiceDe(nombres, campo) < 0)
            faltan << campo;
    }
    return faltan;
}

QString SN(bool algo) {
    return algo ? QStringLiteral("S") : QStringLiteral("N");
}

void MarcarLetras(std::vector<FilaConsulta>& filas, MarcadoLetras modo, dao::Database& base) {
    // The distinct titles of the rows without lyric, asked about all at once.
    QHash<QString, int> lugares;
    QStringList titulos;
    if (modo == MarcadoLetras::Inteligente)
        for (const FilaConsulta& fila : filas)
            if (fila.idxCancion == 0 && !fila.textos[Titulo].isNull() &&
                !lugares.contains(fila.textos[Titulo])) {
                lugares.insert(fila.textos[Titulo], static_cast<int>(titulos.size()));
                titulos << fila.textos[Titulo];
            }
    const std::vector<bool> conHomonimo = catalogo::HayHomonimosConLetra(base, titulos);
    for (FilaConsulta& fila : filas) {
        if (modo == MarcadoLetras::Dudosas)
            fila.marca = catalogo::MarcaPosibleLetra;
        else if (fila.idxCancion != 0 || modo == MarcadoLetras::SiNo)
            fila.marca = SN(fila.idxCancion != 0);
        else
            fila.marca =
                lugares.contains(fila.textos[Titulo]) && conHomonimo[lugares.value(fila.textos[Titulo])]
                    ? catalogo::MarcaPosibleLetra
                    : catalogo::MarcaSinLetra;
    }
}

} // namespace Consultas
