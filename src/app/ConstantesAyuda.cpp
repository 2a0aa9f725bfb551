#include "app/ConstantesAyuda.h"

namespace m817 {

namespace {

struct TemaAyuda {
    Control control;
    int desde, hasta; // array members; -1, -1 for a single field
    int contexto;
};

using enum Control;

// clang-format off
constexpr TemaAyuda kTemas[] = {
    {cmbAdministracion, -1, -1, 401},
    {edtEjercicio, -1, -1, 402}, {cmbPeriodo, -1, -1, 402}, {chkComplementaria, -1, -1, 402},
    {edtJustifComp, -1, -1, 402},
    {edtNIF, -1, -1, 403}, {edtNombre, -1, -1, 403}, {cmbSigla, -1, -1, 403},
    {edtViaPublica, -1, -1, 403}, {edtNumero, -1, -1, 403}, {edtEscalera, -1, -1, 403},
    {edtPiso, -1, -1, 403}, {edtPuerta, -1, -1, 403}, {edtTelefono, -1, -1, 403},
    {cmbProvincia, -1, -1, 403}, {cmbMunicipio, -1, -1, 403}, {edtCodigoPostal, -1, -1, 403},
    {edtFax, -1, -1, 403},
    {edtCasilla, 1, 15, 404}, {edtTipos, 1, 6, 404},
    {edtCasilla, 16, 22, 405},
    {edtCasilla, 23, 26, 406},
    {edtResultado, 1, 1, 407}, {optResultado, 1, 1, 407}, {edtCCCIng, 0, 3, 407},
    {chkFPEfectivo, -1, -1, 407}, {chkFPCuenta, -1, -1, 407},
    {edtResultado, 2, 2, 408}, {optResultado, 2, 2, 408}, {edtCCCDev, 0, 3, 408},
    {edtResultado, 3, 3, 409}, {optResultado, 3, 3, 409}, {chkSinActividad, -1, -1, 409},
};
// clang-format on

} // namespace

int ContextoAyuda(IdCampo id) {
    const auto& d = Definición(id);
    for (const auto& t : kTemas)
        if (t.control == d.control && d.índice >= t.desde && d.índice <= t.hasta) return t.contexto;
    return 0;
}

void AsignarContextosAyuda(HojaDeclaración& hoja) {
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) hoja.AsignarContextoAyuda(id, ContextoAyuda(id));
}

} // namespace m817
