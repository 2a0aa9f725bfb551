#include "model/HojaDeclaracion.h"
#include "model/Disposicion.h"

#include <gtest/gtest.h>

#include <set>

using namespace m817;
using namespace m817::campos;

TEST(Catálogo, ClavesYCódigosDeOrden) {
    struct Caso {
        IdCampo id;
        const char* clave;
        int orden;
    };
    // clang-format off
    const Caso casos[] = {
        {edtNIF, "edtNIF", 2010},           {edtNombre, "edtNombre", 2020},
        {cmbPeriodo, "cmbPeriodo", 1020},   {cmbAdministracion, "cmbAdministracion", 10},
        {edtCasilla(7), "edtCasilla#07", 3080}, {edtCasilla(13), "edtCasilla#13", 3150},
        {edtCasilla(25), "edtCasilla#25", 3270}, {edtCasilla(26), "edtCasilla#26", 3280},
        {edtTipos(3), "edtTipos#3", 3330},   {edtCCCIng(2), "edtCCCIng#2", 4030},
        {edtCCCDev(0), "edtCCCDev#0", 5010}, {chkFPCuenta, "chkFPCuenta", 4020},
    };
    // clang-format on
    for (const auto& c : casos) {
        EXPECT_EQ(ClaveCampo(c.id), c.clave);
        EXPECT_EQ(CampoDeClave(c.clave), c.id) << c.clave;
        EXPECT_EQ(Definición(c.id).orden, c.orden) << c.clave;
    }
    EXPECT_EQ(CampoDeClave("edtCasilla#7"), edtCasilla(7)); // the index is a number
    EXPECT_EQ(CampoDeClave("edtCasilla#99"), kNingúnCampo);
    EXPECT_EQ(CampoDeClave("edtCasilla#x"), kNingúnCampo);
    EXPECT_EQ(CampoDeClave("OK"), kNingúnCampo);

    // Codes are unique but for the four parts of an account; 3070 and 3140 are not used.
    std::multiset<int> órdenes;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id)
        if (Definición(id).orden) órdenes.insert(Definición(id).orden);
    for (int o : órdenes)
        EXPECT_EQ(órdenes.count(o), (o == 4030 || o == 5010) ? 4u : 1u) << o;
    EXPECT_EQ(órdenes.count(3070) + órdenes.count(3140), 0u);
    // Every key is unique, and every field has a place on the sheet.
    std::set<std::string> claves;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        EXPECT_TRUE(claves.insert(ClaveCampo(id)).second) << ClaveCampo(id);
        EXPECT_NE(PosiciónCampo(id), nullptr) << ClaveCampo(id);
    }
}

TEST(Catálogo, OrdenDelFocoSaltaCalculadosOcultosYOpciones) {
    auto orden = OrdenFoco();
    ASSERT_EQ(orden.size(), 49u);
    EXPECT_EQ((std::vector<IdCampo>{orden[0], orden[16], orden[17], orden[18], orden[28], orden[48]}),
              (std::vector<IdCampo>{cmbAdministracion, edtFax, edtCasilla(1), edtCasilla(7), edtCasilla(12),
                                    edtCCCDev(3)}));
    for (IdCampo id : orden) {
        const auto& d = Definición(id);
        EXPECT_FALSE(d.calculado || d.oculto || d.tipo == TipoCampo::Opción || id == chkSinActividad)
            << ClaveCampo(id);
    }
}

// The settlement rows of the sheet: each holds its base, rate and quota side by side, under the one before,
// and the sixth lies above box 13.
TEST(Catálogo, LasFilasDeTiposEnSuRenglón) {
    auto y = [](IdCampo id) { return PosiciónCampo(id)->y; };
    auto abajo = [](IdCampo id) { return PosiciónCampo(id)->y + PosiciónCampo(id)->alto; };
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(y(edtTipos(r)), y(edtCasilla(r))) << r;
        EXPECT_EQ(y(edtCasilla(r + 6)), y(edtCasilla(r))) << r;
        if (r < 6) {
            EXPECT_GE(y(edtCasilla(r + 1)), abajo(edtCasilla(r))) << r;
        }
    }
    EXPECT_LE(abajo(edtCasilla(12)), y(edtCasilla(13)));
}

