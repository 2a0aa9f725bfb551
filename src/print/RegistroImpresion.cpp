#include "print/RegistroImpresion.h"

#include "model/Importes.h"
#include "model/Listas.h"
#include "platform/Texto1252.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace m817 {
namespace {

using enum CampoImpresión;
using R = ReglaImpresión;
using K = Control;

// clang-format off
constexpr DefiniciónImpresión kDefiniciones[] = {
    {Modelo,               "Modelo",               -1, 1,  3, R::Modelo,       {}},
    {CodigoAdministracion, "CodigoAdministracion", -1, 1,  5, R::Literal,      K::edtCodigoAdministracion},
    {Ejercicio,            "Ejercicio",            -1, 1,  4, R::Número,       K::edtEjercicio},
    {Periodo,              "Periodo",              -1, 1,  2, R::Texto,        K::cmbPeriodo},
    {Complementaria,       "Complementaria",       -1, 1,  1, R::Marca,        K::chkComplementaria},
    {JustifComp,           "JustifComp",           -1, 1, 13, R::Texto,        K::edtJustifComp},
    {NIF,                  "NIF",                  -1, 1,  9, R::Texto,        K::edtNIF},
    {Nombre,               "Nombre",               -1, 1, 75, R::Texto,        K::edtNombre},
    {Sigla,                "Sigla",                -1, 1,  2, R::CódigoLetras, K::cmbSigla},
    {ViaPublica,           "ViaPublica",           -1, 1, 50, R::Texto,        K::edtViaPublica},
    {Numero,               "Numero",               -1, 1,  5, R::Número,       K::edtNumero},
    {Escalera,             "Escalera",             -1, 1,  2, R::Texto,        K::edtEscalera},
    {Piso,                 "Piso",                 -1, 1,  2, R::Texto,        K::edtPiso},
    {Puerta,               "Puerta",               -1, 1,  4, R::Texto,        K::edtPuerta},
    {Telefono,             "Telefono",             -1, 1, 15, R::Texto,        K::edtTelefono},
    {Provincia,            "Provincia",            -1, 1,  2, R::CódigoNúmero, K::cmbProvincia},
    {Municipio,            "Municipio",            -1, 1,  5, R::CódigoNúmero, K::cmbMunicipio},
    {CodigoPostal,         "CodigoPostal",         -1, 1,  5, R::Número,       K::edtCodigoPostal},
    {Fax,                  "Fax",                  -1, 1, 15, R::Texto,        K::edtFax},
    {Casilla,              "Casilla",               1, 6, 15, R::Importe,      K::edtCasilla},
    {Tipos,                "Tipos",                 1, 6,  4, R::Tipo,         K::edtTipos},
    {Casilla,              "Casilla",               7, 20, 15, R::Importe,     K::edtCasilla},
    {Resultado,            "Resultado",             1, 1, 15, R::Importe,      K::edtResultado},
    {Resultado,            "Resultado",             2, 1, 15, R::Importe,      K::edtResultado},
    {FPEfectivo,           "FPEfectivo",           -1, 1,  1, R::Marca,        K::chkFPEfectivo},
    {FPCuenta,             "FPCuenta",             -1, 1,  1, R::Marca,        K::chkFPCuenta},
    {CCCIng,               "CCCIng",                0, 4,  0, R::Texto,        K::edtCCCIng},
    {CCCDev,               "CCCDev",                0, 4,  0, R::Texto,        K::edtCCCDev},
    {Resultado,            "Resultado",             3, 1, 15, R::Importe,      K::edtResultado},
    {SinActividad,         "SinActividad",         -1, 1,  1, R::Marca,        K::chkSinActividad},
    {FechaImpresion,       "FechaImpresion",       -1, 1,  8, R::Fecha,        {}},
};
// clang-format on
static_assert(std::size(kDefiniciones) == 31);

// One member of a declared field and where it lies in the record.
struct Miembro {
    CampoImpresión campo;
    int índice;
    std::size_t desplazamiento;
    std::size_t ancho;
    const DefiniciónImpresión* definición;
};

constexpr int AnchoMiembro(const DefiniciónImpresión& d, int índice) {
    return d.ancho != 0 ? d.ancho : kAnchosCCC[static_cast<std::size_t>(índice)];
}

constexpr std::size_t kNúmeroMiembros = [] {
    std::size_t n = 0;
    for (const auto& d : kDefiniciones)
        n += static_cast<std::size_t>(d.miembros);
    return n;
}();

constexpr std::array<Miembro, kNúmeroMiembros> kMiembros = [] {
    std::array<Miembro, kNúmeroMiembros> m{};
    std::size_t i = 0, desplazamiento = 0;
    for (const auto& d : kDefiniciones)
        for (int k = 0; k < d.miembros; ++k) {
            const int índice = d.primerÍndice < 0 ? -1 : d.primerÍndice + k;
            const auto ancho = static_cast<std::size_t>(AnchoMiembro(d, d.primerÍndice < 0 ? 0 : índice));
            m[i++] = {d.campo, índice, desplazamiento, ancho, &d};
            desplazamiento += ancho;
        }
    return m;
}();

static_assert(kMiembros.back().desplazamiento + kMiembros.back().ancho == kLongitudRegistroImpresión,
              "the declared widths must add up to the record's length");

const Miembro& Buscar(CampoImpresión c, int índice) {
    for (const Miembro& m : kMiembros)
        if (m.campo == c && m.índice == índice) return m;
    throw std::out_of_range("campo del registro de impresión inexistente");
}

std::string Ajustar(std::string_view s, std::size_t ancho) {
    std::string r(s.substr(0, ancho));
    r.resize(ancho, ' ');
    return r;
}

// Leading digits of the text, read the way a whole number is read: sign and anything after the
// digits ignored.
std::string CifrasIniciales(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t fin = i;
    while (fin < s.size() && s[fin] >= '0' && s[fin] <= '9')
        ++fin;
    std::string cifras(s.substr(i, fin - i));
    const auto primera = cifras.find_first_not_of('0');
    return primera == std::string::npos ? std::string() : cifras.substr(primera);
}

std::string ConCeros(std::string cifras, std::size_t ancho) {
    if (cifras.size() < ancho) cifras.insert(0, ancho - cifras.size(), '0');
    return cifras;
}

std::string TextoCampo(const HojaDeclaración& hoja, IdCampo id) {
    return id == kNingúnCampo ? "" : hoja.Texto(id);
}

std::string TextoEntradaElegida(const HojaDeclaración& hoja, IdCampo lista) {
    const int p = hoja.Posición(lista);
    const auto& entradas = hoja.Lista(lista);
    if (p < 0 || p >= static_cast<int>(entradas.size())) return {};
    return entradas[static_cast<std::size_t>(p)].texto;
}

std::string CódigoEntradaElegida(const HojaDeclaración& hoja, IdCampo lista) {
    const int p = hoja.Posición(lista);
    const auto& entradas = hoja.Lista(lista);
    if (p < 0 || p >= static_cast<int>(entradas.size())) return {};
    return std::to_string(entradas[static_cast<std::size_t>(p)].código);
}

} // namespace

