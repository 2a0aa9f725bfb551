// Printing on this platform: the built-in PDF printer, the point cloud's bitmap, every text of the page shown
// whole, and a whole official print read back the way an office scans it.
#include "platform/Texto1252.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "platform/qt/DibujoInforme.h"
#include "platform/qt/ImpresorasQt.h"
#include "print/ContenidoNubePuntos.h"
#include "print/HojaImpresion.h"
#include "print/Impresion.h"
#include "print/Informe.h"
#include "print/NubePuntos.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <QImage>
#include <QImageReader>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QString>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#ifdef M817_CON_ZXING
#include <ZXing/ReadBarcode.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

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

inline std::vector<std::string> ArchivosEn(const std::filesystem::path& carpeta) {
    std::set<std::string> n;
    if (std::filesystem::exists(carpeta))
        for (const auto& e : std::filesystem::directory_iterator(carpeta))
            n.insert(e.path().filename().string());
    return {n.begin(), n.end()};
}

// A program folder whose settings and printed PDFs go to folders of their own.
class CarpetasDeUsuario final : public ServicioCarpeta {
  public:
    std::filesystem::path Programa() const override { return programa_.Programa(); }
    std::filesystem::path Configuración() const override { return Programa() / "config" / "modelo817"; }
    std::filesystem::path Impresiones() const override { return Programa() / "Documentos" / "Modelo 817"; }

  private:
    CarpetaTemporal programa_;
};

struct ImpresiónReal {
    CarpetasDeUsuario carpeta;
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    ListaErrores errores{mensajes};
    RelojFijo reloj{{2010, 11, 15, 10, 0, 0}};
    ImpresorasQt impresoras{carpeta, reloj};
    CódigosBarrasZint zint;
    AleatorioSistema aleatorio{20101115}; // the same receipt numbers, so the same symbols, every run
    ImpresiónDeclaración impresión;

    // The return that `rellenar` writes, printed with `códigos` (zint with the program's parameters when
    // none).
    explicit ImpresiónReal(int modo, void (*rellenar)(HojaDeclaración&) = RellenarHojaCompleta,
                           ServicioCódigosBarras* códigos = nullptr)
        : impresión(hoja, errores, mensajes, reloj, carpeta, impresoras, códigos ? *códigos : zint, aleatorio,
                    "3.2.2") {
        rellenar(hoja);
        auto& a = impresión.acciones;
        a.MostrarSeleccionImpresora = [modo](SeleccionImpresora& d) {
            if (!d.Cargar()) return d.Modo();
            for (std::size_t i = 0; i < d.Entradas().size(); ++i)
                if (d.Entradas()[i].texto == ImpresorasQt::kNombrePdf) d.Seleccionar(static_cast<int>(i));
            modo == kModoOficial ? d.cmdOficial_Click() : d.cmdBorrador_Click();
            return d.Modo();
        };
        a.GuardarDeclaración = [this](bool) {
            hoja.RegistroModificado = false;
            return true;
        };
        a.EjercicioDeclaración = [] { return 2010; };
    }
    // The PDFs written, by name.
    std::vector<std::filesystem::path> Pdfs() const {
        std::vector<std::filesystem::path> r;
        for (const std::string& n : ArchivosEn(impresoras.CarpetaImpresiones()))
            r.push_back(impresoras.CarpetaImpresiones() / n);
        return r;
    }
};

} // namespace m817::prueba

