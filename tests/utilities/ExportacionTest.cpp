// The export file byte for byte, its coding, round trips, and every file the import must refuse.

#include "CatalogoUtilidadesPrueba.h"

#include "utilities/Codificacion.h"
#include "utilities/FicheroExportacion.h"
#include "utilities/Windows1252.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString Version = QStringLiteral("Cantorio v1.2.0");
ProgresoUtilidad sinProgreso;

const QByteArray Cabecera = QByteArray(70, '-') +
                            "\r\n Base de Datos del Cantorio v1.2.0   -   NO MODIFICAR ESTE "
                            "FICHERO!!!\r\n" +
                            QByteArray(70, '-') + "\r\n";

class ExportacionTest : public CatalogoUtilidadesPrueba {
protected:
    ResultadoTransferencia Exportar(const QString& nombre, std::optional<QString> clave = std::nullopt) {
        return ExportarCanciones(Base(), Fichero(nombre), Version, clave, sinProgreso);
    }
    ResultadoTransferencia Importar(const QString& nombre, std::optional<QString> clave = std::nullopt) {
        return ImportarCanciones(Base(), Fichero(nombre), clave, sinProgreso);
    }
    QString Todo() {
        return Filas(QStringLiteral("SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA, REL_POS, AUTOR"));
    }
    // Empties CANCIONES, as a fresh catalogue would be.
    void Vaciar() { Base().Execute(QStringLiteral("DELETE FROM CANCIONES")); }
};

TEST(Codificacion, DesplazaElByteWindows1252YEsInversa) {
    // A password of characters whose codes are multiples of 5 raises every byte by 2; "€" is byte 0x80.
    QByteArray texto = win1252::Codificar(QStringLiteral("A€z"));
    Codifica(texto, QByteArray("Ad"));
    EXPECT_EQ(texto, QByteArray("C\x82|"));

    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos.append(char(b));
    for (const QByteArray clave :
         {QByteArray("A"), QByteArray("B"), QByteArray("clave"), QByteArray("\xFF\x01")}) {
        QByteArray codificado = todos;
        Codifica(codificado, clave);
        Decodifica(codificado, clave);
        EXPECT_EQ(codificado, todos) << clave.constData();
    }
    QByteArray extremos("\xFE\xFF\x00\x01", 4);
    Codifica(extremos, QByteArray("A")); // +2 everywhere, wrapping round
    EXPECT_EQ(extremos, QByteArray("\x00\x01\x02\x03", 4));
    EXPECT_FALSE(BytesClave(QStringLiteral("clave✓")));
    EXPECT_EQ(*BytesClave(QStringLiteral("ñ€")), QByteArray("\xF1\x80"));
}

TEST_F(ExportacionTest, FicheroByteAByte) {
    Cancion({QStringLiteral("Música"), QStringLiteral("\\Rock\\"), QStringLiteral("Año"),
             QStringLiteral("5 €"), QStringLiteral("mp3"), 1234, 7, 2});
    Cancion({QStringLiteral("Música"), QStringLiteral("\\Rock\\"), QVariant(), QStringLiteral("Sin autor"),
             QStringLiteral(" "), -5, 0, 1});
    Cancion({QStringLiteral("B"), QStringLiteral("\\"), QStringLiteral("x"), QStringLiteral("y"),
             QStringLiteral("ogg"), QVariant(), 0, QVariant()});
    const ResultadoTransferencia resultado = Exportar(QStringLiteral("e.txt"));
    EXPECT_EQ(resultado.canciones, 3);
    EXPECT_FALSE(resultado.utf8);
    const QByteArray esperado = Cabecera +
                                " 3 \r\n"
                                "B\r\n\\\r\nx\r\ny\r\nogg\r\n\r\n\r\n"
                                "M\xFAsica\r\n\\Rock\\\r\n\r\nSin autor\r\n \r\n-5 \r\n 1 \r\n"
                                "M\xFAsica\r\n\\Rock\\\r\nA\xF1o\r\n5 \x80\r\nmp3\r\n 1234 \r\n 2 \r\n";
    EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("e.txt"))), esperado);
}

TEST_F(ExportacionTest, CatalogoVacioEscribeSoloLaCabecera) {
    Exportar(QStringLiteral("vacio.txt"));
    EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("vacio.txt"))), Cabecera + " 0 \r\n");
    EXPECT_EQ(Importar(QStringLiteral("vacio.txt")).canciones, 0);
    EXPECT_EQ(Contar(QStringLiteral("SELECT COUNT(*) FROM CANCIONES")), 0);
}

