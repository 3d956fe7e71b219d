#include "OrdenesCatalogo.h"

#include "maintenance/AnadidoCanciones.h"
#include "store/CatalogoLetras.h"
#include "store/CatalogoMantenimiento.h"
#include "utilities/ComprobacionErrores.h"
#include "utilities/FicheroExportacion.h"

#include <QDir>
#include <QFile>

#include <sstream>

namespace {

// Pieces of the generated names and texts: letter case and accent variants of one word, the characters
// of patterns in SQL and in file names, blanks, a tab and a non-breaking space (kept: only blanks are
// trimmed), a letter Windows-1252 has not.
const std::vector<QString> Piezas = {
    QStringLiteral("Rock"),    QStringLiteral("ROCK"),    QStringLiteral("rock"),    QStringLiteral("Röck"),
    QStringLiteral("Canción"), QStringLiteral("CANCIÓN"), QStringLiteral("cancion"), QStringLiteral("ñ"),
    QStringLiteral("Ñ"),       QStringLiteral("ő"),       QStringLiteral("a"),       QStringLiteral("B"),
    QStringLiteral("'"),       QStringLiteral("#"),       QStringLiteral("*"),       QStringLiteral("?"),
    QStringLiteral("["),       QStringLiteral("%"),       QStringLiteral("_"),       QStringLiteral(" "),
    QStringLiteral("  "),      QStringLiteral("\t"),      QStringLiteral("\u00A0"),
};

QString TextoGenerado(int minimo, int maximo) {
    const int piezas = *rc::gen::inRange(minimo, maximo + 1);
    QString texto;
    for (int i = 0; i < piezas; ++i)
        texto += *rc::gen::elementOf(Piezas);
    return texto;
}

// A text with something besides blanks.
QString TextoNoBlanco() {
    QString texto = TextoGenerado(1, 3);
    return texto.trimmed().isEmpty() ? texto + QStringLiteral("a") : texto;
}

// Without leading and trailing spaces (other characters kept).
QString SinBlancos(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto[inicio] == u' ')
        ++inicio;
    while (fin > inicio && texto[fin - 1] == u' ')
        --fin;
    return texto.sliced(inicio, fin - inicio);
}

QString BlancoSiVacio(const QString& texto) {
    const QString limpio = SinBlancos(texto);
    return limpio.isEmpty() ? QStringLiteral(" ") : limpio;
}

template <typename T> std::string Mostrar(const T& valor) {
    std::ostringstream salida;
    salida << valor;
    return salida.str();
}

std::string Mostrar(const QString& texto) {
    return "«" + texto.toStdString() + "»";
}

bool ConLetra(const CancionModelo& c) {
    return c.idx.value_or(0) > 0;
}

// The songs of the model, half the time only those with a lyric, or only those without one, when there
// are any: most songs of a generated catalogue have none.
enum class Preferencia { Ninguna, ConLetra, SinLetra };
std::vector<const CancionModelo*> Candidatas(const Modelo& modelo, Preferencia preferencia) {
    std::vector<const CancionModelo*> todas, preferidas;
    for (const CancionModelo& c : modelo.canciones) {
        todas.push_back(&c);
        if (preferencia != Preferencia::Ninguna && ConLetra(c) == (preferencia == Preferencia::ConLetra))
            preferidas.push_back(&c);
    }
    return !preferidas.empty() && *rc::gen::arbitrary<bool>() ? preferidas : todas;
}

// An identity of the model, or one that names no song when the model has none.
qint64 IdentidadGenerada(const Modelo& modelo, Preferencia preferencia = Preferencia::ConLetra) {
    const std::vector<const CancionModelo*> candidatas = Candidatas(modelo, preferencia);
    return candidatas.empty() ? modelo.siguienteId + 1000 : (*rc::gen::elementOf(candidatas))->id;
}

// A route as the trees show it: the header and path of a song, letter case changed at times.
catalogo::Ruta RutaGenerada(const Modelo& modelo) {
    std::vector<catalogo::Ruta> rutas;
    for (const CancionModelo* c : Candidatas(modelo, Preferencia::ConLetra))
        if (c->cabecera && c->ruta)
            rutas.push_back({*c->cabecera, *c->ruta});
    if (rutas.empty())
        return {TextoNoBlanco(), QStringLiteral("\\")};
    catalogo::Ruta ruta = *rc::gen::elementOf(rutas);
    if (*rc::gen::inRange(0, 3) == 0)
        ruta = {ruta.cabecera.toUpper(), ruta.ruta.toLower()};
    return ruta;
}