std::span<const DefiniciónImpresión> DefinicionesImpresión() {
    return kDefiniciones;
}

std::string FormatoFijo(std::string& valor, int longitud, int tipo) {
    valor = Recortar(valor);
    const auto ancho = static_cast<std::size_t>(std::max(longitud, 0));
    switch (tipo) {
    case kFormatoNúmero:
        return Ajustar(ConCeros(CifrasIniciales(valor), ancho), ancho);
    case kFormatoImporte: {
        if (ancho == 0) return {};
        const long long céntimos = std::llround(ValorImporte(valor) * 100.0);
        const std::string signo = céntimos < 0 ? "-" : " ";
        return Ajustar(signo + ConCeros(std::to_string(std::llabs(céntimos)), ancho - 1), ancho);
    }
    case kFormatoTipo: {
        const long long centésimas = std::llabs(std::llround(ValorImporte(valor) * 100.0));
        return Ajustar(ConCeros(std::to_string(centésimas), ancho), ancho);
    }
    default:
        return Ajustar(valor, ancho);
    }
}

std::string FechaDDMMAAAA(const FechaHora& f) {
    const auto dos = [](int n) { return ConCeros(std::to_string(n), 2); };
    return dos(f.día) + dos(f.mes) + ConCeros(std::to_string(f.año), 4);
}

