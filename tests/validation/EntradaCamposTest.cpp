#include "validation/EntradaCampos.h"
#include "model/Disposicion.h"
#include "validation/HojaConReglas.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

constexpr int R = kCódigoRechazo, I = kTeclaIntro, B = kTeclaRetroceso;
constexpr IdCampo C(int i) {
    return edtCasilla(i);
}

void Teclear(HojaDeclaración& hoja, std::string_view utf8) {
    for (char c : W(utf8))
        hoja.Teclear(static_cast<unsigned char>(c));
}

} // namespace

// Enter goes back as itself so that the sheet moves on; a locked field (box 26, the exercise, options)
// refuses every other key; a minus only at the start of a box that may be negative, and nothing in front of
// it.
TEST(VerTeclas, CadaCampoConSuConjuntoYSusReglas) {
    struct Caso {
        IdCampo campo;
        const char* texto; // UTF-8
        int selInicio, selLongitud, tecla, resultado;
    };
    // clang-format off
    const Caso casos[] = {
        {C(16), "", 0, 0, '-', R}, {C(20), "", 0, 0, '-', R}, {C(1), "", 0, 0, '-', '-'}, {C(21), "", 0, 0, '-', '-'},
        {C(14), "5", 0, 0, '-', '-'}, {cmbPeriodo, "", 0, 0, '-', R}, {edtNIF, "12", 2, 0, kTeclaEscape, kTeclaEscape},
        {C(1), "1,2", 0, 3, '7', '7'}, {C(14), "-5", 0, 0, B, R}, {chkComplementaria, "", 0, 0, I, I},
        {cmbPeriodo, "3", 1, 0, 't', 'T'}, {cmbPeriodo, "", 0, 0, 'Q', R}, {edtJustifComp, "", 0, 0, '5', '5'},
        {edtJustifComp, "", 0, 0, 'a', R}, {edtNIF, "", 0, 0, 'a', 'A'}, {edtNombre, "", 0, 0, '/', R},
        {edtNIF, "12", 2, 0, B, B}, {C(13), "", 0, 0, '-', R}, {C(24), "", 0, 0, '-', R}, {C(19), "", 0, 0, '-', '-'},
        {C(25), "", 0, 0, '-', '-'}, {C(14), "5", 1, 0, '-', R}, {C(14), "-5", 2, 0, '-', R},
        {C(14), "-5", 0, 2, '-', '-'}, {C(14), "-5", 0, 1, '-', '-'}, {C(14), "-5", 1, 0, '3', '3'},
        {C(14), "-5", 0, 0, '3', R}, {C(14), "-5", 0, 0, I, R}, {C(14), "-5", 0, 1, '3', '3'},
        {C(1), "12", 2, 0, '.', ','}, {C(1), "1,2", 3, 0, ',', R}, {C(1), "1,2", 3, 0, '.', R},
        {C(1), "1,2", 1, 1, '.', ','}, {C(26), "", 0, 0, '5', R}, {C(26), "", 0, 0, B, R}, {C(26), "", 0, 0, I, I},
        {edtEjercicio, "2010", 0, 4, '1', R}, {chkFPEfectivo, "", 0, 0, ' ', R}, {optResultado(2), "", 0, 0, 'a', R},
    };
    // clang-format on
    for (const auto& c : casos) {
        HojaDeclaración hoja;
        hoja.EscribirTexto(c.campo, W(c.texto));
        hoja.EstablecerSelección(c.campo, c.selInicio, c.selLongitud);
        int KeyAscii = c.tecla;
        const bool aceptada = VerTeclas(hoja, c.campo, KeyAscii, true);
        SCOPED_TRACE(ClaveCampo(c.campo) + " \"" + c.texto + "\" [" + std::to_string(c.selInicio) + "," +
                     std::to_string(c.selLongitud) + "] key " + std::to_string(c.tecla));
        EXPECT_EQ(KeyAscii, c.resultado);
        EXPECT_EQ(aceptada, c.resultado != R);
        EXPECT_EQ(hoja.RegistroModificado, aceptada); // only an accepted key marks the return as modified
    }
}

TEST(Entrada, LasCasillasEscribenComaSeFormateanAlSalirYSeValidaTodo) {
    HojaConReglas h;
    HojaDeclaración& hoja = h.hoja();
    hoja.Enfocar(C(1));
    Teclear(hoja, "1234.5.6");
    EXPECT_EQ(hoja.Texto(C(1)), "1234,56");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(hoja.Texto(C(1)), "1.234,56");
    // Entering it again: the editing form, all selected.
    ASSERT_TRUE(hoja.Enfocar(C(1)));
    EXPECT_EQ(hoja.SelTexto(C(1)), "1234,56");
    hoja.Enfocar(C(14));
    Teclear(hoja, "-2");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(hoja.Texto(C(14)), "-2,00");
    // The whole return was checked, not only the box.
    EXPECT_EQ(h.Entrada("edtNIF"), "E 2010 N.I.F. obligatorio");
}

TEST(Entrada, LasCuentasAvanzanAlLlenarseCadaParte) {
    HojaConReglas h;
    HojaDeclaración& hoja = h.hoja();
    h.Poner(C(13), "100");
    hoja.Pulsar(chkFPCuenta);
    hoja.Enfocar(edtCCCIng(0));
    Teclear(hoja, "210");
    hoja.Teclear(kTeclaRetroceso); // one short of full: no move
    EXPECT_EQ(hoja.Foco(), edtCCCIng(0));
    const std::pair<const char*, IdCampo> pasos[] = {
        {"00", edtCCCIng(1)}, {"0418", edtCCCIng(2)}, {"45", edtCCCIng(3)}, {"0200051332", edtCCCIng(3)}};
    for (const auto& [texto, foco] : pasos) {
        Teclear(hoja, texto);
        EXPECT_EQ(hoja.Foco(), foco) << texto;
    }
    EXPECT_EQ(hoja.Texto(edtCCCIng(0)), "2100");
    EXPECT_EQ(hoja.Texto(edtCCCIng(3)), "0200051332");
}

TEST(EnfocarCampo, SeleccionaTodoElTextoYSinBarrasNoFalla) {
    HojaDeclaración hoja;
    hoja.EscribirTexto(edtNombre, "RUIZ");
    hoja.EstablecerSelección(edtNombre, 4, 0);
    EnfocarCampo(hoja, edtNombre, nullptr);
    EXPECT_EQ(hoja.SelTexto(edtNombre), "RUIZ");
    EnfocarCampo(hoja, chkFPCuenta, nullptr);
}
