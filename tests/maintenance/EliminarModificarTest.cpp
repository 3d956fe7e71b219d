// The tabs "Eliminar" and "Modificar" of the maintenance window and its "Reordenar Ruta": the questions a
// user answers, what the catalogue holds afterwards, the trees and lists, and a catalogue that fails in
// the middle.

#include "VentanaActualizacionPrueba.h"
#include "list/frmLista.h"
#include "maintenance/frmEliminando.h"
#include "maintenance/frmReordenar.h"
#include "store/BBDD.h"
#include "support/VistasPrueba.h"
#include "trees/ArbolNodos.h"
#include "trees/Arboles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Every caption that a deletion progress window takes, in order.
class Rotulos : public QObject {
public:
    Rotulos() { qApp->installEventFilter(this); }
    ~Rotulos() override { qApp->removeEventFilter(this); }
    QStringList vistos;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::WindowTitleChange)
            if (auto* ventana = qobject_cast<frmEliminando*>(objeto))
                vistos << ventana->windowTitle();
        return false;
    }
};

class Mantenimiento : public VentanaActualizacion {
protected:
    // Every row of CANCIONES and LETRAS as text, to tell that nothing changed.
    QStringList Todo() {
        QStringList filas;
        for (const char* sql :
             {"SELECT CABECERA, RUTA, AUTOR, TITULO, EXTENSION, LONGITUD, IDX_CANCION, REL_POS "
              "FROM CANCIONES ORDER BY CABECERA, RUTA, REL_POS, AUTOR",
              "SELECT IDX_CANCION, LYRICS FROM LETRAS ORDER BY IDX_CANCION"}) {
            auto rs = BBDD::BaseDatos->OpenRecordset(QString::fromUtf8(sql));
            for (; !rs->Eof(); rs->MoveNext()) {
                QStringList valores;
                for (int c = 0; c < rs->FieldCount(); ++c)
                    valores << (rs->Field(c).isValid() ? rs->Field(c).toString() : QStringLiteral("<Null>"));
                filas << valores.join(u'|');
            }
        }
        return filas;
    }
    QStringList Columna(const QString& sql) {
        QStringList valores;
        auto rs = BBDD::BaseDatos->OpenRecordset(sql);
        for (; !rs->Eof(); rs->MoveNext())
            valores << rs->Field(0).toString();
        return valores;
    }
    // Texts of the tree's nodes under the root, headers with their routes indented.
    static QStringList Nodos(const ArbolNodos* arbol) {
        QStringList textos;
        const QTreeWidgetItem* raiz = arbol->Nodo(Arboles::ClaveRaiz);
        for (int i = 0; raiz && i < raiz->childCount(); ++i) {
            textos << raiz->child(i)->text(0);
            for (int j = 0; j < raiz->child(i)->childCount(); ++j)
                textos << QStringLiteral("  ") + raiz->child(i)->child(j)->text(0);
        }
        return textos;
    }
    // The route node of the tree whose header and path have these texts.
    static QString Clave(const ArbolNodos* arbol, const QString& cabecera, const QString& ruta = {}) {
        const QTreeWidgetItem* raiz = arbol->Nodo(Arboles::ClaveRaiz);
        for (int i = 0; raiz && i < raiz->childCount(); ++i) {
            const QTreeWidgetItem* c = raiz->child(i);
            if (c->text(0) != cabecera)
                continue;
            if (ruta.isNull())
                return ArbolNodos::Clave(c);
            for (int j = 0; j < c->childCount(); ++j)
                if (c->child(j)->text(0) == ruta)
                    return ArbolNodos::Clave(c->child(j));
        }
        return {};
    }
    void ElegirEliminar(const QString& cabecera, const QString& ruta = {}) {
        const QString clave = Clave(v().TreeViewEliminar, cabecera, ruta);
        ASSERT_FALSE(clave.isEmpty());
        v().TreeViewEliminar->Seleccionar(clave);
        v().TreeViewEliminar_Click();
    }
    void ElegirModificar(const QString& cabecera, const QString& ruta) {
        const QString clave = Clave(v().TreeViewModificar, cabecera, ruta);
        ASSERT_FALSE(clave.isEmpty());
        v().TreeViewModificar->Seleccionar(clave);
        v().TreeViewModificar_Click();
    }
    void Seleccionar(QAbstractItemView* lista, std::initializer_list<int> filas) {
        SeleccionarFilas(lista, filas);
    }
    void Responder(RespuestaMensaje respuesta) { guion.respuestas.push_back(respuesta); }

