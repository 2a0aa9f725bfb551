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

// PDF417 symbol: error-correction level 5, module 1/100 inch rounded down to whole dots,
// row height 3 to 5 modules, quiet zone of 2 modules all round.
ImagenCódigo ImagenNubePuntos(const std::string& contenido, int columnas, int resolución, int reservado);

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
