// The whole return is checked every time an amount box is left, and every key typed passes the key filter:
// both must go unnoticed. A fully filled return over the real reference tables.
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "model/Listas.h"
#include "platform/Texto1252.h"
#include "support/Dobles.h"
#include "validation/EntradaCampos.h"
#include "validation/Identificadores.h"
#include "validation/ListaErrores.h"
#include "validation/ReglasValidacion.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace {

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

struct HojaLlena {
    MensajesTolerantes mensajes;
    RelojFijo reloj{{2010, 11, 15, 10, 0, 0}};
    CarpetaTemporal carpeta;
    ArchivosPosix archivos;
    std::unique_ptr<frmHoja1> ventana;
    ValidaciónDeclaración* validación = nullptr;
    EntradaCampos* entrada = nullptr;

    HojaLlena() {
        carpeta.CopiarTablasReales();
        ventana = std::make_unique<frmHoja1>(mensajes, reloj, carpeta, archivos);
        validación = &ventana->validación;
        entrada = &ventana->entrada;
        ventana->Form_Load();
        Llenar();
    }

    void Llenar() {
        auto& h = ventana->hoja;
        auto poner = [&](IdCampo id, std::string_view t) { h.EscribirTexto(id, W(t)); };
        h.EscribirValor(chkComplementaria, 1);
        std::string doce = "817061234567";
        poner(edtJustifComp, doce + std::to_string(DígitoControlJustificante(doce)));
        poner(edtNIF, "12345678Z");
        poner(edtNombre, "PEÑA GARCIA, JUAN");
        SeleccionarCódigoCombo(h, cmbSigla, "CL", true);
        poner(edtViaPublica, "MAYOR");
        poner(edtNumero, "12");
        poner(edtEscalera, "A");
        poner(edtPiso, "3");
        poner(edtPuerta, "IZDA");
        poner(edtTelefono, "971000000");
        poner(edtFax, "971000001");
        SeleccionarCódigoCombo(h, cmbProvincia, "7", false);
        bool c = false;
        validación->ValidarCampos("cmbProvincia", -1, c);
        SeleccionarCódigoCombo(h, cmbMunicipio, "7040", false);
        validación->ValidarCampos("cmbMunicipio", -1, c);
        poner(edtCodigoPostal, "07001");
        const char* bases[] = {"1.000,00", "2.000,00", "3.000,00", "4.000,00", "5.000,00", "6.000,00"};
        for (int r = 1; r <= 6; ++r)
            poner(edtCasilla(r), bases[r - 1]);
        for (int i : {13, 14, 16, 17, 18, 19, 20, 21, 24})
            poner(edtCasilla(i), "10,00");
        poner(edtCasilla(25), "5,00");
        h.EscribirValor(chkFPCuenta, 1);
        const std::string eo = "21000418", cuenta = "0200051332";
        poner(edtCCCIng(0), "2100");
        poner(edtCCCIng(1), "0418");
        poner(edtCCCIng(2),
              std::to_string(DígitoControlCCC("00" + eo, 3)) + std::to_string(DígitoControlCCC(cuenta, 1)));
        poner(edtCCCIng(3), cuenta);
    }
};

void BM_ValidarCamposDeclaraciónCompleta(benchmark::State& estado) {
    HojaLlena hoja;
    bool cancelar = false;
    hoja.validación->ValidarCampos("", -1, cancelar);
    if (hoja.ventana->errores.HayErrores() || hoja.ventana->errores.HayAvisos())
        estado.SkipWithError("the return is not clean");
    for (auto _ : estado) {
        hoja.validación->ValidarCampos("", -1, cancelar);
        benchmark::DoNotOptimize(cancelar);
    }
}
BENCHMARK(BM_ValidarCamposDeclaraciónCompleta)->Unit(benchmark::kMicrosecond);

void BM_VerTeclasPorTecla(benchmark::State& estado) {
    HojaLlena hoja;
    auto& h = hoja.ventana->hoja;
    h.EstablecerSelección(edtCasilla(14), 0, 0);
    struct Tecla {
        IdCampo campo;
        int código;
    };
    const std::array<Tecla, 8> teclas = {{{edtNombre, 'a'},
                                          {edtNombre, 0xE9},
                                          {edtCasilla(14), '5'},
                                          {edtCasilla(14), '.'},
                                          {edtCasilla(3), '-'},
                                          {cmbPeriodo, 't'},
                                          {edtJustifComp, '1'},
                                          {edtCasilla(26), '7'}}};
    std::size_t i = 0;
    for (auto _ : estado) {
        int k = teclas[i].código;
        benchmark::DoNotOptimize(hoja.entrada->VerTeclas(teclas[i].campo, k, true));
        benchmark::DoNotOptimize(k);
        i = (i + 1) % teclas.size();
    }
}
BENCHMARK(BM_VerTeclasPorTecla);

} // namespace

BENCHMARK_MAIN();