    Rotulos rotulos;
};

// ---------------------------------------------------------------------------------------------------
// Eliminar

TEST_F(Mantenimiento, EliminarCancionesSeleccionadas) {
    catalogo.AnadirCancion("Disco", "\\A\\", " ", "Sin autor", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("Disco", "\\A\\", "Y", "Why?", "mp3", 2, 0, 2);
    catalogo.AnadirCancion("Disco", "\\A\\", "Y", "Why!", "mp3", 3, 3, 3);
    catalogo.AnadirCancion("Disco", "\\A\\", "Z", "T -- U", "mp3", 4, 4, 4);
    catalogo.AnadirCancion("Disco", "\\B\\", "W", "Comparte", "mp3", 5, 3, 1);
    catalogo.AnadirLetra(3, "compartida");
    catalogo.AnadirLetra(4, "propia");
    frmActualizacion& f = v();
    ElegirEliminar("Disco", "\\A\\");
    ASSERT_EQ(Lineas(f.listaCancionesEliminar),
              (QStringList{"  -- Sin autor", "Y -- Why?", "Y -- Why!", "Z -- T -- U"}));
    Seleccionar(f.listaCancionesEliminar, {0, 2, 3});
    const QStringList antes = Todo();

    Responder(RespuestaMensaje::No);
    f.cmdEliminarCanciones->click();
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].texto, "¿Confirma que desea eliminar estas canciones?");
    EXPECT_EQ(guion.mensajes[0].titulo, "Aviso de Eliminación");
    EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Pregunta);
    EXPECT_EQ(guion.mensajes[0].botones, BotonesMensaje::SiNo);
    EXPECT_EQ(BotonPredeterminado(guion.mensajes[0]), RespuestaMensaje::Si);
    EXPECT_EQ(Todo(), antes);
    EXPECT_TRUE(rotulos.vistos.isEmpty());

    f.txtAutorModificar->setText("algo");
    Responder(RespuestaMensaje::Si);
    f.cmdEliminarCanciones->click();
    EXPECT_EQ(guion.mensajes.size(), 2u);
    EXPECT_EQ(Columna("SELECT TITULO FROM CANCIONES ORDER BY TITULO"), (QStringList{"Comparte", "Why?"}));
    // The lyric another song still names stays; the one only the deleted song named goes.
    EXPECT_EQ(Columna("SELECT IDX_CANCION FROM LETRAS"), QStringList{"3"});
    EXPECT_EQ(rotulos.vistos,
              (QStringList{"Eliminando Entradas de Ficheros...", "Actualizando Árboles...", "Terminado"}));
    ASSERT_TRUE(f.Eliminando());
    EXPECT_TRUE(f.Eliminando()->cmdHecho->isEnabled());
    EXPECT_EQ(f.Eliminando()->ProgressBar->value(), f.Eliminando()->ProgressBar->maximum());
    EXPECT_EQ(Filas(f.listaCancionesEliminar), 0);
    EXPECT_TRUE(f.txtAutorModificar->text().isEmpty());

    // Nothing selected: nothing asked, nothing deleted.
    ElegirEliminar("Disco", "\\A\\");
    f.cmdEliminarCanciones->click();
    EXPECT_EQ(guion.mensajes.size(), 2u);
    // The last song of a route takes its node away.
    Seleccionar(f.listaCancionesEliminar, {0});
    Responder(RespuestaMensaje::Si);
    f.cmdEliminarCanciones->click();
    EXPECT_EQ(Nodos(f.TreeViewEliminar), (QStringList{"Disco", "  \\B\\"}));
    EXPECT_EQ(Nodos(Ventanas::Lista().TreeViewLista), Nodos(f.TreeViewEliminar));
    EXPECT_EQ(Nodos(f.TreeViewModificar), Nodos(f.TreeViewEliminar));
}

