#include "queries/FilaColumnas.h"

#include "queries/EtiquetaPulsable.h"

#include <QCheckBox>
#include <QHBoxLayout>

FilaColumnas::FilaColumnas(QWidget* dialogo, QHBoxLayout* fila) {
    const std::array<std::pair<QCheckBox**, EtiquetaPulsable**>, Consultas::NumeroColumnas> pares{{
        {&chkVerCabecera, &lblCabeceraAbajo},
        {&chkVerRuta, &lblRutaAbajo},
        {&chkVerAutor, &lblAutorAbajo},
        {&chkVerTitulo, &lblTituloAbajo},
        {&chkVerExtension, &lblExtensionAbajo},
        {&chkVerLongitud, &lblLongitudAbajo},
        {&chkVerLetras, &lblLetrasAbajo},
    }};
    const QStringList textos{QStringLiteral("Cabecera"),  QStringLiteral("Ruta"),
                             QStringLiteral("Autor"),     QStringLiteral("Título"),
                             QStringLiteral("Extensión"), QStringLiteral("Tamaño"),
                             QStringLiteral("Letras")};
    fila->addWidget(new QLabel(QStringLiteral("Ver:"), dialogo));
    for (int i = 0; i < Consultas::NumeroColumnas; ++i) {
        QCheckBox* casilla = *pares[i].first = new QCheckBox(dialogo);
        EtiquetaPulsable* etiqueta = *pares[i].second = new EtiquetaPulsable(textos[i], dialogo);
        // A box with value 1 becomes 0, any other value 1.
        QObject::connect(etiqueta, &EtiquetaPulsable::Click, casilla,
                         [casilla] { casilla->setChecked(casilla->checkState() != Qt::Checked); });
        fila->addSpacing(i == 0 ? 4 : 10);
        fila->addWidget(casilla);
        fila->addWidget(etiqueta);
    }
    fila->addStretch();
}

QList<QCheckBox*> FilaColumnas::Casillas() const {
    return {chkVerCabecera,  chkVerRuta,     chkVerAutor, chkVerTitulo,
            chkVerExtension, chkVerLongitud, chkVerLetras};
}

Consultas::ColumnasVistas FilaColumnas::Vistas() const {
    Consultas::ColumnasVistas vistas{};
    const QList<QCheckBox*> casillas = Casillas();
    for (int i = 0; i < Consultas::NumeroColumnas; ++i)
        vistas[i] = casillas[i]->checkState() == Qt::Checked;
    return vistas;
}
