// Old Access/Jet catalogues made by the generator, converted through the catalogue layer.

#include "utilities/ConversionJet.h"
#include "GeneradorJet.h"
#include "store/Dao.h"
#include "utilities/LectorJet.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using jet::Version;

// A lyric of about 40 KiB with every Windows-1252 letter the tests care about, so that a cut, a lost
// page of the chain or a wrong decoding shows.
QString LetraLarga() {
    QString texto;
    for (int i = 0; texto.size() < 40 * 1024; ++i)
        texto += QStringLiteral("Estrofa %1: ¡Qué niña más guapa! «Año» – señor … €\r\n").arg(i);
    return texto;
}

std::vector<jet::Cancion> Canciones(Version version) {
    std::vector<jet::Cancion> canciones = {
        {QStringLiteral("Vinilos"), QStringLiteral("\\Pop\\Años 80\\"), QStringLiteral("Mecano"),
         QStringLiteral("Hijo de la luna"), QStringLiteral("mp3"), 4321987, 1, 1},
        {QStringLiteral("Vinilos"), QStringLiteral("\\Pop\\Años 80\\"), std::nullopt,
         QStringLiteral("Sin autor ñ"), std::nullopt, std::nullopt, 0, 2},
        {QStringLiteral("CD «Clásicos»"), QStringLiteral("\\"), QStringLiteral("Niño €uro"),
         QStringLiteral("Canción"), QStringLiteral("wma"), -1, 2, std::nullopt},
    };
    // Jet 4 keeps any letter: texts that cannot be compressed, and compressed ones that switch modes.
    if (version == Version::Jet4)
        canciones.push_back({QStringLiteral("Ελληνικά"), QStringLiteral("\\日本\\"),
                             QStringLiteral("Ωμέγα €"), QStringLiteral("Tìtulo ∑ mixto"),
                             QStringLiteral("ogg"), 7, 3, 3});
    return canciones;
}

std::vector<jet::Letra> Letras() {
    return {{1, QStringLiteral("Tu madre le dijo: «¡Niña!»\r\nY la luna…")},
            {2, LetraLarga()},
            {3, QString(1500, QChar(u'á'))}, // one long-value page
            {4, std::nullopt}};
}

QVector<QVariant> Esperada(const jet::Cancion& c) {
    auto t = [](const std::optional<QString>& v) { return v ? QVariant(*v) : QVariant(); };
    auto n = [](const std::optional<qint32>& v) { return v ? QVariant(*v) : QVariant(); };
    return {t(c.cabecera),  t(c.ruta),     t(c.autor),      t(c.titulo),
            t(c.extension), n(c.longitud), n(c.idxCancion), n(c.relPos)};
}

class ConversionJet : public ::testing::TestWithParam<Version> {
protected:
    QString Ruta(const char* nombre) const {
        return QDir(carpeta.path()).filePath(QString::fromUtf8(nombre));
    }
    void Escribir(const QString& ruta, const QByteArray& bytes) {
        QFile fichero(ruta);
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write(bytes);
    }
    static std::vector<QVector<QVariant>> Filas(const QString& ruta, const QString& sql) {
        auto base = dao::Database::OpenDatabase(ruta);
        auto rs = base->OpenRecordset(sql);
        std::vector<QVector<QVariant>> filas;
        for (; !rs->Eof(); rs->MoveNext()) {
            QVector<QVariant> fila;
            for (int i = 0; i < rs->FieldCount(); ++i)
                fila << rs->Field(i);
            filas.push_back(fila);
        }
        return filas;
    }
    QTemporaryDir carpeta;
};

INSTANTIATE_TEST_SUITE_P(Versiones, ConversionJet, ::testing::Values(Version::Jet3, Version::Jet4),
                         [](const auto& info) { return info.param == Version::Jet3 ? "Jet3" : "Jet4"; });