namespace m817 {
namespace {
using prueba::ArchivosEn;
using prueba::CarpetaTemporal;
using prueba::ImpresiónReal;
using prueba::LeerBytes;
using prueba::MensajesGuion;
using prueba::Rasterizar;
using prueba::RelojFijo;
using prueba::Repetir;

TrabajoImpresión TrabajoDePrueba(const std::string& título) {
    Página p;
    ElementoPágina t;
    t.texto = "Hola";
    t.izquierda = t.arriba = 1440;
    t.ancho = 2880;
    t.alto = 400;
    p.elementos.push_back(t);
    return {título, "12345678Z", {p, p}};
}

TEST(ImpresorasQt, LaImpresoraPdfEstáSiempreYNuncaSobrescribe) {
    prueba::CarpetasDeUsuario carpeta;
    RelojFijo reloj({2010, 11, 15, 10, 0, 5});
    ImpresorasQt impresoras(carpeta, reloj);
    const auto lista = impresoras.Instaladas();
    ASSERT_FALSE(lista.empty());
    ASSERT_TRUE(lista.back());
    EXPECT_EQ(lista.back()->nombre, ImpresorasQt::kNombrePdf);
    EXPECT_TRUE(lista.back()->integrada);
    EXPECT_EQ(lista.back()->calidad, 600);
    EXPECT_DOUBLE_EQ(lista.back()->anchoPíxel, 2.4);
    if (impresoras.PredeterminadaSistema().empty()) {
        EXPECT_EQ(impresoras.Actual(), static_cast<int>(lista.size()));
    }

    impresoras.EstablecerActual(static_cast<int>(lista.size()));
    EXPECT_EQ(impresoras.CarpetaImpresiones(), carpeta.Impresiones());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(impresoras.Imprimir(TrabajoDePrueba("Modelo 817 - Hoja 1_3")).Correcto());
    ASSERT_TRUE(impresoras.Imprimir(TrabajoDePrueba("Modelo 817 - Borrador")).Correcto());
    EXPECT_EQ(ArchivosEn(impresoras.CarpetaImpresiones()),
              (std::vector<std::string>{"Modelo 817 - Borrador - 12345678Z - 20101115-100005.pdf",
                                        "Modelo 817 - Hoja 1_3 - 12345678Z - 20101115-100005 (2).pdf",
                                        "Modelo 817 - Hoja 1_3 - 12345678Z - 20101115-100005 (3).pdf",
                                        "Modelo 817 - Hoja 1_3 - 12345678Z - 20101115-100005.pdf"}));
    EXPECT_EQ(impresoras.ÚltimoArchivo().filename(),
              "Modelo 817 - Borrador - 12345678Z - 20101115-100005.pdf");
    EXPECT_EQ(prueba::LeerArchivo(impresoras.ÚltimoArchivo()).substr(0, 5), "%PDF-");
    EXPECT_EQ(ArchivosEn(carpeta.Programa()), (std::vector<std::string>{"Datos", "Documentos"}));
}

// Each PDF is written under a temporary name and renamed into place: a link with a free name is replaced,
// not followed; nothing is left behind; and a folder that cannot be made is reported.
TEST(ImpresorasQt, ElPdfSeEscribeAparteYSeRenombraEnSuSitio) {
    prueba::CarpetasDeUsuario carpeta;
    RelojFijo reloj({2010, 11, 15, 10, 0, 5});
    ImpresorasQt impresoras(carpeta, reloj);
    impresoras.EstablecerActual(static_cast<int>(impresoras.Instaladas().size()));
    std::filesystem::create_directories(carpeta.Impresiones());
    const auto ajeno = carpeta.Programa() / "ajeno.txt";
    { std::ofstream(ajeno) << "de otro"; }
    const auto nombre = carpeta.Impresiones() / "Modelo 817 - Borrador - 12345678Z - 20101115-100005.pdf";
    std::filesystem::create_symlink(ajeno, nombre);

    ASSERT_TRUE(impresoras.Imprimir(TrabajoDePrueba("Modelo 817 - Borrador")).Correcto());
    EXPECT_EQ(impresoras.ÚltimoArchivo(), nombre);
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(nombre)));
    EXPECT_EQ(prueba::LeerArchivo(ajeno), "de otro");
    EXPECT_EQ(ArchivosEn(carpeta.Impresiones()), std::vector<std::string>{nombre.filename().string()});
    EXPECT_EQ(std::filesystem::status(nombre).permissions() & std::filesystem::perms::owner_read,
              std::filesystem::perms::owner_read);

    // Where the folder should be there is a file.
    std::filesystem::remove_all(carpeta.Impresiones());
    { std::ofstream(carpeta.Impresiones()) << "no es una carpeta"; }
    const ResultadoImpresión r = impresoras.Imprimir(TrabajoDePrueba("Modelo 817 - Borrador"));
    EXPECT_EQ(r.código, código_impresión::kNoSePuedeIniciar);
    EXPECT_EQ(Utf8(r.descripción), "No se puede crear el archivo PDF en " + carpeta.Impresiones().string());
    EXPECT_TRUE(impresoras.ÚltimoArchivo().empty());
}

