// Any bytes as Datos/Declaraciones.txt, loaded into the saved-declaration list, sorted by a run of header
// clicks and chosen from. The last bytes of the input pick the return on screen and the clicks.
#include "Comun.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/SeleccionDeclaraciones.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

using namespace m817;
using namespace m817::fuzz;

namespace {

const std::filesystem::path kCarpeta = "/m817/Datos";

// A column's text as the list compares it: folded, a trailing zero byte being the same as none.
std::string Clave(std::string_view t) {
    std::string k = ClaveOrdenación(t);
    while (!k.empty() && k.back() == '\0')
        k.pop_back();
    return k;
}

void ComprobarOrden(const SelecciónDeclaraciones& s) {
    const int c = s.ColumnaOrden();
    for (std::size_t f = 0; f < s.NúmeroFilas(); ++f) {
        for (int columna = 1; columna <= kColumnasSelección; ++columna)
            (void)s.Texto(f, columna);
        if (f == 0) continue;
        const std::string a = Clave(s.Texto(f - 1, c)), b = Clave(s.Texto(f, c));
        M817_COMPROBAR(s.Descendente() ? a >= b : a <= b);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamaño) {
    FuzzedDataProvider proveedor(datos, tamaño);
    const auto actual = proveedor.ConsumeIntegralInRange<std::int32_t>(0, 12);
    std::vector<int> clics(proveedor.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (int& c : clics)
        c = proveedor.ConsumeIntegralInRange<int>(0, 9);
    const std::string bytes = proveedor.ConsumeRemainingBytesAsString();

    ArchivosMemoria archivos;
    archivos.Carpeta(kCarpeta);
    const auto ruta = RutaDeclaraciones(kCarpeta);
    archivos.Poner(ruta, bytes);

    // The live records, as the list has to show them: the whole ones and a last one of model 817 missing its
    // line end, in a file made of records ending in CR LF; a file that is not made of them shows its error.
    const std::size_t enteros = bytes.size() / kLongitudRegistro;
    bool alineado = true;
    for (std::size_t i = 0; i < enteros && alineado; ++i)
        alineado = bytes.compare(i * kLongitudRegistro + kLongitudRegistro - 2, 2, "\r\n") == 0;
    const bool sinFinal = bytes.size() % kLongitudRegistro == kLongitudRegistro - 2 &&
                          bytes.compare(enteros * kLongitudRegistro + 1, 3, "817") == 0;
    std::vector<std::int32_t> vivos;
    for (std::size_t i = 0; alineado && i < enteros + (sinFinal ? 1 : 0); ++i)
        if (bytes[i * kLongitudRegistro] == ' ') vivos.push_back(static_cast<std::int32_t>(i + 1));

    MensajesQueAceptan mensajes;
    SelecciónDeclaraciones s;
    const bool cargada = s.Cargar(archivos, ruta, mensajes, actual);
    M817_COMPROBAR(cargada == !vivos.empty() && s.NúmeroFilas() == vivos.size());
    M817_COMPROBAR(mensajes.mostrados == (cargada ? 0 : alineado ? 1 : 2));
    if (!cargada) return 0;

    std::vector<std::int32_t> mostrados;
    for (std::size_t f = 0; f < s.NúmeroFilas(); ++f)
        mostrados.push_back(s.Registro(f));
    std::sort(mostrados.begin(), mostrados.end());
    M817_COMPROBAR(mostrados == vivos);

    const auto fila = s.FilaSeleccionada();
    M817_COMPROBAR(fila);
    if (std::find(vivos.begin(), vivos.end(), actual) != vivos.end())
        M817_COMPROBAR(s.Registro(*fila) == actual);
    ComprobarOrden(s);

    for (int c : clics) {
        const std::int32_t elegido = s.Registro(*s.FilaSeleccionada());
        s.PulsarEncabezado(c);
        ComprobarOrden(s);
        // Sorting keeps the chosen return chosen.
        M817_COMPROBAR(s.FilaSeleccionada() && s.Registro(*s.FilaSeleccionada()) == elegido);
        (void)s.TextoAvisoImpresa(*s.FilaSeleccionada());
    }

    s.SeleccionarFila(s.NúmeroFilas() - 1);
    M817_COMPROBAR(s.Elegir(mensajes, "Abrir"));
    M817_COMPROBAR(s.NumRegistroSeleccionado() == s.Registro(s.NúmeroFilas() - 1));
    return 0;
}
