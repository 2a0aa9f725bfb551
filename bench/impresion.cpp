// Printing an official return: the point-cloud content and its PDF417 bitmap (goal: under
// 20 ms), and the whole print of three copies to the built-in PDF printer (goal: under 500 ms).
#include "print/Impresion.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "platform/qt/ImpresorasQt.h"
#include "print/ContenidoNubePuntos.h"
#include "print/HojaImpresion.h"
#include "print/NubePuntos.h"
#include "support/Dobles.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace m817;

void BM_ContenidoYNubePuntos600(benchmark::State& estado) {
    prueba::CarpetaTemporal carpeta;
    HojaDeclaración hoja;
    prueba::RellenarHojaCompleta(hoja);
    CódigosBarrasZint biblioteca;
    prueba::MensajesTolerantes mensajes;
    RegistroImpresión registro;
    DescripcionesImpresión descripciones;
    for (auto _ : estado) {
        MoverPantallaARegistroImpresión(hoja, {2010, 11, 15, 10, 0, 0}, registro, descripciones);
        const std::string contenido = ContenidoNubePuntos(registro, "8170612345676", "3.2.2");
        benchmark::DoNotOptimize(GenerarNubePuntos(contenido, 600, carpeta, biblioteca, mensajes));
    }
}
BENCHMARK(BM_ContenidoYNubePuntos600)->Unit(benchmark::kMillisecond);

void BM_ImpresiónOficialTresCopiasPdf(benchmark::State& estado) {
    prueba::CarpetaTemporal carpeta;
    HojaDeclaración hoja;
    prueba::RellenarHojaCompleta(hoja);
    prueba::MensajesTolerantes mensajes;
    mensajes.respuesta = Respuesta::Sí; // the already-printed question from the second print on
    ListaErrores errores(mensajes);
    prueba::RelojFijo reloj;
    ImpresorasQt impresoras(carpeta, reloj);
    CódigosBarrasZint códigos;
    AleatorioSistema aleatorio;
    ImpresiónDeclaración impresión(hoja, errores, mensajes, reloj, carpeta, impresoras, códigos, aleatorio,
                                   "3.2.2");
    impresión.acciones.MostrarSelecciónImpresora = [](SelecciónImpresora& d) {
        if (!d.Cargar()) return d.Modo();
        d.Seleccionar(static_cast<int>(d.Entradas().size()) - 1); // the PDF printer
        d.cmdOficial_Click();
        return d.Modo();
    };
    impresión.acciones.GuardarDeclaración = [&](bool) {
        hoja.RegistroModificado = false;
        return true;
    };
    for (auto _ : estado) {
        impresión.Imprimir();
        estado.PauseTiming();
        std::filesystem::remove_all(impresoras.CarpetaImpresiones());
        estado.ResumeTiming();
    }
    if (hoja.Texto(campos::edtNúmeroJustificante).empty()) estado.SkipWithError("no se imprimió");
}
BENCHMARK(BM_ImpresiónOficialTresCopiasPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication aplicación(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
