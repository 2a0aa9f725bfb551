#pragma once
// The fields of the return as the sheet holds them, in the order of the paper
// form: kind, caption, order code (tag), lengths, alignment. One table; the
// field identities are positions in it, resolved at compile time from the
// typed controls below.
#include <array>
#include <span>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace m817 {

enum class TipoCampo : std::uint8_t { Texto, Lista, Casilla, Opción };
enum class Alineación : std::uint8_t { Izquierda, Derecha, Centro };

// The controls of the sheet: a single field, or a control array whose members are told apart by
// their index. Rules and events dispatch on these, so a misspelt control does not compile.
enum class Control : std::uint8_t {
    cmbAdministracion,
    edtCodigoAdministracion,
    edtEjercicio,
    cmbPeriodo,
    chkComplementaria,
    edtJustifComp,
    edtNIF,
    edtNombre,
    cmbSigla,
    edtViaPublica,
    edtNumero,
    edtEscalera,
    edtPiso,
    edtPuerta,
    edtTelefono,
    cmbProvincia,
    cmbMunicipio,
    edtCodigoPostal,
    edtFax,
    edtCasilla,
    edtTipos,
    optResultado,
    edtResultado,
    chkFPEfectivo,
    chkFPCuenta,
    edtCCCIng,
    edtCCCDev,
    chkSinActividad,
    edtIdDeclaración,
    edtNúmeroJustificante,
    edtFechaImpresión,
};

// Their names, in the order of the enumeration: data for keys, layouts and messages.
inline constexpr std::string_view kNombresControl[] = {
    "cmbAdministracion",
    "edtCodigoAdministracion",
    "edtEjercicio",
    "cmbPeriodo",
    "chkComplementaria",
    "edtJustifComp",
    "edtNIF",
    "edtNombre",
    "cmbSigla",
    "edtViaPublica",
    "edtNumero",
    "edtEscalera",
    "edtPiso",
    "edtPuerta",
    "edtTelefono",
    "cmbProvincia",
    "cmbMunicipio",
    "edtCodigoPostal",
    "edtFax",
    "edtCasilla",
    "edtTipos",
    "optResultado",
    "edtResultado",
    "chkFPEfectivo",
    "chkFPCuenta",
    "edtCCCIng",
    "edtCCCDev",
    "chkSinActividad",
    "edtIdDeclaración",
    "edtNúmeroJustificante",
    "edtFechaImpresión",
};

inline constexpr int kNúmeroControles = static_cast<int>(std::size(kNombresControl));
static_assert(kNúmeroControles == static_cast<int>(Control::edtFechaImpresión) + 1);

constexpr std::string_view NombreControl(Control c) { return kNombresControl[static_cast<int>(c)]; }

// The control with that name, for names that come as data (keys, layouts); nullopt when there is none.
constexpr std::optional<Control> ControlDeNombre(std::string_view nombre) {
    for (int i = 0; i < kNúmeroControles; ++i)
        if (kNombresControl[i] == nombre) return static_cast<Control>(i);
    return std::nullopt;
}

// Background colours, written blue-green-red as the form defines them.
inline constexpr std::uint32_t kFondoBlanco = 0xFFFFFF;
inline constexpr std::uint32_t kFondoCalculado = 0xE1FFFF; // light yellow

struct DefiniciónCampo {
    constexpr DefiniciónCampo(Control c, int í, TipoCampo t, bool calc, bool oc, int ord, int lon, int ancho,
                              Alineación al, bool neg, std::string_view et)
        : control(c), nombre(NombreControl(c)), índice(í), tipo(t), calculado(calc), oculto(oc), orden(ord),
          longitudMáxima(lon), anchoGuardado(ancho), alineación(al), negrita(neg), etiqueta(et) {}

    Control control;
    std::string_view nombre;  // control name
    int índice;               // member of a control array, or -1
    TipoCampo tipo;
    bool calculado;           // written by the program, locked, skipped by the focus order
    bool oculto;
    int orden;                // order code (tag); 0 = not reported on
    int longitudMáxima;       // characters the user may type; 0 = no limit
    int anchoGuardado;        // width in the saved record; 0 = not stored
    Alineación alineación;
    bool negrita;
    std::string_view etiqueta; // caption beside the field (UTF-8)
};

using IdCampo = int;
inline constexpr IdCampo kNingúnCampo = -1;

