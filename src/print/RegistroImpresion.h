#pragma once
// The flat record every step of printing works from: the sheet copied into 729 characters of
// fixed-width fields (amounts as sign and 14 digits, rates as four digits, numbers with leading
// zeros), and five descriptive texts beside it.
#include "model/HojaDeclaracion.h"
#include "platform/Reloj.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace m817 {

// The fields in their declared order. Casilla (1..26), Tipos (1..6), Resultado (1..3), CCCIng and
// CCCDev (0..3) are arrays; every other field takes no index.
// clang-format off
enum class CampoImpresión : std::uint8_t {
    Modelo, CodigoAdministracion, Ejercicio, Periodo, Complementaria, JustifComp, NIF, Nombre, Sigla,
    ViaPublica, Numero, Escalera, Piso, Puerta, Telefono, Provincia, Municipio, CodigoPostal, Fax,
    Casilla, Tipos, Resultado, FPEfectivo, FPCuenta, CCCIng, CCCDev, SinActividad, FechaImpresion,
};
// clang-format on

// How a field is filled from the sheet.
enum class ReglaImpresión : std::uint8_t {
    Texto,        // FormatoFijo kind 0
    Número,       // FormatoFijo kind 1
    Importe,      // FormatoFijo kind 2
    Tipo,         // FormatoFijo kind 4
    Marca,        // the check box as "0" or "1"
    Fecha,        // today as "ddmmyyyy"
    Modelo,       // "817"
    Literal,      // the field's text as it is, untrimmed
    CódigoLetras, // letter code of the chosen list entry, as text
    CódigoNúmero, // numeric code of the chosen list entry, as a number with leading zeros
};

// One declared field: a single field, or an array of members of the same kind.
struct DefiniciónImpresión {
    CampoImpresión campo;
    std::string_view nombre;
    int primerÍndice; // -1 for a single field
    int miembros;
    int ancho; // of each member; 0 for the account parts, 4 + 4 + 2 + 10
    ReglaImpresión regla;
    std::optional<Control> control; // the sheet field it comes from (members: same index)
};

// The 31 declared fields, in order.
std::span<const DefiniciónImpresión> DefinicionesImpresión();

inline constexpr std::size_t kLongitudRegistroImpresión = 729;
inline constexpr std::array<int, 4> kAnchosCCC = {4, 4, 2, 10};

// Kinds of FormatoFijo.
inline constexpr int kFormatoTexto = 0;
inline constexpr int kFormatoNúmero = 1;
inline constexpr int kFormatoImporte = 2;
inline constexpr int kFormatoTipo = 4;

// The fixed-width form of a value. `valor` is trimmed in place. Kinds: 0 text (left-aligned,
// space-padded), 1 whole number with leading zeros and no sign, 2 amount in Spanish notation as a
// sign character (" " or "-") and longitud - 1 digits of which the last two are cents, 4 rate with
// two decimals and no separator ("7" -> "0700"). Any other kind is treated as text. The result is
// always `longitud` characters, cut on the right if need be. Independent of the machine's locale.
std::string FormatoFijo(std::string& valor, int longitud, int tipo);

class RegistroImpresión {
  public:
    RegistroImpresión(); // every field blank

    // A field's full text, padding included. índice is the member of an array field.
    std::string_view Campo(CampoImpresión c, int índice = -1) const;
    // Left-aligned, padded with spaces and cut to the field's width.
    void Poner(CampoImpresión c, int índice, std::string_view valor);
    void Poner(CampoImpresión c, std::string_view valor) { Poner(c, -1, valor); }

    // The 729 characters.
    std::string_view Texto() const { return {datos_.data(), datos_.size()}; }
    // Where a field lies in Texto(), and its width.
    static std::size_t Desplazamiento(CampoImpresión c, int índice = -1);
    static std::size_t Ancho(CampoImpresión c, int índice = -1);

    friend bool operator==(const RegistroImpresión&, const RegistroImpresión&) = default;

  private:
    std::array<char, kLongitudRegistroImpresión> datos_;
};

// The texts of the chosen list entries, stored as they come (left-aligned, space-padded, cut).
struct DescripcionesImpresión {
    static constexpr std::size_t kAnchoNombre = 30;
    static constexpr std::size_t kAnchoCódigo = 5;
    std::string NombreAdministración = std::string(kAnchoNombre, ' ');
    std::string NombreSigla = std::string(kAnchoNombre, ' ');
    std::string NombreProvincia = std::string(kAnchoNombre, ' ');
    std::string NombreMunicipio = std::string(kAnchoNombre, ' ');
    std::string CódigoAdministraciónLista = std::string(kAnchoCódigo, ' ');

    friend bool operator==(const DescripcionesImpresión&, const DescripcionesImpresión&) = default;
};

// Copies the sheet into both records in one pass; `hoy` is the printing date. The sheet is not
// changed. A list with no chosen entry gives an empty code and an empty description.
void MoverPantallaARegistroImpresión(const HojaDeclaración& hoja, const FechaHora& hoy,
                                     RegistroImpresión& registro, DescripcionesImpresión& descripciones);

// "ddmmyyyy".
std::string FechaDDMMAAAA(const FechaHora& f);

} // namespace m817