struct CasoIdaVuelta {
    const char* nombre;
    std::optional<QString> clave;
    bool utf8;
    QString titulo;
};

TEST_F(ExportacionTest, IdaYVueltaDaLasMismasFilasYLosMismosBytes) {
    const CasoIdaVuelta casos[] = {
        {"plano", std::nullopt, false, QStringLiteral("Canción ñ ü €")},
        {"codificado", QStringLiteral("clave"), false, QStringLiteral("Canción ñ ü € ÿþ")},
        {"otra escritura", std::nullopt, true, QStringLiteral("Песня 歌")},
        {"otra escritura codificada", QStringLiteral("Zz9"), true, QStringLiteral("Песня 歌 €")},
    };
    for (const CasoIdaVuelta& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Vaciar();
        Cancion(QStringLiteral("Cab"), QStringLiteral("\\Dir\\"), QStringLiteral("Autor"), caso.titulo, 3, 2);
        Cancion(QStringLiteral("Cab"), QStringLiteral("\\Dir\\"), QStringLiteral("autor"),
                QStringLiteral("Uno"), 0, 1);
        // Two songs the catalogue orders alike (same route and position, letter case apart).
        Cancion(QStringLiteral("cab"), QStringLiteral("\\dir\\"), QStringLiteral("Primero"),
                QStringLiteral("a"), 0, 3);
        Cancion(QStringLiteral("CAB"), QStringLiteral("\\DIR\\"), QStringLiteral("Segundo"),
                QStringLiteral("b"), 0, 3);
        Cancion({QStringLiteral("Cab"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), 0,
                 QVariant()});
        const QString antes = Todo();
        EXPECT_EQ(Exportar(QStringLiteral("1.txt"), caso.clave).utf8, caso.utf8);
        Vaciar();
        EXPECT_EQ(Importar(QStringLiteral("1.txt"), caso.clave).canciones, 5);
        QString esperado = antes;
        EXPECT_EQ(Todo(),
                  esperado.replace(QStringLiteral("|3|2"), QStringLiteral("|0|2"))); // no lyric after import
        Exportar(QStringLiteral("2.txt"), caso.clave);
        EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("1.txt"))),
                  LeerFichero(Fichero(QStringLiteral("2.txt"))));
    }
}

TEST_F(ExportacionTest, FicheroCodificadoImportadoSinClaveGuardaLosTextosCodificados) {
    Cancion(QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("abc"), QStringLiteral("t"));
    Exportar(QStringLiteral("c.txt"), QStringLiteral("P")); // 'P' = 80: +2
    Vaciar();
    Importar(QStringLiteral("c.txt"));
    EXPECT_EQ(Filas(QStringLiteral("SELECT CABECERA, RUTA, AUTOR FROM CANCIONES")),
              QStringLiteral("C|^|cde"));
}

TEST_F(ExportacionTest, SaltoDeLineaEnUnCampoNoEscribeNingunFichero) {
    GuardarFichero(Fichero(QStringLiteral("previo.txt")), "no tocar");
    Cancion(QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("Au\ttor"), QStringLiteral("Tema"));
    // A TAB coded with the password "B" ('B' = 66: +1) becomes a line feed.
    for (const std::optional<QString>& clave : {std::optional<QString>(QStringLiteral("B"))}) {
        try {
            Exportar(QStringLiteral("previo.txt"), clave);
            ADD_FAILURE() << "exportado";
        } catch (const FalloFichero& fallo) {
            EXPECT_TRUE(fallo.Mensaje().contains(QStringLiteral("«Au\ttor -- Tema»"))) << fallo.what();
        }
    }
    EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("previo.txt"))), QByteArray("no tocar"));
    Base().Execute(QStringLiteral("UPDATE CANCIONES SET AUTOR = 'a' & Chr(10) & 'b'"));
    EXPECT_THROW(Exportar(QStringLiteral("nuevo.txt")), FalloFichero);
    EXPECT_FALSE(QFile::exists(Fichero(QStringLiteral("nuevo.txt"))));
}

TEST_F(ExportacionTest, FicheroQueNoSePuedeEscribirEsUnFalloDeApertura) {
    Cancion(QStringLiteral("A"), QStringLiteral("\\"), QStringLiteral("x"), QStringLiteral("y"));
    for (const QString& ruta :
         {Fichero(QStringLiteral("no/existe/e.txt")), carpeta.path(), QStringLiteral("/dev/null")}) {
        try {
            ExportarCanciones(Base(), ruta, Version, std::nullopt, sinProgreso);
            ADD_FAILURE() << "exportado a " << ruta.toStdString();
        } catch (const FalloFichero& fallo) {
            EXPECT_EQ(fallo.Tipo(), FalloFichero::Clase::Apertura);
        }
    }
    EXPECT_THROW(Exportar(QStringLiteral("e.txt"), QStringLiteral("✓")), FalloFichero);
}

