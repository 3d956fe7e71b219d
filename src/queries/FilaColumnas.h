#pragma once
// The row "Ver:" of the SQL and advanced dialogs: one bare check box per result column, each with a
// label beside it whose click toggles the box.

#include "queries/ColumnasConsulta.h"

#include <QList>

class EtiquetaPulsable;
class QCheckBox;
class QHBoxLayout;
class QWidget;

struct FilaColumnas {
    // Creates the boxes and labels in column order and lays them out after a "Ver:" label.
    FilaColumnas(QWidget* dialogo, QHBoxLayout* fila);

    QCheckBox* chkVerCabecera;
    QCheckBox* chkVerRuta;
    QCheckBox* chkVerAutor;
    QCheckBox* chkVerTitulo;
    QCheckBox* chkVerExtension;
    QCheckBox* chkVerLongitud;
    QCheckBox* chkVerLetras;
    EtiquetaPulsable* lblCabeceraAbajo;
    EtiquetaPulsable* lblRutaAbajo;
    EtiquetaPulsable* lblAutorAbajo;
    EtiquetaPulsable* lblTituloAbajo;
    EtiquetaPulsable* lblExtensionAbajo;
    EtiquetaPulsable* lblLongitudAbajo;
    EtiquetaPulsable* lblLetrasAbajo;

    QList<QCheckBox*> Casillas() const;
    Consultas::ColumnasVistas Vistas() const;
};
