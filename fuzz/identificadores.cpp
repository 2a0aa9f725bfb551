// Any text as a tax number, a bank account code, a receipt number or a field to normalise; the input up to
// a zero byte is the text, the rest (split at the next zero byte) the permitted and replacement sets.
#include "validation/Identificadores.h"
#include "Comun.h"
#include "platform/Texto1252.h"

using namespace m817;
using namespace m817::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamaño) {
    const std::string_view entrada = Texto(datos, tamaño);
    const std::size_t corte = std::min(entrada.find('\0'), entrada.size());
    const std::string texto(entrada.substr(0, corte));
    std::string_view resto = entrada.substr(std::min(corte + 1, entrada.size()));
    const std::size_t corte2 = std::min(resto.find('\0'), resto.size());
    const std::string_view permitidos = resto.substr(0, corte2);
    const std::string_view reemplazos = resto.substr(std::min(corte2 + 1, resto.size()));

    // The tax number comes back trimmed and upper-cased, and checking it again changes nothing.
    std::string nif = texto;
    const bool nifVálido = ValidarNIF(nif);
    M817_COMPROBAR(nif == Mayúsculas(Recortar(texto)));
    std::string otra = nif;
    M817_COMPROBAR(ValidarNIF(otra) == nifVálido && otra == nif);
    if (nifVálido) M817_COMPROBAR(nif.size() >= 9 || (nif[0] >= '0' && nif[0] <= '9'));
    // Up to eight digits and a letter: the letter of the number modulo 23.
    const std::size_t cifras = nif.find_first_not_of("0123456789");
    if (cifras >= 1 && cifras <= 8 && cifras + 1 == nif.size() && nif.back() >= 'A' && nif.back() <= 'Z')
        M817_COMPROBAR(nifVálido == (nif.back() == "TRWAGMYFPDXBNJZSQVHLCKE"[std::stol(nif) % 23]));
    (void)ValidarNIFPersona(texto);
    (void)ValidarCIFDígito(texto);
    (void)ValidarCIFLetra(texto);

    if (ValidarCCC(texto)) M817_COMPROBAR(texto.size() >= 20);
    for (int desde : {-5, 1, 3, 11}) {
        const int d = DígitoControlCCC(texto, desde);
        M817_COMPROBAR(d >= 0 && d <= 9);
    }

    bool otroModelo = true;
    const bool justificante = ValidarJustificante(texto, otroModelo);
    M817_COMPROBAR(justificante || !otroModelo);
    if (justificante) M817_COMPROBAR(texto.substr(0, 3) == kModelo || otroModelo);
    const int control = DígitoControlJustificante(texto);
    M817_COMPROBAR(control >= -1 && control <= 6);

    // With the default sets every permitted text is a fixed point.
    std::string normal = texto;
    const bool permitido = NormalizarTexto(normal);
    M817_COMPROBAR(normal.size() <= texto.size() && (!permitido || normal.size() == texto.size()));
    if (permitido) {
        std::string otraVez = normal;
        M817_COMPROBAR(NormalizarTexto(otraVez) && otraVez == normal);
    }
    std::string conSets = texto;
    std::string p(permitidos), r(reemplazos);
    const bool permitidoConSets = NormalizarTexto(conSets, p, r);
    M817_COMPROBAR(!p.empty() && conSets.size() <= texto.size());
    std::string conVistas = texto;
    M817_COMPROBAR(NormalizarTexto(conVistas, permitidos, reemplazos) == permitidoConSets &&
                   conVistas == conSets);
    for (char c : texto.substr(0, 8)) {
        int tecla = static_cast<unsigned char>(c);
        bool siguiente = false;
        (void)FiltrarCarácter(tecla, permitidos, reemplazos, &siguiente);
        M817_COMPROBAR(tecla >= 0 && tecla <= 255);
    }
    return 0;
}
