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

int C(const char* utf8) {
    return static_cast<unsigned char>(W(utf8)[0]);
}

const CasoTecla kTeclas[] = {
    // the period: digits and T, a lower-case t in capitals
    {cmbPeriodo, "", 0, 0, '1', '1'},
    {cmbPeriodo, "3", 1, 0, 't', 'T'},
    {cmbPeriodo, "", 0, 0, 'Q', kRechazo},
    {cmbPeriodo, "", 0, 0, '-', kRechazo},
    // the receipt number: digits only
    {edtJustifComp, "", 0, 0, '5', '5'},
    {edtJustifComp, "", 0, 0, 'a', kRechazo},
    // elsewhere the default tables: capitals, accents removed
    {edtNIF, "", 0, 0, 'a', 'A'},
    {edtNombre, "", 0, 0, C("é"), 'E'},
    {edtNombre, "", 0, 0, C("ñ"), C("Ñ")},
    {edtNombre, "", 0, 0, C("ç"), kRechazo},
    {edtNombre, "", 0, 0, '/', kRechazo},
    {edtNombre, "", 0, 0, ' ', ' '},
    {cmbSigla, "", 0, 0, 'c', 'C'},
    {edtCCCIng(0), "", 0, 0, '7', '7'},
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
    // The main window's paste: every character through the key filter, inserted only when accepted.
    void Pegar(std::string_view texto) {
        for (char c : texto) {
            int k = static_cast<unsigned char>(c);
            if (h.entrada.VerTeclas(hoja.Foco(), k, true) && k >= 32)
                hoja.InsertarCarácter(static_cast<char>(k));
        }
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

TEST_F(Entrada, IntroPasaAlCampoSiguiente) {
    hoja.Enfocar(edtNIF);
    hoja.RegistroModificado = false;
    EXPECT_TRUE(hoja.Teclear(kTeclaIntro));
    EXPECT_EQ(hoja.Foco(), edtNombre);
    EXPECT_TRUE(hoja.RegistroModificado);
    Teclear("Peña");
    EXPECT_EQ(Utf8(hoja.Texto(edtNombre)), "PEÑA");
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

TEST_F(Entrada, ElPeriodoAdmiteDosCaracteresYEscapeLoVacía) {
    hoja.Enfocar(cmbPeriodo);
    Teclear("2");
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "2T"); // completed, "T" selected
    Teclear("t");
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "2T");
    hoja.EstablecerSelección(cmbPeriodo, 2, 0);
    Teclear("1");
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "2T");
    hoja.Teclear(kTeclaEscape);
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "");
}

TEST_F(Entrada, PegarPasaPorElMismoFiltro) {
    hoja.Enfocar(edtJustifComp);
    Pegar("12a4");
    EXPECT_EQ(hoja.Texto(edtJustifComp), "124");
    h.p.mensajes.EsperarError("Nº de justificante erróneo");
    hoja.Enfocar(edtNombre);
    Pegar(W("García/López"));
    EXPECT_EQ(hoja.Texto(edtNombre), "GARCIALOPEZ");
}

TEST_F(Entrada, UnCampoBloqueadoSoloDejaPasarIntro) {
    // The municipality fixes the administration, which is then locked.
    h.Elegir(cmbProvincia, "7");
    h.Validar("cmbProvincia");
    h.Elegir(cmbMunicipio, "7040");
    h.Validar("cmbMunicipio");
    ASSERT_TRUE(hoja.Estado(cmbAdministracion).bloqueado);
    hoja.Enfocar(cmbAdministracion);
    EXPECT_FALSE(hoja.Teclear('x'));
    EXPECT_FALSE(hoja.Teclear(kTeclaRetroceso));
    EXPECT_EQ(hoja.Texto(cmbAdministracion), "Palma");
    EXPECT_TRUE(hoja.Teclear(kTeclaIntro));
    EXPECT_EQ(hoja.Foco(), cmbPeriodo);
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

TEST_F(Entrada, AlEntrarEnLaProvinciaRecuerdaSuPosición) {
    h.Elegir(cmbProvincia, "9");
    hoja.AbrirDesplegable(cmbProvincia);   // opening the list counts as entering it
    EXPECT_EQ(hoja.iProvinciaAnterior, 1); // Barcelona, Burgos, Illes Balears
    h.Elegir(cmbProvincia, "8");
    hoja.Enfocar(cmbProvincia);
    EXPECT_EQ(hoja.iProvinciaAnterior, 0);
    EXPECT_EQ(hoja.SelTexto(cmbProvincia), "Barcelona");
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
    std::function<int(const ElementoHoja&)> v, h; // expected values; null: left alone
};

} // namespace