TEST_P(ConversionJet, CadaFilaYCadaLetraLleganIntactas) {
    const QString antiguo = Ruta("Cantorio.mdb");
    const std::vector<jet::Cancion> canciones = Canciones(GetParam());
    const std::vector<jet::Letra> letras = Letras();
    Escribir(antiguo, jet::Generar(GetParam(), canciones, letras));
    ASSERT_TRUE(EsFicheroJet(antiguo));

    const ResultadoConversion r = ConvertirCatalogoJet(antiguo, Ruta("Nuevo.mdb"));
    EXPECT_EQ(r.canciones, qint64(canciones.size()));
    EXPECT_EQ(r.letras, qint64(letras.size()));
    EXPECT_TRUE(r.original.isEmpty());
    EXPECT_TRUE(QFile::exists(antiguo)) << "converting into another file leaves the old one where it was";

    const auto filas = Filas(Ruta("Nuevo.mdb"), QStringLiteral("SELECT * FROM CANCIONES"));
    ASSERT_EQ(filas.size(), canciones.size());
    for (size_t i = 0; i < canciones.size(); ++i) {
        const QVector<QVariant> esperada = Esperada(canciones[i]);
        for (int c = 0; c < esperada.size(); ++c) {
            EXPECT_EQ(filas[i][c].isNull(), esperada[c].isNull()) << "row " << i << " field " << c;
            EXPECT_EQ(filas[i][c].toString(), esperada[c].toString()) << "row " << i << " field " << c;
        }
    }
    const auto guardadas = Filas(Ruta("Nuevo.mdb"), QStringLiteral("SELECT IDX_CANCION, LYRICS FROM LETRAS"));
    ASSERT_EQ(guardadas.size(), letras.size());
    for (size_t i = 0; i < letras.size(); ++i) {
        EXPECT_EQ(guardadas[i][0].toInt(), *letras[i].idxCancion);
        EXPECT_EQ(guardadas[i][1].isNull(), !letras[i].lyrics.has_value()) << "lyric " << i;
        if (letras[i].lyrics) {
            EXPECT_EQ(guardadas[i][1].toString().size(), letras[i].lyrics->size()) << "lyric " << i;
            EXPECT_TRUE(guardadas[i][1].toString() == *letras[i].lyrics) << "lyric " << i;
        }
    }
}

// In place: the new catalogue takes the name, the old file stays beside it under another one.
TEST_P(ConversionJet, EnSuSitioConservaElOriginalRenombrado) {
    const QString antiguo = Ruta("Cantorio.mdb");
    const QByteArray bytes = jet::Generar(GetParam(), Canciones(GetParam()), Letras());
    Escribir(antiguo, bytes);
    Escribir(Ruta("Cantorio (Access).mdb"), "ocupado");

    const ResultadoConversion r = ConvertirCatalogoJet(antiguo, antiguo);
    EXPECT_EQ(r.original, Ruta("Cantorio (Access) 2.mdb"));
    QFile original(r.original);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_TRUE(original.readAll() == bytes);
    EXPECT_FALSE(EsFicheroJet(antiguo));
    EXPECT_EQ(Filas(antiguo, QStringLiteral("SELECT COUNT(*) FROM CANCIONES"))[0][0].toInt(),
              int(Canciones(GetParam()).size()));
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden).size(), 3)
        << "no file left half-written";
}

// The layer's rules hold: a zero-length text is refused with its row, and nothing is written.
TEST_P(ConversionJet, UnaFilaQueElCatalogoNoAdmiteSeNombraYNoSeEscribeNada) {
    const QString antiguo = Ruta("Cantorio.mdb");
    std::vector<jet::Cancion> canciones = Canciones(GetParam());
    canciones[1].titulo = QString();
    const QByteArray bytes = jet::Generar(GetParam(), canciones, Letras());
    Escribir(antiguo, bytes);
    try {
        ConvertirCatalogoJet(antiguo, antiguo);
        FAIL() << "a zero-length title was converted";
    } catch (const dao::ErrorBD& error) {
        EXPECT_EQ(error.Numero(), 3315);
        EXPECT_TRUE(
            error.Descripcion().startsWith(QStringLiteral("La fila 2 de CANCIONES no se puede convertir: ")))
            << error.Descripcion().toStdString();
    }
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Cantorio.mdb")});
    QFile original(antiguo);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_TRUE(original.readAll() == bytes);
}

