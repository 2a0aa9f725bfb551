#include "model/Importes.h"

#include "platform/Texto1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace m817 {

namespace {

constexpr double kMáximo = std::numeric_limits<double>::max();

bool EsCifra(char c) {
    return c >= '0' && c <= '9';
}

// A finite number as decimal digits: 0.d1d2...dn × 10^exp, d1 not zero, dn not zero; no digits at all is
// zero. All rounding and writing of amounts works on these digits, so that it is decimal and locale-free.
struct Decimal {
    bool negativo = false;
    std::array<char, 32> cifras{};
    int n = 0;
    int exp = 0;
};

void QuitarCerosFinales(Decimal& d) {
    while (d.n > 0 && d.cifras[d.n - 1] == '0')
        --d.n;
}

// The shortest digits that read back as the same double: the decimal number the double stands for.
Decimal ADecimal(double v) {
    Decimal d;
    d.negativo = std::signbit(v);
    char texto[40];
    const char* fin =
        std::to_chars(texto, texto + sizeof texto, std::fabs(v), std::chars_format::scientific).ptr;
    const char* p = texto;
    for (; p != fin && *p != 'e'; ++p)
        if (*p != '.') d.cifras[d.n++] = *p;
    int exponente = 0;
    if (p != fin) {
        ++p;
        if (p != fin && *p == '+') ++p;
        std::from_chars(p, fin, exponente);
    }
    d.exp = exponente + 1;
    QuitarCerosFinales(d);
    return d;
}

// Keeps the first `conservar` digits, a half or more rounding the magnitude up (away from zero).
void RedondearCifras(Decimal& d, int conservar) {
    if (conservar >= d.n) return;
    if (conservar < 0) {
        d.n = 0;
        return;
    }
    const bool subir = d.cifras[conservar] >= '5';
    d.n = conservar;
    if (subir) {
        int i = d.n - 1;
        while (i >= 0 && d.cifras[i] == '9')
            --i;
        if (i < 0) {
            d.cifras[0] = '1';
            d.n = 1;
            ++d.exp;
        } else {
            ++d.cifras[i];
            d.n = i + 1;
        }
    }
    QuitarCerosFinales(d);
}

// Every rounding of amounts: first to 15 significant digits, then to the places asked for.
Decimal Redondeado(double v, int decimales) {
    Decimal d = ADecimal(v);
    RedondearCifras(d, 15);
    RedondearCifras(d, d.exp + std::clamp(decimales, 0, 400));
    return d;
}

double ADouble(const Decimal& d, double siFalla) {
    if (d.n == 0) return 0.0;
    char texto[48];
    char* p = std::copy_n(d.cifras.begin(), d.n, texto);
    *p++ = 'e';
    p = std::to_chars(p, texto + sizeof texto, d.exp - d.n).ptr;
    double v = 0;
    if (std::from_chars(texto, p, v).ec != std::errc{}) return siFalla;
    return d.negativo ? -v : v;
}

// Writes the digits with a decimal comma, `decimales` places and, if asked, points every three integer
// digits.
std::string Escribir(const Decimal& d, int decimales, bool agrupar) {
    const int enteras = std::max(d.exp, 0);
    std::string s;
    s.reserve(static_cast<std::size_t>(enteras + enteras / 3 + decimales + 3));
    auto cifra = [&d](int i) { return i >= 0 && i < d.n ? d.cifras[static_cast<std::size_t>(i)] : '0'; };
    if (d.negativo && d.n > 0) s += '-';
    if (enteras == 0) s += '0';
    for (int i = 0; i < enteras; ++i) {
        if (agrupar && i > 0 && (enteras - i) % 3 == 0) s += '.';
        s += cifra(i);
    }
    if (decimales > 0) {
        s += ',';
        for (int i = 0; i < decimales; ++i)
            s += cifra(d.exp + i);
    }
    return s;
}

struct Formato {
    enum Clase { Fijo, General } clase = Fijo;
    bool agrupar = true;
    int decimales = 2;
};

constexpr Formato kFormatoImporte{};

// Patterns of '#', '0' and ',' with an optional '.' and zeros; anything else is the amount format.
Formato LeerFormato(std::string_view f) {
    if (f == FORMATO_POR_DEFECTO || f == FORMATO_IMPORTE) return kFormatoImporte;
    if (f == "General Number") return {Formato::General, false, 0};
    Formato r{Formato::Fijo, false, 0};
    std::size_t i = 0;
    bool hayCifra = false;
    for (; i < f.size() && f[i] != '.'; ++i) {
        if (f[i] == ',')
            r.agrupar = true;
        else if (f[i] == '#' || f[i] == '0')
            hayCifra = true;
        else
            return kFormatoImporte;
    }
    if (!hayCifra) return kFormatoImporte;
    if (i < f.size()) {
        for (++i; i < f.size(); ++i) {
            if (f[i] != '0') return kFormatoImporte;
            ++r.decimales;
        }
    }
    return r;
}

std::string Formatear(double v, std::string_view formato) {
    if (std::isnan(v)) return {};
    // An overflowed sum still has to show as over the limit.
    if (std::isinf(v)) v = v > 0 ? kMáximo : -kMáximo;
    const Formato f = LeerFormato(formato);
    if (f.clase == Formato::General) {
        Decimal d = ADecimal(v);
        RedondearCifras(d, 15);
        return Escribir(d, std::max(d.n - d.exp, 0), false);
    }
    return Escribir(Redondeado(v, f.decimales), f.decimales, f.agrupar);
}

std::string EnCifrasSolas(double v) {
    return Formatear(v, "#");
}

// Reads "digits[.digits][e[sign]digits]" (already checked) as a positive number. A number too big for a
// double reads as the largest one, so it stays over the limit; one too small reads as 0.
double LeerPositivo(std::string_view s) {
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc{}) return v;
    // Out of range: decide by the position of the first significant digit.
    long posición = 0;
    bool enFracción = false;
    std::size_t i = 0;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.')
            enFracción = true;
        else if (s[i] != '0')
            break;
        else if (enFracción)
            --posición;
    }
    if (!enFracción)
        for (std::size_t j = i; j < s.size() && EsCifra(s[j]); ++j)
            ++posición;
    const auto e = s.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::size_t j = e + 1;
        const bool negativo = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        long exponente = 0;
        for (; j < s.size() && EsCifra(s[j]); ++j)
            exponente = std::min(exponente * 10 + (s[j] - '0'), 100000L);
        posición += negativo ? -exponente : exponente;
    }
    return posición > 0 ? kMáximo : 0.0;
}

