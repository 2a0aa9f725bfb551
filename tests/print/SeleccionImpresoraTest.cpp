#include "print/SeleccionImpresora.h"

#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <gtest/gtest.h>

using namespace m817;
using prueba::Impresora;
using prueba::ImpresorasGuion;

namespace {

constexpr const char* kSinResolución =
    "La impresora no está configurada con la resolución mínima necesaria para generar la nube de puntos";

struct Diálogo {
    ImpresorasGuion impresoras;
    prueba::MensajesGuion mensajes;
    ImpresorasElegidas elegidas;
    SelecciónImpresora modelo{impresoras, mensajes, elegidas};
};

} // namespace

// An unreadable printer is left out of the list but keeps its place: Oficina is the third.
TEST(SelecciónImpresora, LosBotonesDejanElModoYSinNadaElegidoOSinImpresorasNoHacenNada) {
    // clang-format off
    const std::tuple<void (*)(SelecciónImpresora&), int, const char*> casos[] = {
        {[](SelecciónImpresora& m) { m.cmdBorrador_Click(); }, kModoBorrador, "Oficina"},
        {[](SelecciónImpresora& m) { m.cmdOficial_Click(); }, kModoOficial, "Oficina"},
        {[](SelecciónImpresora& m) { m.cmdCancelar_Click(); }, kModoNinguno, ""},
        {[](SelecciónImpresora& m) { m.lvwImpresoras_DblClick(0); }, kModoBorrador, "Láser"}, // a double click
    };
    // clang-format on
    for (const auto& [pulsar, modo, elegida] : casos) {
        Diálogo d;
        d.impresoras.instaladas = {Impresora("Láser", 600), std::nullopt, Impresora("Oficina", 300)};
        d.impresoras.actual = 1;
        ASSERT_TRUE(d.modelo.Cargar() && d.modelo.Entradas().size() == 2u);
        d.modelo.Seleccionar(1);
        pulsar(d.modelo);
        EXPECT_TRUE(d.modelo.Modo() == modo && d.modelo.Cerrado()) << elegida;
        EXPECT_EQ(d.elegidas.ImpresoraSeleccionada, elegida);
        EXPECT_EQ(d.impresoras.actual, std::string(elegida) == "Oficina" ? 3 : 1);
        EXPECT_EQ(d.impresoras.Perfil("PrinterPorts", "Oficina"), "winspool,Ne07:,15,45"); // noted on loading
    }
    Diálogo d;
    d.impresoras.instaladas = {Impresora("Láser", 600)};
    ASSERT_TRUE(d.modelo.Cargar());
    d.modelo.Seleccionar(1); // out of the list: nothing chosen
    EXPECT_FALSE(d.modelo.BotonesHabilitados());
    d.modelo.cmdOficial_Click();
    d.modelo.lvwImpresoras_DblClick(-1);
    EXPECT_TRUE(d.modelo.Modo() == kModoNinguno && !d.modelo.Cerrado());
    Diálogo vacío; // with no printer at all the dialog is not shown
    vacío.mensajes.Esperar("No existe ninguna impresora instalada", Icono::Exclamación, Botones::Aceptar);
    EXPECT_FALSE(vacío.modelo.Cargar());
    vacío.mensajes.EsperarError("No existe ninguna impresora instalada");
    int resolución = 0;
    EXPECT_FALSE(ComprobarImpresora(vacío.impresoras, vacío.mensajes, resolución));
}

// The profile's default and the current printer change only with a driver and a port for the printer.
TEST(EstablecerImpresoraPredeterminada, CambiaElPerfilYLaImpresoraActualSiTieneControladorYPuerto) {
    // clang-format off
    const std::pair<const char*, bool> casos[] = {{"winspool,Ne01:,15,45", true}, {"", false}, {"winspool", false},
        {"winspool,Ne01:", false}, {",Ne01:,15", false}, {"winspool,,15", false}};
    // clang-format on
    for (const auto& [puertos, cambia] : casos) {
        ImpresorasGuion imp;
        imp.instaladas = {Impresora("Láser", 600), Impresora("Oficina", 300)}, imp.actual = 1;
        imp.EscribirPerfil("windows", "device", "Láser,winspool,LPT1:");
        if (*puertos) imp.EscribirPerfil("PrinterPorts", "Oficina", puertos);
        EstablecerImpresoraPredeterminada(imp, "Oficina");
        EXPECT_EQ(imp.Perfil("windows", "device") + " " + std::to_string(imp.actual),
                  cambia ? "Oficina,winspool,Ne01: 2" : "Láser,winspool,LPT1: 1")
            << puertos;
    }
}

// The resolution, or else the quality class with a pixel's finer side, decides whether there can be a cloud.
TEST(ComprobarImpresora, LaResoluciónOLaClaseDeCalidadDecidenSiHayNube) {
    // clang-format off
    const std::tuple<int, double, int> casos[] = { // quality, pixel in twips, resolution found (0: refused)
        {600, 0, 600}, {300, 0, 300}, {299, 0, 0}, {kCalidadBorrador, 2.4, 0}, {kCalidadBaja, 2.4, 0},
        {kCalidadAlta, 2.4, 600}, {kCalidadMedia, 4.8, 300}, {kCalidadAlta, 7.2, 0}, {0, 1.2, 1200}, {0, 0, 0},
    };
    // clang-format on
    for (const auto& [calidad, píxel, esperada] : casos) {
        Diálogo x;
        DatosImpresora d = Impresora("Láser", calidad);
        d.anchoPíxel = píxel, d.altoPíxel = píxel * 2; // the smaller side counts
        x.impresoras.instaladas = {d}, x.impresoras.actual = 1;
        if (!esperada) x.mensajes.EsperarError(kSinResolución);
        int ppp = -1;
        EXPECT_EQ(ComprobarImpresora(x.impresoras, x.mensajes, ppp) ? ppp : 0, esperada) << calidad;
        EXPECT_TRUE(esperada || ppp == -1) << calidad; // untouched when refused
    }
}
