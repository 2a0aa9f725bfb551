#include "model/Disposicion.h"

#include <array>
#include <vector>

namespace m817 {
namespace {

using enum ClaseElemento;
using namespace campos;
constexpr auto C = Alineación::Centro;
constexpr auto D = Alineación::Derecha;

constexpr int kCaja = 330;      // height of a text box
constexpr int kRenglón = 390;   // distance between two rows of boxes
constexpr int kEtiqueta = 220;  // height of a caption above its box

constexpr std::string_view kNúmeros[] = {"",   "01", "02", "03", "04", "05", "06", "07", "08",
                                         "09", "10", "11", "12", "13", "14", "15", "16", "17",
                                         "18", "19", "20", "21", "22", "23", "24", "25", "26"};

constexpr std::string_view kApartado = NombreEtiqueta(EtiquetaActiva::lblApartado);
constexpr std::string_view kImporte = NombreEtiqueta(EtiquetaActiva::lblImporte);
constexpr std::string_view kLetra = NombreEtiqueta(EtiquetaActiva::lblLetra);

struct Constructor {
    std::vector<ElementoHoja> e;

    void Banda(int y, std::string_view texto, int índice, int x = 120, int ancho = 11160) {
        e.push_back({ClaseElemento::Banda, x, y, ancho, 270, kNingúnCampo, texto, kApartado, índice, 9, true});
    }
    void Marco(int x, int y, int ancho, int alto) { e.push_back({ClaseElemento::Marco, x, y, ancho, alto}); }
    void Texto(int x, int y, int ancho, int alto, std::string_view t, int puntos = 8, bool negrita = false,
               Alineación a = Alineación::Izquierda) {
        e.push_back({ClaseElemento::Etiqueta, x, y, ancho, alto, kNingúnCampo, t, {}, -1, puntos, negrita, a});
    }
    void Campo(IdCampo id, int x, int y, int ancho, int alto = kCaja) {
        const auto& d = Definición(id);
        e.push_back({ClaseElemento::Campo, x, y, ancho, alto, id, d.etiqueta, {}, d.índice, 9, d.negrita,
                     d.alineación});
    }
    // A field with its caption just above it.
    void CampoConEtiqueta(IdCampo id, int x, int yEtiqueta, int ancho) {
        const auto& d = Definición(id);
        Texto(x, yEtiqueta, ancho, kEtiqueta, d.etiqueta, 8, d.negrita);
        Campo(id, x, yEtiqueta + kEtiqueta + 10, ancho);
    }
    void Número(int casilla, int x, int y) {
        e.push_back({ClaseElemento::Número, x, y, 360, kCaja, kNingúnCampo, kNúmeros[casilla], {}, casilla, 8, true, C});
    }
    // A row of section 3: caption on the left, box number and amount box on the right.
    void Renglón(int casilla, int y, std::string_view nota = {}) {
        const auto& d = Definición(edtCasilla(casilla));
        int anchoEtiqueta = nota.empty() ? 7460 : 1500;
        Texto(240, y, anchoEtiqueta, kCaja, d.etiqueta, 8, d.negrita);
        if (!nota.empty()) Texto(1760, y - 50, 5980, 430, nota, 7);
        Número(casilla, 7820, y);
        Campo(edtCasilla(casilla), 8220, y, 2940);
    }
};

std::vector<ElementoHoja> Construir() {
    Constructor k;
    // Header: form number, titles, administration.
    k.Marco(120, 120, 1500, 900);
    k.Texto(170, 150, 1400, 240, "Modelo", 9, false, C);
    k.Texto(170, 380, 1400, 600, "817", 24, true, C);
    k.Texto(1680, 200, 4320, 330, "RÉGIMEN GENERAL", 11, true, C);
    k.Texto(1680, 560, 4320, 330, "AUTOLIQUIDACIÓN TRIMESTRAL", 11, true, C);
    k.Marco(6060, 120, 5220, 900);
    k.Texto(6160, 170, 3800, kEtiqueta, Definición(cmbAdministracion).etiqueta);
    k.Campo(cmbAdministracion, 6160, 420, 3800);
    k.Texto(10060, 170, 1100, kEtiqueta, Definición(edtCodigoAdministracion).etiqueta, 8, false, C);
    k.Campo(edtCodigoAdministracion, 10060, 420, 1100);

    // 1 - Period.
    k.Banda(1140, "1 - Período de liquidación", 1);
    k.Marco(120, 1410, 11160, 1150);
    k.CampoConEtiqueta(edtEjercicio, 240, 1480, 1300);
    k.CampoConEtiqueta(cmbPeriodo, 1700, 1480, 900);
    k.Texto(2800, 1480, 4000, kEtiqueta, "AUTOLIQUIDACIÓN COMPLEMENTARIA ____________", 8, true);
    k.Campo(chkComplementaria, 6850, 1460, 300, 260);
    k.Texto(2800, 1760, 5400, 800,
            "Si esta autoliquidación es complementaria de otra autoliquidación anterior correspondiente al "
            "mismo concepto, ejercicio y período consigne a continuación el número de justificante de la "
            "autoliquidación anterior.",
            7);
    k.CampoConEtiqueta(edtJustifComp, 8400, 1480, 2700);

    // 2 - Identification and fiscal address.
    k.Banda(2730, "2 - Datos identificativos", 2);
    k.Marco(120, 3000, 11160, 2250);
    k.CampoConEtiqueta(edtNIF, 240, 3070, 1500);
    k.CampoConEtiqueta(edtNombre, 1900, 3070, 9260);
    k.Texto(240, 3720, 3000, kEtiqueta, "DOMICILIO FISCAL", 8, true);
    k.CampoConEtiqueta(cmbSigla, 240, 3960, 1900);
    k.CampoConEtiqueta(edtViaPublica, 2260, 3960, 4300);
    k.CampoConEtiqueta(edtNumero, 6680, 3960, 800);
    k.CampoConEtiqueta(edtEscalera, 7600, 3960, 550);
    k.CampoConEtiqueta(edtPiso, 8270, 3960, 550);
    k.CampoConEtiqueta(edtPuerta, 8940, 3960, 700);
    k.CampoConEtiqueta(edtTelefono, 9760, 3960, 1400);
    k.CampoConEtiqueta(cmbProvincia, 240, 4600, 2600);
    k.CampoConEtiqueta(cmbMunicipio, 2960, 4600, 4400);
    k.CampoConEtiqueta(edtCodigoPostal, 7480, 4600, 1250);
    k.CampoConEtiqueta(edtFax, 8850, 4600, 2310);

    // 3 - Settlement: accrued tax by rate, then deductible tax and result.
    k.Banda(5370, "3 - Autoliquidación", 3);
    k.Marco(120, 5640, 11160, 8760);
    k.Texto(240, 5700, 5000, 240, "I.R.G.E. DEVENGADO", 8, true);
    k.Texto(2900, 5960, 2600, 240, "Base Imponible", 8, false, C);
    k.Texto(5520, 5960, 1700, 240, "Tipo de gravamen %", 8, false, C);
    k.Texto(8220, 5960, 2940, 240, "Cuota devengada", 8, false, C);
    for (int r = 1; r <= 6; ++r) {
        int y = 6220 + (r - 1) * kRenglón;
        k.Número(r, 2500, y);
        k.Campo(edtCasilla(r), 2900, y, 2600);
        k.Campo(edtTipos(r), 5620, y, 1500);
        k.Número(r + 6, 7820, y);
        k.Campo(edtCasilla(r + 6), 8220, y, 2940);
    }
    k.Renglón(13, 8600);
    k.Renglón(14, 8600 + kRenglón);
    k.Renglón(15, 8600 + 2 * kRenglón);
    k.Texto(240, 9800, 8000, 240, "I.R.G.E. DEDUCIBLE Y RESULTADO DE LA AUTOLIQUIDACION", 8, true);
    for (int c = 16; c <= 24; ++c) k.Renglón(c, 10060 + (c - 16) * kRenglón);
    k.Renglón(25, 10060 + 9 * kRenglón,
              "(exclusivamente en caso de autoliquidación complementaria: resultado de la anterior del mismo "
              "concepto, ejercicio y período)");
    k.Renglón(26, 10060 + 10 * kRenglón);

    // 4, 5, 6 - Result, side by side.
    constexpr std::string_view kLetras[] = {"", "I", "D", "C"};
    for (int n = 1; n <= 3; ++n) {
        int x = 120 + (n - 1) * 3740;
        k.e.push_back({ClaseElemento::Banda, x, 14520, 3660, 270, kNingúnCampo, Definición(optResultado(n)).etiqueta,
                       kApartado, n + 3, 9, true});
        k.Campo(optResultado(n), x + 40, 14535, 240, 240);
        k.Marco(x, 14790, 3660, 2370);
        k.e.push_back({ClaseElemento::Etiqueta, x + 100, 14880, 760, kCaja, kNingúnCampo, "Importe", kImporte, n});
        k.e.push_back({ClaseElemento::Etiqueta, x + 880, 14880, 260, kCaja, kNingúnCampo, kLetras[n], kLetra, n, 9, true, C});
        k.Campo(edtResultado(n), x + 1160, 14880, 1900);
        k.Texto(x + 3100, 14880, 520, kCaja, "euros");
    }
    auto cuenta = [&k](IdCampo (*parte)(int), int x, int y) {
        k.Texto(x + 100, y, 3400, kEtiqueta, "Código cuenta cliente (CCC)", 8, true);
        constexpr int xs[] = {100, 760, 1420, 1840};
        constexpr int anchos[] = {620, 620, 380, 1720};
        for (int i = 0; i < 4; ++i)
            k.CampoConEtiqueta(parte(i), x + xs[i], y + 240, anchos[i]);
    };
    k.Texto(220, 15330, 3000, kEtiqueta, "Forma de Pago:", 8, true);
    k.Campo(chkFPEfectivo, 220, 15570, 3400, 260);
    k.Campo(chkFPCuenta, 220, 15830, 3400, 260);
    cuenta(edtCCCIng, 120, 16150);
    cuenta(edtCCCDev, 3860, 15330);
    k.Campo(chkSinActividad, 7700, 15330, 3000, 260);
    // Hidden fields still have a place, so that every field has one.
    k.Campo(edtIdDeclaración, 0, 0, 0, 0);
    k.Campo(edtNúmeroJustificante, 0, 0, 0, 0);
    k.Campo(edtFechaImpresión, 0, 0, 0, 0);
    return k.e;
}

} // namespace

std::span<const ElementoHoja> DisposiciónHoja() {
    static const std::vector<ElementoHoja> elementos = Construir();
    return elementos;
}

const ElementoHoja* PosiciónCampo(IdCampo id) {
    static const auto índice = [] {
        std::array<const ElementoHoja*, kNúmeroCampos> t{};
        for (const auto& e : DisposiciónHoja())
            if (e.clase == ClaseElemento::Campo) t[e.campo] = &e;
        return t;
    }();
    return id >= 0 && id < kNúmeroCampos ? índice[id] : nullptr;
}

} // namespace m817