// The leading number as a plain numeric reader takes it: point decimal, optional exponent; 0 when there is
// none.
double ValorInicial(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negativo = t[i++] == '-';
    const std::size_t inicio = i;
    bool hayCifras = false;
    for (; i < t.size() && EsCifra(t[i]); ++i)
        hayCifras = true;
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && EsCifra(t[i]); ++i)
            hayCifras = true;
    if (!hayCifras) return 0.0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '-' || t[j] == '+')) ++j;
        if (j < t.size() && EsCifra(t[j])) {
            while (j < t.size() && EsCifra(t[j]))
                ++j;
            i = j;
        }
    }
    const double v = LeerPositivo(t.substr(inicio, i - inicio));
    return negativo ? -v : v;
}

// Spanish notation: blanks around, an optional sign, digits with grouping points anywhere in the integer
// part, an optional decimal comma followed by digits only. Empty when the text is anything else, and, when
// soloEnRango, also when the number is too big or too small for a double (otherwise it reads as the nearest).
std::optional<double> LeerEnEspañol(std::string_view t, bool soloEnRango) {
    std::size_t i = 0, fin = t.size();
    while (i < fin && t[i] == ' ')
        ++i;
    while (fin > i && t[fin - 1] == ' ')
        --fin;
    bool negativo = false;
    if (i < fin && (t[i] == '-' || t[i] == '+')) negativo = t[i++] == '-';
    std::string cifras;
    cifras.reserve(fin - i + 1);
    bool hayCifras = false, hayComa = false;
    for (; i < fin; ++i) {
        const char c = t[i];
        if (EsCifra(c)) {
            cifras += c;
            hayCifras = true;
        } else if (c == '.' && !hayComa) {
            continue;
        } else if (c == ',' && !hayComa) {
            hayComa = true;
            cifras += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!hayCifras) return std::nullopt;
    if (cifras.front() == '.') cifras.insert(cifras.begin(), '0');
    double v = 0;
    if (soloEnRango) {
        if (std::from_chars(cifras.data(), cifras.data() + cifras.size(), v).ec != std::errc{}) return std::nullopt;
    } else {
        v = LeerPositivo(cifras);
    }
    return negativo ? -v : v;
}

} // namespace

std::optional<double> LeerNúmero(std::string_view texto) {
    return LeerEnEspañol(texto, true);
}

double ValorLímiteImporte() {
    static const double límite = LeerPositivo(SinPuntos(LÍMITE_IMPORTE));
    return límite;
}

bool ImporteSobreLímite(double valor) {
    return std::fabs(valor) >= ValorLímiteImporte();
}

double ValorImporte(std::string_view texto) {
    const double inicial = ValorInicial(texto);
    if (inicial >= ValorLímiteImporte()) return inicial;
    if (texto.empty() || texto == "," || texto == "-") return 0.0;
    const auto v = LeerEnEspañol(texto, false);
    return v ? Redondear(*v, 2).value_or(0.0) : 0.0;
}

std::optional<double> Redondear(double valor, int n) {
    if (!std::isfinite(valor)) return std::nullopt;
    // Near the top of the range 15 digits may round past the largest double: keep the value as it is.
    return ADouble(Redondeado(valor, n), valor);
}

std::string TextoAlMostrarImporte(double valor, bool mostrarCero, std::string_view formato, bool bloqueado) {
    if (ImporteSobreLímite(valor) && !bloqueado) return EnCifrasSolas(valor);
    if (!mostrarCero && valor == 0) return {};
    return Formatear(valor, formato);
}

std::string FormatearImporte(double valor, bool mostrarCero, std::string_view formato) {
    return TextoAlMostrarImporte(valor, mostrarCero, formato, false);
}

std::string TextoMostrarCasilla(std::string_view almacenado, bool bloqueado) {
    std::string texto = TextoAlMostrarImporte(ValorImporte(almacenado), false, FORMATO_IMPORTE, bloqueado);
    if (Recortar(texto).empty()) {
        std::string guardado = Recortar(almacenado);
        if (!guardado.empty()) return guardado;
    }
    return texto;
}

std::string SinPuntos(std::string_view texto) {
    std::string s;
    s.reserve(texto.size());
    for (char c : texto)
        if (c != '.') s += c;
    return s;
}

std::string ValorPorDefecto(std::string_view valor, std::string_view defecto) {
    return std::string(valor.empty() ? defecto : valor);
}

} // namespace m817
