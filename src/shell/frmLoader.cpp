#include "shell/frmLoader.h"

#include "store/CatalogoPorLetra.h"

#include "list/frmLista.h"
#include "maintenance/frmActualizacion.h"
#include "queries/frmConsultas.h"
#include "shell/Estado.h"
#include "shell/Posicion.h"
#include "shell/Rutas.h"
#include "shell/Servicios.h"
#include "shell/Twips.h"
#include "shell/Ventanas.h"
#include "shell/frmAux.h"
#include "store/BBDD.h"
#include "trees/ArbolesVentanas.h"
#include "trees/GestorArboles.h"
#include "utilities/ConversionJet.h"
#include "utilities/LectorJet.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

namespace {

// "A directory listing finds no file": no file at all, or one of zero bytes, which holds no catalogue
// and is created afresh.
bool FaltaCatalogo(const QString& ruta) {
    const QFileInfo fichero(ruta);
    return !fichero.exists() || (fichero.isFile() && fichero.size() == 0);
}

// The three main windows share one position: centred on the screen after the maintenance window's size.
void ColocarVentanasPrincipales() {
    const QSize pantalla = servicios().TamanoPantalla();
    frmActualizacion& actualizacion = Ventanas::Actualizacion();
    Estado::VentanaIzda = (pantalla.width() - Twips(actualizacion.width())) / 2;
    Estado::VentanaArriba = (pantalla.height() - Twips(actualizacion.height())) / 2;
    MoverAPosicionCompartida(actualizacion);
    MoverAPosicionCompartida(Ventanas::Consultas());
    MoverAPosicionCompartida(Ventanas::Lista());
}

// The list window's tool row: each picture from the window's own image list, laid out left to right from
// imgIzda's designed position, each image starting where the previous one ends. The images keep their
// designed sizes.
void PrepararFilaHerramientas() {
    frmLista& lista = Ventanas::Lista();
    const std::pair<QLabel*, const char*> fila[] = {
        {lista.imgIzda, "peq_Izda"},      {lista.imgExpandRaiz, "peq_RaizCerr1"},
        {lista.imgSep1, "peq_Separador"}, {lista.imgExpandCabecera, "peq_Cab1"},
        {lista.imgSep2, "peq_Separador"}, {lista.imgExpandRuta, "peq_Rut1"},
        {lista.imgSep3, "peq_Separador"}, {lista.imgImprimir, "peq_Imp1"},
        {lista.imgDcha, "peq_Dcha"},
    };
    QPoint esquina = lista.imgIzda->pos();
    for (const auto& [imagen, clave] : fila) {
        imagen->setPixmap(lista.ImageList.value(QString::fromLatin1(clave)));
        imagen->move(esquina);
        esquina.rx() += imagen->width();
    }
}

} // namespace

frmLoader::frmLoader(QWidget* padre)
    : QWidget(padre, Qt::SplashScreen | Qt::FramelessWindowHint), ProgressBar(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("Cantorio"));
    auto* fondo = new QLabel(this);
    const QPixmap dibujo(QStringLiteral(":/imagenes/Presentacion.svg"));
    fondo->setPixmap(dibujo);
    fondo->resize(dibujo.size());
    setFixedSize(dibujo.size());
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(40, 252, width() - 80, 14);
    ProgressBar->setTextVisible(false);
    ProgressBar->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid #5b7cae; border-radius: 3px; "
                       "background: #0b1424; } QProgressBar::chunk { background: #e0a526; }"));
    ProgressBar->raise();
}

