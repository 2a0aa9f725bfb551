#include "print/ContenidoNubePuntos.h"

#include <chrono>

namespace m817 {
namespace {

using enum CampoImpresión;

bool Marcado(std::string_view campo) {
    return campo == "1" || campo == "S";
}

std::string Fijo(std::string_view campo, int longitud, int tipo) {
    std::string valor(campo);
    return FormatoFijo(valor, longitud, tipo);
}

std::string Cuenta(const RegistroImpresión& r, CampoImpresión c) {
    std::string s;
    for (int parte = 0; parte < 4; ++parte)
        s += Fijo(r.Campo(c, parte), kAnchosCCC[parte], kFormatoTexto);
    return s;
}

} // namespace

std::string FormatoTexto(const std::string& valor, std::string_view patrón) {
    const bool izquierda = !patrón.empty() && patrón.front() == '!';
    if (izquierda) patrón.remove_prefix(1);
    std::size_t plazas = 0;
    for (char c : patrón)
        plazas += c == '@';
    // The characters each place takes, in order; with right fill the text aligns to the last place.
    std::string relleno(plazas, ' ');
    const std::size_t n = std::min(plazas, valor.size());
    if (izquierda)
        std::copy_n(valor.begin(), n, relleno.begin());
    else
        std::copy_n(valor.end() - static_cast<std::ptrdiff_t>(n), n,
                    relleno.end() - static_cast<std::ptrdiff_t>(n));
    std::string r;
    std::size_t k = 0;
    for (char c : patrón)
        r += c == '@' ? relleno[k++] : c;
    return r;
}

std::string FechaAAAAMMDD(std::string_view f) {
    if (f.size() != 8 || f.find_first_not_of("0123456789") != std::string_view::npos) return {};
    const int día = std::stoi(std::string(f.substr(0, 2)));
    const int mes = std::stoi(std::string(f.substr(2, 2)));
    const int año = std::stoi(std::string(f.substr(4, 4)));
    using namespace std::chrono;
    const year_month primerMes = year{año} / January + months{mes - 1};
    const year_month_day fecha{sys_days{primerMes / 1} + days{día - 1}};
    const auto dígitos = [](int v, std::size_t ancho) {
        std::string s = std::to_string(v);
        return std::string(ancho > s.size() ? ancho - s.size() : 0, '0') + s;
    };
    return dígitos(static_cast<int>(fecha.year()), 4) +
           dígitos(static_cast<int>(unsigned(fecha.month())), 2) +
           dígitos(static_cast<int>(unsigned(fecha.day())), 2);
}

std::string ContenidoNubePuntos(const RegistroImpresión& r, const std::string& númeroJustificante,
                                const std::string& versión) {
    std::string c = "817" + FormatoTexto(versión, "!@@@@@@@@");
    c += Fijo(r.Campo(Ejercicio), 4, kFormatoNúmero);
    c += r.Campo(Periodo);
    c += Fijo(númeroJustificante, 13, kFormatoNúmero);
    c += r.Campo(CodigoAdministracion);
    c += Marcado(r.Campo(Complementaria)) ? "X" : " ";
    for (CampoImpresión campo : {JustifComp, NIF, Nombre, Sigla, ViaPublica, Numero, Escalera, Piso, Puerta,
                                 Telefono, Municipio, Provincia, CodigoPostal, Fax})
        c += r.Campo(campo);
    for (int i = 1; i <= 6; ++i)
        c += r.Campo(Casilla, i);
    for (int i = 1; i <= 6; ++i) {
        c += '0';
        c += r.Campo(Tipos, i);
    }
    for (int i = 7; i <= 26; ++i)
        c += r.Campo(Casilla, i);
    c += r.Campo(Resultado, 1);
    c += Marcado(r.Campo(FPEfectivo)) ? "X" : " ";
    c += Marcado(r.Campo(FPCuenta)) ? "X" : " ";
    c += Cuenta(r, CCCIng);
    c += r.Campo(Resultado, 2);
    c += Cuenta(r, CCCDev);
    c += r.Campo(Resultado, 3);
    c += Marcado(r.Campo(SinActividad)) ? "X" : " ";
    std::string fecha = FechaAAAAMMDD(r.Campo(FechaImpresion));
    fecha.resize(8, ' ');
    return c + fecha;
}

std::string CadenaRegistroImpresión(const RegistroImpresión& r) {
    const auto sn = [&](CampoImpresión campo) { return r.Campo(campo) == "1" ? "S" : "N"; };
    std::string c = "817";
    c += r.Campo(CodigoAdministracion);
    c += r.Campo(Ejercicio);
    c += r.Campo(Periodo);
    c += sn(Complementaria);
    for (CampoImpresión campo : {JustifComp, NIF, Nombre, Sigla, ViaPublica, Numero, Escalera, Piso, Puerta,
                                 Telefono, Provincia, Municipio, CodigoPostal, Fax})
        c += r.Campo(campo);
    for (int i = 1; i <= 6; ++i)
        c += r.Campo(Casilla, i);
    for (int i = 1; i <= 6; ++i)
        c += r.Campo(Tipos, i);
    for (int i = 7; i <= 26; ++i)
        c += r.Campo(Casilla, i);
    c += r.Campo(Resultado, 1);
    c += sn(FPEfectivo);
    c += sn(FPCuenta);
    c += Cuenta(r, CCCIng);
    c += r.Campo(Resultado, 2);
    c += Cuenta(r, CCCDev);
    c += r.Campo(Resultado, 3);
    c += sn(SinActividad);
    c += r.Campo(FechaImpresion);
    return c.size() == kLongitudRegistroImpresión ? c : "ERROR";
}

} // namespace m817
