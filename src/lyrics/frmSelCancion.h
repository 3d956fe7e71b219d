#pragma once
// "Seleccione la Letra asociada:": for a song without lyric whose title has one elsewhere, the songs of
// that title that have a lyric, and "NUEVA LETRA". Choosing a song opens its lyric without giving it to
// the song; "NUEVA LETRA" gives the song a new, empty lyric of its own. Modal; closes itself.

#include "store/CatalogoLetras.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QTreeWidget;
class frmCancion;

class frmSelCancion : public QDialog {
    Q_OBJECT
public:
    explicit frmSelCancion(QWidget* padre = nullptr);

    // titulo: the song's title as stored; fila: the song the lyric is asked for.
    void CargarDatos(const QString& titulo, catalogo::IdCancion fila);

    QLineEdit* txtSel;
    QTreeWidget* ListViewSel;

signals:
    // A song window was opened by a choice, before it is shown; the caller hears its lyric mark.
    void CancionAbierta(frmCancion* ventana);

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private slots:
    void ListViewSel_DblClick();

private:
    void Conectar();

    std::vector<catalogo::Homonimo> candidatas_;
    catalogo::IdCancion fila_ = 0;
};