TEST(EnfocarCampo, MueveLasBarrasHastaVerElCampoConMargen) {
    const CasoEnfoque casos[] = {
        {"a la vista", edtNIF, nullptr, nullptr, nullptr},
        {"debajo", edtCasilla(25), nullptr, [](auto& e) { return e.y + e.alto + 100 - 6000; }, nullptr},
        {"debajo, tope", edtCasilla(25), [](BarrasFalsas& b) { b.máxV = 500; }, [](auto&) { return 500; },
         nullptr},
        {"encima", cmbAdministracion, [](BarrasFalsas& b) { b.v = 9000; }, [](auto& e) { return e.y - 100; },
         nullptr},
        {"encima, mínimo", cmbAdministracion,
         [](BarrasFalsas& b) {
             b.v = 9000;
             b.mínV = 400;
         },
         [](auto&) { return 400; }, nullptr},
        {"a la derecha", edtCasilla(7),
         [](BarrasFalsas& b) {
             b.alto = 20000;
             b.ancho = 6000;
         },
         nullptr, [](auto& e) { return e.x + e.ancho + 100 - 6000; }},
        {"a la derecha, tope", edtCasilla(7),
         [](BarrasFalsas& b) {
             b.alto = 20000;
             b.ancho = 6000;
             b.máxH = 1000;
         },
         nullptr, [](auto&) { return 1000; }},
        {"a la izquierda", edtNIF, [](BarrasFalsas& b) { b.h = 3000; }, nullptr,
         [](auto& e) { return e.x - 100; }},
        {"a la izquierda, mínimo", edtNIF,
         [](BarrasFalsas& b) {
             b.h = 3000;
             b.mínH = 500;
         },
         nullptr, [](auto&) { return 500; }},
        {"más ancho que la vista", edtCasilla(7),
         [](BarrasFalsas& b) {
             b.alto = 20000;
             b.ancho = 1000;
         },
         nullptr, [](auto& e) { return e.x - 100; }},
        {"casilla de verificación", chkFPCuenta, nullptr, [](auto& e) { return e.y + e.alto + 100 - 6000; },
         nullptr},
    };
    for (const auto& c : casos) {
        HojaDeclaración hoja;
        BarrasFalsas b;
        if (c.preparar) c.preparar(b);
        const int v0 = b.v, h0 = b.h;
        const ElementoHoja& e = *PosiciónCampo(c.campo);
        EnfocarCampo(hoja, c.campo, &b);
        EXPECT_EQ(b.v, c.v ? c.v(e) : v0) << c.nombre;
        EXPECT_EQ(b.h, c.h ? c.h(e) : h0) << c.nombre;
        if (!c.v) {
            EXPECT_EQ(b.fijadasV, 0) << c.nombre;
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

TEST(EnfocarCampo, RecibirElFocoDesplazaLaHoja) {
    HojaConReglas h;
    BarrasFalsas b;
    h.entrada.FijarDesplazamiento(&b);
    h.hoja().Enfocar(edtCasilla(25));
    const ElementoHoja& e = *PosiciónCampo(edtCasilla(25));
    EXPECT_EQ(b.v, e.y + e.alto + 100 - b.alto);
}
