#include "validation/EntradaCampos.h"
#include "model/Disposicion.h"
#include "validation/HojaConReglas.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

struct CasoTecla {
    IdCampo campo;
    const char* texto; // UTF-8
    int selInicio, selLongitud;
    int tecla;
    int resultado; // code left in KeyAscii
};

constexpr int R = kCódigoRechazo, I = kTeclaIntro, B = kTeclaRetroceso;
constexpr IdCampo C(int i) {
    return edtCasilla(i);
}

// Enter goes back as itself so that the sheet moves on; a locked field (box 26, the exercise, options)
// refuses every other key; a minus only at the start of a box that may be negative, and nothing in front of
// it.
// clang-format off
const CasoTecla kTeclas[] = {
    {C(16), "", 0, 0, '-', R}, {C(17), "", 0, 0, '-', R}, {C(20), "", 0, 0, '-', R},
    {C(1), "", 0, 0, '-', '-'}, {C(7), "", 0, 0, '-', '-'}, {C(21), "", 0, 0, '-', '-'},
    {C(14), "5", 0, 0, '-', '-'}, {cmbPeriodo, "", 0, 0, '-', R},
    {edtNIF, "12", 2, 0, kTeclaEscape, kTeclaEscape}, {C(1), "12", 2, 0, ',', ','},
    {C(1), "1,2", 0, 3, '7', '7'}, {C(14), "-5", 0, 0, B, R}, {chkComplementaria, "", 0, 0, I, I},
    {cmbPeriodo, "", 0, 0, '1', '1'}, {cmbPeriodo, "3", 1, 0, 't', 'T'}, {cmbPeriodo, "", 0, 0, 'Q', R},
    {edtJustifComp, "", 0, 0, '5', '5'}, {edtJustifComp, "", 0, 0, 'a', R}, {edtNIF, "", 0, 0, 'a', 'A'},
    {edtNombre, "", 0, 0, '/', R}, {edtNIF, "12", 2, 0, B, B}, {edtNIF, "12", 2, 0, I, I},
    {cmbPeriodo, "", 0, 0, I, I}, {C(13), "", 0, 0, '-', R}, {C(18), "", 0, 0, '-', R},
    {C(24), "", 0, 0, '-', R}, {C(13), "", 0, 0, '5', '5'}, {C(14), "", 0, 0, '-', '-'},
    {C(19), "", 0, 0, '-', '-'}, {C(25), "", 0, 0, '-', '-'}, {C(14), "5", 1, 0, '-', R},
    {C(14), "-5", 2, 0, '-', R}, {C(14), "-5", 0, 2, '-', '-'}, {C(14), "-5", 0, 1, '-', '-'},
    {C(14), "-5", 1, 0, '3', '3'}, {C(14), "a", 0, 0, 'a', R}, {C(14), "-5", 0, 0, '3', R},
    {C(14), "-5", 0, 0, I, R}, {C(14), "-5", 0, 1, '3', '3'}, {C(1), "12", 2, 0, '.', ','},
    {C(1), "1,2", 3, 0, ',', R}, {C(1), "1,2", 3, 0, '.', R}, {C(1), "1,2", 1, 1, '.', ','},
    {C(26), "", 0, 0, '5', R}, {C(26), "", 0, 0, B, R}, {C(26), "", 0, 0, I, I},
    {edtEjercicio, "2010", 0, 4, '1', R}, {chkFPEfectivo, "", 0, 0, ' ', R},
    {optResultado(2), "", 0, 0, 'a', R},
};
// clang-format on

} // namespace

TEST(VerTeclas, CadaCampoConSuConjuntoYSusReglas) {
    for (const auto& c : kTeclas) {
        HojaDeclaración hoja;
        hoja.EscribirTexto(c.campo, W(c.texto));
        hoja.EstablecerSelección(c.campo, c.selInicio, c.selLongitud);
        int KeyAscii = c.tecla;
        const bool aceptada = VerTeclas(hoja, c.campo, KeyAscii, true);
        const std::string caso = ClaveCampo(c.campo) + " \"" + c.texto + "\" [" +
                                 std::to_string(c.selInicio) + "," + std::to_string(c.selLongitud) +
                                 "] key " + std::to_string(c.tecla);
        EXPECT_EQ(KeyAscii, c.resultado) << caso;
        EXPECT_EQ(aceptada, c.resultado != R) << caso;
        // Only an accepted key marks the return as modified.
        EXPECT_EQ(hoja.RegistroModificado, aceptada) << caso;
    }
}

