#pragma once
// The dialog "Reordenar Ruta": the route it was given, a field and a direction; "Aceptar" renumbers the
// route's songs 1, 2, 3... in that order, "Cancelar" (or Escape) leaves it as it was.

#include "store/CatalogoMantenimiento.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmReordenar : public QDialog {
    Q_OBJECT
public:
    explicit frmReordenar(QWidget* padre = nullptr);

    QLabel* lblCabecera;
    QLineEdit* txtCabecera;
    QLabel* lblRuta;
    QLineEdit* txtRuta;
    QGroupBox* Frame2;
    QRadioButton* optAutor;
    QRadioButton* optTitulo;
    QRadioButton* optExtension;
    QRadioButton* optTamano;
    QGroupBox* Frame1;
    QRadioButton* optAscendente;
    QRadioButton* optDescendente;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;

    // The route to renumber: kept as given, and shown in the two fields.
    void CargarDatos(const QString& cabecera, const QString& ruta);

signals:
    // The route's songs have their new numbers; the lists that show the route read them again.
    void RutaReordenada();

private slots:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

private:
    catalogo::CampoOrden Campo() const;

    QString cabecera_;
    QString ruta_;
};
