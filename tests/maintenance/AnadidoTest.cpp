// Writing the rows of a scan into a catalogue, without windows: the row values, what does not fit, odd
// names and an engine error. (A scan killed midway is tested in the reliability suite.)

#include "ArbolFicheros.h"
#include "maintenance/AnadidoCanciones.h"
#include "store/BBDD.h"
#include "store/Catalogo.h"

#include <gtest/gtest.h>

namespace {

QStringList LineasRuta(const QString& cabecera, const QString& ruta) {
    QStringList lineas;
    for (const catalogo::CancionRuta& cancion :
         catalogo::LeerCancionesRuta(*BBDD::BaseDatos, {cabecera, ruta}))
        lineas << catalogo::LineaCancion(cancion);
    return lineas;
}

struct Fila {
    QString cabecera, ruta, autor, titulo, extension;
    int longitud, idx, relPos;
    bool operator==(const Fila&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Fila& f) {
    return os << f.cabecera.toStdString() << '|' << f.ruta.toStdString() << '|' << f.autor.toStdString()
              << '|' << f.titulo.toStdString() << '|' << f.extension.toStdString() << '|' << f.longitud << '|'
              << f.idx << '|' << f.relPos;
}

std::vector<Fila> Filas(const QString& donde = QStringLiteral("")) {
    std::vector<Fila> filas;
    auto rs = BBDD::BaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CANCIONES ") + donde +
                                             QStringLiteral(" ORDER BY RUTA, REL_POS"));
    for (; !rs->Eof(); rs->MoveNext())
        filas.push_back({rs->Field("CABECERA").toString(), rs->Field("RUTA").toString(),
                         rs->Field("AUTOR").toString(), rs->Field("TITULO").toString(),
                         rs->Field("EXTENSION").toString(), rs->Field("LONGITUD").toInt(),
                         rs->Field("IDX_CANCION").toInt(), rs->Field("REL_POS").toInt()});
    return filas;
}

class Registro : public ProgresoAnadido {
public:
    QStringList titulos;
    int maximo = 0;
    int avances = 0;
    void Titulo(const QString& titulo) override { titulos << titulo; }
    void Maximo(int valor) override { maximo = valor; }
    void Avanzar() override { ++avances; }
};

// A catalogue in a temporary directory, open as BBDD::BaseDatos.
class Anadido : public ::testing::Test {
protected:
    Anadido() {
        BBDD::RutaBaseDatos = QDir(base_.path()).filePath("Cantorio.mdb");
        BBDD::CrearBaseDatos();
        BBDD::AbrirBaseDatos();
    }
    ~Anadido() override { BBDD::CerrarBaseDatos(); }

    OpcionesAnadido Opciones(const QString& cabecera = QStringLiteral("Disco")) const {
        OpcionesAnadido opciones;
        opciones.cabecera = cabecera;
        opciones.directorio = disco.Raiz();
        opciones.raizVolumen = disco.Raiz();
        return opciones;
    }

    QTemporaryDir base_;
    ArbolFicheros disco;
};

} // namespace

TEST_F(Anadido, UnaFilaPorFicheroConSuRutaYPosicion) {
    disco.Fichero("b -- Uno.mp3", 1234);
    disco.Fichero("Rock/Autor -- Dos.mp3", 7);
    disco.Fichero("Rock/sin_punto", 1);
    Registro registro;
    const ResultadoAnadido resultado = AnadirFicheros(Opciones("  Mi CD "), registro);

    EXPECT_TRUE(resultado.encontrado);
    EXPECT_EQ(resultado.filas, 3);
    EXPECT_EQ(Filas(), (std::vector<Fila>{{"Mi CD", "\\", "b", "Uno", "mp3", 1234, 0, 1},
                                          {"Mi CD", "\\Rock\\", "Autor", "Dos", "mp3", 7, 0, 1},
                                          {"Mi CD", "\\Rock\\", "sin_punto", " ", " ", 1, 0, 2}}));
    EXPECT_EQ(registro.titulos, QStringList{"Procesando..."});
    EXPECT_EQ(registro.maximo, 3); // two directories + 1
    EXPECT_EQ(registro.avances, 2);
}

TEST_F(Anadido, AnadirCancionRecortaBlancosYGuardaUnBlancoSiVacio) {
    EscrituraCanciones(*BBDD::BaseDatos).AnadirCancion(u" Cab ", u" \\R\\ ", u"   ", u" Título ", u"", 5, 9);
    EXPECT_EQ(Filas(), (std::vector<Fila>{{"Cab", "\\R\\", " ", "Título", " ", 5, 0, 9}}));
}

TEST_F(Anadido, FicheroDeMasDe2GiBSeOmiteYSeNombra) {
    disco.Fichero("a.mp3", 10);
    disco.Fichero("enorme.mp3", LongitudMaximaFichero + 1);
    disco.Fichero("justo.mp3", LongitudMaximaFichero);
    Registro registro;
    const ResultadoAnadido resultado = AnadirFicheros(Opciones(), registro);
    EXPECT_EQ(resultado.grandes, QStringList{disco.Raiz() + "/enorme.mp3"});
    EXPECT_EQ(Filas(), (std::vector<Fila>{{"Disco", "\\", "a", " ", "mp3", 10, 0, 1},
                                          {"Disco", "\\", "justo", " ", "mp3", 2147483647, 0, 2}}));
}

TEST_F(Anadido, NombresRarosSeGuardanComoSonYSeListan) {
    disco.Fichero("[x]*#'/O'Brien -- \"Hola\" #1 [en vivo] *.mp3");
    disco.FicheroBytes("[x]*#'", "Caf\xe9 -- T\xedtulo.mp3");
    disco.Fichero("x#'/Otro -- Vecino.mp3"); // what "[x]" and "'"/"#" as patterns would also match
    Registro registro;
    AnadirFicheros(Opciones(), registro);
    std::vector<Fila> filas = Filas();
    std::erase_if(filas, [](const Fila& fila) { return fila.autor == "Otro"; });
    EXPECT_EQ(filas, (std::vector<Fila>{
                         {"Disco", "\\[x]*#'\\", "Café", "Título", "mp3", 10, 0, 1},
                         {"Disco", "\\[x]*#'\\", "O'Brien", "\"Hola\" #1 [en vivo] *", "mp3", 10, 0, 2}}));
    EXPECT_EQ(LineasRuta("Disco", "\\[x]*#'\\"),
              (QStringList{"Café -- Título", "O'Brien -- \"Hola\" #1 [en vivo] *"}));
    EXPECT_EQ(LineasRuta("disco", "\\X#'\\"), QStringList{"Otro -- Vecino"});
}

TEST_F(Anadido, UnErrorDelMotorDetieneLaBusquedaYSeCuenta) {
    disco.Fichero("a.mp3");
    Registro registro;
    const ResultadoAnadido resultado = AnadirFicheros(Opciones(QString(5000, 'c')), registro);
    EXPECT_FALSE(resultado.error.isEmpty());
    EXPECT_EQ(resultado.filas, 0);
    EXPECT_TRUE(Filas().empty());
}

TEST_F(Anadido, CabeceraEnBlancoSeRechaza) {
    disco.Fichero("a.mp3");
    Registro registro;
    EXPECT_THROW(AnadirFicheros(Opciones("   "), registro), dao::ErrorBD);
    EXPECT_TRUE(Filas().empty());
}
