#include "validation/ReglasValidacion.h"

#include "model/Calculo.h"
#include "model/CasillasImporte.h"
#include "model/Importes.h"
#include "model/Listas.h"
#include "model/Tablas.h"
#include "platform/Texto1252.h"
#include "validation/Contenido.h"
#include "validation/Identificadores.h"

#include <array>
#include <cmath>
#include <initializer_list>

namespace m817 {

namespace {

using namespace campos;
using K = Control;

// The messages, in the code page of the return, converted once.
struct Textos {
    std::string administraciónErrónea = W("Administración errónea");
    std::string administraciónObligatoria = W("Administración tributaria obligatoria");
    std::string ejercicioObligatorio = W("Ejercicio obligatorio");
    std::string ejercicioVersión = W("El ejercicio no coincide con el ejercicio de la versión");
    std::string ejercicioAnterior =
        W("Ejercicio no puede ser anterior al año ") + std::to_string(kPrimerEjercicio);
    std::string periodoRechazado = W("Período erróneo"); // the refusal box carries the accent, the entry not
    std::string periodoObligatorio = W("Periodo obligatorio");
    std::string periodoErróneo = W("Periodo erróneo");
    std::string periodoEnCurso =
        W("El periodo de liquidación seleccionado no se corresponde con el actualmente en curso");
    std::string complementariaObligatoria = W("Casilla de autoliquidación complementaria obligatoria");
    std::string sinADeducir = W("No se ha consignado importe a deducir en la declaración complementaria");
    std::string soloComplementarias = W("A deducir solamente para autoliquidaciones complementarias");
    std::string justificanteObligatorio = W("Nº de justificante obligatorio");
    std::string justificanteErróneo = W("Nº de justificante erróneo");
    std::string justificanteOtroModelo = W("Nº de justificante no coincide con el modelo actual");
    std::string nifObligatorio = W("N.I.F. obligatorio");
    std::string nifErróneo = W("N.I.F. erróneo");
    std::string nombreObligatorio = W("Apellidos y nombre / Razón social obligatorio");
    std::string víaObligatoria = W("Nombre de la vía pública obligatorio");
    std::string nombreNoPermitidos = W("Apellidos y nombre / Razón social contiene caracteres no permitidos");
    std::string siglaErrónea = W("Tipo de vía errónea");
    std::string siglaObligatoria = W("Tipo de vía obligatorio");
    std::string víaNoPermitidos = W("Nombre de la vía pública contiene caracteres no permitidos");
    std::string númeroNoPermitidos = W("Número de la vía pública contiene caracteres no perimitidos");
    std::string escaleraNoPermitidos = W("Escalera contiene caracteres no perimitidos");
    std::string pisoNoPermitidos = W("Piso contiene caracteres no perimitidos");
    std::string puertaNoPermitidos = W("Puerta contiene caracteres no perimitidos");
    std::string teléfonoNoPermitidos = W("Telefono contiene caracteres no perimitidos");
    std::string faxNoPermitidos = W("Fax contiene caracteres no perimitidos");
    std::string provinciaErrónea = W("Provincia errónea");
    std::string provinciaObligatoria = W("Provincia obligatoria");
    std::string municipioErróneo = W("Municipio erróneo");
    std::string municipioObligatorio = W("Municipio obligatorio");
    std::string postalObligatorio = W("Código postal obligatorio");
    std::string postalNoPermitidos = W("Codigo Postal contiene caracteres no permitidos");
    std::string postalIncoherente = W("Código postal incoherente con la provincia");
    std::string formaPagoObligatoria = W("Forma de pago obligatorio");
    std::string cccObligatorio = W("Código Cuenta Cliente obligatorio");
    std::string cccIncompleto = W("Código Cuenta Cliente incompleto");
    std::string cccErróneo = W("Código Cuenta Cliente erróneo");
    // Captions of the fields, for the list of fields not loaded.
    std::array<std::string, kNúmeroCampos> etiquetas;
    // Error-list keys of the fields.
    std::array<std::string, kNúmeroCampos> claves;

