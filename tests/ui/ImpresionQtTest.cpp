// Printing on this platform: the built-in PDF printer, the page renderer, the printer dialog,
// and a whole official print read back the way an office scans it.
#include "platform/Texto1252.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "platform/qt/DibujoInforme.h"
#include "platform/qt/ImpresorasQt.h"
#include "print/ContenidoNubePuntos.h"
#include "print/HojaImpresion.h"
#include "print/Impresion.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"
#include "ui/ImpresionReal.h"
#include "ui/LecturaImagen.h"
#include "ui/frmSeleccionarImpresora.h"

#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace m817 {
namespace {

using prueba::ArchivosEn;
using prueba::CarpetaTemporal;
using prueba::ImpresiónReal;
using prueba::Rasterizar;
#ifdef M817_CON_ZXING
using prueba::LeerBytes;
#endif
using prueba::MensajesGuion;
using prueba::RelojFijo;

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

// ---- the built-in PDF printer -------------------------------------------------------------------------

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

TEST(ImpresorasQt, ElPerfilSeGuardaEnUnArchivoPropio) {
    prueba::CarpetasDeUsuario carpeta;
    RelojFijo reloj;
    {
        ImpresorasQt impresoras(carpeta, reloj);
        impresoras.EscribirPerfil("PrinterPorts", "Archivo PDF", "PDF,Impresiones,15,45");
        impresoras.EscribirPerfil("windows", "Device", "Archivo PDF,PDF,Impresiones");
    }
    ImpresorasQt otra(carpeta, reloj);
    EXPECT_EQ(otra.LeerPerfil("WINDOWS", "device", " "), "Archivo PDF,PDF,Impresiones");
    EXPECT_EQ(otra.LeerPerfil("PrinterPorts", "archivo pdf", ""), "PDF,Impresiones,15,45");
    EXPECT_EQ(otra.LeerPerfil("windows", "nada", " "), " ");
    EXPECT_TRUE(std::filesystem::exists(carpeta.Configuración() / "Impresoras.ini"));
    EXPECT_FALSE(std::filesystem::exists(carpeta.Programa() / "Impresoras.ini"));
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

// ---- the renderer ----------------------------------------------------------------------------------------

TEST(DibujoInforme, LosTwipsSeConviertenEnPuntosDelDispositivo) {
    Página p;
    ElementoPágina caja;
    caja.clase = ClaseElementoPágina::Rectángulo;
    caja.izquierda = 1440;
    caja.arriba = 720;
    caja.ancho = 1440;
    caja.alto = 1440;
    caja.opaco = true;
    caja.colorFondo = 0xFF0000;
    caja.borde = false;
    p.elementos.push_back(caja);
    ElementoPágina imagen;
    imagen.clase = ClaseElementoPágina::Imagen;
    imagen.izquierda = 144;
    imagen.arriba = 144;
    imagen.ancho = 24 * 2.4; // 24 pixels at 600 dpi
    imagen.alto = 12 * 2.4;
    imagen.imagen = prueba::BmpMonocromo(24, 12, 600); // all white
    ElementoPágina oculto = caja;
    oculto.colorFondo = 0x0000FF;
    oculto.visible = false;
    p.elementos.push_back(oculto);

    const QImage a100 = ImagenPágina(p, 100);
    EXPECT_EQ(a100.width(), qRound(kAnchoA4 / 14.4));
    EXPECT_EQ(a100.pixel(150, 100), qRgb(255, 0, 0)); // inside: 100..200 x 50..150
    EXPECT_EQ(a100.pixel(95, 100), qRgb(255, 255, 255));
    EXPECT_EQ(a100.pixel(150, 45), qRgb(255, 255, 255));
    const QImage a600 = ImagenPágina(p, 600);
    EXPECT_EQ(a600.pixel(900, 600), qRgb(255, 0, 0));
    EXPECT_EQ(a600.pixel(1205, 600), qRgb(255, 255, 255));
}

// ---- the dialog
// ---------------------------------------------------------------------------------------------

TEST(frmSeleccionarImpresora, MuestraLaListaDelModeloYDevuelveElModo) {
    struct Caso {
        const char* nombre;
        std::function<void(frmSeleccionarImpresora&)> actuar;
        int modo;
    };
    const Caso casos[] = {
        {"oficial", [](frmSeleccionarImpresora& d) { d.cmdOficial->click(); }, kModoOficial},
        {"doble clic",
         [](frmSeleccionarImpresora& d) {
             emit d.lvwImpresoras->itemDoubleClicked(d.lvwImpresoras->item(0));
         },
         kModoBorrador}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        prueba::ImpresorasGuion impresoras;
        impresoras.instaladas = {prueba::Impresora(W("Láser"), 600), std::nullopt,
                                 prueba::Impresora("Oficina", 300)};
        impresoras.EscribirPerfil("windows", "device", "Oficina,winspool,Ne07:");
        MensajesGuion mensajes;
        ImpresorasElegidas elegidas;
        SeleccionImpresora modelo(impresoras, mensajes, elegidas);
        std::vector<std::string> vistos;
        bool botonesActivos = false;
        QTimer::singleShot(0, [&] {
            frmSeleccionarImpresora* d = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* x = dynamic_cast<frmSeleccionarImpresora*>(w); x && x->isVisible()) d = x;
            ASSERT_NE(d, nullptr);
            for (int i = 0; i < d->lvwImpresoras->count(); ++i)
                vistos.push_back(d->lvwImpresoras->item(i)->text().toStdString() + "/" +
                                 d->lvwImpresoras->item(i)->data(Qt::UserRole).toString().toStdString());
            EXPECT_EQ(d->lvwImpresoras->currentRow(), 1);
            botonesActivos = d->cmdOficial->isEnabled() && d->cmdBorrador->isEnabled();
            c.actuar(*d);
        });
        EXPECT_EQ(frmSeleccionarImpresora::Mostrar(modelo, nullptr), c.modo);
        EXPECT_EQ(vistos, (std::vector<std::string>{"Láser/K1", "Oficina/K3"}));
        EXPECT_TRUE(botonesActivos);
    }
}

// ---- a whole print
// ------------------------------------------------------------------------------------------

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
    if (const char* copia = std::getenv("M817_IMPRESO_PDF")) std::filesystem::copy_file(pdfs[0], copia);

#ifdef M817_CON_ZXING
    const std::string contenido = ContenidoNubePuntos(r.impresión.registro, número, "3.2.2");
    ASSERT_EQ(contenido.size(), kLongitudContenidoNubePuntos);
    struct Escaneo {
        std::size_t copia;
        int resolución;
    };
    for (const Escaneo e : {Escaneo{0, 300}, Escaneo{2, 300}, Escaneo{1, 200}}) {
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

} // namespace
} // namespace m817
