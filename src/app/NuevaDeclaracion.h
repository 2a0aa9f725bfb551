#pragma once
// A new, empty return on the sheet: the exercise of this build, the period of the quarter before today, the
// preset rates, nothing else, and the calculation run over it.
#include "model/Calculo.h"
#include "model/HojaDeclaracion.h"
#include "platform/Reloj.h"

#include <string>

namespace m817 {

// The period of the date three months before hoy: its quarter ("3T") when that date falls in the exercise of
// the build, "4T" when it is later, "1T" when it is earlier.
std::string PeriodoNuevaDeclaración(const FechaHora& hoy);

// Writes the fields of a new return as a blank record would put them, runs the calculation and leaves the
// focus on the first field. Record number "0", not modified.
void PonerDeclaraciónNueva(HojaDeclaración& hoja, const FechaHora& hoy, const ValidarCamposFn& validar);

} // namespace m817