TEST_F(Mantenimiento, EliminarRamaDeUnaCabeceraODeUnaRuta) {
    const QString raro = QStringLiteral("A*[#?'");
    catalogo.AnadirCancion(raro, "\\x\\", "A", "1", "mp3", 1, 7);
    catalogo.AnadirLetra(7, "se va");
    BBDD::BaseDatos->Execute(
        QStringLiteral("INSERT INTO CANCIONES (CABECERA, AUTOR, TITULO) VALUES ('A*[#?''', "
                       "'Sin', 'ruta')"));
    catalogo.AnadirCancion("AB[1?'", "\\x\\", "B", "2");
    catalogo.AnadirCancion("Disco", "\\Rock'n Roll\\", "C", "3");
    catalogo.AnadirCancion("Disco", "\\Rock n Roll\\", "D", "4");
    catalogo.AnadirCancion("Disco", "\\Rock'n Roll\\Directo\\", "E", "5"); // a route of its own
    frmActualizacion& f = v();

    struct Caso {
        QString cabecera, ruta, pregunta, rotulo;
        QStringList quedan;
    };
    const Caso casos[] = {
        {"Disco",
         "\\Rock'n Roll\\",
         "¿Eliminar la ruta: ''\\Rock'n Roll\\'' ?",
         "Eliminando: \\Rock'n Roll\\",
         {"1", "2", "4", "5", "ruta"}},
        {raro, {}, "¿Eliminar la cabecera: ''A*[#?''' ?", "Eliminando: A*[#?'", {"2", "4", "5"}},
    };
    for (const Caso& caso : casos) {
        guion.mensajes.clear();
        rotulos.vistos.clear();
        ElegirEliminar(caso.cabecera, caso.ruta);
        const QStringList antes = Todo();
        Responder(RespuestaMensaje::No);
        f.cmdEliminarRama->click();
        EXPECT_EQ(Todo(), antes);
        Responder(RespuestaMensaje::Si);
        f.cmdEliminarRama->click();
        ASSERT_EQ(guion.mensajes.size(), 2u);
        EXPECT_EQ(guion.mensajes[0].texto, caso.pregunta);
        EXPECT_EQ(guion.mensajes[0].titulo, "Aviso de Eliminación");
        EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Pregunta);
        EXPECT_EQ(guion.mensajes[0].botones, BotonesMensaje::SiNo);
        EXPECT_EQ(BotonPredeterminado(guion.mensajes[0]), RespuestaMensaje::No);
        EXPECT_EQ(Columna("SELECT TITULO FROM CANCIONES ORDER BY AUTOR"), caso.quedan);
        EXPECT_EQ(rotulos.vistos, (QStringList{caso.rotulo, "Actualizando Árboles...", "Terminado"}));
    }
    EXPECT_TRUE(Columna("SELECT IDX_CANCION FROM LETRAS").isEmpty());
    EXPECT_EQ(Nodos(f.TreeViewEliminar),
              (QStringList{"AB[1?'", "  \\x\\", "Disco", "  \\Rock n Roll\\", "  \\Rock'n Roll\\Directo\\"}));

    // On the root the question is the whole catalogue's.
    guion.mensajes.clear();
    f.TreeViewEliminar->Seleccionar(Arboles::ClaveRaiz);
    Responder(RespuestaMensaje::Cancelar);
    f.cmdEliminarRama->click();
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].texto, "Va a eliminar la Base de Datos entera.   ¿Está usted seguro?  ");
    EXPECT_EQ(Columna("SELECT TITULO FROM CANCIONES ORDER BY AUTOR"), (QStringList{"2", "4", "5"}));
}

