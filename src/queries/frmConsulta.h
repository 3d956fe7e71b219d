#pragma once
// "Consulta": the rows of one query, a child of the query workspace. Loading runs the query a dialog
// asked for, fills the list and sizes the window; a click on a column header sorts the rows again, a
// double-click opens the song's lyric.

#include "queries/ColumnasConsulta.h"
#include "queries/FilasConsulta.h"
#include "queries/PeticionConsulta.h"
#include "shell/Servicios.h"
#include "store/Catalogo.h"

#include <QMdiSubWindow>

class ModeloConsulta;
class ProgresoConsulta;
class QTreeView;

class frmConsulta : public QMdiSubWindow {
    Q_OBJECT
public:
    // The workspace, over which messages and the progress window show.
    explicit frmConsulta(QWidget& espacio);

    // Returns whether rows were found; without rows the window has told why and closed itself.
    bool CargarDatos(const Consultas::PeticionConsulta& peticion);

    // The work table of a query by lyric text, dropped when the window closes; empty when there is none.
    const QString& TablaAux() const { return tablaAux_; }

    bool VerLetras() const { return vistas_[static_cast<int>(Consultas::Columna::Letras)]; }
    bool LetrasInteligente() const { return letrasInteligente_; }
    QTreeView* ListView;
    const ModeloConsulta& Modelo() const { return *modelo_; }

    // The statement without its ORDER BY clause, and the column list after ORDER BY.
    const QString& Sentencia() const { return sentencia_; }
    const QString& Orden() const { return orden_; }
    // The statement as the list was last opened.
    const QString& SentenciaAbierta() const { return sentenciaAbierta_; }
    int Total() const { return total_; }
    // Sum of the widths of the shown columns, in pixels.
    int AnchoColumnas() const { return anchoColumnas_; }
    // The status bar panels of this result: its criteria, then "Total: " and its row count.
    QStringList TextosEstado() const;

protected:
    void closeEvent(QCloseEvent* evento) override;

private slots:
    void ListView_ColumnClick(int seccion);
    void ListView_DblClick(const QModelIndex& indice);

private:
    // The songs whose lyric contains the text, copied into a work table of this window.
    bool CargarDatosPorLetra(const QString& texto, catalogo::Acentos acentos);
    void CrearColumnas();
    // Runs the statement and fills the list; the number of rows, 0 leaving the list as it was.
    int CargarLista(const ProgresoConsulta& progreso);
    // What every load operation does once the statement is known.
    bool TerminarCarga(const QString& sentencia);
    // Reports why there is no result and closes the window.
    bool Fallar(const QString& texto, IconoMensaje icono);
    // What the frame, the title bar and the header add to the list's columns and rows.
    QSize Marco() const;
    // Sizes the window for that many rows.
    void Dimensionar(int filas);
    void MostrarOrden();
    // How many rows above this one show a song alike (for rows that carry no identity).
    int Ocurrencia(int fila) const;
    // The lyric mark of a song whose song window, opened from here, closed.
    void Cancion_MarcaLetra(catalogo::IdCancion id, const QString& marca);

    QWidget& espacio_;
    ModeloConsulta* modelo_;
    QString sentencia_;
    QString orden_ = Consultas::OrdenInicial;
    QString sentenciaAbierta_;
    // The statement refuses an ORDER BY of ours (it has its own, for instance): its rows keep its order.
    bool ordenPropio_ = false;
    Consultas::ColumnasVistas vistas_{};
    bool letrasInteligente_ = false;
    bool filtroInteligente_ = false;
    Consultas::TextosCampos criterios_;
    int total_ = 0;
    int anchoColumnas_ = 0;
    bool localizables_ = true;
    // The statement returned more rows than a result may hold: the list shows the first of them.
    bool incompleta_ = false;
    QString tablaAux_;
};