void frmLoader::Repintar() {
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Work tables that a run ended with lyric-query windows open left behind. Tidying only: a failure here
// must not stop the start.
void frmLoader::BorrarTablasAbandonadas() {
    try {
        catalogo::BorrarTablasAuxAbandonadas(*BBDD::BaseDatos);
    } catch (const dao::ErrorBD&) {
    }
}

bool frmLoader::Form_Load() {
    const QSize pantalla = servicios().TamanoPantalla();
    move((Pixeles(pantalla.width()) - width()) / 2, (Pixeles(pantalla.height()) - height()) / 2);
    show();
    Repintar();

    Estado::VersionPrograma = QStringLiteral("Cantorio v1.2.") + QString::number(CANTORIO_REVISION);
    // The common dialogs of the platform services always report a cancel as an empty answer.
    Estado::EstiloLetras = EstiloTexto{};
    Ventanas::Crear();
    ColocarVentanasPrincipales();

    const QString directorio = DirectorioCatalogo(servicios().DirectorioPrograma());
    BBDD::RutaBaseDatos = RutaEnDirectorio(directorio, QStringLiteral("Cantorio.mdb"));
    if (EsFicheroJet(BBDD::RutaBaseDatos) && !OfrecerConversion())
        return false;
    if (FaltaCatalogo(BBDD::RutaBaseDatos)) {
        try {
            BBDD::CrearBaseDatos();
        } catch (const dao::ErrorBD& error) {
            return Fracaso(QStringLiteral("No se puede crear el catálogo."), error);
        }
    }
    try {
        BBDD::AbrirBaseDatos();
        BorrarTablasAbandonadas();
        AvisarApertura();
        InicializarArboles(&Ventanas::Aux().ImageList1);
        Repintar();
        CargarArboles(this);
    } catch (const dao::ErrorBD& error) {
        return Fracaso(QStringLiteral("No se puede abrir el catálogo."), error);
    }

    GestorArboles::Instancia().SetSincronizados(true);
    PrepararFilaHerramientas();
    Ventanas::Lista().show();
    Ventanas::Lista().repaint();
    ComprobarAyuda();
    close();
    return true;
}

void frmLoader::AvisarApertura() {
    const QString& aviso = BBDD::BaseDatos->AvisoApertura();
    if (aviso.isEmpty())
        return;
    Mensaje mensaje;
    mensaje.texto = aviso;
    mensaje.icono = IconoMensaje::Exclamacion;
    servicios().MsgBox(mensaje);
}

bool frmLoader::OfrecerConversion() {
    const QString ruta = QDir::toNativeSeparators(BBDD::RutaBaseDatos);
    // Only a file with the catalogue's tables is offered for conversion; nothing is written to another.
    QString falta;
    try {
        falta = FaltaParaCatalogoJet(BBDD::RutaBaseDatos);
    } catch (const dao::ErrorBD& error) {
        return Fracaso(QStringLiteral("No se puede abrir el catálogo; no se ha cambiado nada."), error);
    }
    if (!falta.isEmpty()) {
        close();
        Mensaje aviso;
        aviso.texto =
            QStringLiteral("«%1» es una base de datos de Access de otro programa, no un catálogo de "
                           "Cantorio: %2.\n\nNo se ha cambiado nada. Para empezar un catálogo "
                           "nuevo, mueva ese fichero a otra carpeta o cámbiele el nombre.\n\n"
                           "Cantorio se cerrará.")
                .arg(ruta, falta);
        aviso.icono = IconoMensaje::Exclamacion;
        servicios().MsgBox(aviso);
        return false;
    }
    Mensaje oferta;
    oferta.texto =
        QStringLiteral("El catálogo «%1» está en el formato de Access de las versiones antiguas del "
                       "programa.\n\n¿Desea convertirlo al formato actual? El fichero antiguo se "
                       "conservará a su lado, renombrado.")
            .arg(ruta);
    oferta.titulo = QStringLiteral("Catálogo antiguo");
    oferta.botones = BotonesMensaje::SiNo;
    oferta.icono = IconoMensaje::Pregunta;
    if (servicios().MsgBox(oferta) != RespuestaMensaje::Si) {
        close();
        Mensaje aviso;
        aviso.texto = QStringLiteral(
            "El catálogo no se ha convertido y no se ha cambiado nada.\n\nCantorio se cerrará.");
        aviso.icono = IconoMensaje::Informacion;
        servicios().MsgBox(aviso);
        return false;
    }
    try {
        const ResultadoConversion resultado = ConvertirCatalogoJet(BBDD::RutaBaseDatos, BBDD::RutaBaseDatos);
        Mensaje hecho;
        hecho.texto =
            QStringLiteral("Catálogo convertido: %1 canciones y %2 letras.\n\nEl catálogo antiguo se "
                           "conserva en «%3».")
                .arg(resultado.canciones)
                .arg(resultado.letras)
                .arg(QDir::toNativeSeparators(resultado.original));
        hecho.icono = IconoMensaje::Informacion;
        servicios().MsgBox(hecho);
        return true;
    } catch (const dao::ErrorBD& error) {
        return Fracaso(QStringLiteral("No se puede convertir el catálogo antiguo; no se ha cambiado nada."),
                       error);
    }
}

bool frmLoader::Fracaso(const QString& que, const dao::ErrorBD& error) {
    close();
    Mensaje mensaje;
    // The engine's description names the file and says whether it was left untouched.
    mensaje.texto = que + QStringLiteral("\n\n") + error.Descripcion() +
                    QStringLiteral(" (error %1)\n\nCantorio se cerrará.").arg(error.Numero());
    mensaje.icono = IconoMensaje::Critico;
    servicios().MsgBox(mensaje);
    return false;
}

void frmLoader::ComprobarAyuda() {
    const QString directorio = RutaEnDirectorio(servicios().DirectorioPrograma(), QString());
    const QString zip = directorio + QStringLiteral("Ayuda.zip");
    QFile comprimido(zip);
    if (!comprimido.open(QIODevice::ReadOnly))
        return;
    comprimido.close();
    QFile pagina(RutaAyuda(servicios().DirectorioPrograma()));
    if (pagina.open(QIODevice::ReadOnly)) {
        pagina.close();
        QFile::remove(zip);
        return;
    }
    Mensaje mensaje;
    mensaje.texto = QStringLiteral("Debe descomprimir el fichero de ayuda en: ") + directorio;
    mensaje.titulo = QStringLiteral("Primera ejecución del Cantorio");
    servicios().MsgBox(mensaje);
    servicios().AbrirConVisor(zip);
}
