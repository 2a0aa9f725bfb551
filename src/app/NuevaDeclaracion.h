#pragma once
// The period a new return takes: the quarter before today, within the exercise of this build.
#include "platform/Reloj.h"

#include <string>

namespace m817 {

// The period of the date three months before hoy: its quarter ("3T") when that date falls in the exercise of
// the build, "4T" when it is later, "1T" when it is earlier.
std::string PeriodoNuevaDeclaración(const FechaHora& hoy);

} // namespace m817
