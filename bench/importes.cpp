// Amounts are read and written on every keystroke in a box (the whole calculation runs again), so they must
// stay far below a microsecond.
#include "model/Importes.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

namespace {

using namespace m817;

constexpr std::array<std::string_view, 8> kTextos = {
    "1.234,56", "0,00", "-12,5", "1234567,89", "", "999.999.999.999,99", "1000000000000", "abc",
};

constexpr std::array<double, 8> kValores = {
    1234.56, 0, -12.5, 1234567.89, 0.07, 999999999999.99, 1e12, 246.913578,
};

void BM_ValorImporte(benchmark::State& estado) {
    std::size_t i = 0;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(ValorImporte(kTextos[i]));
        i = (i + 1) % kTextos.size();
    }
}
BENCHMARK(BM_ValorImporte);

void BM_FormatearImporte(benchmark::State& estado) {
    std::size_t i = 0;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(FormatearImporte(kValores[i], true, "???"));
        i = (i + 1) % kValores.size();
    }
}
BENCHMARK(BM_FormatearImporte);

void BM_Redondear(benchmark::State& estado) {
    std::size_t i = 0;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(Redondear(kValores[i] * 0.13, 2));
        i = (i + 1) % kValores.size();
    }
}
BENCHMARK(BM_Redondear);

void BM_TextoMostrarCasilla(benchmark::State& estado) {
    std::size_t i = 0;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(TextoMostrarCasilla(kTextos[i]));
        i = (i + 1) % kTextos.size();
    }
}
BENCHMARK(BM_TextoMostrarCasilla);

} // namespace

BENCHMARK_MAIN();
