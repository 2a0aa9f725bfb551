// The bitmaps of an official copy, read back the way a scanner would: from the BMP
// file, and from a PDF page rasterised at the resolutions offices scan at.
#include "platform/Texto1252.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "support/Dobles.h"
#include "ui/LecturaImagen.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <zint.h>

#include <algorithm>
#include <vector>

namespace m817 {
namespace {

using prueba::CarpetaTemporal;
using prueba::Rasterizar;
#ifdef M817_CON_ZXING
using prueba::LeerBytes;
#endif
namespace cb = código_barras;

std::string Pieza(std::string_view utf8, std::size_t ancho) {
    std::string s = W(utf8);
    s.resize(ancho, ' ');
    return s;
}

// A return laid out as the point-cloud content is: fixed widths, accented names,
// amounts as sign and 14 digits.
std::string ContenidoRealista() {
    std::string c = "817" + Pieza("3.2.2", 8) + "2010" + "4T" + "8170612345676" + Pieza("AD001", 5) + " " +
                    Pieza("", 13) + "12345678Z" + Pieza("PEÑA GARCÍA, MARÍA ÁNGELES", 75) + "CL" +
                    Pieza("AVENIDA DE LA CONSTITUCIÓN Nº 3", 50) + Pieza("12", 5) + Pieza("A", 2) +
                    Pieza("3º", 2) + Pieza("IZDª", 4) + Pieza("922123456", 15) + "38038" + "38" + "38001" +
                    Pieza("", 15);
    for (int i = 0; i < 6; ++i)
        c += "+000000" + std::to_string(12345678 + i * 1111111);
    for (const char* tipo : {"00000", "00200", "00500", "00900", "01300", "02000"})
        c += tipo;
    for (int i = 0; i < 20; ++i)
        c += "+0000000" + std::to_string(1000000 + i * 37);
    c += "+00000000123456" + std::string("X ") + "21000418450200051332" + "+00000000000000" +
         std::string(20, ' ') + "+00000000000000" + " " + "20101205";
    return c;
}

// The heaviest content there can be: every character a letter outside ASCII.
std::string ContenidoTodoAcentos() {
    const std::string letras = W("ÑÁÉÍÓÚÜºªÇñáéíóúüç€Œš");
    std::string c;
    for (std::size_t i = 0; c.size() < 756; ++i)
        c += letras[i % letras.size()];
    return c;
}

QImage Cargar(const std::filesystem::path& ruta) {
    return QImage(QString::fromStdString(ruta.string()));
}

double Milímetros(int píxeles, int resolución) {
    return píxeles * 25.4 / resolución;
}

// Lengths of the runs of equal pixels along the middle line.
std::vector<int> Tramos(const QImage& imagen) {
    const QImage gris = imagen.convertToFormat(QImage::Format_Grayscale8);
    const uchar* línea = gris.constScanLine(gris.height() / 2);
    std::vector<int> tramos{1};
    for (int x = 1; x < gris.width(); ++x) {
        if ((línea[x] < 128) == (línea[x - 1] < 128))
            ++tramos.back();
        else
            tramos.push_back(1);
    }
    return tramos;
}

// Every bar and space is a whole number of modules of a whole number of dots.
void ComprobarMódulosEnteros(const QImage& imagen, int resolución, double mmMínimo, double mmMáximo) {
    const std::vector<int> tramos = Tramos(imagen);
    ASSERT_GT(tramos.size(), 3u);
    const int módulo = *std::min_element(tramos.begin() + 1, tramos.end() - 1);
    for (int t : tramos)
        EXPECT_EQ(t % módulo, 0) << "tramo de " << t << " puntos, módulo de " << módulo;
    EXPECT_GE(Milímetros(módulo, resolución), mmMínimo);
    EXPECT_LE(Milímetros(módulo, resolución), mmMáximo);
}

int ResoluciónDe(const QImage& imagen) {
    return qRound(imagen.dotsPerMeterX() * 0.0254);
}

struct CasoPDF {
    const char* nombre;
    std::string (*contenido)();
    int resolución;
    double móduloMínimo; // mm
};
void PrintTo(const CasoPDF& c, std::ostream* o) {
    *o << c.nombre;
}

class NubePuntosZint : public ::testing::TestWithParam<CasoPDF> {};

TEST_P(NubePuntosZint, EscribeUnSímboloQueCabeEnElMarcoYSeLeeIgual) {
    const CasoPDF& c = GetParam();
    const std::string contenido = c.contenido();
    ASSERT_EQ(contenido.size(), 756u);
    CarpetaTemporal carpeta;
    const auto ruta = carpeta.Programa() / "PDF.BMP";
    CódigosBarrasZint biblioteca;
    int ancho = 0, alto = 0;

    ASSERT_EQ(biblioteca.CREARPDF(contenido, 16, c.resolución, 0, ruta, ancho, alto), cb::kCorrecto);

    const QImage imagen = Cargar(ruta);
    ASSERT_FALSE(imagen.isNull());
    EXPECT_EQ(imagen.width(), ancho);
    EXPECT_EQ(imagen.height(), alto);
    EXPECT_EQ(ResoluciónDe(imagen), c.resolución);
    // Within the report's frame of 89,6 x 39,8 mm; a pixel is a printer dot. A return's module is 1/75 inch
    // rounded down to whole dots; the content made only of letters outside ASCII needs a smaller one.
    EXPECT_LE(Milímetros(ancho, c.resolución), 89.0);
    EXPECT_LE(Milímetros(alto, c.resolución), 39.0);
    EXPECT_GE(Milímetros(alto, c.resolución), 25.0);
    ComprobarMódulosEnteros(imagen, c.resolución, c.móduloMínimo, 0.339);
#ifdef M817_CON_ZXING
    EXPECT_EQ(LeerBytes(imagen, ZXing::BarcodeFormat::PDF417), contenido);
#endif
}

INSTANTIATE_TEST_SUITE_P(Resoluciones, NubePuntosZint,
                         ::testing::Values(CasoPDF{"realista300", ContenidoRealista, 300, 0.338},
                                           CasoPDF{"realista360", ContenidoRealista, 360, 0.28},
                                           CasoPDF{"realista600", ContenidoRealista, 600, 0.338},
                                           CasoPDF{"realista1200", ContenidoRealista, 1200, 0.338},
                                           CasoPDF{"acentos300", ContenidoTodoAcentos, 300, 0.16},
                                           CasoPDF{"acentos600", ContenidoTodoAcentos, 600, 0.19}),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST(NubePuntosZint, RechazaLoQueNoPuedeImprimirseBienSinEscribirNada) {
    struct Caso {
        const char* nombre;
        std::string contenido;
        int columnas, resolución, reservado;
        bool carpetaExiste;
        int esperado;
    };
    const std::string bueno = ContenidoRealista();
    const Caso casos[] = {{"200 ppp", bueno, 16, 200, 0, true, cb::kResoluciónInsuficiente},
                          {"299 ppp", bueno, 16, 299, 0, true, cb::kResoluciónInsuficiente},
                          {"sin resolución", bueno, 16, 0, 0, true, cb::kResoluciónInsuficiente},
                          {"resolución negativa", bueno, 16, -600, 0, true, cb::kResoluciónInsuficiente},
                          {"resolución desmedida", bueno, 16, 4801, 0, true, cb::kArgumentoNoVálido},
                          {"sin columnas", bueno, 0, 600, 0, true, cb::kArgumentoNoVálido},
                          {"31 columnas", bueno, 31, 600, 0, true, cb::kArgumentoNoVálido},
                          {"reservado no nulo", bueno, 16, 600, 1, true, cb::kArgumentoNoVálido},
                          {"contenido vacío", "", 16, 600, 0, true, cb::kArgumentoNoVálido},
                          {"demasiado largo", std::string(1900, '\xd1'), 16, 600, 0, true,
                           cb::kErrorCodificación + ZINT_ERROR_TOO_LONG},
                          {"carpeta inexistente", bueno, 16, 600, 0, false, cb::kErrorArchivo}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        CarpetaTemporal carpeta;
        const auto ruta = carpeta.Programa() / (c.carpetaExiste ? "" : "no-existe") / "PDF.BMP";
        CódigosBarrasZint biblioteca;
        int ancho = 0, alto = 0;
        EXPECT_EQ(biblioteca.CREARPDF(c.contenido, c.columnas, c.resolución, c.reservado, ruta, ancho, alto),
                  c.esperado);
        EXPECT_FALSE(std::filesystem::exists(ruta));
        EXPECT_EQ(ancho, 0);
        EXPECT_EQ(alto, 0);
    }
}

TEST(CódigoBarrasZint, DibujaElJustificanteALaResoluciónDeLaÚltimaNube) {
    struct Caso {
        const char* nombre;
        int resoluciónNube; // 0: no point cloud made before
        int resoluciónEsperada;
    };
    for (const Caso c : {Caso{"sin nube", 0, 600}, Caso{"nube a 300", 300, 300}, Caso{"nube a 360", 360, 360},
                         Caso{"nube fallida a 200", 200, 600}}) {
        SCOPED_TRACE(c.nombre);
        CarpetaTemporal carpeta;
        CódigosBarrasZint biblioteca;
        if (c.resoluciónNube) {
            int ancho = 0, alto = 0;
            biblioteca.CREARPDF(ContenidoRealista(), 16, c.resoluciónNube, 0, carpeta.Programa() / "PDF.BMP",
                                ancho, alto);
        }
        const auto ruta = carpeta.Programa() / "CODBAR.BMP";
        ASSERT_EQ(biblioteca.CREARBARRA("8170612345676", ruta), cb::kCorrecto);

        const QImage imagen = Cargar(ruta);
        ASSERT_FALSE(imagen.isNull());
        EXPECT_EQ(ResoluciónDe(imagen), c.resoluciónEsperada);
        EXPECT_LE(Milímetros(imagen.width(), c.resoluciónEsperada), 50.0);
        EXPECT_GE(Milímetros(imagen.height(), c.resoluciónEsperada), 10.0);
        ComprobarMódulosEnteros(imagen, c.resoluciónEsperada, 0.25, 0.34);
#ifdef M817_CON_ZXING
        EXPECT_EQ(LeerBytes(imagen, ZXing::BarcodeFormat::Code128), "8170612345676");
#endif
    }
}

TEST(CódigoBarrasZint, UnNúmeroQueNoEsUnJustificanteNoDejaCódigoNiElAnterior) {
    for (const char* número : {"", "817061234567", "81706123456767", "81706123456a6", "8170612345 76"}) {
        SCOPED_TRACE(número);
        CarpetaTemporal carpeta;
        const auto ruta = carpeta.Programa() / "CODBAR.BMP";
        CódigosBarrasZint biblioteca;
        ASSERT_EQ(biblioteca.CREARBARRA("8170698765432", ruta), cb::kCorrecto);

        EXPECT_EQ(biblioteca.CREARBARRA(número, ruta), cb::kArgumentoNoVálido);
        EXPECT_FALSE(std::filesystem::exists(ruta));
    }
}

} // namespace
} // namespace m817
