#pragma once
// Amounts of the return. Boxes hold them as text in the Spanish notation (points grouping thousands, decimal
// comma, leading minus) whatever the machine's regional settings are: nothing here reads the C or C++ locale.
#include <optional>
#include <string>
#include <string_view>

namespace m817 {

// Amounts at or above this, in absolute value, are refused by the checks; written as the program shows it.
inline constexpr const char* LÍMITE_IMPORTE = "1.000.000.000.000";
inline constexpr const char* FORMATO_IMPORTE = "#,##0.00";
// A format argument of "???" stands for FORMATO_IMPORTE.
inline constexpr const char* FORMATO_POR_DEFECTO = "???";

// LÍMITE_IMPORTE as a number (1e12).
double ValorLímiteImporte();
// |valor| >= ValorLímiteImporte().
bool ImporteSobreLímite(double valor);

// The value of an amount box. Never fails: a text that is not an amount reads as 0. A text whose leading
// point-decimal number reaches the limit reads as that number, unrounded (13 or more raw digits); any other
// text is read in the Spanish notation and rounded to cents.
double ValorImporte(std::string_view texto);

// A number in the Spanish notation: blanks around, optional sign, digits (points may group them), optional
// decimal comma and digits. Empty for anything else, the empty text included, and for a number out of a
// double's range.
std::optional<double> LeerNúmero(std::string_view texto);

// Decimal rounding to n places (n < 0 counts as 0), halves away from zero, after taking the value to 15
// significant digits (so 1.005 gives 1.01). Empty for NaN and infinities.
std::optional<double> Redondear(double valor, int n);

// The text an amount shows, in the Spanish notation. Formats: "???" or "#,##0.00" (FORMATO_IMPORTE), "#"
// (integer digits, no grouping), "General Number" (no grouping, only the decimals the value has, up to 15
// significant digits) and fixed patterns such as "0.00" or "#,##0" (',' groups, the zeros after '.' count the
// decimals). An unknown format means FORMATO_IMPORTE. Empty for 0 when mostrarCero is false, and for NaN.
// Values over the limit always come out in the "#" form.
std::string FormatearImporte(double valor, bool mostrarCero, std::string_view formato);

// What MostrarImporte writes into a box: like FormatearImporte, except that a locked (computed) box shows an
// over-limit value in its format (1.000.000.000.000,00); an editable one shows it raw so that it can be
// corrected.
std::string TextoAlMostrarImporte(double valor, bool mostrarCero, std::string_view formato, bool bloqueado);

// What MostrarCasilla leaves in a box for a stored amount text: the amount formatted, zero as empty; but a
// stored text that formats to nothing ("0,00", "abc") is kept as it was stored, trimmed.
std::string TextoMostrarCasilla(std::string_view almacenado, bool bloqueado = false);

// The text without its grouping points: the editing form of an amount box.
std::string SinPuntos(std::string_view texto);

// defecto when valor is empty, else valor ("0" stays "0").
std::string ValorPorDefecto(std::string_view valor, std::string_view defecto);

} // namespace m817
