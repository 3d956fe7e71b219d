#include "store/BBDD.h"

#include "store/IndiceLetras.h"

#include <QFileInfo>

namespace BBDD {

namespace {

// Where a lyric came from: Null when typed, otherwise the file it was read from (see CatalogoLetras).
dao::DefinicionCampo CampoOrigen() {
    return {QStringLiteral("ORIGEN"), dao::TipoCampo::Texto};
}

// The indexes behind the program's statements: the songs of a route in order, namesakes by title,
// the songs and the lyric of a lyric number, the titles of the songs that have a lyric (the "?" mark's
// probe, answered from the index alone; its condition names the title, so that a statement that only
// asks for songs with a lyric keeps reading them in the table's order, not the titles'), and the
// trigram index of the lyric texts. A catalogue made before an index existed gets it when it is opened.
// They never change a result.
void CrearIndices(dao::Database& base) {
    const QStringList tablas = base.TableNames();
    if (tablas.contains(QStringLiteral("CANCIONES"), Qt::CaseInsensitive)) {
        base.AsegurarIndice(QStringLiteral("CANCIONES_RUTA"), QStringLiteral("CANCIONES"),
                            {QStringLiteral("CABECERA"), QStringLiteral("RUTA"), QStringLiteral("REL_POS")});
        base.AsegurarIndice(QStringLiteral("CANCIONES_TITULO"), QStringLiteral("CANCIONES"),
                            {QStringLiteral("TITULO")});
        base.AsegurarIndice(QStringLiteral("CANCIONES_LETRA"), QStringLiteral("CANCIONES"),
                            {QStringLiteral("IDX_CANCION")});
        base.AsegurarIndice(QStringLiteral("CANCIONES_TITULO_CON_LETRA"), QStringLiteral("CANCIONES"),
                            {QStringLiteral("TITULO")},
                            QStringLiteral("IDX_CANCION <> 0 AND TITULO IS NOT NULL"));
    }
    if (tablas.contains(QStringLiteral("LETRAS"), Qt::CaseInsensitive)) {
        base.AsegurarIndice(QStringLiteral("LETRAS_NUMERO"), QStringLiteral("LETRAS"),
                            {QStringLiteral("IDX_CANCION")});
        base.AsegurarCampo(QStringLiteral("LETRAS"), CampoOrigen());
        catalogo::AsegurarIndiceLetras(base);
    }
}

} // namespace

void CrearBaseDatos() {
    CrearCatalogo(RutaBaseDatos);
}

void CrearCatalogo(const QString& ruta) {
    auto base = dao::Database::CreateDatabase(ruta, QStringLiteral(";LANGID=0x0409;CP=1252;COUNTRY=0"));

    dao::TableDef canciones = base->CreateTableDef(QStringLiteral("CANCIONES"));
    for (const char* nombre : {"CABECERA", "RUTA", "AUTOR", "TITULO", "EXTENSION"})
        canciones.AppendField(canciones.CreateField(QLatin1String(nombre), dao::TipoCampo::Texto));
    for (const char* nombre : {"LONGITUD", "IDX_CANCION", "REL_POS"})
        canciones.AppendField(canciones.CreateField(QLatin1String(nombre), dao::TipoCampo::Entero));
    base->AppendTableDef(canciones);

    dao::TableDef letras = base->CreateTableDef(QStringLiteral("LETRAS"));
    letras.AppendField(letras.CreateField(QStringLiteral("IDX_CANCION"), dao::TipoCampo::Entero));
    letras.AppendField(letras.CreateField(QStringLiteral("LYRICS"), dao::TipoCampo::Memo));
    letras.AppendField(CampoOrigen());
    base->AppendTableDef(letras);

    CrearIndices(*base);
    base->Close();
}

void AbrirBaseDatos() {
    CerrarBaseDatos();
    // A file of zero bytes holds no catalogue (an interrupted copy, a file made by hand): it is
    // created in place.
    const QFileInfo fichero(RutaBaseDatos);
    if (fichero.exists() && fichero.isFile() && fichero.size() == 0)
        CrearBaseDatos();
    BaseDatos = dao::Database::OpenDatabase(RutaBaseDatos);
    CrearIndices(*BaseDatos);
    RecordsetCanciones = BaseDatos->OpenRecordset(
        QStringLiteral("SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA"), dao::TipoRecordset::Dynaset);
    if (!RecordsetCanciones->Eof())
        RecordsetCanciones->MoveFirst();
}

void CerrarBaseDatos() {
    try {
        if (RecordsetCanciones)
            RecordsetCanciones->Close();
    } catch (const dao::ErrorBD&) {
    }
    RecordsetCanciones.reset();
    try {
        if (BaseDatos)
            BaseDatos->Close();
    } catch (const dao::ErrorBD&) {
    }
    BaseDatos.reset();
}

} // namespace BBDD
