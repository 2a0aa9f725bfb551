#include "validation/EntradaCampos.h"

#include "model/Calculo.h"
#include "model/CasillasImporte.h"
#include "model/Disposicion.h"
#include "model/Importes.h"
#include "model/Listas.h"
#include "platform/Texto1252.h"
#include "validation/Identificadores.h"

#include <algorithm>
#include <array>

namespace m817 {

namespace {

// Boxes in which a minus may be typed: those the rules let be negative.
bool AdmiteMenos(int i) {
    return (i >= 1 && i <= 12) || i == 14 || i == 15 || i == 19 || i == 21 || i == 22 || i == 23 || i == 25 ||
           i == 26;
}

// The key filter of an amount box.
bool FiltrarCasilla(const HojaDeclaración& hoja, IdCampo id, int& KeyAscii, bool* siguiente) {
    const std::string& texto = hoja.Texto(id);
    const std::size_t inicio =
        std::min<std::size_t>(static_cast<std::size_t>(hoja.SelInicio(id)), texto.size());
    const std::string_view selección = std::string_view(texto).substr(inicio, hoja.SelLongitud(id));
    const auto menos = texto.find('-');
    const bool menosElegido = selección.find('-') != std::string_view::npos;

    std::string permitidos = "0123456789";
    if (AdmiteMenos(Definición(id).índice) && inicio == 0 && (menos == std::string::npos || menosElegido))
        permitidos += '-';
    std::string reemplazos = permitidos;
    // One comma; a point types a comma too.
    if (texto.find(',') == std::string::npos || selección.find(',') != std::string_view::npos) {
        permitidos += ",.";
        reemplazos += ",,";
    }
    // Nothing goes in front of the minus sign.
    if (menos != std::string::npos && inicio < menos + 1 && !menosElegido) KeyAscii = 0;
    return FiltrarCarácter(KeyAscii, permitidos, reemplazos, siguiente);
}

// ---- the events of each field ---------------------------------------------------------------------------

enum class AlTeclearHace : std::uint8_t { Nada, CompletarLista, AvanzarCuenta };
enum class AlValidarHace : std::uint8_t { Nada, Validar, ArmarNIF, ArmarJustificante };
enum class AlPerderHace : std::uint8_t { Nada, ValidarOtraVez, Validar, FormatearYValidarTodo };

struct EventosCampo {
    Control control;
    AlTeclearHace tecla;
    AlValidarHace valida;
    AlPerderHace pierde;
};

using enum AlTeclearHace;
using enum Control;
using V = AlValidarHace;
using P = AlPerderHace;

// Every control with a row here scrolls into view when it gets the focus.
constexpr EventosCampo kEventos[] = {
    {cmbAdministracion, CompletarLista, V::Validar, P::Nada},
    {cmbPeriodo, CompletarLista, V::Validar, P::ValidarOtraVez},
    {chkComplementaria, Nada, V::Nada, P::Validar},
    {edtJustifComp, Nada, V::ArmarJustificante, P::Nada},
    {cmbSigla, CompletarLista, V::Validar, P::Nada},
    {cmbMunicipio, CompletarLista, V::Validar, P::Nada},
    {cmbProvincia, CompletarLista, V::Validar, P::Nada},
    {edtNIF, Nada, V::ArmarNIF, P::Nada},
    {edtNombre, Nada, V::Validar, P::Nada},
    {edtViaPublica, Nada, V::Validar, P::Nada},
    {edtNumero, Nada, V::Validar, P::Nada},
    {edtEscalera, Nada, V::Validar, P::Nada},
    {edtPiso, Nada, V::Validar, P::Nada},
    {edtPuerta, Nada, V::Validar, P::Nada},
    {edtTelefono, Nada, V::Validar, P::Nada},
    {edtCodigoPostal, Nada, V::Validar, P::Nada},
    {edtFax, Nada, V::Validar, P::Nada},
    {edtCasilla, Nada, V::Validar, P::FormatearYValidarTodo},
    {edtCCCIng, AvanzarCuenta, V::Validar, P::Nada},
    {edtCCCDev, AvanzarCuenta, V::Validar, P::Nada},
    {chkFPEfectivo, Nada, V::Nada, P::Nada},
    {chkFPCuenta, Nada, V::Nada, P::Nada},
    {optResultado, Nada, V::Nada, P::Nada},
};

const EventosCampo* EventosDe(IdCampo id) {
    static const auto porCampo = [] {
        std::array<const EventosCampo*, kNúmeroCampos> t{};
        for (IdCampo i = 0; i < kNúmeroCampos; ++i)
            for (const auto& e : kEventos)
                if (e.control == Definición(i).control) t[i] = &e;
        return t;
    }();
    return id >= 0 && id < kNúmeroCampos ? porCampo[id] : nullptr;
}

bool EsCasilla(IdCampo id) {
    return EsDe(id, Control::edtCasilla);
}

} // namespace

bool VerTeclas(HojaDeclaración& hoja, IdCampo campo, int& KeyAscii, bool ControlÚltimoCampo) {
    const bool hayCampo = campo >= 0 && campo < kNúmeroCampos;
    if (ControlÚltimoCampo && hayCampo && hoja.EsBloqueado(campo) && KeyAscii != kTeclaIntro) KeyAscii = 0;

    bool siguiente = false;
    bool aceptada;
    if (hayCampo && campo == campos::cmbPeriodo)
        aceptada = FiltrarCarácter(KeyAscii, "0123456789T", {}, &siguiente);
    else if (hayCampo && campo == campos::edtJustifComp)
        aceptada = FiltrarCarácter(KeyAscii, "0123456789", {}, &siguiente);
    else if (hayCampo && EsCasilla(campo))
        aceptada = FiltrarCasilla(hoja, campo, KeyAscii, &siguiente);
    else
        aceptada = FiltrarCarácter(KeyAscii, {}, {}, &siguiente);
    // Enter goes back as itself: the sheet moves to the next field.
    if (siguiente) KeyAscii = kTeclaIntro;
    if (aceptada) hoja.RegistroModificado = true;
    return aceptada;
}

std::optional<std::string> ImportePegado(std::string_view texto) {
    const auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!texto.empty() && blanco(texto.front()))
        texto.remove_prefix(1);
    while (!texto.empty() && blanco(texto.back()))
        texto.remove_suffix(1);
    const auto dígito = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = texto.empty() || texto[0] != '-' ? 0 : 1;
    std::string cifras(texto.substr(0, i));
    // One to three digits, then groups of a point and three digits: only then are the points surely groups.
    std::size_t primeras = 0;
    for (; i < texto.size() && dígito(texto[i]) && primeras < 4; ++i, ++primeras)
        cifras += texto[i];
    if (primeras == 0 || primeras > 3) return std::nullopt;
    int grupos = 0;
    while (i < texto.size() && texto[i] == '.') {
        for (std::size_t k = 1; k <= 3; ++k)
            if (i + k >= texto.size() || !dígito(texto[i + k])) return std::nullopt;
        cifras.append(texto.substr(i + 1, 3));
        i += 4;
        ++grupos;
    }
    if (grupos == 0) return std::nullopt;
    if (i < texto.size() && texto[i] == ',') {
        cifras += ',';
        for (++i; i < texto.size() && dígito(texto[i]); ++i)
            cifras += texto[i];
    }
    if (i != texto.size()) return std::nullopt;
    return cifras;
}