    Textos() {
        for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
            etiquetas[id] = W(Definición(id).etiqueta);
            claves[id] = ClaveCampo(id);
        }
    }
};

const Textos& T() {
    static const Textos textos;
    return textos;
}

// Box numbers and the like, written with two digits.
std::string DosCifras(int n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

std::string MensajeLímite(int i) {
    return "El importe de la casilla " + DosCifras(i) + " debe ser menor de " + LÍMITE_IMPORTE;
}

// The value of the leading number of a text (blanks skipped, an optional sign, digits), as the postal code
// rule reads it: "07" is 7, "1T" is 1, "T" is 0.
long ValorInicial(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negativo = s[i++] == '-';
    long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        if (v < 1'000'000'000) v = v * 10 + (s[i] - '0');
    return negativo ? -v : v;
}

bool EsCuota(int i) {
    return i >= 7 && i <= 12;
}

bool CasillaSinNegativos(int i) {
    return i == 13 || i == 16 || i == 17 || i == 18 || i == 20 || i == 24;
}

} // namespace

std::string ClavePeriodo(int año, std::string_view periodo) {
    std::string relleno = "00";
    relleno += periodo;
    return std::to_string(año) + relleno.substr(relleno.size() - 2);
}

std::string TrimestreEnCurso(const FechaHora& hoy) {
    int año = hoy.año, mes = hoy.mes - 3;
    if (mes < 1) {
        mes += 12;
        --año;
    }
    return std::to_string(año) + std::to_string((mes - 1) / 3 + 1) + "T";
}

std::string MesEnCurso(const FechaHora& hoy) {
    int año = hoy.año, mes = hoy.mes - 1;
    if (mes < 1) {
        mes += 12;
        --año;
    }
    return std::to_string(año) + DosCifras(mes);
}

int AñoEjercicio(std::string_view texto) {
    std::string t = Recortar(texto);
    std::size_t i = t.empty() || (t[0] != '-' && t[0] != '+') ? 0 : 1;
    if (i == t.size()) return 0;
    long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return 0;
        v = v * 10 + (t[i] - '0');
        if (v > 32768) return 0;
    }
    if (t[0] == '-') v = -v;
    return v >= -32768 && v <= 32767 ? static_cast<int>(v) : 0;
}

// ---- one call -------------------------------------------------------------------------------------------

// What a call works out before its first block: the key asked for and the values of the exercise and
// period rules, whatever the key.
struct ValidaciónDeclaración::Llamada {
    std::optional<Control> campo;
    int Index;
    bool& Cancel;
    int año = 0;
    std::string periodo;
    std::string clavePeriodo;
    std::string trimestreEnCurso;
    std::string mesEnCurso;

