// Hostile text in every field (quotes, SQL and pattern characters, 4,096 characters and one more,
// composed and decomposed accents, emoji, right-to-left script) through the scan, the write of the
// adding, the edit of a song, the export and import, the lyric save and the simple search: stored and
// read back exactly, or refused with a Spanish message and nothing written; "%" and "_" typed in a
// search are the characters themselves, never SQL wildcards.

#include "PruebaFiabilidad.h"

#include "maintenance/AnadidoCanciones.h"
#include "queries/SentenciasConsulta.h"
#include "store/BBDD.h"
#include "store/CatalogoLetras.h"
#include "store/CatalogoMantenimiento.h"
#include "utilities/FicheroExportacion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Hostil {
    const char* nombre;
    QString texto;
};

QString Repetido(const QString& trozo, int veces) {
    QString texto;
    for (int i = 0; i < veces; ++i)
        texto += trozo;
    return texto;
}

const std::vector<Hostil>& Hostiles() {
    static const std::vector<Hostil> hostiles = {
        {"signos", QStringLiteral("O'Brien \"x\"; -- DROP TABLE CANCIONES; 100% _a_ \\ * ? [b] [!c] #1")},
        {"4096", Repetido(QStringLiteral("ab'%_*"), 682) + QStringLiteral("abcd")},
        {"4096 emoji", Repetido(QStringLiteral("🎵"), 4096)},
        {"NFC", QStringLiteral("Canción de Café").normalized(QString::NormalizationForm_C)},
        {"NFD", QStringLiteral("Canción de Café").normalized(QString::NormalizationForm_D)},
        {"emoji", QStringLiteral("🎸 Rock 🤘🏽 👩‍👩‍👧")},
        {"derecha a izquierda", QStringLiteral("שלום עולם \u200Fمرحبا بالعالم")},
    };
    return hostiles;
}

const char* const Campos[] = {"CABECERA", "RUTA", "AUTOR", "TITULO", "EXTENSION"};

// A song whose field k holds texto and whose other fields are plain.
catalogo::ValoresCancion ConCampo(int k, const QString& texto) {
    catalogo::ValoresCancion v{QStringLiteral("Cab"),    QStringLiteral("\\R\\"), QStringLiteral("Autor"),
                               QStringLiteral("Titulo"), QStringLiteral("mp3"),   10};
    QString* campos[] = {&v.cabecera, &v.ruta, &v.autor, &v.titulo, &v.extension};
    *campos[k] = texto;
    return v;
}

class TextoHostil : public ::testing::Test {
protected:
    TextoHostil() {
        BBDD::RutaBaseDatos = QDir(directorio_.path()).filePath(QStringLiteral("Cantorio.mdb"));
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
    }
    ~TextoHostil() override { BBDD::CerrarBaseDatos(); }
    static dao::Database& Base() { return *BBDD::BaseDatos; }

    static void Anadir(const catalogo::ValoresCancion& v) {
        EscrituraCanciones(Base()).AnadirCancion(v.cabecera, v.ruta, v.autor, v.titulo, v.extension,
                                                 v.longitud, 1);
    }
    static catalogo::IdCancion UltimaFila() {
        return Base()
            .OpenRecordset(QStringLiteral("SELECT MAX(rowid) FROM CANCIONES"))
            ->Field(0)
            .toLongLong();
    }
    static QStringList Textos(catalogo::IdCancion fila) {
        auto rs = Base().OpenRecordset(
            QStringLiteral("SELECT CABECERA, RUTA, AUTOR, TITULO, EXTENSION FROM CANCIONES WHERE rowid = %1")
                .arg(fila));
        QStringList textos;
        for (int k = 0; k < 5 && !rs->Eof(); ++k)
            textos << rs->Field(k).toString();
        return textos;
    }
    static QStringList Textos(const catalogo::ValoresCancion& v) {
        return {v.cabecera, v.ruta, v.autor, v.titulo, v.extension};
    }

    QTemporaryDir directorio_;
};

} // namespace

TEST_F(TextoHostil, CadaCampoSeGuardaYSeLeeExactoAlAnadirYAlEditar) {
    Anadir(ConCampo(0, QStringLiteral("Para editar")));
    const catalogo::IdCancion editada = UltimaFila();
    for (int k = 0; k < 5; ++k)
        for (const Hostil& hostil : Hostiles()) {
            SCOPED_TRACE(testing::Message() << Campos[k] << ", " << hostil.nombre);
            const catalogo::ValoresCancion valores = ConCampo(k, hostil.texto);
            Anadir(valores);
            EXPECT_EQ(Textos(UltimaFila()), Textos(valores));
            ASSERT_TRUE(catalogo::GuardarCancion(Base(), editada, valores));
            EXPECT_EQ(Textos(editada), Textos(valores));
        }
}

TEST_F(TextoHostil, MasDe4096CaracteresSeRechazanConUnMensajeYNoSeEscribeNada) {
    Anadir(ConCampo(0, QStringLiteral("Intacta")));
    const catalogo::IdCancion intacta = UltimaFila();
    for (const QString& largo : {QString(4097, u'x'), Repetido(QStringLiteral("🎵"), 4097)})
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(testing::Message() << Campos[k] << ", " << largo.size() << " UTF-16 units");
            const catalogo::ValoresCancion valores = ConCampo(k, largo);
            try {
                Anadir(valores);
                ADD_FAILURE() << "the adding stored a text of 4,097 characters";
            } catch (const dao::ErrorBD& error) {
                EXPECT_EQ(error.Numero(), 3163);
                EXPECT_TRUE(error.Descripcion().contains(QStringLiteral("4096")))
                    << error.Descripcion().toStdString();
            }
            try {
                catalogo::GuardarCancion(Base(), intacta, valores);
                ADD_FAILURE() << "the edit stored a text of 4,097 characters";
            } catch (const dao::ErrorBD& error) {
                EXPECT_EQ(error.Numero(), 3163);
                EXPECT_TRUE(error.Descripcion().contains(QStringLiteral("4096")))
                    << error.Descripcion().toStdString();
            }
            EXPECT_EQ(UltimaFila(), intacta);
            EXPECT_EQ(Textos(intacta), Textos(ConCampo(0, QStringLiteral("Intacta"))));
        }
}

