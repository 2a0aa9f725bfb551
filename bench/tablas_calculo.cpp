// The start-up tables are read before the sheet shows, a province's municipalities each time the province
// changes, and the calculation after every key typed in a box: none of them may be felt.
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "model/Tablas.h"
#include "support/Dobles.h"

#include <benchmark/benchmark.h>

namespace {

using namespace m817;
using namespace m817::campos;

struct Entorno {
    prueba::CarpetaTemporal carpeta;
    prueba::MensajesTolerantes mensajes;
    prueba::RelojFijo reloj;
    Entorno() { carpeta.CopiarTablasReales(); }
};

void BM_TablasDeArranque(benchmark::State& estado) {
    Entorno e;
    for (auto _ : estado) {
        HojaDeclaración hoja;
        CargarTabla(hoja, cmbAdministracion, kTablaAdministraciones, false, e.carpeta, e.mensajes);
        CargarTabla(hoja, cmbSigla, kTablaSiglas, true, e.carpeta, e.mensajes);
        CargarTabla(hoja, cmbProvincia, kTablaProvincias, false, e.carpeta, e.mensajes);
        CargarPeriodos(hoja);
        CargarMunicipiosAdministraciones(hoja, e.carpeta, e.mensajes);
        benchmark::DoNotOptimize(hoja.colMunicipiosAdministraciones.size());
    }
    if (!e.mensajes.mostrados.empty()) estado.SkipWithError("a table did not load");
}
BENCHMARK(BM_TablasDeArranque)->Unit(benchmark::kMillisecond);

void BM_MunicipiosDeUnaProvincia(benchmark::State& estado) {
    Entorno e;
    HojaDeclaración hoja;
    for (auto _ : estado) {
        CargarTabla(hoja, cmbMunicipio, kTablaMunicipios, false, e.carpeta, e.mensajes, RangoProvincia(9));
        benchmark::DoNotOptimize(hoja.Lista(cmbMunicipio).size());
    }
    if (hoja.Lista(cmbMunicipio).size() != 371)
        estado.SkipWithError("province 09 should have 371 municipalities");
}
BENCHMARK(BM_MunicipiosDeUnaProvincia)->Unit(benchmark::kMillisecond);

// One key typed in a base box: its text changes, and the quotas, totals and result follow.
void BM_CálculoDeUnaTecla(benchmark::State& estado) {
    Entorno e;
    ArchivosPosix archivos;
    frmHoja1 ventana(e.mensajes, e.reloj, e.carpeta, archivos);
    ventana.Form_Load();
    auto& hoja = ventana.hoja;
    for (int i : {1, 2, 4, 13, 16, 17, 24})
        hoja.EscribirTexto(edtCasilla(i), std::to_string(i * 1000) + ",50");
    const std::string bases[] = {"123456", "1234567"};
    int n = 0;
    for (auto _ : estado) {
        hoja.EscribirTexto(edtCasilla(3), bases[n]);
        n ^= 1;
    }
    if (hoja.Texto(edtCasilla(9)).empty()) estado.SkipWithError("the quota was not computed");
}
BENCHMARK(BM_CálculoDeUnaTecla)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
