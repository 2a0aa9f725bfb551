#pragma once
// The bar-code library: the point-cloud symbol (PDF417) of an official copy and
// the bar code of its receipt number, each written as a bitmap file.
#include <filesystem>
#include <stdexcept>
#include <string>

namespace m817 {

// Result codes of CREARPDF and CREARBARRA.
namespace código_barras {
inline constexpr int kCorrecto = 0;
// Invalid argument: columns outside 1..30, reserved value not 0, empty content,
// resolution above kResoluciónMáxima, a receipt number that is not 13 digits.
inline constexpr int kArgumentoNoVálido = 1;
// The bitmap file could not be written.
inline constexpr int kErrorArchivo = 2;
// The image could not be allocated.
inline constexpr int kSinMemoria = 3;
// The printer draws too coarsely for a symbol that scans reliably (below kResoluciónMínima).
inline constexpr int kResoluciónInsuficiente = 6;
// The encoder refused the content: kErrorCodificación plus the encoder's own code (e.g. 105 too long).
inline constexpr int kErrorCodificación = 100;

inline constexpr int kResoluciónMínima = 300;
inline constexpr int kResoluciónMáxima = 4800;
} // namespace código_barras

// Thrown by an implementation when its library cannot be called at all (missing,
// fails to load). what() is the system's description of the cause, in Windows-1252.
class BibliotecaNoDisponible : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ServicioCódigosBarras {
public:
    virtual ~ServicioCódigosBarras() = default;

    // Writes at `ruta` a bitmap of the PDF417 symbol of `contenido` (Windows-1252 bytes),
    // `columnas` data columns wide, drawn for a printer of `resolución` dots per inch:
    // one pixel of the bitmap is one printer dot. `reservado` must be 0.
    // On success `ancho` and `alto` receive the bitmap's size in pixels.
    virtual int CREARPDF(const std::string& contenido, int columnas, int resolución, int reservado,
                         const std::filesystem::path& ruta, int& ancho, int& alto) = 0;

    // Writes at `ruta` a bitmap of the Code 128 bar code of the 13-digit receipt number.
    virtual int CREARBARRA(const std::string& número, const std::filesystem::path& ruta) = 0;
};

} // namespace m817