TEST_F(ExportacionTest, ErrorDeEscrituraNoDejaFicheroNiSeDaPorBueno) {
    for (int i = 0; i < 200; ++i)
        Cancion(QStringLiteral("Cabecera"), QStringLiteral("\\Ruta\\"), QStringLiteral("Autor %1").arg(i),
                QStringLiteral("Título"), 0, i + 1);
    GuardarFichero(Fichero(QStringLiteral("e.txt")), "anterior");
    // Files may grow to 1,000 bytes only: the write fails as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    rlimit limite = antes;
    limite.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limite);
    try {
        Exportar(QStringLiteral("e.txt"));
        ADD_FAILURE() << "exportado";
    } catch (const FalloFichero& fallo) {
        EXPECT_EQ(fallo.Tipo(), FalloFichero::Clase::Escritura);
    }
    setrlimit(RLIMIT_FSIZE, &antes);
    EXPECT_EQ(LeerFichero(Fichero(QStringLiteral("e.txt"))), QByteArray("anterior"));
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files).filter(QStringLiteral("e.txt")),
              QStringList{QStringLiteral("e.txt")});
}

struct CasoMalo {
    const char* nombre;
    QByteArray contenido;
    const char* linea; // the text naming the line in the message
};

TEST_F(ExportacionTest, FicherosMalFormadosSeRechazanSinTocarElCatalogo) {
    Cancion(QStringLiteral("Ya"), QStringLiteral("\\"), QStringLiteral("estaba"), QStringLiteral("aquí"));
    const QByteArray registro = "C\r\n\\\r\nA\r\nT\r\nmp3\r\n 10 \r\n 1 \r\n";
    const CasoMalo casos[] = {
        {"vacío", "", "línea 1 "},
        {"sin número de canciones", Cabecera, "línea 4 "},
        {"número de canciones que no es número", Cabecera + " tres \r\n" + registro, "línea 4 "},
        {"registro cortado", Cabecera + " 2 \r\n" + registro + "C\r\n\\\r\nA\r\n", "línea 15 "},
        {"longitud que no es número", Cabecera + " 1 \r\nC\r\n\\\r\nA\r\nT\r\nmp3\r\n diez \r\n 1 \r\n",
         "línea 10 "},
        {"posición fuera de 32 bits",
         Cabecera + " 1 \r\nC\r\n\\\r\nA\r\nT\r\nmp3\r\n 1 \r\n 99999999999 \r\n", "línea 11 "},
        {"texto demasiado largo",
         Cabecera + " 2 \r\n" + registro + QByteArray(5000, 'x') + "\r\n\\\r\nA\r\nT\r\nm\r\n 1 \r\n 1 \r\n",
         "línea 12 "},
        {"UTF-8 no válido",
         "\xEF\xBB\xBF" + Cabecera + " 1 \r\nC\xFF\r\n\\\r\nA\r\nT\r\nmp3\r\n 10 \r\n 1 \r\n", "línea 5 "},
    };
    const QString antes = Todo();
    for (const CasoMalo& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        GuardarFichero(Fichero(QStringLiteral("malo.txt")), caso.contenido);
        try {
            Importar(QStringLiteral("malo.txt"));
            ADD_FAILURE() << "importado";
        } catch (const FalloFichero& fallo) {
            EXPECT_TRUE(fallo.Mensaje().contains(QString::fromUtf8(caso.linea))) << fallo.what();
        }
        EXPECT_EQ(Todo(), antes);
    }
    EXPECT_THROW(Importar(QStringLiteral("no-existe.txt")), FalloFichero);
}

TEST_F(ExportacionTest, ImportarAceptaUnaCuentaMenorYSaltosSoloLf) {
    GuardarFichero(Fichero(QStringLiteral("f.txt")),
                   "x\ny\nz\n 1 \nC\n\\\nA\nT\nmp3\n 10 \n 1 \nD\n\\\nB\nU\nogg\n 20 \n 2 ");
    EXPECT_EQ(Importar(QStringLiteral("f.txt")).canciones, 2);
    EXPECT_EQ(Todo(), QStringLiteral("C|\\|A|T|mp3|10|0|1\nD|\\|B|U|ogg|20|0|2"));
}

} // namespace
