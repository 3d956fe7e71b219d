#include "trees/ArbolesVentanas.h"

#include "store/BBDD.h"
#include "trees/GestorArboles.h"

#include <QProgressBar>
#include <QWidget>

void InicializarArboles(const QHash<QString, QIcon>* imagenes) {
    GestorArboles::Instancia().Inicializar(imagenes);
}

void VaciarArboles() {
    GestorArboles::Instancia().Vaciar();
}

void CargarArboles(QWidget* ventanaProgreso) {
    QProgressBar* barra =
        ventanaProgreso ? ventanaProgreso->findChild<QProgressBar*>(QStringLiteral("ProgressBar")) : nullptr;
    GestorArboles::Instancia().Cargar(*BBDD::BaseDatos, barra);
    // A fresh updatable set for the songs appended next; the pairs were read through a set of their own.
    BBDD::RecordsetCanciones =
        BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES ORDER BY CABECERA, RUTA"));
}

QString BuscarCabecera(const QString& texto) {
    return GestorArboles::Instancia().BuscarCabecera(texto);
}
