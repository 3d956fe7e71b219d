#include "lyrics/frmCancion.h"

#include "lyrics/frmConfigCancion.h"
#include "shell/BarreraErrores.h"
#include "shell/FormatoTexto.h"
#include "shell/Servicios.h"
#include "shell/Twips.h"
#include "store/BBDD.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QStackedLayout>
#include <QTextBlock>

#include <memory>

namespace {

// "Canción", followed by where the lyric came from when it was read from a music file while cataloguing
// it, so that the user knows it has still to be checked.
QString TituloCancion(const QString& origen) {
    if (origen.isEmpty())
        return QStringLiteral("Canción");
    if (origen == catalogo::OrigenEtiquetas)
        return QStringLiteral("Canción - letra leída de las etiquetas del fichero");
    return QStringLiteral("Canción - letra leída de «%1»").arg(origen);
}

// Client area as designed, and the smallest outer size, in twips.
constexpr int AnchoInicial = 5175;
constexpr int AltoInicial = 5775;
constexpr int Minimo = 1200;
constexpr int LadoImagen = 285;

// Picture numero of the tool images: for image k, 3k-2 normal, 3k-1 under the mouse, 3k pressed.
QPixmap Dibujo(int numero) {
    const QString clave = QStringLiteral(":/imagenes/Cancion%1.svg").arg(numero);
    QPixmap dibujo;
    if (!QPixmapCache::find(clave, &dibujo)) {
        dibujo = QPixmap(clave);
        QPixmapCache::insert(clave, dibujo);
    }
    return dibujo;
}

// The text of a box as typed, every character kept (a non-breaking space too), lines joined by "\n".
QString TextoDe(const QPlainTextEdit& caja) {
    QString texto = caja.document()->toRawText();
    texto.replace(QChar::ParagraphSeparator, u'\n');
    return texto;
}

dao::Database& Base() {
    if (!BBDD::BaseDatos)
        throw dao::ErrorBD(3420, QStringLiteral("El catálogo no está abierto."));
    return *BBDD::BaseDatos;
}

void AvisarError(QWidget* ventana, const QString& que, const dao::ErrorBD& error) {
    Avisar(ventana, QStringLiteral("%1 (error %2): %3").arg(que).arg(error.Numero()).arg(error.Descripcion()),
           QStringLiteral("Error"), IconoMensaje::Exclamacion);
}

bool Preguntar(QWidget* ventana, const QString& texto, const QString& titulo) {
    Mensaje mensaje;
    mensaje.texto = texto;
    mensaje.titulo = titulo;
    mensaje.botones = BotonesMensaje::SiNo;
    mensaje.icono = IconoMensaje::Pregunta;
    mensaje.predeterminado = RespuestaMensaje::No;
    return servicios().MsgBox(mensaje, ventana) == RespuestaMensaje::Si;
}

} // namespace

