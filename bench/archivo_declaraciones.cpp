// The saved-returns file at its largest: 32,766 records (24.6 MB), the most a new return can still be added
// to. Filling and sorting the selection list, saving a new return (the duplicate scan and the append) and
// opening one record should each stay within three times one raw read of the whole file, measured in the same
// run. The sheet's own save and open are measured too, also on files of 1 and 1,000 records.
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/SeleccionDeclaraciones.h"
#include "support/Dobles.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using namespace m817;
using enum CampoRegistro;

constexpr std::int32_t kRegistros = 32766;

const char* const kApellidos[] = {"GARCÍA", "MUÑOZ",   "LÓPEZ",  "PÉREZ",     "SÁNCHEZ", "GÓMEZ",
                                  "MARTÍN", "JIMÉNEZ", "RUIZ",   "HERNÁNDEZ", "DÍAZ",    "ÁLVAREZ",
                                  "MORENO", "ROMERO",  "ALONSO", "GUTIÉRREZ"};
const char* const kNombres[] = {"ANA", "JOSÉ", "MARÍA", "LUIS", "CARMEN", "JAVIER", "LUCÍA", "ÁNGEL"};
const char* const kPeriodos[] = {"1T", "2T", "3T", "4T"};

// A file like an adviser's after years of use: several returns per taxpayer, a few deleted, some printed.
struct ArchivoGrande {
    ArchivoGrande() {
        std::mt19937 azar(817);
        bytes.reserve(static_cast<std::size_t>(kRegistros) * kLongitudRegistro);
        for (std::int32_t n = 1; n <= kRegistros; ++n) {
            RegistroDeclaración r;
            r.Poner(Modelo, "817");
            r.Poner(Versión, "3.2.2");
            r.Poner(Ejercicio, std::to_string(2008 + azar() % 3));
            r.Poner(Periodo, kPeriodos[azar() % 4]);
            r.PonerMarcado(Complementaria, azar() % 10 == 0);
            r.Poner(NIF, std::to_string(10000000 + azar() % 5000) + "A");
            r.Poner(Nombre, W(std::string(kApellidos[azar() % 16]) + " " + kApellidos[azar() % 16] + ", " +
                              kNombres[azar() % 8]));
            r.Poner(Casilla01, "12.345,67");
            if (azar() % 3 == 0) {
                r.Poner(NúmeroJustificante, "8170612345681");
                r.Poner(FechaImpresión, "15/11/2010");
            }
            if (azar() % 20 == 0) r.MarcarBorrado();
            bytes += r.Bytes();
        }
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
        ruta = RutaDeclaraciones(carpeta.Datos());
    }
    prueba::CarpetaTemporal carpeta;
    std::filesystem::path ruta;
    std::string bytes;
};

const ArchivoGrande& Archivo() {
    static const ArchivoGrande archivo;
    return archivo;
}

ArchivosPosix gArchivos;

void BM_LecturaCompleta(benchmark::State& estado) {
    const auto& ruta = Archivo().ruta;
    std::string todo;
    for (auto _ : estado) {
        gArchivos.LeerTodo(ruta, todo);
        benchmark::DoNotOptimize(todo.data());
    }
    estado.SetBytesProcessed(static_cast<std::int64_t>(estado.iterations() * todo.size()));
}
BENCHMARK(BM_LecturaCompleta)->Unit(benchmark::kMillisecond);

void BM_LlenarYOrdenarSeleccion(benchmark::State& estado) {
    const auto& ruta = Archivo().ruta;
    prueba::MensajesTolerantes mensajes;
    for (auto _ : estado) {
        SelecciónDeclaraciones modelo;
        if (!modelo.Cargar(gArchivos, ruta, mensajes, 1234)) estado.SkipWithError("no se cargó la lista");
        benchmark::DoNotOptimize(modelo.NúmeroFilas());
    }
}
BENCHMARK(BM_LlenarYOrdenarSeleccion)->Unit(benchmark::kMillisecond);

void BM_OrdenarPorOtraColumna(benchmark::State& estado) {
    prueba::MensajesTolerantes mensajes;
    SelecciónDeclaraciones modelo;
    modelo.Cargar(gArchivos, Archivo().ruta, mensajes, 0);
    int columna = 2;
    for (auto _ : estado) {
        modelo.PulsarEncabezado(columna);
        columna = columna % 6 + 1;
    }
}
BENCHMARK(BM_OrdenarPorOtraColumna)->Unit(benchmark::kMillisecond);