// A lyric number: one that songs name or LETRAS holds, at times one that neither has.
qint64 NumeroGenerado(const Modelo& modelo) {
    std::vector<qint64> numeros;
    for (const CancionModelo& c : modelo.canciones)
        if (c.idx && *c.idx > 0)
            numeros.push_back(*c.idx);
    for (const auto& [numero, texto] : modelo.letras)
        numeros.push_back(numero);
    if (numeros.empty() || *rc::gen::inRange(0, 5) == 0)
        return NumeroLetraNueva(modelo) + *rc::gen::inRange(0, 2);
    return *rc::gen::elementOf(numeros);
}

bool EnRuta(const CancionModelo& c, const catalogo::Ruta& ruta) {
    return Igual(c.cabecera, ruta.cabecera) && Igual(c.ruta, ruta.ruta);
}

// What a command told, for the checks after a failure.
struct Resultado {
    qint64 filas = 0; // songs kept by an add
    QString error;    // the error an add reported
    int reparacionFallida = -1;
};

// A command given twice: with a failure injected at a random write of its own, after which the
// catalogue must be as before it; then as usual, after which it must be as the model says.
class OrdenCatalogo : public Orden {
public:
    OrdenCatalogo() {
        lugarFallo_ = *rc::gen::inRange(0, 1000);
        codigoFallo_ =
            *rc::gen::elementOf(std::vector<int>{SQLITE_FULL, SQLITE_IOERR_WRITE, SQLITE_CONSTRAINT_CHECK});
    }

    void run(const Modelo& antes, Sistema& s) const override {
        ++CifrasDeLaPrueba().ordenes;
        Modelo despues = antes;
        apply(despues);
        if (Inyectable() && ConFallo(antes, despues, s))
            return;
        Realizar(s, antes, true);
        s.Comparar(despues);
    }

protected:
    // Gives the command to the catalogue; comprobar: check what it returns against the model.
    virtual Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const = 0;
    virtual bool Inyectable() const { return true; }
    // Checks the catalogue after the injected failure and leaves it as before the command, or brings
    // the command to its end (true).
    virtual bool TrasFallo(Sistema& s, const Modelo& antes, const Resultado&) const {
        s.Comparar(antes);
        return false;
    }

    void MostrarFallo(std::ostream& salida) const {
        salida << " [fallo en la escritura " << lugarFallo_ << "/1000, código " << codigoFallo_ << "]";
    }

private:
    // True when the command ran to its end because the failure fell after its last write.
    bool ConFallo(const Modelo& antes, const Modelo& despues, Sistema& s) const {
        // Its writes are counted inside a transaction that is then undone.
        s.Base().BeginTrans();
        s.Fallo().Contar();
        try {
            Realizar(s, antes, false);
        } catch (const std::exception&) {
        }
        const qint64 escrituras = s.Fallo().Escrituras();
        s.Fallo().Desarmar();
        try {
            s.Base().Rollback();
        } catch (const dao::ErrorBD&) {
        }
        if (escrituras == 0)
            return false;
        // Any of its writes or its commit, or a statement after it.
        s.Fallo().Armar(1 + lugarFallo_ * (escrituras + 2) / 1000, codigoFallo_);
        Resultado resultado;
        try {
            resultado = Realizar(s, antes, false);
        } catch (const std::exception&) {
            // A database error, or the import's message naming the line of the failure.
        }
        s.Fallo().Desarmar();
        if (!s.Fallo().Disparado()) {
            s.Comparar(despues);
            return true;
        }
        ++CifrasDeLaPrueba().fallosInyectados;
        return TrasFallo(s, antes, resultado);
    }

    int lugarFallo_ = 0;
    int codigoFallo_ = SQLITE_FULL;
};

// --- Adding a folder.

struct FicheroGenerado {
    QString autor, titulo, extension;
    int longitud = 0;
};
// A folder, a subfolder of it and one of that: a route beside its sub-routes.
struct NivelGenerado {
    QString nombre; // empty for the folder added
    std::vector<FicheroGenerado> ficheros;
};

class AnadirCarpeta : public OrdenCatalogo {
public:
    explicit AnadirCarpeta(const Modelo&) {
        cabecera_ = *rc::gen::inRange(0, 3) == 0 ? QStringLiteral("  ") + TextoNoBlanco() : TextoNoBlanco();
        const int niveles = *rc::gen::inRange(1, 4);
        for (int n = 0; n < niveles; ++n) {
            NivelGenerado nivel;
            if (n > 0) {
                nivel.nombre = TextoNoBlanco();
                if (nivel.nombre.startsWith(u'.'))
                    nivel.nombre.prepend(u'a');
            }
            const int ficheros = *rc::gen::inRange(0, 4);
            for (int f = 0; f < ficheros; ++f)
                nivel.ficheros.push_back(
                    {TextoGenerado(0, 2), TextoGenerado(0, 2),
                     *rc::gen::elementOf(std::vector<QString>{QStringLiteral("mp3"), QStringLiteral("MP3"),
                                                              QStringLiteral("ogg")}),
                     *rc::gen::elementOf(std::vector<int>{0, 7, 1000})});
            niveles_.push_back(nivel);
        }
    }

