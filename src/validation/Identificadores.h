#pragma once
// Checks of the identifiers typed on the sheet (tax number, bank account code,
// receipt number) and the permitted-character filter the key filters and the
// content checks are built on. Pure functions over Windows-1252 text.
#include "platform/Teclas.h"

#include <array>
#include <string>
#include <string_view>

namespace m817 {

// Key codes the filter passes untouched (Backspace, Tab, Enter, Escape) and the
// bell a refused character becomes are in platform/Teclas.h.

// The default tables, aligned position by position (Windows-1252, 72 characters each): accented
// vowels of either case become the plain upper-case vowel, ñ becomes Ñ, the rest stand for themselves.
inline constexpr std::string_view kPermitidosPorDefecto =
    "\xE1\xE9\xED\xF3\xFA\xC1\xC9\xCD\xD3\xDA\xE0\xE8\xEC\xF2\xF9\xC0\xC8\xCC\xD2\xD9"
    "\xE4\xEB\xEF\xF6\xFC\xC4\xCB\xCF\xD6\xDC\xF1"
    "ABCDEFGHIJKLMN\xD1"
    "OPQRSTUVWXYZ0123456789-,. ";
inline constexpr std::string_view kReemplazosPorDefecto = "AEIOUAEIOUAEIOUAEIOUAEIOUAEIOU\xD1"
                                                          "ABCDEFGHIJKLMN\xD1"
                                                          "OPQRSTUVWXYZ0123456789-,. ";
static_assert(kPermitidosPorDefecto.size() == 72 && kReemplazosPorDefecto.size() == 72);

// Filters one typed key.
//  - An empty `permitidos` is replaced by the default tables (both arguments are written back, so
//    a caller's own variables keep them for later calls); an empty `reemplazos` alone becomes a
//    copy of `permitidos`.
//  - Enter-as-Tab: when `siguienteCampo` is given (the caller moves the focus on Enter) and the key
//    is Enter, `KeyAscii` becomes 0, `*siguienteCampo` becomes true and the result is true; the
//    caller must then move the focus to the next field. Without it, Enter is a plain control key.
//    `*siguienteCampo` is false after any other call.
//  - Otherwise the key is upper-cased and looked up; a control key stays itself, a permitted
//    character becomes its replacement and anything else becomes kCódigoRechazo. Codes outside
//    0..255 are refused.
// Returns whether the key is permitted.
bool FiltrarCarácter(int& KeyAscii, std::string& permitidos, std::string& reemplazos,
                     bool* siguienteCampo = nullptr);
// The same with sets that are not written back (literals, or the defaults when omitted).
bool FiltrarCarácter(int& KeyAscii, std::string_view permitidos = {}, std::string_view reemplazos = {},
                     bool* siguienteCampo = nullptr);

// Passes every character of `texto` through FiltrarCarácter (Enter is a plain control key here)
// and replaces the text by the mapped characters, up to and including the first refused one
// (which appears as the bell character). True when every character was permitted; an empty text is.
bool NormalizarTexto(std::string& texto, std::string& permitidos, std::string& reemplazos);
bool NormalizarTexto(std::string& texto, std::string_view permitidos = {}, std::string_view reemplazos = {});

// Tax identification number. `nif` is replaced by its trimmed, upper-cased form whatever the verdict;
// the check is chosen by its first character.
bool ValidarNIF(std::string& nif);
// Personal numbers: digits (padded to nine characters with leading zeros), X/Y/Z (read as 0/1/2)
// or K/L/M followed by seven digits; the ninth character is the letter of the number modulo 23.
bool ValidarNIFPersona(const std::string& nif);
// Organisation numbers: seven digits in positions 2 to 8 and a control digit or letter in position 9.
bool ValidarCIFDígito(const std::string& nif);
bool ValidarCIFLetra(const std::string& nif);

// Control digit of a ten-character digit string weighted from position `desde` (1 or 3) to 10.
// A character that is not a digit, or missing, counts as 0.
int DígitoControlCCC(std::string_view diez, int desde);
// Twenty-character bank account code: entity, office, two control digits, account number.
// Entity, office and account must be decimal digits; the length beyond twenty is not examined.
bool ValidarCCC(const std::string& ccc);

// Forms of the same family whose receipt numbers are accepted with a warning.
inline constexpr std::array<int, 6> MODELOS_AFINES{803, 806, 809, 824, 856, 872};
// The form this program fills in.
inline constexpr std::string_view kModelo = "817";

// Check digit (0..6) of the first twelve characters of a receipt number, -1 when they are not
// twelve decimal digits.
int DígitoControlJustificante(std::string_view doce);
// A new receipt number: "817", the last digit of `ejercicio`, "6", `aleatorio` (0..9 999 999) with
// seven digits and the check digit.
std::string ComponerJustificante(int ejercicio, long aleatorio);
// Thirteen-digit receipt number with a valid check digit and the prefix "817", or a prefix of
// MODELOS_AFINES (then `otroModelo` is set). Characters after the thirteenth are not examined.
bool ValidarJustificante(const std::string& justificante, bool& otroModelo);

} // namespace m817
