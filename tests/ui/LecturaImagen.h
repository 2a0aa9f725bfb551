#pragma once
// What a scanner sees of a printed page: the PDF rasterised by pdftoppm, and the symbols decoded from the
// image.
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#ifdef M817_CON_ZXING
#include <ZXing/ReadBarcode.h>
#endif

namespace m817::prueba {

// The first page in grey at that resolution, written beside the PDF; a null image when pdftoppm is missing
// or fails.
inline QImage Rasterizar(const std::filesystem::path& pdf, int resolución) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) return {};
    const QString base =
        QString::fromStdString((pdf.parent_path() / ("pagina-" + std::to_string(resolución))).string());
    QProcess proceso;
    proceso.start(pdftoppm, {"-r", QString::number(resolución), "-gray", "-png", "-singlefile",
                             QString::fromStdString(pdf.string()), base});
    if (!proceso.waitForFinished(120000) || proceso.exitCode() != 0) return {};
    QImageReader::setAllocationLimit(0);
    return QImage(base + ".png");
}

// A rectangle of the first page, in pixels at that resolution from its top left corner, in grey; a null image
// when pdftoppm is missing or fails.
inline QImage RasterizarZona(const std::filesystem::path& pdf, int resolución, const QRect& zona) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) return {};
    const QString base =
        QString::fromStdString((pdf.parent_path() / ("zona-" + std::to_string(resolución))).string());
    QProcess proceso;
    proceso.start(pdftoppm, {"-r", QString::number(resolución), "-x", QString::number(zona.x()), "-y",
                             QString::number(zona.y()), "-W", QString::number(zona.width()), "-H",
                             QString::number(zona.height()), "-gray", "-png", "-singlefile",
                             QString::fromStdString(pdf.string()), base});
    if (!proceso.waitForFinished(120000) || proceso.exitCode() != 0) return {};
    QImageReader::setAllocationLimit(0);
    return QImage(base + ".png").convertToFormat(QImage::Format_Grayscale8);
}

// What a worn printer and a hand-fed scanner make of a page rendered at 600 dpi: reduced to `resolución`
// (each pixel the mean of the square it covers; 600 must be a multiple of it), blurred by a Gaussian of
// `sigma` pixels of the reduced image, and turned by `grados` (bilinear; white outside). The image may be a
// part of the page: `origen` is its top left corner on the page at 600 dpi and `página` the page's size at
// 600 dpi; the turn is then about the page's centre, as if the whole page had been reduced and turned. On
// multiples of 600 / resolución the pixels are those of the reduced page; elsewhere they stand for a scanner
// whose pixels fall differently on the paper.
inline QImage Degradar(const QImage& a600, int resolución, double sigma, double grados, QPoint origen = {},
                       QSize página = {}) {
    const QImage gris = a600.convertToFormat(QImage::Format_Grayscale8);
    const int f = 600 / resolución;
    const int w = gris.width() / f, h = gris.height() / f;
    std::vector<double> v(static_cast<std::size_t>(w) * h);
    const auto en = [&](int x, int y) -> double& { return v[static_cast<std::size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int suma = 0;
            for (int j = 0; j < f; ++j) {
                const uchar* línea = gris.constScanLine(y * f + j) + x * f;
                for (int i = 0; i < f; ++i)
                    suma += línea[i];
            }
            en(x, y) = suma / double(f * f);
        }
    if (sigma > 0) {
        const int r = static_cast<int>(std::ceil(3 * sigma));
        std::vector<double> núcleo(2 * r + 1);
        double total = 0;
        for (int i = -r; i <= r; ++i)
            total += núcleo[i + r] = std::exp(-i * i / (2 * sigma * sigma));
        for (double& k : núcleo)
            k /= total;
        std::vector<double> t(v.size());
        const auto pasada = [&](bool horizontal) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    double s = 0;
                    for (int i = -r; i <= r; ++i) {
                        const int xx = horizontal ? std::clamp(x + i, 0, w - 1) : x;
                        const int yy = horizontal ? y : std::clamp(y + i, 0, h - 1);
                        s += núcleo[i + r] * en(xx, yy);
                    }
                    t[static_cast<std::size_t>(y) * w + x] = s;
                }
            v.swap(t);
        };
        pasada(true);
        pasada(false);
    }
    QImage destino(w, h, QImage::Format_Grayscale8);
    const double a = grados * M_PI / 180, c = std::cos(a), s = std::sin(a);
    if (página.isEmpty()) página = a600.size();
    const double cx = (página.width() / f - 1) / 2.0 - origen.x() / double(f),
                 cy = (página.height() / f - 1) / 2.0 - origen.y() / double(f);
    for (int y = 0; y < h; ++y) {
        uchar* línea = destino.scanLine(y);
        for (int x = 0; x < w; ++x) {
            // The source point that lands here.
            const double sx = c * (x - cx) + s * (y - cy) + cx, sy = -s * (x - cx) + c * (y - cy) + cy;
            const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
            const double fx = sx - x0, fy = sy - y0;
            const auto p = [&](int xx, int yy) {
                return xx < 0 || yy < 0 || xx >= w || yy >= h ? 255.0 : en(xx, yy);
            };
            const double valor = (1 - fy) * ((1 - fx) * p(x0, y0) + fx * p(x0 + 1, y0)) +
                                 fy * ((1 - fx) * p(x0, y0 + 1) + fx * p(x0 + 1, y0 + 1));
            línea[x] = static_cast<uchar>(std::clamp(std::lround(valor), 0L, 255L));
        }
    }
    const int porMetro = qRound(resolución / 0.0254);
    destino.setDotsPerMeterX(porMetro);
    destino.setDotsPerMeterY(porMetro);
    return destino;
}

#ifdef M817_CON_ZXING
// The bytes of the symbol of that kind found in the image, or "" when none decodes. One kind a call: looking
// for several at once trips an assertion in this zxing-cpp.
inline std::string LeerBytes(const QImage& imagen, ZXing::BarcodeFormat formato) {
    const QImage gris = imagen.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView vista(gris.constBits(), gris.width(), gris.height(), ZXing::ImageFormat::Lum,
                                 static_cast<int>(gris.bytesPerLine()));
    ZXing::DecodeHints pistas;
    pistas.setFormats(formato);
    pistas.setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(vista, pistas);
    if (!r.isValid()) return {};
    return std::string(r.bytes().begin(), r.bytes().end());
}
#endif

} // namespace m817::prueba
