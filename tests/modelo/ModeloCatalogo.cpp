#include "ModeloCatalogo.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace {

// Letter case aside (secondary strength), canonical equivalents alike.
UCollator* Comparador() {
    static UCollator* comparador = [] {
        UErrorCode estado = U_ZERO_ERROR;
        UCollator* c = ucol_open("en_US", &estado);
        ucol_setStrength(c, UCOL_SECONDARY);
        ucol_setAttribute(c, UCOL_NORMALIZATION_MODE, UCOL_ON, &estado);
        if (U_FAILURE(estado))
            throw std::runtime_error("ICU");
        return c;
    }();
    return comparador;
}

int CompararNumeros(const Numero& a, const Numero& b) {
    if (!a || !b)
        return int(bool(a)) - int(bool(b));
    return *a < *b ? -1 : (*a > *b ? 1 : 0);
}

bool EnRuta(const CancionModelo& c, const Texto& cabecera, const Texto& ruta) {
    return Igual(c.cabecera, cabecera) && Igual(c.ruta, ruta);
}

} // namespace

const CancionModelo* Modelo::Cancion(qint64 id) const {
    for (const CancionModelo& c : canciones)
        if (c.id == id)
            return &c;
    return nullptr;
}

CancionModelo* Modelo::Cancion(qint64 id) {
    return const_cast<CancionModelo*>(std::as_const(*this).Cancion(id));
}

void Modelo::Anadir(std::vector<CancionModelo> nuevas) {
    for (CancionModelo& c : nuevas) {
        c.id = siguienteId++;
        canciones.push_back(std::move(c));
    }
}

bool Modelo::Nombrada(qint64 numero) const {
    return std::any_of(canciones.begin(), canciones.end(),
                       [&](const CancionModelo& c) { return c.idx == numero; });
}

