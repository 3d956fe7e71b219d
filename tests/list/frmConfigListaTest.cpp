// The list configuration dialog opened on its own: what it loads, what counts as a change, the colour
// and font dialogs (cancelled or not), and what Aplicar, Aceptar and Cancelar hand on, in which order.

#include "list/frmConfigLista.h"
#include "queries/EtiquetaPulsable.h"
#include "shell/Estado.h"
#include "shell/FormatoTexto.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const QString TextoActiva = QStringLiteral(
    "La búsqueda inteligente de letras ralentiza el programa, pero permite conocer la existencia de letras "
    "para las canciones que no estén directamente asociadas.");
const QString TextoInactiva = QStringLiteral("Para poder modificar esta opción, marque primero la casilla de "
                                             "visualización de la columna de las Letras");

QColor Fondo(const QWidget* caja) {
    return caja->palette().color(QPalette::Base);
}

class ConfigListaPrueba : public ::testing::Test {
protected:
    ConfigListaPrueba() : servicios(InstalarServiciosGuionados()) { Estado::EstiloLetras = EstiloTexto{}; }
    ~ConfigListaPrueba() override { Estado::EstiloLetras = EstiloTexto{}; }

    // Opens the dialog on opciones and records every set of options it hands on.
    std::unique_ptr<frmConfigLista> Abrir(const Lista::OpcionesLista& opciones = {}) {
        auto dialogo = std::make_unique<frmConfigLista>(opciones);
        QObject::connect(dialogo.get(), &frmConfigLista::Aplicar,
                         [this](const Lista::OpcionesLista& o) { aplicadas.push_back(o); });
        return dialogo;
    }

    ServiciosGuionados& servicios;
    CatalogoPrueba catalogo;
    VentanasPrueba ventanas; // the song window's pictures live in frmAux
    std::vector<Lista::OpcionesLista> aplicadas;
};

