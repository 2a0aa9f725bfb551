#include "app/NuevaDeclaracion.h"

#include "model/CasillasImporte.h"
#include "model/Ejercicio.h"
#include "model/Listas.h"

#include <array>

namespace m817 {

namespace {

using namespace campos;

constexpr std::array<const char*, 6> kTiposNuevos = {"0", "2", "5", "9", "13", "20"};

constexpr IdCampo kTextosVacíos[] = {edtJustifComp, edtNIF,       edtNombre,       edtViaPublica,
                                     edtNumero,     edtEscalera,  edtPiso,         edtPuerta,
                                     edtTelefono,   edtCodigoPostal, edtFax,       edtNúmeroJustificante,
                                     edtFechaImpresión};

} // namespace

std::string PeriodoNuevaDeclaración(const FechaHora& hoy) {
    int año = hoy.año, mes = hoy.mes - 3;
    if (mes < 1) {
        mes += 12;
        --año;
    }
    if (año > EjercicioPrograma) return "4T";
    if (año < EjercicioPrograma) return "1T";
    return std::to_string((mes - 1) / 3 + 1) + "T";
}

void PonerDeclaraciónNueva(HojaDeclaración& hoja, const FechaHora& hoy, const ValidarCamposFn& validar) {
    hoja.EscribirTexto(edtEjercicio, std::to_string(EjercicioPrograma));
    hoja.EscribirTexto(cmbPeriodo, PeriodoNuevaDeclaración(hoy));
    hoja.EscribirValor(chkComplementaria, 0);
    for (IdCampo id : kTextosVacíos) hoja.EscribirTexto(id, "");

    SeleccionarCódigoCombo(hoja, cmbAdministracion, "", false);
    SeleccionarCódigoCombo(hoja, cmbSigla, "", true);
    SeleccionarCódigoCombo(hoja, cmbProvincia, "", false);
    // No province: no municipalities to offer, and the administration is the user's to choose again.
    hoja.VaciarLista(cmbMunicipio);
    hoja.Bloquear(cmbAdministracion, false);
    hoja.Colorear(cmbAdministracion, kFondoBlanco);
    hoja.iProvinciaAnterior = -1;

    for (int i = 1; i <= 26; ++i) MostrarCasilla(hoja, edtCasilla(i), "");
    for (int k = 1; k <= 6; ++k) hoja.EscribirTexto(edtTipos(k), kTiposNuevos[k - 1]);
    for (int r = 1; r <= 6; ++r) hoja.BaseAnterior[r] = ValorCasilla(hoja, r);
    Recalcular(hoja, validar);

    hoja.bCambioInterno = true;
    hoja.EscribirValor(chkFPEfectivo, 0);
    hoja.bCambioInterno = true;
    hoja.EscribirValor(chkFPCuenta, 0);
    hoja.bCambioInterno = false;
    for (int i = 0; i <= 3; ++i) {
        hoja.EscribirTexto(edtCCCIng(i), "");
        hoja.EscribirTexto(edtCCCDev(i), "");
    }

    hoja.Enfocar(cmbAdministracion);
    hoja.EscribirTexto(edtIdDeclaración, "0");
    hoja.RegistroModificado = false;
}

} // namespace m817
