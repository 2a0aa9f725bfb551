// The error panel's rules: its height as the window is resized and the bar dragged, the order of its
// entries, showing it, and going from an entry to its field.
#include "app/PanelErrores.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

// Drags from the first height, within a window whose inside is altoInterior twips high.
struct CasoArrastre {
    const char* qué;
    int altoInterior;
    std::vector<int> movimientos; // Y of each mouse move, twips
    int esperado;
};

TEST(PanelErrores, ArrastrarQuedaEntreElMínimoYUnTercioDelInterior) {
    const int inicial = kAltoInicialPanelErrores;
    const CasoArrastre casos[] = {
        {"hacia arriba", 9000, {-600}, inicial + 600},
        {"hacia abajo", 9000, {600}, inicial - 600},
        {"muy arriba: un tercio", 9000, {-5000}, 3000},
        {"en pasos, más allá del tercio", 9000, {-300, -300, -300, -300, -300, -300, -300}, 3000},
        {"muy abajo: el mínimo", 9000, {5000}, 400},
        {"en pasos, más allá del mínimo", 9000, {500, 500, 500, 500}, 400},
        {"en el mínimo y más abajo", 9000, {1100, 200, 200}, 400},
        {"del mínimo hacia arriba", 9000, {1100, -150}, 550},
        {"ventana baja: el tercio manda", 900, {-100}, 300},
        {"ventana baja, hacia abajo", 900, {100, 100}, 300}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.qué);
        HojaPrueba p;
        PanelErrores panel(*p.ventana);
        panel.Mostrar(true, false);
        panel.Redimensionar(c.altoInterior);
        for (int Y : c.movimientos) {
            panel.Arrastrar(Y);
            panel.Redimensionar(c.altoInterior);
            EXPECT_LE(panel.Alto(), panel.AltoMáximo());
        }
        EXPECT_EQ(panel.Alto(), c.esperado);
    }
}

TEST(PanelErrores, LaVentanaQueEncogeBajaElPanelYNoLoSubeAlCrecer) {
    HojaPrueba p;
    PanelErrores panel(*p.ventana);
    panel.Redimensionar(12000);
    panel.Arrastrar(-1500);
    panel.Redimensionar(12000);
    ASSERT_EQ(panel.Alto(), 3000);
    panel.Redimensionar(6000);
    EXPECT_EQ(panel.Alto(), 2000);
    EXPECT_EQ(panel.AltoMáximo(), 2000);
    panel.Redimensionar(12000);
    EXPECT_EQ(panel.Alto(), 2000);
    // Hidden, it keeps its height for the next time it is shown.
    panel.Mostrar(false, false);
    panel.Mostrar(true, false);
    EXPECT_EQ(panel.Alto(), 2000);
    // In a window whose third is below the minimum, a drag down from the minimum gives the third.
    panel.Redimensionar(900);
    panel.Arrastrar(100);
    EXPECT_EQ(panel.Alto(), 400);
    panel.Arrastrar(100);
    EXPECT_EQ(panel.Alto(), 300);
}

TEST(PanelErrores, SeRepintaSóloVisibleYConMásDeCincoTwipsDeDiferencia) {
    HojaPrueba p;
    PanelErrores panel(*p.ventana);
    EXPECT_FALSE(panel.Redimensionar(9000)); // hidden
    panel.Mostrar(true, false);
    EXPECT_TRUE(panel.Redimensionar(9000));
    EXPECT_FALSE(panel.Redimensionar(9000));
    panel.Arrastrar(-5);
    EXPECT_FALSE(panel.Redimensionar(9000));
    panel.Arrastrar(-2);
    EXPECT_TRUE(panel.Redimensionar(9000)); // 7 twips since the last repaint
}

TEST(PanelErrores, LasEntradasSeListanPorSuTexto) {
    HojaPrueba p;
    auto& errores = p.ventana->errores;
    errores.AnotarError(1, "edtCasilla#25", W("Falta"), 3270, -1);
    errores.AnotarError(2, "edtNIF", W("N.I.F. erróneo"), 2010, -1);
    errores.AnotarError(1, "cmbPeriodo", W("Período obligatorio"), 1020, -1);
    errores.AnotarError(1, "edtCasilla#07", W("Cuota"), 3080, -1);
    PanelErrores panel(*p.ventana);
    std::vector<std::string> claves;
    for (const auto& e : panel.Entradas())
        claves.push_back(e.clave);
    EXPECT_EQ(claves, (std::vector<std::string>{"cmbPeriodo", "edtNIF", "edtCasilla#07", "edtCasilla#25"}));
}

