#include "model/Calculo.h"
#include "model/CasillasImporte.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <map>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

class Calculo : public ::testing::Test {
  protected:
    void SetUp() override { p.Cargar(); }

    void Periodo(const char* t) { p.Escribir(cmbPeriodo, t); }
    void Casillas(const std::map<int, std::string>& valores) {
        for (const auto& [i, texto] : valores)
            p.Casilla(i, texto);
        hoja.Enfocar(edtNIF);
    }
    // The option chosen, and the text of each result amount.
    void ResultadoEs(int opción, const std::string& importe) {
        EXPECT_EQ(hoja.OpciónSeleccionada(), opción);
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(hoja.Texto(edtResultado(n)), n == opción ? importe : "") << "edtResultado(" << n << ")";
    }
    std::array<bool, 3> Opciones() {
        return {p.Habilitado(optResultado(1)), p.Habilitado(optResultado(2)), p.Habilitado(optResultado(3))};
    }
    bool CuentaAbierta(IdCampo (*parte)(int)) {
        bool abierta = p.Habilitado(parte(0));
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(p.Habilitado(parte(i)), abierta);
        return abierta;
    }

    HojaPrueba p;
    HojaDeclaración& hoja = p.hoja();
};

} // namespace

TEST(CasillasDeEntrada, LasQueElUsuarioRellena) {
    std::vector<int> entrada;
    for (int i = 0; i <= 27; ++i)
        if (EsCasillaEntrada(i)) entrada.push_back(i);
    EXPECT_EQ(entrada, (std::vector<int>{1, 2, 3, 4, 5, 6, 13, 14, 16, 17, 18, 19, 20, 21, 24, 25}));
}

TEST_F(Calculo, CuotaTecleadaSeVuelveManual) {
    p.Casilla(3, "1000");
    p.Casilla(9, "60");
    p.Casilla(3, "2000");
    EXPECT_EQ(p.TextoCasilla(9), "60,00"); // formatted when the box was left
    EXPECT_EQ(p.TextoCasilla(15), "60,00");
    // Typing the quota the row would give makes it automatic again.
    p.Casilla(9, "100");
    p.Casilla(3, "3000");
    EXPECT_EQ(p.TextoCasilla(9), "150,00");
    // Emptied, the quota is computed again.
    p.Casilla(9, "");
    EXPECT_EQ(p.TextoCasilla(9), "150,00");
    // A lone minus sign is never automatic, though it reads as the 0 an empty row gives.
    hoja.EscribirTexto(edtCasilla(10), "-");
    p.Casilla(4, "100");
    EXPECT_EQ(p.TextoCasilla(10), "-");
    EXPECT_EQ(p.TextoCasilla(15), "150,00");
}

TEST_F(Calculo, CuotaDeCadaFilaConSuTipo) {
    const char* esperadas[] = {"0,00", "4,00", "10,00", "18,00", "26,00", "40,00"};
    p.Casilla(1, "0");
    EXPECT_EQ(p.TextoCasilla(7), "0,00"); // a base of 0 shows 0,00, an empty one nothing
    EXPECT_EQ(p.TextoCasilla(8), "");
    for (int r = 1; r <= 6; ++r)
        p.Casilla(r, "200");
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(p.TextoCasilla(r + 6), esperadas[r - 1]) << "fila " << r;
    EXPECT_EQ(p.TextoCasilla(15), "98,00");
    p.Casilla(2, "");
    EXPECT_EQ(p.TextoCasilla(8), "");
    EXPECT_EQ(p.TextoCasilla(15), "94,00");
}