int CompararTextos(const Texto& a, const Texto& b) {
    if (!a || !b)
        return int(bool(a)) - int(bool(b));
    UErrorCode estado = U_ZERO_ERROR;
    const UCollationResult r =
        ucol_strcoll(Comparador(), reinterpret_cast<const UChar*>(a->utf16()), int32_t(a->size()),
                     reinterpret_cast<const UChar*>(b->utf16()), int32_t(b->size()));
    (void)estado;
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

bool Igual(const Texto& a, const Texto& b) {
    return a && b && CompararTextos(a, b) == 0;
}

bool MismoGrupo(const Texto& a, const Texto& b) {
    return CompararTextos(a, b) == 0;
}

qint64 NumeroLetraNueva(const Modelo& modelo) {
    qint64 maximo = 0;
    for (const auto& [numero, texto] : modelo.letras)
        maximo = std::max(maximo, numero);
    for (const CancionModelo& c : modelo.canciones)
        if (c.idx)
            maximo = std::max(maximo, *c.idx);
    return maximo + 1;
}

void Reordenar(Modelo& modelo, const Texto& cabecera, const Texto& ruta, Clave clave, bool ascendente) {
    std::vector<CancionModelo*> canciones;
    for (CancionModelo& c : modelo.canciones)
        if (EnRuta(c, cabecera, ruta))
            canciones.push_back(&c);
    auto comparar = [clave](const CancionModelo* a, const CancionModelo* b) {
        const int autor = CompararTextos(a->autor, b->autor);
        const int titulo = CompararTextos(a->titulo, b->titulo);
        const int extension = CompararTextos(a->extension, b->extension);
        const int tamano = CompararNumeros(a->longitud, b->longitud);
        std::array<int, 4> orden{};
        switch (clave) {
        case Clave::Autor:
            orden = {autor, titulo, extension, tamano};
            break;
        case Clave::Titulo:
            orden = {titulo, autor, extension, tamano};
            break;
        case Clave::Extension:
            orden = {extension, autor, titulo, tamano};
            break;
        case Clave::Tamano:
            orden = {tamano, autor, titulo, extension};
            break;
        }
        for (int r : orden)
            if (r != 0)
                return r < 0;
        return a->id < b->id;
    };
    std::sort(canciones.begin(), canciones.end(), comparar);
    if (!ascendente)
        std::reverse(canciones.begin(), canciones.end());
    qint64 posicion = 1;
    for (CancionModelo* c : canciones)
        c->relPos = posicion++;
}

std::vector<CancionModelo> OrdenExportacion(const Modelo& modelo) {
    std::vector<CancionModelo> canciones = modelo.canciones;
    std::sort(canciones.begin(), canciones.end(), [](const CancionModelo& a, const CancionModelo& b) {
        for (int r : {CompararTextos(a.cabecera, b.cabecera), CompararTextos(a.ruta, b.ruta),
                      CompararNumeros(a.relPos, b.relPos)})
            if (r != 0)
                return r < 0;
        return a.id < b.id;
    });
    return canciones;
}

namespace {

// The songs of each route, a route being its header and path as the catalogue groups them.
std::vector<std::vector<CancionModelo*>> Rutas(Modelo& modelo) {
    std::vector<std::vector<CancionModelo*>> rutas;
    for (CancionModelo& c : modelo.canciones) {
        auto grupo = std::find_if(rutas.begin(), rutas.end(), [&](const auto& r) {
            return MismoGrupo(r.front()->cabecera, c.cabecera) && MismoGrupo(r.front()->ruta, c.ruta);
        });
        if (grupo == rutas.end())
            rutas.push_back({&c});
        else
            grupo->push_back(&c);
    }
    return rutas;
}

bool MalNumerada(const std::vector<CancionModelo*>& ruta) {
    std::multiset<qint64> posiciones;
    for (const CancionModelo* c : ruta) {
        if (!c->relPos || posiciones.count(*c->relPos))
            return true;
        posiciones.insert(*c->relPos);
    }
    return *posiciones.begin() == 0;
}

bool LetraSinCanciones(const Modelo& modelo, qint64 numero) {
    return numero == 0 || !modelo.Nombrada(numero);
}

bool ReferenciaRota(const Modelo& modelo, const CancionModelo& c) {
    return c.idx && *c.idx != 0 && !modelo.letras.count(*c.idx);
}

} // namespace

std::array<bool, 4> Fallos(const Modelo& modelo) {
    Modelo copia = modelo;
    std::array<bool, 4> fallos{};
    fallos[0] =
        std::any_of(modelo.canciones.begin(), modelo.canciones.end(), [](const auto& c) { return !c.idx; });
    const auto rutas = Rutas(copia);
    fallos[1] = std::any_of(rutas.begin(), rutas.end(), MalNumerada);
    fallos[2] = std::any_of(modelo.letras.begin(), modelo.letras.end(),
                            [&](const auto& letra) { return LetraSinCanciones(modelo, letra.first); });
    fallos[3] = std::any_of(modelo.canciones.begin(), modelo.canciones.end(),
                            [&](const auto& c) { return ReferenciaRota(modelo, c); });
    return fallos;
}

void Reparar(Modelo& modelo, int fallo) {
    switch (fallo) {
    case 0:
        for (CancionModelo& c : modelo.canciones)
            if (!c.idx)
                c.idx = 0;
        break;
    case 1:
        for (std::vector<CancionModelo*>& ruta : Rutas(modelo)) {
            if (!MalNumerada(ruta))
                continue;
            std::sort(ruta.begin(), ruta.end(), [](const CancionModelo* a, const CancionModelo* b) {
                for (int r : {CompararNumeros(a->relPos, b->relPos), CompararTextos(a->autor, b->autor),
                              CompararTextos(a->titulo, b->titulo)})
                    if (r != 0)
                        return r < 0;
                return a->id < b->id;
            });
            qint64 posicion = 1;
            for (CancionModelo* c : ruta)
                c->relPos = posicion++;
        }
        break;
    case 2:
        std::erase_if(modelo.letras,
                      [&](const auto& letra) { return LetraSinCanciones(modelo, letra.first); });
        break;
    case 3:
        for (CancionModelo& c : modelo.canciones)
            if (ReferenciaRota(modelo, c))
                c.idx = 0;
        break;
    }
}

std::ostream& operator<<(std::ostream& salida, const Texto& texto) {
    return salida << (texto ? "«" + texto->toStdString() + "»" : std::string("Null"));
}

std::ostream& operator<<(std::ostream& salida, const CancionModelo& c) {
    auto numero = [](const Numero& n) { return n ? std::to_string(*n) : std::string("Null"); };
    return salida << "#" << c.id << " " << c.cabecera << " " << c.ruta << " " << c.autor << " " << c.titulo
                  << " " << c.extension << " " << numero(c.longitud) << " idx " << numero(c.idx) << " pos "
                  << numero(c.relPos);
}
