#pragma once
// The bar-code library over libzint. zint encodes; the bitmaps are drawn here, so
// that every module is a whole number of printer dots, and written by Qt as 1-bit BMP
// files carrying their resolution (pixels per metre) in the header.
#include "platform/CodigosBarras.h"

#include <QImage>

namespace m817 {

// A symbol drawn in memory, or the result code that stopped it.
struct ImagenCódigo {
    QImage imagen;
    int código = código_barras::kCorrecto;
};

// How the point cloud is encoded and drawn.
struct ParámetrosPDF417 {
    int columnas;      // data columns
    int nivel;         // error-correction level, 0 to 8
    bool compacto;     // Compact PDF417: the right row indicator left out and a one-module stop pattern
    int móduloPulgada; // the module is 1/móduloPulgada inch, rounded down to whole printer dots
    int altoFila;      // modules; fewer, down to 3, when the rows would not fit altoMáximoMm
    int zonaSilencio;  // modules, all round
    // The whole symbol, quiet zone included. A content that needs more rows than fit is drawn with
    // a smaller module, so that the report never has to shrink it.
    double anchoMáximoMm;
    double altoMáximoMm;
};

// What the print uses, chosen by measurement (see the README and the test MedidaNubePuntos):
// Compact PDF417 of 13 columns at level 4, 1/75 inch (0,339 mm) modules, rows 3 modules tall,
// a quiet zone of 2 modules, within the report's frame.
extern const ParámetrosPDF417 kParámetrosNubePuntos;

// The PDF417 symbol of the content, one pixel a printer dot of that resolution. `columnas` and
// `reservado` are CREARPDF's second and fourth arguments: 1 to 30 and 0; the columns drawn are those
// of `parámetros`.
ImagenCódigo ImagenNubePuntos(const std::string& contenido, int columnas, int resolución, int reservado,
                              const ParámetrosPDF417& parámetros = kParámetrosNubePuntos);

// Code 128 of the 13-digit receipt number: module 1/75 inch rounded down to whole dots,
// 36 modules tall, quiet zone of 10 modules at each side.
ImagenCódigo ImagenCódigoBarras(const std::string& número, int resolución);

class CódigosBarrasZint final : public ServicioCódigosBarras {
public:
    int CREARPDF(const std::string& contenido, int columnas, int resolución, int reservado,
                 const std::filesystem::path& ruta, int& ancho, int& alto) override;

    // The bar code is drawn for the printer of the last successful CREARPDF (an official
    // print makes the point cloud first), or for 600 dpi before any.
    int CREARBARRA(const std::string& número, const std::filesystem::path& ruta) override;

private:
    int resoluciónBarra_ = 600;
};

} // namespace m817