namespace detalle {
using enum TipoCampo;
using enum Control;
using A = Alineación;
constexpr auto I = A::Izquierda;
constexpr auto D = A::Derecha;
constexpr auto C = A::Centro;
// clang-format off
inline constexpr DefiniciónCampo kCatálogo[] = {
    {cmbAdministracion, -1, Lista, false, false, 10, 0, 5, I, false, "Administración Tributaria de"},
    {edtCodigoAdministracion, -1, Texto, true, false, 0, 0, 0, C, false, "Código"},
    {edtEjercicio, -1, Texto, true, false, 1010, 13, 4, I, true, "EJERCICIO"},
    {cmbPeriodo, -1, Lista, false, false, 1020, 2, 2, I, true, "PERÍODO"},
    {chkComplementaria, -1, Casilla, false, false, 1030, 0, 1, I, false, "AUTOLIQUIDACIÓN COMPLEMENTARIA"},
    {edtJustifComp, -1, Texto, false, false, 1040, 13, 13, I, false, "Nº DE JUSTIFICANTE"},
    {edtNIF, -1, Texto, false, false, 2010, 9, 9, C, false, "N.I.F."},
    {edtNombre, -1, Texto, false, false, 2020, 75, 75, I, false, "Apellidos y nombre / Razón social"},
    {cmbSigla, -1, Lista, false, false, 2030, 0, 2, I, false, "Tipo de vía"},
    {edtViaPublica, -1, Texto, false, false, 2040, 50, 50, I, false, "Nombre de la vía pública"},
    {edtNumero, -1, Texto, false, false, 2050, 5, 5, C, false, "Número"},
    {edtEscalera, -1, Texto, false, false, 2060, 2, 2, C, false, "Esc."},
    {edtPiso, -1, Texto, false, false, 2070, 2, 2, C, false, "Piso"},
    {edtPuerta, -1, Texto, false, false, 2080, 4, 4, C, false, "Puerta"},
    {edtTelefono, -1, Texto, false, false, 2090, 15, 15, I, false, "Teléfono"},
    {cmbProvincia, -1, Lista, false, false, 2100, 0, 2, I, false, "Provincia"},
    {cmbMunicipio, -1, Lista, false, false, 2110, 0, 5, I, false, "Municipio"},
    {edtCodigoPostal, -1, Texto, false, false, 2120, 5, 5, C, false, "Código postal"},
    {edtFax, -1, Texto, false, false, 2130, 15, 15, I, false, "Fax"},
    {edtCasilla, 1, Texto, false, false, 3010, 19, 19, D, false, "Base Imponible"},
    {edtCasilla, 2, Texto, false, false, 3020, 19, 19, D, false, "Base Imponible"},
    {edtCasilla, 3, Texto, false, false, 3030, 19, 19, D, false, "Base Imponible"},
    {edtCasilla, 4, Texto, false, false, 3040, 19, 19, D, false, "Base Imponible"},
    {edtCasilla, 5, Texto, false, false, 3050, 19, 19, D, false, "Base Imponible"},
    {edtCasilla, 6, Texto, false, false, 3060, 19, 19, D, false, "Base Imponible"},
    {edtTipos, 1, Texto, true, false, 3310, 19, 6, D, false, "Tipo de gravamen %"},
    {edtTipos, 2, Texto, true, false, 3320, 19, 6, D, false, "Tipo de gravamen %"},
    {edtTipos, 3, Texto, true, false, 3330, 19, 6, D, false, "Tipo de gravamen %"},
    {edtTipos, 4, Texto, true, false, 3340, 19, 6, D, false, "Tipo de gravamen %"},
    {edtTipos, 5, Texto, true, false, 3350, 19, 6, D, false, "Tipo de gravamen %"},
    {edtTipos, 6, Texto, true, false, 3360, 19, 6, D, false, "Tipo de gravamen %"},
    {edtCasilla, 7, Texto, false, false, 3080, 19, 19, D, false, "Cuota devengada"},
    {edtCasilla, 8, Texto, false, false, 3090, 19, 19, D, false, "Cuota devengada"},
    {edtCasilla, 9, Texto, false, false, 3100, 19, 19, D, false, "Cuota devengada"},
    {edtCasilla, 10, Texto, false, false, 3110, 19, 19, D, false, "Cuota devengada"},
    {edtCasilla, 11, Texto, false, false, 3120, 19, 19, D, false, "Cuota devengada"},
    {edtCasilla, 12, Texto, false, false, 3130, 19, 19, D, false, "Cuota devengada"},
    {edtCasilla, 13, Texto, false, false, 3150, 19, 19, D, false, "Cuotas devengadas por inversión del sujeto pasivo"},
    {edtCasilla, 14, Texto, false, false, 3160, 19, 19, D, false, "Rectificación de cuotas impositivas repercutidas"},
    {edtCasilla, 15, Texto, true, false, 3170, 0, 0, D, true, "Total cuotas devengadas"},
    {edtCasilla, 16, Texto, false, false, 3180, 19, 19, D, false, "I.R.G.E. deducible en operaciones interiores"},
    {edtCasilla, 17, Texto, false, false, 3190, 19, 19, D, false, "I.R.G.E. deducible por importaciones"},
    {edtCasilla, 18, Texto, false, false, 3200, 19, 19, D, false, "Compensaciones del régimen especial de la agricultura y ganadería"},
    {edtCasilla, 19, Texto, false, false, 3210, 19, 19, D, false, "Regularización de inversiones o por cuotas soportadas antes del inicio de la actividad"},
    {edtCasilla, 20, Texto, false, false, 3220, 19, 19, D, false, "Cuotas devueltas en régimen de viajeros"},
    {edtCasilla, 21, Texto, false, false, 3230, 19, 19, D, false, "Rectificación de cuotas soportadas deducidas"},
    {edtCasilla, 22, Texto, true, false, 3240, 0, 0, D, true, "Total cuotas deducibles"},
    {edtCasilla, 23, Texto, true, false, 3250, 0, 0, D, true, "Diferencia ( 15 - 22 )"},
    {edtCasilla, 24, Texto, false, false, 3260, 19, 19, D, false, "Cuotas del I.R.G.E. a compensar de períodos anteriores"},
    {edtCasilla, 25, Texto, false, false, 3270, 19, 19, D, false, "A deducir"},
    {edtCasilla, 26, Texto, true, false, 3280, 0, 0, D, true, "Resultado de la autoliquidación ( 23 - 24 - 25 )"},
    {optResultado, 1, Opción, false, false, 0, 0, 0, I, false, "4 - Ingreso"},
    {edtResultado, 1, Texto, true, false, 0, 0, 0, D, true, "Importe"},
    {chkFPEfectivo, -1, Casilla, false, false, 4010, 0, 1, I, false, "En efectivo"},
    {chkFPCuenta, -1, Casilla, false, false, 4020, 0, 1, I, false, "E.C. Adeudo en Cuenta"},
    {edtCCCIng, 0, Texto, false, false, 4030, 4, 4, C, false, "Entidad"},
    {edtCCCIng, 1, Texto, false, false, 4030, 4, 4, C, false, "Oficina"},
    {edtCCCIng, 2, Texto, false, false, 4030, 2, 2, C, false, "DC"},
    {edtCCCIng, 3, Texto, false, false, 4030, 10, 10, C, false, "Núm. de cuenta"},
    {optResultado, 2, Opción, false, false, 0, 0, 0, I, false, "5 - Devolución"},
    {edtResultado, 2, Texto, true, false, 0, 0, 0, D, true, "Importe"},
    {edtCCCDev, 0, Texto, false, false, 5010, 4, 4, C, false, "Entidad"},
    {edtCCCDev, 1, Texto, false, false, 5010, 4, 4, C, false, "Oficina"},
    {edtCCCDev, 2, Texto, false, false, 5010, 2, 2, C, false, "DC"},
    {edtCCCDev, 3, Texto, false, false, 5010, 10, 10, C, false, "Núm. de cuenta"},
    {optResultado, 3, Opción, false, false, 0, 0, 0, I, false, "6 - A compensar / Sin actividad"},
    {edtResultado, 3, Texto, true, false, 0, 0, 0, D, true, "Importe"},
    {chkSinActividad, -1, Casilla, false, false, 0, 0, 0, I, false, "Sin actividad"},
    {edtIdDeclaración, -1, Texto, false, true, 0, 0, 0, I, false, ""},
    {edtNúmeroJustificante, -1, Texto, false, true, 0, 0, 13, I, false, ""},
    {edtFechaImpresión, -1, Texto, false, true, 0, 0, 10, I, false, ""},
};
// clang-format on
} // namespace detalle

