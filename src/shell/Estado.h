#pragma once
// State shared by every window for the length of the run.

#include <QString>
#include <cstdint>

// Text style of lyrics; one record for the run, never saved.
struct EstiloTexto {
    QString NombreFuente = QStringLiteral("Arial");
    double TamanoFuente = 9;
    bool Negrita = false;
    bool Cursiva = false;
    bool Tachado = false;
    bool Subrayado = false;
    std::uint32_t ColorTexto = 0;        // red in the low byte, then green, then blue
    std::uint32_t ColorFondo = 12640511; // red 255, green 224, blue 192
    std::uint8_t Justificacion = 0;      // 0 left, 1 right, 2 centred
};

namespace Estado {

// Left and top edge shared by the three main windows, in twips.
inline int VentanaIzda = 0;
inline int VentanaArriba = 0;
// "Cantorio v1.2." followed by the revision number.
inline QString VersionPrograma;
inline EstiloTexto EstiloLetras;

} // namespace Estado
