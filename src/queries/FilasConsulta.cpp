#include "queries/FilasConsulta.h"

#include "store/Dao.h"
#include "store/Globales.h"
#include "store/LecturaSecuencial.h"

#include <unicode/ucol.h>

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
    for (int campo = 0; campo < NumeroCamposCancion; ++campo)
        if (campo != Longitud && !devueltos[campo])
            return false;
    return true;
}

FilasConsulta LeerFilas(dao::LecturaSecuencial& rs, qsizetype memoriaMaxima) {
    QStringList nombres;
    for (int i = 0; i < rs.FieldCount(); ++i)
        nombres << rs.FieldName(i);
    std::array<int, NumeroCamposCancion> indices{};
    FilasConsulta resultado;
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

TitulosConLetra::TitulosConLetra(dao::Database& base) : base_(base) {
    UErrorCode estado = U_ZERO_ERROR;
    colador_ = ucol_open("en_US", &estado);
    ucol_setStrength(colador_, UCOL_SECONDARY);
    ucol_setAttribute(colador_, UCOL_NORMALIZATION_MODE, UCOL_ON, &estado);
    auto rs = base.OpenRecordset(QStringLiteral("SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0"));
    for (; !rs->Eof(); rs->MoveNext()) {
        const QVariant titulo = rs->Field(0);
        if (titulo.isValid())
            claves_.insert(Clave(titulo.toString()));
    }
}

TitulosConLetra::~TitulosConLetra() {
    ucol_close(colador_);
}

bool TitulosConLetra::Contiene(const QString& titulo) {
    if (titulo.isNull())
        return false;
    const QString patron = Globales::LimpiaLike(titulo);
    for (const QChar c : patron)
        if (c == u'*' || c == u'?' || c == u'[')
            return HayPatron(patron);
    return claves_.contains(Clave(titulo));
}

bool TitulosConLetra::HayPatron(const QString& patron) {
    const auto hallado = patrones_.constFind(patron);
    if (hallado != patrones_.constEnd())
        return *hallado;
    const QString sql =
        QStringLiteral("SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0 AND TITULO LIKE '%1'")
            .arg(patron);
    bool hay;
    try {
        hay = !base_.OpenRecordset(sql)->Eof();
    } catch (const dao::ErrorBD&) {
        hay = false; // a pattern the engine refuses matches nothing
    }
    patrones_.insert(patron, hay);
    return hay;
}

QByteArray TitulosConLetra::Clave(const QString& titulo) const {
    const auto* texto = reinterpret_cast<const UChar*>(titulo.utf16());
    QByteArray clave(64, Qt::Uninitialized);
    int largo = ucol_getSortKey(colador_, texto, titulo.size(), reinterpret_cast<uint8_t*>(clave.data()),
                                clave.size());
    if (largo > clave.size()) {
        clave.resize(largo);
        largo = ucol_getSortKey(colador_, texto, titulo.size(), reinterpret_cast<uint8_t*>(clave.data()),
                                clave.size());
    }
    clave.resize(largo);
    return clave;
}

void MarcarLetras(std::vector<FilaConsulta>& filas, MarcadoLetras modo, TitulosConLetra* titulos) {
    for (FilaConsulta& fila : filas) {
        if (modo == MarcadoLetras::Dudosas)
            fila.marca = QStringLiteral("?");
        else if (fila.idxCancion != 0 || modo == MarcadoLetras::SiNo)
            fila.marca = SN(fila.idxCancion != 0);
        else
            fila.marca = titulos->Contiene(fila.textos[Titulo]) ? QStringLiteral("?") : QStringLiteral("N");
    }
}

} // namespace Consultas