void BM_GuardarNuevaDeclaracion(benchmark::State& estado) {
    const auto& ruta = Archivo().ruta;
    RegistroDeclaración nueva;
    nueva.Poner(NIF, "10001234A");
    nueva.Poner(Ejercicio, "2010");
    nueva.Poner(Periodo, "3T");
    nueva.PonerMarcado(Complementaria, false);
    for (auto _ : estado) {
        ArchivoDeclaraciones archivo(gArchivos, ruta);
        if (!archivo.AbrirLecturaEscritura()) estado.SkipWithError("no se abrió");
        const auto r = BuscarDuplicados(archivo, ClaveDuplicado::De(nueva));
        if (!r || !r->CabeOtro() || !archivo.Escribir(r->SiguienteRegistro(), nueva))
            estado.SkipWithError("no se guardó");
        archivo.Cerrar();
        estado.PauseTiming();
        std::filesystem::resize_file(ruta, static_cast<std::uintmax_t>(kRegistros) * kLongitudRegistro);
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_GuardarNuevaDeclaracion)->Unit(benchmark::kMillisecond);

void BM_AbrirUnRegistro(benchmark::State& estado) {
    const auto& ruta = Archivo().ruta;
    std::int32_t n = 1;
    RegistroDeclaración r;
    for (auto _ : estado) {
        ArchivoDeclaraciones archivo(gArchivos, ruta);
        if (!archivo.AbrirLectura() || !archivo.Leer(n, r)) estado.SkipWithError("no se leyó");
        benchmark::DoNotOptimize(r.Bytes().data());
        n = (n + 7) % kRegistros + 1;
    }
}
BENCHMARK(BM_AbrirUnRegistro)->Unit(benchmark::kMillisecond);

// The loaded sheet over a file holding the first `registros` records of the large one.
struct HojaConArchivo {
    explicit HojaConArchivo(std::int32_t n) : registros(n) {
        carpeta.CopiarTablasReales();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones,
                              Archivo().bytes.substr(0, static_cast<std::size_t>(n) * kLongitudRegistro));
        ventana = std::make_unique<frmHoja1>(mensajes, reloj, carpeta, gArchivos);
        ventana->Form_Load();
        auto& h = ventana->hoja;
        h.EscribirTexto(campos::edtNIF, "99999999R");
        h.EscribirTexto(campos::edtNombre, W("PEÑA GARCÍA, JUAN"));
        h.EscribirTexto(campos::edtCasilla(3), "1.000,00");
    }
    prueba::CarpetaTemporal carpeta;
    prueba::MensajesTolerantes mensajes;
    prueba::RelojFijo reloj;
    std::unique_ptr<frmHoja1> ventana;
    std::int32_t registros;
};

// A new return saved from the sheet: the duplicate scan of the whole file, then the append and its sync.
void BM_GuardarDesdeLaHoja(benchmark::State& estado) {
    HojaConArchivo h(static_cast<std::int32_t>(estado.range(0)));
    const auto ruta = RutaDeclaraciones(h.carpeta.Datos());
    for (auto _ : estado) {
        h.ventana->hoja.EscribirTexto(campos::edtIdDeclaración, "0");
        h.ventana->hoja.RegistroModificado = true;
        if (!h.ventana->GuardarDeclaración(false)) estado.SkipWithError("no se guardó");
        estado.PauseTiming();
        std::filesystem::resize_file(ruta, static_cast<std::uintmax_t>(h.registros) * kLongitudRegistro);
        estado.ResumeTiming();
    }
    if (!h.mensajes.mostrados.empty()) estado.SkipWithError("hubo mensajes");
}
BENCHMARK(BM_GuardarDesdeLaHoja)->Arg(1)->Arg(1000)->Arg(kRegistros)->Unit(benchmark::kMillisecond);

// A saved return put on the sheet: one record read, every field moved and the sheet recalculated.
void BM_AbrirEnLaHoja(benchmark::State& estado) {
    HojaConArchivo h(kRegistros);
    std::int32_t n = 1;
    for (auto _ : estado) {
        if (!h.ventana->AbrirDeclaración(n, n)) estado.SkipWithError("no se abrió");
        n = (n + 7919) % kRegistros + 1;
    }
}
BENCHMARK(BM_AbrirEnLaHoja)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
