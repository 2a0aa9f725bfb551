#include "model/Calculo.h"

#include "model/CasillasImporte.h"
#include "model/Importes.h"

#include <cmath>

namespace m817 {

namespace {

using namespace campos;

constexpr int kCasillasEntrada[] = {1, 2, 3, 4, 5, 6, 13, 14, 16, 17, 18, 19, 20, 21, 24, 25};

void Validar(const ValidarCamposFn& validar, Control control, int índice) {
    if (validar) validar(control, índice);
}

bool TieneTexto(const HojaDeclaración& hoja, int i) { return !hoja.Texto(edtCasilla(i)).empty(); }

bool AlgunaConTexto(const HojaDeclaración& hoja, int desde, int hasta) {
    for (int i = desde; i <= hasta; ++i)
        if (TieneTexto(hoja, i)) return true;
    return false;
}

double A2Decimales(double v) { return Redondear(v, 2).value_or(0.0); }

void CerrarFormasPago(HojaDeclaración& hoja) {
    hoja.Habilitar(chkFPEfectivo, false);
    hoja.Habilitar(chkFPCuenta, false);
    PonerFormaPago(hoja, chkFPEfectivo, 0);
    PonerFormaPago(hoja, chkFPCuenta, 0);
}

void Cuenta(HojaDeclaración& hoja, IdCampo (*parte)(int), bool abierta) {
    for (int i = 0; i <= 3; ++i) {
        if (!abierta) hoja.EscribirTexto(parte(i), "");
        hoja.Habilitar(parte(i), abierta);
    }
}

void VaciarResultados(HojaDeclaración& hoja) {
    for (int n = 1; n <= 3; ++n) hoja.EscribirTexto(edtResultado(n), "");
}

double ValorTipo(const HojaDeclaración& hoja, int r) { return ValorImporte(hoja.Texto(edtTipos(r))); }

// A quota is automatic while it is empty or still equals what the row's last base and rate gave.
bool CuotaAutomática(const HojaDeclaración& hoja, int r) {
    const std::string& qt = hoja.Texto(edtCasilla(r + 6));
    if (qt.empty()) return true;
    double previo = A2Decimales(hoja.TipoAnterior[r] * hoja.BaseAnterior[r] / 100);
    std::string sinBlancos;
    for (char c : qt)
        if (c != ' ') sinBlancos += c;
    return ValorImporte(qt) == previo && sinBlancos != "-";
}

// The row's part of box 15.
double CuotaFila(HojaDeclaración& hoja, int r) {
    IdCampo cuotaId = edtCasilla(r + 6);
    if (!CuotaAutomática(hoja, r)) return ValorImporte(hoja.Texto(cuotaId));
    double tipo = ValorTipo(hoja, r);
    double base = ValorCasilla(hoja, r);
    double cuota = A2Decimales(base * tipo / 100);
    if (hoja.Texto(cuotaId).empty() || tipo != hoja.TipoAnterior[r] || base != hoja.BaseAnterior[r]) {
        // An empty base leaves the quota empty; a base of 0 shows 0,00.
        bool mostrarCero = TieneTexto(hoja, r) && !hoja.Texto(edtTipos(r)).empty();
        MostrarImporte(hoja, cuotaId, cuota, mostrarCero);
    }
    hoja.BaseAnterior[r] = base;
    hoja.TipoAnterior[r] = tipo;
    return cuota;
}

} // namespace

void PonerFormaPago(HojaDeclaración& hoja, IdCampo casilla, int valor) {
    HojaDeclaración::CambioInterno interno(hoja);
    hoja.EscribirValor(casilla, valor);
}

void Recalcular(HojaDeclaración& hoja, const ValidarCamposFn& validar) {
    if (hoja.bRecalculando) return;
    hoja.bRecalculando = true;
    double devengado = ValorCasilla(hoja, 13) + ValorCasilla(hoja, 14);
    for (int r = 1; r <= 6; ++r) devengado += CuotaFila(hoja, r);
    MostrarImporte(hoja, edtCasilla(15), devengado, AlgunaConTexto(hoja, 7, 14));

    double deducible = 0;
    for (int i = 16; i <= 21; ++i) deducible += ValorCasilla(hoja, i);
    MostrarImporte(hoja, edtCasilla(22), deducible, AlgunaConTexto(hoja, 16, 21));

    MostrarImporte(hoja, edtCasilla(23), devengado - deducible, TieneTexto(hoja, 15) || TieneTexto(hoja, 22));

    double resultado = ValorCasilla(hoja, 23) - ValorCasilla(hoja, 24) - ValorCasilla(hoja, 25);
    MostrarImporte(hoja, edtCasilla(26), resultado, AlgunaConTexto(hoja, 23, 25));
    hoja.bRecalculando = false;

    ActualizarResultado(hoja, validar);
}

void ActualizarResultado(HojaDeclaración& hoja, const ValidarCamposFn& validar) {
    hoja.sPeriodoResultado = hoja.Texto(cmbPeriodo);
    bool todasVacías = true;
    for (int i : kCasillasEntrada) todasVacías = todasVacías && !TieneTexto(hoja, i);

    if (todasVacías) {
        // No activity: the indicator's enabled state goes first, its handler keeps the value in step with it.
        hoja.Habilitar(chkSinActividad, true);
        hoja.EscribirValor(chkSinActividad, 1);
        CerrarFormasPago(hoja);
        hoja.Habilitar(optResultado(1), false);
        hoja.Habilitar(optResultado(2), false);
        hoja.Habilitar(optResultado(3), true);
        SeleccionarResultado(hoja, 3, validar);
        VaciarResultados(hoja);
        Cuenta(hoja, edtCCCIng, false);
        Cuenta(hoja, edtCCCDev, false);
        return;
    }

    hoja.Habilitar(chkSinActividad, false);
    hoja.EscribirValor(chkSinActividad, 0);
    hoja.Habilitar(chkFPEfectivo, true);
    hoja.Habilitar(chkFPCuenta, true);
    double r = ValorCasilla(hoja, 26);

    if (ImporteSobreLímite(r)) {
        for (int n = 1; n <= 3; ++n) hoja.Habilitar(optResultado(n), false);
        hoja.QuitarOpciones();
        VaciarResultados(hoja);
        CerrarFormasPago(hoja);
        Cuenta(hoja, edtCCCIng, false);
        Cuenta(hoja, edtCCCDev, false);
        return;
    }

    if (r > 0) { // to pay
        hoja.Habilitar(optResultado(1), true);
        hoja.Habilitar(optResultado(2), false);
        hoja.Habilitar(optResultado(3), false);
        SeleccionarResultado(hoja, 1, validar);
        Cuenta(hoja, edtCCCIng, hoja.Valor(chkFPCuenta) == 1);
        Cuenta(hoja, edtCCCDev, false);
        return;
    }

    // Nothing to pay: a refund only in the fourth quarter, otherwise to offset.
    CerrarFormasPago(hoja);
    Cuenta(hoja, edtCCCIng, false);
    hoja.Habilitar(optResultado(1), false);
    hoja.Habilitar(optResultado(2), hoja.Texto(cmbPeriodo) == "4T" && r != 0);
    hoja.Habilitar(optResultado(3), true);
    if (hoja.Estado(optResultado(2)).habilitado && hoja.Valor(optResultado(2)) == 1) {
        SeleccionarResultado(hoja, 2, validar);
        Cuenta(hoja, edtCCCDev, true);
    } else {
        SeleccionarResultado(hoja, 3, validar);
    }
}

void SeleccionarResultado(HojaDeclaración& hoja, int n, const ValidarCamposFn& validar) {
    if (n < 1 || n > 3) return;
    IdCampo opción = optResultado(n);
    if (!hoja.Estado(opción).habilitado) return;
    double a = std::fabs(ValorCasilla(hoja, 26));
    double m = ValorImporte(hoja.Texto(edtResultado(n)));
    if (hoja.Valor(opción) == 0) {
        hoja.SeleccionarOpción(opción);
        // Selecting raises the option's click, which does the rest; without a handler do it here.
        if (!hoja.eventos.Click) optResultado_Click(hoja, n, validar);
    } else if (m != a) {
        optResultado_Click(hoja, n, validar);
    }
}

void Casilla_Change(HojaDeclaración& hoja, int i, const ValidarCamposFn& validar) {
    if (hoja.bSuspenderRecalculo) return;
    Recalcular(hoja, validar);
    if (hoja.Foco() == edtCasilla(i)) QuitarPuntos(hoja, i);
}

void Casilla_GotFocus(HojaDeclaración& hoja, int i) {
    IdCampo id = edtCasilla(i);
    if (hoja.Estado(id).bloqueado) return;
    QuitarPuntos(hoja, i);
    if (i >= 1 && i <= 6) hoja.BaseAnterior[i] = ValorCasilla(hoja, i);
}

void optResultado_Click(HojaDeclaración& hoja, int n, const ValidarCamposFn& validar) {
    if (hoja.Valor(optResultado(n)) == 0) return;
    hoja.RegistroModificado = true;
    VaciarResultados(hoja);
    bool devolución = n == 2;
    for (int i = 0; i <= 3; ++i) {
        if (!devolución) hoja.EscribirTexto(edtCCCDev(i), "");
        hoja.Habilitar(edtCCCDev(i), devolución);
    }
    // An offset of 0 shows 0,00; a payment or refund of 0 shows nothing.
    MostrarImporte(hoja, edtResultado(n), std::fabs(ValorCasilla(hoja, 26)), n == 3);
    Validar(validar, Control::edtCCCDev, 0);
}

void edtResultado_Change(HojaDeclaración&, int, const ValidarCamposFn& validar) {
    Validar(validar, Control::edtCCCDev, 0);
    Validar(validar, Control::edtCCCIng, 0);
}

void edtResultado_Click(HojaDeclaración& hoja, int n, const ValidarCamposFn& validar) {
    SeleccionarResultado(hoja, n, validar);
}

void Etiqueta_Click(HojaDeclaración& hoja, EtiquetaActiva etiqueta, int índice,
                    const ValidarCamposFn& validar) {
    switch (etiqueta) {
    case EtiquetaActiva::lblApartado:
        if (índice >= 4 && índice <= 6) SeleccionarResultado(hoja, índice - 3, validar);
        break;
    case EtiquetaActiva::lblImporte:
    case EtiquetaActiva::lblLetra: SeleccionarResultado(hoja, índice, validar); break;
    case EtiquetaActiva::Ninguna: break;
    }
}

void FormaPago_Click(HojaDeclaración& hoja, IdCampo casilla, const ValidarCamposFn& validar) {
    IdCampo otra = casilla == chkFPEfectivo ? chkFPCuenta : chkFPEfectivo;
    if (!hoja.TomarCambioInterno()) {
        // A click: the pair works as one choice, and clicking the chosen one keeps it.
        PonerFormaPago(hoja, casilla, 1);
        PonerFormaPago(hoja, otra, 0);
    }
    if (hoja.Valor(casilla) == 1) {
        PonerFormaPago(hoja, otra, 0);
        Cuenta(hoja, edtCCCIng, casilla == chkFPCuenta);
    }
    Validar(validar, Definición(casilla).control, -1);
    hoja.RegistroModificado = true;
}

void chkSinActividad_Click(HojaDeclaración& hoja) {
    // The user cannot change it: it follows its enabled state.
    hoja.EscribirValor(chkSinActividad, hoja.Estado(chkSinActividad).habilitado ? 1 : 0);
}

} // namespace m817
