#pragma once
// The two flat texts made from the print record: the 756-character line the point-cloud symbol
// holds, and the 729-character record string the copy command puts on the clipboard in debug runs.
#include "print/RegistroImpresion.h"

#include <string>

namespace m817 {

inline constexpr std::size_t kLongitudContenidoNubePuntos = 756;

// The point-cloud content of an official copy with that receipt number. `versión` is the program's
// version text (padded or cut to 8 characters).
std::string ContenidoNubePuntos(const RegistroImpresión& registro, const std::string& númeroJustificante,
                                const std::string& versión);

// The record string, or "ERROR" when it does not come to 729 characters.
std::string CadenaRegistroImpresión(const RegistroImpresión& registro);

// A text laid into a pattern of "@" places (a character or a space each) and literal characters,
// the places filled from the left when the pattern starts with "!", else from the right.
// Characters beyond the places are dropped.
std::string FormatoTexto(const std::string& valor, std::string_view patrón);

// "ddmmyyyy" read as a date (a day or month out of range carries over, as a calendar does) and
// written "yyyymmdd"; empty when the text is not eight digits.
std::string FechaAAAAMMDD(std::string_view ddmmaaaa);

} // namespace m817