    void apply(Modelo& modelo) const override { modelo.Anadir(Canciones()); }

    void show(std::ostream& salida) const override {
        salida << "AnadirCarpeta " << Mostrar(cabecera_);
        for (const NivelGenerado& nivel : niveles_) {
            salida << " /" << nivel.nombre.toStdString() << ":";
            int k = 0;
            for (const FicheroGenerado& f : nivel.ficheros)
                salida << " " << Mostrar(NombreFichero(k++, f, nivel)) << "(" << f.longitud << ")";
        }
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo&, bool comprobar) const override {
        const QString raiz = s.Carpeta();
        QString directorio = raiz;
        for (const NivelGenerado& nivel : niveles_) {
            if (!nivel.nombre.isEmpty())
                directorio += u'/' + nivel.nombre;
            QDir().mkpath(directorio);
            int k = 0;
            for (const FicheroGenerado& f : nivel.ficheros) {
                QFile fichero(directorio + u'/' + NombreFichero(k++, f, nivel));
                RC_ASSERT(fichero.open(QIODevice::WriteOnly));
                fichero.resize(f.longitud);
            }
        }
        OpcionesAnadido opciones;
        opciones.cabecera = cabecera_;
        opciones.directorio = raiz;
        opciones.raizVolumen = raiz;
        ProgresoAnadido progreso;
        const ResultadoAnadido resultado = AnadirFicheros(opciones, progreso);
        const qint64 filas = qint64(Canciones().size());
        if (comprobar) {
            RC_ASSERT(resultado.error.toStdString() == std::string());
            RC_ASSERT(resultado.filas == filas);
            RC_ASSERT(resultado.encontrado == (filas > 0));
        }
        return {resultado.filas, resultado.error};
    }

    // The rows written before the failure stay, in whole batches, and the result says how many.
    bool TrasFallo(Sistema& s, const Modelo& antes, const Resultado& resultado) const override {
        RC_ASSERT(!resultado.error.isEmpty());
        std::vector<CancionModelo> guardadas = Canciones();
        RC_ASSERT(resultado.filas <= qint64(guardadas.size()));
        guardadas.resize(std::size_t(resultado.filas));
        Modelo parcial = antes;
        parcial.Anadir(guardadas);
        s.Comparar(parcial);
        std::vector<qint64> ids;
        for (qint64 id = antes.siguienteId; id < parcial.siguienteId; ++id)
            ids.push_back(id);
        if (!ids.empty())
            s.Escribir(QStringLiteral("DELETE FROM CANCIONES WHERE rowid >= %1").arg(s.Fila(ids.front())));
        s.Olvidar(ids);
        s.Comparar(antes);
        return false;
    }

private:
    // The files of a folder are sorted by name: a number in front of the author keeps that order the
    // order in which they are generated.
    QString NombreFichero(int k, const FicheroGenerado& f, const NivelGenerado&) const {
        return QStringLiteral("%1 %2 -- %3.%4")
            .arg(k, 2, 10, QLatin1Char('0'))
            .arg(f.autor, f.titulo, f.extension);
    }

    std::vector<CancionModelo> Canciones() const {
        std::vector<CancionModelo> canciones;
        QString ruta = QStringLiteral("\\");
        for (const NivelGenerado& nivel : niveles_) {
            if (!nivel.nombre.isEmpty())
                ruta += nivel.nombre + u'\\';
            qint64 posicion = 1;
            int k = 0;
            for (const FicheroGenerado& f : nivel.ficheros) {
                const QString nombre = NombreFichero(k++, f, nivel);
                const QString autor = nombre.section(QStringLiteral(" -- "), 0, 0);
                canciones.push_back({0, SinBlancos(cabecera_), ruta, BlancoSiVacio(autor),
                                     BlancoSiVacio(f.titulo), BlancoSiVacio(f.extension), f.longitud, 0,
                                     posicion++});
            }
        }
        return canciones;
    }

    QString cabecera_;
    std::vector<NivelGenerado> niveles_;
};

// --- Deleting.