inline constexpr int kNúmeroCampos = static_cast<int>(std::size(detalle::kCatálogo));

constexpr const DefiniciónCampo& Definición(IdCampo id) { return detalle::kCatálogo[id]; }

// The field of that control and array index (-1 for a single field), or kNingúnCampo.
constexpr IdCampo BuscarCampo(Control control, int índice = -1) {
    for (int i = 0; i < kNúmeroCampos; ++i)
        if (detalle::kCatálogo[i].control == control && detalle::kCatálogo[i].índice == índice) return i;
    return kNingúnCampo;
}

// The same by the control's name, for names read as data.
constexpr IdCampo BuscarCampo(std::string_view nombre, int índice = -1) {
    for (int i = 0; i < kNúmeroCampos; ++i)
        if (detalle::kCatálogo[i].nombre == nombre && detalle::kCatálogo[i].índice == índice) return i;
    return kNingúnCampo;
}

// A field known at compile time; an unknown name or a member the array lacks does not compile.
consteval IdCampo Campo(Control control, int índice = -1) {
    IdCampo id = BuscarCampo(control, índice);
    if (id == kNingúnCampo) throw "campo desconocido";
    return id;
}
consteval IdCampo Campo(std::string_view nombre, int índice = -1) {
    IdCampo id = BuscarCampo(nombre, índice);
    if (id == kNingúnCampo) throw "campo desconocido";
    return id;
}