TEST(VerTeclas, ElPrimerCampoBloqueadoRechazaYSinControlDelÚltimoCampoNada) {
    HojaDeclaración hoja;
    hoja.Bloquear(cmbAdministracion, true); // field 0 of the catalogue
    int KeyAscii = 'M';
    EXPECT_FALSE(VerTeclas(hoja, cmbAdministracion, KeyAscii, true));
    EXPECT_EQ(KeyAscii, R);
    KeyAscii = '5';
    EXPECT_TRUE(VerTeclas(hoja, edtCasilla(26), KeyAscii, false));
    EXPECT_EQ(KeyAscii, '5');
}

class Entrada : public ::testing::Test {
  protected:
    HojaConReglas h;
    HojaDeclaración& hoja = h.hoja();

    void Teclear(std::string_view utf8) {
        for (char c : W(utf8))
            hoja.Teclear(static_cast<unsigned char>(c));
    }
};

TEST_F(Entrada, LasCasillasEscribenComaYSeFormateanAlSalir) {
    hoja.Enfocar(edtCasilla(1));
    Teclear("1234.5.6");
    EXPECT_EQ(hoja.Texto(edtCasilla(1)), "1234,56");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(hoja.Texto(edtCasilla(1)), "1.234,56");
    // Entering it again: the editing form, all selected.
    ASSERT_TRUE(hoja.Enfocar(edtCasilla(1)));
    EXPECT_EQ(hoja.Texto(edtCasilla(1)), "1234,56");
    EXPECT_EQ(hoja.SelTexto(edtCasilla(1)), "1234,56");
}

TEST_F(Entrada, SalirDeUnaCasillaRefrescaTodaLaLista) {
    hoja.Enfocar(edtCasilla(13));
    Teclear("-5");
    EXPECT_EQ(hoja.Texto(edtCasilla(13)), "5"); // no minus in box 13
    hoja.Enfocar(edtCasilla(14));
    Teclear("-2");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(hoja.Texto(edtCasilla(14)), "-2,00");
    // The whole return was checked, not only the box.
    EXPECT_EQ(h.Entrada("edtNIF"), "E 2010 N.I.F. obligatorio");
    EXPECT_EQ(h.Entrada("chkFPEfectivo"), "E 4010 Forma de pago obligatorio");
}

TEST_F(Entrada, LasCuentasAvanzanAlLlenarseCadaParte) {
    h.Poner(edtCasilla(13), "100");
    hoja.Pulsar(chkFPCuenta);
    ASSERT_TRUE(hoja.Estado(edtCCCIng(0)).habilitado);
    hoja.Enfocar(edtCCCIng(0));
    Teclear("210");
    EXPECT_EQ(hoja.Foco(), edtCCCIng(0));
    // Backspace with the box one short of full does not move on.
    hoja.Teclear(kTeclaRetroceso);
    EXPECT_EQ(hoja.Foco(), edtCCCIng(0));
    Teclear("00");
    EXPECT_EQ(hoja.Foco(), edtCCCIng(1));
    Teclear("0418");
    EXPECT_EQ(hoja.Foco(), edtCCCIng(2));
    Teclear("45");
    EXPECT_EQ(hoja.Foco(), edtCCCIng(3));
    Teclear("0200051332");
    EXPECT_EQ(hoja.Foco(), edtCCCIng(3)); // the last part stays
    EXPECT_EQ(hoja.Texto(edtCCCIng(0)), "2100");
    EXPECT_EQ(hoja.Texto(edtCCCIng(3)), "0200051332");
}

