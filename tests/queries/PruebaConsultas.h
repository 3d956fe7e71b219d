#pragma once
// A query workspace over a small temporary catalogue, with scripted message boxes, and the steps a
// test takes through its menus and dialogs.

#include "queries/frmConsulta.h"
#include "queries/frmConsultas.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"

#include <QAction>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

class PruebaConsultas : public ::testing::Test {
public:
    PruebaConsultas();
    ~PruebaConsultas() override;

    // Opens the dialog of a "&Consulta" menu item and returns it.
    template <typename Dialogo> Dialogo& Abrir(QAction* menu) {
        menu->trigger();
        auto* dialogo = espacio.findChild<Dialogo*>();
        EXPECT_NE(dialogo, nullptr);
        return *dialogo;
    }
    // Presses "&Realizar Consulta" and lets closed windows go.
    template <typename Dialogo> void Consultar(Dialogo& dialogo) {
        dialogo.cmdConsultar->click();
        Soltar();
    }
    // Deletes the windows that were closed.
    static void Soltar();
    // Whether a dialog of that kind is still open.
    template <typename Dialogo> bool Abierto() {
        Soltar();
        return espacio.findChild<Dialogo*>() != nullptr;
    }

    // The result windows open, the last one opened, and its rows as "cell|cell|...".
    QList<frmConsulta*> Resultados() const { return espacio.Resultados(); }
    frmConsulta* Ultimo() const;
    static QStringList Filas(const frmConsulta& consulta);
    // One column of every row, by header text.
    static QStringList Columna(const frmConsulta& consulta, const QString& cabecera);
    static QStringList Cabeceras(const frmConsulta& consulta);
    // The texts of the message boxes shown so far.
    QStringList Textos() const;
    // IDX_CANCION of the song by that author.
    static int Idx(const QString& autor);
    // Double-clicks the row.
    static void DobleClic(frmConsulta& consulta, int fila);
    static int NumeroCanciones();

    ServiciosGuionados& guion;
    CatalogoPrueba catalogo;
    frmConsultas espacio;
};
