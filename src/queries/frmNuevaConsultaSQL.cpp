#include "queries/frmNuevaConsultaSQL.h"

#include "queries/FilasConsulta.h"
#include "queries/ProgresoConsulta.h"
#include "shell/Servicios.h"
#include "store/BBDD.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmNuevaConsultaSQL::frmNuevaConsultaSQL(QWidget* padre)
    : DialogoConsulta(padre, QStringLiteral("Nueva Consulta - SQL")) {
    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(18, 14, 18, 14);
    columna->setSpacing(10);
    columna->addWidget(new QLabel(QStringLiteral("Escriba su consulta SQL:"), this));
    txtConsultaSQL = new QPlainTextEdit(this);
    txtConsultaSQL->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtConsultaSQL->setMinimumSize(600, 110);
    txtConsultaSQL->setTabChangesFocus(true);
    columna->addWidget(txtConsultaSQL);
    auto* fila = new QHBoxLayout;
    Ver = std::make_unique<FilaColumnas>(this, fila);
    columna->addLayout(fila);
    columna->addLayout(FilaBotones());
    columna->setSizeConstraint(QLayout::SetFixedSize);
    QList<QWidget*> cuadros;
    for (QCheckBox* casilla : Ver->Casillas())
        cuadros << casilla;
    PonerFondo({txtConsultaSQL}, cuadros);

    txtConsultaSQL->setPlainText(
        QStringLiteral("SELECT * FROM CANCIONES WHERE CABECERA LIKE '*' AND RUTA LIKE '*' "
                       "AND AUTOR \nLIKE '*' AND TITULO LIKE '*' AND EXTENSION LIKE '*'\n"));
    connect(txtConsultaSQL, &QPlainTextEdit::textChanged, this, &frmNuevaConsultaSQL::txtConsultaSQL_Change);
    Form_Load();
}

frmNuevaConsultaSQL::~frmNuevaConsultaSQL() = default;

void frmNuevaConsultaSQL::Form_Load() {
    for (QCheckBox* casilla :
         {Ver->chkVerCabecera, Ver->chkVerRuta, Ver->chkVerAutor, Ver->chkVerTitulo, Ver->chkVerExtension})
        casilla->setChecked(true);
    Ver->chkVerLongitud->setChecked(false);
}

void frmNuevaConsultaSQL::txtConsultaSQL_Change() {
    cmdConsultar->setEnabled(!txtConsultaSQL->toPlainText().isEmpty());
}

void frmNuevaConsultaSQL::cmdConsultar_Click() {
    DesactivarBotones();
    QStringList columnas;
    bool valida = true;
    bool cancelada = false;
    {
        ProgresoConsulta progreso(this);
        try {
            auto rs = BBDD::BaseDatos->OpenRecordsetSoloLectura(txtConsultaSQL->toPlainText());
            for (int i = 0; i < rs->FieldCount(); ++i)
                columnas << rs->FieldName(i);
        } catch (const dao::ErrorBD&) {
            valida = false;
            cancelada = progreso.Cancelada();
        }
    }
    if (cancelada) {
        ActivarBotones();
        txtConsultaSQL->setFocus();
        return;
    }
    if (!valida) {
        Rechazar(QStringLiteral("Error, la consulta es incorrecta  "));
        return;
    }
    const QStringList faltan = Consultas::ColumnasQueFaltan(columnas, Ver->Vistas());
    if (!faltan.isEmpty()) {
        Rechazar(QStringLiteral("La consulta no devuelve las columnas que se quieren ver: ") +
                 faltan.join(QStringLiteral(", ")) + QStringLiteral(".  "));
        return;
    }
    Consultas::PeticionConsulta peticion;
    peticion.sentencia = txtConsultaSQL->toPlainText();
    peticion.vistas = Ver->Vistas();
    emit ConsultaPedida(peticion);
}

void frmNuevaConsultaSQL::Rechazar(const QString& texto) {
    Avisar(this, texto, QStringLiteral("ERROR"), IconoMensaje::Exclamacion);
    ActivarBotones();
    txtConsultaSQL->setFocus();
}
