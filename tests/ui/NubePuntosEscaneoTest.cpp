// The point cloud read back the way it reaches an office: printed by a worn laser printer or photocopied,
// then scanned by hand. The page is the real PDF of an official copy, rendered at 600 dpi and degraded.
#include "platform/Texto1252.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "print/ContenidoNubePuntos.h"
#include "ui/ImpresionReal.h"
#include "ui/LecturaImagen.h"

#include <QImageWriter>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace m817 {
namespace {

#ifdef M817_CON_ZXING

using prueba::ImpresiónReal;

// The top right of the page, where the point cloud lies, in pixels at 600 dpi: from 100 mm across to the
// edge, 0 to 60 mm down. On multiples of 12, so that it reduces to 200 and 150 dpi on the page's own grid.
const QRect kZona600(2364, 0, 2592, 1416);
// An A4 page at 600 dpi, as pdftoppm renders it.
const QSize kPágina600(4961, 7016);

struct Degradación {
    const char* nombre;
    int resolución;
    double sigma; // pixels of the reduced image
    double grados;
};

QImage Degradada(const QImage& zona, const Degradación& g, QPoint desplazamiento = {}) {
    return prueba::Degradar(zona, g.resolución, g.sigma, g.grados, kZona600.topLeft() + desplazamiento,
                            kPágina600);
}

// The two the program is held to.
constexpr Degradación kDegradaciones[] = {
    {"200 ppp, desenfoque 1 px, 2°", 200, 1.0, 2.0},
    {"150 ppp, 1°", 150, 0.0, 1.0},
};

struct Devolución {
    const char* nombre;
    void (*rellenar)(HojaDeclaración&);
};
constexpr Devolución kDevoluciones[] = {
    {"letras acentuadas", prueba::RellenarHojaLetrasAcentuadas},
    {"todas las casillas", prueba::RellenarHojaTodasLasCasillas},
};

std::string ContenidoImpreso(const ImpresiónReal& r) {
    return ContenidoNubePuntos(r.impresión.registro, r.hoja.Texto(campos::edtNúmeroJustificante), "3.2.2");
}

TEST(ImpresiónOficial, ElSímboloSeLeeTrasUnaImpresoraGastadaYUnEscánerTorcido) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "pdftoppm no está instalado";
    for (const Devolución& d : kDevoluciones) {
        SCOPED_TRACE(d.nombre);
        ImpresiónReal r(kModoOficial, d.rellenar);
        r.impresión.Imprimir();
        const std::string contenido = ContenidoImpreso(r);
        ASSERT_EQ(contenido.size(), kLongitudContenidoNubePuntos);
        const auto pdfs = r.Pdfs();
        ASSERT_EQ(pdfs.size(), 3u);
        for (std::size_t copia = 0; copia < pdfs.size(); ++copia) {
            SCOPED_TRACE("copia " + std::to_string(copia + 1));
            const QImage a600 = prueba::RasterizarZona(pdfs[copia], 600, kZona600);
            ASSERT_FALSE(a600.isNull());
            for (const Degradación& g : kDegradaciones) {
                SCOPED_TRACE(g.nombre);
                EXPECT_EQ(prueba::LeerBytes(Degradada(a600, g), ZXing::BarcodeFormat::PDF417), contenido);
            }
        }
    }
}

// ---- the measurements behind the symbol's parameters
// ------------------------------------------------------- Run with --gtest_also_run_disabled_tests
// --gtest_filter='MedidaNubePuntos.*'; it prints a table of which degradations each set of parameters
// survives. M817_MEDIDA=<file> also writes it there.

// zint with other parameters than the program's.
class CódigosBarrasMedida final : public ServicioCódigosBarras {
  public:
    explicit CódigosBarrasMedida(const ParámetrosPDF417& p) : p_(p) {}
    int CREARPDF(const std::string& contenido, int columnas, int resolución, int reservado,
                 const std::filesystem::path& ruta, int& ancho, int& alto) override {
        const ImagenCódigo r = ImagenNubePuntos(contenido, columnas, resolución, reservado, p_);
        if (r.código != código_barras::kCorrecto) return r.código;
        QImageWriter escritor(QString::fromStdString(ruta.string()), "bmp");
        if (!escritor.write(r.imagen)) return código_barras::kErrorArchivo;
        ancho = r.imagen.width();
        alto = r.imagen.height();
        return código_barras::kCorrecto;
    }
    int CREARBARRA(const std::string& número, const std::filesystem::path& ruta) override {
        return zint_.CREARBARRA(número, ruta);
    }

