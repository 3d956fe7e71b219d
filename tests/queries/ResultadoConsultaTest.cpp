// The result window: the statement each query builds and the rows it shows, the status panels, the
// sizing, sorting by a header click, the lyric marks, the double-click, and the queries that cannot
// give a result.

#include "PruebaConsultas.h"

#include "queries/DobleOption.h"
#include "queries/ModeloConsulta.h"
#include "queries/PanelesEstado.h"
#include "queries/frmNuevaConsultaAvanzada.h"
#include "queries/frmNuevaConsultaSQL.h"
#include "queries/frmNuevaConsultaSimple.h"
#include "store/BBDD.h"

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
#include <functional>
#include <map>

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

TEST_F(ResultadoConsulta, SqlConSoloLasColumnasMostradasNoPuedeAbrirLetras) {
    auto& d = Sql("SELECT TITULO FROM CANCIONES WHERE TITULO LIKE 'L*'");
    for (QCheckBox* casilla : d.Ver->Casillas())
        casilla->setChecked(casilla == d.Ver->chkVerTitulo);
    Consultar(d);
    frmConsulta* consulta = Ultimo();
    ASSERT_NE(consulta, nullptr);
    EXPECT_EQ(Filas(*consulta), (QStringList{"Like a prayer", "love of my life", "Love of my life"}));
    DobleClic(*consulta, 0);
    EXPECT_EQ(Textos(),
              QStringList{
                  "No se puede abrir la letra: la consulta no devuelve todas las columnas de la canción.  "});
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

TEST_F(PruebaConsultas, MarcadoInteligenteTomaComoPatronUnTituloConComodines) {
    catalogo.AnadirCancion("Rock", "\\A\\", "Queen", "Love of my life", "mp3", 1, 1, 1);
    catalogo.AnadirCancion("Rock", "\\A\\", "Copia", "Love of my lif#", "mp3", 1, 0, 2);
    catalogo.AnadirCancion("Rock", "\\A\\", "Rota", "[Love of my life", "mp3", 1, 0, 3);
    catalogo.AnadirCancion("Rock", "\\A\\", "Otra", "Love of my wife", "mp3", 1, 0, 4);
    catalogo.AnadirLetra(1, "Love of my life");
    auto& d = Abrir<frmNuevaConsultaAvanzada>(espacio.mnuConsultaAvanzada);
    d.chkInteligente->setChecked(true);
    Consultar(d);
    ASSERT_NE(Ultimo(), nullptr);
    QStringList marcas;
    const QStringList autores = Columna(*Ultimo(), "Autor");
    const QStringList letras = Columna(*Ultimo(), "L");
    for (int i = 0; i < autores.size(); ++i)
        marcas << autores[i] + "=" + letras[i];
    marcas.sort();
    // "#" becomes "?", which matches the "e"; an unmatched "[" matches nothing and fails nothing.
    EXPECT_EQ(marcas, (QStringList{"Copia=?", "Otra=N", "Queen=S", "Rota=N"}));
    EXPECT_TRUE(guion.mensajes.empty());
}
