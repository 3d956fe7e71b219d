#include "queries/frmConsulta.h"

#include "lyrics/AbrirLetra.h"
#include "shell/BarreraErrores.h"

#include "queries/LetraCancion.h"
#include "queries/ModeloConsulta.h"
#include "queries/ProgresoConsulta.h"
#include "shell/Servicios.h"
#include "shell/Twips.h"
#include "store/BBDD.h"
#include "store/Catalogo.h"
#include "store/CatalogoPorLetra.h"
#include "store/LecturaSecuencial.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

using namespace Consultas;

namespace {
// Up to this many rows the window grows to show them all; from one more on it keeps that height and
// widens by the vertical scroll bar.
constexpr int FilasSinBarra = 17;

IdentidadCancion Identidad(const FilaConsulta& fila) {
    return {fila.textos, fila.relPos, fila.idxCancion};
}
} // namespace

frmConsulta::frmConsulta(QWidget& espacio) : espacio_(espacio), modelo_(new ModeloConsulta(this)) {
    setWindowTitle(QStringLiteral("Consulta"));
    setAttribute(Qt::WA_DeleteOnClose);
    ListView = new QTreeView(this);
    ListView->setModel(modelo_);
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->header()->setSectionsClickable(true);
    ListView->header()->setSectionsMovable(false);
    ListView->header()->setStretchLastSection(false);
    // The lyrics column is narrower than the style's smallest section.
    ListView->header()->setMinimumSectionSize(12);
    setWidget(ListView);
    connect(ListView->header(), &QHeaderView::sectionClicked, this, &frmConsulta::ListView_ColumnClick);
    connect(ListView, &QTreeView::doubleClicked, this, Protegido(this, &frmConsulta::ListView_DblClick));
}

bool frmConsulta::CargarDatos(const PeticionConsulta& peticion) {
    vistas_ = peticion.vistas;
    CrearColumnas();
    criterios_ = peticion.criterios;
    letrasInteligente_ = peticion.letrasInteligente;
    filtroInteligente_ = peticion.filtroInteligente;
    if (peticion.textoLetra)
        return CargarDatosPorLetra(*peticion.textoLetra, peticion.acentos);
    return TerminarCarga(peticion.sentencia);
}

bool frmConsulta::CargarDatosPorLetra(const QString& texto, catalogo::Acentos acentos) {
    dao::Database& base = *BBDD::BaseDatos;
    int n = 0;
    try {
        const QString tabla = catalogo::NombreTablaAux(base);
        catalogo::CrearTablaAux(base, tabla);
        tablaAux_ = tabla;
        n = catalogo::LlenarTablaAux(base, tablaAux_, criterios_, texto, acentos);
    } catch (const dao::ErrorBD& error) {
        return Fallar(QStringLiteral("La consulta no se puede realizar: ") + error.Descripcion(),
                      IconoMensaje::Exclamacion);
    }
    if (n == 0)
        return Fallar(QStringLiteral("No se encontraron equivalencias.  "), IconoMensaje::Informacion);
    return TerminarCarga(QStringLiteral("SELECT * FROM ") + tablaAux_);
}

void frmConsulta::CrearColumnas() {
    const std::vector<DefinicionColumna> columnas = ColumnasMostradas(vistas_);
    modelo_->PonerColumnas(columnas);
    int ancho = 0;
    for (int i = 0; i < static_cast<int>(columnas.size()); ++i) {
        ListView->header()->resizeSection(i, Pixeles(columnas[i].anchoTwips));
        ancho += columnas[i].anchoTwips;
    }
    anchoColumnas_ = Pixeles(ancho);
    resize(anchoColumnas_ + Marco().width(), height());
}