class EliminarSeleccion : public OrdenCatalogo {
public:
    explicit EliminarSeleccion(const Modelo& modelo) {
        const int n = *rc::gen::inRange(1, 4);
        for (int i = 0; i < n; ++i)
            ids_.push_back(IdentidadGenerada(modelo));
    }
    void apply(Modelo& modelo) const override {
        EliminarDonde(modelo,
                      [&](const CancionModelo& c) { return std::count(ids_.begin(), ids_.end(), c.id) > 0; });
    }
    void show(std::ostream& salida) const override {
        salida << "EliminarCanciones";
        for (qint64 id : ids_)
            salida << " #" << id;
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        std::vector<catalogo::IdCancion> filas;
        for (qint64 id : ids_)
            filas.push_back(s.Fila(id));
        const int eliminadas = catalogo::EliminarCanciones(s.Base(), filas);
        Modelo despues = antes;
        if (comprobar)
            RC_ASSERT(eliminadas == EliminarDonde(despues, [&](const CancionModelo& c) {
                          return std::count(ids_.begin(), ids_.end(), c.id) > 0;
                      }));
        return {};
    }

private:
    std::vector<qint64> ids_;
};

class EliminarRama : public OrdenCatalogo {
public:
    explicit EliminarRama(const Modelo& modelo) : ruta_(RutaGenerada(modelo)) {
        cabeceraEntera_ = *rc::gen::arbitrary<bool>();
    }
    void apply(Modelo& modelo) const override { EliminarDonde(modelo, Condicion()); }
    void show(std::ostream& salida) const override {
        if (cabeceraEntera_)
            salida << "EliminarCabecera " << Mostrar(ruta_.cabecera);
        else
            salida << "EliminarRuta " << Mostrar(ruta_.cabecera) << " " << Mostrar(ruta_.ruta);
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        const int eliminadas = cabeceraEntera_ ? catalogo::EliminarCabecera(s.Base(), ruta_.cabecera)
                                               : catalogo::EliminarRuta(s.Base(), ruta_);
        Modelo despues = antes;
        if (comprobar)
            RC_ASSERT(eliminadas == EliminarDonde(despues, Condicion()));
        return {};
    }

private:
    std::function<bool(const CancionModelo&)> Condicion() const {
        return [this](const CancionModelo& c) {
            return cabeceraEntera_ ? Igual(c.cabecera, ruta_.cabecera) : EnRuta(c, ruta_);
        };
    }
    catalogo::Ruta ruta_;
    bool cabeceraEntera_ = false;
};

class EliminarTodo : public OrdenCatalogo {
public:
    void apply(Modelo& modelo) const override {
        modelo.canciones.clear();
        modelo.letras.clear();
    }
    void show(std::ostream& salida) const override {
        salida << "EliminarTodo";
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo&, bool) const override {
        catalogo::EliminarTodo(s.Base());
        return {};
    }
};

// --- Editing.

class GuardarUna : public OrdenCatalogo {
public:
    explicit GuardarUna(const Modelo& modelo) : id_(IdentidadGenerada(modelo)) {
        for (QString* campo :
             {&valores_.cabecera, &valores_.ruta, &valores_.autor, &valores_.titulo, &valores_.extension})
            *campo = TextoGenerado(0, 2);
        valores_.longitud = *rc::gen::inRange(0, 100000);
    }
    void apply(Modelo& modelo) const override {
        CancionModelo* c = modelo.Cancion(id_);
        if (!c)
            return;
        c->cabecera = BlancoSiVacio(valores_.cabecera);
        c->ruta = BlancoSiVacio(valores_.ruta);
        c->autor = BlancoSiVacio(valores_.autor);
        c->titulo = BlancoSiVacio(valores_.titulo);
        c->extension = BlancoSiVacio(valores_.extension);
        c->longitud = valores_.longitud;
    }
    void show(std::ostream& salida) const override {
        salida << "GuardarCancion #" << id_ << " " << Mostrar(valores_.cabecera) << " "
               << Mostrar(valores_.ruta) << " " << Mostrar(valores_.autor) << " " << Mostrar(valores_.titulo)
               << " " << Mostrar(valores_.extension) << " " << valores_.longitud;
        MostrarFallo(salida);
    }

protected:
    // The song window's fields, saved as the window saves them.
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        catalogo::ValoresCancion guardados = valores_;
        for (QString* campo : {&guardados.cabecera, &guardados.ruta, &guardados.autor, &guardados.titulo,
                               &guardados.extension})
            *campo = catalogo::TextoGuardado(*campo);
        const bool guardada = catalogo::GuardarCancion(s.Base(), s.Fila(id_), guardados);
        if (comprobar)
            RC_ASSERT(guardada == (antes.Cancion(id_) != nullptr));
        return {};
    }

private:
    qint64 id_;
    catalogo::ValoresCancion valores_;
};

