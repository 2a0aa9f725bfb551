#include "model/HojaDeclaracion.h"
#include "model/Disposicion.h"

#include <gtest/gtest.h>

#include <set>

using namespace m817;
using namespace m817::campos;
using V = std::vector<std::string>;

TEST(Catálogo, ClavesDeLosCampos) {
    for (IdCampo id : {edtNIF, edtCasilla(7), edtTipos(3), edtCCCIng(2), chkFPCuenta})
        EXPECT_EQ(CampoDeClave(ClaveCampo(id)), id) << ClaveCampo(id);
    EXPECT_EQ(CampoDeClave("edtCasilla#7"), edtCasilla(7)); // the index is a number
    for (const char* ninguno : {"edtCasilla#99", "edtCasilla#x", "OK"})
        EXPECT_EQ(CampoDeClave(ninguno), kNingúnCampo) << ninguno;
    std::set<std::string> claves; // unique, and every field has a place on the sheet
    for (IdCampo id = 0; id < kNúmeroCampos; ++id)
        EXPECT_TRUE(claves.insert(ClaveCampo(id)).second && PosiciónCampo(id)) << ClaveCampo(id);
}

// Each settlement row: base, rate and quota side by side, under the row before; the sixth above box 13.
TEST(Catálogo, LasFilasDeTiposEnSuRenglón) {
    auto y = [](IdCampo id) { return PosiciónCampo(id)->y; };
    for (int r = 1; r <= 6; ++r) {
        EXPECT_TRUE(y(edtTipos(r)) == y(edtCasilla(r)) && y(edtCasilla(r + 6)) == y(edtCasilla(r))) << r;
        EXPECT_GE(y(r < 6 ? edtCasilla(r + 1) : edtCasilla(13)),
                  y(edtCasilla(r)) + PosiciónCampo(edtCasilla(r))->alto);
    }
}

TEST(HojaDeclaración, EstadosDeUnaHojaRecienCreada) {
    HojaDeclaración h;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        const auto& d = Definición(id);
        const auto& s = h.Estado(id);
        EXPECT_TRUE(s.texto.empty() && s.valor == 0 && s.visible == !d.oculto) << ClaveCampo(id);
        EXPECT_EQ(s.bloqueado, d.calculado) << ClaveCampo(id);
        EXPECT_EQ(s.habilitado, d.nombre != "edtCCCIng" && id != edtFechaImpresión) << ClaveCampo(id);
    }
}

TEST(HojaDeclaración, EscribirLoMismoNoAvisaYElProgramaAvisaComoElUsuario) {
    HojaDeclaración h;
    V sucesos;
    h.eventos.Change = [&](IdCampo id) { sucesos.push_back("Change " + ClaveCampo(id)); };
    h.eventos.Click = [&](IdCampo id) { sucesos.push_back("Click " + ClaveCampo(id)); };
    for (int vez = 0; vez < 2; ++vez) {
        h.EscribirTexto(edtNIF, "1");
        h.EscribirValor(chkFPEfectivo, 1);
        h.SeleccionarOpción(optResultado(2));
    }
    h.SeleccionarOpción(optResultado(3));
    h.AñadirEntrada(cmbPeriodo, {"1T", 0});
    h.SeleccionarEntrada(cmbPeriodo, 0);
    h.SeleccionarEntrada(cmbPeriodo, 0);
    ASSERT_TRUE(h.Enfocar(edtNombre));
    h.Teclear('A');
    h.Teclear('A'); // the box holds AA now: a change each time
    EXPECT_EQ(sucesos,
              (V{"Change edtNIF", "Click chkFPEfectivo", "Click optResultado#2", "Click optResultado#3",
                 "Change cmbPeriodo", "Click cmbPeriodo", "Change edtNombre", "Change edtNombre"}));
}

TEST(HojaDeclaración, UnaListaQuedaOrdenadaEntradaAEntradaOEnteraConSuElección) {
    // Equal keys (accents and case aside) keep their given order either way; Ávila sorts with the A's.
    const std::vector<EntradaLista> entradas{{"Calle", 1}, {"\xC1vila", 2}, {"AVILA", 3}, {"Avenida", 4},
                                             {"avila", 5}, {"", 6},         {"Zona", 7},  {"\xE1vila", 8}};
    HojaDeclaración una, todas;
    for (const auto& e : entradas) {
        una.AñadirEntrada(cmbSigla, e);
        if (e.código == 4) una.SeleccionarEntrada(cmbSigla, 0); // Avenida, ahead of the rest so far
    }
    EXPECT_EQ(una.Lista(cmbSigla)[una.Posición(cmbSigla)].código, 4); // the choice follows its entry
    todas.AñadirEntrada(cmbSigla, {"Previa", 9});
    todas.SeleccionarEntrada(cmbSigla, 0);
    todas.EstablecerLista(cmbSigla, entradas);
    for (const HojaDeclaración* h : {&una, &todas}) {
        std::vector<int> c;
        for (const auto& e : h->Lista(cmbSigla))
            c.push_back(e.código);
        EXPECT_EQ(c, (std::vector<int>{6, 4, 2, 3, 5, 8, 1, 7}));
    }
    EXPECT_TRUE(todas.Posición(cmbSigla) == -1 && todas.Texto(cmbSigla).empty());
}

TEST(HojaDeclaración, EdiciónDeUnaLíneaYElFocoPorValidate) {
    HojaDeclaración h;
    ASSERT_TRUE(h.Enfocar(edtNumero)); // at most 5 characters
    for (char c : std::string("123456"))
        EXPECT_EQ(h.Teclear(c), c != '6');
    EXPECT_EQ(h.Texto(edtNumero), "12345");
    V sucesos;
    bool cancelar = false;
    h.eventos.Validate = [&](IdCampo id, bool& c) { sucesos.push_back("V " + ClaveCampo(id)), c = cancelar; };
    h.eventos.LostFocus = [&](IdCampo id) { sucesos.push_back("L " + ClaveCampo(id)); };
    ASSERT_TRUE(h.Enfocar(edtNIF));
    cancelar = true;
    EXPECT_FALSE(h.Tabular());
    cancelar = false;
    ASSERT_TRUE(h.Tabular());
    EXPECT_EQ(h.Foco(), edtNombre);
    EXPECT_EQ(sucesos, (V{"V edtNumero", "L edtNumero", "V edtNIF", "V edtNIF", "L edtNIF"}));
    ASSERT_TRUE(h.Enfocar(chkFPCuenta));
    h.Teclear(kTeclaIntro); // Enter moves on as Tab does; the disabled payment account is skipped
    EXPECT_EQ(h.Foco(), edtCCCDev(0));
}

TEST(HojaDeclaración, DeshacerVuelveAtrásYOtraVezRehaceSóloEnElCampoEditado) {
    HojaDeclaración h;
    ASSERT_TRUE(h.Enfocar(edtNombre));
    for (char c : std::string("ANA"))
        h.Teclear(c);
    EXPECT_TRUE(h.Deshacer()); // the typed run is one edit
    EXPECT_EQ(h.Texto(edtNombre), "");
    EXPECT_TRUE(h.Deshacer());
    EXPECT_EQ(h.Texto(edtNombre), "ANA");
    ASSERT_TRUE(h.Enfocar(edtNIF));
    EXPECT_FALSE(h.Deshacer());
    EXPECT_EQ(h.Texto(edtNombre), "ANA");
}