TEST_F(Calculo, TotalesYRamaDelResultado) {
    struct Caso {
        const char* descripción;
        std::map<int, std::string> casillas;
        std::string t15, t22, t23, t26;
        int opción;
        std::string importe;
        std::array<bool, 3> habilitadas;
        bool pago; // payment boxes enabled
    };
    const std::string límite = "1.000.000.000.000,00";
    // clang-format off
    const Caso casos[] = {
        {"una base", {{3, "1000"}}, "50,00", "", "50,00", "50,00", 1, "50,00", {true, false, false}, true},
        {"a ingresar", {{13, "10"}, {14, "-5,5"}, {24, "1"}, {25, "2"}},
         "4,50", "", "4,50", "1,50", 1, "1,50", {true, false, false}, true},
        {"negativo fuera del cuarto trimestre", {{16, "80"}},
         "", "80,00", "-80,00", "-80,00", 3, "80,00", {false, false, true}, false},
        {"cero con datos", {{3, "1000"}, {17, "50"}},
         "50,00", "50,00", "0,00", "0,00", 3, "0,00", {false, false, true}, false},
        {"compensación de periodos anteriores", {{16, "0"}, {24, "300"}},
         "", "0,00", "0,00", "-300,00", 3, "300,00", {false, false, true}, false},
        {"deducibles sumados", {{16, "1"}, {17, "2"}, {18, "3"}, {19, "4"}, {20, "5"}, {21, "-6"}},
         "", "9,00", "-9,00", "-9,00", 3, "9,00", {false, false, true}, false},
        {"sobre el límite", {{13, "999999999999"}, {14, "1"}},
         límite, "", límite, límite, 0, "", {false, false, false}, false},
        {"bajo el límite negativo", {{16, "999999999999,99"}},
         "", "999.999.999.999,99", "-999.999.999.999,99", "-999.999.999.999,99", 3, "999.999.999.999,99",
         {false, false, true}, false},
    };
    // clang-format on
    for (const auto& c : casos) {
        SCOPED_TRACE(c.descripción);
        HojaPrueba otra;
        otra.Cargar();
        for (const auto& [i, texto] : c.casillas)
            otra.Casilla(i, texto);
        otra.hoja().Enfocar(edtNIF);
        EXPECT_EQ(otra.TextoCasilla(15), c.t15);
        EXPECT_EQ(otra.TextoCasilla(22), c.t22);
        EXPECT_EQ(otra.TextoCasilla(23), c.t23);
        EXPECT_EQ(otra.TextoCasilla(26), c.t26);
        EXPECT_EQ(otra.hoja().OpciónSeleccionada(), c.opción);
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(otra.Texto(edtResultado(n)), n == c.opción ? c.importe : "") << n;
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(otra.Habilitado(optResultado(n)), c.habilitadas[n - 1]) << n;
        EXPECT_EQ(otra.Habilitado(chkFPEfectivo), c.pago);
        EXPECT_EQ(otra.Habilitado(chkFPCuenta), c.pago);
        EXPECT_FALSE(otra.Habilitado(chkSinActividad));
    }
}

TEST_F(Calculo, LaDevoluciónSóloEnElCuartoTrimestre) {
    Casillas({{16, "500"}});
    EXPECT_FALSE(p.Habilitado(optResultado(2))); // 3T
    ResultadoEs(3, "500,00");

    Periodo("4");
    ASSERT_EQ(hoja.Texto(cmbPeriodo), "4T");
    EXPECT_TRUE(p.Habilitado(optResultado(2)));
    ResultadoEs(3, "500,00"); // offered, not chosen

    hoja.Pulsar(optResultado(2));
    ResultadoEs(2, "500,00");
    EXPECT_TRUE(CuentaAbierta(edtCCCDev));
    p.Escribir(edtCCCDev(0), "2100");

    Casillas({{16, "600"}}); // still negative: the refund stays chosen
    ResultadoEs(2, "600,00");
    EXPECT_EQ(hoja.Texto(edtCCCDev(0)), "2100");

    Periodo("1");
    ResultadoEs(3, "600,00");
    EXPECT_FALSE(p.Habilitado(optResultado(2)));
    EXPECT_FALSE(CuentaAbierta(edtCCCDev));
    EXPECT_EQ(hoja.Texto(edtCCCDev(0)), "");

    Periodo("4"); // a zero result is never refunded
    Casillas({{3, "12000"}});
    EXPECT_EQ(p.TextoCasilla(26), "0,00");
    EXPECT_FALSE(p.Habilitado(optResultado(2)));
    ResultadoEs(3, "0,00");
}

TEST_F(Calculo, ClicsQueEligenOpción) {
    Periodo("4");
    Casillas({{16, "70"}});
    struct Caso {
        const char* nombre;
        int índice;
        int opción; // chosen afterwards
    };
    const Caso casos[] = {
        {"lblApartado", 5, 2}, {"lblApartado", 6, 3}, {"lblImporte", 2, 2},  {"lblLetra", 3, 3},
        {"lblLetra", 2, 2},    {"lblApartado", 3, 2}, {"lblApartado", 4, 2}, // 1-3 nothing; 4 disabled
        {"lblImporte", 1, 2},  {"lblLetra", 1, 2},
    };
    for (const auto& c : casos) {
        hoja.eventos.ClickEtiqueta(c.nombre, c.índice);
        EXPECT_EQ(hoja.OpciónSeleccionada(), c.opción) << c.nombre << " " << c.índice;
        EXPECT_EQ(hoja.Texto(edtResultado(c.opción)), "70,00") << c.nombre << " " << c.índice;
    }
    hoja.Pulsar(edtResultado(3));
    EXPECT_EQ(hoja.OpciónSeleccionada(), 3);
    hoja.Pulsar(edtResultado(2));
    EXPECT_EQ(hoja.OpciónSeleccionada(), 2);
    hoja.Pulsar(edtResultado(1));
    EXPECT_EQ(hoja.OpciónSeleccionada(), 2);

    Periodo("3"); // the refund is no longer possible: its captions do nothing
    hoja.eventos.ClickEtiqueta("lblApartado", 5);
    hoja.Pulsar(optResultado(2));
    EXPECT_EQ(hoja.OpciónSeleccionada(), 3);
}