// Is the field a member of that control (or the control itself)?
constexpr bool EsDe(IdCampo id, Control control) { return Definición(id).control == control; }
// Index of the field within the control array, or 0 when the field is not one of its members.
constexpr int MiembroDe(IdCampo id, Control control) { return EsDe(id, control) ? Definición(id).índice : 0; }

// The key under which validation files a field's messages: the control name, and
// for an array member "#" and the index (boxes with two digits: edtCasilla#07).
std::string ClaveCampo(IdCampo id);
// The field a key names, or kNingúnCampo ("edtCasilla#25", "edtNIF").
IdCampo CampoDeClave(std::string_view clave);

// Forward focus order of the sheet (before skipping disabled and hidden fields).
std::span<const IdCampo> OrdenFoco();

// Frequently used fields.
namespace campos {
inline constexpr IdCampo cmbAdministracion = Campo(Control::cmbAdministracion);
inline constexpr IdCampo edtCodigoAdministracion = Campo(Control::edtCodigoAdministracion);
inline constexpr IdCampo edtEjercicio = Campo(Control::edtEjercicio);
inline constexpr IdCampo cmbPeriodo = Campo(Control::cmbPeriodo);
inline constexpr IdCampo chkComplementaria = Campo(Control::chkComplementaria);
inline constexpr IdCampo edtJustifComp = Campo(Control::edtJustifComp);
inline constexpr IdCampo edtNIF = Campo(Control::edtNIF);
inline constexpr IdCampo edtNombre = Campo(Control::edtNombre);
inline constexpr IdCampo cmbSigla = Campo(Control::cmbSigla);
inline constexpr IdCampo edtViaPublica = Campo(Control::edtViaPublica);
inline constexpr IdCampo edtNumero = Campo(Control::edtNumero);
inline constexpr IdCampo edtEscalera = Campo(Control::edtEscalera);
inline constexpr IdCampo edtPiso = Campo(Control::edtPiso);
inline constexpr IdCampo edtPuerta = Campo(Control::edtPuerta);
inline constexpr IdCampo edtTelefono = Campo(Control::edtTelefono);
inline constexpr IdCampo cmbProvincia = Campo(Control::cmbProvincia);
inline constexpr IdCampo cmbMunicipio = Campo(Control::cmbMunicipio);
inline constexpr IdCampo edtCodigoPostal = Campo(Control::edtCodigoPostal);
inline constexpr IdCampo edtFax = Campo(Control::edtFax);
inline constexpr IdCampo chkFPEfectivo = Campo(Control::chkFPEfectivo);
inline constexpr IdCampo chkFPCuenta = Campo(Control::chkFPCuenta);
inline constexpr IdCampo chkSinActividad = Campo(Control::chkSinActividad);
inline constexpr IdCampo edtIdDeclaración = Campo(Control::edtIdDeclaración);
inline constexpr IdCampo edtNúmeroJustificante = Campo(Control::edtNúmeroJustificante);
inline constexpr IdCampo edtFechaImpresión = Campo(Control::edtFechaImpresión);

// A member of a control array; kNingúnCampo for an index the array lacks, which does not compile where the
// member is worked out at compile time (a constexpr constant, a static table).
constexpr IdCampo MiembroArray(Control control, int i) {
    const IdCampo id = BuscarCampo(control, i);
    if (std::is_constant_evaluated() && id == kNingúnCampo) throw "el control no tiene ese miembro";
    return id;
}
constexpr IdCampo edtCasilla(int i) { return MiembroArray(Control::edtCasilla, i); }
constexpr IdCampo edtTipos(int i) { return MiembroArray(Control::edtTipos, i); }
constexpr IdCampo optResultado(int i) { return MiembroArray(Control::optResultado, i); }
constexpr IdCampo edtResultado(int i) { return MiembroArray(Control::edtResultado, i); }
constexpr IdCampo edtCCCIng(int i) { return MiembroArray(Control::edtCCCIng, i); }
constexpr IdCampo edtCCCDev(int i) { return MiembroArray(Control::edtCCCDev, i); }
} // namespace campos

} // namespace m817
