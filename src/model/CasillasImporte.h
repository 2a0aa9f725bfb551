#pragma once
// Amounts written into and read from the boxes of the sheet. The text rules themselves are in Importes.h;
// these only apply them to a field, so that the write raises the box's change like typing does.
#include "model/HojaDeclaracion.h"
#include "model/Importes.h"

#include <string_view>

namespace m817 {

// Writes valor into the box in formato ("???" for the default). An over-limit value shows raw in an editable
// box and grouped in a locked one.
void MostrarImporte(HojaDeclaración& hoja, IdCampo casilla, double valor, bool mostrarCero,
                    std::string_view formato = FORMATO_POR_DEFECTO);

// Puts a stored amount into the box: formatted, but a stored text that formats to nothing stays as stored.
void MostrarCasilla(HojaDeclaración& hoja, IdCampo casilla, std::string_view almacenado);

// Removes the grouping points from edtCasilla(i) while it is edited; the calculation is held off meanwhile.
void QuitarPuntos(HojaDeclaración& hoja, int i);

// ValorImporte of the text of edtCasilla(i).
double ValorCasilla(const HojaDeclaración& hoja, int i);

} // namespace m817