int frmConsulta::CargarLista(const ProgresoConsulta& progreso) {
    std::unique_ptr<dao::LecturaSecuencial> rs;
    if (!ordenPropio_) {
        sentenciaAbierta_ = sentencia_ + QStringLiteral(" ORDER BY ") + orden_;
        try {
            rs = std::make_unique<dao::LecturaSecuencial>(*BBDD::BaseDatos, sentenciaAbierta_, true);
        } catch (const dao::ErrorBD&) {
            // A statement of the user's that refuses our ORDER BY (it has its own, say) is opened as it
            // stands, on its first load; one that fails that way too fails for good.
            if (progreso.Cancelada() || total_ > 0)
                throw;
            ordenPropio_ = true;
        }
    }
    if (ordenPropio_) {
        sentenciaAbierta_ = sentencia_;
        rs = std::make_unique<dao::LecturaSecuencial>(*BBDD::BaseDatos, sentenciaAbierta_, true);
    }
    // The rows of the songs' table, or of this window's work table, which keeps each song's identity as
    // its own, carry their song's identity.
    const QString& tabla = rs->TablaClave();
    const bool conIdentidad = tabla.compare(QStringLiteral("CANCIONES"), Qt::CaseInsensitive) == 0 ||
                              (!tablaAux_.isEmpty() && tabla.compare(tablaAux_, Qt::CaseInsensitive) == 0);
    FilasConsulta leidas = LeerFilas(*rs, conIdentidad);
    rs.reset();
    const int n = static_cast<int>(leidas.filas.size());
    if (n == 0)
        return 0;
    localizables_ = leidas.Localizables();
    incompleta_ = leidas.incompleta;
    if (VerLetras())
        MarcarLetras(leidas.filas,
                     letrasInteligente_   ? MarcadoLetras::Inteligente
                     : filtroInteligente_ ? MarcadoLetras::Dudosas
                                          : MarcadoLetras::SiNo,
                     *BBDD::BaseDatos);
    modelo_->PonerFilas(std::move(leidas.filas));
    MostrarOrden();
    return n;
}

bool frmConsulta::TerminarCarga(const QString& sentencia) {
    sentencia_ = sentencia;
    int n = 0;
    {
        ProgresoConsulta progreso(&espacio_);
        try {
            n = CargarLista(progreso);
        } catch (const dao::ErrorBD& error) {
            if (progreso.Cancelada()) {
                close();
                return false;
            }
            return Fallar(QStringLiteral("La consulta no se puede realizar: ") + error.Descripcion(),
                          IconoMensaje::Exclamacion);
        }
    }
    total_ = n;
    if (n == 0)
        return Fallar(QStringLiteral("No se encontraron equivalencias.  "), IconoMensaje::Informacion);
    Dimensionar(n);
    if (incompleta_)
        Avisar(&espacio_,
               QStringLiteral("La consulta devuelve demasiadas filas para mostrarlas todas: se muestran las "
                              "primeras %1. Afine la consulta para ver las demás.  ")
                   .arg(catalogo::TextoTamano(n, QLocale())),
               {}, IconoMensaje::Informacion);
    return true;
}

QSize frmConsulta::Marco() const {
    const QMargins marco = contentsMargins();
    const int lista = 2 * ListView->frameWidth();
    return {marco.left() + marco.right() + lista,
            marco.top() + marco.bottom() + lista + ListView->header()->sizeHint().height()};
}

// The window fits the columns and every row up to FilasSinBarra; beyond that it keeps that height and
// leaves room for the vertical scroll bar.
void frmConsulta::Dimensionar(int filas) {
    const QSize marco = Marco();
    int ancho = anchoColumnas_ + marco.width();
    if (filas > FilasSinBarra)
        ancho += ListView->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                ListView->verticalScrollBar());
    resize(ancho, marco.height() + std::min(filas, FilasSinBarra) * ListView->sizeHintForRow(0));
}

bool frmConsulta::Fallar(const QString& texto, IconoMensaje icono) {
    Avisar(&espacio_, texto, QStringLiteral("Error"), icono);
    close();
    return false;
}

