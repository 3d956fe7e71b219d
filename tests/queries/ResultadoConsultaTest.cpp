// The result window: the statement each query builds and the rows it shows, the status panels, the
// sizing, sorting by a header click, the lyric marks, the double-click, and the queries that cannot
// give a result.

#include "PruebaConsultas.h"

#include "lyrics/frmCancion.h"
#include "lyrics/frmSelCancion.h"
#include "queries/DobleOption.h"
#include "queries/ModeloConsulta.h"
#include "queries/PanelesEstado.h"
#include "queries/frmNuevaConsultaAvanzada.h"
#include "queries/frmNuevaConsultaPorLetra.h"
#include "queries/frmNuevaConsultaSQL.h"
#include "queries/frmNuevaConsultaSimple.h"
#include "store/BBDD.h"
#include "store/Catalogo.h"
#include "store/CatalogoLetras.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>
#include <map>
#include <set>

namespace {
// Six songs, each in a route of its own, so that the order by header and route is fixed.
class ResultadoConsulta : public PruebaConsultas {
public:
    ResultadoConsulta() {
        catalogo.AnadirCancion("Rock", "\\A\\", "Queen", "Love of my life", "mp3", 1234567, 1, 1);
        catalogo.AnadirCancion("Rock", "\\B\\", "The Beatles", "All you need is LOVE", "mp3", 20000, 0, 2);
        catalogo.AnadirCancion("Pop", "\\A\\", "Madonna", "Like a prayer", "mp3", 30000, 2, 1);
        catalogo.AnadirCancion("Pop", "\\B\\", "Sinéad O'Connor", "Nothing compares 2 U", "wma", 40000, 0, 2);
        catalogo.AnadirCancion("Pop", "\\C\\", "Tribute band", "love of my life", "ogg", 500, 0, 3);
        catalogo.AnadirCancion("Jazz", "\\#1 [live]\\", "Ella", "Summertime", "flac", 100, 0, 1);
        catalogo.AnadirLetra(1, "Love of my life, you've hurt me");
        catalogo.AnadirLetra(2, "Life is a mystery");
    }

    frmNuevaConsultaSimple& Simple() { return Abrir<frmNuevaConsultaSimple>(espacio.mnuConsultaSimple); }
    frmNuevaConsultaAvanzada& Avanzada() {
        return Abrir<frmNuevaConsultaAvanzada>(espacio.mnuConsultaAvanzada);
    }
    frmNuevaConsultaSQL& Sql(const QString& sentencia) {
        auto& d = Abrir<frmNuevaConsultaSQL>(espacio.mnuConsultaSQL);
        d.txtConsultaSQL->setPlainText(sentencia);
        return d;
    }
    QStringList Paneles() const { return espacio.StatusBar1->Textos(); }

    static void PulsarCabecera(frmConsulta& consulta, const QString& texto) {
        QHeaderView* cabecera = consulta.ListView->header();
        const int seccion = static_cast<int>(Cabeceras(consulta).indexOf(texto));
        ASSERT_GE(seccion, 0);
        QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                          QPoint(cabecera->sectionViewportPosition(seccion) + 5, cabecera->height() / 2));
    }
};

const QString Base = "SELECT * FROM CANCIONES";
const QString PorCabecera = " ORDER BY CABECERA, RUTA";
} // namespace