TEST(HojaDeclaración, EstadosDeUnaHojaRecienCreada) {
    HojaDeclaración h;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        const auto& d = Definición(id);
        const auto& s = h.Estado(id);
        EXPECT_EQ(s.texto, "");
        EXPECT_EQ(s.valor, 0);
        EXPECT_EQ(s.bloqueado, d.calculado) << ClaveCampo(id);
        EXPECT_EQ(s.fondo, d.calculado ? kFondoCalculado : kFondoBlanco) << ClaveCampo(id);
        EXPECT_EQ(s.visible, !d.oculto) << ClaveCampo(id);
        bool deshabilitado = Definición(id).nombre == "edtCCCIng" || id == edtFechaImpresión;
        EXPECT_EQ(s.habilitado, !deshabilitado) << ClaveCampo(id);
    }
    EXPECT_EQ(h.OpciónSeleccionada(), 0);
    EXPECT_EQ(h.Foco(), kNingúnCampo);
    // A hidden field takes no focus, and is redrawn once however often it is hidden.
    int redibujados = 0;
    h.AlRedibujar([&](IdCampo) { ++redibujados; });
    h.Mostrar(edtNIF, false);
    h.Mostrar(edtNIF, false);
    EXPECT_FALSE(h.PuedeRecibirFoco(edtNIF));
    EXPECT_EQ(redibujados, 1);
}

TEST(HojaDeclaración, EscribirLoMismoNoAvisaYElProgramaAvisaComoElUsuario) {
    HojaDeclaración h;
    std::vector<std::string> sucesos;
    h.eventos.Change = [&](IdCampo id) { sucesos.push_back("Change " + ClaveCampo(id)); };
    h.eventos.Click = [&](IdCampo id) { sucesos.push_back("Click " + ClaveCampo(id)); };

    h.EscribirTexto(edtNIF, "1");
    h.EscribirTexto(edtNIF, "1");
    h.EscribirValor(chkFPEfectivo, 1);
    h.EscribirValor(chkFPEfectivo, 1);
    h.SeleccionarOpción(optResultado(2));
    h.SeleccionarOpción(optResultado(2));
    h.SeleccionarOpción(optResultado(3));
    h.AñadirEntrada(cmbPeriodo, {"1T", 0});
    h.SeleccionarEntrada(cmbPeriodo, 0);
    h.SeleccionarEntrada(cmbPeriodo, 0);
    EXPECT_EQ(sucesos,
              (std::vector<std::string>{"Change edtNIF", "Click chkFPEfectivo", "Click optResultado#2",
                                        "Click optResultado#3", "Change cmbPeriodo", "Click cmbPeriodo"}));
    EXPECT_EQ(h.Valor(optResultado(2)), 0);
    EXPECT_EQ(h.OpciónSeleccionada(), 3);

    sucesos.clear();
    ASSERT_TRUE(h.Enfocar(edtNombre));
    h.Teclear('A');
    h.Teclear('A'); // the box holds AA now: a change each time
    EXPECT_EQ(sucesos, (std::vector<std::string>{"Change edtNombre", "Change edtNombre"}));
}

TEST(HojaDeclaración, UnaListaQuedaOrdenadaEntradaAEntradaOEnteraConSuElección) {
    // Equal keys (accents and case aside) keep their given order either way; Ávila sorts with the A's.
    const std::vector<EntradaLista> entradas{{"Calle", 1}, {"\xC1vila", 2}, {"AVILA", 3}, {"Avenida", 4},
                                             {"avila", 5}, {"", 6},         {"Zona", 7},  {"\xE1vila", 8}};
    HojaDeclaración una, todas;
    auto códigos = [](const HojaDeclaración& h) {
        std::vector<int> c;
        for (const auto& e : h.Lista(cmbSigla))
            c.push_back(e.código);
        return c;
    };
    for (const auto& e : entradas) {
        una.AñadirEntrada(cmbSigla, e);
        if (e.código == 4) una.SeleccionarEntrada(cmbSigla, 0); // Avenida, ahead of the rest so far
    }
    EXPECT_EQ(una.Texto(cmbSigla), "Avenida");
    EXPECT_EQ(una.Lista(cmbSigla)[una.Posición(cmbSigla)].código, 4); // the choice follows its entry
    todas.AñadirEntrada(cmbSigla, {"Previa", 9});
    todas.SeleccionarEntrada(cmbSigla, 0);
    todas.EstablecerLista(cmbSigla, entradas);
    EXPECT_EQ(códigos(todas), códigos(una));
    EXPECT_EQ(códigos(todas), (std::vector<int>{6, 4, 2, 3, 5, 8, 1, 7}));
    EXPECT_EQ(todas.Posición(cmbSigla), -1);
    EXPECT_EQ(todas.Texto(cmbSigla), "");
    una.VaciarLista(cmbSigla);
    EXPECT_EQ(una.Posición(cmbSigla), -1);
    EXPECT_EQ(una.Texto(cmbSigla), "");
}