class GuardarLote : public OrdenCatalogo {
public:
    explicit GuardarLote(const Modelo& modelo) : ruta_(RutaGenerada(modelo)) {
        for (std::optional<QString>* campo :
             {&campos_.cabecera, &campos_.ruta, &campos_.autor, &campos_.titulo, &campos_.extension})
            if (*rc::gen::inRange(0, 3) == 0)
                *campo = *rc::gen::inRange(0, 4) == 0 ? QStringLiteral("  ") : TextoNoBlanco();
        if (*rc::gen::inRange(0, 3) == 0)
            campos_.longitud = *rc::gen::elementOf(std::vector<int>{0, 7, 1000});
    }
    void apply(Modelo& modelo) const override {
        for (CancionModelo& c : modelo.canciones) {
            if (!EnRuta(c, ruta_))
                continue;
            auto poner = [](Texto& destino, const std::optional<QString>& valor) {
                if (valor)
                    destino = *valor;
            };
            poner(c.cabecera, campos_.cabecera);
            poner(c.ruta, campos_.ruta);
            poner(c.autor, campos_.autor);
            poner(c.titulo, campos_.titulo);
            poner(c.extension, campos_.extension);
            if (campos_.longitud)
                c.longitud = *campos_.longitud;
        }
    }
    void show(std::ostream& salida) const override {
        auto campo = [](const std::optional<QString>& valor) {
            return valor ? Mostrar(*valor) : std::string("-");
        };
        salida << "GuardarLote " << Mostrar(ruta_.cabecera) << " " << Mostrar(ruta_.ruta) << " :"
               << campo(campos_.cabecera) << " " << campo(campos_.ruta) << " " << campo(campos_.autor) << " "
               << campo(campos_.titulo) << " " << campo(campos_.extension) << " "
               << (campos_.longitud ? std::to_string(*campos_.longitud) : std::string("-"));
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        const int escritas = catalogo::GuardarLote(s.Base(), ruta_, campos_);
        const bool algunCampo =
            campos_.CambiaRama() || campos_.autor || campos_.titulo || campos_.extension || campos_.longitud;
        if (comprobar)
            RC_ASSERT(escritas == (algunCampo ? std::count_if(antes.canciones.begin(), antes.canciones.end(),
                                                              [&](const auto& c) { return EnRuta(c, ruta_); })
                                              : 0));
        return {};
    }

private:
    catalogo::Ruta ruta_;
    catalogo::CamposLote campos_;
};

class ReordenarRuta : public OrdenCatalogo {
public:
    explicit ReordenarRuta(const Modelo& modelo) : ruta_(RutaGenerada(modelo)) {
        clave_ = *rc::gen::inRange(0, 4);
        ascendente_ = *rc::gen::arbitrary<bool>();
    }
    void apply(Modelo& modelo) const override {
        ::Reordenar(modelo, ruta_.cabecera, ruta_.ruta, Clave(clave_), ascendente_);
    }
    void show(std::ostream& salida) const override {
        salida << "ReordenarRuta " << Mostrar(ruta_.cabecera) << " " << Mostrar(ruta_.ruta) << " clave "
               << clave_ << (ascendente_ ? " ascendente" : " descendente");
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        const int renumeradas = catalogo::ReordenarRuta(s.Base(), ruta_, catalogo::CampoOrden(clave_),
                                                        ascendente_ ? catalogo::Sentido::Ascendente
                                                                    : catalogo::Sentido::Descendente);
        if (comprobar)
            RC_ASSERT(renumeradas == std::count_if(antes.canciones.begin(), antes.canciones.end(),
                                                   [&](const auto& c) { return EnRuta(c, ruta_); }));
        return {};
    }

private:
    catalogo::Ruta ruta_;
    int clave_ = 0;
    bool ascendente_ = true;
};

// --- Lyrics.

// A song without a lyric is given a new number (a double-click on it).
class AsignarLetra : public OrdenCatalogo {
public:
    explicit AsignarLetra(const Modelo& modelo) : id_(IdentidadGenerada(modelo, Preferencia::SinLetra)) {}
    void apply(Modelo& modelo) const override {
        CancionModelo* c = modelo.Cancion(id_);
        if (c && c->idx.value_or(0) == 0)
            c->idx = NumeroLetraNueva(modelo);
    }
    void show(std::ostream& salida) const override {
        salida << "AsignarLetra #" << id_;
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        const catalogo::LetraAsignada asignada = catalogo::AsignarLetra(s.Base(), s.Fila(id_));
        if (comprobar) {
            const CancionModelo* c = antes.Cancion(id_);
            RC_ASSERT(asignada.hallada == (c != nullptr));
            if (c) {
                const bool nueva = c->idx.value_or(0) == 0;
                RC_ASSERT(asignada.nueva == nueva);
                RC_ASSERT(asignada.idx == (nueva ? NumeroLetraNueva(antes) : *c->idx));
            }
        }
        return {};
    }

private:
    qint64 id_;
};

