#pragma once
// The reference tables in Datos/: plain text, Windows-1252, one "code,text" record a line, read into the list
// fields of the sheet. Letter codes (street types) are packed into the 32-bit code of the entry.
#include "model/HojaDeclaracion.h"
#include "platform/CarpetaPrograma.h"
#include "platform/Mensajes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m817 {

// The table files, named without ".txt".
inline constexpr std::string_view kTablaAdministraciones = "Administraciones";
inline constexpr std::string_view kTablaSiglas = "Siglas";
inline constexpr std::string_view kTablaProvincias = "Provincias";
inline constexpr std::string_view kTablaMunicipios = "Municipios";
inline constexpr std::string_view kTablaMunicipiosAdministraciones = "Municipios-Administraciones";

// Codes kept when a table is read, compared as texts (inclusive at both ends).
struct RangoCódigos {
    std::string desde, hasta;
};

// The municipality codes of a province: 7 -> 07000 .. 07999.
RangoCódigos RangoProvincia(int provincia);

// Letters packed into one number, the last letter in the lowest byte (AB -> 65 * 256 + 66). Empty when the
// text is empty or the number does not fit a signed 32-bit integer.
std::optional<std::int32_t> ClaveAlfabética(std::string_view letras);
// The letters of a packed number (17228 -> CL).
std::string CódigoATexto(std::int32_t número);

// One record of a table file.
struct RegistroTabla {
    std::string código, texto;
};
// The records of a table file; empty when any line is not two fields (a quoted field may hold commas; an
// unquoted one loses its surrounding blanks). Blank lines are skipped.
std::optional<std::vector<RegistroTabla>> LeerRegistrosTabla(std::string_view bytes);

// Fills lista with Datos/<nombre>.txt: numeric codes, or letter codes when alfabética. Any failure shows
// "Error al cargar la tabla de <nombre>", leaves the list empty and returns false.
bool CargarTabla(HojaDeclaración& hoja, IdCampo lista, std::string_view nombre, bool alfabética,
                 const ServicioCarpeta& carpeta, ServicioMensajes& mensajes,
                 const std::optional<RangoCódigos>& rango = std::nullopt);

// The four quarters of cmbPeriodo.
void CargarPeriodos(HojaDeclaración& hoja);

// Administration code by municipality code, from Datos/Municipios-Administraciones.txt. A failure (no file, a
// bad line, a municipality twice) shows its message and keeps the pairs read before it.
bool CargarMunicipiosAdministraciones(HojaDeclaración& hoja, const ServicioCarpeta& carpeta,
                                      ServicioMensajes& mensajes);

} // namespace m817