TEST(ImpresorasQt, UnaImpresoraPredeterminadaQueYaNoExisteImprimeEnLaActual) {
    CarpetaTemporal carpeta;
    RelojFijo reloj;
    ImpresorasQt impresoras(carpeta, reloj);
    impresoras.EstablecerActual(static_cast<int>(impresoras.Instaladas().size()));
    impresoras.EscribirPerfil("windows", "device", "Desaparecida,CUPS,Desaparecida");
    ASSERT_TRUE(impresoras.Imprimir(TrabajoDePrueba("Modelo 817 - Borrador")).Correcto());
    EXPECT_EQ(ArchivosEn(impresoras.CarpetaImpresiones()).size(), 1u);
}

TEST(ImpresiónOficial, TresPdfCuyoSímboloSeLeeIgualQueElContenido) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "pdftoppm no está instalado";
    ImpresiónReal r(kModoOficial);
    bool atención = false;
    r.impresión.acciones.MostrarAtención = [&] { atención = true; };
    prueba::EscritorioGuion escritorio;
    r.impresión.escritorio = &escritorio;
    const std::string sello = " - 12345678Z - 20101115-100000";
    r.mensajes
        .EsperarPregunta("La impresión se ha guardado como archivos PDF en la carpeta\r" +
                             r.carpeta.Impresiones().string() + "\r\rModelo 817 - Hoja 1_3" + sello +
                             ".pdf\rModelo 817 - Hoja 2_3" + sello + ".pdf\rModelo 817 - Hoja 3_3" + sello +
                             ".pdf\r\r¿Desea abrir la carpeta?",
                         Respuesta::Sí)
        .Predeterminado(Respuesta::No);
    r.impresión.Imprimir();
    EXPECT_EQ(escritorio.abiertas, std::vector<std::filesystem::path>{r.carpeta.Impresiones()});

    const std::string número = r.hoja.Texto(campos::edtNúmeroJustificante);
    ASSERT_EQ(número.size(), 13u);
    EXPECT_TRUE(atención);
    EXPECT_EQ(r.hoja.Texto(campos::edtFechaImpresión), "15/11/2010");
    const auto pdfs = r.Pdfs();
    ASSERT_EQ(pdfs.size(), 3u);
    EXPECT_EQ(pdfs[0].filename(), "Modelo 817 - Hoja 1_3" + sello + ".pdf");
    EXPECT_EQ(pdfs[1].filename(), "Modelo 817 - Hoja 2_3" + sello + ".pdf");
    EXPECT_EQ(pdfs[2].filename(), "Modelo 817 - Hoja 3_3" + sello + ".pdf");
    EXPECT_FALSE(std::filesystem::exists(r.carpeta.Programa() / "PDF.BMP"));
    EXPECT_FALSE(std::filesystem::exists(r.carpeta.Programa() / "CODBAR.BMP"));

#ifdef M817_CON_ZXING
    const std::string contenido = ContenidoNubePuntos(r.impresión.registro, número, "3.2.2");
    ASSERT_EQ(contenido.size(), kLongitudContenidoNubePuntos);
    struct Escaneo {
        std::size_t copia;
        int resolución;
    };
    for (const Escaneo e : {Escaneo{0, 300}, Escaneo{2, 200}}) {
        SCOPED_TRACE("copia " + std::to_string(e.copia + 1) + " a " + std::to_string(e.resolución) + " ppp");
        const QImage página = Rasterizar(pdfs[e.copia], e.resolución);
        ASSERT_FALSE(página.isNull());
        EXPECT_NEAR(página.width(), 210 / 25.4 * e.resolución, 1.0);
        EXPECT_EQ(LeerBytes(página, ZXing::BarcodeFormat::PDF417), contenido);
        EXPECT_EQ(LeerBytes(página, ZXing::BarcodeFormat::Code128), número);
    }
#endif
}

