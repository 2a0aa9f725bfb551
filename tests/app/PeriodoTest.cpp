#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DeclaracionesVariadas.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

TEST(Periodo, ElPeriodoConElQueSeQuedaElUsuarioDecideLaDevolución) {
    const std::string cuenta = CuentaCorrecta();
    auto Cuenta = [](HojaPrueba& p) {
        std::string c;
        for (int i = 0; i <= 3; ++i) // a closed box counts as "-"
            c += p.Habilitado(edtCCCDev(i)) ? p.Texto(edtCCCDev(i)) : "-";
        return c;
    };
    for (auto [teclas, periodo] : {std::pair{"4", "4T"}, {"1", "1T"}, {"04", "04"}, {"12", "12"}, {"", ""}}) {
        HojaPrueba p;
        p.Cargar();
        HojaDeclaración& hoja = p.hoja();
        p.Escribir(cmbPeriodo, "4");
        p.Casilla(16, "500");
        ASSERT_TRUE(hoja.Tabular());
        hoja.Pulsar(optResultado(2));
        hoja.Enfocar(edtCCCDev(0));
        for (char c : cuenta)
            hoja.Teclear(c); // the boxes move on by themselves as each one fills
        ASSERT_TRUE(hoja.Tabular());

        hoja.Enfocar(cmbPeriodo);
        for (char c : "\x1b" + std::string(teclas)) // Escape first
            hoja.Teclear(c);
        hoja.Tabular();
        EXPECT_EQ(hoja.Texto(cmbPeriodo), periodo) << teclas;
        const bool cuarto = periodo == std::string_view("4T"); // only the fourth quarter allows a refund
        EXPECT_EQ(hoja.OpciónSeleccionada(), cuarto ? 2 : 3);
        EXPECT_EQ(Cuenta(p), cuarto ? cuenta : "----");
        EXPECT_EQ(hoja.Texto(edtResultado(2)), cuarto ? "500,00" : "");
    }
}

TEST(PeriodoGuardado, UnPeriodoQueElCampoRechazaEsUnErrorDelPanelAlAbrir) {
    const std::pair<const char*, bool> casos[] = {{"1T", false}, {"4T", false}, {"01", false}, {"12", false},
                                                  {"5", false},  {"", false},   {"13", true},  {"7T", true},
                                                  {"0T", true},  {"1A", true},  {"00", true},  {"t4", true}};
    for (auto [periodo, erróneo] : casos) {
        SCOPED_TRACE(periodo);
        HojaPrueba p;
        // Opening names the period among the fields it could not load; it never refuses it.
        if (erróneo)
            p.mensajes.EsperarError(
                "Se ha producido un error al leer los datos de la declaración seleccionada."
                "\r\n\r\nLos datos que se relacionan a continuación no se han podido "
                "cargar y deberán cumplimentarse de nuevo:PERÍODO.");
        p.Cargar();
        RegistroDeclaración r = DeclaracionesPreparadas().front();
        r.Poner(CampoRegistro::Periodo, periodo);
        p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, std::string(r.Bytes()));
        ASSERT_TRUE(p.ventana->AbrirDeclaración(1, 1));
        const auto* e = p.ventana->errores.Buscar("cmbPeriodo");
        EXPECT_EQ(e && e->imagen == ListaErrores::kImagenError, erróneo || !*periodo);
        EXPECT_EQ(erróneo && e ? Utf8(e->texto) : "1021 Periodo erróneo", "1021 Periodo erróneo");
        // Leaving the field is refused exactly when the panel already has the error.
        p.hoja().Enfocar(cmbPeriodo);
        if (erróneo) p.mensajes.EsperarError("Período erróneo");
        EXPECT_EQ(p.hoja().Tabular(), !erróneo);
        EXPECT_FALSE(p.mensajes.Pendientes());
        EXPECT_FALSE(!erróneo && p.hoja().RegistroModificado);
    }
}

} // namespace