TEST_F(Mantenimiento, EliminarLaBaseEntera) {
    catalogo.AnadirCancion("Disco", "\\A\\", "A", "1", "mp3", 1, 2);
    catalogo.AnadirLetra(2, "letra");
    frmActualizacion& f = v();
    Responder(RespuestaMensaje::Cancelar);
    f.cmdEliminarBase->click();
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].texto, "Va a eliminar la Base de Datos entera.   ¿Está usted seguro?  ");
    EXPECT_EQ(guion.mensajes[0].titulo, "Aviso de Eliminación");
    EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Informacion);
    EXPECT_EQ(guion.mensajes[0].botones, BotonesMensaje::AceptarCancelar);
    EXPECT_EQ(BotonPredeterminado(guion.mensajes[0]), RespuestaMensaje::Cancelar);
    EXPECT_EQ(Todo().size(), 2);

    Responder(RespuestaMensaje::Aceptar);
    f.cmdEliminarBase->click();
    EXPECT_TRUE(Todo().isEmpty());
    EXPECT_EQ(rotulos.vistos, QStringList{"Terminado"}); // the design caption stays until the end
    for (const ArbolNodos* arbol :
         {f.TreeViewEliminar, f.TreeViewModificar, Ventanas::Lista().TreeViewLista}) {
        ASSERT_EQ(arbol->topLevelItemCount(), 1);
        EXPECT_EQ(arbol->topLevelItem(0)->text(0), "Canciones");
        EXPECT_EQ(arbol->topLevelItem(0)->childCount(), 0);
        EXPECT_EQ(arbol->Imagen(Arboles::ClaveRaiz), Arboles::ImagenRaizCerrado);
    }
    // Pressed again at once: the shared set still holds the rows it was opened with, so the deletion runs
    // again rather than saying that the catalogue is empty.
    Responder(RespuestaMensaje::Aceptar);
    f.cmdEliminarBase->click();
    EXPECT_EQ(guion.mensajes.size(), 3u);
    EXPECT_EQ(guion.mensajes.back().texto, "Va a eliminar la Base de Datos entera.   ¿Está usted seguro?  ");
    // Once the catalogue has been opened empty, it says so.
    catalogo.Reabrir();
    Responder(RespuestaMensaje::Aceptar);
    f.cmdEliminarBase->click();
    ASSERT_EQ(guion.mensajes.size(), 5u);
    EXPECT_EQ(guion.mensajes.back().texto, "¡La base ya está vacía!  ");
    EXPECT_EQ(guion.mensajes.back().titulo, "Error");
    EXPECT_EQ(guion.mensajes.back().icono, IconoMensaje::Exclamacion);
}

TEST_F(Mantenimiento, UnCatalogoBloqueadoNoPierdeNada) {
    catalogo.AnadirCancion("Disco", "\\A\\", "A", "1", "mp3", 1, 2);
    catalogo.AnadirCancion("Disco", "\\B\\", "B", "2");
    catalogo.AnadirLetra(2, "letra");
    frmActualizacion& f = v();
    ElegirEliminar("Disco");
    const QStringList antes = Todo();
    const QStringList nodos = Nodos(f.TreeViewEliminar);
    // Another program holds the catalogue for writing.
    auto otro = dao::Database::OpenDatabase(BBDD::RutaBaseDatos);
    otro->BeginTrans();
    otro->Execute(QStringLiteral("UPDATE LETRAS SET LYRICS = LYRICS"));
    Responder(RespuestaMensaje::Si);
    f.cmdEliminarRama->click();
    otro->Rollback();
    otro.reset();
    ASSERT_EQ(guion.mensajes.size(), 2u);
    EXPECT_TRUE(guion.mensajes[1].texto.contains("No se ha eliminado nada."))
        << guion.mensajes[1].texto.toStdString();
    EXPECT_EQ(Todo(), antes);
    EXPECT_EQ(Nodos(f.TreeViewEliminar), nodos);
    EXPECT_FALSE(f.Eliminando() && f.Eliminando()->isVisible());
    // The window goes on working.
    ElegirEliminar("Disco");
    Responder(RespuestaMensaje::Si);
    f.cmdEliminarRama->click();
    EXPECT_TRUE(Todo().isEmpty());
}

// ---------------------------------------------------------------------------------------------------
// Modificar

class Modificar : public Mantenimiento {
protected:
    void SetUp() override {
        catalogo.AnadirCancion("Disco", ruta200, "Autor", "Título", "flac", 12345678, 5, 1);
        catalogo.AnadirCancion("Disco", ruta200, " ", "Sin autor", "mp3", 10, 0, 2);
        catalogo.AnadirCancion("Disco", "\\Otra\\", "Otro", "Tema", "mp3", 10, 0, 1);
        ElegirModificar("Disco", ruta200);
    }
    void Cargar(int fila) { Seleccionar(v().listaCancionesModificar, {fila}); }
    QStringList Campos() {
        QStringList textos;
        for (QLineEdit* campo :
             {v().txtCabeceraModificar, v().txtRutaModificar, v().txtAutorModificar, v().txtTituloModificar,
              v().txtExtensionModificar, v().txtTamanoModificar, v().txtRelPosModificar})
            textos << campo->text();
        return textos;
    }
    const QString ruta200 = QStringLiteral("\\") + QString(198, u'r') + QStringLiteral("\\");
};

