#pragma once
// Positions and sizes are computed in twips, 15 to a pixel, and converted at the widget boundary.

constexpr int TwipsPorPixel = 15;
constexpr int Twips(int pixeles) {
    return pixeles * TwipsPorPixel;
}
constexpr int Pixeles(int twips) {
    return twips / TwipsPorPixel;
}
