#include "platform/qt/CodigosBarrasZint.h"

#include <QImageWriter>
#include <QSaveFile>

#include <zint.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

namespace m817 {
namespace {

using namespace código_barras;

constexpr int kMaxColumnas = 30;   // the symbology's limit
constexpr int kAltoFilaMínimo = 3; // the symbology's minimum row height

// The receipt number: 0,339 mm bars at 300, 600 and 1200 dpi, 12 mm tall, with the
// quiet zone the symbology asks for. No digits under it: the report prints them.
constexpr int kPuntosPorMóduloBarra = 75;
constexpr int kAltoBarra = 36;         // modules
constexpr int kZonaSilencioBarra = 10; // modules, left and right
constexpr std::size_t kDígitosJustificante = 13;

// The modules of an encoded symbol, row by row: 1 dark, 0 light.
struct Matriz {
    int filas = 0;
    int columnas = 0;
    std::vector<std::uint8_t> celdas;
    bool Oscuro(int f, int c) const { return celdas[static_cast<std::size_t>(f) * columnas + c] != 0; }
};

using PtrSímbolo = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

PtrSímbolo NuevoSímbolo(int simbología) {
    PtrSímbolo s(ZBarcode_Create(), &ZBarcode_Delete);
    if (s) {
        s->symbology = simbología;
        s->input_mode = DATA_MODE;     // the Windows-1252 bytes as they are
        s->warn_level = WARN_FAIL_ALL; // an option zint would silently change is an error
        s->scale = 0.5f;               // one pixel per module: the drawing is done here
        s->show_hrt = 0;
    }
    return s;
}

// Encodes with zint and reads the modules back from its one-pixel-a-module raster, one
// pixel line from the middle of each row.
int Codificar(zint_symbol& s, const std::string& datos, Matriz& m) {
    const int r = ZBarcode_Encode_and_Buffer(&s, reinterpret_cast<const unsigned char*>(datos.data()),
                                             static_cast<int>(datos.size()), 0);
    if (r == ZINT_ERROR_MEMORY) return kSinMemoria;
    if (r != 0) return kErrorCodificación + r;
    if (s.bitmap == nullptr || s.rows < 1 || s.bitmap_width != s.width || s.bitmap_height < s.rows)
        return kErrorCodificación + ZINT_ERROR_ENCODING_PROBLEM;
    m.filas = s.rows;
    m.columnas = s.width;
    m.celdas.assign(static_cast<std::size_t>(m.filas) * m.columnas, 0);
    for (int f = 0; f < m.filas; ++f) {
        const int y = (2 * f + 1) * s.bitmap_height / (2 * s.rows);
        const unsigned char* píxel = s.bitmap + static_cast<std::size_t>(y) * s.bitmap_width * 3;
        for (int c = 0; c < m.columnas; ++c, píxel += 3)
            m.celdas[static_cast<std::size_t>(f) * m.columnas + c] = píxel[0] < 128 ? 1 : 0;
    }
    return kCorrecto;
}

// A 1-bit image, `punto` pixels a module, rows `altoFila` modules tall, with the quiet
// zones around it. Index 0 is white, 1 black.
QImage Dibujar(const Matriz& m, int punto, int altoFila, int zonaLado, int zonaArriba, int resolución) {
    const int ancho = (m.columnas + 2 * zonaLado) * punto;
    const int alto = (m.filas * altoFila + 2 * zonaArriba) * punto;
    QImage imagen(ancho, alto, QImage::Format_Mono);
    if (imagen.isNull()) return imagen;
    imagen.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    imagen.fill(0);
    const int puntosPorMetro = qRound(resolución / 0.0254);
    imagen.setDotsPerMeterX(puntosPorMetro);
    imagen.setDotsPerMeterY(puntosPorMetro);

    const auto bytesLínea = static_cast<std::size_t>(imagen.bytesPerLine());
    uchar* bits = imagen.bits();
    std::vector<uchar> línea(bytesLínea);
    for (int f = 0; f < m.filas; ++f) {
        std::fill(línea.begin(), línea.end(), uchar{0});
        for (int c = 0; c < m.columnas; ++c) {
            if (!m.Oscuro(f, c)) continue;
            const int desde = (zonaLado + c) * punto;
            for (int x = desde; x < desde + punto; ++x)
                línea[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
        }
        const int y0 = (zonaArriba + f * altoFila) * punto;
        for (int y = y0; y < y0 + altoFila * punto; ++y)
            std::memcpy(bits + static_cast<std::size_t>(y) * bytesLínea, línea.data(), bytesLínea);
    }
    return imagen;
}

// Written whole or not at all: a failed write leaves no half file behind.
int Escribir(const QImage& imagen, const std::filesystem::path& ruta) {
    QSaveFile archivo(QString::fromStdU16String(ruta.u16string()));
    if (!archivo.open(QIODevice::WriteOnly)) return kErrorArchivo;
    QImageWriter escritor(&archivo, "bmp");
    if (!escritor.write(imagen) || !archivo.commit()) return kErrorArchivo;
    return kCorrecto;
}

} // namespace

// The frame of the report is 89,6 x 39,8 mm; the symbol keeps a little clear of its border.
// Measured against a worn printer and a skewed scanner: see the README.
const ParámetrosPDF417 kParámetrosNubePuntos = {13, 4, true, 75, 3, 2, 89.0, 39.0};

ImagenCódigo ImagenNubePuntos(const std::string& contenido, int columnas, int resolución, int reservado,
                              const ParámetrosPDF417& p) {
    if (contenido.empty() || columnas < 1 || columnas > kMaxColumnas || reservado != 0 ||
        resolución > kResoluciónMáxima)
        return {{}, kArgumentoNoVálido};
    if (resolución < kResoluciónMínima) return {{}, kResoluciónInsuficiente};

    PtrSímbolo s = NuevoSímbolo(p.compacto ? BARCODE_PDF417COMP : BARCODE_PDF417);
    if (!s) return {{}, kSinMemoria};
    s->option_1 = p.nivel;
    s->option_2 = p.columnas;
    Matriz m;
    if (const int código = Codificar(*s, contenido, m); código != kCorrecto) return {{}, código};

    // The tallest rows up to altoFila that fit; then, if even rows of 3 do not, a smaller module.
    const auto puntos = [&](double mm) { return static_cast<int>(mm * resolución / 25.4); };
    const int altoMáximo = puntos(p.altoMáximoMm), anchoMáximo = puntos(p.anchoMáximoMm);
    int punto = std::max(1, resolución / p.móduloPulgada);
    int altoFila = 0;
    for (;; --punto) {
        altoFila = std::min((altoMáximo / punto - 2 * p.zonaSilencio) / m.filas,
                            std::max(p.altoFila, kAltoFilaMínimo));
        if (punto == 1 ||
            (altoFila >= kAltoFilaMínimo && (m.columnas + 2 * p.zonaSilencio) * punto <= anchoMáximo))
            break;
    }
    altoFila = std::max(altoFila, kAltoFilaMínimo);
    QImage imagen = Dibujar(m, punto, altoFila, p.zonaSilencio, p.zonaSilencio, resolución);
    if (imagen.isNull()) return {{}, kSinMemoria};
    return {std::move(imagen), kCorrecto};
}

ImagenCódigo ImagenCódigoBarras(const std::string& número, int resolución) {
    if (número.size() != kDígitosJustificante ||
        !std::all_of(número.begin(), número.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        resolución > kResoluciónMáxima)
        return {{}, kArgumentoNoVálido};
    if (resolución < kResoluciónMínima) return {{}, kResoluciónInsuficiente};

    PtrSímbolo s = NuevoSímbolo(BARCODE_CODE128);
    if (!s) return {{}, kSinMemoria};
    Matriz m;
    if (const int código = Codificar(*s, número, m); código != kCorrecto) return {{}, código};

    QImage imagen =
        Dibujar(m, resolución / kPuntosPorMóduloBarra, kAltoBarra, kZonaSilencioBarra, 0, resolución);
    if (imagen.isNull()) return {{}, kSinMemoria};
    return {std::move(imagen), kCorrecto};
}

int CódigosBarrasZint::CREARPDF(const std::string& contenido, int columnas, int resolución, int reservado,
                                const std::filesystem::path& ruta, int& ancho, int& alto) {
    try {
        const ImagenCódigo r = ImagenNubePuntos(contenido, columnas, resolución, reservado);
        if (r.código != kCorrecto) return r.código;
        if (const int código = Escribir(r.imagen, ruta); código != kCorrecto) return código;
        ancho = r.imagen.width();
        alto = r.imagen.height();
        resoluciónBarra_ = resolución;
        return kCorrecto;
    } catch (const std::bad_alloc&) {
        return kSinMemoria;
    }
}

int CódigosBarrasZint::CREARBARRA(const std::string& número, const std::filesystem::path& ruta) {
    // A copy must never show the bar code of another receipt: an old file goes first.
    std::error_code ignorado;
    std::filesystem::remove(ruta, ignorado);
    try {
        const ImagenCódigo r = ImagenCódigoBarras(número, resoluciónBarra_);
        if (r.código != kCorrecto) return r.código;
        return Escribir(r.imagen, ruta);
    } catch (const std::bad_alloc&) {
        return kSinMemoria;
    }
}

} // namespace m817