TEST_F(Entrada, SalirDeComplementariaLaValidaConSusDependientes) {
    h.Poner(edtJustifComp, "123");
    h.Poner(edtCasilla(25), "10");
    // A new return starts with its whole check done: clear one entry to see that leaving this box leaves it.
    h.errores.AnotarError(ListaErrores::kTipoCorrecto, "edtNIF", "", 0, ListaErrores::kSinMensaje);
    hoja.Enfocar(chkComplementaria);
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(h.Entrada("chkComplementaria"), "E 1030 Casilla de autoliquidación complementaria obligatoria");
    EXPECT_EQ(h.Entrada("edtCasilla#25"),
              "E 3271 A deducir solamente para autoliquidaciones complementarias");
    EXPECT_EQ(h.Entrada("edtJustifComp"), "E 1041 Nº de justificante erróneo");
    EXPECT_EQ(h.Entrada("edtNIF"), ""); // only its own blocks
}

namespace {

class BarrasFalsas final : public DesplazamientoHoja {
  public:
    int v = 0, h = 0, mínV = 0, máxV = 20000, mínH = 0, máxH = 20000, alto = 6000, ancho = 12000;
    int fijadasV = 0, fijadasH = 0;
    int ValorV() const override { return v; }
    void FijarV(int valor) override {
        v = valor;
        ++fijadasV;
    }
    int MínimoV() const override { return mínV; }
    int MáximoV() const override { return máxV; }
    int ValorH() const override { return h; }
    void FijarH(int valor) override {
        h = valor;
        ++fijadasH;
    }
    int MínimoH() const override { return mínH; }
    int MáximoH() const override { return máxH; }
    int AltoVisible() const override { return alto; }
    int AnchoVisible() const override { return ancho; }
};

} // namespace

// The payment-account box lies at x 220, y 15830, 3400 x 260 twips, box 07 at x 8220, 2940 wide, the
// administration list at y 420 and the N.I.F. at x 240: a field out of view comes in with 100 twips to spare.
TEST(EnfocarCampo, MueveLasBarrasHastaVerElCampoConMargen) {
    struct Caso {
        IdCampo campo;
        int v0, h0, mín, máx, alto, ancho; // starting bars, the limits of the bar that moves, the view
        int v, h;                          // where the bars are left
    };
    const Caso casos[] = {
        {edtNIF, 0, 0, 0, 20000, 6000, 12000, 0, 0},
        {chkFPCuenta, 0, 0, 0, 20000, 6000, 12000, 10190, 0},
        {chkFPCuenta, 0, 0, 0, 500, 6000, 12000, 500, 0},
        {cmbAdministracion, 9000, 0, 0, 20000, 6000, 12000, 320, 0},
        {cmbAdministracion, 9000, 0, 400, 20000, 6000, 12000, 400, 0},
        {edtCasilla(7), 0, 0, 0, 20000, 20000, 6000, 0, 5260},
        {edtCasilla(7), 0, 0, 0, 1000, 20000, 6000, 0, 1000},
        {edtNIF, 0, 3000, 0, 20000, 6000, 12000, 0, 140},
        {edtNIF, 0, 3000, 500, 20000, 6000, 12000, 0, 500},
        {chkFPCuenta, 0, 0, 0, 20000, 20000, 1000, 0, 120}, // wider than the view: its left edge
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(ClaveCampo(c.campo) + " " + std::to_string(c.v0) + " " + std::to_string(c.h0));
        HojaDeclaración hoja;
        BarrasFalsas b;
        b.v = c.v0, b.h = c.h0, b.alto = c.alto, b.ancho = c.ancho;
        const bool vertical = c.v != c.v0 || c.h == c.h0;
        (vertical ? b.mínV : b.mínH) = c.mín;
        (vertical ? b.máxV : b.máxH) = c.máx;
        EnfocarCampo(hoja, c.campo, &b);
        EXPECT_EQ(b.v, c.v);
        EXPECT_EQ(b.h, c.h);
        EXPECT_EQ(b.fijadasV > 0, c.v != c.v0);
    }
}

TEST(EnfocarCampo, SeleccionaTodoElTextoYSinBarrasNoFalla) {
    HojaDeclaración hoja;
    hoja.EscribirTexto(edtNombre, "RUIZ");
    hoja.EstablecerSelección(edtNombre, 4, 0);
    EnfocarCampo(hoja, edtNombre, nullptr);
    EXPECT_EQ(hoja.SelTexto(edtNombre), "RUIZ");
    EnfocarCampo(hoja, chkFPCuenta, nullptr);
    EnfocarCampo(hoja, kNingúnCampo, nullptr);
}
