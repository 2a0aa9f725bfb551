#pragma once
// The record of a saved return in Datos/Declaraciones.txt: 750 bytes of fixed-width Windows-1252 text fields,
// each left-aligned, padded with spaces and cut to its width, ending in CR LF.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace m817 {

inline constexpr std::size_t kLongitudRegistro = 750;

// clang-format off
enum class CampoRegistro : std::uint8_t {
    Marca, Modelo, Versión, Ejercicio, Periodo, Complementaria, JustificanteComplementada, Administración,
    NIF, Nombre, Sigla, ViaPública, Número, Escalera, Piso, Puerta, Teléfono, Provincia, Municipio,
    CódigoPostal, Fax,
    Casilla01, Casilla02, Casilla03, Casilla04, Casilla05, Casilla06, Casilla07, Casilla08, Casilla09,
    Casilla10, Casilla11, Casilla12, Casilla13, Casilla14,
    Casilla16, Casilla17, Casilla18, Casilla19, Casilla20, Casilla21, Casilla24, Casilla25,
    Tipo1, Tipo2, Tipo3, Tipo4, Tipo5, Tipo6,
    FPEfectivo, FPCuenta,
    CCCIngEntidad, CCCIngOficina, CCCIngDígitos, CCCIngCuenta,
    CCCDevEntidad, CCCDevOficina, CCCDevDígitos, CCCDevCuenta,
    Resultado, NúmeroJustificante, FechaImpresión, FinRegistro,
};
// clang-format on
inline constexpr std::size_t kNúmeroCamposRegistro = 63;

struct DefiniciónCampoRegistro {
    CampoRegistro campo;
    std::string_view nombre;
    std::size_t posición; // from 0 within the record
    std::size_t ancho;
};

// The 63 fields in record order.
extern const std::array<DefiniciónCampoRegistro, kNúmeroCamposRegistro> kCamposRegistro;
const DefiniciónCampoRegistro& Definición(CampoRegistro c);

// The field of box i (1..26); none for the computed boxes 15, 22, 23 and 26 and for numbers out of range.
std::optional<CampoRegistro> CampoCasilla(int i);
// Rate k (1..6).
CampoRegistro CampoTipo(int k);
// Part 0..3 of an account: entity, office, check digits, account number.
CampoRegistro CampoCCCIng(int parte);
CampoRegistro CampoCCCDev(int parte);

// The six rates of a new return, in order.
inline constexpr std::array<std::string_view, 6> kTiposIniciales = {"0", "2", "5", "9", "13", "20"};

class RegistroDeclaración {
  public:
    // As InicializarRegistro leaves it.
    RegistroDeclaración();

    // Any bytes: the first 750 are taken and a short input is completed with spaces.
    static RegistroDeclaración DesdeBytes(std::string_view bytes);
    std::string_view Bytes() const { return {datos_.data(), datos_.size()}; }

    // The stored text with its padding.
    std::string_view Campo(CampoRegistro c) const;
    // The stored text without blanks at either end.
    std::string Valor(CampoRegistro c) const;
    // Left-aligned, padded with spaces, cut to the width.
    void Poner(CampoRegistro c, std::string_view valor);

    // The trimmed text as a whole number (optional sign and digits only); empty otherwise.
    std::optional<std::int32_t> Entero(CampoRegistro c) const;
    // A flag field (Complementaria, FPEfectivo, FPCuenta): "1" set, anything else clear; written "1" or "0".
    bool Marcado(CampoRegistro c) const { return Valor(c) == "1"; }
    void PonerMarcado(CampoRegistro c, bool sí) { Poner(c, sí ? "1" : "0"); }

    // Live records carry " " as their mark; deleted ones "*".
    bool Vivo() const { return datos_[0] == ' '; }
    void MarcarBorrado() { datos_[0] = '*'; }

    friend bool operator==(const RegistroDeclaración&, const RegistroDeclaración&) = default;

  private:
    std::array<char, kLongitudRegistro> datos_;
};

// Every field blank except the six preset rates and the closing CR LF.
void InicializarRegistro(RegistroDeclaración& r);

// Numbers written into the file always use the program's own notation (decimal comma, no grouping), whatever
// the machine's settings, so that a file means the same everywhere; LeerNúmero (model/Importes.h) reads them.
//
// The shortest decimal form: 13 -> "13", 4.5 -> "4,5", 0.1 -> "0,1".
std::string TextoNúmero(double valor);
// What the record keeps of a rate box: the number in its shortest form, an empty box as "0"; a text that is
// not a number is kept as typed (trimmed) rather than lost.
std::string TextoTipo(std::string_view textoCasilla);

} // namespace m817