// A damaged file: a clear message naming it, and nothing written.
TEST_P(ConversionJet, UnFicheroDanadoSeRechazaSinEscribirNada) {
    const QByteArray bueno = jet::Generar(GetParam(), Canciones(GetParam()), Letras());
    const int pagina = GetParam() == Version::Jet4 ? 4096 : 2048;
    QByteArray sinCatalogo = bueno;
    sinCatalogo.replace(2 * pagina, pagina, QByteArray(pagina, '\x5A')); // the table of tables overwritten
    // A page in the middle of the long lyric's chain lost.
    QByteArray sinTrozo = bueno;
    for (qsizetype p = bueno.size() / pagina / 2, largas = 0; p * pagina < bueno.size(); ++p)
        if (bueno.mid(p * pagina + 4, 4) == "LVAL" && ++largas == 3) {
            sinTrozo.replace(p * pagina, pagina, QByteArray(pagina, '\0'));
            break;
        }
    const std::pair<const char*, QByteArray> danados[] = {
        {"cortado", bueno.left(2 * pagina + 100)},
        {"sin catálogo", sinCatalogo},
        {"solo la cabecera", bueno.left(60)},
        {"sin sus últimas páginas", bueno.left(bueno.size() - 3 * pagina)},
        {"sin un trozo de letra", sinTrozo},
    };
    for (const auto& [caso, bytes] : danados) {
        const QString antiguo = Ruta("Cantorio.mdb");
        Escribir(antiguo, bytes);
        try {
            ConvertirCatalogoJet(antiguo, antiguo);
            ADD_FAILURE() << caso << ": converted";
        } catch (const dao::ErrorBD& error) {
            EXPECT_TRUE(
                error.Descripcion().startsWith(QStringLiteral("No se puede leer el catálogo antiguo «%1»: ")
                                                   .arg(QDir::toNativeSeparators(antiguo))))
                << caso << ": " << error.Descripcion().toStdString();
        }
        EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Cantorio.mdb")})
            << caso;
    }
}

// cantorio-util convertir as a user runs it, in place.
TEST(ConvertirDesdeLaLineaDeOrdenes, ConvierteEnSuSitioYDiceLasCuentas) {
    QTemporaryDir carpeta;
    const QString antiguo = QDir(carpeta.path()).filePath(QStringLiteral("Cantorio.mdb"));
    {
        QFile fichero(antiguo);
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write(jet::Generar(Version::Jet3, Canciones(Version::Jet3), Letras()));
    }
    QProcess proceso;
    proceso.start(QStringLiteral(CANTORIO_UTIL), {QStringLiteral("convertir"), antiguo, antiguo});
    ASSERT_TRUE(proceso.waitForFinished(60000));
    EXPECT_EQ(proceso.exitCode(), 0);
    const QString errores = QString::fromUtf8(proceso.readAllStandardError());
    EXPECT_TRUE(errores.contains(QStringLiteral("Conversión terminada con éxito: 3 canciones y 4 letras.\n")))
        << errores.toStdString();
    EXPECT_TRUE(
        errores.contains(QStringLiteral("El catálogo antiguo se conserva en «%1».")
                             .arg(QDir::toNativeSeparators(
                                 QDir(carpeta.path()).filePath(QStringLiteral("Cantorio (Access).mdb"))))))
        << errores.toStdString();
    EXPECT_TRUE(EsFicheroJet(QDir(carpeta.path()).filePath(QStringLiteral("Cantorio (Access).mdb"))));
    EXPECT_FALSE(EsFicheroJet(antiguo));
}

} // namespace
