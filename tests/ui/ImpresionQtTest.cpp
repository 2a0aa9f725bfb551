// Printing here: the PDF printer, the point cloud's bitmap, a whole official print read back as an office
// scans it.
#include "platform/Texto1252.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "platform/qt/ImpresorasQt.h"
#include "print/ContenidoNubePuntos.h"
#include "print/HojaImpresion.h"
#include "print/Impresion.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#ifdef M817_CON_ZXING
#include <ZXing/ReadBarcode.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace m817 {
namespace {
using namespace prueba;

// The first page in grey at that resolution, written beside the PDF; a null image when pdftoppm fails.
QImage Rasterizar(const std::filesystem::path& pdf, int resolución) {
    const QString base =
        QString::fromStdString((pdf.parent_path() / ("pagina-" + std::to_string(resolución))).string());
    QProcess proceso;
    proceso.start(QStandardPaths::findExecutable("pdftoppm"),
                  {"-r", QString::number(resolución), "-gray", "-png", "-singlefile",
                   QString::fromStdString(pdf.string()), base});
    if (!proceso.waitForFinished(120000) || proceso.exitCode() != 0) return {};
    QImageReader::setAllocationLimit(0);
    return QImage(base + ".png");
}

#ifdef M817_CON_ZXING
// The bytes of the symbol of that kind found in the image, or "" when none decodes. One kind a call: looking
// for several at once trips an assertion in this zxing-cpp.
std::string LeerBytes(const QImage& imagen, ZXing::BarcodeFormat formato) {
    const QImage gris = imagen.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView vista(gris.constBits(), gris.width(), gris.height(), ZXing::ImageFormat::Lum,
                                 static_cast<int>(gris.bytesPerLine()));
    ZXing::DecodeHints pistas;
    pistas.setFormats(formato);
    pistas.setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(vista, pistas);
    return r.isValid() ? std::string(r.bytes().begin(), r.bytes().end()) : std::string();
}
#endif

std::vector<std::string> ArchivosEn(const std::filesystem::path& carpeta) {
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

// A complete return printed on the PDF printer, official or draft.
struct ImpresiónReal {
    CarpetasDeUsuario carpeta;
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    ListaErrores errores{mensajes};
    RelojFijo reloj{{2010, 11, 10, 10, 0, 0}};
    ImpresorasQt impresoras{carpeta, reloj};
    CódigosBarrasZint zint;
    AleatorioSistema aleatorio{20101115}; // the same receipt numbers, so the same symbols, every run
    ImpresiónDeclaración impresión{hoja,       errores, mensajes,  reloj,  carpeta,
                                   impresoras, zint,    aleatorio, "3.2.2"};

    explicit ImpresiónReal(int modo) {
        RellenarHojaCompleta(hoja);
        auto& a = impresión.acciones;
        a.MostrarSelecciónImpresora = [modo](SelecciónImpresora& d) {
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
    std::vector<std::filesystem::path> Pdfs() const {
        std::vector<std::filesystem::path> r;
        for (const std::string& n : ArchivosEn(impresoras.CarpetaImpresiones()))
            r.push_back(impresoras.CarpetaImpresiones() / n);
        return r;
    }
};

TrabajoImpresión TrabajoDePrueba(const std::string& título) {
    Página p;
    ElementoPágina t;
    t.texto = "Hola";
    t.izquierda = t.arriba = 1440;
    t.ancho = 2880, t.alto = 400;
    p.elementos.push_back(t);
    return {título, "12345678Z", {p, p}};
}

TEST(ImpresorasQt, LaImpresoraPdfEstáSiempreYNuncaSobrescribe) {
    CarpetasDeUsuario carpeta;
    RelojFijo reloj({2010, 11, 15, 10, 0, 5});
    ImpresorasQt impresoras(carpeta, reloj);
    const auto lista = impresoras.Instaladas();
    ASSERT_FALSE(lista.empty());
    ASSERT_TRUE(lista.back());
    EXPECT_EQ(lista.back()->nombre, ImpresorasQt::kNombrePdf);
    EXPECT_TRUE(lista.back()->integrada);
    EXPECT_EQ(lista.back()->calidad, 600);
    EXPECT_DOUBLE_EQ(lista.back()->anchoPíxel, 2.4);
    impresoras.EstablecerActual(static_cast<int>(lista.size()));
    // A default printer that is gone prints on the current one.
    impresoras.EscribirPerfil("windows", "device", "Desaparecida,CUPS,Desaparecida");
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
    EXPECT_EQ(ArchivosEn(carpeta.Programa()), (std::vector<std::string>{"Datos", "Documentos", "config"}));
}

// Each PDF is written under a temporary name and renamed into place: a link with a free name is replaced,
// not followed; nothing is left behind; and a folder that cannot be made is reported.
TEST(ImpresorasQt, ElPdfSeEscribeAparteYSeRenombraEnSuSitio) {
    CarpetasDeUsuario carpeta;
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
    EXPECT_EQ(LeerArchivo(ajeno), "de otro");
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

TEST(ImpresiónOficial, TresPdfCuyoSímboloSeLeeIgualQueElContenido) {
    ImpresiónReal r(kModoOficial);
    bool atención = false;
    r.impresión.acciones.MostrarAtención = [&] { atención = true; };
    EscritorioGuion escritorio;
    r.impresión.escritorio = &escritorio;
    const std::string sello = " - 12345678Z - 20101110-100000";
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
    EXPECT_EQ(r.hoja.Texto(campos::edtFechaImpresión), "10/11/2010");
    const auto pdfs = r.Pdfs();
    ASSERT_EQ(ArchivosEn(r.carpeta.Impresiones()),
              (std::vector<std::string>{"Modelo 817 - Hoja 1_3" + sello + ".pdf",
                                        "Modelo 817 - Hoja 2_3" + sello + ".pdf",
                                        "Modelo 817 - Hoja 3_3" + sello + ".pdf"}));
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
    EXPECT_EQ(pdfs[0].filename(), "Modelo 817 - Borrador - 12345678Z - 20101110-100000.pdf");
    EXPECT_EQ(r.hoja.Texto(campos::edtNúmeroJustificante), "");
#ifdef M817_CON_ZXING
    EXPECT_EQ(LeerBytes(Rasterizar(pdfs[0], 150), ZXing::BarcodeFormat::PDF417), "");
#endif
}

// The heaviest content there can be, every character a letter outside ASCII, still fits the report's frame of
// 89,6 x 39,8 mm at the printer's resolution, with whole modules of whole dots, and reads back the same.
TEST(NubePuntosZint, ElContenidoMásPesadoCabeEnElMarcoYSeLeeIgual) {
    const std::string letras = W("ÑÁÉÍÓÚÜºªÇñáéíóúüç€Œš");
    std::string contenido;
    for (std::size_t i = 0; contenido.size() < 756; ++i)
        contenido += letras[i % letras.size()];
    CarpetaTemporal carpeta;
    const auto ruta = carpeta.Programa() / "PDF.BMP";
    CódigosBarrasZint biblioteca;
    int ancho = 0, alto = 0;
    ASSERT_EQ(biblioteca.CREARPDF(contenido, 16, 600, 0, ruta, ancho, alto), código_barras::kCorrecto);

    const QImage imagen(QString::fromStdString(ruta.string()));
    ASSERT_FALSE(imagen.isNull());
    EXPECT_EQ(imagen.size(), QSize(ancho, alto));
    EXPECT_EQ(qRound(imagen.dotsPerMeterX() * 0.0254), 600);
    auto mm = [](int puntos) { return puntos * 25.4 / 600; };
    EXPECT_LE(mm(ancho), 89.0);
    EXPECT_LE(mm(alto), 39.0);
    EXPECT_GE(mm(alto), 25.0);
    // The runs of equal pixels along the middle line.
    const QImage gris = imagen.convertToFormat(QImage::Format_Grayscale8);
    const uchar* línea = gris.constScanLine(gris.height() / 2);
    std::vector<int> tramos{1};
    for (int x = 1; x < gris.width(); ++x)
        (línea[x] < 128) == (línea[x - 1] < 128) ? ++tramos.back() : (tramos.push_back(1), 0);
    ASSERT_GT(tramos.size(), 3u);
    const int módulo = *std::min_element(tramos.begin() + 1, tramos.end() - 1);
    for (int t : tramos)
        EXPECT_EQ(t % módulo, 0) << "tramo de " << t << " puntos, módulo de " << módulo;
    EXPECT_GE(mm(módulo), 0.19);
    EXPECT_LE(mm(módulo), 0.339);
#ifdef M817_CON_ZXING
    EXPECT_EQ(LeerBytes(imagen, ZXing::BarcodeFormat::PDF417), contenido);
#endif
}

} // namespace
} // namespace m817