TEST_F(ResultadoConsulta, CadaConsultaAbreSuSentenciaYMuestraSusFilasYCriterios) {
    struct Caso {
        const char* nombre;
        std::function<void(ResultadoConsulta&)> consultar;
        QString sentencia;
        QStringList titulos;
        QStringList paneles;
    };
    const Caso casos[] = {
        {"simple, título",
         [](ResultadoConsulta& p) {
             auto& d = p.Simple();
             d.txtTitulo->setText("love");
             p.Consultar(d);
         },
         Base + " WHERE TITULO LIKE '*love*'",
         {"love of my life", "Love of my life", "All you need is LOVE"},
         {"Titulo: love", "Total: 3"}},
        {"simple, autor OR título",
         [](ResultadoConsulta& p) {
             auto& d = p.Simple();
             d.txtAutor->setText("ma");
             d.txtTitulo->setText("Summer");
             d.cmbANDOR->setCurrentIndex(1);
             p.Consultar(d);
         },
         Base + " WHERE AUTOR LIKE '*ma*' OR TITULO LIKE '*Summer*'",
         {"Summertime", "Like a prayer"},
         {"Autor: ma", "Titulo: Summer", "Total: 2"}},
        {"simple, apóstrofo",
         [](ResultadoConsulta& p) {
             auto& d = p.Simple();
             d.txtAutor->setText("O'Connor");
             p.Consultar(d);
         },
         Base + " WHERE AUTOR LIKE '*O?Connor*'",
         {"Nothing compares 2 U"},
         {"Autor: O'Connor", "Total: 1"}},
        {"avanzada, sin criterios",
         [](ResultadoConsulta& p) { p.Consultar(p.Avanzada()); },
         Base,
         {"Summertime", "Like a prayer", "Nothing compares 2 U", "love of my life", "Love of my life",
          "All you need is LOVE"},
         {"Total: 6"}},
        {"avanzada, autor exacto OR título que contenga",
         [](ResultadoConsulta& p) {
             auto& d = p.Avanzada();
             d.txtAutor->setText("madonna");
             d.SeaContengaAutor->SetDcha(true);
             d.txtTitulo->setText("time");
             d.AndOrTitulo->SetDcha(true);
             p.Consultar(d);
         },
         Base + " WHERE AUTOR LIKE 'madonna' OR TITULO LIKE '*time*'",
         {"Summertime", "Like a prayer"},
         {"Autor: madonna", "Titulo: *time*", "Total: 2"}},
        {"avanzada, con letra",
         [](ResultadoConsulta& p) {
             auto& d = p.Avanzada();
             d.cmbLetras->setCurrentText("SI");
             p.Consultar(d);
         },
         Base + " WHERE IDX_CANCION <> 0",
         {"Like a prayer", "Love of my life"},
         {"Total: 2"}},
        {"avanzada, sin letra pero con homónima",
         [](ResultadoConsulta& p) {
             auto& d = p.Avanzada();
             d.cmbLetras->setCurrentText("?");
             p.Consultar(d);
         },
         Base +
             " WHERE IDX_CANCION = 0 AND TITULO IN ( SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0 )",
         {"love of my life"},
         {"Total: 1"}},
        {"sql de muestra",
         [](ResultadoConsulta& p) { p.Consultar(p.Abrir<frmNuevaConsultaSQL>(p.espacio.mnuConsultaSQL)); },
         "SELECT * FROM CANCIONES WHERE CABECERA LIKE '*' AND RUTA LIKE '*' AND AUTOR \n"
         "LIKE '*' AND TITULO LIKE '*' AND EXTENSION LIKE '*'\n",
         {"Summertime", "Like a prayer", "Nothing compares 2 U", "love of my life", "Love of my life",
          "All you need is LOVE"},
         {"Total: 6"}},
    };
    for (const Caso& caso : casos) {
        caso.consultar(*this);
        frmConsulta* consulta = Ultimo();
        ASSERT_NE(consulta, nullptr) << caso.nombre;
        EXPECT_FALSE(Abierto<DialogoConsulta>()) << caso.nombre;
        EXPECT_TRUE(consulta->isVisible()) << caso.nombre;
        EXPECT_EQ(consulta->Sentencia(), caso.sentencia) << caso.nombre;
        EXPECT_EQ(consulta->SentenciaAbierta(), caso.sentencia + PorCabecera) << caso.nombre;
        EXPECT_EQ(Columna(*consulta, "Título"), caso.titulos) << caso.nombre;
        EXPECT_EQ(Paneles(), caso.paneles) << caso.nombre;
        consulta->close();
        Soltar();
        EXPECT_TRUE(Paneles().isEmpty()) << caso.nombre;
        EXPECT_TRUE(guion.mensajes.empty()) << caso.nombre;
    }
}

