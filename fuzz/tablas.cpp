// Any bytes as a reference table in Datos/: read into its list (numeric or letter codes, with or without a
// province's range), looked up by code and completed, and read as the municipality-administration table.
// The last bytes of the input pick the table.
#include "model/Tablas.h"
#include "Comun.h"
#include "model/Listas.h"
#include "platform/Texto1252.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <unordered_set>
#include <vector>

using namespace m817;
using namespace m817::fuzz;
using namespace m817::campos;

namespace {

struct Tabla {
    IdCampo lista;
    std::string_view nombre;
    bool alfabética;
};
const Tabla kTablas[] = {
    {cmbAdministracion, kTablaAdministraciones, false},
    {cmbSigla, kTablaSiglas, true},
    {cmbProvincia, kTablaProvincias, false},
    {cmbMunicipio, kTablaMunicipios, false},
};

// A numeric code: an optional sign and decimal digits, fitting 32 bits.
std::optional<std::int32_t> Número(const std::string& código) {
    const std::size_t signo = !código.empty() && (código[0] == '+' || código[0] == '-') ? 1 : 0;
    if (código.size() == signo || código.find_first_not_of("0123456789", signo) != std::string::npos)
        return std::nullopt;
    const long long n = std::strtoll(código.c_str(), nullptr, 10);
    if (n < INT32_MIN || n > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(n);
}

using Entrada = std::pair<std::string, std::int32_t>;
std::vector<Entrada> Ordenadas(std::vector<Entrada> v) {
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamaño) {
    FuzzedDataProvider proveedor(datos, tamaño);
    const Tabla& tabla = kTablas[proveedor.ConsumeIntegralInRange<std::size_t>(0, std::size(kTablas) - 1)];
    std::optional<RangoCódigos> rango;
    if (proveedor.ConsumeBool()) rango = RangoProvincia(proveedor.ConsumeIntegralInRange<int>(0, 120));
    const std::string bytes = proveedor.ConsumeRemainingBytesAsString();

    const auto& carpeta = CarpetaDelProceso::Una();
    carpeta.Escribir(std::string(tabla.nombre) + ".txt", bytes);
    carpeta.Escribir(std::string(kTablaMunicipiosAdministraciones) + ".txt", bytes);

    const auto registros = LeerRegistrosTabla(bytes);
    HojaDeclaración hoja;
    MensajesQueAceptan mensajes;
    const bool cargada =
        CargarTabla(hoja, tabla.lista, tabla.nombre, tabla.alfabética, carpeta, mensajes, rango);
    const auto& entradas = hoja.Lista(tabla.lista);
    M817_COMPROBAR(mensajes.mostrados == (cargada ? 0 : 1));
    // Every record in range is an entry with its text and code; a code that is not one fails the table.
    std::optional<std::vector<Entrada>> esperadas;
    if (registros) {
        esperadas.emplace();
        for (const auto& r : *registros) {
            if (rango && (r.código < rango->desde || r.código > rango->hasta)) continue;
            const auto código = tabla.alfabética ? ClaveAlfabética(r.código) : Número(r.código);
            if (!código) {
                esperadas.reset();
                break;
            }
            esperadas->emplace_back(r.texto, *código);
        }
    }
    M817_COMPROBAR(cargada == esperadas.has_value());
    std::vector<Entrada> obtenidas;
    for (const auto& e : entradas)
        obtenidas.emplace_back(e.texto, e.código);
    M817_COMPROBAR(Ordenadas(obtenidas) == Ordenadas(esperadas.value_or(std::vector<Entrada>{})));
    if (!cargada) M817_COMPROBAR(hoja.Texto(tabla.lista).empty());

    // Looking entries up by their code text finds one with that code.
    for (std::size_t i = 0; i < std::min<std::size_t>(entradas.size(), 16); ++i) {
        const std::string código = TextoCódigo(entradas[i], tabla.alfabética);
        SeleccionarCódigoCombo(hoja, tabla.lista, código, tabla.alfabética);
        M817_COMPROBAR(CódigoCombo(hoja, tabla.lista, tabla.alfabética) == código);
        if (tabla.alfabética) M817_COMPROBAR(ClaveAlfabética(código) == entradas[i].código);
    }
    if (!entradas.empty()) {
        const std::string& texto = entradas.back().texto;
        hoja.EscribirTexto(tabla.lista, texto.substr(0, texto.size() / 2 + 1));
        AutocompletarLista(hoja, tabla.lista);
    }

    mensajes.mostrados = 0;
    const bool pares = CargarMunicipiosAdministraciones(hoja, carpeta, mensajes);
    M817_COMPROBAR(mensajes.mostrados == (pares ? 0 : 1));
    if (pares) {
        M817_COMPROBAR(registros && hoja.colMunicipiosAdministraciones.size() == registros->size());
        for (const auto& r : *registros) {
            const auto i = hoja.colMunicipiosAdministraciones.find(r.código);
            M817_COMPROBAR(i != hoja.colMunicipiosAdministraciones.end() && i->second == r.texto);
        }
    } else if (registros) {
        // Only a municipality given twice can fail a table that reads.
        std::unordered_set<std::string> códigos;
        bool repetido = false;
        for (const auto& r : *registros)
            repetido = !códigos.insert(r.código).second || repetido;
        M817_COMPROBAR(repetido);
    }
    return 0;
}
