// Any text as the content of an amount box: read, rounded, shown in every format and read back.
#include "model/Importes.h"
#include "Comun.h"
#include "store/RegistroDeclaracion.h"

#include <cmath>

using namespace m817;
using namespace m817::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamaño) {
    const std::string_view texto = Texto(datos, tamaño);
    const double v = ValorImporte(texto);
    M817_COMPROBAR(!std::isnan(v));

    for (const char* formato : {FORMATO_POR_DEFECTO, FORMATO_IMPORTE, "#", "General Number", "0.00", "#,##0"})
        for (bool bloqueado : {false, true})
            (void)TextoAlMostrarImporte(v, true, formato, bloqueado);
    (void)TextoMostrarCasilla(texto);
    (void)TextoMostrarCasilla(texto, true);
    (void)SinPuntos(texto);
    (void)TextoTipo(texto);
    for (int n : {-1, 0, 2, 15})
        (void)Redondear(v, n);
    if (const auto n = LeerNúmero(texto)) (void)TextoNúmero(*n);

    // A plain amount in the Spanish notation (sign, digits grouped by points, a comma and up to two
    // decimals) reads as its decimal value.
    const std::size_t signo = !texto.empty() && texto[0] == '-' ? 1 : 0;
    const std::size_t coma = texto.find(',');
    const std::string_view entera = texto.substr(signo, coma == std::string_view::npos ? coma : coma - signo);
    const std::string_view decimales =
        coma == std::string_view::npos ? std::string_view{} : texto.substr(coma + 1);
    if (!entera.empty() && entera.front() != '.' &&
        entera.find_first_not_of("0123456789.") == std::string::npos && decimales.size() <= 2 &&
        decimales.find_first_not_of("0123456789") == std::string::npos) {
        std::string c(texto.substr(0, signo));
        for (char x : entera)
            if (x != '.') c += x;
        c += '.';
        c += decimales;
        const double esperado = std::strtod(c.c_str(), nullptr);
        if (!ImporteSobreLímite(esperado)) M817_COMPROBAR(v == esperado);
    }

    if (ImporteSobreLímite(v)) return 0;
    // What a box shows reads back as the same amount, in the box and in the record.
    const std::string mostrado = FormatearImporte(v, true, FORMATO_IMPORTE);
    M817_COMPROBAR(ValorImporte(mostrado) == v);
    M817_COMPROBAR(ValorImporte(SinPuntos(mostrado)) == v);
    const auto guardado = LeerNúmero(TextoNúmero(v));
    M817_COMPROBAR(guardado && *guardado == v);
    M817_COMPROBAR(Redondear(v, 2) == v);
    return 0;
}