TEST(HojaDeclaración, EdiciónDeUnaLíneaComoEnLaVentana) {
    HojaDeclaración h;
    ASSERT_TRUE(h.Enfocar(edtNumero)); // at most 5 characters
    for (char c : std::string("12345"))
        EXPECT_TRUE(h.Teclear(c));
    EXPECT_FALSE(h.Teclear('6'));
    EXPECT_EQ(h.Texto(edtNumero), "12345");
    h.PulsarTecla(TeclaEdición::Inicio);
    h.PulsarTecla(TeclaEdición::Derecha, true);
    h.PulsarTecla(TeclaEdición::Derecha, true);
    EXPECT_EQ(h.SelTexto(edtNumero), "12");
    EXPECT_TRUE(h.Teclear('9')); // replaces the selection
    EXPECT_EQ(h.Texto(edtNumero), "9345");
    EXPECT_EQ(h.SelInicio(edtNumero), 1);
    h.Teclear(kTeclaRetroceso);
    EXPECT_EQ(h.Texto(edtNumero), "345");
    h.PulsarTecla(TeclaEdición::Inicio);
    h.PulsarTecla(TeclaEdición::Fin, true);
    h.PulsarTecla(TeclaEdición::Suprimir);
    EXPECT_EQ(h.Texto(edtNumero), "");

    // A locked field takes no edit.
    ASSERT_TRUE(h.Enfocar(edtEjercicio));
    h.CargarEjercicio(2010);
    EXPECT_FALSE(h.Teclear('1'));
    h.PulsarTecla(TeclaEdición::Suprimir);
    EXPECT_EQ(h.Texto(edtEjercicio), "2010");
}

TEST(HojaDeclaración, ElFocoPasaPorValidateLostFocusYGotFocus) {
    HojaDeclaración h;
    std::vector<std::string> sucesos;
    bool cancelar = false;
    h.eventos.Validate = [&](IdCampo id, bool& c) {
        sucesos.push_back("Validate " + ClaveCampo(id));
        c = cancelar;
    };
    h.eventos.LostFocus = [&](IdCampo id) { sucesos.push_back("LostFocus " + ClaveCampo(id)); };
    h.eventos.GotFocus = [&](IdCampo id) { sucesos.push_back("GotFocus " + ClaveCampo(id)); };
    ASSERT_TRUE(h.Enfocar(edtNIF));
    ASSERT_TRUE(h.Tabular());
    EXPECT_EQ(h.Foco(), edtNombre);
    cancelar = true;
    EXPECT_FALSE(h.Tabular());
    EXPECT_EQ(h.Foco(), edtNombre);
    EXPECT_EQ(sucesos, (std::vector<std::string>{"GotFocus edtNIF", "Validate edtNIF", "LostFocus edtNIF",
                                                 "GotFocus edtNombre", "Validate edtNombre"}));
    // Enter moves on as Tab does; disabled fields are skipped.
    cancelar = false;
    ASSERT_TRUE(h.Enfocar(chkFPCuenta));
    h.Teclear(kTeclaIntro);
    EXPECT_EQ(h.Foco(), edtCCCDev(0)); // the payment account is disabled
    ASSERT_TRUE(h.Tabular(true));
    EXPECT_EQ(h.Foco(), chkFPCuenta);
    // A key handler that asks for a Tab moves on after the key is in.
    h.eventos.KeyPress = [&](IdCampo, int&) { h.EnviarTabulador(); };
    ASSERT_TRUE(h.Enfocar(edtFax));
    h.Teclear('5');
    EXPECT_EQ(h.Texto(edtFax), "5");
    EXPECT_EQ(h.Foco(), edtCasilla(1));
}
