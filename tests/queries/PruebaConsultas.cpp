#include "PruebaConsultas.h"

#include "lyrics/frmCancion.h"
#include "queries/ModeloConsulta.h"
#include "store/BBDD.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTreeView>

PruebaConsultas::PruebaConsultas() : guion(InstalarServiciosGuionados()) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    espacio.show();
}

// A song window a test left open goes with it, so that the next test starts without any.
PruebaConsultas::~PruebaConsultas() {
    for (frmCancion* ventana : frmCancion::Abiertas())
        delete ventana;
    Soltar();
}

void PruebaConsultas::Soltar() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

frmConsulta* PruebaConsultas::Ultimo() const {
    const QList<frmConsulta*> resultados = Resultados();
    return resultados.isEmpty() ? nullptr : resultados.last();
}

QStringList PruebaConsultas::Filas(const frmConsulta& consulta) {
    const ModeloConsulta& modelo = consulta.Modelo();
    QStringList filas;
    for (int i = 0; i < modelo.rowCount(); ++i) {
        QStringList celdas;
        for (int j = 0; j < modelo.columnCount(); ++j)
            celdas << modelo.Texto(i, j);
        filas << celdas.join(QLatin1Char('|'));
    }
    return filas;
}

QStringList PruebaConsultas::Columna(const frmConsulta& consulta, const QString& cabecera) {
    const ModeloConsulta& modelo = consulta.Modelo();
    const int j = static_cast<int>(Cabeceras(consulta).indexOf(cabecera));
    QStringList celdas;
    for (int i = 0; i < modelo.rowCount() && j >= 0; ++i)
        celdas << modelo.Texto(i, j);
    return celdas;
}

QStringList PruebaConsultas::Cabeceras(const frmConsulta& consulta) {
    QStringList cabeceras;
    for (const auto& columna : consulta.Modelo().Columnas())
        cabeceras << columna.texto;
    return cabeceras;
}

QStringList PruebaConsultas::Textos() const {
    QStringList textos;
    for (const Mensaje& mensaje : guion.mensajes)
        textos << mensaje.texto;
    return textos;
}

int PruebaConsultas::Idx(const QString& autor) {
    auto rs = BBDD::BaseDatos->OpenRecordset(
        QStringLiteral("SELECT IDX_CANCION FROM CANCIONES WHERE AUTOR = '") + autor + QStringLiteral("'"));
    return rs->Field(0).toInt();
}

void PruebaConsultas::DobleClic(frmConsulta& consulta, int fila) {
    // Synthesised double clicks depend on event timestamps; the view's own signal is what the window
    // listens to.
    QTreeView* lista = consulta.ListView;
    const QModelIndex indice = consulta.Modelo().index(fila, 0);
    lista->setCurrentIndex(indice);
    emit lista->doubleClicked(indice);
}

int PruebaConsultas::NumeroCanciones() {
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM CANCIONES"));
    return rs->Field(0).toInt();
}
