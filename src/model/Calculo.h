#pragma once
// The live calculation of the return: quotas of the six rate rows, the totals 15, 22, 23 and 26, and the
// result (which option, which amount, which payment and account fields are open), with the events of the
// boxes, the result options, their captions, the payment boxes and the no-activity indicator.
#include "model/Disposicion.h"
#include "model/HojaDeclaracion.h"

#include <functional>
#include <string_view>

namespace m817 {

// The field checks, which live above the model: the window hands them in. May be empty.
using ValidarCamposFn = std::function<void(Control control, int índice)>;

// Quotas, totals and result from the box texts. A run started while one is going on returns at once: the
// outer run reads every box after writing it, so its end state is that of one full pass.
void Recalcular(HojaDeclaración& hoja, const ValidarCamposFn& validar = {});
// Options, payment boxes and account fields from box 26 and the period.
void ActualizarResultado(HojaDeclaración& hoja, const ValidarCamposFn& validar = {});
// Chooses option n (1-3) when it is enabled and not yet chosen or its amount is stale.
void SeleccionarResultado(HojaDeclaración& hoja, int n, const ValidarCamposFn& validar = {});

// Events, as the sheet dispatches them.
void Casilla_Change(HojaDeclaración& hoja, int i, const ValidarCamposFn& validar);
// Entering an amount box: its editing form, and for a base box the base before editing.
void Casilla_GotFocus(HojaDeclaración& hoja, int i);
// Option n became selected (by a click or by SeleccionarResultado).
void optResultado_Click(HojaDeclaración& hoja, int n, const ValidarCamposFn& validar);
void edtResultado_Change(HojaDeclaración& hoja, int n, const ValidarCamposFn& validar);
void edtResultado_Click(HojaDeclaración& hoja, int n, const ValidarCamposFn& validar);
// A click on a caption: the result headings 4-6, and the amount captions and letters 1-3, choose their option.
void Etiqueta_Click(HojaDeclaración& hoja, EtiquetaActiva etiqueta, int índice,
                    const ValidarCamposFn& validar);
// Sets a payment box as the program does: its own handler does not take it for a click.
void PonerFormaPago(HojaDeclaración& hoja, IdCampo casilla, int valor);
// chkFPEfectivo or chkFPCuenta changed value.
void FormaPago_Click(HojaDeclaración& hoja, IdCampo casilla, const ValidarCamposFn& validar);
void chkSinActividad_Click(HojaDeclaración& hoja);

} // namespace m817