frmCancion::frmCancion(QWidget* padre) : QWidget(padre, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Canción"));
    // The lyric boxes are made first so that they lead the tab order; of the three only the one in
    // front takes the focus.
    auto* lyrics = new QWidget(this);
    lyrics->setObjectName(QStringLiteral("lyrics"));
    pila_ = new QStackedLayout(lyrics);
    const Qt::Alignment alineaciones[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    for (int i = 0; i < 3; ++i) {
        txtLyrics[i] = new QPlainTextEdit(lyrics);
        txtLyrics[i]->setObjectName(QStringLiteral("txtLyrics%1").arg(i));
        txtLyrics[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QTextOption opcion = txtLyrics[i]->document()->defaultTextOption();
        opcion.setAlignment(alineaciones[i]);
        txtLyrics[i]->document()->setDefaultTextOption(opcion);
        txtLyrics[i]->viewport()->setMouseTracking(true);
        txtLyrics[i]->viewport()->installEventFilter(this);
        pila_->addWidget(txtLyrics[i]);
    }
    txtAutor = new QLineEdit(QStringLiteral("Autor:"), this);
    txtTitulo = new QLineEdit(QStringLiteral("Título:"), this);
    for (QLineEdit* campo : {txtAutor, txtTitulo}) {
        campo->setReadOnly(true);
        campo->setFont(QFont(QStringLiteral("Arial")));
        campo->setMouseTracking(true);
        campo->installEventFilter(this);
    }
    const QString consejos[] = {{},
                                QStringLiteral("Configurar"),
                                QStringLiteral("Justificar Centro"),
                                QStringLiteral("Justificar Izquierda"),
                                QStringLiteral("Justificar Derecha")};
    for (int k = 1; k <= 4; ++k) {
        img[k] = new QLabel(this);
        img[k]->setObjectName(QStringLiteral("img%1").arg(k));
        img[k]->setToolTip(consejos[k]);
        img[k]->resize(Pixeles(LadoImagen), Pixeles(LadoImagen));
        img[k]->setMouseTracking(true);
        img[k]->installEventFilter(this);
    }
    setMinimumSize(Pixeles(Minimo), Pixeles(Minimo));
    resize(Pixeles(AnchoInicial), Pixeles(AltoInicial));
    Conectar();
    Form_Load();
}

void frmCancion::Conectar() {
    for (QPlainTextEdit* caja : txtLyrics)
        connect(caja, &QPlainTextEdit::textChanged, this, Protegido(this, &frmCancion::txtLyrics_Change));
}

void frmCancion::Form_Load() {
    RestaurarImagenes();
    Traer(std::min<int>(Estado::EstiloLetras.Justificacion, 2));
    AplicarEstilo(Estado::EstiloLetras);
}

// The box in front holds the focus: what the user types when the window opens is the lyric.
void frmCancion::Traer(int indice) {
    Justificacion = static_cast<std::uint8_t>(indice);
    pila_->setCurrentIndex(indice);
    txtLyrics[indice]->setFocus();
}

void frmCancion::Entrar(int idx, catalogo::IdCancion fila, const QString& operacion) {
    idx_ = idx;
    fila_ = fila;
    if (idx < 1)
        Avisar(this, QStringLiteral("Error chungo en %1(), idx = %2").arg(operacion).arg(idx),
               QStringLiteral("WARGH!"), IconoMensaje::Critico);
    const catalogo::CancionDeLetra cancion = catalogo::CancionConLetra(Base(), idx, fila);
    txtAutor->setText(QStringLiteral("Autor:  ") + cancion.autor);
    txtTitulo->setText(QStringLiteral("Título:  ") + cancion.titulo);
}

void frmCancion::CargarCancion(int idx, catalogo::IdCancion fila) {
    Entrar(idx, fila, QStringLiteral("CargarCancion"));
    const catalogo::LetraLeida letra = catalogo::CargarLetra(Base(), idx);
    setWindowTitle(TituloCancion(letra.origen));
    RecienCargada = true;
    Delante()->setPlainText(letra.texto);
    RecienCargada = false;
    Modificado = false;
}

void frmCancion::CancionNueva(int idx, catalogo::IdCancion fila) {
    Entrar(idx, fila, QStringLiteral("CancionNueva"));
    catalogo::CrearLetra(Base(), idx);
    Modificado = false;
}

frmCancion* frmCancion::Crear(int idx, bool nueva, catalogo::IdCancion fila) {
    auto ventana = std::make_unique<frmCancion>();
    if (nueva)
        ventana->CancionNueva(idx, fila);
    else
        ventana->CargarCancion(idx, fila);
    return ventana.release();
}

QList<frmCancion*> frmCancion::Abiertas() {
    QList<frmCancion*> abiertas;
    for (QWidget* ventana : QApplication::topLevelWidgets())
        if (auto* cancion = qobject_cast<frmCancion*>(ventana); cancion && cancion->isVisible())
            abiertas << cancion;
    return abiertas;
}

void frmCancion::txtLyrics_Change() {
    if (!RecienCargada)
        Modificado = true;
}

void frmCancion::RestaurarImagenes() {
    for (int k = 1; k <= 4; ++k)
        PonerImagen(k, 3 * k - 2);
}

void frmCancion::PonerImagen(int k, int dibujo) {
    img[k]->setPixmap(Dibujo(dibujo));
    img[k]->setProperty("dibujo", dibujo);
}

void frmCancion::img_MouseMove(int k) {
    RestaurarImagenes();
    PonerImagen(k, 3 * k - 1);
}

void frmCancion::img_MouseDown(int k) {
    RestaurarImagenes();
    PonerImagen(k, 3 * k);
}

void frmCancion::img_MouseUp(int k) {
    RestaurarImagenes();
    PonerImagen(k, 3 * k);
    switch (k) {
    case 1:
        ConfigurarCancion();
        break;
    case 2:
        Justificar(2);
        break;
    case 3:
        Justificar(0);
        break;
    case 4:
        Justificar(1);
        break;
    }
    QPlainTextEdit* delante = Delante();
    QTextCursor cursor = delante->textCursor();
    cursor.setPosition(std::min(1, delante->document()->characterCount() - 1));
    delante->setTextCursor(cursor);
}

// The text of the box in front goes into the other two, which counts as a change; the box of that
// alignment comes to the front.
void frmCancion::Justificar(int destino) {
    const int origen = Justificacion;
    const QString texto = TextoDe(*txtLyrics[origen]);
    for (int i = 0; i < 3; ++i)
        if (i != origen)
            txtLyrics[i]->setPlainText(texto);
    Modificado = true;
    Traer(destino);
}

void frmCancion::ConfigurarCancion() {
    frmConfigCancion& dialogo = frmConfigCancion::Instancia();
    dialogo.Preparar(*this, estilo_);
    dialogo.show();
    dialogo.raise();
}

void frmCancion::AplicarEstilo(const EstiloTexto& estilo) {
    estilo_ = estilo;
    for (QPlainTextEdit* caja : txtLyrics)
        ::AplicarEstilo(caja, estilo);
    AplicarColores(txtAutor, estilo);
    AplicarColores(txtTitulo, estilo);
}

void frmCancion::closeEvent(QCloseEvent* evento) {
    if (Form_Unload())
        evento->accept();
    else
        evento->ignore();
}

bool frmCancion::Form_Unload() {
    raise();
    activateWindow();
    if (Delante()->document()->isEmpty()) {
        if (Preguntar(this, QStringLiteral("¿Desea realmente eliminar esta Letra?  "),
                      QStringLiteral("Aviso de eliminación")) &&
            !MataCancion())
            return false;
    } else if (Modificado) {
        if (Preguntar(this, QStringLiteral("¿Desea guardar los cambios?"),
                      QStringLiteral("El texto ha cambiado")) &&
            !Guardar())
            return false;
    }
    try {
        if (const std::optional<int> numero = catalogo::NumeroLetraDe(Base(), fila_))
            emit MarcaLetra(fila_, *numero != 0 ? QStringLiteral("S") : QStringLiteral("N"));
    } catch (const dao::ErrorBD&) {
        // Without the catalogue no mark can be told; the lyric itself is settled.
    }
    return true;
}

bool frmCancion::MataCancion() {
    if (idx_ < 1) {
        Avisar(this, QStringLiteral("Error chungo en MataCancion(), idx = %1").arg(idx_),
               QStringLiteral("WARGH!"), IconoMensaje::Critico);
        return true;
    }
    try {
        catalogo::BorrarLetra(Base(), idx_);
    } catch (const dao::ErrorBD& error) {
        AvisarError(this, QStringLiteral("No se pudo eliminar la letra"), error);
        return false;
    }
    return true;
}

bool frmCancion::Guardar() {
    try {
        const QString texto = catalogo::ConSaltoGuardado(TextoDe(*Delante()));
        if (catalogo::GuardarLetra(Base(), idx_, texto) == catalogo::Guardado::SinCancion) {
            Avisar(
                this,
                QStringLiteral("Ninguna canción del catálogo tiene ya esta letra, así que no se ha guardado. "
                               "El texto sigue en la ventana para que pueda copiarlo.  "),
                QStringLiteral("Error"), IconoMensaje::Exclamacion);
            return false;
        }
    } catch (const dao::ErrorBD& error) {
        AvisarError(this, QStringLiteral("No se pudo guardar la letra; el texto sigue en la ventana"), error);
        return false;
    }
    setWindowTitle(TituloCancion({})); // saved, the text is the user's
    Modificado = false;
    return true;
}

bool frmCancion::GuardarAlTerminar() {
    if (!Modificado)
        return true;
    raise();
    activateWindow();
    if (!Preguntar(this, QStringLiteral("¿Desea guardar los cambios?"),
                   QStringLiteral("El texto ha cambiado")))
        return true;
    return Guardar();
}

bool frmCancion::GuardarAbiertasAlTerminar() {
    for (frmCancion* cancion : Abiertas())
        if (!cancion->GuardarAlTerminar())
            return false;
    return true;
}

void frmCancion::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    const int w = Twips(width());
    const int h = Twips(height());
    const QPoint sitios[] = {{}, {w - 600, 30}, {w - 300, 30}, {w - 600, 345}, {w - 300, 345}};
    for (int k = 1; k <= 4; ++k)
        img[k]->move(Pixeles(sitios[k].x()), Pixeles(sitios[k].y()));
    if (w > Minimo && h > Minimo) {
        txtAutor->setGeometry(0, 0, Pixeles(w - 615), Pixeles(285));
        txtTitulo->setGeometry(0, Pixeles(345), Pixeles(w - 615), Pixeles(285));
        pila_->parentWidget()->setGeometry(0, Pixeles(690), width(), Pixeles(h - 690));
    }
}

void frmCancion::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::ActivationChange && !isActiveWindow())
        RestaurarImagenes();
    QWidget::changeEvent(evento);
}

bool frmCancion::eventFilter(QObject* objeto, QEvent* evento) {
    for (int k = 1; k <= 4; ++k) {
        if (objeto != img[k])
            continue;
        switch (evento->type()) {
        case QEvent::MouseMove:
            img_MouseMove(k);
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
                img_MouseDown(k);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
                img_MouseUp(k);
            break;
        case QEvent::Leave:
            RestaurarImagenes();
            break;
        default:
            break;
        }
        return false;
    }
    if (evento->type() == QEvent::MouseMove)
        RestaurarImagenes();
    return QWidget::eventFilter(objeto, evento);
}