TEST(PanelErrores, MostrarConComprobaciónRehaceLaListaEntera) {
    HojaPrueba p;
    p.Cargar();
    PanelErrores panel(*p.ventana);
    auto hayNIF = [&] { return p.ventana->errores.Buscar("edtNIF") != nullptr; };

    panel.Mostrar(true, true);
    EXPECT_TRUE(panel.Visible());
    ASSERT_TRUE(hayNIF());
    // The NIF fixed without leaving the field: its entry goes at the next showing that checks.
    p.hoja().EscribirTexto(edtNIF, "12345678Z");
    p.validaciones.clear();
    panel.Mostrar(true, false);
    panel.Mostrar(false, true);
    EXPECT_TRUE(p.validaciones.empty());
    EXPECT_TRUE(hayNIF());
    panel.Mostrar(true, true);
    EXPECT_EQ(p.validaciones, (std::vector<std::pair<std::string, int>>{{"", -1}}));
    EXPECT_FALSE(hayNIF());
}

TEST(PanelErrores, UnaEntradaLlevaASuCampoSiEstáHabilitadoYSinBloquear) {
    struct Caso {
        const char* clave;
        IdCampo destino; // kNingúnCampo: the focus stays where it was
    };
    const Caso casos[] = {{"edtCasilla#25", edtCasilla(25)},
                          {"edtCasilla#07", edtCasilla(7)},
                          {"edtCasilla#7", edtCasilla(7)},
                          {"edtCasilla#19", edtCasilla(19)},
                          {"edtNIF", edtNIF},
                          {"chkComplementaria", chkComplementaria}, // a check box counts as not locked
                          {"cmbPeriodo", cmbPeriodo},
                          {"edtCasilla#15", kNingúnCampo}, // computed: locked
                          {"edtEjercicio", kNingúnCampo},  // locked
                          {"edtCCCIng#0", kNingúnCampo},   // disabled in a new return
                          {"OK", kNingúnCampo},
                          {"edtCasilla", kNingúnCampo},
                          {"edtCasilla#99", kNingúnCampo},
                          {"", kNingúnCampo}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.clave);
        HojaPrueba p;
        p.Cargar();
        PanelErrores panel(*p.ventana);
        ASSERT_TRUE(p.hoja().Enfocar(edtNombre));
        const bool fue = panel.IrACampo(c.clave);
        EXPECT_EQ(fue, c.destino != kNingúnCampo);
        EXPECT_EQ(p.hoja().Foco(), c.destino == kNingúnCampo ? edtNombre : c.destino);
    }
}

TEST(PanelErrores, IrAlCampoQueYaTieneElFocoLoSeleccionaEntero) {
    HojaPrueba p;
    p.Cargar();
    PanelErrores panel(*p.ventana);
    p.Escribir(edtNombre, "Ruiz");
    ASSERT_EQ(p.hoja().SelLongitud(edtNombre), 0);
    EXPECT_TRUE(panel.IrACampo("edtNombre"));
    EXPECT_EQ(p.hoja().SelLongitud(edtNombre), 4);
}

TEST(PanelErrores, UnCampoQueNoSePuedeDejarRetieneElFoco) {
    HojaPrueba p;
    p.Cargar();
    PanelErrores panel(*p.ventana);
    p.Escribir(cmbProvincia, "Zz");
    // Getting the focus, the list checks the field first; going to another field checks it again.
    p.mensajes.EsperarError("Provincia errónea");
    panel.AlRecibirFoco();
    EXPECT_FALSE(p.mensajes.Pendientes());
    p.mensajes.EsperarError("Provincia errónea");
    EXPECT_FALSE(panel.IrACampo("edtNIF"));
    EXPECT_EQ(p.hoja().Foco(), cmbProvincia);
}

} // namespace
