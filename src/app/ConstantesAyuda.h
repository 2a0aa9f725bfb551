#pragma once
// Help context numbers of the sheet's fields: the help key in a field opens its topic.
#include "model/HojaDeclaracion.h"

namespace m817 {

// The topic of a field (401-409), or 0 for a field without one.
int ContextoAyuda(IdCampo id);
void AsignarContextosAyuda(HojaDeclaración& hoja);

} // namespace m817
