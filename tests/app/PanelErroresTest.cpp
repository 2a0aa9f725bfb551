#include "app/PanelErrores.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

TEST(PanelErrores, ArrastrarQuedaEntreElMínimoYUnTercioDelInterior) {
    const int inicial = kAltoInicialPanelErrores;
    // Inside height of the window, Y of each mouse move (twips), the height left.
    // clang-format off
    const std::tuple<int, std::vector<int>, int> casos[] = {
        {9000, {-600}, inicial + 600}, {9000, {600}, inicial - 600}, {9000, {-5000}, 3000},
        {9000, std::vector(7, -300), 3000}, {9000, {5000}, 400}, {9000, {500, 500, 500, 500}, 400},
        {9000, {1100, 200, 200}, 400}, {9000, {1100, -150}, 550}, {900, {-100}, 300}, {900, {100, 100}, 300}};
    // clang-format on
    for (const auto& [altoInterior, movimientos, esperado] : casos) {
        HojaPrueba p;
        PanelErrores panel(*p.ventana);
        panel.Mostrar(true, false);
        panel.Redimensionar(altoInterior);
        for (int Y : movimientos)
            panel.Arrastrar(Y), panel.Redimensionar(altoInterior);
        EXPECT_EQ(panel.Alto(), esperado) << altoInterior << " " << movimientos.front();
    }
}

TEST(PanelErrores, LaVentanaQueEncogeBajaElPanelYSeRepintaConMásDeCincoTwips) {
    HojaPrueba p;
    PanelErrores panel(*p.ventana);
    panel.Mostrar(true, false);
    EXPECT_TRUE(panel.Redimensionar(9000));
    panel.Arrastrar(-5);
    EXPECT_FALSE(panel.Redimensionar(9000));
    panel.Arrastrar(-2);
    EXPECT_TRUE(panel.Redimensionar(9000)); // 7 twips since the last repaint
    panel.Arrastrar(-1500);
    panel.Redimensionar(12000);
    panel.Redimensionar(6000);
    panel.Redimensionar(12000); // the shrinking lowered it to a third; growing again does not raise it
    EXPECT_EQ(panel.Alto(), 2000);
}

TEST(PanelErrores, LasEntradasSeListanPorSuTexto) {
    HojaPrueba p;
    p.ventana->errores.AnotarError(1, "edtCasilla#25", W("Falta"), 3270, -1);
    p.ventana->errores.AnotarError(2, "edtNIF", W("N.I.F. erróneo"), 2010, -1);
    p.ventana->errores.AnotarError(1, "cmbPeriodo", W("Período obligatorio"), 1020, -1);
    p.ventana->errores.AnotarError(1, "edtCasilla#07", W("Cuota"), 3080, -1);
    std::string claves;
    for (const auto& e : PanelErrores(*p.ventana).Entradas())
        claves += e.clave + " ";
    EXPECT_EQ(claves, "cmbPeriodo edtNIF edtCasilla#07 edtCasilla#25 ");
}

TEST(PanelErrores, UnaEntradaLlevaASuCampoSiEstáHabilitadoYSinBloquear) {
    // A check box counts as not locked; box 15 is computed, the exercise locked, the income account disabled.
    // clang-format off
    const std::pair<const char*, IdCampo> casos[] = {
        {"edtCasilla#25", edtCasilla(25)}, {"edtCasilla#07", edtCasilla(7)}, {"edtCasilla#7", edtCasilla(7)},
        {"edtNIF", edtNIF}, {"chkComplementaria", chkComplementaria}, {"cmbPeriodo", cmbPeriodo},
        {"edtCasilla#15", kNingúnCampo}, {"edtEjercicio", kNingúnCampo}, {"edtCCCIng#0", kNingúnCampo},
        {"OK", kNingúnCampo}, {"edtCasilla#99", kNingúnCampo}, {"", kNingúnCampo}};
    // clang-format on
    for (auto [clave, destino] : casos) {
        HojaPrueba p;
        p.Cargar();
        ASSERT_TRUE(p.hoja().Enfocar(edtNombre));
        EXPECT_EQ(PanelErrores(*p.ventana).IrACampo(clave), destino != kNingúnCampo) << clave;
        EXPECT_EQ(p.hoja().Foco(), destino == kNingúnCampo ? edtNombre : destino) << clave;
    }
}

} // namespace