void EnfocarCampo(HojaDeclaración& hoja, IdCampo campo, DesplazamientoHoja* d) {
    if (campo < 0 || campo >= kNúmeroCampos) return;
    const auto tipo = Definición(campo).tipo;
    if (tipo == TipoCampo::Texto || tipo == TipoCampo::Lista)
        hoja.EstablecerSelección(campo, 0, static_cast<int>(hoja.Texto(campo).size()));
    const ElementoHoja* e = PosiciónCampo(campo);
    if (!d || !e) return;

    const int arriba = -d->ValorV();
    if (e->y + arriba < 0)
        d->FijarV(std::max(e->y - kMargenEnfoque, d->MínimoV()));
    else if (e->y + e->alto + arriba > d->AltoVisible())
        d->FijarV(std::min(e->y + e->alto + kMargenEnfoque - d->AltoVisible(), d->MáximoV()));

    int x = -d->ValorH();
    if (e->x + e->ancho + x > d->AnchoVisible()) {
        const int valor = std::min(e->x + e->ancho + kMargenEnfoque - d->AnchoVisible(), d->MáximoH());
        d->FijarH(valor);
        x = -valor;
    }
    if (e->x + x < 0) d->FijarH(std::max(e->x - kMargenEnfoque, d->MínimoH()));
}