TEST(ImpresiónOficial, ElBorradorEsUnPdfSinSímbolosQueNoCambiaLaDeclaración) {
    ImpresiónReal r(kModoBorrador);
    r.impresión.Imprimir();
    const auto pdfs = r.Pdfs();
    ASSERT_EQ(pdfs.size(), 1u);
    EXPECT_EQ(pdfs[0].filename(), "Modelo 817 - Borrador - 12345678Z - 20101115-100000.pdf");
    EXPECT_EQ(r.hoja.Texto(campos::edtNúmeroJustificante), "");
#ifdef M817_CON_ZXING
    const QImage página = Rasterizar(pdfs[0], 150);
    if (página.isNull()) GTEST_SKIP() << "pdftoppm no está instalado";
    EXPECT_EQ(LeerBytes(página, ZXing::BarcodeFormat::PDF417), "");
#endif
}

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

TEST(NubePuntosZint, EscribeUnSímboloQueCabeEnElMarcoYSeLeeIgual) {
    struct Caso {
        std::string (*contenido)();
        int resolución;
        double móduloMínimo; // mm
    };
    const Caso casos[] = {
        {ContenidoRealista, 300, 0.338}, {ContenidoRealista, 360, 0.28}, {ContenidoTodoAcentos, 600, 0.19}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.resolución);
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
        // Within the report's frame of 89,6 x 39,8 mm; a pixel is a printer dot. A return's module is 1/75
        // inch rounded down to whole dots; the content made only of letters outside ASCII needs a smaller
        // one.
        EXPECT_LE(Milímetros(ancho, c.resolución), 89.0);
        EXPECT_LE(Milímetros(alto, c.resolución), 39.0);
        EXPECT_GE(Milímetros(alto, c.resolución), 25.0);
        ComprobarMódulosEnteros(imagen, c.resolución, c.móduloMínimo, 0.339);
#ifdef M817_CON_ZXING
        EXPECT_EQ(LeerBytes(imagen, ZXing::BarcodeFormat::PDF417), contenido);
#endif
    }
}

// Every field of the print record at its full width: texts in the widest letters, numbers in nines.
RegistroImpresion RegistroMásAncho() {
    RegistroImpresion r;
    for (const DefiniciónImpresión& d : DefinicionesImpresión()) {
        for (int m = 0; m < d.miembros; ++m) {
            const int i = d.primerÍndice < 0 ? -1 : d.primerÍndice + m;
            const std::size_t ancho = RegistroImpresion::Ancho(d.campo, i);
            using enum ReglaImpresión;
            const ReglaImpresión g = d.regla;
            const std::string valor = g == Número || g == CódigoNúmero || g == Tipo ? std::string(ancho, '9')
                                      : g == Importe ? "-" + std::string(ancho - 1, '9')
                                      : g == Marca   ? "1"
                                      : g == Fecha   ? "30092010" // the longest month's name
                                      : g == Modelo  ? "817"
                                                     : Repetir("WMÑ", ancho);
            r.Poner(d.campo, i, valor);
        }
    }
    return r;
}

struct Palabra {
    std::string texto;     // UTF-8
    double x0, y0, x1, y1; // points from the top left corner
};

std::string SinEntidades(std::string s) {
    for (const auto& [entidad, c] :
         {std::pair{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}}) {
        for (std::size_t p = s.find(entidad); p != std::string::npos; p = s.find(entidad, p + 1))
            s.replace(p, std::strlen(entidad), c);
    }
    return s;
}