// The song window of a new lyric creates its row.
class CrearLetra : public OrdenCatalogo {
public:
    explicit CrearLetra(const Modelo& modelo) : numero_(NumeroGenerado(modelo)) {}
    void apply(Modelo& modelo) const override { modelo.letras.try_emplace(numero_, std::nullopt); }
    void show(std::ostream& salida) const override {
        salida << "CrearLetra " << numero_;
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo&, bool) const override {
        catalogo::CrearLetra(s.Base(), int(numero_));
        return {};
    }

private:
    qint64 numero_;
};

class GuardarLetra : public OrdenCatalogo {
public:
    explicit GuardarLetra(const Modelo& modelo) : numero_(NumeroGenerado(modelo)) {
        const int lineas = *rc::gen::inRange(0, 3);
        for (int i = 0; i < lineas; ++i)
            texto_ += (i > 0 ? catalogo::SaltoLinea : QString()) + TextoGenerado(0, 4);
    }
    void apply(Modelo& modelo) const override {
        if (modelo.Nombrada(numero_))
            modelo.letras[numero_] = texto_;
    }
    void show(std::ostream& salida) const override {
        salida << "GuardarLetra " << numero_ << " " << Mostrar(texto_);
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        const catalogo::Guardado guardado = catalogo::GuardarLetra(s.Base(), int(numero_), texto_);
        if (comprobar)
            RC_ASSERT((guardado == catalogo::Guardado::Guardada) == antes.Nombrada(numero_));
        return {};
    }

private:
    qint64 numero_;
    QString texto_;
};

class BorrarLetra : public OrdenCatalogo {
public:
    explicit BorrarLetra(const Modelo& modelo) : numero_(NumeroGenerado(modelo)) {}
    void apply(Modelo& modelo) const override {
        modelo.letras.erase(numero_);
        for (CancionModelo& c : modelo.canciones)
            if (c.idx == numero_)
                c.idx = 0;
    }
    void show(std::ostream& salida) const override {
        salida << "BorrarLetra " << numero_;
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo&, bool) const override {
        catalogo::BorrarLetra(s.Base(), int(numero_));
        return {};
    }

private:
    qint64 numero_;
};

// --- Export and import.

class ExportarImportar : public OrdenCatalogo {
public:
    // Passwords none of whose characters raises a code by 1: the coding would turn a tab into a line
    // feed, and the export refuses a field that would break its record.
    ExportarImportar() {
        if (*rc::gen::arbitrary<bool>())
            clave_ =
                *rc::gen::elementOf(std::vector<QString>{QStringLiteral("clav"), QStringLiteral("Ñu#7")});
    }
    void apply(Modelo& modelo) const override {
        std::vector<CancionModelo> copias = OrdenExportacion(modelo);
        for (CancionModelo& c : copias)
            c.idx = 0;
        modelo.Anadir(copias);
    }
    void show(std::ostream& salida) const override {
        salida << "ExportarImportar" << (clave_ ? " con clave " + Mostrar(*clave_) : std::string());
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        const QString fichero = s.Carpeta() + QStringLiteral("/canciones.txt");
        ProgresoUtilidad progreso;
        const ResultadoTransferencia exportadas =
            ExportarCanciones(s.Base(), fichero, QStringLiteral("modelo"), clave_, progreso);
        const ResultadoTransferencia importadas = ImportarCanciones(s.Base(), fichero, clave_, progreso);
        if (comprobar) {
            RC_ASSERT(exportadas.canciones == qint64(antes.canciones.size()));
            RC_ASSERT(importadas.canciones == exportadas.canciones);
        }
        return {};
    }

private:
    std::optional<QString> clave_;
};

