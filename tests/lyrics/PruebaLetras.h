#pragma once
// A small catalogue with scripted message boxes, and the steps a test takes on a song window.

#include "lyrics/frmCancion.h"
#include "shell/Estado.h"
#include "store/BBDD.h"
#include "support/CatalogoPrueba.h"
#include "support/ServiciosGuionados.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <gtest/gtest.h>

inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

class PruebaLetras : public ::testing::Test {
protected:
    PruebaLetras() : guion(InstalarServiciosGuionados()) { Estado::EstiloLetras = EstiloTexto{}; }
    ~PruebaLetras() override {
        for (frmCancion* ventana : frmCancion::Abiertas())
            delete ventana;
    }

    // Adds a song and returns its row identity.
    catalogo::IdCancion Cancion(const QString& cabecera, const QString& titulo, int idx = 0,
                                const QString& autor = QStringLiteral("Autor")) {
        catalogo.AnadirCancion(cabecera, QStringLiteral("\\"), autor, titulo, QStringLiteral("mp3"), 1000,
                               idx);
        return BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT MAX(rowid) FROM CANCIONES"))
            ->Field(0)
            .toLongLong();
    }
    static QVariant Lyrics(int idx) {
        auto rs = BBDD::BaseDatos->OpenRecordset(
            QStringLiteral("SELECT LYRICS FROM LETRAS WHERE IDX_CANCION = %1").arg(idx));
        return rs->Eof() ? QVariant(QStringLiteral("<sin fila>")) : rs->Field(0);
    }
    static int Idx(catalogo::IdCancion fila) {
        return catalogo::NumeroLetraDe(*BBDD::BaseDatos, fila).value_or(-1);
    }

    // A song window on the lyric, shown, whose marks are recorded in marcas.
    frmCancion* Abrir(int idx, catalogo::IdCancion fila, bool nueva = false) {
        frmCancion* ventana = frmCancion::Crear(idx, nueva, fila);
        QObject::connect(ventana, &frmCancion::MarcaLetra, ventana,
                         [this](catalogo::IdCancion f, const QString& marca) {
                             marcas << QStringLiteral("%1:%2").arg(f).arg(marca);
                         });
        ventana->show();
        return ventana;
    }
    // Closes the window; true when it closed.
    static bool Cerrar(frmCancion* ventana) {
        QPointer<frmCancion> vigilada = ventana;
        const bool cerrada = ventana->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return cerrada && !vigilada;
    }
    QStringList Textos() const {
        QStringList textos;
        for (const Mensaje& m : guion.mensajes)
            textos << m.texto;
        return textos;
    }

    ServiciosGuionados& guion;
    CatalogoPrueba catalogo;
    QStringList marcas;
};