void frmConsulta::ListView_ColumnClick(int seccion) {
    const std::optional<QString> orden = OrdenDeClave(modelo_->Columnas()[seccion].clave);
    if (orden && ordenPropio_) {
        Avisar(&espacio_,
               QStringLiteral("Esta consulta tiene su propio orden y no se puede ordenar por columnas.  "),
               {}, IconoMensaje::Informacion);
        MostrarOrden();
        return;
    }
    const QString anterior = orden_;
    orden_ = orden.value_or(orden_);
    ProgresoConsulta progreso(&espacio_);
    try {
        CargarLista(progreso);
    } catch (const dao::ErrorBD& error) {
        orden_ = anterior;
        if (!progreso.Cancelada())
            Avisar(&espacio_, QStringLiteral("No se pudo ordenar la consulta: ") + error.Descripcion(),
                   QStringLiteral("Error"), IconoMensaje::Exclamacion);
    }
    MostrarOrden();
}

void frmConsulta::MostrarOrden() {
    QHeaderView* cabecera = ListView->header();
    const std::vector<DefinicionColumna>& columnas = modelo_->Columnas();
    for (int i = 0; i < static_cast<int>(columnas.size()) && !ordenPropio_; ++i) {
        if (OrdenDeClave(columnas[i].clave) == orden_) {
            cabecera->setSortIndicatorShown(true);
            cabecera->setSortIndicator(i, Qt::AscendingOrder);
            return;
        }
    }
    cabecera->setSortIndicatorShown(false);
}

void frmConsulta::ListView_DblClick(const QModelIndex& indice) {
    if (!indice.isValid())
        return;
    if (!localizables_) {
        Avisar(&espacio_,
               QStringLiteral("No se puede abrir la letra: la consulta no devuelve todas las columnas de la "
                              "canción.  "),
               {}, IconoMensaje::Informacion);
        return;
    }
    const int i = indice.row();
    const FilaConsulta& fila = modelo_->Fila(i);
    const bool conSelector = VerLetras() && fila.marca == catalogo::MarcaPosibleLetra;
    if (!fila.fila) {
        const std::optional<catalogo::IdCancion> id =
            FilaDeCancion(*BBDD::BaseDatos, Identidad(fila), Ocurrencia(i));
        if (!id) {
            Avisar(&espacio_, QStringLiteral("La canción ya no está en el catálogo.  "), {},
                   IconoMensaje::Exclamacion);
            return;
        }
        modelo_->PonerIdentidad(i, *id);
    }
    Letras::AbrirLetra(
        this, *modelo_->Fila(i).fila, conSelector,
        {[this] { return letrasInteligente_; },
         [this](catalogo::IdCancion id, const QString& marca) { Cancion_MarcaLetra(id, marca); }});
}

int frmConsulta::Ocurrencia(int fila) const {
    const IdentidadCancion buscada = Identidad(modelo_->Fila(fila));
    int anteriores = 0;
    for (int i = 0; i < fila; ++i)
        if (Identidad(modelo_->Fila(i)) == buscada)
            ++anteriores;
    return anteriores;
}

// The mark goes on the rows that show the song, wherever a new order has put them.
void frmConsulta::Cancion_MarcaLetra(catalogo::IdCancion id, const QString& marca) {
    if (VerLetras())
        modelo_->PonerMarca(id, marca);
}

QStringList frmConsulta::TextosEstado() const {
    QStringList textos;
    const std::array<QString, NumeroCampos> prefijos{QStringLiteral("Cabecera: "), QStringLiteral("Ruta: "),
                                                     QStringLiteral("Autor: "), QStringLiteral("Titulo: "),
                                                     QStringLiteral("Extension: ")};
    for (int campo = 0; campo < NumeroCampos; ++campo)
        if (!criterios_[campo].isEmpty())
            textos << prefijos[campo] + criterios_[campo];
    textos << QStringLiteral("Total: ") + catalogo::TextoTamano(total_, QLocale());
    return textos;
}

void frmConsulta::closeEvent(QCloseEvent* evento) {
    if (!tablaAux_.isEmpty() && BBDD::BaseDatos) {
        try {
            catalogo::BorrarTablaAux(*BBDD::BaseDatos, tablaAux_);
        } catch (const dao::ErrorBD&) {
            // A table that could not be dropped now is dropped at the next start.
        }
        tablaAux_.clear();
    }
    QMdiSubWindow::closeEvent(evento);
}