// A file written by another copy of the program, with fields left without value (an empty line).
class ImportarFichero : public OrdenCatalogo {
public:
    ImportarFichero() {
        const int n = *rc::gen::inRange(1, 4);
        auto textoONulo = [] { return *rc::gen::inRange(0, 4) == 0 ? Texto() : Texto(TextoGenerado(1, 2)); };
        // A header or path left empty: a Null route, as the check groups it and no tree command reaches.
        auto rutaONula = [] { return *rc::gen::inRange(0, 5) == 0 ? Texto() : Texto(TextoNoBlanco()); };
        auto numeroONulo = [] {
            return *rc::gen::inRange(0, 4) == 0 ? Numero() : Numero(*rc::gen::inRange(0, 4));
        };
        for (int i = 0; i < n; ++i)
            canciones_.push_back({0, rutaONula(), rutaONula(), textoONulo(), textoONulo(), textoONulo(),
                                  numeroONulo(), 0, numeroONulo()});
    }
    void apply(Modelo& modelo) const override { modelo.Anadir(canciones_); }
    void show(std::ostream& salida) const override {
        salida << "ImportarFichero";
        for (const CancionModelo& c : canciones_)
            salida << " {" << c << "}";
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo&, bool comprobar) const override {
        const QString fichero = s.Carpeta() + QStringLiteral("/ajeno.txt");
        QByteArray bytes = "\xEF\xBB\xBF";
        auto linea = [&](const QString& texto) { bytes += texto.toUtf8() + "\r\n"; };
        auto numero = [&](const Numero& n) { linea(n ? QStringLiteral(" %1 ").arg(*n) : QString()); };
        linea(QString(70, u'-'));
        linea(QStringLiteral(" Base de Datos del otro   -   NO MODIFICAR ESTE FICHERO!!!"));
        linea(QString(70, u'-'));
        numero(qint64(canciones_.size()));
        for (const CancionModelo& c : canciones_) {
            for (const Texto& t : {c.cabecera, c.ruta, c.autor, c.titulo, c.extension})
                linea(t.value_or(QString()));
            numero(c.longitud);
            numero(c.relPos);
        }
        QFile salida(fichero);
        RC_ASSERT(salida.open(QIODevice::WriteOnly));
        salida.write(bytes);
        salida.close();
        ProgresoUtilidad progreso;
        const ResultadoTransferencia importadas =
            ImportarCanciones(s.Base(), fichero, std::nullopt, progreso);
        if (comprobar)
            RC_ASSERT(importadas.canciones == qint64(canciones_.size()));
        return {};
    }

private:
    std::vector<CancionModelo> canciones_;
};

// --- Faults written by another program, and the integrity check.

class SembrarFallo : public OrdenCatalogo {
public:
    explicit SembrarFallo(const Modelo& modelo) : id_(IdentidadGenerada(modelo)) {
        clase_ = *rc::gen::inRange(0, 5);
        posicion_ = *rc::gen::elementOf(std::vector<Numero>{std::nullopt, 0, 1, 2});
        std::vector<qint64> letras;
        for (const auto& [numero, texto] : modelo.letras)
            letras.push_back(numero);
        compartida_ = letras.empty() ? NumeroLetraNueva(modelo) : *rc::gen::elementOf(letras);
    }
    void apply(Modelo& modelo) const override {
        CancionModelo* c = modelo.Cancion(id_);
        switch (clase_) {
        case 0:
            if (c)
                c->idx = std::nullopt;
            break;
        case 1:
            if (c)
                c->relPos = posicion_;
            break;
        case 2:
            modelo.letras[NumeroLetraNueva(modelo)] = QStringLiteral("huérfana");
            break;
        case 3:
            if (c)
                c->idx = NumeroLetraNueva(modelo);
            break;
        case 4:
            if (c)
                c->idx = compartida_;
            break;
        }
    }
    void show(std::ostream& salida) const override {
        const char* clases[] = {"letra nula", "posición", "letra huérfana", "letra inexistente",
                                "letra compartida"};
        salida << "SembrarFallo " << clases[clase_] << " #" << id_ << " posición "
               << (posicion_ ? std::to_string(*posicion_) : std::string("Null")) << " letra " << compartida_;
    }

protected:
    bool Inyectable() const override { return false; }
    Resultado Realizar(Sistema& s, const Modelo& antes, bool) const override {
        const qint64 fila = s.Fila(id_);
        switch (clase_) {
        case 0:
            s.Escribir(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = NULL WHERE rowid = %1").arg(fila));
            break;
        case 1:
            s.Escribir(QStringLiteral("UPDATE CANCIONES SET REL_POS = %1 WHERE rowid = %2")
                           .arg(posicion_ ? QString::number(*posicion_) : QStringLiteral("NULL"))
                           .arg(fila));
            break;
        case 2:
            s.Escribir(QStringLiteral("INSERT INTO LETRAS (IDX_CANCION, LYRICS) VALUES (%1, 'huérfana')")
                           .arg(NumeroLetraNueva(antes)));
            break;
        case 3:
            s.Escribir(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = %1 WHERE rowid = %2")
                           .arg(NumeroLetraNueva(antes))
                           .arg(fila));
            break;
        case 4:
            s.Escribir(QStringLiteral("UPDATE CANCIONES SET IDX_CANCION = %1 WHERE rowid = %2")
                           .arg(compartida_)
                           .arg(fila));
            break;
        }
        return {};
    }

private:
    qint64 id_;
    int clase_ = 0;
    Numero posicion_;
    qint64 compartida_ = 0;
};

class Seguimiento : public SeguimientoComprobacion {
public:
    explicit Seguimiento(const std::array<bool, 4>& respuestas) : respuestas_(respuestas) {}
    void Empezar(int, bool) override {}
    void Comprobado(int) override {}
    void Resultado(int k, ResultadoComprobacion resultado) override { resultados[k] = resultado; }
    bool Reparar(int k) override { return respuestas_[k]; }
    void FalloReparacion(int k, const QString&) override { fallida = k; }
    void SigueElFallo(int k) override { sigue = k; }

