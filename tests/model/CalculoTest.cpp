#include "model/Calculo.h"
#include "model/CasillasImporte.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

class Calculo : public ::testing::Test {
  protected:
    void SetUp() override { p.Cargar(); }
    void Casillas(const std::map<int, std::string>& valores) {
        for (const auto& [i, texto] : valores)
            p.Casilla(i, texto);
        hoja.Enfocar(edtNIF);
    }
    void ResultadoEs(int opción, const std::string& importe) {
        EXPECT_EQ(hoja.OpciónSeleccionada(), opción);
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(hoja.Texto(edtResultado(n)), n == opción ? importe : "") << "edtResultado(" << n << ")";
    }
    bool CuentaAbierta(IdCampo (*parte)(int)) {
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(p.Habilitado(parte(i)), p.Habilitado(parte(0)));
        return p.Habilitado(parte(0));
    }
    HojaPrueba p;
    HojaDeclaración& hoja = p.hoja();
};

} // namespace

TEST_F(Calculo, CuotaTecleadaSeVuelveManual) {
    p.Casilla(3, "1000");
    p.Casilla(9, "60");
    p.Casilla(3, "2000");
    EXPECT_EQ(p.TextoCasilla(15), "60,00");
    p.Casilla(9, "100"); // the quota the row would give: automatic again
    p.Casilla(3, "3000");
    EXPECT_EQ(p.TextoCasilla(9), "150,00");
}

TEST(Calculos, TotalesYRamaDelResultado) {
    // Boxes 15|22|23|26|option chosen|results 1, 2 and 3|options enabled|payment boxes enabled.
    // clang-format off
    const std::pair<std::map<int, std::string>, std::string> casos[] = {
        {{{1, "200"}, {2, "200"}, {3, "200"}, {4, "200"}, {5, "200"}, {6, "200"}}, // 0, 4, 10, 18, 26 and 40
         "98,00||98,00|98,00|1|98,00|||100|2"},
        {{{13, "10"}, {14, "-5,5"}, {24, "1"}, {25, "2"}}, "4,50||4,50|1,50|1|1,50|||100|2"},
        {{{16, "80"}}, "|80,00|-80,00|-80,00|3|||80,00|001|0"}, // no refund outside the fourth quarter
        {{{3, "1000"}, {17, "50"}}, "50,00|50,00|0,00|0,00|3|||0,00|001|0"},
        {{{16, "0"}, {24, "300"}}, "|0,00|0,00|-300,00|3|||300,00|001|0"},
        {{{16, "1"}, {17, "2"}, {18, "3"}, {19, "4"}, {20, "5"}, {21, "-6"}}, "|9,00|-9,00|-9,00|3|||9,00|001|0"},
        {{{13, "999999999999"}, {14, "1"}},
         "1.000.000.000.000,00||1.000.000.000.000,00|1.000.000.000.000,00|0||||000|0"},
        {{{16, "999999999999,99"}},
         "|999.999.999.999,99|-999.999.999.999,99|-999.999.999.999,99|3|||999.999.999.999,99|001|0"},
    };
    // clang-format on
    for (const auto& [casillas, esperado] : casos) {
        HojaPrueba p;
        p.Cargar();
        for (const auto& [i, texto] : casillas)
            p.Casilla(i, texto);
        p.hoja().Enfocar(edtNIF);
        std::string r;
        for (int i : {15, 22, 23, 26})
            r += p.TextoCasilla(i) + "|";
        r += std::to_string(p.hoja().OpciónSeleccionada());
        for (int n = 1; n <= 3; ++n)
            r += "|" + p.Texto(edtResultado(n)) + (n == 3 ? "|" : "");
        for (int n = 1; n <= 3; ++n)
            r += p.Habilitado(optResultado(n)) ? "1" : "0";
        EXPECT_EQ(r + "|" + std::to_string(p.Habilitado(chkFPEfectivo) + p.Habilitado(chkFPCuenta)),
                  esperado);
    }
}

TEST_F(Calculo, LaDevoluciónSóloEnElCuartoTrimestre) {
    Casillas({{16, "500"}});
    p.Escribir(cmbPeriodo, "4");
    EXPECT_TRUE(p.Habilitado(optResultado(2)));
    ResultadoEs(3, "500,00"); // offered, not chosen
    hoja.Pulsar(optResultado(2));
    EXPECT_TRUE(CuentaAbierta(edtCCCDev));
    p.Escribir(edtCCCDev(0), "2100");
    Casillas({{16, "600"}}); // still negative: the refund stays chosen
    ResultadoEs(2, "600,00");
    EXPECT_EQ(hoja.Texto(edtCCCDev(0)), "2100");
    p.Escribir(cmbPeriodo, "1");
    ResultadoEs(3, "600,00");
    EXPECT_FALSE(p.Habilitado(optResultado(2)) || CuentaAbierta(edtCCCDev));
    EXPECT_EQ(hoja.Texto(edtCCCDev(0)), "");
}

TEST_F(Calculo, ClicsQueEligenOpción) {
    p.Escribir(cmbPeriodo, "4");
    Casillas({{16, "70"}});
    // clang-format off
    const std::tuple<const char*, int, int> casos[] = { // caption, index, option chosen afterwards
        {"lblApartado", 5, 2}, {"lblApartado", 6, 3}, {"lblImporte", 2, 2}, {"lblLetra", 3, 3}, {"lblLetra", 2, 2},
        {"lblApartado", 3, 2}, {"lblApartado", 4, 2}, {"lblImporte", 1, 2}, {"lblLetra", 1, 2}, // 1-3 none, 4 off
    };
    // clang-format on
    for (const auto& [nombre, índice, opción] : casos) {
        hoja.eventos.ClickEtiqueta(nombre, índice);
        EXPECT_EQ(hoja.OpciónSeleccionada(), opción) << nombre << " " << índice;
        EXPECT_EQ(hoja.Texto(edtResultado(opción)), "70,00") << nombre << " " << índice;
    }
}

TEST_F(Calculo, FormasDePagoExcluyentes) {
    Casillas({{3, "1000"}});
    // clang-format off
    const std::tuple<IdCampo, int, int, bool> pasos[] = { // clicked, cash, account, account open
        {chkFPCuenta, 0, 1, true}, {chkFPCuenta, 0, 1, true}, // clicking the chosen one keeps it
        {chkFPEfectivo, 1, 0, false}, {chkFPEfectivo, 1, 0, false}, {chkFPCuenta, 0, 1, true},
    };
    // clang-format on
    for (const auto& [pulsada, efectivo, cuenta, abierta] : pasos) {
        p.validaciones.clear();
        hoja.Pulsar(pulsada);
        EXPECT_EQ(hoja.Valor(chkFPEfectivo), efectivo);
        EXPECT_EQ(hoja.Valor(chkFPCuenta), cuenta);
        EXPECT_EQ(CuentaAbierta(edtCCCIng), abierta);
        const std::string clave = pulsada == chkFPCuenta ? "chkFPCuenta" : "chkFPEfectivo";
        EXPECT_NE(std::ranges::find(p.validaciones, std::pair(clave, -1)), p.validaciones.end());
    }
    p.Escribir(edtCCCIng(0), "2100");
    Casillas({{16, "500"}}); // nothing to pay closes and clears both boxes and the account
    EXPECT_EQ(hoja.Valor(chkFPCuenta) + hoja.Valor(chkFPEfectivo), 0);
    EXPECT_FALSE(p.Habilitado(chkFPCuenta) || CuentaAbierta(edtCCCIng));
    EXPECT_EQ(hoja.Texto(edtCCCIng(0)), "");
}
