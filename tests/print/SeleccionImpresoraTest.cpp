#include "print/SeleccionImpresora.h"

#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <gtest/gtest.h>

namespace m817 {
namespace {

using prueba::Impresora;
using prueba::ImpresorasGuion;
using prueba::MensajesGuion;

constexpr const char* kSinImpresoras = "No existe ninguna impresora instalada";
constexpr const char* kResolución =
    "La impresora no está configurada con la resolución mínima necesaria para generar la nube de puntos";

struct Diálogo {
    ImpresorasGuion impresoras;
    MensajesGuion mensajes;
    ImpresorasElegidas elegidas;
    SeleccionImpresora modelo{impresoras, mensajes, elegidas};
    int cierres = 0;

    Diálogo() {
        modelo.AlCerrar = [this] { ++cierres; };
    }
    std::vector<std::string> Claves() const {
        std::vector<std::string> c;
        for (const auto& e : modelo.Entradas())
            c.push_back(e.clave);
        return c;
    }
};

TEST(SeleccionImpresora, UnaImpresoraIlegibleFaltaDeLaListaPeroCuentaEnLasClaves) {
    Diálogo d;
    d.impresoras.instaladas = {Impresora("Láser", 600), std::nullopt, Impresora("Oficina", 300)};
    ASSERT_TRUE(d.modelo.Cargar());
    EXPECT_EQ(d.Claves(), (std::vector<std::string>{"K1", "K3"}));
    EXPECT_EQ(d.modelo.Entradas()[1].texto, "Oficina");

    d.modelo.Seleccionar(1);
    d.modelo.cmdOficial_Click();
    EXPECT_EQ(d.impresoras.actual, 3);
    EXPECT_EQ(d.elegidas.ImpresoraSeleccionada, "Oficina");
    EXPECT_EQ(d.modelo.Modo(), kModoOficial);
    EXPECT_EQ(d.cierres, 1);
    // Loading noted the driver and port of each printer.
    EXPECT_EQ(d.impresoras.Perfil("PrinterPorts", "Láser"), "winspool,Ne06:,15,45");
    EXPECT_EQ(d.impresoras.Perfil("PrinterPorts", "Oficina"), "winspool,Ne07:,15,45");
}

TEST(SeleccionImpresora, LaPredeterminadaLlevaSuIconoYEstáElegida) {
    struct Caso {
        const char* nombre;
        std::string device;     // the profile's default printer, "" none
        std::string delSistema; // the system's own default
        bool conPdf;            // the built-in PDF printer is installed (last)
        const char* elegida;
        int iconoElegida;
    };
    // clang-format off
    const Caso casos[] = {
        {"la del perfil", "Oficina,winspool,Ne01:", "Láser", true, "Oficina", 2},
        {"el nombre debe ir seguido de una coma", "Oficina 2,winspool,Ne02:", "", false, "Láser", 1},
        {"sin perfil, la del sistema", "", "Láser", true, "Láser", 2},
        {"sin perfil ni sistema, la de PDF", "", "", true, "Archivo PDF", 1},
        {"ninguna, la primera", "", "", false, "Láser", 1},
    };
    // clang-format on
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Diálogo d;
        d.impresoras.instaladas = {Impresora("Láser", 600), Impresora("Oficina", 300)};
        if (c.conPdf) {
            DatosImpresora pdf = Impresora("Archivo PDF", 600);
            pdf.integrada = true;
            d.impresoras.instaladas.push_back(pdf);
        }
        if (!c.device.empty()) d.impresoras.EscribirPerfil("windows", "device", c.device);
        d.impresoras.predeterminadaSistema = c.delSistema;
        ASSERT_TRUE(d.modelo.Cargar());
        ASSERT_GE(d.modelo.Seleccionada(), 0);
        const EntradaImpresora& e = d.modelo.Entradas()[static_cast<std::size_t>(d.modelo.Seleccionada())];
        EXPECT_EQ(e.texto, c.elegida);
        EXPECT_EQ(e.icono, c.iconoElegida);
        EXPECT_EQ(d.elegidas.ImpresoraAnterior, c.elegida);
        int conIcono2 = 0;
        for (const auto& x : d.modelo.Entradas())
            conIcono2 += x.icono == 2;
        EXPECT_EQ(conIcono2, c.iconoElegida == 2 ? 1 : 0);
    }
}

TEST(SeleccionImpresora, LosBotonesDejanElModo) {
    struct Caso {
        const char* nombre;
        void (*pulsar)(SeleccionImpresora&);
        int modo;
        const char* elegida;
    };
    const Caso casos[] = {
        {"borrador", [](SeleccionImpresora& m) { m.cmdBorrador_Click(); }, kModoBorrador, "Oficina"},
        {"oficial", [](SeleccionImpresora& m) { m.cmdOficial_Click(); }, kModoOficial, "Oficina"},
        {"cancelar", [](SeleccionImpresora& m) { m.cmdCancelar_Click(); }, kModoNinguno, ""},
        {"doble clic es borrador", [](SeleccionImpresora& m) { m.lvwImpresoras_DblClick(0); }, kModoBorrador,
         "Láser"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Diálogo d;
        d.impresoras.instaladas = {Impresora("Láser", 600), Impresora("Oficina", 300)};
        d.impresoras.actual = 1;
        ASSERT_TRUE(d.modelo.Cargar());
        d.modelo.Seleccionar(1);
        c.pulsar(d.modelo);
        EXPECT_EQ(d.modelo.Modo(), c.modo);
        EXPECT_TRUE(d.modelo.Cerrado());
        EXPECT_EQ(d.elegidas.ImpresoraSeleccionada, c.elegida);
        EXPECT_EQ(d.impresoras.actual, std::string(c.elegida) == "Oficina" ? 2 : 1);
    }
}

TEST(SeleccionImpresora, SinNadaElegidoLosModosNoHacenNadaYSinImpresorasNoSeMuestra) {
    Diálogo d;
    d.impresoras.instaladas = {std::nullopt, std::nullopt};
    ASSERT_TRUE(d.modelo.Cargar());
    EXPECT_TRUE(d.modelo.Entradas().empty());
    EXPECT_FALSE(d.modelo.BotonesHabilitados());
    d.modelo.cmdOficial_Click();
    d.modelo.lvwImpresoras_DblClick(-1);
    EXPECT_EQ(d.modelo.Modo(), kModoNinguno);
    EXPECT_FALSE(d.modelo.Cerrado());
    Diálogo vacío;
    vacío.mensajes.Esperar(kSinImpresoras, Icono::Exclamación, Botones::Aceptar);
    EXPECT_FALSE(vacío.modelo.Cargar());
    vacío.mensajes.EsperarError(kSinImpresoras);
    int resolución = 0;
    EXPECT_FALSE(ComprobarImpresora(vacío.impresoras, vacío.mensajes, resolución));
}

// The profile's default and the current printer change only with a driver and a port for the printer.
TEST(EstablecerImpresoraPredeterminada, CambiaElPerfilYLaImpresoraActualSiTieneControladorYPuerto) {
    const std::tuple<const char*, const char*, const char*> casos[] = {
        {"Oficina", "winspool,Ne01:,15,45", "Oficina,winspool,Ne01:"},
        {"Láser", "winspool,LPT1:,15,45", "Láser,winspool,LPT1:"},
        {"Oficina", "", nullptr},
        {"Oficina", "winspool", nullptr},
        {"Oficina", "winspool,Ne01:", nullptr},
        {"Oficina", ",Ne01:,15", nullptr},
        {"Oficina", "winspool,,15", nullptr},
    };
    for (const auto& [nombre, puertos, después] : casos) {
        SCOPED_TRACE(puertos);
        const bool aLáser = std::string_view(nombre) == "Láser";
        const char* antes = aLáser ? "Oficina,winspool,Ne01:" : "Láser,winspool,LPT1:";
        ImpresorasGuion imp;
        imp.instaladas = {Impresora("Láser", 600), Impresora("Oficina", 300)};
        imp.actual = aLáser ? 2 : 1;
        imp.EscribirPerfil("windows", "device", antes);
        if (*puertos) imp.EscribirPerfil("PrinterPorts", nombre, puertos);
        EstablecerImpresoraPredeterminada(imp, nombre);
        EXPECT_EQ(imp.Perfil("windows", "device"), después ? después : antes);
        EXPECT_EQ(imp.actual, aLáser == (después != nullptr) ? 1 : 2);
    }
}

TEST(ComprobarImpresora, LaResoluciónOLaClaseDeCalidadDecidenSiHayNube) {
    struct Caso {
        const char* nombre;
        int calidad;
        double píxel;
        bool pasa;
        int resolución;
    };
    // clang-format off
    const Caso casos[] = {
        {"600 ppp", 600, 0, true, 600}, {"300 ppp justos", 300, 0, true, 300}, {"299 ppp", 299, 0, false, 0},
        {"clase borrador", kCalidadBorrador, 2.4, false, 0}, {"clase baja", kCalidadBaja, 2.4, false, 0},
        {"clase alta con píxel de 2,4 twips", kCalidadAlta, 2.4, true, 600},
        {"clase media con píxel de 4,8 twips", kCalidadMedia, 4.8, true, 300},
        {"clase alta con píxel grueso", kCalidadAlta, 7.2, false, 0},
        {"sin calidad, por el píxel", 0, 1.2, true, 1200}, {"sin calidad ni píxel", 0, 0, false, 0},
    };
    // clang-format on
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ImpresorasGuion imp;
        DatosImpresora d = Impresora("Láser", c.calidad);
        d.anchoPíxel = c.píxel;
        d.altoPíxel = c.píxel * 2; // the smaller side counts
        imp.instaladas = {d};
        imp.actual = 1;
        MensajesGuion mensajes;
        if (!c.pasa) mensajes.EsperarError(kResolución);
        int resolución = -1;
        EXPECT_EQ(ComprobarImpresora(imp, mensajes, resolución), c.pasa);
        EXPECT_EQ(resolución, c.pasa ? c.resolución : -1);
    }
}

} // namespace
} // namespace m817
