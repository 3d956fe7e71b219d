#pragma once
// "Configuración Lista": which columns the list window's song list shows, the intelligent lyric search,
// and the text style with which song windows opened afterwards show their lyrics. Shown modal; it starts
// from the list window's options and the run's lyric style, and applies only when told to.

#include "list/OpcionesLista.h"
#include "shell/Estado.h"

#include <QDialog>
#include <array>

class EtiquetaPulsable;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

class frmConfigLista : public QDialog {
    Q_OBJECT
public:
    frmConfigLista(const Lista::OpcionesLista& opciones, QWidget* padre = nullptr);

    // Each tab shows its frame.
    QTabWidget* TabStrip1;
    QWidget* FrameColumnas;
    QWidget* FrameLetras;
    QWidget* FrameEstilo;
    QCheckBox* chkAutor;
    QCheckBox* chkTitulo;
    QCheckBox* chkExtension;
    QCheckBox* chkTamano;
    QCheckBox* chkLirycs;
    QCheckBox* chkBusquedaInteligente;
    QPlainTextEdit* txtLetras;
    QLineEdit* txtEstilo;
    QPushButton* cmdFuenteTexto;
    QPushButton* cmdColorFondo;
    QPushButton* cmdColorTexto;
    // By justification: (0) left, (1) right, (2) centre; laid out left, centre, right.
    std::array<EtiquetaPulsable*, 3> img;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
    QPushButton* cmdAplicar;

    // The picture of the song window's image list that image indice shows.
    int ImagenJustificacion(int indice) const { return imagenes_[indice]; }

signals:
    // Asks the list window to take the options, rebuild its columns and reload its song list.
    void Aplicar(const Lista::OpcionesLista& opciones);

public slots:
    void chkAutor_Click();
    void chkTitulo_Click();
    void chkExtension_Click();
    void chkTamano_Click();
    void chkBusquedaInteligente_Click();
    void chkLirycs_Click();
    void img_Click(int Index);
    void cmdColorTexto_Click();
    void cmdColorFondo_Click();
    void cmdFuenteTexto_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void cmdAplicar_Click();

private:
    void CrearColumnas();
    void CrearLetras();
    void CrearEstilo();
    void Conectar();
    void Form_Load(const Lista::OpcionesLista& opciones);
    void MostrarBusquedaInteligente(bool letrasVisibles);
    void MostrarJustificacion();
    void MostrarMuestra();

    EstiloTexto muestra_;
    std::array<int, 3> imagenes_{};
};
