#pragma once
// The size of a bitmap file as a report places it: pixels, and the resolution written in its
// header, which turns them into twips.
#include <optional>
#include <string_view>

namespace m817 {

struct TamañoBmp {
    int ancho = 0, alto = 0;              // pixels
    int resoluciónX = 0, resoluciónY = 0; // dots per inch, 0 when the header gives none
};

// Reads the header of a BMP file (any of the usual header versions); empty when the bytes are not one.
std::optional<TamañoBmp> LeerTamañoBmp(std::string_view bytes);

// The picture's size in twips: pixels / resolution; a bitmap that gives no resolution counts as
// 96 dots per inch, the screen's.
double TwipsDePíxeles(int píxeles, int resolución);

} // namespace m817
