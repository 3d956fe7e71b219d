#include "utilities/ConversionJet.h"

#include "store/BBDD.h"
#include "store/Dao.h"
#include "store/Transaccion.h"
#include "utilities/LectorJet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString Nativa(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

// A free name beside the file: "<base> (Access).mdb", then "<base> (Access) 2.mdb"...
QString NombreOriginal(const QFileInfo& fichero) {
    const QString base = fichero.dir().filePath(fichero.completeBaseName() + QStringLiteral(" (Access)"));
    const QString extension = fichero.suffix().isEmpty() ? QString() : QLatin1Char('.') + fichero.suffix();
    QString nombre = base + extension;
    for (int n = 2; QFileInfo::exists(nombre); ++n)
        nombre = base + QStringLiteral(" %1").arg(n) + extension;
    return nombre;
}

void Escribir(dao::Database& base, const char* tabla, const std::vector<const char*>& campos,
              const std::vector<QVector<QVariant>>& filas) {
    auto destino = base.OpenRecordset(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(tabla)));
    for (size_t n = 0; n < filas.size(); ++n) {
        try {
            destino->AddNew();
            for (size_t i = 0; i < campos.size(); ++i)
                destino->SetField(QLatin1String(campos[i]), filas[n][qsizetype(i)]);
            destino->Update();
        } catch (const dao::ErrorBD& error) {
            throw dao::ErrorBD(error.Numero(), QStringLiteral("La fila %1 de %2 no se puede convertir: %3")
                                                   .arg(n + 1)
                                                   .arg(QLatin1String(tabla), error.Descripcion()));
        }
    }
    destino->Close();
}

void CrearConvertido(const QString& ruta, const CatalogoJet& antiguo) {
    BBDD::CrearCatalogo(ruta);
    auto base = dao::Database::OpenDatabase(ruta);
    try {
        Transaccion transaccion(*base);
        Escribir(*base, "CANCIONES",
                 {"CABECERA", "RUTA", "AUTOR", "TITULO", "EXTENSION", "LONGITUD", "IDX_CANCION", "REL_POS"},
                 antiguo.canciones);
        Escribir(*base, "LETRAS", {"IDX_CANCION", "LYRICS"}, antiguo.letras);
        transaccion.Confirmar();
    } catch (...) {
        base->Close();
        throw;
    }
    base->Close();
}

} // namespace

ResultadoConversion ConvertirCatalogoJet(const QString& antiguo, const QString& nuevo) {
    const QFileInfo origen(antiguo);
    const QFileInfo destino(nuevo);
    const bool enSuSitio = destino.exists() && destino.canonicalFilePath() == origen.canonicalFilePath();
    if (destino.exists() && !enSuSitio)
        throw dao::ErrorBD(
            3204, QStringLiteral("Ya existe «%1»: la conversión no lo sobrescribe.").arg(Nativa(nuevo)));

    const CatalogoJet leido = LeerCatalogoJet(antiguo);
    const QString provisional =
        destino.dir().filePath(QStringLiteral(".") + destino.fileName() + QStringLiteral(".convirtiendo"));
    QFile::remove(provisional);
    try {
        CrearConvertido(provisional, leido);
    } catch (...) {
        QFile::remove(provisional);
        throw;
    }

    ResultadoConversion resultado;
    resultado.canciones = qint64(leido.canciones.size());
    resultado.letras = qint64(leido.letras.size());
    if (enSuSitio) {
        resultado.original = NombreOriginal(origen);
        if (!QFile::rename(antiguo, resultado.original)) {
            QFile::remove(provisional);
            throw dao::ErrorBD(
                3051, QStringLiteral("No se puede renombrar «%1» para conservarlo: no se ha cambiado nada.")
                          .arg(Nativa(antiguo)));
        }
    }
    if (!QFile::rename(provisional, nuevo)) {
        if (enSuSitio)
            QFile::rename(resultado.original, antiguo);
        QFile::remove(provisional);
        throw dao::ErrorBD(
            3051, QStringLiteral("No se puede crear «%1»: no se ha cambiado nada.").arg(Nativa(nuevo)));
    }
    return resultado;
}