  private:
    ParámetrosPDF417 p_;
    CódigosBarrasZint zint_;
};

// The two of the program, each turned the other way too, and harsher ones that show the margin.
constexpr Degradación kMedidas[] = {
    {"a: 200/σ1/2°", 200, 1.0, 2.0}, {"a': 200/σ1/-2°", 200, 1.0, -2.0}, {"b: 150/1°", 150, 0.0, 1.0},
    {"b': 150/-1°", 150, 0.0, -1.0}, {"200/σ1.5/2°", 200, 1.5, 2.0},     {"200/σ1/3°", 200, 1.0, 3.0},
    {"150/σ0.7/1°", 150, 0.7, 1.0},  {"150/2°", 150, 0.0, 2.0},          {"120/1°", 120, 0.0, 1.0},
};
// Where the scanner's pixel grid falls on the page: offsets at 600 dpi.
constexpr int kFases[][2] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}};

struct Juego {
    const char* nombre;
    ParámetrosPDF417 p;
};
// Module 1/N inch: N = 100 is 6 dots at 600 dpi (0,254 mm), 85 is 7 (0,296 mm), 75 is 8 (0,339 mm).
const Juego kJuegos[] = {
    {"16 col, N5, 6 puntos, fila 4 (antes)", {16, 5, false, 100, 4, 2, 89.0, 36.2}},
    {"16 col, N6, 6 puntos, fila 4", {16, 6, false, 100, 4, 2, 89.0, 39.0}},
    {"13 col, N5, 7 puntos, fila 3", {13, 5, false, 85, 3, 2, 89.0, 39.0}},
    {"compacto 14 col, N5, 7 puntos, fila 3", {14, 5, true, 85, 3, 2, 89.0, 39.0}},
    {"compacto 13 col, N3, 8 puntos, fila 3", {13, 3, true, 75, 3, 2, 89.0, 39.0}},
    {"compacto 13 col, N4, 8 puntos, fila 3 (elegido)", {13, 4, true, 75, 3, 2, 89.0, 39.0}},
};

TEST(MedidaNubePuntos, DISABLED_ParámetrosFrenteADegradaciones) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "pdftoppm no está instalado";
    std::ostringstream tabla;
    tabla << "| parámetros | símbolo (mm, filas) |";
    for (const Degradación& g : kMedidas)
        tabla << " " << g.nombre << " |";
    tabla << "\n|---|---|";
    for (std::size_t i = 0; i < std::size(kMedidas); ++i)
        tabla << "---|";
    tabla << "\n";
    for (const Juego& j : kJuegos) {
        std::vector<int> leídas(std::size(kMedidas), 0);
        int intentos = 0;
        std::string tamaños;
        for (const Devolución& d : kDevoluciones) {
            CódigosBarrasMedida códigos(j.p);
            ImpresiónReal r(kModoOficial, d.rellenar, &códigos);
            r.impresión.Imprimir();
            const std::string contenido = ContenidoImpreso(r);
            const auto pdfs = r.Pdfs();
            ASSERT_EQ(pdfs.size(), 3u) << j.nombre;
            const ImagenCódigo símbolo = ImagenNubePuntos(contenido, 16, 600, 0, j.p);
            char t[64];
            std::snprintf(t, sizeof t, "%s%.1f×%.1f", tamaños.empty() ? "" : ", ",
                          símbolo.imagen.width() * 25.4 / 600, símbolo.imagen.height() * 25.4 / 600);
            tamaños += t;
            const QImage página = prueba::RasterizarZona(pdfs[0], 600, kZona600);
            ASSERT_FALSE(página.isNull());
            for (const auto& f : kFases) {
                const QImage a600 = página.copy(f[0], f[1], página.width() - 12, página.height() - 12);
                ++intentos;
                for (std::size_t g = 0; g < std::size(kMedidas); ++g) {
                    const Degradación& m = kMedidas[g];
                    leídas[g] += prueba::LeerBytes(Degradada(a600, m, QPoint(f[0], f[1])),
                                                   ZXing::BarcodeFormat::PDF417) == contenido;
                }
            }
        }
        tabla << "| " << j.nombre << " | " << tamaños << " |";
        for (int n : leídas)
            tabla << " " << n << "/" << intentos << " |";
        tabla << "\n";
        std::cout << tabla.str().substr(tabla.str().rfind('\n', tabla.str().size() - 2) + 1) << std::flush;
    }
    std::cout << "\n" << tabla.str();
    if (const char* archivo = std::getenv("M817_MEDIDA")) std::ofstream(archivo) << tabla.str();
}

#endif

} // namespace
} // namespace m817