    // The block runs for the whole return or for one of its own keys.
    bool Toca(std::initializer_list<Control> controles) const {
        if (!campo) return true;
        for (auto c : controles)
            if (*campo == c) return true;
        return false;
    }
    // The block's own field is the one being left.
    bool Interactiva(Control control) const { return campo == control; }
};

ValidaciónDeclaración::ValidaciónDeclaración(HojaDeclaración& hoja, ListaErrores& errores,
                                             ServicioMensajes& mensajes, const ServicioReloj& reloj,
                                             const ServicioCarpeta& carpeta)
    : hoja_(hoja), errores_(errores), mensajes_(mensajes), reloj_(reloj), carpeta_(carpeta) {}

void ValidaciónDeclaración::ValidarCampos(std::string_view campo, int Index, bool& Cancel) {
    if (campo.empty()) return ValidarCampos(kTodosLosCampos, Index, Cancel);
    if (auto control = ControlDeNombre(campo)) ValidarCampos(*control, Index, Cancel);
}

void ValidaciónDeclaración::ValidarCampos(std::optional<Control> campo, int Index, bool& Cancel) {
    const FechaHora hoy = reloj_.Ahora();
    const int año = AñoEjercicio(hoja_.Texto(edtEjercicio));
    const std::string& periodo = hoja_.Texto(cmbPeriodo);
    Llamada ll{campo,          Index, Cancel, año, periodo, ClavePeriodo(año, periodo), TrimestreEnCurso(hoy),
               MesEnCurso(hoy)};
    const Textos& t = T();

    if (ll.Toca({K::cmbAdministracion}) && !Administración(ll)) return;
    if (ll.Toca({K::edtEjercicio, K::cmbPeriodo})) Ejercicio(ll);
    if (ll.Toca({K::cmbPeriodo}) && !Periodo(ll)) return;
    if (ll.Toca({K::chkComplementaria, K::edtJustifComp, K::edtCasilla})) Complementaria();
    if (ll.Toca({K::chkComplementaria, K::edtCasilla})) ADeducir();
    if (ll.Toca({K::edtJustifComp, K::chkComplementaria})) Justificante(ll);
    if (ll.Toca({K::edtNIF})) NIF(ll);

    if (ll.Toca({K::edtNombre}))
        TextoLibre(ll, edtNombre, &t.nombreObligatorio, kContenidoTexto, t.nombreNoPermitidos, 1);
    if (ll.Toca({K::cmbSigla})) {
        if (ll.Interactiva(K::cmbSigla) && !PasosLista(ll, cmbSigla, t.siglaErrónea)) return;
        if (m817::Recortar(hoja_.Texto(cmbSigla)).empty()) {
            Error(cmbSigla, t.siglaObligatoria);
        } else {
            if (hoja_.Posición(cmbSigla) < 0) NoCargado(cmbSigla);
            Correcto(cmbSigla);
        }
    }
    if (ll.Toca({K::edtViaPublica}))
        TextoLibre(ll, edtViaPublica, &t.víaObligatoria, kContenidoTexto, t.víaNoPermitidos, 1);
    if (ll.Toca({K::edtNumero}))
        TextoLibre(ll, edtNumero, nullptr, kContenidoDígitos, t.númeroNoPermitidos, 0);
    if (ll.Toca({K::edtEscalera}))
        TextoLibre(ll, edtEscalera, nullptr, kContenidoTexto, t.escaleraNoPermitidos, 0);
    if (ll.Toca({K::edtPiso})) TextoLibre(ll, edtPiso, nullptr, kContenidoTexto, t.pisoNoPermitidos, 0);
    if (ll.Toca({K::edtPuerta})) TextoLibre(ll, edtPuerta, nullptr, kContenidoTexto, t.puertaNoPermitidos, 0);
    if (ll.Toca({K::edtTelefono}))
        TextoLibre(ll, edtTelefono, nullptr, kContenidoTexto, t.teléfonoNoPermitidos, 0);
    if (ll.Toca({K::edtFax})) TextoLibre(ll, edtFax, nullptr, kContenidoTexto, t.faxNoPermitidos, 0);

    if (ll.Toca({K::cmbProvincia}) && !Provincia(ll)) return;
    if (ll.Toca({K::cmbMunicipio}) && !Municipio(ll)) return;
    if (ll.Toca({K::cmbProvincia, K::cmbMunicipio})) AdministraciónDelMunicipio();
    if (ll.Toca({K::cmbProvincia, K::edtCodigoPostal})) CódigoPostal(ll);
    if (ll.Toca({K::edtCasilla, K::edtTipos}) && !Casillas(ll)) return;
    if (ll.Toca({K::edtCCCIng, K::chkFPCuenta, K::chkFPEfectivo})) CuentaIngreso(ll);
    if (ll.Toca({K::edtCCCDev})) CuentaDevolución(ll);
}

void ValidaciónDeclaración::ValidarCarga(std::string& ListaCamposNoCargados) {
    struct Modo {
        std::string*& lista;
        ~Modo() { lista = nullptr; }
    } modo{noCargados_};
    noCargados_ = &ListaCamposNoCargados;
    yaNoCargados_.reset();
    bool cancelar = false;
    ValidarCampos(kTodosLosCampos, -1, cancelar);
}

ValidarCamposFn ValidaciónDeclaración::ValidarAnidado() {
    return [this](Control control, int índice) {
        bool cancelar = false;
        ValidarCampos(control, índice, cancelar);
    };
}

bool ValidaciónDeclaración::ValidarÚltimoCampo() {
    IdCampo id = hoja_.Foco();
    if (id == kNingúnCampo) return true;
    bool cancelar = false;
    ValidarCampos(Definición(id).control, Definición(id).índice, cancelar);
    return !cancelar;
}

// ---- blocks ---------------------------------------------------------------------------------------------

bool ValidaciónDeclaración::Administración(Llamada& ll) {
    if (ll.Interactiva(K::cmbAdministracion) && !PasosLista(ll, cmbAdministracion, T().administraciónErrónea))
        return false;
    if (m817::Recortar(hoja_.Texto(cmbAdministracion)).empty()) {
        Error(cmbAdministracion, T().administraciónObligatoria);
    } else {
        if (hoja_.Posición(cmbAdministracion) < 0) NoCargado(cmbAdministracion);
        Correcto(cmbAdministracion);
    }
    return true;
}

void ValidaciónDeclaración::Ejercicio(const Llamada& ll) {
    if (ll.año == 0) {
        if (!m817::Recortar(hoja_.Texto(edtEjercicio)).empty()) NoCargado(edtEjercicio);
        Error(edtEjercicio, T().ejercicioObligatorio);
    } else if (ll.año >= kPrimerEjercicio) {
        if (ll.clavePeriodo.substr(0, 4) != hoja_.sEjercicioVersión.substr(0, 4))
            Aviso(edtEjercicio, T().ejercicioVersión, 2);
        else
            Correcto(edtEjercicio);
    } else {
        Error(edtEjercicio, T().ejercicioAnterior, 1);
    }
}

bool ValidaciónDeclaración::Periodo(Llamada& ll) {
    if (ll.Interactiva(K::cmbPeriodo)) {
        if (!PasosLista(ll, cmbPeriodo, T().periodoRechazado)) return false;
        // While the user typed, only whole periods ran the result logic; the one left in the field decides it
        // (an empty period rules a refund out).
        if (hoja_.Texto(cmbPeriodo) != hoja_.sPeriodoResultado) ActualizarResultado(hoja_, ValidarAnidado());
    }
    // The rules read the period as it was when the call began: a digit just padded is the same month.
    const std::string& p = ll.periodo;
    const std::string recortado = m817::Recortar(p);
    // What the field takes when it is left (a quarter of its list, a month, a digit it pads into one) is a
    // period; anything else, such as a stored "7T", is refused there and so is wrong here too.
    const bool periodo = PeriodoCompleto(hoja_, recortado) ||
                         (recortado.size() == 1 && recortado[0] >= '1' && recortado[0] <= '9');
    if (recortado.empty()) {
        Error(cmbPeriodo, T().periodoObligatorio);
    } else if (!periodo) {
        NoCargado(cmbPeriodo);
        Error(cmbPeriodo, T().periodoErróneo, 1);
    } else if (p.back() == 'T' ? ll.clavePeriodo != ll.trimestreEnCurso : ll.clavePeriodo != ll.mesEnCurso) {
        Aviso(cmbPeriodo, T().periodoEnCurso, 2);
    } else {
        Correcto(cmbPeriodo);
    }
    return true;
}

void ValidaciónDeclaración::Complementaria() {
    if (hoja_.Valor(chkComplementaria) != 1 && !m817::Recortar(hoja_.Texto(edtJustifComp)).empty())
        Error(chkComplementaria, T().complementariaObligatoria);
    else
        Correcto(chkComplementaria);
}

void ValidaciónDeclaración::ADeducir() {
    const IdCampo casilla25 = edtCasilla(25);
    const bool vacía = m817::Recortar(hoja_.Texto(casilla25)).empty();
    const bool complementaria = hoja_.Valor(chkComplementaria) == 1;
    if (complementaria && vacía)
        Aviso(casilla25, T().sinADeducir);
    else if (!complementaria && !vacía)
        Error(casilla25, T().soloComplementarias, 1);
    else
        Correcto(casilla25);
}

void ValidaciónDeclaración::Justificante(const Llamada& ll) {
    if (ll.Interactiva(K::edtJustifComp)) RecortarCampo(edtJustifComp);
    const std::string t = m817::Recortar(hoja_.Texto(edtJustifComp));
    bool otroModelo = false;
    const bool válido = ValidarJustificante(t, otroModelo);
    if (hoja_.Valor(chkComplementaria) == 1 && t.empty()) {
        Error(edtJustifComp, T().justificanteObligatorio);
    } else if (!t.empty() && !válido) {
        if (bMostrarErrorJustificante) MostrarError(mensajes_, T().justificanteErróneo);
        bMostrarErrorJustificante = !bMostrarErrorJustificante;
        Error(edtJustifComp, T().justificanteErróneo, 1);
    } else if (otroModelo) {
        Aviso(edtJustifComp, T().justificanteOtroModelo, 2);
    } else {
        Correcto(edtJustifComp);
    }
}

void ValidaciónDeclaración::NIF(const Llamada& ll) {
    if (ll.Interactiva(K::edtNIF)) RecortarCampo(edtNIF);
    // The field keeps the number as the check reads it: trimmed and in capitals.
    std::string nif = hoja_.Texto(edtNIF);
    const bool válido = ValidarNIF(nif);
    hoja_.EscribirTexto(edtNIF, nif);
    if (nif.empty()) {
        Error(edtNIF, T().nifObligatorio);
    } else if (!válido) {
        if (bMostrarErrorNIF) MostrarError(mensajes_, T().nifErróneo);
        bMostrarErrorNIF = !bMostrarErrorNIF;
        Error(edtNIF, T().nifErróneo, 1);
    } else {
        Correcto(edtNIF);
    }
}

void ValidaciónDeclaración::TextoLibre(const Llamada& ll, IdCampo id, const std::string* obligatorio,
                                       int tipo, const std::string& mensaje, int desplazamiento) {
    if (ll.Interactiva(Definición(id).control)) RecortarCampo(id);
    std::string t = hoja_.Texto(id);
    if (obligatorio && m817::Recortar(t).empty()) return Error(id, *obligatorio);
    if (!Contenido(id, t, tipo)) return Error(id, mensaje, desplazamiento);
    Correcto(id);
}

bool ValidaciónDeclaración::Contenido(IdCampo id, std::string texto, int tipo) {
    const bool anotar = noCargados_ && !yaNoCargados_[id];
    if (ComprobarContenido(anotar ? T().etiquetas[id] : std::string(), texto, tipo, true,
                           anotar ? noCargados_ : nullptr))
        return true;
    if (anotar) yaNoCargados_.set(id);
    return false;
}

bool ValidaciónDeclaración::Provincia(Llamada& ll) {
    if (ll.Interactiva(K::cmbProvincia)) {
        if (!PasosLista(ll, cmbProvincia, T().provinciaErrónea)) return false;
        const int posición = hoja_.Posición(cmbProvincia);
        if (!hoja_.EsProvinciaDeMunicipios(posición)) {
            // Another province: offer its municipalities, and the administration is the user's again.
            if (posición >= 0)
                CargarTabla(hoja_, cmbMunicipio, kTablaMunicipios, false, carpeta_, mensajes_,
                            RangoProvincia(hoja_.Lista(cmbProvincia)[posición].código));
            else
                hoja_.VaciarLista(cmbMunicipio);
            hoja_.Bloquear(cmbAdministracion, false);
            hoja_.Colorear(cmbAdministracion, kFondoBlanco);
        }
    }
    if (m817::Recortar(hoja_.Texto(cmbProvincia)).empty()) {
        Error(cmbProvincia, T().provinciaObligatoria);
    } else {
        if (hoja_.Posición(cmbProvincia) < 0) NoCargado(cmbProvincia);
        Correcto(cmbProvincia);
    }
    return true;
}

bool ValidaciónDeclaración::Municipio(Llamada& ll) {
    if (ll.Interactiva(K::cmbMunicipio) && !PasosLista(ll, cmbMunicipio, T().municipioErróneo)) return false;
    if (m817::Recortar(hoja_.Texto(cmbMunicipio)).empty()) {
        Error(cmbMunicipio, T().municipioObligatorio);
    } else {
        if (hoja_.Posición(cmbMunicipio) < 0) NoCargado(cmbMunicipio);
        Correcto(cmbMunicipio);
    }
    return true;
}

void ValidaciónDeclaración::AdministraciónDelMunicipio() {
    auto libre = [this] {
        hoja_.Bloquear(cmbAdministracion, false);
        hoja_.Colorear(cmbAdministracion, kFondoBlanco);
    };
    if (bCargando_) return libre();
    const std::string municipio = CódigoCombo(hoja_, cmbMunicipio, false);
    auto it = municipio.empty() ? hoja_.colMunicipiosAdministraciones.end()
                                : hoja_.colMunicipiosAdministraciones.find(municipio);
    if (it == hoja_.colMunicipiosAdministraciones.end()) return libre();
    const std::string administración = it->second;
    hoja_.Bloquear(cmbAdministracion, true);
    hoja_.Colorear(cmbAdministracion, kFondoCalculado);
    if (hoja_.Posición(cmbAdministracion) < 0 ||
        CódigoCombo(hoja_, cmbAdministracion, false) != administración)
        SeleccionarCódigoCombo(hoja_, cmbAdministracion, administración, false);
    // As leaving the administration field would.
    bool cancelar = false;
    ValidarCampos(K::cmbAdministracion, -1, cancelar);
}

void ValidaciónDeclaración::CódigoPostal(const Llamada& ll) {
    if (ll.Interactiva(K::edtCodigoPostal)) RecortarCampo(edtCodigoPostal);
    std::string t = m817::Recortar(hoja_.Texto(edtCodigoPostal));
    const int posición = hoja_.Posición(cmbProvincia);
    const long provincia = posición >= 0 ? hoja_.Lista(cmbProvincia)[posición].código : 0;
    if (t.empty()) {
        Error(edtCodigoPostal, T().postalObligatorio);
        return;
    }
    if (!Contenido(edtCodigoPostal, t, kContenidoDígitos)) {
        Error(edtCodigoPostal, T().postalNoPermitidos);
        return;
    }
    // The code written with five digits: its first two are the province.
    std::string cinco = t.size() < 5 ? std::string(5 - t.size(), '0') + t : t;
    if (provincia != 0 && ValorInicial(cinco.substr(0, 2)) != provincia)
        Error(edtCodigoPostal, T().postalIncoherente, 1);
    else
        Correcto(edtCodigoPostal);
}

bool ValidaciónDeclaración::Casillas(Llamada& ll) {
    for (int i = 1; i <= 26; ++i) {
        const bool visitar = !ll.campo || ll.Index == i || (EsCuota(i) && ll.Index == i - 6) ||
                             hoja_.Estado(edtCasilla(i)).bloqueado;
        if (visitar && !Casilla(ll, i)) return false;
    }
    return true;
}

bool ValidaciónDeclaración::Casilla(Llamada& ll, int i) {
    const IdCampo id = edtCasilla(i);
    const std::string NN = DosCifras(i);
    if (ll.Interactiva(K::edtCasilla) && ll.Index == i) {
        RecortarCampo(id);
        if (!hoja_.Texto(id).empty()) {
            const double v = ValorImporte(hoja_.Texto(id));
            if (ImporteSobreLímite(v) && !hoja_.Estado(id).bloqueado)
                return Detener(ll, id, MensajeLímite(i));
            MostrarImporte(hoja_, id, v, true);
        }
        Recalcular(hoja_, ValidarAnidado());
    }

    const std::string texto = m817::Recortar(hoja_.Texto(id));
    const double v = texto.empty() ? 0.0 : ValorImporte(texto);
    const bool cuota = EsCuota(i);
    // A quota box is checked against its base times its rate.
    bool sinBase = false;
    double esperada = 0;
    if (cuota) {
        const std::string base = m817::Recortar(hoja_.Texto(edtCasilla(i - 6)));
        sinBase = base.empty();
        if (!sinBase) {
            const std::string& tipo = hoja_.Texto(edtTipos(i - 6));
            const double t = tipo.empty() ? 0.0 : ValorImporte(tipo);
            esperada = Redondear(ValorImporte(base) * t / 100, 2).value_or(0.0);
        }
    }
    const double diferencia = Redondear(std::fabs(v - esperada), 2).value_or(0.0);
    const bool complementaria = hoja_.Valor(chkComplementaria) == 1;

    if (cuota && !texto.empty() && sinBase) {
        Error(id,
              "Si se rellena la casilla " + NN + " es obligatorio rellenar la casilla " + DosCifras(i - 6));
    } else if (ImporteSobreLímite(v) && !cuota) {
        Error(id, MensajeLímite(i), 2);
    } else if (i == 25 && texto.empty() && complementaria) {
        Aviso(id, T().sinADeducir, 3);
    } else if (i == 25 && !texto.empty() && !complementaria) {
        Error(id, T().soloComplementarias, 4);
    } else if (cuota && !texto.empty() && diferencia > 4.99) {
        Error(id,
              "El importe de la casilla " + NN +
                  " difiere mucho del producto de la base imponible por el tipo de gravamen",
              5);
    } else if (cuota && !texto.empty() && diferencia != 0) {
        Aviso(id,
              "El importe de la casilla " + NN +
                  " no coincide con el producto de la base imponible por el tipo de gravamen",
              6);
    } else if (v < 0 && CasillaSinNegativos(i)) {
        Error(id, "No se admiten valores negativos en la casilla  " + NN, 7);
    } else {
        Correcto(id);
    }
    return true;
}

namespace {

// The twenty characters of an account: the four parts, each trimmed, in order.
std::string CódigoCuenta(const HojaDeclaración& hoja, IdCampo (*parte)(int)) {
    std::string código;
    for (int i = 0; i <= 3; ++i)
        código += Recortar(hoja.Texto(parte(i)));
    return código;
}

} // namespace

void ValidaciónDeclaración::CuentaIngreso(const Llamada& ll) {
    if (ll.Interactiva(K::edtCCCIng))
        for (int i = 0; i <= 3; ++i)
            RecortarCampo(edtCCCIng(i));
    const bool efectivo = hoja_.Valor(chkFPEfectivo) == 1;
    const bool cuenta = hoja_.Valor(chkFPCuenta) == 1;
    if (!efectivo && !cuenta && hoja_.Estado(chkFPEfectivo).habilitado &&
        hoja_.Estado(chkFPCuenta).habilitado && ValorCasilla(hoja_, 26) > 0)
        Error(chkFPEfectivo, T().formaPagoObligatoria);
    else
        Correcto(chkFPEfectivo);

    const IdCampo clave = edtCCCIng(0);
    const std::string código = CódigoCuenta(hoja_, edtCCCIng);
    if (!hoja_.Estado(clave).habilitado)
        Correcto(clave);
    else if (cuenta && código.empty())
        Error(clave, T().cccObligatorio);
    else if (cuenta && código.size() < 20)
        Error(clave, T().cccIncompleto);
    else if (!cuenta || ValidarCCC(código))
        Correcto(clave);
    else
        Error(clave, T().cccErróneo);
}

void ValidaciónDeclaración::CuentaDevolución(const Llamada& ll) {
    if (ll.Interactiva(K::edtCCCDev))
        for (int i = 0; i <= 3; ++i)
            RecortarCampo(edtCCCDev(i));
    const IdCampo clave = edtCCCDev(0);
    const std::string código = CódigoCuenta(hoja_, edtCCCDev);
    if (!hoja_.Estado(clave).habilitado)
        Correcto(clave);
    else if (código.empty())
        Error(clave, T().cccObligatorio);
    else if (código.size() >= 20 && ValidarCCC(código))
        Correcto(clave);
    else if (código.size() >= 20)
        Error(clave, T().cccErróneo);
    else
        Error(clave, T().cccIncompleto);
}

// ---- shared steps ---------------------------------------------------------------------------------------

bool ValidaciónDeclaración::PasosLista(Llamada& ll, IdCampo id, const std::string& errónea) {
    const std::string& texto = hoja_.Texto(id);
    std::string recortado = m817::Recortar(texto);
    if (recortado == texto) {
        // Matches the typed text against the list once more.
        if (hoja_.eventos.Change) hoja_.eventos.Change(id);
    } else {
        hoja_.EscribirTexto(id, recortado);
    }
    const std::string& t = hoja_.Texto(id);
    if (t.empty() || hoja_.Posición(id) >= 0) return true;
    if (id == cmbPeriodo) {
        // A single digit is a month, written with two digits; a month so written (01 to 12) stays as it is,
        // or leaving the field (which checks it twice) would refuse what the repair has just made.
        if (t.size() == 1 && t[0] >= '1' && t[0] <= '9') {
            hoja_.EscribirTexto(id, "0" + t);
            return true;
        }
        if (EsMesPeriodo(t)) return true;
    }
    return Detener(ll, id, errónea);
}

void ValidaciónDeclaración::RecortarCampo(IdCampo id) {
    std::string recortado = m817::Recortar(hoja_.Texto(id));
    if (recortado != hoja_.Texto(id)) hoja_.EscribirTexto(id, recortado);
}

bool ValidaciónDeclaración::Detener(Llamada& ll, IdCampo id, const std::string& mensaje) {
    MostrarError(mensajes_, mensaje);
    if (hoja_.Foco() != id && hoja_.PuedeRecibirFoco(id)) hoja_.Enfocar(id);
    ll.Cancel = true;
    return false;
}

void ValidaciónDeclaración::Error(IdCampo id, const std::string& mensaje, int desplazamiento) {
    errores_.AnotarError(ListaErrores::kTipoError, T().claves[id], mensaje,
                         Definición(id).orden + desplazamiento, ListaErrores::kSinMensaje);
}

void ValidaciónDeclaración::Aviso(IdCampo id, const std::string& mensaje, int desplazamiento) {
    errores_.AnotarError(ListaErrores::kTipoAviso, T().claves[id], mensaje,
                         Definición(id).orden + desplazamiento, ListaErrores::kSinMensaje);
}

void ValidaciónDeclaración::Correcto(IdCampo id) {
    static const std::string sinMensaje;
    errores_.AnotarError(ListaErrores::kTipoCorrecto, T().claves[id], sinMensaje, 0,
                         ListaErrores::kSinMensaje);
}

void ValidaciónDeclaración::NoCargado(IdCampo id) {
    if (!noCargados_ || yaNoCargados_[id]) return;
    yaNoCargados_.set(id);
    *noCargados_ += T().etiquetas[id];
    *noCargados_ += ", ";
}

} // namespace m817
