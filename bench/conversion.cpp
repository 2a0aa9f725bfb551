// The start-up conversion of an old data file of 10,000 returns (layout B, 682 bytes each): read, every
// record rewritten in the current layout, the new file written and synced, the old one kept as a backup.
// Measured beside one raw read of the same old file.
#include "store/Conversion.h"
#include "platform/ArchivosPosix.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/Dobles.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

using namespace m817;

constexpr int kRegistros = 10000;

// One layout-B record as the versions before 3.1.1 wrote it: seven bases with their rates, seven old
// quotas, six further boxes, an account and a result.
std::string RegistroAntiguo(std::mt19937& azar) {
    const auto& d = kDisposiciónB;
    std::string r(d.longitud, ' ');
    auto poner = [&r](std::size_t posición, const std::string& valor) {
        r.replace(posición, valor.size(), valor);
    };
    poner(1, "817");
    poner(4, "2.3.1");
    poner(12, "2009");
    poner(16, std::to_string(1 + azar() % 4) + "T");
    poner(23, std::to_string(10000000 + azar() % 90000) + "A");
    poner(32, "GARCIA LOPEZ, JUAN");
    poner(107, "CL");
    poner(109, "MAYOR");
    const char* tipos[] = {"0", "2", "5", "9", "13", "20", "0"};
    for (std::size_t i = 0; i < 7; ++i) {
        poner(214 + 19 * i, std::to_string(azar() % 100000) + ",00");
        poner(d.posiciónTipos + 6 * i, tipos[i]);
        poner(214 + 19 * (i + 7), "999,99");
    }
    for (std::size_t i = 0; i < 6; ++i)
        poner(214 + 19 * (d.primeraOtraCasilla - 1 + i), std::to_string(azar() % 1000) + ",00");
    poner(d.posiciónCuenta, "21000418450200051332");
    poner(d.posiciónResultado, "I");
    poner(d.posiciónFin, "\r\n");
    return r;
}

struct ArchivoAntiguo {
    ArchivoAntiguo() {
        std::mt19937 azar(817);
        for (int n = 0; n < kRegistros; ++n)
            bytes += RegistroAntiguo(azar);
        Reponer();
    }
    // The old file alone in Datos, as before the conversion.
    void Reponer() const {
        for (const auto& e : std::filesystem::directory_iterator(carpeta.Datos()))
            std::filesystem::remove(e.path());
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    }
    prueba::CarpetaTemporal carpeta;
    std::string bytes;
};

ArchivosPosix gArchivos;

void BM_LecturaArchivoAntiguo(benchmark::State& estado) {
    ArchivoAntiguo a;
    std::string todo;
    for (auto _ : estado) {
        gArchivos.LeerTodo(RutaDeclaraciones(a.carpeta.Datos()), todo);
        benchmark::DoNotOptimize(todo.data());
    }
}
BENCHMARK(BM_LecturaArchivoAntiguo)->Unit(benchmark::kMillisecond);

void BM_ConvertirDiezMil(benchmark::State& estado) {
    ArchivoAntiguo a;
    prueba::MensajesTolerantes mensajes; // accepts the conversion
    for (auto _ : estado) {
        if (ConvertirArchivoDatos(gArchivos, a.carpeta.Datos(), mensajes, "3.2.2") !=
            ResultadoConversión::Convertido)
            estado.SkipWithError("no se convirtió");
        estado.PauseTiming();
        a.Reponer();
        estado.ResumeTiming();
    }
    if (static_cast<benchmark::IterationCount>(mensajes.mostrados.size()) != estado.iterations())
        estado.SkipWithError("mensajes de más");
}
BENCHMARK(BM_ConvertirDiezMil)->Unit(benchmark::kMillisecond);

// The same records converted in memory, without the files.
void BM_ConvertirContenidoDiezMil(benchmark::State& estado) {
    ArchivoAntiguo a;
    for (auto _ : estado) {
        auto nuevo = ConvertirContenido(a.bytes, kDisposiciónB, "3.2.2");
        if (!nuevo || nuevo->size() != kRegistros * kLongitudRegistro) estado.SkipWithError("mal convertido");
        benchmark::DoNotOptimize(nuevo);
    }
}
BENCHMARK(BM_ConvertirContenidoDiezMil)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