// The words of the first page and their boxes, as `pdftotext -bbox` gives them.
std::vector<Palabra> PalabrasPdf(const std::filesystem::path& pdf) {
    const std::filesystem::path html = pdf.parent_path() / "palabras.html";
    QProcess proceso;
    proceso.start(QStandardPaths::findExecutable("pdftotext"),
                  {"-bbox", "-f", "1", "-l", "1", QString::fromStdString(pdf.string()),
                   QString::fromStdString(html.string())});
    if (!proceso.waitForFinished(60000) || proceso.exitCode() != 0) return {};
    const std::string texto = prueba::LeerArchivo(html);
    const std::regex palabra(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::vector<Palabra> r;
    for (auto i = std::sregex_iterator(texto.begin(), texto.end(), palabra); i != std::sregex_iterator(); ++i)
        r.push_back({SinEntidades((*i)[5]), std::stod((*i)[1]), std::stod((*i)[2]), std::stod((*i)[3]),
                     std::stod((*i)[4])});
    return r;
}

// Inside the box of a text item that holds it, within a twentieth of a point.
bool EnSuCaja(const Palabra& p, const ElementoPágina& e) {
    constexpr double kHolgura = 0.05;
    const double x0 = e.izquierda / 20, y0 = e.arriba / 20, x1 = (e.izquierda + e.ancho) / 20,
                 y1 = (e.arriba + e.alto) / 20;
    return Utf8(e.texto).find(p.texto) != std::string::npos && p.x0 >= x0 - kHolgura &&
           p.x1 <= x1 + kHolgura && p.y0 >= y0 - kHolgura && p.y1 <= y1 + kHolgura;
}

TEST(TextoInforme, ConLasLetrasMásAnchasCadaPalabraQuedaDentroDeSuCaja) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext no está instalado";
    const RegistroImpresion registro = RegistroMásAncho();
    DescripcionesImpresion descripciones;
    descripciones.NombreProvincia = Repetir("WMÑ", DescripcionesImpresion::kAnchoNombre);
    descripciones.NombreMunicipio = Repetir("MWÑ", DescripcionesImpresion::kAnchoNombre);
    const std::string número = "8170612345676";

    for (const bool oficial : {false, true}) {
        SCOPED_TRACE(oficial ? "oficial" : "borrador");
        prueba::CarpetaTemporal carpeta;
        prueba::MensajesGuion mensajes;
        prueba::RelojFijo reloj;
        CódigosBarrasZint zint;
        Informe informe = CrearInforme();
        informe.Mostrar("imgPDF", oficial);
        informe.Mostrar("rptNumeroJustificante", oficial);
        informe.Mostrar("lblBorrador", !oficial);
        if (oficial) {
            ASSERT_EQ(GenerarNubePuntos(ContenidoNubePuntos(registro, número, "3.2.0.2"), 600, carpeta, zint,
                                        mensajes),
                      0);
        }
        ASSERT_TRUE(RellenarInforme(informe, registro, descripciones, oficial ? número : "", carpeta, zint)
                        .Correcto());
        if (oficial) {
            // The longest footer, that of copy 3, and the footer line of the widest tax number.
            informe.PonerTexto("lblPiePágina", W(kCopiasOficiales[2].pie));
            informe.PonerTexto("lblPiePágina2", "PA-817-3.2.0.2-" +
                                                    std::string(registro.Campo(CampoImpresión::NIF)) +
                                                    "-9999-WM-" + número);
            informe.MarcoOpaco(true);
        }
        ImpresorasQt impresoras(carpeta, reloj);
        impresoras.EstablecerActual(static_cast<int>(impresoras.Instaladas().size()));
        ASSERT_TRUE(impresoras.Imprimir({"prueba", "", {informe.página}}).Correcto());
        const std::vector<Palabra> palabras = PalabrasPdf(impresoras.ÚltimoArchivo());
        ASSERT_GT(palabras.size(), 200u);
        std::vector<const ElementoPágina*> textos;
        for (const ElementoPágina& e : informe.página.elementos)
            if (e.visible && e.clase == ClaseElementoPágina::Texto && !Recortar(e.texto).empty())
                textos.push_back(&e);
        std::vector<bool> visto(textos.size(), false);
        for (const Palabra& p : palabras) {
            bool dentro = false;
            for (std::size_t i = 0; i < textos.size(); ++i)
                if (EnSuCaja(p, *textos[i])) dentro = visto[i] = true;
            EXPECT_TRUE(dentro) << "«" << p.texto << "» en " << p.x0 << "," << p.y0 << " - " << p.x1 << ","
                                << p.y1 << " pt";
        }
        for (std::size_t i = 0; i < textos.size(); ++i)
            EXPECT_TRUE(visto[i]) << "no se ve "
                                  << (textos[i]->nombre.empty() ? Utf8(textos[i]->texto) : textos[i]->nombre);
    }
}

} // namespace
} // namespace m817
