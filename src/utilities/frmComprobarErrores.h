#pragma once
// "Comprobar Errores en la Base de Datos": the four integrity checks run as soon as the window shows,
// one line each with its state picture and result; a fault found is repaired when the user says Yes.

#include "utilities/ComprobacionErrores.h"

#include <QDialog>
#include <QPixmap>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

class frmComprobarErrores : public QDialog, private SeguimientoComprobacion {
    Q_OBJECT
public:
    explicit frmComprobarErrores(QWidget* padre = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label11;
    QLabel* Label22;
    QLabel* Label33;
    QLabel* Label44;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    QLabel* Image4;
    QPixmap
        ImageListError[4]; // "error1" waiting, "error2" running, "error3" passed or repaired, "error4" error
    QProgressBar* ProgressBar;
    QPushButton* cmdOK;
    QFrame* Frame1;
    QFrame* Line1;
    QFrame* Line2;

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private slots:
    void cmdOK_Click();

private:
    void Form_Load();
    void Form_Resize();
    void Conectar();

    // Shows the result of a line: its text and colour (its row keeps it right after the line's text).
    void MostrarResultado(QLabel* resultado, ResultadoComprobacion estado);

    void Empezar(int k, bool vaciarBarra) override;
    void Comprobado(int k) override;
    void Resultado(int k, ResultadoComprobacion resultado) override;
    bool Reparar(int k) override;
    void FalloReparacion(int k, const QString& descripcion) override;
    void SigueElFallo(int k) override;

    QLabel* lineas_[4];
    QLabel* resultados_[4];
    QLabel* imagenes_[4];
    bool comprobando_ = false; // the checks are running (a question may be open)
};