TEST_F(Modificar, CargarGuardarYRestaurar) {
    frmActualizacion& f = v();
    Cargar(0);
    const QString tamano = catalogo::TextoTamano(12345678, QLocale::system()) + QStringLiteral("  Bytes");
    EXPECT_EQ(Campos(), (QStringList{"Disco", ruta200, "Autor", "Título", "flac", tamano, "1"}));
    EXPECT_FALSE(f.CambioRama);

    // Only the title changes: the row keeps the rest whole, the list is read again, the trees stay.
    f.txtTituloModificar->setText("  Nuevo título  ");
    f.cmdGuardar->click();
    EXPECT_EQ(Columna("SELECT CABECERA & '|' & RUTA & '|' & AUTOR & '|' & TITULO & '|' & EXTENSION & '|' & "
                      "LONGITUD & '|' & IDX_CANCION FROM CANCIONES WHERE REL_POS = 1 AND AUTOR = 'Autor'"),
              QStringList{"Disco|" + ruta200 + "|Autor|Nuevo título|flac|12345678|5"});
    EXPECT_EQ(Lineas(f.listaCancionesModificar), (QStringList{"Autor -- Nuevo título", "  -- Sin autor"}));
    EXPECT_TRUE(rotulos.vistos.isEmpty());
    EXPECT_EQ(Campos(), QStringList(7));

    // A blank author loads; emptied fields save as a single blank; the size takes the digits typed.
    Cargar(1);
    EXPECT_EQ(f.txtAutorModificar->text(), " ");
    f.txtTituloModificar->clear();
    f.txtTamanoModificar->setText("12.345 Bytes");
    f.cmdGuardar->click();
    EXPECT_EQ(Columna("SELECT TITULO & '|' & LONGITUD FROM CANCIONES WHERE REL_POS = 2"),
              QStringList{" |12345"});

    // "&Restaurar" brings back what is stored.
    Cargar(0);
    f.txtAutorModificar->setText("Cambiado");
    f.txtCabeceraModificar->setText("Otra cabecera");
    EXPECT_TRUE(f.CambioRama);
    f.cmdRestaurar->click();
    EXPECT_EQ(f.txtAutorModificar->text(), "Autor");
    EXPECT_EQ(f.txtCabeceraModificar->text(), "Disco");
    EXPECT_FALSE(f.CambioRama);
}

TEST_F(Modificar, CambiarLaRutaReconstruyeLosArboles) {
    frmActualizacion& f = v();
    Cargar(1);
    f.txtRutaModificar->setText("\\Nueva\\");
    f.cmdGuardar->click();
    EXPECT_EQ(rotulos.vistos, QStringList{"Actualizando Árboles..."});
    ASSERT_TRUE(f.Eliminando());
    EXPECT_TRUE(f.Eliminando()->cmdHecho->isEnabled());
    EXPECT_EQ(Nodos(f.TreeViewModificar),
              (QStringList{"Disco", "  \\Nueva\\", "  \\Otra\\", "  " + ruta200}));
    EXPECT_EQ(Nodos(Ventanas::Lista().TreeViewLista), Nodos(f.TreeViewModificar));
    EXPECT_EQ(Filas(f.listaCancionesModificar), 0);
}

TEST_F(Modificar, NadaSeEscribeSinRegistroOConUnTamanoQueNoCabe) {
    frmActualizacion& f = v();
    const QStringList antes = Todo();
    // No line chosen.
    f.cmdGuardar->click();
    EXPECT_TRUE(guion.mensajes.empty());
    // A size of more digits than a 32-bit number holds, single and batch.
    Cargar(0);
    f.txtTamanoModificar->setText("99999999999");
    f.cmdGuardar->click();
    f.chkBatch->click();
    f.txtTamanoModificar->setText("99999999999");
    f.cmdGuardar->click();
    ASSERT_EQ(guion.mensajes.size(), 2u);
    for (const Mensaje& mensaje : guion.mensajes)
        EXPECT_TRUE(mensaje.texto.contains("2147483647")) << mensaje.texto.toStdString();
    EXPECT_EQ(Todo(), antes);
    // The row has gone under the list.
    guion.mensajes.clear();
    f.chkBatch->click();
    BBDD::BaseDatos->Execute(QStringLiteral("DELETE FROM CANCIONES WHERE AUTOR = 'Autor'"));
    const QStringList sinElla = Todo();
    Cargar(1);
    Cargar(0);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].texto, "Error chungo, no encuentro el registro  ");
    EXPECT_EQ(guion.mensajes[0].titulo, "ARGH!");
    EXPECT_EQ(guion.mensajes[0].icono, IconoMensaje::Critico);
    f.cmdGuardar->click();
    EXPECT_EQ(guion.mensajes.size(), 2u);
    EXPECT_EQ(guion.mensajes[1].texto, "Error chungo, no encuentro el registro  ");
    EXPECT_EQ(Todo(), sinElla);
}

