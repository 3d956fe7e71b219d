#include "maintenance/InterpretacionNombre.h"
#include "store/Globales.h"

#include <gtest/gtest.h>

using namespace Globales;

namespace {

QString T(const char* texto) {
    return QString::fromUtf8(texto);
}

struct CasoSeparar {
    const char* nombre;
    const char* separador;
    const char* primera;
    const char* segunda;
    const char* extension;
};

TEST(SepararNombre, PartesYExtension) {
    const CasoSeparar casos[] = {
        {"Autor -- Titulo.mp3", "--", "Autor", "Titulo", "mp3"},
        // Only the first separator splits.
        {"Autor - Titulo - Live.mp3", "-", "Autor", "Titulo - Live", "mp3"},
        {"Titulo.mp3", "--", "Titulo", "", "mp3"},
        {"Sin extension -- X", "--", "Sin extension", "X", ""},
        {".mp3", "--", "", "", "mp3"},
        {"Autor -- .mp3", "--", "Autor", "", "mp3"},
        {"a BY b.mp3", "by", "a", "b", "mp3"},
        // Only the last dot starts the extension.
        {"A.B -- C.mp3", "--", "A.B", "C", "mp3"},
        {"Autor -- Titulo.", "--", "Autor", "Titulo", ""},
        {"  Autor --Titulo  .Mp3", "--", "Autor", "Titulo", "Mp3"},
        // No dot: the whole name is the working text; the parts are still trimmed.
        {"  Sin punto  ", "--", "Sin punto", "", ""},
        {"-- Titulo.ogg", "--", "", "Titulo", "ogg"},
        {"Autor --.ogg", "--", "Autor", "", "ogg"},
        // An empty separator: empty first part, the whole name without extension second.
        {"Autor -- Titulo.mp3", "", "", "Autor -- Titulo", "mp3"},
        {"X.mp3", "", "", "X", "mp3"},
        {"", "--", "", "", ""},
        // Only spaces are trimmed.
        {"\tAutor -- Titulo\t.mp3", "--", "\tAutor", "Titulo\t", "mp3"},
        // A song-list line extended by ".npi": a dot in the title stays in it.
        {"Autor -- Titulo 2.0.npi", "--", "Autor", "Titulo 2.0", "npi"},
    };
    for (const auto& caso : casos) {
        const PartesNombre partes = SepararNombre(T(caso.nombre), T(caso.separador));
        EXPECT_EQ(partes.primera, T(caso.primera)) << caso.nombre << " / " << caso.separador;
        EXPECT_EQ(partes.segunda, T(caso.segunda)) << caso.nombre << " / " << caso.separador;
        EXPECT_EQ(partes.extension, T(caso.extension)) << caso.nombre << " / " << caso.separador;
    }
}

TEST(QuitarDigitos, SoloLasCifrasDelPrincipio) {
    const std::pair<const char*, const char*> casos[] = {
        {"123abc", "abc"}, {"07 - Sol 2", "- Sol 2"}, {"Sol", "Sol"}, {"", ""}, {"42", ""}, {" 1x", "1x"},
    };
    for (const auto& [texto, resultado] : casos)
        EXPECT_EQ(QuitarDigitos(T(texto)), T(resultado)) << texto;
}

struct CasoNumeracion {
    const char* nombre;
    const char* formato;
    const char* resultado;
};

TEST(QuitarNumeracion, SigueElFormatoOdevuelveElNombre) {
    const CasoNumeracion casos[] = {
        {"05 - Sol", "01 -", "Sol"},
        {"05-Sol", "01 -", "Sol"},
        {"5 -Sol", "01 -", "Sol"},
        {"123 - Sol", "01 -", "Sol"},
        {"07.- Sol", "01.-", "Sol"},
        {"07 Sol", "01.-", "07 Sol"},
        {"Sol", "01", "Sol"},
        {"123abc", "01", "abc"},
        {"123", "01", "123"},
        // Follows the format with nothing after the number: returned whole.
        {"05 -", "01 -", "05 -"},
        {"05 - ", "01 -", "05 - "},
        // Does not follow the format: returned whole, trimmed.
        {"Sol", "01 -", "Sol"},
        {"  05 Sol  ", "01 -", "05 Sol"},
        // Letters of the format are compared ignoring case.
        {"Pista 3 Sol", "pISTA 1", "Sol"},
        {"Sol", "", "Sol"},
        {"", "01 -", ""},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(QuitarNumeracion(T(caso.nombre), T(caso.formato)), T(caso.resultado))
            << caso.nombre << " / " << caso.formato;
}

struct CasoInterpretar {
    const char* fichero;
    OpcionesNombre opciones;
    const char* autor;
    const char* titulo;
    const char* extension;
};

OpcionesNombre Opciones(const char* separador, bool quitarNumeros, const char* formato, bool underscore,
                        bool primeroAutor) {
    return {T(separador), quitarNumeros, T(formato), underscore, primeroAutor};
}

TEST(InterpretarNombre, AutorTituloYExtensionDelNombre) {
    const CasoInterpretar casos[] = {
        // Separator "--", number "01 -", both options ticked, author first.
        {"03 - Mi_Grupo -- Mi_Cancion.mp3", Opciones("--", true, "01 -", true, true), "Mi Grupo",
         "Mi Cancion", "mp3"},
        {"03 - Mi_Grupo -- Mi_Cancion.mp3", Opciones("--", false, "01 -", false, true), "03 - Mi_Grupo",
         "Mi_Cancion", "mp3"},
        {"Mi_Cancion -- Mi_Grupo.mp3", Opciones("--", false, "01", true, false), "Mi Grupo", "Mi Cancion",
         "mp3"},
        // The number is removed from the first part only.
        {"Autor -- 07 Titulo.mp3", Opciones("--", true, "01", false, true), "Autor", "07 Titulo", "mp3"},
        // With "-" as separator the number pattern is split off before it can be removed.
        {"01 - A - B.mp3", Opciones("-", true, "01 -", false, true), "01", "A - B", "mp3"},
        // The extension is never converted.
        {"a_b -- c_d.m_p3", Opciones("--", false, "01", true, true), "a b", "c d", "m_p3"},
        // Left for the writer to trim: a trailing blank made from an underscore.
        {"My_Song_.mp3", Opciones("--", false, "01", true, true), "My Song ", "", "mp3"},
        {"Solo titulo", Opciones("--", false, "01", false, false), "", "Solo titulo", ""},
    };
    for (const auto& caso : casos) {
        const NombreInterpretado nombre = InterpretarNombre(T(caso.fichero), caso.opciones);
        EXPECT_EQ(nombre.autor, T(caso.autor)) << caso.fichero;
        EXPECT_EQ(nombre.titulo, T(caso.titulo)) << caso.fichero;
        EXPECT_EQ(nombre.extension, T(caso.extension)) << caso.fichero;
    }
}

} // namespace