TEST_F(TextoHostil, LosNombresDeFicheroHostilesSeGuardanComoSon) {
    // On disk a name holds 255 bytes at most: the short hostile texts, as author and as title.
    QTemporaryDir disco;
    QStringList esperados;
    for (const Hostil& hostil : Hostiles()) {
        if (QFile::encodeName(hostil.texto).size() > 100)
            continue;
        const QString autor = QString(hostil.texto).replace(QStringLiteral("--"), QStringLiteral("="));
        const QString nombre = autor + QStringLiteral(" -- ") + autor + QStringLiteral(" título.mp3");
        QFile fichero(QDir(disco.path()).filePath(nombre));
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly)) << hostil.nombre;
        esperados << autor + u'|' + autor + QStringLiteral(" título");
    }
    OpcionesAnadido opciones;
    opciones.cabecera = QStringLiteral("Disco");
    opciones.directorio = disco.path();
    opciones.raizVolumen = disco.path();
    ProgresoAnadido nada;
    const ResultadoAnadido resultado = AnadirFicheros(opciones, nada);
    EXPECT_EQ(resultado.filas, esperados.size());
    QStringList guardados;
    for (auto rs = Base().OpenRecordset(QStringLiteral("SELECT AUTOR, TITULO FROM CANCIONES")); !rs->Eof();
         rs->MoveNext())
        guardados << rs->Field(0).toString() + u'|' + rs->Field(1).toString();
    guardados.sort();
    esperados.sort();
    EXPECT_EQ(guardados, esperados);
}

TEST_F(TextoHostil, ExportarEImportarDevuelvenLasMismasCanciones) {
    for (int k = 0; k < 5; ++k)
        for (const Hostil& hostil : Hostiles())
            Anadir(ConCampo(k, hostil.texto));
    QStringList antes = FilasEscritas(Base().Conexion());
    const QString fichero = QDir(directorio_.path()).filePath(QStringLiteral("canciones.txt"));
    ProgresoUtilidad progreso;
    for (const std::optional<QString>& clave :
         {std::optional<QString>(), std::optional<QString>(u"cl'ave%"_qs)}) {
        SCOPED_TRACE(clave.value_or(QStringLiteral("sin clave")).toStdString());
        EXPECT_EQ(ExportarCanciones(Base(), fichero, QStringLiteral("v"), clave, progreso).canciones, 35);
        const QString otro = QDir(directorio_.path()).filePath(QStringLiteral("Otro.mdb"));
        QFile::remove(otro);
        BBDD::CrearCatalogo(otro);
        auto importado = dao::Database::OpenDatabase(otro);
        EXPECT_EQ(ImportarCanciones(*importado, fichero, clave, progreso).canciones, 35);
        QStringList despues = FilasEscritas(importado->Conexion());
        despues.sort();
        antes.sort();
        EXPECT_EQ(despues, antes);
    }
}

TEST_F(TextoHostil, LaLetraSeGuardaYSeLeeExacta) {
    Anadir(ConCampo(0, QStringLiteral("Con letra")));
    Base().Execute(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = 1"));
    catalogo::CrearLetra(Base(), 1);
    QStringList lineas;
    for (const Hostil& hostil : Hostiles())
        lineas << hostil.texto;
    const QString todas = lineas.join(catalogo::SaltoLinea);
    for (const QString& letra : {todas, Repetido(todas + catalogo::SaltoLinea, 20)}) {
        ASSERT_EQ(catalogo::GuardarLetra(Base(), 1, letra), catalogo::Guardado::Guardada);
        EXPECT_EQ(catalogo::CargarLetra(Base(), 1).texto, letra);
    }
}

TEST_F(TextoHostil, UnaBusquedaSimpleHallaSoloElTextoLiteral) {
    const QString titulos[] = {"100%", "al 100% de", "1000", "100 por cien", "100_",   "100x",
                               "100",  "a_b",        "axb",  "a*b",          "a?b",    "a[b]",
                               "ab",   "a#b",        "a1b",  "O'Brien",      "O Brien"};
    for (const QString& titulo : titulos)
        Anadir(ConCampo(3, titulo));
    struct Caso {
        const char* buscado;
        QStringList hallados;
    };
    const Caso casos[] = {
        {"100%", {"100%", "al 100% de"}},
        {"a_b", {"a_b"}},
        // A quote stands for any one character (as "#" does), so that it never ends the literal.
        {"O'Brien", {"O'Brien", "O Brien"}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.buscado);
        const QString sentencia =
            Consultas::SentenciaSimple({"", "", "", QString::fromUtf8(caso.buscado), ""},
                                       QStringLiteral("AND"))
                .sentencia;
        QStringList hallados;
        for (auto rs = Base().OpenRecordset(sentencia); !rs->Eof(); rs->MoveNext())
            hallados << rs->Field(QStringLiteral("TITULO")).toString();
        hallados.sort();
        QStringList esperados = caso.hallados;
        esperados.sort();
        EXPECT_EQ(hallados, esperados) << sentencia.toStdString();
    }
}
