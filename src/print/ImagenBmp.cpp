#include "print/ImagenBmp.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace m817 {
namespace {

std::uint32_t U32(std::string_view b, std::size_t p) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[p])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[p + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[p + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[p + 3])) << 24;
}

std::uint16_t U16(std::string_view b, std::size_t p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[p]) | static_cast<unsigned char>(b[p + 1])
                                                                             << 8);
}

// Pixels per metre as the whole dots per inch printers work in (23622 -> 600).
int PulgadasDeMetros(std::int32_t porMetro) {
    return porMetro > 0 ? static_cast<int>(std::lround(porMetro * 0.0254)) : 0;
}

} // namespace

std::optional<TamañoBmp> LeerTamañoBmp(std::string_view b) {
    constexpr std::size_t kCabeceraArchivo = 14;
    if (b.size() < kCabeceraArchivo + 12 || b.substr(0, 2) != "BM") return std::nullopt;
    const std::uint32_t tamañoCabecera = U32(b, kCabeceraArchivo);
    TamañoBmp t;
    if (tamañoCabecera == 12) { // the oldest header: 16-bit sizes, no resolution
        t.ancho = U16(b, 18);
        t.alto = U16(b, 20);
    } else if (tamañoCabecera >= 40 && b.size() >= kCabeceraArchivo + 40) {
        t.ancho = static_cast<std::int32_t>(U32(b, 18));
        t.alto = std::abs(static_cast<std::int32_t>(U32(b, 22))); // negative: rows stored top down
        t.resoluciónX = PulgadasDeMetros(static_cast<std::int32_t>(U32(b, 38)));
        t.resoluciónY = PulgadasDeMetros(static_cast<std::int32_t>(U32(b, 42)));
    } else {
        return std::nullopt;
    }
    if (t.ancho <= 0 || t.alto <= 0) return std::nullopt;
    return t;
}

double TwipsDePíxeles(int píxeles, int resolución) {
    constexpr int kPantalla = 96;
    return píxeles * 1440.0 / (resolución > 0 ? resolución : kPantalla);
}

} // namespace m817
