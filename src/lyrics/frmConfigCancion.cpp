#include "lyrics/frmConfigCancion.h"

#include "lyrics/frmCancion.h"
#include "shell/BarreraErrores.h"
#include "shell/FormatoTexto.h"
#include "shell/Servicios.h"
#include "shell/Twips.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
QPushButton* Boton(QWidget* padre, const QString& texto, const QRect& twips) {
    auto* boton = new QPushButton(texto, padre);
    boton->setGeometry(Pixeles(twips.x()), Pixeles(twips.y()), Pixeles(twips.width()),
                       Pixeles(twips.height()));
    return boton;
}
} // namespace

frmConfigCancion& frmConfigCancion::Instancia() {
    static QPointer<frmConfigCancion> instancia;
    if (!instancia)
        instancia = new frmConfigCancion;
    return *instancia;
}

frmConfigCancion::frmConfigCancion() : QDialog(nullptr) {
    setWindowTitle(QStringLiteral("Configurar Canción"));
    setModal(false);
    txtEjemplo = new QLineEdit(QStringLiteral("Ejemplo"), this);
    txtEjemplo->setAlignment(Qt::AlignCenter);
    txtEjemplo->setGeometry(Pixeles(120), Pixeles(120), Pixeles(1815), Pixeles(735));
    cmdConfigTexto = Boton(this, QStringLiteral("&Formato Texto"), {2100, 120, 1575, 375});
    cmdConfigColorTexto = Boton(this, QStringLiteral("Color &Texto"), {2100, 570, 1575, 375});
    cmdConfigColorFondo = Boton(this, QStringLiteral("Color F&ondo"), {2100, 1020, 1575, 375});
    cmdOK = Boton(this, QStringLiteral("&OK"), {120, 1020, 855, 375});
    cmdCancel = Boton(this, QStringLiteral("&Cancel"), {1080, 1020, 855, 375});
    cmdOK->setDefault(true);
    setFixedSize(Pixeles(3795), Pixeles(1515));
    Conectar();
}

void frmConfigCancion::Conectar() {
    connect(cmdConfigTexto, &QPushButton::clicked, this,
            Protegido(this, &frmConfigCancion::cmdConfigTexto_Click));
    connect(cmdConfigColorTexto, &QPushButton::clicked, this,
            Protegido(this, &frmConfigCancion::cmdConfigColorTexto_Click));
    connect(cmdConfigColorFondo, &QPushButton::clicked, this,
            Protegido(this, &frmConfigCancion::cmdConfigColorFondo_Click));
    connect(cmdOK, &QPushButton::clicked, this, Protegido(this, &frmConfigCancion::cmdOK_Click));
    connect(cmdCancel, &QPushButton::clicked, this, Protegido(this, &frmConfigCancion::cmdCancel_Click));
}

void frmConfigCancion::Preparar(frmCancion& padre, const EstiloTexto& estilo) {
    Padre = &padre;
    ejemplo_ = estilo;
    MostrarEjemplo();
}

void frmConfigCancion::MostrarEjemplo() {
    AplicarEstilo(txtEjemplo, ejemplo_);
}

void frmConfigCancion::cmdConfigTexto_Click() {
    if (const std::optional<QFont> fuente = servicios().ElegirFuente(FuenteDeEstilo(ejemplo_), this)) {
        TomarFuente(ejemplo_, *fuente);
        MostrarEjemplo();
    }
}

void frmConfigCancion::cmdConfigColorTexto_Click() {
    if (const std::optional<QColor> color =
            servicios().ElegirColor(ColorDeEntero(ejemplo_.ColorTexto), this)) {
        ejemplo_.ColorTexto = EnteroDeColor(*color);
        MostrarEjemplo();
    }
}

void frmConfigCancion::cmdConfigColorFondo_Click() {
    if (const std::optional<QColor> color =
            servicios().ElegirColor(ColorDeEntero(ejemplo_.ColorFondo), this)) {
        ejemplo_.ColorFondo = EnteroDeColor(*color);
        MostrarEjemplo();
    }
}

// A song window closed meanwhile leaves nothing to style: the dialog only closes.
void frmConfigCancion::cmdOK_Click() {
    if (Padre)
        Padre->AplicarEstilo(ejemplo_);
    close();
}

void frmConfigCancion::cmdCancel_Click() {
    close();
}
