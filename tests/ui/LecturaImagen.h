#pragma once
// What a scanner sees of a printed page: the PDF rasterised by pdftoppm, and the symbols decoded from the image.
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <filesystem>
#include <string>

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
