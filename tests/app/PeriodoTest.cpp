// The period as the user types it and as a saved return brings it: retyping it keeps what the result logic
// had (a refund and its account) unless the period the user ends with rules it out, the months 10 to 12 are
// months, and a stored period that the field would refuse is an error of the panel as soon as it is opened.
#include "app/PanelErrores.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DeclaracionesVariadas.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

// Period 4T, box 16 to deduct, the refund chosen and its account typed, as a user does it.
void DevoluciónConCuenta(HojaPrueba& p, const std::string& cuenta) {
    HojaDeclaración& hoja = p.hoja();
    p.Escribir(cmbPeriodo, "4");
    ASSERT_EQ(hoja.Texto(cmbPeriodo), "4T");
    p.Casilla(16, "500");
    ASSERT_TRUE(hoja.Tabular());
    hoja.Pulsar(optResultado(2));
    ASSERT_EQ(hoja.OpciónSeleccionada(), 2);
    hoja.Enfocar(edtCCCDev(0));
    for (char c : cuenta)
        hoja.Teclear(c); // the boxes move on by themselves as each one fills
    ASSERT_TRUE(hoja.Tabular());
}

std::string Cuenta(HojaPrueba& p) {
    std::string c;
    for (int i = 0; i <= 3; ++i)
        c += p.Texto(edtCCCDev(i));
    return c;
}

bool CuentaAbierta(HojaPrueba& p) {
    for (int i = 0; i <= 3; ++i)
        if (!p.Habilitado(edtCCCDev(i))) return false;
    return true;
}

// Into the period, Escape, the keys, and Tab out of it.
bool Reteclear(HojaPrueba& p, std::string_view teclas) {
    p.hoja().Enfocar(cmbPeriodo);
    p.hoja().Teclear(kTeclaEscape);
    for (char c : teclas)
        p.hoja().Teclear(c);
    return p.hoja().Tabular();
}

TEST(Periodo, VolverATeclearElCuartoTrimestreConservaLaDevoluciónYSuCuenta) {
    HojaPrueba p;
    p.Cargar();
    HojaDeclaración& hoja = p.hoja();
    const std::string cuenta = CuentaCorrecta();
    DevoluciónConCuenta(p, cuenta);
    ASSERT_EQ(Cuenta(p), cuenta);

    ASSERT_TRUE(Reteclear(p, "4"));
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "4T");
    EXPECT_EQ(hoja.OpciónSeleccionada(), 2);
    EXPECT_EQ(hoja.Texto(edtResultado(2)), "500,00");
    EXPECT_EQ(Cuenta(p), cuenta);
    EXPECT_TRUE(CuentaAbierta(p));
    EXPECT_EQ(p.ventana->errores.Buscar("edtCCCDev#0"), nullptr);

    // Typing over the selected period passes through no other period either.
    hoja.Enfocar(cmbPeriodo);
    hoja.EstablecerSelección(cmbPeriodo, 0, 2);
    hoja.Teclear('4');
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(hoja.OpciónSeleccionada(), 2);
    EXPECT_EQ(Cuenta(p), cuenta);
}

TEST(Periodo, ElPeriodoConElQueSeQuedaElUsuarioDecideLaDevolución) {
    // A quarter, a month, or nothing at all: none of them allows a refund.
    for (auto [teclas, periodo] : {std::pair{"1", "1T"}, {"04", "04"}, {"12", "12"}, {"", ""}}) {
        SCOPED_TRACE(std::string("teclas «") + teclas + "»");
        HojaPrueba p;
        p.Cargar();
        HojaDeclaración& hoja = p.hoja();
        DevoluciónConCuenta(p, CuentaCorrecta());
        Reteclear(p, teclas);
        EXPECT_EQ(hoja.Texto(cmbPeriodo), periodo);
        EXPECT_EQ(hoja.OpciónSeleccionada(), 3);
        EXPECT_FALSE(p.Habilitado(optResultado(2)));
        EXPECT_EQ(Cuenta(p), "");
        EXPECT_FALSE(CuentaAbierta(p));
    }
}

