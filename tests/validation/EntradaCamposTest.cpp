#include "validation/EntradaCampos.h"
#include "model/Disposicion.h"
#include "validation/HojaConReglas.h"

#include <gtest/gtest.h>

#include <functional>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

// ---- the key filter
// ----------------------------------------------------------------------------------------

namespace {

struct CasoTecla {
    IdCampo campo;
    const char* texto; // UTF-8
    int selInicio, selLongitud;
    int tecla;
    int resultado; // code left in KeyAscii
};

constexpr int kRechazo = kCódigoRechazo;
constexpr int kIntro = kTeclaIntro;

const CasoTecla kTeclas[] = {
    // the period: digits and T, a lower-case t in capitals
    {cmbPeriodo, "", 0, 0, '1', '1'},
    {cmbPeriodo, "3", 1, 0, 't', 'T'},
    {cmbPeriodo, "", 0, 0, 'Q', kRechazo},
    {cmbPeriodo, "", 0, 0, '-', kRechazo},
    // the receipt number: digits only
    {edtJustifComp, "", 0, 0, '5', '5'},
    {edtJustifComp, "", 0, 0, 'a', kRechazo},
    // elsewhere the default tables (the character filter's own test goes through them)
    {edtNIF, "", 0, 0, 'a', 'A'},
    {edtNombre, "", 0, 0, '/', kRechazo},
    // control keys pass; Enter goes back as itself so that the sheet moves on
    {edtNIF, "12", 2, 0, kTeclaRetroceso, kTeclaRetroceso},
    {edtNIF, "12", 2, 0, kTeclaEscape, kTeclaEscape},
    {edtNIF, "12", 2, 0, kIntro, kIntro},
    {cmbPeriodo, "", 0, 0, kIntro, kIntro},
    // boxes: the minus only in the boxes that may be negative, at the start, once
    {edtCasilla(13), "", 0, 0, '-', kRechazo},
    {edtCasilla(16), "", 0, 0, '-', kRechazo},
    {edtCasilla(17), "", 0, 0, '-', kRechazo},
    {edtCasilla(18), "", 0, 0, '-', kRechazo},
    {edtCasilla(20), "", 0, 0, '-', kRechazo},
    {edtCasilla(24), "", 0, 0, '-', kRechazo},
    {edtCasilla(13), "", 0, 0, '5', '5'},
    {edtCasilla(14), "", 0, 0, '-', '-'},
    {edtCasilla(1), "", 0, 0, '-', '-'},
    {edtCasilla(7), "", 0, 0, '-', '-'},
    {edtCasilla(19), "", 0, 0, '-', '-'},
    {edtCasilla(21), "", 0, 0, '-', '-'},
    {edtCasilla(25), "", 0, 0, '-', '-'},
    {edtCasilla(14), "5", 0, 0, '-', '-'},
    {edtCasilla(14), "5", 1, 0, '-', kRechazo},
    {edtCasilla(14), "-5", 2, 0, '-', kRechazo},
    {edtCasilla(14), "-5", 0, 2, '-', '-'},
    {edtCasilla(14), "-5", 0, 1, '-', '-'},
    {edtCasilla(14), "-5", 1, 0, '3', '3'},
    {edtCasilla(14), "a", 0, 0, 'a', kRechazo},
    // nothing in front of a minus, not even Enter, unless the minus is selected
    {edtCasilla(14), "-5", 0, 0, '3', kRechazo},
    {edtCasilla(14), "-5", 0, 0, kTeclaRetroceso, kRechazo},
    {edtCasilla(14), "-5", 0, 0, kIntro, kRechazo},
    {edtCasilla(14), "-5", 0, 1, '3', '3'},
    // one comma; a point types a comma
    {edtCasilla(1), "12", 2, 0, '.', ','},
    {edtCasilla(1), "12", 2, 0, ',', ','},
    {edtCasilla(1), "1,2", 3, 0, ',', kRechazo},
    {edtCasilla(1), "1,2", 3, 0, '.', kRechazo},
    {edtCasilla(1), "1,2", 1, 1, '.', ','},
    {edtCasilla(1), "1,2", 0, 3, '7', '7'},
    // a locked field refuses every key but Enter; a box or option counts as locked
    {edtCasilla(26), "", 0, 0, '5', kRechazo},
    {edtCasilla(26), "", 0, 0, kTeclaRetroceso, kRechazo},
    {edtCasilla(26), "", 0, 0, kIntro, kIntro},
    {edtEjercicio, "2010", 0, 4, '1', kRechazo},
    {chkFPEfectivo, "", 0, 0, ' ', kRechazo},
    {chkComplementaria, "", 0, 0, kIntro, kIntro},
    {optResultado(2), "", 0, 0, 'a', kRechazo},
};

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
        EXPECT_EQ(aceptada, c.resultado != kRechazo) << caso;
        // Only an accepted key marks the return as modified.
        EXPECT_EQ(hoja.RegistroModificado, aceptada) << caso;
    }
}

