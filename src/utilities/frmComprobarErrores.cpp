#include "utilities/frmComprobarErrores.h"

#include "shell/BarreraErrores.h"
#include "shell/Servicios.h"
#include "store/BBDD.h"
#include "utilities/ProgresoVentana.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFrame* Linea(QWidget* padre, const char* nombre) {
    auto* linea = new QFrame(padre);
    linea->setObjectName(QLatin1String(nombre));
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    return linea;
}

QLabel* Etiqueta(QWidget* padre, const QString& nombre, const QString& texto = {}) {
    auto* etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(nombre);
    return etiqueta;
}

} // namespace

frmComprobarErrores::frmComprobarErrores(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Comprobar Errores en la Base de Datos"));
    setAttribute(Qt::WA_DeleteOnClose);
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    auto* rejilla = new QGridLayout(Frame1);
    rejilla->setColumnStretch(2, 1);
    for (int k = 0; k < 4; ++k) {
        imagenes_[k] = Etiqueta(Frame1, QStringLiteral("Image%1").arg(k + 1));
        lineas_[k] = Etiqueta(Frame1, QStringLiteral("Label%1").arg(k + 1), Comprobaciones[k].comprobando);
        resultados_[k] = Etiqueta(Frame1, QStringLiteral("Label%1%1").arg(k + 1));
        // The result sits right after the line's text, wherever that ends.
        auto* fila = new QHBoxLayout;
        fila->setSpacing(0);
        fila->addWidget(lineas_[k]);
        fila->addWidget(resultados_[k]);
        fila->addStretch();
        rejilla->addWidget(imagenes_[k], k, 0);
        rejilla->addLayout(fila, k, 1, 1, 2);
    }
    Image1 = imagenes_[0], Image2 = imagenes_[1], Image3 = imagenes_[2], Image4 = imagenes_[3];
    Label1 = lineas_[0], Label2 = lineas_[1], Label3 = lineas_[2], Label4 = lineas_[3];
    Label11 = resultados_[0], Label22 = resultados_[1], Label33 = resultados_[2], Label44 = resultados_[3];
    for (int i = 0; i < 4; ++i)
        ImageListError[i] = QPixmap(QStringLiteral(":/imagenes/error%1.svg").arg(i + 1));

    Line1 = Linea(this, "Line1");
    Line2 = Linea(this, "Line2");
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setEnabled(false);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(Frame1);
    disposicion->addWidget(Line1);
    disposicion->addWidget(ProgressBar);
    disposicion->addWidget(Line2);
    disposicion->addSpacing(cmdOK->sizeHint().height() + 4);
    setMinimumSize(sizeHint().width() + 40, sizeHint().height());
    resize(minimumSize());
    Conectar();
    Form_Load();
}

void frmComprobarErrores::Conectar() {
    connect(cmdOK, &QPushButton::clicked, this, Protegido(this, &frmComprobarErrores::cmdOK_Click));
}

void frmComprobarErrores::Form_Load() {
    for (QLabel* imagen : imagenes_)
        imagen->setPixmap(ImageListError[0]);
    cmdOK->resize(cmdOK->sizeHint().width() + 30, cmdOK->sizeHint().height());
}

void frmComprobarErrores::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    // The button stays centred below the bar (left = (window width − button width) / 2).
    cmdOK->move((width() - cmdOK->width()) / 2, height() - cmdOK->height() - 8);
    if (isVisible())
        Form_Resize();
}

// Showing the window is its first resize.
void frmComprobarErrores::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    Form_Resize();
}

void frmComprobarErrores::Form_Resize() {
    // A resize while the checks run (a question open, a repaint) never starts them again.
    if (comprobando_)
        return;
    comprobando_ = true;
    RepintarVentana(this);
    BarreraErrores(this, [this] { ComprobarErrores(*BBDD::BaseDatos, *this); });
    cmdOK->setEnabled(true);
    RepintarVentana(this);
    comprobando_ = false;
}

void frmComprobarErrores::cmdOK_Click() {
    close();
}

void frmComprobarErrores::MostrarResultado(QLabel* resultado, ResultadoComprobacion estado) {
    static const QColor colores[] = {QColor(0, 143, 0), QColor(170, 0, 0), QColor(0, 0, 170)};
    resultado->setText(TextoResultado(estado));
    QPalette paleta = resultado->palette();
    paleta.setColor(QPalette::WindowText, colores[int(estado) - 1]);
    resultado->setPalette(paleta);
    QFont fuente = resultado->font();
    fuente.setBold(estado == ResultadoComprobacion::Correcto);
    resultado->setFont(fuente);
}

void frmComprobarErrores::Empezar(int k, bool vaciarBarra) {
    imagenes_[k]->setPixmap(ImageListError[1]);
    if (vaciarBarra)
        ProgressBar->setValue(0);
    RepintarVentana(this);
}

void frmComprobarErrores::Comprobado(int k) {
    lineas_[k]->setText(Comprobaciones[k].comprobado);
    ProgressBar->setValue(ProgressBar->maximum());
    RepintarVentana(this);
}

void frmComprobarErrores::Resultado(int k, ResultadoComprobacion resultado) {
    MostrarResultado(resultados_[k], resultado);
    imagenes_[k]->setPixmap(ImageListError[resultado == ResultadoComprobacion::Error ? 3 : 2]);
    RepintarVentana(this);
}

bool frmComprobarErrores::Reparar(int k) {
    Mensaje pregunta;
    pregunta.texto = Comprobaciones[k].pregunta;
    pregunta.botones = BotonesMensaje::SiNo;
    pregunta.icono =
        Comprobaciones[k].preguntaInformativa ? IconoMensaje::Informacion : IconoMensaje::Pregunta;
    return servicios().MsgBox(pregunta, this) == RespuestaMensaje::Si;
}

void frmComprobarErrores::SigueElFallo(int) {
    Avisar(this, TextoSigueElFallo, QStringLiteral("ERROR"), IconoMensaje::Critico);
}

void frmComprobarErrores::FalloReparacion(int, const QString& descripcion) {
    Avisar(this,
           QStringLiteral("No se ha podido reparar el error; la base de datos no ha cambiado.\n") +
               descripcion,
           QStringLiteral("ERROR"), IconoMensaje::Critico);
}
