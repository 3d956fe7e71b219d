#pragma once
// "Canción": the lyric of one song, to read, edit, justify and restyle. Every opening is a new window,
// modeless. On closing it saves or deletes the lyric after asking, then tells whoever listens the lyric
// mark of the song it was opened for, by that song's row identity.

#include "shell/Estado.h"
#include "store/CatalogoLetras.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedLayout;

class frmCancion : public QWidget {
    Q_OBJECT
public:
    explicit frmCancion(QWidget* padre = nullptr);

    // The entry operations: exactly one is called, then the window is shown. idx is the lyric number,
    // fila the song the window was opened for. CancionNueva creates the lyric row, empty.
    void CargarCancion(int idx, catalogo::IdCancion fila);
    void CancionNueva(int idx, catalogo::IdCancion fila);
    // A new window on the lyric, not shown yet; nueva: through CancionNueva. Nothing is left behind when
    // the entry operation fails.
    static frmCancion* Crear(int idx, bool nueva, catalogo::IdCancion fila);

    // The program ends: with unsaved changes asks whether to save them and saves on Yes; nothing else of
    // the closing steps runs. False when saving failed (the message has been shown).
    bool GuardarAlTerminar();
    // The same for every song window open on the screen, one after another; false as soon as one could
    // not be saved, which is left in front with its text.
    static bool GuardarAbiertasAlTerminar();
    // The song windows open on the screen.
    static QList<frmCancion*> Abiertas();

    int Idx() const { return idx_; }
    catalogo::IdCancion Fila() const { return fila_; }
    // The lyric box in front.
    QPlainTextEdit* Delante() const { return txtLyrics[Justificacion]; }
    // The window's own text style: the shared lyrics style when it loads, then what the style dialog
    // gives it (its justification field unused).
    const EstiloTexto& Estilo() const { return estilo_; }
    // The style dialog's OK: font and colours on the three lyric boxes, colours on author and title.
    void AplicarEstilo(const EstiloTexto& estilo);

    QLineEdit* txtAutor;
    QLineEdit* txtTitulo;
    // 0 left, 1 right, 2 centred; only the one in front is seen.
    std::array<QPlainTextEdit*, 3> txtLyrics;
    // Tool images 1 "Configurar", 2 "Justificar Centro", 3 "Justificar Izquierda", 4 "Justificar
    // Derecha"; index 0 is unused so that the numbers read as the pictures count them.
    std::array<QLabel*, 5> img{};

    bool Modificado = false;
    // True while an entry operation puts the stored text in: that is not a change.
    bool RecienCargada = false;
    std::uint8_t Justificacion = 0;

signals:
    // The song fila after the window closed: "S" when it has a lyric, "N" when it has none.
    void MarcaLetra(catalogo::IdCancion fila, const QString& marca);

protected:
    void closeEvent(QCloseEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private slots:
    void txtLyrics_Change();

private:
    void Conectar();
    void Form_Load();
    void Entrar(int idx, catalogo::IdCancion fila, const QString& operacion);
    void RestaurarImagenes();
    void PonerImagen(int k, int dibujo);
    void img_MouseMove(int k);
    void img_MouseDown(int k);
    void img_MouseUp(int k);
    void Justificar(int destino);
    void ConfigurarCancion();
    // The closing steps; false when the window must stay open (the text could not be kept).
    bool Form_Unload();
    bool MataCancion();
    bool Guardar();
    void Traer(int indice);

    QStackedLayout* pila_;
    EstiloTexto estilo_;
    int idx_ = 0;
    catalogo::IdCancion fila_ = 0;
};