RegistroImpresión::RegistroImpresión() {
    datos_.fill(' ');
}

std::size_t RegistroImpresión::Desplazamiento(CampoImpresión c, int índice) {
    return Buscar(c, índice).desplazamiento;
}

std::size_t RegistroImpresión::Ancho(CampoImpresión c, int índice) {
    return Buscar(c, índice).ancho;
}

std::string_view RegistroImpresión::Campo(CampoImpresión c, int índice) const {
    const Miembro& m = Buscar(c, índice);
    return Texto().substr(m.desplazamiento, m.ancho);
}

void RegistroImpresión::Poner(CampoImpresión c, int índice, std::string_view valor) {
    const Miembro& m = Buscar(c, índice);
    const std::string ajustado = Ajustar(valor, m.ancho);
    std::copy(ajustado.begin(), ajustado.end(),
              datos_.begin() + static_cast<std::ptrdiff_t>(m.desplazamiento));
}

void MoverPantallaARegistroImpresión(const HojaDeclaración& hoja, const FechaHora& hoy,
                                     RegistroImpresión& registro, DescripcionesImpresión& descripciones) {
    for (const Miembro& m : kMiembros) {
        const DefiniciónImpresión& d = *m.definición;
        const IdCampo control = d.control ? BuscarCampo(*d.control, m.índice) : kNingúnCampo;
        const int ancho = static_cast<int>(m.ancho);
        std::string valor;
        switch (d.regla) {
        case R::Modelo:
            valor = "817";
            break;
        case R::Fecha:
            valor = FechaDDMMAAAA(hoy);
            break;
        case R::Marca:
            valor.assign(1, hoja.Valor(control) != 0 ? '1' : '0');
            break;
        case R::Literal:
            valor = TextoCampo(hoja, control);
            break;
        case R::Texto: {
            std::string t = TextoCampo(hoja, control);
            valor = FormatoFijo(t, ancho, kFormatoTexto);
            break;
        }
        case R::Número: {
            std::string t = TextoCampo(hoja, control);
            valor = FormatoFijo(t, ancho, kFormatoNúmero);
            break;
        }
        case R::Importe: {
            std::string t = TextoCampo(hoja, control);
            valor = FormatoFijo(t, ancho, kFormatoImporte);
            break;
        }
        case R::Tipo: {
            std::string t = TextoCampo(hoja, control);
            valor = FormatoFijo(t, ancho, kFormatoTipo);
            break;
        }
        case R::CódigoLetras: {
            std::string t = CódigoCombo(hoja, control, true);
            valor = FormatoFijo(t, ancho, kFormatoTexto);
            break;
        }
        case R::CódigoNúmero: {
            std::string t = CódigoCombo(hoja, control, false);
            valor = FormatoFijo(t, ancho, kFormatoNúmero);
            break;
        }
        }
        registro.Poner(m.campo, m.índice, valor);
    }

    using D = DescripcionesImpresión;
    descripciones.NombreAdministración =
        Ajustar(TextoEntradaElegida(hoja, campos::cmbAdministracion), D::kAnchoNombre);
    descripciones.NombreSigla = Ajustar(TextoEntradaElegida(hoja, campos::cmbSigla), D::kAnchoNombre);
    descripciones.NombreProvincia = Ajustar(TextoEntradaElegida(hoja, campos::cmbProvincia), D::kAnchoNombre);
    descripciones.NombreMunicipio = Ajustar(TextoEntradaElegida(hoja, campos::cmbMunicipio), D::kAnchoNombre);
    descripciones.CódigoAdministraciónLista =
        Ajustar(CódigoEntradaElegida(hoja, campos::cmbAdministracion), D::kAnchoCódigo);
}

} // namespace m817
