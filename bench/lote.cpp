// modelo817-lote validar over 10,000 saved returns (goal: under 2 seconds), run as the user runs it, and the
// same work in-process (open each record on one sheet and read the panel's entries) to see where the time
// goes. The returns are saved through the sheet in a few provinces, then repeated to fill the file.
#include "app/Hoja.h"
#include "app/PanelErrores.h"
#include "model/Listas.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/Dobles.h"

#include <benchmark/benchmark.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace m817;
using namespace m817::campos;

constexpr int kRegistros = 10000;

struct Plantilla {
    const char* provincia;
    const char* municipio;
    const char* nif;
    const char* periodo; // 3T is the one in course on 15 November 2010; 2T gives a warning
};
// Barcelona, Madrid, Valencia and Palma: large and small municipality lists; one wrong NIF.
const Plantilla kPlantillas[] = {
    {"8", "8019", "12345678Z", "3T"},
    {"28", "28079", "11111111H", "3T"},
    {"46", "46250", "12345678A", "3T"},
    {"7", "7040", "33333333P", "2T"},
};

struct ArchivoLote {
    ArchivoLote() {
        carpeta.CopiarTablasReales();
        prueba::MensajesTolerantes mensajes;
        mensajes.respuesta = Respuesta::Sí;
        prueba::RelojFijo reloj;
        ArchivosPosix archivos;
        frmHoja1 h(mensajes, reloj, carpeta, archivos);
        h.Form_Load();
        for (const Plantilla& p : kPlantillas) {
            h.NuevaDeclaración();
            for (auto [lista, código] : {std::pair{cmbProvincia, p.provincia}, {cmbMunicipio, p.municipio}}) {
                SeleccionarCódigoCombo(h.hoja, lista, código, false);
                bool cancelar = false;
                h.ValidarCampos(Definición(lista).nombre, -1, cancelar);
            }
            h.hoja.EscribirTexto(cmbPeriodo, p.periodo);
            h.hoja.EscribirTexto(edtNIF, p.nif);
            h.hoja.EscribirTexto(edtNombre, W("PEÑA ÁLVAREZ JOSÉ"));
            h.hoja.EscribirTexto(edtViaPublica, "MAYOR");
            h.hoja.EscribirTexto(edtCasilla(1), "1.000,00");
            h.hoja.EscribirTexto(edtCasilla(13), "50,00");
            h.hoja.EscribirValor(chkFPEfectivo, 1);
            h.hoja.RegistroModificado = true;
            h.GuardarDeclaración(false);
        }
        const auto ruta = RutaDeclaraciones(carpeta.Datos());
        const std::string plantillas = prueba::LeerArchivo(ruta);
        std::string bytes;
        for (int n = 0; n < kRegistros; ++n)
            bytes += plantillas.substr(n % std::size(kPlantillas) * kLongitudRegistro, kLongitudRegistro);
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    }
    prueba::CarpetaTemporal carpeta;
};

ArchivoLote& Archivo() {
    static ArchivoLote archivo;
    return archivo;
}

void BM_ValidarLote10000(benchmark::State& estado) {
    const std::filesystem::path programa = M817_BINARY_DIR "/modelo817-lote";
    if (!std::filesystem::exists(programa)) {
        estado.SkipWithError("modelo817-lote is not built");
        return;
    }
    std::string orden = "'";
    orden += programa.string();
    orden += "' validar --datos '";
    orden += Archivo().carpeta.Datos().string();
    orden += "' --fecha 2010-11-15";
    // 0: one sheet per processor, as by default.
    if (estado.range(0) > 0) orden += " --hilos " + std::to_string(estado.range(0));
    orden += " >/dev/null 2>&1";
    for (auto _ : estado) {
        const int r = std::system(orden.c_str());
        // Exit status 1: the returns with the wrong NIF have errors.
        if (!WIFEXITED(r) || WEXITSTATUS(r) != 1) estado.SkipWithError("validar failed");
    }
    estado.SetItemsProcessed(estado.iterations() * kRegistros);
}
BENCHMARK(BM_ValidarLote10000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One record opened and its entries read, on a sheet loaded once, as validar does for each.
void BM_AbrirYLeerErrores(benchmark::State& estado) {
    ArchivoLote& a = Archivo();
    prueba::MensajesTolerantes mensajes;
    prueba::RelojFijo reloj;
    ArchivosPosix archivos;
    frmHoja1 h(mensajes, reloj, a.carpeta, archivos);
    h.Form_Load();
    std::int32_t n = 0;
    for (auto _ : estado) {
        n = n % kRegistros + 1;
        h.hoja.RegistroModificado = false;
        h.AbrirDeclaración(n, n);
        benchmark::DoNotOptimize(PanelErrores(h).Entradas());
    }
    estado.SetItemsProcessed(estado.iterations());
}
BENCHMARK(BM_AbrirYLeerErrores)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
