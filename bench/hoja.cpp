// What the user waits for on the sheet itself: the sheet made ready at start-up (the reference tables and a
// new declaration, with the clock in 2010 so that no exercise warning stops it), and one key typed in an
// amount box with everything it sets off: the key filter, the edit, the calculation of quotas, totals and
// result, and the check of that one box.
#include "app/Hoja.h"
#include "model/Listas.h"
#include "platform/ArchivosPosix.h"
#include "platform/Teclas.h"
#include "support/Dobles.h"

#include <benchmark/benchmark.h>

namespace {

using namespace m817;
using namespace m817::campos;

struct Entorno {
    prueba::CarpetaTemporal carpeta;
    prueba::MensajesTolerantes mensajes;
    prueba::RelojFijo reloj{{2010, 11, 15, 10, 0, 0}};
    ArchivosPosix archivos;
    Entorno() { carpeta.CopiarTablasReales(); }
};

void BM_HojaLista(benchmark::State& estado) {
    Entorno e;
    for (auto _ : estado) {
        frmHoja1 ventana(e.mensajes, e.reloj, e.carpeta, e.archivos);
        ventana.Form_Load();
        benchmark::DoNotOptimize(ventana.hoja.Lista(cmbProvincia).size());
    }
    if (!e.mensajes.mostrados.empty()) estado.SkipWithError("start-up showed a message");
}
BENCHMARK(BM_HojaLista)->Unit(benchmark::kMillisecond);

// A filled return; keys in base box 3, so that the text, the quota of its row, the totals and the result
// change with every key.
void BM_TeclaEnCasilla(benchmark::State& estado) {
    Entorno e;
    frmHoja1 ventana(e.mensajes, e.reloj, e.carpeta, e.archivos);
    ventana.Form_Load();
    auto& h = ventana.hoja;
    for (int i : {1, 2, 4, 13, 16, 17, 24})
        h.EscribirTexto(edtCasilla(i), std::to_string(i * 1000) + ",50");
    h.EscribirTexto(edtNIF, "12345678Z");
    // The administration is chosen first, as the sheet asks before it lets the user go on.
    SeleccionarCódigoCombo(h, cmbAdministracion, "701", false);
    const IdCampo casilla = edtCasilla(3);
    if (!h.Enfocar(casilla)) estado.SkipWithError("the box did not take the focus");
    h.EscribirTexto(casilla, "123456");
    bool cancelar = false;
    ventana.ValidarCampos("edtCasilla", 3, cancelar);
    const std::string antes = h.Texto(casilla);
    // Each round types a digit at the end and takes it back, then checks the box: two keys and a check,
    // so a single key costs less than a round.
    for (auto _ : estado) {
        const int fin = static_cast<int>(h.Texto(casilla).size());
        h.EstablecerCursor(casilla, fin, fin);
        h.Teclear('7');
        h.Teclear(kTeclaRetroceso);
        ventana.ValidarCampos("edtCasilla", 3, cancelar);
    }
    if (h.Texto(casilla) != antes || h.Texto(edtCasilla(9)).empty())
        estado.SkipWithError("the keys did not reach the box or the calculation");
}
BENCHMARK(BM_TeclaEnCasilla)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