TEST_F(ResultadoConsulta, ColumnasElegidasConTamanoAgrupadoYMarcasDeLetra) {
    auto& d = Sql("SELECT * FROM CANCIONES WHERE LONGITUD > 1000");
    for (QCheckBox* casilla : d.Ver->Casillas())
        casilla->setChecked(false);
    d.Ver->chkVerLongitud->setChecked(true);
    d.Ver->chkVerLetras->setChecked(true);
    d.Ver->chkVerAutor->setChecked(true);
    Consultar(d);
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    EXPECT_EQ(Cabeceras(*consulta), (QStringList{"Autor", "Tamaño", "L"}));
    EXPECT_EQ(Filas(*consulta), (QStringList{"Madonna|30.000|S", "Sinéad O'Connor|40.000|N",
                                             "Queen|1.234.567|S", "The Beatles|20.000|N"}));
    const ModeloConsulta& modelo = consulta->Modelo();
    const auto alineacion = Qt::Alignment(modelo.data(modelo.index(0, 1), Qt::TextAlignmentRole).toInt());
    EXPECT_EQ(alineacion & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(consulta->AnchoColumnas(), 129 + 66 + 20);
}

TEST_F(ResultadoConsulta, MarcadoInteligenteSenalaLasHomonimasEnCualquierCaja) {
    for (const char* filtro : {"---", "NO"}) {
        auto& d = Avanzada();
        d.cmbLetras->setCurrentText(filtro);
        d.chkInteligente->setChecked(true);
        Consultar(d);
        frmConsulta* consulta = Ultimo();
        ASSERT_NE(consulta, nullptr);
        EXPECT_TRUE(consulta->LetrasInteligente());
        QStringList marcas;
        const QStringList titulos = Columna(*consulta, "Título");
        const QStringList letras = Columna(*consulta, "L");
        for (int i = 0; i < titulos.size(); ++i)
            marcas << titulos[i] + "=" + letras[i];
        if (QString(filtro) == "NO")
            EXPECT_EQ(marcas, (QStringList{"Summertime=N", "Nothing compares 2 U=N", "love of my life=?",
                                           "All you need is LOVE=N"}));
        else
            EXPECT_EQ(marcas,
                      (QStringList{"Summertime=N", "Like a prayer=S", "Nothing compares 2 U=N",
                                   "love of my life=?", "Love of my life=S", "All you need is LOVE=N"}));
        consulta->close();
        Soltar();
    }
    // Without "Inteligente" the namesake is a plain "N"; with the filter "?" every row is "?".
    auto& d = Avanzada();
    Consultar(d);
    EXPECT_EQ(Columna(*Ultimo(), "L"), (QStringList{"N", "S", "N", "N", "S", "N"}));
    auto& d2 = Avanzada();
    d2.cmbLetras->setCurrentText("?");
    d2.chkInteligente->setChecked(true);
    Consultar(d2);
    EXPECT_FALSE(Ultimo()->LetrasInteligente());
    EXPECT_EQ(Columna(*Ultimo(), "L"), QStringList{"?"});
}

TEST_F(ResultadoConsulta, ElTamanoSigueAlNumeroDeFilas) {
    for (int i = 1; i <= 18; ++i) {
        const QString ruta = QString("\\R%1\\").arg(i, 2, 10, QChar('0'));
        catalogo.AnadirCancion("Relleno", ruta, "Autor", QString("Dieciocho %1").arg(i), "mp3", 1, 0, 1);
        if (i <= 17)
            catalogo.AnadirCancion("Relleno", ruta, "Autor", QString("Diecisiete %1").arg(i), "mp3", 1, 0, 2);
    }
    catalogo.AnadirCancion("Relleno", "\\R99\\", "Autor", "Sola", "mp3", 1, 0, 1);
    struct Medida {
        QSize tamano;
        bool barraVertical;
        bool barraHorizontal;
    };
    std::map<QString, Medida> medidas;
    int altoFila = 0;
    for (const QString titulo : {"Sola", "Diecisiete", "Dieciocho"}) {
        auto& d = Simple();
        d.txtTitulo->setText(titulo);
        Consultar(d);
        frmConsulta* consulta = Ultimo();
        ASSERT_NE(consulta, nullptr);
        QApplication::processEvents();
        EXPECT_EQ(consulta->AnchoColumnas(), 4 * 129 + 39 + 20);
        medidas[titulo] = {consulta->size(), consulta->ListView->verticalScrollBar()->isVisible(),
                           consulta->ListView->horizontalScrollBar()->isVisible()};
        altoFila = consulta->ListView->sizeHintForRow(0);
        consulta->close();
        Soltar();
    }
    // Up to 17 rows every row shows; one row more keeps the height and widens by the scroll bar.
    EXPECT_FALSE(medidas["Sola"].barraVertical);
    EXPECT_FALSE(medidas["Diecisiete"].barraVertical);
    EXPECT_TRUE(medidas["Dieciocho"].barraVertical);
    for (const auto& [titulo, medida] : medidas)
        EXPECT_FALSE(medida.barraHorizontal) << titulo.toStdString();
    EXPECT_EQ(medidas["Diecisiete"].tamano.height() - medidas["Sola"].tamano.height(), 16 * altoFila);
    EXPECT_EQ(medidas["Dieciocho"].tamano.height(), medidas["Diecisiete"].tamano.height());
    EXPECT_EQ(medidas["Diecisiete"].tamano.width(), medidas["Sola"].tamano.width());
    EXPECT_GT(medidas["Dieciocho"].tamano.width(), medidas["Diecisiete"].tamano.width());
}

TEST_F(ResultadoConsulta, UnClicEnLaCabeceraOrdenaDeNuevoYConservaElTamano) {
    Consultar(Avanzada());
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    const QSize tamano = consulta->size();

    PulsarCabecera(*consulta, "Autor");
    EXPECT_EQ(consulta->Orden(), "AUTOR, CABECERA, RUTA");
    EXPECT_EQ(consulta->SentenciaAbierta(), Base + " ORDER BY AUTOR, CABECERA, RUTA");
    EXPECT_EQ(Columna(*consulta, "Autor"),
              (QStringList{"Ella", "Madonna", "Queen", "Sinéad O'Connor", "The Beatles", "Tribute band"}));

    // Equal titles in any letter case fall to the author.
    PulsarCabecera(*consulta, "Título");
    EXPECT_EQ(consulta->Orden(), "TITULO, AUTOR, CABECERA, RUTA");
    auto tituloYAutor = [&] {
        QStringList filas;
        const QStringList titulos = Columna(*consulta, "Título");
        const QStringList autores = Columna(*consulta, "Autor");
        for (int i = 0; i < titulos.size(); ++i)
            filas << titulos[i] + "|" + autores[i];
        return filas;
    };
    const QStringList porTitulo{"All you need is LOVE|The Beatles",
                                "Like a prayer|Madonna",
                                "Love of my life|Queen",
                                "love of my life|Tribute band",
                                "Nothing compares 2 U|Sinéad O'Connor",
                                "Summertime|Ella"};
    EXPECT_EQ(tituloYAutor(), porTitulo);

    // The lyrics header keeps the order and reloads the list.
    PulsarCabecera(*consulta, "L");
    EXPECT_EQ(consulta->Orden(), "TITULO, AUTOR, CABECERA, RUTA");
    EXPECT_EQ(tituloYAutor(), porTitulo);
    EXPECT_EQ(consulta->size(), tamano);
    EXPECT_EQ(consulta->Total(), 6);
}

TEST_F(ResultadoConsulta, DobleClicDaElSiguienteNumeroDeLetraALaCancionQueNoTiene) {
    Consultar(Avanzada());
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    const QStringList autores = Columna(*consulta, "Autor");
    auto fila = [&](const QString& autor) { return static_cast<int>(autores.indexOf(autor)); };

    DobleClic(*consulta, fila("Queen"));
    EXPECT_EQ(Idx("Queen"), 1);
    DobleClic(*consulta, fila("The Beatles"));
    EXPECT_EQ(Idx("The Beatles"), 3);
    // A number already given to a song is not given again, though its lyric is not stored yet. A route
    // holding pattern characters still finds its own song.
    DobleClic(*consulta, fila("Ella"));
    EXPECT_EQ(Idx("Ella"), 4);
    EXPECT_TRUE(guion.mensajes.empty());
    EXPECT_EQ(Idx("Tribute band"), 0);
}

TEST_F(ResultadoConsulta, DobleClicEnUnaHomonimaNoEscribeNada) {
    auto& d = Avanzada();
    d.cmbLetras->setCurrentText("?");
    Consultar(d);
    ASSERT_NE(Ultimo(), nullptr);
    DobleClic(*Ultimo(), 0);
    EXPECT_EQ(Idx("Tribute band"), 0);
}

TEST_F(PruebaConsultas, DobleClicSinNingunaLetraEnElCatalogoDaElNumeroUno) {
    catalogo.AnadirCancion("Rock", "\\A\\", "Queen", "Love of my life");
    auto& d = Abrir<frmNuevaConsultaSimple>(espacio.mnuConsultaSimple);
    d.txtAutor->setText("Queen");
    Consultar(d);
    ASSERT_NE(Ultimo(), nullptr);
    DobleClic(*Ultimo(), 0);
    EXPECT_EQ(Idx("Queen"), 1);
}

TEST_F(ResultadoConsulta, SinFilasOConPatronInvalidoNoQuedaVentana) {
    struct Caso {
        QString titulo;
        QString mensaje;
        IconoMensaje icono;
    };
    for (const Caso& caso : {Caso{"zzz", "No se encontraron equivalencias.  ", IconoMensaje::Informacion},
                             Caso{"[abc", "La consulta no se puede realizar: ", IconoMensaje::Exclamacion}}) {
        guion.mensajes.clear();
        auto& d = Simple();
        d.txtTitulo->setText(caso.titulo);
        Consultar(d);
        ASSERT_EQ(guion.mensajes.size(), 1u) << caso.titulo.toStdString();
        EXPECT_TRUE(guion.mensajes[0].texto.startsWith(caso.mensaje))
            << guion.mensajes[0].texto.toStdString();
        EXPECT_EQ(guion.mensajes[0].titulo, "Error");
        EXPECT_EQ(guion.mensajes[0].icono, caso.icono);
        EXPECT_TRUE(Resultados().isEmpty());
        EXPECT_FALSE(Abierto<frmNuevaConsultaSimple>());
    }
    EXPECT_EQ(NumeroCanciones(), 6);
}

TEST_F(ResultadoConsulta, SqlConSuPropioOrdenLoConserva) {
    Consultar(Sql("SELECT * FROM CANCIONES ORDER BY LONGITUD"));
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    EXPECT_EQ(consulta->SentenciaAbierta(), "SELECT * FROM CANCIONES ORDER BY LONGITUD");
    const QStringList autores{"Ella", "Tribute band", "The Beatles", "Madonna", "Sinéad O'Connor", "Queen"};
    EXPECT_EQ(Columna(*consulta, "Autor"), autores);
    PulsarCabecera(*consulta, "Autor");
    EXPECT_EQ(Textos(),
              QStringList{"Esta consulta tiene su propio orden y no se puede ordenar por columnas.  "});
    EXPECT_EQ(Columna(*consulta, "Autor"), autores);
}

// Rows of one table carry their songs' identities, whatever columns they show; a union's rows without
// the columns that find a song cannot open its lyric.
TEST_F(ResultadoConsulta, SqlConSoloLasColumnasMostradasNoPuedeAbrirLetras) {
    auto& d =
        Sql("SELECT TITULO FROM CANCIONES WHERE TITULO LIKE 'L*' UNION ALL SELECT TITULO FROM CANCIONES "
            "WHERE TITULO LIKE 'Z*'");
    for (QCheckBox* casilla : d.Ver->Casillas())
        casilla->setChecked(casilla == d.Ver->chkVerTitulo);
    Consultar(d);
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    EXPECT_EQ(Filas(*consulta).size(), 3);
    DobleClic(*consulta, 0);
    EXPECT_EQ(Textos(),
              QStringList{
                  "No se puede abrir la letra: la consulta no devuelve todas las columnas de la canción.  "});
    guion.mensajes.clear();
    auto& una = Sql("SELECT TITULO FROM CANCIONES WHERE TITULO LIKE 'Like*'");
    for (QCheckBox* casilla : una.Ver->Casillas())
        casilla->setChecked(casilla == una.Ver->chkVerTitulo);
    Consultar(una);
    ASSERT_NE(Ultimo(), consulta);
    DobleClic(*Ultimo(), 0);
    EXPECT_TRUE(guion.mensajes.empty());
    ASSERT_EQ(frmCancion::Abiertas().size(), 1);
    EXPECT_EQ(frmCancion::Abiertas().first()->Idx(), Idx("Madonna"));
}

// A result whose rows would not fit in memory shows the first ones and says so, never runs out.
TEST_F(ResultadoConsulta, UnResultadoDemasiadoGrandeMuestraSusPrimerasFilasYLoDice) {
    const qsizetype memoria = Consultas::MemoriaMaximaFilas;
    Consultas::MemoriaMaximaFilas = 100 * 1024;
    Consultar(Sql("SELECT a.* FROM CANCIONES a, CANCIONES b, CANCIONES c, CANCIONES d"));
    Consultas::MemoriaMaximaFilas = memoria;
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    const int filas = consulta->Modelo().rowCount();
    EXPECT_GT(filas, 100);
    EXPECT_LT(filas, 6 * 6 * 6 * 6);
    EXPECT_EQ(consulta->Total(), filas);
    EXPECT_EQ(Textos(),
              QStringList{QString("La consulta devuelve demasiadas filas para mostrarlas todas: se "
                                  "muestran las primeras %1. Afine la consulta para ver las demás.  ")
                              .arg(filas)});
    // A new order by a header reads the rows again, as many as fit now, and says nothing more.
    guion.mensajes.clear();
    PulsarCabecera(*consulta, "Autor");
    EXPECT_EQ(consulta->Modelo().rowCount(), 6 * 6 * 6 * 6);
    EXPECT_TRUE(guion.mensajes.empty());
}

TEST_F(ResultadoConsulta, UnaConsultaLargaSePuedeCancelar) {
    for (int i = 0; i < 40; ++i)
        catalogo.AnadirCancion("Cruce", QString("\\%1\\").arg(i), "Autor", "Titulo", "mp3", 1, 0, 1);
    auto& d = Sql("SELECT a.* FROM CANCIONES a, CANCIONES b, CANCIONES c, CANCIONES d, CANCIONES e "
                  "WHERE a.LONGITUD + b.LONGITUD + c.LONGITUD + d.LONGITUD + e.LONGITUD < 0");
    bool visto = false;
    QTimer pulsador;
    QObject::connect(&pulsador, &QTimer::timeout, [&] {
        for (QWidget* ventana : QApplication::topLevelWidgets())
            if (auto* progreso = qobject_cast<QProgressDialog*>(ventana); progreso && progreso->isVisible()) {
                EXPECT_EQ(progreso->labelText(), "Realizando la consulta...");
                visto = true;
                progreso->cancel();
            }
    });
    pulsador.start(20);
    Consultar(d);
    pulsador.stop();
    EXPECT_TRUE(visto);
    EXPECT_TRUE(guion.mensajes.empty());
    EXPECT_TRUE(Resultados().isEmpty());
    EXPECT_EQ(NumeroCanciones(), 46);
}

// A folder added twice lists rows alike: each row opens the lyric of its own song, and the song window's
// mark comes back to that row, whatever kind of query shows them.
TEST_F(PruebaConsultas, CadaFilaDeUnaCarpetaAnadidaDosVecesAbreSuPropiaCancion) {
    for (int copia = 1; copia <= 2; ++copia) {
        catalogo.AnadirCancion("CD", "\\Carpeta\\", "Autor", "Tema", "mp3", 1000, 0, 1);
        catalogo.AnadirCancion("CD", "\\Con letra\\", "Autor", "Balada", "mp3", 1000, copia, 1);
        catalogo.AnadirLetra(copia, "amor de verano");
    }
    const auto sql = [](const QString& sentencia) {
        return [sentencia](PruebaConsultas& p) {
            auto& d = p.Abrir<frmNuevaConsultaSQL>(p.espacio.mnuConsultaSQL);
            d.txtConsultaSQL->setPlainText(sentencia);
            d.Ver->chkVerLetras->setChecked(true);
            p.Consultar(d);
        };
    };
    struct Caso {
        const char* nombre;
        std::function<void(PruebaConsultas&)> consultar;
    };
    const Caso casos[] = {
        {"simple",
         [](PruebaConsultas& p) {
             auto& d = p.Abrir<frmNuevaConsultaSimple>(p.espacio.mnuConsultaSimple);
             d.txtTitulo->setText("Tema");
             p.Consultar(d);
         }},
        {"avanzada con marcado inteligente",
         [](PruebaConsultas& p) {
             auto& d = p.Abrir<frmNuevaConsultaAvanzada>(p.espacio.mnuConsultaAvanzada);
             d.txtTitulo->setText("Tema");
             d.chkInteligente->setChecked(true);
             p.Consultar(d);
         }},
        {"sql de una tabla", sql("SELECT * FROM CANCIONES WHERE TITULO = 'Tema'")},
        {"sql compuesta", sql("SELECT * FROM CANCIONES WHERE TITULO = 'Tema' UNION ALL SELECT * FROM "
                              "CANCIONES WHERE TITULO = 'Nada'")},
        {"por letra",
         [](PruebaConsultas& p) {
             auto& d = p.Abrir<frmNuevaConsultaPorLetra>(p.espacio.mnuConsultaPorLetra);
             d.txtTexto->setPlainText("amor");
             p.Consultar(d);
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        BBDD::BaseDatos->Execute("UPDATE CANCIONES SET IDX_CANCION = 0 WHERE TITULO = 'Tema'");
        caso.consultar(*this);
        frmConsulta* consulta = Ultimo();
        ASSERT_NE(consulta, nullptr);
        ASSERT_EQ(Columna(*consulta, "L").size(), 2);
        std::set<catalogo::IdCancion> abiertas;
        for (const int fila : {1, 0}) {
            QStringList marcas = Columna(*consulta, "L");
            DobleClic(*consulta, fila);
            ASSERT_EQ(frmCancion::Abiertas().size(), 1);
            frmCancion* ventana = frmCancion::Abiertas().first();
            abiertas.insert(ventana->Fila());
            EXPECT_EQ(catalogo::NumeroLetraDe(*BBDD::BaseDatos, ventana->Fila()), ventana->Idx());
            ventana->Delante()->setPlainText("letra escrita");
            guion.respuestas = {RespuestaMensaje::Si};
            ventana->close();
            Soltar();
            marcas[fila] = "S";
            EXPECT_EQ(Columna(*consulta, "L"), marcas);
        }
        EXPECT_EQ(abiertas.size(), 2u);
        consulta->close();
        Soltar();
        EXPECT_EQ(Textos(), QStringList(2, "¿Desea guardar los cambios?"));
        guion.mensajes.clear();
    }
}

// The "?" mark of a result, the list's, the lyric picker and the mark written back when the song window
// closes all compare titles as values, letter case aside: pattern characters are plain characters.
TEST_F(PruebaConsultas, LaMarcaInterrogacionYElSelectorComparanLosTitulosComoValores) {
    struct Caso {
        QString sinLetra;
        QString conLetra;
        QString marca;
    };
    const Caso casos[] = {
        {"Rock'n Roll", "rock'n roll", "?"},
        {"Rock'n Blues", "Rockin Blues", "N"},
        {"Tema #9", "TEMA #9", "?"},
        {"Tema #2", "Tema 22", "N"},
        {"[Directo] Canción", "[directo] canción", "?"},
        {"Fin [", "fin [", "?"},
        {"Hola*", "Hola mundo", "N"},
        {"¿Qué?", "¿Qué!", "N"},
        {"100% Real", "100% real", "?"},
        {"50%", "50 x", "N"},
        {"a_b", "A_B", "?"},
        {"c_d", "cxd", "N"},
    };
    const auto ruta = [](int n) { return QString("\\%1\\").arg(n); };
    for (int n = 0; n < int(std::size(casos)); ++n) {
        catalogo.AnadirCancion("Con", ruta(n), QString("Con%1").arg(n), casos[n].conLetra, "mp3", 1000, n + 1,
                               1);
        catalogo.AnadirLetra(n + 1, "letra");
        catalogo.AnadirCancion("Sin", ruta(n), QString("Sin%1").arg(n), casos[n].sinLetra, "mp3", 1000, 0, 1);
    }
    auto& d = Abrir<frmNuevaConsultaAvanzada>(espacio.mnuConsultaAvanzada);
    d.chkInteligente->setChecked(true);
    Consultar(d);
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    for (int n = 0; n < int(std::size(casos)); ++n) {
        const Caso& caso = casos[n];
        SCOPED_TRACE(caso.sinLetra.toStdString());
        const QString autor = QString("Sin%1").arg(n);
        const int fila = static_cast<int>(Columna(*consulta, "Autor").indexOf(autor));
        ASSERT_GE(fila, 0);
        EXPECT_EQ(Columna(*consulta, "L")[fila], caso.marca);
        EXPECT_EQ(catalogo::LeerCancionesRuta(*BBDD::BaseDatos, {"Sin", ruta(n)}, true).at(0).marca,
                  caso.marca);
        DobleClic(*consulta, fila);
        auto* selector = consulta->findChild<frmSelCancion*>();
        if (caso.marca == "?") {
            ASSERT_NE(selector, nullptr);
            ASSERT_EQ(selector->ListViewSel->topLevelItemCount(), 2);
            EXPECT_EQ(selector->ListViewSel->topLevelItem(1)->text(2), QString("Con%1").arg(n));
            // The namesake's lyric opens; the song keeps none of its own.
            selector->ListViewSel->setCurrentItem(selector->ListViewSel->topLevelItem(1));
            emit selector->ListViewSel->itemDoubleClicked(selector->ListViewSel->currentItem(), 0);
            Soltar();
        } else {
            ASSERT_EQ(selector, nullptr);
            // The new lyric, left empty, is deleted when its window closes.
            guion.respuestas = {RespuestaMensaje::Si};
        }
        ASSERT_EQ(frmCancion::Abiertas().size(), 1);
        frmCancion::Abiertas().first()->close();
        Soltar();
        EXPECT_EQ(Columna(*consulta, "L")[fila], caso.marca);
        EXPECT_EQ(Idx(autor), 0);
    }
}
