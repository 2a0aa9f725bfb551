#include "validation/Identificadores.h"

#include "platform/Texto1252.h"

#include <algorithm>

namespace m817 {
namespace {

constexpr std::array<char, 4> kTeclasControl{kTeclaRetroceso, kTeclaTabulador, kTeclaIntro, kTeclaEscape};
constexpr std::string_view kLetrasNIF = "TRWAGMYFPDXBNJZSQVHLCKE";
constexpr std::string_view kLetrasCIF = "ABCDEFGHIJ";
constexpr std::array<int, 10> kPesosCCC{1, 2, 4, 8, 5, 10, 9, 7, 3, 6};

bool EsDígito(char c) {
    return c >= '0' && c <= '9';
}

bool SonDígitos(std::string_view s) {
    return std::all_of(s.begin(), s.end(), EsDígito);
}

// Value of a string of decimal digits (at most twelve: fits in 64 bits).
long long Valor(std::string_view dígitos) {
    long long v = 0;
    for (char c : dígitos)
        v = v * 10 + (c - '0');
    return v;
}

// Empty permitted set: the default tables; empty replacement set alone: identity.
void CompletarConjuntos(std::string_view& permitidos, std::string_view& reemplazos) {
    if (permitidos.empty()) {
        permitidos = kPermitidosPorDefecto;
        reemplazos = kReemplazosPorDefecto;
    } else if (reemplazos.empty()) {
        reemplazos = permitidos;
    }
}

void CompletarConjuntos(std::string& permitidos, std::string& reemplazos) {
    if (permitidos.empty()) {
        permitidos = kPermitidosPorDefecto;
        reemplazos = kReemplazosPorDefecto;
    } else if (reemplazos.empty()) {
        reemplazos = permitidos;
    }
}

// The filter proper, once both sets are known.
bool Filtrar(int& KeyAscii, std::string_view permitidos, std::string_view reemplazos, bool* siguienteCampo) {
    if (siguienteCampo) *siguienteCampo = false;
    if (KeyAscii == kTeclaIntro && siguienteCampo) {
        KeyAscii = 0;
        *siguienteCampo = true;
        return true;
    }
    if (KeyAscii < 0 || KeyAscii > 255) {
        KeyAscii = kCódigoRechazo;
        return false;
    }
    const char c = Mayúscula(static_cast<char>(KeyAscii));
    if (std::find(kTeclasControl.begin(), kTeclasControl.end(), c) != kTeclasControl.end()) return true;
    const auto p = permitidos.find(c);
    if (p == std::string_view::npos) {
        KeyAscii = kCódigoRechazo;
        return false;
    }
    // A replacement set shorter than the permitted one maps the rest to themselves.
    KeyAscii = static_cast<unsigned char>(p < reemplazos.size() ? reemplazos[p] : c);
    return true;
}

bool Normalizar(std::string& texto, std::string_view permitidos, std::string_view reemplazos) {
    std::string resultado;
    resultado.reserve(texto.size());
    bool permitido = true;
    for (char ch : texto) {
        int código = static_cast<unsigned char>(ch);
        permitido = Filtrar(código, permitidos, reemplazos, nullptr);
        resultado.push_back(static_cast<char>(código));
        if (!permitido) break;
    }
    texto = std::move(resultado);
    return permitido;
}

// Sum of the organisation-number digits modulo 10, or -1 when positions 2 to 8 are not seven digits.
int RestoCIF(const std::string& nif) {
    if (nif.size() < 8) return -1;
    const std::string_view dígitos = std::string_view(nif).substr(1, 7);
    if (!SonDígitos(dígitos)) return -1;
    int suma = 0;
    for (std::size_t i = 0; i < dígitos.size(); ++i) {
        const int d = dígitos[i] - '0';
        if (i % 2 == 1) {
            suma += d;
        } else {
            const int doble = 2 * d;
            suma += doble / 10 + doble % 10;
        }
    }
    return suma % 10;
}

// How the ninth character of a tax number must look for a given first character.
enum class FormaControl { Dígito, Letra, Cualquiera };

struct ReglaNIF {
    std::string_view iniciales;
    FormaControl forma;
    bool (*comprobar)(const std::string&);
};

constexpr std::array<ReglaNIF, 5> kReglasNIF{{
    {"ABCDEFG", FormaControl::Dígito, ValidarCIFDígito},
    {"ABCDEFG", FormaControl::Letra, ValidarCIFLetra},
    {"HJUV", FormaControl::Dígito, ValidarCIFDígito},
    {"PQRSNW", FormaControl::Letra, ValidarCIFLetra},
    {"0123456789KLMXYZ", FormaControl::Cualquiera, ValidarNIFPersona},
}};

bool TieneForma(const std::string& nif, FormaControl forma) {
    if (forma == FormaControl::Cualquiera) return true;
    if (nif.size() < 9) return false;
    const char c = nif[8];
    return forma == FormaControl::Dígito ? EsDígito(c) : (c >= 'A' && c <= 'J');
}

} // namespace

bool FiltrarCarácter(int& KeyAscii, std::string& permitidos, std::string& reemplazos, bool* siguienteCampo) {
    CompletarConjuntos(permitidos, reemplazos);
    return Filtrar(KeyAscii, permitidos, reemplazos, siguienteCampo);
}

bool FiltrarCarácter(int& KeyAscii, std::string_view permitidos, std::string_view reemplazos,
                     bool* siguienteCampo) {
    CompletarConjuntos(permitidos, reemplazos);
    return Filtrar(KeyAscii, permitidos, reemplazos, siguienteCampo);
}

bool NormalizarTexto(std::string& texto, std::string& permitidos, std::string& reemplazos) {
    CompletarConjuntos(permitidos, reemplazos);
    return Normalizar(texto, permitidos, reemplazos);
}

bool NormalizarTexto(std::string& texto, std::string_view permitidos, std::string_view reemplazos) {
    CompletarConjuntos(permitidos, reemplazos);
    return Normalizar(texto, permitidos, reemplazos);
}

bool ValidarNIF(std::string& nif) {
    nif = Mayúsculas(Recortar(nif));
    if (nif.empty()) return false;
    for (const ReglaNIF& regla : kReglasNIF) {
        if (regla.iniciales.find(nif[0]) != std::string_view::npos && TieneForma(nif, regla.forma))
            return regla.comprobar(nif);
    }
    return false;
}

bool ValidarNIFPersona(const std::string& nif) {
    if (nif.empty()) return false;
    std::string s = nif;
    std::size_t inicio = 0;
    std::size_t largo = 8;
    const auto extranjero = std::string_view("XYZ").find(s[0]);
    if (EsDígito(s[0])) {
        if (s.size() < 9) s.insert(0, 9 - s.size(), '0');
    } else if (extranjero != std::string_view::npos) {
        s = static_cast<char>('0' + extranjero) + s.substr(1, 9);
    } else {
        inicio = 1;
        largo = 7;
    }
    if (s.size() < 9) return false;
    const std::string_view número = std::string_view(s).substr(inicio, largo);
    if (!SonDígitos(número)) return false;
    return s[8] == kLetrasNIF[Valor(número) % 23];
}

bool ValidarCIFDígito(const std::string& nif) {
    const int r = RestoCIF(nif);
    if (r < 0 || nif.size() < 9) return false;
    const int control = r == 0 ? 0 : 10 - r;
    return nif[8] == '0' + control;
}

bool ValidarCIFLetra(const std::string& nif) {
    const int r = RestoCIF(nif);
    if (r < 0 || nif.size() < 9) return false;
    return nif[8] == kLetrasCIF[9 - r];
}

int DígitoControlCCC(std::string_view diez, int desde) {
    int suma = 0;
    for (int i = 10; i >= std::max(desde, 1); --i) {
        const std::size_t pos = static_cast<std::size_t>(i - 1);
        if (pos < diez.size() && EsDígito(diez[pos])) suma += kPesosCCC[pos] * (diez[pos] - '0');
    }
    const int c = 11 - suma % 11;
    return c > 9 ? 11 - c : c;
}

bool ValidarCCC(const std::string& ccc) {
    if (ccc.size() < 20) return false;
    const std::string_view código(ccc);
    const std::string_view entidadOficina = código.substr(0, 8);
    const std::string_view cuenta = código.substr(10, 10);
    if (!SonDígitos(entidadOficina) || !SonDígitos(cuenta)) return false;
    if (código.substr(0, 4) == "0000" || cuenta == "0000000000") return false;
    const int primero = DígitoControlCCC("00" + std::string(entidadOficina), 3);
    const int segundo = DígitoControlCCC(cuenta, 1);
    return ccc[8] == '0' + primero && ccc[9] == '0' + segundo;
}

int DígitoControlJustificante(std::string_view doce) {
    if (doce.size() != 12 || !SonDígitos(doce)) return -1;
    const int r = static_cast<int>(Valor(doce) % 7);
    return r == 0 ? 0 : 7 - r;
}

std::string ComponerJustificante(int ejercicio, long aleatorio) {
    std::string siete = std::to_string(((aleatorio % 10000000) + 10000000) % 10000000);
    siete.insert(0, 7 - siete.size(), '0');
    std::string número = std::string(kModelo);
    número += static_cast<char>('0' + (ejercicio % 10 + 10) % 10);
    número += '6';
    número += siete;
    número += static_cast<char>('0' + DígitoControlJustificante(número));
    return número;
}

bool ValidarJustificante(const std::string& justificante, bool& otroModelo) {
    otroModelo = false;
    if (justificante.size() < 13) return false;
    const int control = DígitoControlJustificante(std::string_view(justificante).substr(0, 12));
    if (control < 0 || justificante[12] != '0' + control) return false;
    const std::string_view modelo = std::string_view(justificante).substr(0, 3);
    if (modelo == kModelo) return true;
    const int número = static_cast<int>(Valor(modelo));
    if (std::find(MODELOS_AFINES.begin(), MODELOS_AFINES.end(), número) == MODELOS_AFINES.end()) return false;
    otroModelo = true;
    return true;
}

} // namespace m817