TEST(Periodo, LosMesesDiezOnceYDoceSeTecleanComoLosDemás) {
    HojaPrueba p;
    p.Cargar();
    HojaDeclaración& hoja = p.hoja();
    for (const char* mes : {"10", "11", "12", "09"}) {
        p.Escribir(cmbPeriodo, mes);
        EXPECT_TRUE(hoja.Tabular()) << mes; // no "Período erróneo": the script expects no message
        EXPECT_EQ(hoja.Texto(cmbPeriodo), mes);
        EXPECT_NE(hoja.Foco(), cmbPeriodo);
        // November 2010: the month in course is October; any other month is out of course.
        const auto* e = p.ventana->errores.Buscar("cmbPeriodo");
        if (std::string_view(mes) == "10") {
            EXPECT_EQ(e, nullptr);
        } else {
            EXPECT_TRUE(e && e->imagen == ListaErrores::kImagenAviso) << mes;
        }
    }
    p.Escribir(cmbPeriodo, "13");
    p.mensajes.EsperarError("Período erróneo");
    EXPECT_FALSE(hoja.Tabular());
}

// A freshly started program that opens a saved return with the given period.
void AbrirConPeriodo(HojaPrueba& p, std::string_view periodo) {
    p.Cargar();
    RegistroDeclaración r = DeclaracionesPreparadas().front();
    r.Poner(CampoRegistro::Periodo, periodo);
    p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, std::string(r.Bytes()));
    ASSERT_TRUE(p.ventana->AbrirDeclaración(1, 1));
}

std::vector<std::string> Panel(HojaPrueba& p) {
    std::vector<std::string> v;
    for (const auto& e : PanelErrores(*p.ventana).Entradas())
        v.push_back(std::to_string(e.imagen) + Utf8(e.texto));
    return v;
}

TEST(PeriodoGuardado, UnPeriodoQueElCampoRechazaEsUnErrorDelPanelAlAbrir) {
    struct Caso {
        const char* periodo;
        bool erróneo; // not a quarter of the list nor a month: the field refuses it
    };
    const Caso casos[] = {{"1T", false}, {"2T", false}, {"4T", false}, {"01", false}, {"05", false},
                          {"10", false}, {"11", false}, {"12", false}, {"5", false},  {"3", false},
                          {"", false},   {"13", true},  {"7T", true},  {"0T", true},  {"1A", true},
                          {"00", true},  {"T", true},   {"t4", true},  {"99", true}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string("periodo «") + c.periodo + "»");
        HojaPrueba p;
        // Opening names the period among the fields it could not load; it never refuses it.
        if (c.erróneo)
            p.mensajes.EsperarError(
                "Se ha producido un error al leer los datos de la declaración seleccionada."
                "\r\n\r\nLos datos que se relacionan a continuación no se han podido "
                "cargar y deberán cumplimentarse de nuevo:PERÍODO.");
        AbrirConPeriodo(p, c.periodo);
        EXPECT_FALSE(p.mensajes.Pendientes());
        const auto* e = p.ventana->errores.Buscar("cmbPeriodo");
        const bool error = e && e->imagen == ListaErrores::kImagenError;
        EXPECT_EQ(error, c.erróneo || !*c.periodo);
        if (c.erróneo && e) {
            EXPECT_EQ(Utf8(e->texto), "1021 Periodo erróneo");
        }

        // The user goes into the period and leaves it: refused exactly when the panel already has the error.
        p.hoja().Enfocar(cmbPeriodo);
        if (c.erróneo) p.mensajes.EsperarError("Período erróneo");
        EXPECT_EQ(p.hoja().Tabular(), !c.erróneo);
        EXPECT_FALSE(p.mensajes.Pendientes());
        if (std::string_view(c.periodo) == "10") { // the month in course: nothing to say, nothing changed
            EXPECT_EQ(Panel(p), std::vector<std::string>{"1Declaración sin errores"});
            EXPECT_FALSE(p.hoja().RegistroModificado);
        }
    }
}

} // namespace