TEST_F(Calculo, FormasDePagoExcluyentes) {
    Casillas({{3, "1000"}});
    hoja.RegistroModificado = false;
    struct Paso {
        IdCampo pulsada;
        int efectivo, cuenta;
        bool cuentaAbierta;
    };
    const Paso pasos[] = {
        {chkFPCuenta, 0, 1, true},    {chkFPCuenta, 0, 1, true}, // clicking the chosen one keeps it
        {chkFPEfectivo, 1, 0, false}, {chkFPEfectivo, 1, 0, false}, {chkFPCuenta, 0, 1, true},
    };
    for (const auto& paso : pasos) {
        p.validaciones.clear();
        hoja.Pulsar(paso.pulsada);
        EXPECT_EQ(hoja.Valor(chkFPEfectivo), paso.efectivo);
        EXPECT_EQ(hoja.Valor(chkFPCuenta), paso.cuenta);
        EXPECT_EQ(CuentaAbierta(edtCCCIng), paso.cuentaAbierta);
        EXPECT_FALSE(hoja.bCambioInterno);
        std::string clave = paso.pulsada == chkFPCuenta ? "chkFPCuenta" : "chkFPEfectivo";
        EXPECT_NE(std::find(p.validaciones.begin(), p.validaciones.end(), std::pair(clave, -1)),
                  p.validaciones.end())
            << clave;
    }
    EXPECT_TRUE(hoja.RegistroModificado);

    // Paying by account keeps its account while the result stays positive...
    p.Escribir(edtCCCIng(0), "2100");
    Casillas({{3, "2000"}});
    EXPECT_EQ(hoja.Valor(chkFPCuenta), 1);
    EXPECT_TRUE(CuentaAbierta(edtCCCIng));
    EXPECT_EQ(hoja.Texto(edtCCCIng(0)), "2100");
    // ...and nothing to pay closes and clears both boxes and the account.
    Casillas({{16, "500"}});
    EXPECT_EQ(hoja.Valor(chkFPCuenta), 0);
    EXPECT_EQ(hoja.Valor(chkFPEfectivo), 0);
    EXPECT_FALSE(p.Habilitado(chkFPCuenta));
    EXPECT_FALSE(CuentaAbierta(edtCCCIng));
    EXPECT_EQ(hoja.Texto(edtCCCIng(0)), "");
}

TEST_F(Calculo, ElIndicadorSinActividadNoLoCambiaElUsuario) {
    EXPECT_TRUE(p.Habilitado(chkSinActividad));
    hoja.Pulsar(chkSinActividad);
    EXPECT_EQ(hoja.Valor(chkSinActividad), 1);
    hoja.EscribirValor(chkSinActividad, 0); // not even the program
    EXPECT_EQ(hoja.Valor(chkSinActividad), 1);

    Casillas({{24, "5"}});
    EXPECT_EQ(hoja.Valor(chkSinActividad), 0);
    hoja.EscribirValor(chkSinActividad, 1);
    EXPECT_EQ(hoja.Valor(chkSinActividad), 0);

    // Every input box empty again: back to no activity.
    Casillas({{24, ""}});
    EXPECT_EQ(hoja.Valor(chkSinActividad), 1);
    EXPECT_TRUE(p.Habilitado(chkSinActividad));
    ResultadoEs(3, "");
    EXPECT_EQ(Opciones(), (std::array<bool, 3>{false, false, true}));
    EXPECT_FALSE(p.Habilitado(chkFPEfectivo));
}

TEST_F(Calculo, LaCasillaQueSeEditaNoMuestraPuntos) {
    p.Casilla(3, "20000");
    EXPECT_EQ(p.TextoCasilla(9), "1.000,00");
    hoja.Enfocar(edtCasilla(9));
    EXPECT_EQ(p.TextoCasilla(9), "1000,00");
    EXPECT_EQ(hoja.SelTexto(edtCasilla(9)), "1000,00");
    hoja.Teclear(kTeclaRetroceso); // emptied: the computed quota comes back, without points
    EXPECT_EQ(p.TextoCasilla(9), "1000,00");
    EXPECT_EQ(p.TextoCasilla(15), "1.000,00"); // computed boxes keep them

    hoja.Enfocar(edtCasilla(4));
    hoja.EscribirTexto(edtCasilla(4), "1.000"); // a typed point is a comma: write it, as a paste might
    EXPECT_EQ(p.TextoCasilla(4), "1000");
    EXPECT_EQ(p.TextoCasilla(10), "90,00");
    EXPECT_EQ(hoja.BaseAnterior[4], 1000);

    hoja.Enfocar(edtCasilla(15)); // a locked box keeps its form
    EXPECT_EQ(p.TextoCasilla(15), "1.090,00");
}

TEST_F(Calculo, LaOpciónYElImportePidenValidarLasCuentas) {
    p.validaciones.clear();
    Casillas({{3, "1000"}});
    auto pedida = [&](const char* clave) {
        return std::find(p.validaciones.begin(), p.validaciones.end(), std::pair(std::string(clave), 0)) !=
               p.validaciones.end();
    };
    EXPECT_TRUE(pedida("edtCCCDev"));
    EXPECT_TRUE(pedida("edtCCCIng"));
}
