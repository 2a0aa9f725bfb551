// The point cloud of an official print: the 756-character content as a PDF417 bitmap
// for a 600-dpi printer, in memory and written to PDF.BMP.
#include "platform/Texto1252.h"
#include "platform/qt/CodigosBarrasZint.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

std::string Contenido() {
    std::string c = "817" + std::string("3.2.2   ") + "20104T8170612345676AD001 " + std::string(13, ' ') +
                    "12345678Z" + m817::W("PEÑA GARCÍA, MARÍA ÁNGELES");
    for (int i = 0; c.size() < 748; ++i)
        c += "+000000" + std::to_string(12345678 + i * 1111111);
    c.resize(748, ' ');
    return c + "20101205";
}

void BM_ImagenNubePuntos600(benchmark::State& estado) {
    const std::string contenido = Contenido();
    for (auto _ : estado) {
        m817::ImagenCódigo r = m817::ImagenNubePuntos(contenido, 16, 600, 0);
        benchmark::DoNotOptimize(r.imagen.constBits());
    }
}
BENCHMARK(BM_ImagenNubePuntos600)->Unit(benchmark::kMillisecond);

void BM_CREARPDF600(benchmark::State& estado) {
    const std::string contenido = Contenido();
    const auto ruta = std::filesystem::temp_directory_path() / "m817-bench-PDF.BMP";
    m817::CódigosBarrasZint biblioteca;
    for (auto _ : estado) {
        int ancho = 0, alto = 0;
        benchmark::DoNotOptimize(biblioteca.CREARPDF(contenido, 16, 600, 0, ruta, ancho, alto));
    }
    std::filesystem::remove(ruta);
}
BENCHMARK(BM_CREARPDF600)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