TEST_F(ConfigListaPrueba, CargaLasOpcionesYElEstiloSinContarlosComoCambio) {
    Estado::EstiloLetras.NombreFuente = QStringLiteral("Courier");
    Estado::EstiloLetras.TamanoFuente = 12;
    Estado::EstiloLetras.Cursiva = true;
    Estado::EstiloLetras.ColorTexto = 255; // red
    Estado::EstiloLetras.Justificacion = 2;
    Lista::OpcionesLista opciones;
    opciones.ColumnaTitulo = false;
    opciones.ColumnaTamano = false;
    opciones.BusquedaInteligente = true;
    auto dialogo = Abrir(opciones);

    EXPECT_EQ(dialogo->windowTitle(), QStringLiteral("Configuración Lista"));
    EXPECT_EQ(dialogo->TabStrip1->tabText(0), QStringLiteral("Ver Columnas"));
    EXPECT_EQ(dialogo->TabStrip1->tabText(1), QStringLiteral("Búsqueda Inteligente"));
    EXPECT_EQ(dialogo->TabStrip1->tabText(2), QStringLiteral("Estilo Letras"));
    EXPECT_EQ(dialogo->TabStrip1->currentWidget(), dialogo->FrameColumnas);
    EXPECT_TRUE(dialogo->chkAutor->isChecked());
    EXPECT_FALSE(dialogo->chkTitulo->isChecked());
    EXPECT_TRUE(dialogo->chkExtension->isChecked());
    EXPECT_FALSE(dialogo->chkTamano->isChecked());
    EXPECT_TRUE(dialogo->chkLirycs->isChecked());
    EXPECT_TRUE(dialogo->chkBusquedaInteligente->isChecked());
    EXPECT_TRUE(dialogo->chkBusquedaInteligente->isEnabled());
    EXPECT_EQ(dialogo->txtLetras->toPlainText(), TextoActiva);
    EXPECT_EQ(Fondo(dialogo->txtLetras), QColor(255, 255, 255));
    EXPECT_FALSE(dialogo->cmdAplicar->isEnabled());

    // The centre is chosen: its pressed picture, the other two highlighted.
    EXPECT_EQ(dialogo->ImagenJustificacion(0), 8);
    EXPECT_EQ(dialogo->ImagenJustificacion(1), 11);
    EXPECT_EQ(dialogo->ImagenJustificacion(2), 6);
    const QFont fuente = dialogo->txtEstilo->font();
    EXPECT_EQ(fuente.family(), QStringLiteral("Courier"));
    EXPECT_EQ(fuente.pointSizeF(), 12);
    EXPECT_TRUE(fuente.italic());
    EXPECT_FALSE(fuente.bold());
    EXPECT_EQ(dialogo->txtEstilo->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(Fondo(dialogo->txtEstilo), QColor(255, 224, 192));
    EXPECT_EQ(dialogo->txtEstilo->text(), QStringLiteral("Ejemplo"));
    EXPECT_EQ(dialogo->txtEstilo->alignment(), Qt::AlignCenter);
}

TEST_F(ConfigListaPrueba, SinLaColumnaDeLetrasLaBusquedaNoSePuedeCambiar) {
    Lista::OpcionesLista opciones;
    opciones.ColumnaLetra = false;
    auto dialogo = Abrir(opciones);
    EXPECT_FALSE(dialogo->chkBusquedaInteligente->isEnabled());
    EXPECT_EQ(dialogo->txtLetras->toPlainText(), TextoInactiva);
    EXPECT_EQ(Fondo(dialogo->txtLetras), QColor(187, 187, 187));

    dialogo->chkLirycs->click();
    EXPECT_TRUE(dialogo->chkBusquedaInteligente->isEnabled());
    EXPECT_EQ(dialogo->txtLetras->toPlainText(), TextoActiva);
    EXPECT_EQ(Fondo(dialogo->txtLetras), QColor(255, 255, 255));
    EXPECT_TRUE(dialogo->cmdAplicar->isEnabled());
}

TEST_F(ConfigListaPrueba, QuitarLasLetrasApagaLaBusquedaAunqueSigaMarcada) {
    Lista::OpcionesLista opciones;
    opciones.BusquedaInteligente = true;
    auto dialogo = Abrir(opciones);
    dialogo->chkLirycs->click();
    EXPECT_TRUE(dialogo->chkBusquedaInteligente->isChecked());
    EXPECT_FALSE(dialogo->chkBusquedaInteligente->isEnabled());
    EXPECT_EQ(dialogo->txtLetras->toPlainText(), TextoInactiva);

    dialogo->cmdAplicar->click();
    ASSERT_EQ(aplicadas.size(), 1u);
    EXPECT_FALSE(aplicadas[0].ColumnaLetra);
    EXPECT_FALSE(aplicadas[0].BusquedaInteligente);
    EXPECT_FALSE(dialogo->cmdAplicar->isEnabled());
}

// Each control the user changes enables Aplicar, and Aplicar hands on exactly the ticks shown.
TEST_F(ConfigListaPrueba, CadaCambioActivaAplicarYAplicarEntregaLasCasillas) {
    struct Caso {
        const char* nombre;
        std::function<QCheckBox*(frmConfigLista&)> casilla;
        std::function<void(Lista::OpcionesLista&)> esperado;
    };
    const Caso casos[] = {
        {"autor", [](frmConfigLista& d) { return d.chkAutor; }, [](auto& o) { o.ColumnaAutor = false; }},
        {"titulo", [](frmConfigLista& d) { return d.chkTitulo; }, [](auto& o) { o.ColumnaTitulo = false; }},
        {"extension", [](frmConfigLista& d) { return d.chkExtension; },
         [](auto& o) { o.ColumnaExtension = false; }},
        {"tamano", [](frmConfigLista& d) { return d.chkTamano; }, [](auto& o) { o.ColumnaTamano = false; }},
        {"busqueda", [](frmConfigLista& d) { return d.chkBusquedaInteligente; },
         [](auto& o) { o.BusquedaInteligente = true; }},
    };
    for (const Caso& caso : casos) {
        aplicadas.clear();
        auto dialogo = Abrir();
        caso.casilla(*dialogo)->click();
        EXPECT_TRUE(dialogo->cmdAplicar->isEnabled()) << caso.nombre;
        dialogo->cmdAplicar->click();
        Lista::OpcionesLista esperadas;
        caso.esperado(esperadas);
        ASSERT_EQ(aplicadas.size(), 1u) << caso.nombre;
        EXPECT_EQ(aplicadas[0], esperadas) << caso.nombre;
    }
}

TEST_F(ConfigListaPrueba, LaJustificacionElegidaSeVePulsadaYSeAplica) {
    auto dialogo = Abrir();
    EXPECT_EQ(dialogo->ImagenJustificacion(0), 9);
    EXPECT_EQ(dialogo->ImagenJustificacion(1), 11);
    EXPECT_EQ(dialogo->ImagenJustificacion(2), 5);
    // From left to right: left, centre, right.
    dialogo->TabStrip1->setCurrentWidget(dialogo->FrameEstilo);
    dialogo->show();
    EXPECT_LT(dialogo->img[0]->x(), dialogo->img[2]->x());
    EXPECT_LT(dialogo->img[2]->x(), dialogo->img[1]->x());

    dialogo->img_Click(1);
    EXPECT_EQ(dialogo->ImagenJustificacion(0), 8);
    EXPECT_EQ(dialogo->ImagenJustificacion(1), 12);
    EXPECT_EQ(dialogo->ImagenJustificacion(2), 5);
    EXPECT_TRUE(dialogo->cmdAplicar->isEnabled());
    EXPECT_EQ(Estado::EstiloLetras.Justificacion, 0) << "nothing reaches the run before Aplicar";

    dialogo->cmdAplicar->click();
    EXPECT_EQ(Estado::EstiloLetras.Justificacion, 1);
}

TEST_F(ConfigListaPrueba, LosDialogosDeColorYFuenteEmpiezanEnLaMuestraYSeAplican) {
    Estado::EstiloLetras.Negrita = true;
    auto dialogo = Abrir();
    QFont elegida(QStringLiteral("Times"));
    elegida.setPointSizeF(14.5);
    elegida.setUnderline(true);
    elegida.setStrikeOut(true);
    servicios.colores = {QColor(1, 2, 3), QColor(10, 20, 30)};
    servicios.fuentes = {elegida};

    dialogo->cmdColorTexto->click();
    dialogo->cmdColorFondo->click();
    dialogo->cmdFuenteTexto->click();
    ASSERT_EQ(servicios.coloresIniciales.size(), 2u);
    EXPECT_EQ(servicios.coloresIniciales[0], QColor(0, 0, 0));
    EXPECT_EQ(servicios.coloresIniciales[1], QColor(255, 224, 192));
    ASSERT_EQ(servicios.fuentesIniciales.size(), 1u);
    EXPECT_EQ(servicios.fuentesIniciales[0].family(), QStringLiteral("Arial"));
    EXPECT_EQ(servicios.fuentesIniciales[0].pointSizeF(), 9);
    EXPECT_TRUE(servicios.fuentesIniciales[0].bold());
    EXPECT_EQ(dialogo->txtEstilo->palette().color(QPalette::Text), QColor(1, 2, 3));
    EXPECT_EQ(Fondo(dialogo->txtEstilo), QColor(10, 20, 30));
    EXPECT_EQ(dialogo->txtEstilo->font().family(), QStringLiteral("Times"));
    EXPECT_EQ(Estado::EstiloLetras.ColorTexto, 0u) << "nothing reaches the run before Aplicar";

    dialogo->cmdAplicar->click();
    const EstiloTexto& estilo = Estado::EstiloLetras;
    EXPECT_EQ(estilo.ColorTexto, 1u + (2u << 8) + (3u << 16));
    EXPECT_EQ(estilo.ColorFondo, 10u + (20u << 8) + (30u << 16));
    EXPECT_EQ(estilo.NombreFuente, QStringLiteral("Times"));
    EXPECT_EQ(estilo.TamanoFuente, 14.5);
    EXPECT_FALSE(estilo.Negrita);
    EXPECT_FALSE(estilo.Cursiva);
    EXPECT_TRUE(estilo.Subrayado);
    EXPECT_TRUE(estilo.Tachado);
}

TEST_F(ConfigListaPrueba, CancelarUnDialogoDeColorOFuenteNoCambiaNada) {
    for (const bool cambiado : {false, true}) {
        auto dialogo = Abrir();
        if (cambiado)
            dialogo->chkAutor->click();
        for (QPushButton* boton : {dialogo->cmdColorTexto, dialogo->cmdColorFondo, dialogo->cmdFuenteTexto})
            boton->click(); // nothing scripted: each dialog is cancelled
        EXPECT_EQ(dialogo->cmdAplicar->isEnabled(), cambiado);
        EXPECT_EQ(dialogo->txtEstilo->font(), FuenteDeEstilo(EstiloTexto{}));
        EXPECT_EQ(dialogo->txtEstilo->palette().color(QPalette::Text), QColor(0, 0, 0));
        EXPECT_EQ(Fondo(dialogo->txtEstilo), QColor(255, 224, 192));
    }
}

// The list window reloads its song list while the run still has the old style; the new style follows.
TEST_F(ConfigListaPrueba, AplicarEntregaLasOpcionesAntesDelEstilo) {
    auto dialogo = Abrir();
    std::uint8_t justificacionAlEntregar = 99;
    QObject::connect(dialogo.get(), &frmConfigLista::Aplicar,
                     [&] { justificacionAlEntregar = Estado::EstiloLetras.Justificacion; });
    dialogo->img_Click(2);
    dialogo->cmdAplicar->click();
    EXPECT_EQ(justificacionAlEntregar, 0);
    EXPECT_EQ(Estado::EstiloLetras.Justificacion, 2);
}

TEST_F(ConfigListaPrueba, AceptarAplicaSoloSiHayCambiosYCancelarNunca) {
    {
        auto dialogo = Abrir();
        dialogo->cmdAceptar->click();
        EXPECT_EQ(dialogo->result(), QDialog::Accepted);
        EXPECT_TRUE(aplicadas.empty());
    }
    {
        auto dialogo = Abrir();
        dialogo->chkTitulo->click();
        dialogo->img_Click(1);
        dialogo->cmdCancelar->click();
        EXPECT_EQ(dialogo->result(), QDialog::Rejected);
        EXPECT_TRUE(aplicadas.empty());
        EXPECT_EQ(Estado::EstiloLetras.Justificacion, 0);
    }
    {
        auto dialogo = Abrir();
        dialogo->chkTitulo->click();
        dialogo->cmdAceptar->click();
        EXPECT_EQ(dialogo->result(), QDialog::Accepted);
        ASSERT_EQ(aplicadas.size(), 1u);
        EXPECT_FALSE(aplicadas[0].ColumnaTitulo);
    }
    {
        // Applied already: Aceptar does not apply again.
        auto dialogo = Abrir();
        dialogo->chkTitulo->click();
        dialogo->cmdAplicar->click();
        dialogo->cmdAceptar->click();
        EXPECT_EQ(aplicadas.size(), 2u);
    }
}

} // namespace
