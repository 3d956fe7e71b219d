// The statements the simple and advanced queries build, and the criteria the status bar shows.

#include "queries/SentenciasConsulta.h"
#include "queries/ColumnasConsulta.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Consultas;

namespace {
const QString Base = QStringLiteral("SELECT * FROM CANCIONES");
}

TEST(SentenciaSimple, CadaCampoUsadoContieneSuTextoYTodosSeUnenPorLaMismaPalabra) {
    struct Caso {
        TextosCampos textos;
        QString union_;
        QString sentencia;
        TextosCampos criterios;
    };
    const Caso casos[] = {
        {{}, "AND", Base, {}},
        {{"", "", "", "love", ""}, "AND", Base + " WHERE TITULO LIKE '*love*'", {"", "", "", "love", ""}},
        {{"", "", "a", "t", ""},
         "OR",
         Base + " WHERE AUTOR LIKE '*a*' OR TITULO LIKE '*t*'",
         {"", "", "a", "t", ""}},
        {{"Rock", "\\A\\", "", "", "mp3"},
         "AND",
         Base + " WHERE CABECERA LIKE '*Rock*' AND RUTA LIKE '*\\A\\*' AND EXTENSION LIKE '*mp3*'",
         {"Rock", "\\A\\", "", "", "mp3"}},
        // The status bar keeps the text as typed; the pattern cannot end its quoted literal early.
        {{"", "", "O'Brien", "#1", ""},
         "AND",
         Base + " WHERE AUTOR LIKE '*O?Brien*' AND TITULO LIKE '*?1*'",
         {"", "", "O'Brien", "#1", ""}},
    };
    for (const Caso& caso : casos) {
        const SentenciaConstruida s = SentenciaSimple(caso.textos, caso.union_);
        EXPECT_EQ(s.sentencia, caso.sentencia);
        EXPECT_EQ(s.criterios, caso.criterios) << caso.sentencia.toStdString();
        EXPECT_FALSE(s.filtroInteligente);
    }
}

TEST(SentenciaAvanzada, ModosUnionesYFiltroDeLetras) {
    struct Caso {
        const char* nombre;
        ConsultaAvanzada consulta;
        QString sentencia;
        TextosCampos criterios;
        bool filtroInteligente;
    };
    auto con = [](std::initializer_list<std::pair<int, CriterioAvanzado>> campos, bool filtro = false,
                  QString letras = "---", bool letrasConAnd = true) {
        ConsultaAvanzada c;
        for (const auto& [campo, criterio] : campos)
            c.campos[campo] = criterio;
        c.filtroLetrasUsado = filtro;
        c.filtroLetras = letras;
        c.letrasConAnd = letrasConAnd;
        return c;
    };
    const Caso casos[] = {
        {"nada", con({}, true), Base, {}, false},
        {"contiene",
         con({{Titulo, {"t", true, true}}}),
         Base + " WHERE TITULO LIKE '*t*'",
         {"", "", "", "*t*", ""},
         false},
        {"exacto y OR",
         con({{Autor, {"text", false, true}}, {Titulo, {"t", true, false}}}),
         Base + " WHERE AUTOR LIKE 'text' OR TITULO LIKE '*t*'",
         {"", "", "text", "*t*", ""},
         false},
        // The join beside the first criterion is never consulted.
        {"primera unión ignorada",
         con({{Cabecera, {"c", true, false}}, {Autor, {"a", true, true}}}),
         Base + " WHERE CABECERA LIKE '*c*' AND AUTOR LIKE '*a*'",
         {"*c*", "", "*a*", "", ""},
         false},
        {"apóstrofo y almohadilla",
         con({{Titulo, {"Don't #9", true, true}}}),
         Base + " WHERE TITULO LIKE '*Don?t ?9*'",
         {"", "", "", "*Don't #9*", ""},
         false},
        {"solo SI", con({}, true, "SI"), Base + " WHERE IDX_CANCION <> 0", {}, false},
        {"NO tras un campo con OR",
         con({{Autor, {"a", true, true}}}, true, "NO", false),
         Base + " WHERE AUTOR LIKE '*a*' OR IDX_CANCION = 0",
         {"", "", "*a*", "", ""},
         false},
        {"?",
         con({}, true, "?"),
         Base +
             " WHERE IDX_CANCION = 0 AND TITULO IN ( SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0 )",
         {},
         true},
        // A word other than the four is taken like "?".
        {"otra palabra",
         con({}, true, "si"),
         Base +
             " WHERE IDX_CANCION = 0 AND TITULO IN ( SELECT TITULO FROM CANCIONES WHERE IDX_CANCION <> 0 )",
         {},
         true},
        {"filtro sin la columna de letras", con({}, false, "SI"), Base, {}, false},
    };
    for (const Caso& caso : casos) {
        const SentenciaConstruida s = SentenciaAvanzada(caso.consulta);
        EXPECT_EQ(s.sentencia, caso.sentencia) << caso.nombre;
        EXPECT_EQ(s.criterios, caso.criterios) << caso.nombre;
        EXPECT_EQ(s.filtroInteligente, caso.filtroInteligente) << caso.nombre;
    }
}

TEST(ColumnasConsulta, LaPrimeraColumnaMostradaSeAlineaALaIzquierda) {
    auto mostradas = [](std::initializer_list<Columna> columnas) {
        ColumnasVistas vistas{};
        for (Columna c : columnas)
            vistas[static_cast<int>(c)] = true;
        QStringList textos;
        for (const DefinicionColumna& d : ColumnasMostradas(vistas))
            textos << d.clave + (d.alineacion == Qt::AlignLeft    ? "<"
                                 : d.alineacion == Qt::AlignRight ? ">"
                                                                  : "=");
        return textos.join(' ');
    };
    EXPECT_EQ(mostradas({Columna::Letras, Columna::Longitud, Columna::Titulo}),
              "LV-TITULO< LV-LONGITUD> LV-LETRAS=");
    EXPECT_EQ(mostradas({Columna::Longitud, Columna::Letras}), "LV-LONGITUD< LV-LETRAS=");
    EXPECT_EQ(mostradas({Columna::Letras}), "LV-LETRAS<");
}