    std::array<ResultadoComprobacion, 4> resultados{};
    int fallida = -1;
    int sigue = -1;

private:
    std::array<bool, 4> respuestas_;
};

class ComprobarReparar : public OrdenCatalogo {
public:
    ComprobarReparar() {
        for (bool& r : respuestas_)
            r = *rc::gen::inRange(0, 4) != 0;
    }
    void apply(Modelo& modelo) const override { Esperado(modelo, -1); }
    void show(std::ostream& salida) const override {
        salida << "ComprobarErrores respuestas";
        for (bool r : respuestas_)
            salida << (r ? " sí" : " no");
        MostrarFallo(salida);
    }

protected:
    Resultado Realizar(Sistema& s, const Modelo& antes, bool comprobar) const override {
        Seguimiento seguimiento(respuestas_);
        const int pendientes = ComprobarErrores(s.Base(), seguimiento);
        if (comprobar) {
            Modelo despues = antes;
            const std::array<ResultadoComprobacion, 4> esperados = Esperado(despues, -1);
            RC_ASSERT(seguimiento.resultados == esperados);
            RC_ASSERT(pendientes ==
                      std::count(esperados.begin(), esperados.end(), ResultadoComprobacion::Error));
            RC_ASSERT(seguimiento.fallida == -1);
            RC_ASSERT(seguimiento.sigue == -1);
        }
        return {0, {}, seguimiento.fallida};
    }

    // Each repair is a transaction of its own: the one that failed changed nothing, the others were
    // made. Given again, the command repairs what is left.
    bool TrasFallo(Sistema& s, const Modelo& antes, const Resultado& resultado) const override {
        Modelo esperado = antes;
        Esperado(esperado, resultado.reparacionFallida);
        s.Comparar(esperado);
        Seguimiento seguimiento(respuestas_);
        ComprobarErrores(s.Base(), seguimiento);
        Modelo despues = antes;
        apply(despues);
        s.Comparar(despues);
        return true;
    }

private:
    std::array<ResultadoComprobacion, 4> Esperado(Modelo& modelo, int fallida) const {
        std::array<ResultadoComprobacion, 4> resultados{};
        for (int k = 0; k < 4; ++k) {
            if (!Fallos(modelo)[k]) {
                resultados[k] = ResultadoComprobacion::Correcto;
            } else if (respuestas_[k] && k != fallida) {
                Reparar(modelo, k);
                resultados[k] = ResultadoComprobacion::Corregido;
            } else {
                resultados[k] = ResultadoComprobacion::Error;
            }
        }
        return resultados;
    }
    std::array<bool, 4> respuestas_{};
};

template <typename O>
std::pair<std::size_t, rc::Gen<std::shared_ptr<const Orden>>> Peso(std::size_t peso, const Modelo& modelo) {
    return {peso, rc::state::gen::execOneOfWithArgs<O>()(modelo)};
}

} // namespace

// Adding and giving lyrics more often than emptying everything, so that sequences reach catalogues
// with shared lyrics, routes added twice and sub-routes.
rc::Gen<std::shared_ptr<const Orden>> OrdenAleatoria(const Modelo& modelo) {
    return rc::gen::weightedOneOf<std::shared_ptr<const Orden>>({
        Peso<AnadirCarpeta>(6, modelo),
        Peso<EliminarSeleccion>(3, modelo),
        Peso<EliminarRama>(3, modelo),
        Peso<EliminarTodo>(1, modelo),
        Peso<GuardarUna>(3, modelo),
        Peso<GuardarLote>(3, modelo),
        Peso<ReordenarRuta>(3, modelo),
        Peso<AsignarLetra>(5, modelo),
        Peso<CrearLetra>(2, modelo),
        Peso<GuardarLetra>(5, modelo),
        Peso<BorrarLetra>(2, modelo),
        Peso<ExportarImportar>(2, modelo),
        Peso<ImportarFichero>(2, modelo),
        Peso<SembrarFallo>(3, modelo),
        Peso<ComprobarReparar>(3, modelo),
    });
}
