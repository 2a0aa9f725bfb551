#pragma once
// A printed page as data: texts with their font and box, lines, rectangles and images, in twips
// (1/1440 inch) from the top left corner of the sheet. The print module lays pages out; a printer
// draws them, so the same page comes out on paper, in a PDF and on screen.
#include <cstdint>
#include <string>
#include <vector>

namespace m817 {

inline constexpr double kTwipsPorPulgada = 1440.0;
// A4, portrait.
inline constexpr double kAnchoA4 = 11906.0;
inline constexpr double kAltoA4 = 16838.0;

enum class ClaseElementoPágina : std::uint8_t { Texto, Línea, Rectángulo, Imagen };
enum class AlineaciónTexto : std::uint8_t { Izquierda, Centro, Derecha };

struct FuenteTexto {
    std::string familia = "Arial";
    double puntos = 8.0;
    bool negrita = false;
    bool cursiva = false;
};

struct ElementoPágina {
    ClaseElementoPágina clase = ClaseElementoPágina::Texto;
    std::string nombre; // the control name of a named item; empty for the fixed parts of the page
    double izquierda = 0, arriba = 0, ancho = 0,
           alto = 0; // a line runs from the top left to the bottom right
    bool visible = true;

    // Texto
    std::string texto; // Windows-1252
    FuenteTexto fuente;
    AlineaciónTexto alineación = AlineaciónTexto::Izquierda;
    bool centradoVertical = false;
    bool ajustarLíneas = false;          // word wrap inside the box; otherwise one line, made smaller (then
                                         // two lines) by the drawing when it does not fit
    std::uint32_t colorTexto = 0x000000; // RGB

    // Línea, Rectángulo
    double grosor = 15; // twips (3/4 point)
    std::uint32_t colorLínea = 0x000000;
    bool borde = true;
    bool opaco = false; // filled with colorFondo; otherwise what lies under it shows
    std::uint32_t colorFondo = 0xFFFFFF;

    // Imagen: the bytes of a bitmap file, stretched to the box.
    std::string imagen;
};

struct Página {
    double ancho = kAnchoA4;
    double alto = kAltoA4;
    std::vector<ElementoPágina> elementos; // drawn in this order: later items lie on top
};

// One print job: its pages, the title the spooler shows and a reference (the tax number) that a
// printer writing files may use to name them.
struct TrabajoImpresión {
    std::string título;
    std::string referencia;
    std::vector<Página> páginas;
};

} // namespace m817