TEST(VerTeclas, ElPrimerCampoDeLaHojaBloqueadoTambiénRechaza) {
    HojaDeclaración hoja;
    ASSERT_EQ(cmbAdministracion, 0); // the first field of the catalogue
    hoja.Bloquear(cmbAdministracion, true);
    int KeyAscii = 'M';
    EXPECT_FALSE(VerTeclas(hoja, cmbAdministracion, KeyAscii, true));
    EXPECT_EQ(KeyAscii, kRechazo);
}

TEST(VerTeclas, SinControlDelÚltimoCampoUnCampoBloqueadoNoRechaza) {
    HojaDeclaración hoja;
    int KeyAscii = '5';
    EXPECT_TRUE(VerTeclas(hoja, edtCasilla(26), KeyAscii, false));
    EXPECT_EQ(KeyAscii, '5');
}

// ---- typing into the sheet
// ----------------------------------------------------------------------------------

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

// ---- scrolling the field into view
// ---------------------------------------------------------------------------

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

struct CasoEnfoque {
    const char* nombre;
    IdCampo campo;
    std::function<void(BarrasFalsas&)> preparar;
    int v, h; // where the bars are left; -1: not moved
};

} // namespace

// The sheet places the payment-account box at x 220, y 15830, 3400 x 260 twips, box 07 at x 8220, 2940 wide,
// the administration list at x 6160, y 420, and the N.I.F. at x 240 near the top; a field out of view is brought in with 100 twips to
// spare, within the bars' limits.
TEST(EnfocarCampo, MueveLasBarrasHastaVerElCampoConMargen) {
    auto vista = [](int alto, int ancho) {
        return [=](BarrasFalsas& b) {
            b.alto = alto;
            b.ancho = ancho;
        };
    };
    const CasoEnfoque casos[] = {
        {"a la vista", edtNIF, nullptr, -1, -1},
        {"debajo", chkFPCuenta, nullptr, 15830 + 260 + 100 - 6000, -1},
        {"debajo, tope", chkFPCuenta, [](BarrasFalsas& b) { b.máxV = 500; }, 500, -1},
        {"encima", cmbAdministracion, [](BarrasFalsas& b) { b.v = 9000; }, 320, -1},
        {"encima, mínimo", cmbAdministracion,
         [](BarrasFalsas& b) {
             b.v = 9000;
             b.mínV = 400;
         },
         400, -1},
        {"a la derecha", edtCasilla(7), vista(20000, 6000), -1, 8220 + 2940 + 100 - 6000},
        {"a la derecha, tope", edtCasilla(7),
         [](BarrasFalsas& b) {
             b.alto = 20000;
             b.ancho = 6000;
             b.máxH = 1000;
         },
         -1, 1000},
        {"a la izquierda", edtNIF, [](BarrasFalsas& b) { b.h = 3000; }, -1, 140},
        {"a la izquierda, mínimo", edtNIF,
         [](BarrasFalsas& b) {
             b.h = 3000;
             b.mínH = 500;
         },
         -1, 500},
        {"más ancho que la vista: su izquierda", chkFPCuenta, vista(20000, 1000), -1, 120},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        HojaDeclaración hoja;
        BarrasFalsas b;
        if (c.preparar) c.preparar(b);
        const int v0 = b.v, h0 = b.h;
        EnfocarCampo(hoja, c.campo, &b);
        EXPECT_EQ(b.v, c.v < 0 ? v0 : c.v);
        EXPECT_EQ(b.h, c.h < 0 ? h0 : c.h);
        if (c.v < 0) {
            EXPECT_EQ(b.fijadasV, 0);
        }
    }
}

TEST(EnfocarCampo, SeleccionaTodoElTextoYSinBarrasNoFalla) {
    HojaDeclaración hoja;
    hoja.EscribirTexto(edtNombre, "RUIZ");
    EnfocarCampo(hoja, edtNombre, nullptr);
    EXPECT_EQ(hoja.SelTexto(edtNombre), "RUIZ");
    EnfocarCampo(hoja, chkFPCuenta, nullptr);
    EnfocarCampo(hoja, kNingúnCampo, nullptr);
}