EntradaCampos::EntradaCampos(HojaDeclaración& hoja, ValidaciónDeclaración& validación,
                             DesplazamientoHoja* desplazamiento)
    : hoja_(hoja), validación_(validación), desplazamiento_(desplazamiento) {}

bool EntradaCampos::VerTeclas(IdCampo campo, int& KeyAscii, bool ControlÚltimoCampo) {
    return m817::VerTeclas(hoja_, campo, KeyAscii, ControlÚltimoCampo);
}

bool EntradaCampos::Pegar(const std::string& texto) {
    const IdCampo id = hoja_.Foco();
    if (id == kNingúnCampo) return false;
    if (EsCasilla(id))
        if (auto importe = ImportePegado(texto)) return hoja_.Pegar(*importe);
    return hoja_.Pegar(texto);
}

void EntradaCampos::EnfocarCampo(IdCampo campo) {
    m817::EnfocarCampo(hoja_, campo, desplazamiento_);
}

void EntradaCampos::AlRecibirFoco(IdCampo campo) {
    if (!EventosDe(campo)) return;
    if (EsCampoLista(campo))
        Lista_GotFocus(hoja_, campo);
    else if (EsCasilla(campo))
        Casilla_GotFocus(hoja_, Definición(campo).índice);
    EnfocarCampo(campo);
}

void EntradaCampos::AlTeclear(IdCampo campo, int& KeyAscii) {
    const EventosCampo* e = EventosDe(campo);
    if (!e) return;
    if (e->tecla == CompletarLista) {
        Lista_KeyPress(hoja_, campo, KeyAscii);
    } else if (e->tecla == AvanzarCuenta) {
        // The box is full once this key is in: on to the next part of the account.
        const auto& d = Definición(campo);
        const int largo = static_cast<int>(hoja_.Texto(campo).size()) - hoja_.SelLongitud(campo) + 1;
        if (KeyAscii != kTeclaRetroceso && d.índice < 3 && largo == d.longitudMáxima) hoja_.EnviarTabulador();
    }
}

void EntradaCampos::AlValidar(IdCampo campo, bool& Cancel) {
    const EventosCampo* e = EventosDe(campo);
    if (!e || e->valida == V::Nada) return;
    if (e->valida == V::ArmarNIF) validación_.bMostrarErrorNIF = true;
    if (e->valida == V::ArmarJustificante) validación_.bMostrarErrorJustificante = true;
    validación_.ValidarCampos(Definición(campo).control, Definición(campo).índice, Cancel);
}

void EntradaCampos::AlPerderFoco(IdCampo campo) {
    const EventosCampo* e = EventosDe(campo);
    if (!e) return;
    bool ignorado = false;
    switch (e->pierde) {
    case P::Nada:
        break;
    case P::ValidarOtraVez:
        AlValidar(campo, ignorado);
        break;
    case P::Validar:
        validación_.ValidarCampos(Definición(campo).control, Definición(campo).índice, ignorado);
        break;
    case P::FormatearYValidarTodo: {
        const std::string texto = Recortar(hoja_.Texto(campo));
        MostrarImporte(hoja_, campo, ValorImporte(texto), !texto.empty());
        validación_.ValidarCampos(kTodosLosCampos, -1, ignorado);
        break;
    }
    }
}

void EntradaCampos::Conectar(EventosHoja& eventos) {
    eventos.KeyPreview = [this](IdCampo id, int& KeyAscii) { VerTeclas(id, KeyAscii, true); };
    eventos.KeyPress = [this](IdCampo id, int& KeyAscii) { AlTeclear(id, KeyAscii); };
    eventos.GotFocus = [this](IdCampo id) { AlRecibirFoco(id); };
    eventos.Validate = [this](IdCampo id, bool& Cancel) { AlValidar(id, Cancel); };
    eventos.LostFocus = [this](IdCampo id) { AlPerderFoco(id); };
    // Opening a list counts as entering it.
    eventos.DropDown = [this](IdCampo id) {
        if (EsCampoLista(id)) AlRecibirFoco(id);
    };
}

} // namespace m817
