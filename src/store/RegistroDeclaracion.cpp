#include "store/RegistroDeclaracion.h"

#include "model/Importes.h"
#include "platform/Texto1252.h"

#include <algorithm>
#include <charconv>

namespace m817 {

using enum CampoRegistro;

namespace {

constexpr std::array<DefiniciónCampoRegistro, kNúmeroCamposRegistro> kTabla = {{
    {Marca, "Marca", 0, 1},
    {Modelo, "Modelo", 1, 3},
    {Versión, "Versión", 4, 8},
    {Ejercicio, "Ejercicio", 12, 4},
    {Periodo, "Periodo", 16, 2},
    {Complementaria, "Complementaria", 18, 1},
    {JustificanteComplementada, "JustificanteComplementada", 19, 13},
    {Administración, "Administración", 32, 5},
    {NIF, "NIF", 37, 9},
    {Nombre, "Nombre", 46, 75},
    {Sigla, "Sigla", 121, 2},
    {ViaPública, "ViaPública", 123, 50},
    {Número, "Número", 173, 5},
    {Escalera, "Escalera", 178, 2},
    {Piso, "Piso", 180, 2},
    {Puerta, "Puerta", 182, 4},
    {Teléfono, "Teléfono", 186, 15},
    {Provincia, "Provincia", 201, 2},
    {Municipio, "Municipio", 203, 5},
    {CódigoPostal, "CódigoPostal", 208, 5},
    {Fax, "Fax", 213, 15},
    {Casilla01, "Casilla(1)", 228, 19},
    {Casilla02, "Casilla(2)", 247, 19},
    {Casilla03, "Casilla(3)", 266, 19},
    {Casilla04, "Casilla(4)", 285, 19},
    {Casilla05, "Casilla(5)", 304, 19},
    {Casilla06, "Casilla(6)", 323, 19},
    {Casilla07, "Casilla(7)", 342, 19},
    {Casilla08, "Casilla(8)", 361, 19},
    {Casilla09, "Casilla(9)", 380, 19},
    {Casilla10, "Casilla(10)", 399, 19},
    {Casilla11, "Casilla(11)", 418, 19},
    {Casilla12, "Casilla(12)", 437, 19},
    {Casilla13, "Casilla(13)", 456, 19},
    {Casilla14, "Casilla(14)", 475, 19},
    {Casilla16, "Casilla(16)", 494, 19},
    {Casilla17, "Casilla(17)", 513, 19},
    {Casilla18, "Casilla(18)", 532, 19},
    {Casilla19, "Casilla(19)", 551, 19},
    {Casilla20, "Casilla(20)", 570, 19},
    {Casilla21, "Casilla(21)", 589, 19},
    {Casilla24, "Casilla(24)", 608, 19},
    {Casilla25, "Casilla(25)", 627, 19},
    {Tipo1, "Tipo(1)", 646, 6},
    {Tipo2, "Tipo(2)", 652, 6},
    {Tipo3, "Tipo(3)", 658, 6},
    {Tipo4, "Tipo(4)", 664, 6},
    {Tipo5, "Tipo(5)", 670, 6},
    {Tipo6, "Tipo(6)", 676, 6},
    {FPEfectivo, "FPEfectivo", 682, 1},
    {FPCuenta, "FPCuenta", 683, 1},
    {CCCIngEntidad, "CCCIng(0)", 684, 4},
    {CCCIngOficina, "CCCIng(1)", 688, 4},
    {CCCIngDígitos, "CCCIng(2)", 692, 2},
    {CCCIngCuenta, "CCCIng(3)", 694, 10},
    {CCCDevEntidad, "CCCDev(0)", 704, 4},
    {CCCDevOficina, "CCCDev(1)", 708, 4},
    {CCCDevDígitos, "CCCDev(2)", 712, 2},
    {CCCDevCuenta, "CCCDev(3)", 714, 10},
    {Resultado, "Resultado", 724, 1},
    {NúmeroJustificante, "NúmeroJustificante", 725, 13},
    {FechaImpresión, "FechaImpresión", 738, 10},
    {FinRegistro, "FinRegistro", 748, 2},
}};

// Each field starts where the one before ends, in the order of the enumeration, and they fill the record.
constexpr bool TablaCompleta() {
    std::size_t posición = 0;
    for (std::size_t i = 0; i < kTabla.size(); ++i) {
        if (static_cast<std::size_t>(kTabla[i].campo) != i || kTabla[i].posición != posición) return false;
        posición += kTabla[i].ancho;
    }
    return posición == kLongitudRegistro;
}
static_assert(TablaCompleta());

} // namespace

const std::array<DefiniciónCampoRegistro, kNúmeroCamposRegistro> kCamposRegistro = kTabla;

const DefiniciónCampoRegistro& Definición(CampoRegistro c) {
    return kCamposRegistro[static_cast<std::size_t>(c)];
}

std::optional<CampoRegistro> CampoCasilla(int i) {
    if (i >= 1 && i <= 14) return static_cast<CampoRegistro>(static_cast<int>(Casilla01) + i - 1);
    if (i >= 16 && i <= 21) return static_cast<CampoRegistro>(static_cast<int>(Casilla16) + i - 16);
    if (i == 24) return Casilla24;
    if (i == 25) return Casilla25;
    return std::nullopt;
}

CampoRegistro CampoTipo(int k) {
    return static_cast<CampoRegistro>(static_cast<int>(Tipo1) + std::clamp(k, 1, 6) - 1);
}

CampoRegistro CampoCCCIng(int parte) {
    return static_cast<CampoRegistro>(static_cast<int>(CCCIngEntidad) + std::clamp(parte, 0, 3));
}

CampoRegistro CampoCCCDev(int parte) {
    return static_cast<CampoRegistro>(static_cast<int>(CCCDevEntidad) + std::clamp(parte, 0, 3));
}

RegistroDeclaración::RegistroDeclaración() {
    InicializarRegistro(*this);
}

RegistroDeclaración RegistroDeclaración::DesdeBytes(std::string_view bytes) {
    RegistroDeclaración r;
    r.datos_.fill(' ');
    std::copy_n(bytes.begin(), std::min(bytes.size(), kLongitudRegistro), r.datos_.begin());
    return r;
}

std::string_view RegistroDeclaración::Campo(CampoRegistro c) const {
    const auto& d = Definición(c);
    return Bytes().substr(d.posición, d.ancho);
}

std::string RegistroDeclaración::Valor(CampoRegistro c) const {
    return Recortar(Campo(c));
}

void RegistroDeclaración::Poner(CampoRegistro c, std::string_view valor) {
    const auto& d = Definición(c);
    const auto n = std::min(valor.size(), d.ancho);
    auto destino = datos_.begin() + static_cast<std::ptrdiff_t>(d.posición);
    std::copy_n(valor.begin(), n, destino);
    std::fill(destino + static_cast<std::ptrdiff_t>(n), destino + static_cast<std::ptrdiff_t>(d.ancho), ' ');
}

std::optional<std::int32_t> RegistroDeclaración::Entero(CampoRegistro c) const {
    const std::string t = Valor(c);
    const char* inicio = t.data();
    if (!t.empty() && t.front() == '+') ++inicio;
    // from_chars takes a minus of its own: after a plus only digits may follow.
    if (inicio != t.data() && t.size() > 1 && t[1] == '-') return std::nullopt;
    std::int32_t v = 0;
    const auto r = std::from_chars(inicio, t.data() + t.size(), v);
    if (t.empty() || r.ec != std::errc{} || r.ptr != t.data() + t.size()) return std::nullopt;
    return v;
}

void InicializarRegistro(RegistroDeclaración& r) {
    for (const auto& d : kCamposRegistro)
        r.Poner(d.campo, "");
    for (int k = 1; k <= 6; ++k)
        r.Poner(CampoTipo(k), kTiposIniciales[static_cast<std::size_t>(k - 1)]);
    r.Poner(FinRegistro, "\r\n");
}

std::string TextoNúmero(double valor) {
    return FormatearImporte(valor, true, "General Number");
}

std::string TextoTipo(std::string_view textoCasilla) {
    const std::string t = Recortar(textoCasilla);
    if (t.empty()) return "0";
    const auto v = LeerNúmero(t);
    return v ? TextoNúmero(*v) : t;
}

} // namespace m817