TEST_F(Modificar, GuardarEnLote) {
    frmActualizacion& f = v();
    f.chkBatch->click();
    f.txtExtensionModificar->setText("MP3");
    f.cmdGuardar->click();
    EXPECT_EQ(
        Columna("SELECT EXTENSION & '|' & TITULO & '|' & LONGITUD FROM CANCIONES ORDER BY RUTA, REL_POS"),
        (QStringList{"mp3|Tema|10", "MP3|Título|12345678", "MP3|Sin autor|10"}));
    EXPECT_EQ(Lineas(f.listaCancionesModificar), (QStringList{"Autor -- Título", "  -- Sin autor"}));
    EXPECT_TRUE(rotulos.vistos.isEmpty());

    ElegirModificar("Disco", ruta200);
    f.chkBatch->click();
    f.txtCabeceraModificar->setText("Nueva ");
    f.cmdGuardar->click();
    EXPECT_EQ(Columna("SELECT CABECERA FROM CANCIONES ORDER BY RUTA, REL_POS"),
              (QStringList{"Disco", "Nueva ", "Nueva "}));
    EXPECT_EQ(Nodos(f.TreeViewModificar), (QStringList{"Disco", "  \\Otra\\", "Nueva ", "  " + ruta200}));
    EXPECT_EQ(Filas(f.listaCancionesModificar), 0);
}

// ---------------------------------------------------------------------------------------------------
// Reordenar Ruta

TEST_F(Mantenimiento, ReordenarMuestraElNuevoOrdenEnLasTresListas) {
    catalogo.AnadirCancion("L'Album", "\\R\\", "C", "c", "mp3", 1, 0, 1);
    catalogo.AnadirCancion("L'Album", "\\R\\", "A", "a", "mp3", 3, 0, 2);
    catalogo.AnadirCancion("L'Album", "\\R\\", "B", "b", "mp3", 2, 0, 3);
    frmActualizacion& f = v();
    for (bool sincronizados : {true, false}) {
        GestorArboles::Instancia().SetSincronizados(true);
        ElegirModificar("L'Album", "\\R\\");
        GestorArboles::Instancia().SetSincronizados(sincronizados);
        QTimer::singleShot(0, [] {
            auto* dialogo = qobject_cast<frmReordenar*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialogo);
            EXPECT_EQ(dialogo->txtCabecera->text(), "L'Album");
            EXPECT_EQ(dialogo->txtRuta->text(), "\\R\\");
            dialogo->optTitulo->setChecked(true);
            dialogo->optDescendente->setChecked(true);
            dialogo->cmdAceptar->click();
        });
        f.cmdReordenar->click();
        const QStringList orden{"C -- c", "B -- b", "A -- a"};
        EXPECT_EQ(Lineas(f.listaCancionesModificar), orden);
        EXPECT_EQ(Lineas(f.listaCancionesEliminar), orden);
        const QAbstractItemView* lista = Ventanas::Lista().ListaListView;
        ASSERT_EQ(Filas(lista), 3);
        EXPECT_EQ(Celda(lista, 0) + Celda(lista, 2), "CA");
        EXPECT_EQ(Columna("SELECT AUTOR FROM CANCIONES ORDER BY REL_POS"), (QStringList{"C", "B", "A"}));
        EXPECT_EQ(GestorArboles::Instancia().Sincronizados(), sincronizados);
        EXPECT_EQ(guion.mensajes.back().texto, "Operación terminada con éxito");
        // Back to the first order for the next turn.
        BBDD::BaseDatos->Execute(QStringLiteral("UPDATE CANCIONES SET REL_POS = 0"));
    }
}

} // namespace
