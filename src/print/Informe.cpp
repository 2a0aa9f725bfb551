#include "print/Informe.h"

#include "model/Importes.h"
#include "platform/Texto1252.h"
#include "print/ContenidoNubePuntos.h"
#include "print/ImagenBmp.h"
#include "print/NubePuntos.h"

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace m817 {
namespace {

// ---- the page as designed ------------------------------------------------------------------------
// Twips from the top left corner of the sheet. The form is 10 mm in from every edge.

enum class Estilo : std::uint8_t {
    Marco,         // a frame: border, nothing filled
    MarcoGrueso,   // the outer frame of a block
    Caja,          // a box a value is written in: white, bordered
    Banda,         // the bar under a section title: dark
    BandaClara,    // the bar under a block heading: light grey
    NúmeroCasilla, // the small grey box with a box number
    Línea,
    TítuloSección, // white, bold, on a dark bar
    Encabezado,    // bold, on a light bar
    EncabezadoCentro,
    NombreImpuesto, // the header's lines
    Régimen,
    TítuloImpreso,
    Rótulo, // the small caption in the top left corner of a box
    RótuloCentro,
    Texto, // captions beside boxes
    TextoNegrita,
    TextoCentro,
    TextoDerecha,
    TextoCursiva, // centred italic notes
    Valor,        // a value in a box
    ValorCentro,
    Importe,        // amounts, right-aligned
    ImporteNegrita, // totals
    Marca,          // the "X" of a ticked box
    Imagen,
};

struct Fila {
    Estilo estilo;
    std::string_view nombre; // control name, or empty
    int x, y, w, h;
    std::string_view texto; // UTF-8 in the source
};

constexpr int kIzq = 567;
constexpr int kAncho = 10772; // to 11339
constexpr int kDer = kIzq + kAncho;

// Where the point cloud goes: the top right of the page, 90 x 40 mm; the receipt number and its bar
// code under it.
constexpr int kPdfX = 6236, kPdfY = 567, kPdfW = kDer - kPdfX, kPdfH = 2268;
constexpr int kNúmeroY = 2880;
constexpr int kBarraY = 3168; // on a whole printer dot, as the symbols are placed

// Tops of the blocks, one after the other.
constexpr int kY1 = 3930;         // 1 - period
constexpr int kY2 = kY1 + 740;    // 2 - identification
constexpr int kY3 = kY2 + 1810;   // 3 - settlement
constexpr int kY4 = kY3 + 6280;   // 4, 5, 6 - result
constexpr int kY7 = kY4 + 1770;   // 7 - taxpayer, bank
constexpr int kPieY = kY7 + 1600; // footer

// Rows of the settlement block.
constexpr int kAltoFila = 245;
constexpr int kColNúmero = 8409;  // box number of the amount column
constexpr int kColImporte = 8739; // amount column, to the right edge
constexpr int kAnchoImporte = kDer - kColImporte;
constexpr int kPrimeraFilaTipos = kY3 + 660;
constexpr int kFila13 = kY3 + 2190;
constexpr int kBandaDeducible = kY3 + 3045;
constexpr int kFila16 = kY3 + 3265;

// Rows of the result block.
constexpr int kFilaImporte = kY4 + 310;
constexpr int kFilaMarcas = kY4 + 900;
constexpr int kFilaCuentas = kY4 + 1200;

// clang-format off
constexpr Fila kFijas[] = {
    // Header: form number, name of the tax, administration, label space.
    {Estilo::MarcoGrueso, "", kIzq, 567, 1250, 1150, ""},
    {Estilo::TextoCentro, "", kIzq, 610, 1250, 230, "Modelo"},
    {Estilo::Marco, "", 1867, 567, 4200, 1150, ""},
    {Estilo::NombreImpuesto, "", 1880, 640, 4174, 280, "IMPUESTO REGIONAL SOBRE EL GASTO"},
    {Estilo::Régimen, "", 1880, 930, 4174, 260, "RÉGIMEN GENERAL"},
    {Estilo::TítuloImpreso, "", 1880, 1220, 4174, 380, "AUTOLIQUIDACIÓN TRIMESTRAL"},
    {Estilo::Rótulo, "", kIzq, 1830, 1250, 380, "Código Administración Tributaria"},
    {Estilo::Caja, "", kIzq, 2230, 1250, 360, ""},
    {Estilo::Marco, "", 1967, 1830, 4100, 1950, ""},
    {Estilo::TextoCursiva, "", 2000, 1880, 4034, 220, "Espacio reservado para la ETIQUETA IDENTIFICATIVA"},
    // The point cloud's frame.
    {Estilo::Marco, "shpPDF", kPdfX, kPdfY, kPdfW, kPdfH, ""},

    // 1 - Settlement period.
    {Estilo::MarcoGrueso, "", kIzq, kY1, kAncho, 660, ""},
    {Estilo::Banda, "", kIzq, kY1, kAncho, 240, ""},
    {Estilo::TítuloSección, "", kIzq + 60, kY1, 5000, 240, "1 - Período de liquidación"},
    // Each caption as wide as it is at its own size, its underline leading to its box.
    {Estilo::TextoNegrita, "", kIzq + 60, kY1 + 300, 1080, 300, "EJERCICIO____"},
    {Estilo::Caja, "", 1717, kY1 + 300, 640, 300, ""},
    {Estilo::TextoNegrita, "", 2427, kY1 + 300, 970, 300, "PERÍODO____"},
    {Estilo::Caja, "", 3407, kY1 + 300, 480, 300, ""},
    {Estilo::TextoNegrita, "", 3957, kY1 + 300, 3620, 300, "AUTOLIQUIDACIÓN COMPLEMENTARIA____________"},
    {Estilo::Caja, "", 7587, kY1 + 330, 240, 240, ""},
    {Estilo::TextoNegrita, "", 7897, kY1 + 300, 1980, 300, "Nº DE JUSTIFICANTE_______"},
    {Estilo::Caja, "", 9899, kY1 + 300, 1440, 300, ""},

    // 2 - Identification.
    {Estilo::MarcoGrueso, "", kIzq, kY2, kAncho, 1730, ""},
    {Estilo::Banda, "", kIzq, kY2, kAncho, 240, ""},
    {Estilo::TítuloSección, "", kIzq + 60, kY2, 5000, 240, "2 - Datos identificativos"},
    {Estilo::BandaClara, "", kIzq, kY2 + 670, kAncho, 200, ""},
    {Estilo::Encabezado, "", kIzq + 60, kY2 + 670, 4000, 200, "DOMICILIO FISCAL"},

    // 3 - Settlement.
    {Estilo::MarcoGrueso, "", kIzq, kY3, kAncho, 6200, ""},
    {Estilo::Banda, "", kIzq, kY3, kAncho, 240, ""},
    {Estilo::TítuloSección, "", kIzq + 60, kY3, 5000, 240, "3 - Autoliquidación"},
    {Estilo::BandaClara, "", kIzq, kY3 + 240, kAncho, 200, ""},
    {Estilo::Encabezado, "", kIzq + 60, kY3 + 240, 6000, 200, "I.R.G.E. DEVENGADO"},
    {Estilo::TextoCentro, "", 1400, kY3 + 450, 3000, 200, "Base Imponible"},
    {Estilo::TextoCentro, "", 4650, kY3 + 450, 1300, 200, "Tipo gravamen"},
    {Estilo::TextoCentro, "", kColNúmero, kY3 + 450, kDer - kColNúmero, 200, "Cuota devengada"},
    {Estilo::BandaClara, "", kIzq, kBandaDeducible, kAncho, 200, ""},
    {Estilo::Encabezado, "", kIzq + 60, kBandaDeducible, 8000, 200, "I.R.G.E. DEDUCIBLE Y RESULTADO DE LA AUTOLIQUIDACIÓN"},

    // 4, 5, 6 - Result: payment, refund, offset. The settlement frame lies under them.
    {Estilo::Marco, "marcoLiquidación", kIzq, kY4, kAncho, 1690, ""},
    {Estilo::MarcoGrueso, "", kIzq, kY4, 3590, 1690, ""},
    {Estilo::MarcoGrueso, "", 4157, kY4, 3591, 1690, ""},
    {Estilo::MarcoGrueso, "", 7748, kY4, 3591, 1690, ""},
    {Estilo::Banda, "", kIzq, kY4, kAncho, 240, ""},
    {Estilo::TítuloSección, "", kIzq + 60, kY4, 3500, 240, "4 - Ingreso"},
    {Estilo::TítuloSección, "", 4217, kY4, 3500, 240, "5 - Devolución"},
    {Estilo::TítuloSección, "", 7808, kY4, 3500, 240, "6 - A compensar / Sin actividad"},
    // Amount lines: caption, letter, amount, unit.
    {Estilo::Texto, "", 627, kFilaImporte + 10, 600, 300, "Importe"},
    {Estilo::NúmeroCasilla, "", 1230, kFilaImporte, 260, 320, ""},
    {Estilo::TextoCentro, "", 1230, kFilaImporte + 50, 260, 220, "I"},
    {Estilo::Caja, "", 1490, kFilaImporte, 2000, 320, ""},
    {Estilo::Texto, "", 3530, kFilaImporte + 10, 600, 300, "euros"},
    {Estilo::Texto, "", 4217, kFilaImporte + 10, 600, 300, "Importe"},
    {Estilo::NúmeroCasilla, "", 4820, kFilaImporte, 260, 320, ""},
    {Estilo::TextoCentro, "", 4820, kFilaImporte + 50, 260, 220, "D"},
    {Estilo::Caja, "", 5080, kFilaImporte, 2000, 320, ""},
    {Estilo::Texto, "", 7120, kFilaImporte + 10, 600, 300, "euros"},
    {Estilo::Texto, "", 7808, kFilaImporte + 10, 600, 300, "Importe"},
    {Estilo::NúmeroCasilla, "", 8411, kFilaImporte, 260, 320, ""},
    {Estilo::TextoCentro, "", 8411, kFilaImporte + 50, 260, 220, "C"},
    {Estilo::Caja, "", 8671, kFilaImporte, 2000, 320, ""},
    {Estilo::Texto, "", 10711, kFilaImporte + 10, 600, 300, "euros"},
    // Way of payment.
    {Estilo::TextoNegrita, "", 627, kY4 + 660, 1300, 220, "Forma de Pago:"},
    {Estilo::Caja, "", 627, kFilaMarcas, 200, 200, ""},
    {Estilo::Texto, "", 880, kFilaMarcas - 20, 1200, 240, "En efectivo"},
    {Estilo::Caja, "", 2000, kFilaMarcas, 200, 200, ""},
    {Estilo::Texto, "", 2250, kFilaMarcas - 20, 1850, 240, "E.C. Adeudo en cuenta"},
    // No activity.
    {Estilo::Caja, "", 7868, kY4 + 780, 220, 220, ""},
    {Estilo::Texto, "", 8150, kY4 + 770, 2000, 240, "Sin actividad"},

    // 7 - Taxpayer, and the bank's certification.
    {Estilo::MarcoGrueso, "", kIzq, kY7, 5100, 1480, ""},
    {Estilo::Banda, "", kIzq, kY7, 5100, 240, ""},
    {Estilo::TítuloSección, "", kIzq + 60, kY7, 5000, 240, "7 - Sujeto Pasivo"},
    {Estilo::Texto, "", 627, kY7 + 340, 700, 280, "Fecha:"},
    {Estilo::Línea, "", 1300, kY7 + 620, 4250, 0, ""},
    {Estilo::Texto, "", 627, kY7 + 760, 700, 280, "Firma:"},
    {Estilo::MarcoGrueso, "", 5767, kY7, 5572, 1480, ""},
    {Estilo::Banda, "", 5767, kY7, 5572, 240, ""},
    {Estilo::TítuloSección, "", 5827, kY7, 5400, 240, "CERTIFICACIÓN BANCARIA"},
    {Estilo::Marco, "", 5867, kY7 + 300, 5372, 560, ""},
    {Estilo::TextoCursiva, "", 5867, kY7 + 460, 5372, 240, "Espacio para la certificación mecánica del ingreso"},
    {Estilo::Texto, "", 5867, kY7 + 940, 3100, 240, "Fecha: ______________________________"},
    {Estilo::TextoCentro, "", 9100, kY7 + 940, 2100, 240, "Sello y firma"},
    {Estilo::TextoCursiva, "", 5767, kY7 + 1210, 5572, 220,
     "El ingreso no será válido sin la firma autorizada o validación mecánica"},
};

// Named fields. Boxes of values are drawn by the rows above or by the box rows below.
constexpr Fila kCampos[] = {
    {Estilo::ValorCentro, "rptCodigoAdministracion", kIzq, 2230, 1250, 360, ""},
    {Estilo::Valor, "rptEjercicio", 1717, kY1 + 300, 640, 300, ""},
    {Estilo::Valor, "rptPeriodo", 3407, kY1 + 300, 480, 300, ""},
    {Estilo::Marca, "chkComplementaria", 7587, kY1 + 330, 240, 240, ""},
    {Estilo::Valor, "rptJustifComp", 9899, kY1 + 300, 1440, 300, ""},
    {Estilo::Importe, "rptResultado1", 1490, kFilaImporte, 2000, 320, ""},
    {Estilo::Importe, "rptResultado2", 5080, kFilaImporte, 2000, 320, ""},
    {Estilo::Importe, "rptResultado3", 8671, kFilaImporte, 2000, 320, ""},
    {Estilo::Marca, "chkFPEfectivo", 627, kFilaMarcas, 200, 200, ""},
    {Estilo::Marca, "chkFPCuenta", 2000, kFilaMarcas, 200, 200, ""},
    {Estilo::Marca, "chkSinActividad", 7868, kY4 + 780, 220, 220, ""},
    {Estilo::Valor, "lblFecha", 1300, kY7 + 340, 4250, 280, ""},
};

// Boxes with a caption in their top left corner and a named value inside.
constexpr int kAltoRecuadro = 430;
constexpr Fila kRecuadros[] = {
    {Estilo::Valor, "rptNIF", kIzq, kY2 + 240, 1900, kAltoRecuadro, "N.I.F."},
    {Estilo::Valor, "rptNombre", 2467, kY2 + 240, 8872, kAltoRecuadro, "Apellidos y nombre / Razón social"},
    {Estilo::ValorCentro, "rptSigla", kIzq, kY2 + 870, 900, kAltoRecuadro, "Tipo vía"},
    {Estilo::Valor, "rptViaPublica", 1467, kY2 + 870, 4700, kAltoRecuadro, "Nombre de la vía pública"},
    {Estilo::ValorCentro, "rptNumero", 6167, kY2 + 870, 800, kAltoRecuadro, "Número"},
    {Estilo::ValorCentro, "rptEscalera", 6967, kY2 + 870, 500, kAltoRecuadro, "Esc."},
    {Estilo::ValorCentro, "rptPiso", 7467, kY2 + 870, 500, kAltoRecuadro, "Piso"},
    {Estilo::ValorCentro, "rptPuerta", 7967, kY2 + 870, 600, kAltoRecuadro, "Puerta"},
    {Estilo::Valor, "rptTelefono", 8567, kY2 + 870, 2772, kAltoRecuadro, "Teléfono"},
    {Estilo::Valor, "rptProvincia", kIzq, kY2 + 1300, 2900, kAltoRecuadro, "Provincia"},
    {Estilo::Valor, "rptMunicipio", 3467, kY2 + 1300, 3900, kAltoRecuadro, "Municipio"},
    {Estilo::ValorCentro, "rptCodigoPostal", 7367, kY2 + 1300, 1200, kAltoRecuadro, "Código Postal"},
    {Estilo::Valor, "rptFax", 8567, kY2 + 1300, 2772, kAltoRecuadro, "Fax"},
    // The two bank accounts: entity, office, check digits, account number.
    {Estilo::ValorCentro, "rptCCCIng0", 627, kFilaCuentas, 650, kAltoRecuadro, "Entidad"},
    {Estilo::ValorCentro, "rptCCCIng1", 1277, kFilaCuentas, 650, kAltoRecuadro, "Oficina"},
    {Estilo::ValorCentro, "rptCCCIng2", 1927, kFilaCuentas, 400, kAltoRecuadro, "DC"},
    {Estilo::ValorCentro, "rptCCCIng3", 2327, kFilaCuentas, 1770, kAltoRecuadro, "Núm. de cuenta"},
    {Estilo::ValorCentro, "rptCCCDev0", 4217, kFilaCuentas, 650, kAltoRecuadro, "Entidad"},
    {Estilo::ValorCentro, "rptCCCDev1", 4867, kFilaCuentas, 650, kAltoRecuadro, "Oficina"},
    {Estilo::ValorCentro, "rptCCCDev2", 5517, kFilaCuentas, 400, kAltoRecuadro, "DC"},
    {Estilo::ValorCentro, "rptCCCDev3", 5917, kFilaCuentas, 1770, kAltoRecuadro, "Núm. de cuenta"},
};

// Rows of boxes 13 to 26: caption at the left, the box number and the amount at the right.
struct FilaCasilla {
    int casilla;
    int y;
    bool negrita; // the totals
    std::string_view etiqueta;
};
constexpr FilaCasilla kFilasCasillas[] = {
    {13, kFila13, false, "Cuotas devengadas por inversión del sujeto pasivo"},
    {14, kFila13 + kAltoFila, false, "Rectificación de cuotas impositivas repercutidas"},
    {15, kFila13 + 2 * kAltoFila + 60, true, "Total cuotas devengadas"},
    {16, kFila16, false, "I.R.G.E. deducible en operaciones interiores"},
    {17, kFila16 + kAltoFila, false, "I.R.G.E. deducible por importaciones"},
    {18, kFila16 + 2 * kAltoFila, false, "Compensaciones del régimen especial de la agricultura y ganadería"},
    {19, kFila16 + 3 * kAltoFila, false,
     "Regularización de inversiones o por cuotas soportadas antes del inicio de la actividad"},
    {20, kFila16 + 4 * kAltoFila, false, "Cuotas devueltas en régimen de viajeros"},
    {21, kFila16 + 5 * kAltoFila, false, "Rectificación de cuotas soportadas deducidas"},
    {22, kFila16 + 6 * kAltoFila + 60, true, "Total cuotas deducibles"},
    {23, kFila16 + 7 * kAltoFila + 120, true, "Diferencia ( 15 - 22 )"},
    {24, kFila16 + 8 * kAltoFila + 120, false, "Cuotas del I.R.G.E. a compensar de períodos anteriores"},
    {25, kFila16 + 9 * kAltoFila + 120, false,
     "A deducir (exclusivamente en caso de autoliquidación complementaria) "},
    {26, kFila16 + 10 * kAltoFila + 180, true, "Resultado de la autoliquidación ( 23 - 24 - 25 )"},
};
static_assert(kFila16 + 11 * kAltoFila + 180 <= kY3 + 6200, "the settlement rows must fit their frame");
static_assert(kY3 + 6200 < kY4 && kY4 + 1690 < kY7 && kY7 + 1480 < kPieY, "blocks must not overlap");

// clang-format on

// The boxes: frames, filled boxes and bands. False for a style that is no box.
bool PlantillaRectángulo(Estilo e, ElementoPágina& el) {
    const auto rectángulo = [&](bool opaco, std::uint32_t fondo, double grosor, bool borde = true) {
        el.clase = ClaseElementoPágina::Rectángulo;
        el.opaco = opaco;
        el.colorFondo = fondo;
        el.grosor = grosor;
        el.borde = borde;
    };
    switch (e) {
    case Estilo::Marco:
        rectángulo(false, 0xFFFFFF, 12);
        break;
    case Estilo::MarcoGrueso:
        rectángulo(false, 0xFFFFFF, 25);
        break;
    case Estilo::Caja:
        rectángulo(true, 0xFFFFFF, 12);
        break;
    case Estilo::Banda:
        rectángulo(true, 0x3C3C3C, 12);
        break;
    case Estilo::BandaClara:
        rectángulo(true, 0xD2D2D2, 8);
        break;
    case Estilo::NúmeroCasilla:
        rectángulo(true, 0xD2D2D2, 12);
        break;
    default:
        return false;
    }
    return true;
}

// The texts: font, alignment and wrapping. False for a style that is no text.
bool PlantillaTexto(Estilo e, ElementoPágina& el) {
    const auto texto = [&](double puntos, bool negrita, AlineaciónTexto a, bool centradoV = true) {
        el.clase = ClaseElementoPágina::Texto;
        el.fuente.puntos = puntos;
        el.fuente.negrita = negrita;
        el.alineación = a;
        el.centradoVertical = centradoV;
    };
    using A = AlineaciónTexto;
    switch (e) {
    case Estilo::TítuloSección:
        texto(8, true, A::Izquierda);
        el.colorTexto = 0xFFFFFF;
        break;
    case Estilo::Encabezado:
        texto(7, true, A::Izquierda);
        break;
    case Estilo::EncabezadoCentro:
        texto(11, true, A::Centro);
        break;
    case Estilo::NombreImpuesto:
        texto(8.5, true, A::Centro);
        break;
    case Estilo::Régimen:
        texto(9, true, A::Centro);
        break;
    case Estilo::TítuloImpreso:
        texto(10.5, true, A::Centro);
        break;
    case Estilo::Rótulo:
        texto(5.5, false, A::Izquierda, false);
        el.ajustarLíneas = true;
        break;
    case Estilo::RótuloCentro:
        texto(5.5, false, A::Centro, false);
        break;
    case Estilo::Texto:
        texto(7, false, A::Izquierda);
        break;
    case Estilo::TextoNegrita:
        texto(7, true, A::Izquierda);
        break;
    case Estilo::TextoCentro:
        texto(7, false, A::Centro);
        break;
    case Estilo::TextoDerecha:
        texto(7, false, A::Derecha);
        break;
    case Estilo::TextoCursiva:
        texto(6.5, false, A::Centro);
        el.fuente.cursiva = true;
        break;
    case Estilo::Valor:
        texto(9, false, A::Izquierda);
        break;
    case Estilo::ValorCentro:
        texto(9, false, A::Centro);
        break;
    case Estilo::Importe:
        texto(9, false, A::Derecha);
        break;
    case Estilo::ImporteNegrita:
        texto(9, true, A::Derecha);
        break;
    case Estilo::Marca:
        texto(9, true, A::Centro);
        break;
    default:
        return false;
    }
    return true;
}

ElementoPágina Plantilla(Estilo e) {
    ElementoPágina el;
    if (PlantillaRectángulo(e, el) || PlantillaTexto(e, el)) return el;
    switch (e) {
    case Estilo::Línea:
        el.clase = ClaseElementoPágina::Línea;
        el.grosor = 10;
        break;
    case Estilo::Imagen:
        el.clase = ClaseElementoPágina::Imagen;
        break;
    default:
        break;
    }
    return el;
}

// Text inside a box keeps clear of its border.
constexpr int kMargen = 60;

void Añadir(Página& p, Estilo e, std::string_view nombre, double x, double y, double w, double h,
            std::string_view textoUtf8 = {}) {
    ElementoPágina el = Plantilla(e);
    el.nombre = std::string(nombre);
    el.izquierda = x;
    el.arriba = y;
    el.ancho = w;
    el.alto = h;
    el.texto = W(textoUtf8);
    p.elementos.push_back(std::move(el));
}

void AñadirFila(Página& p, const Fila& f) {
    Añadir(p, f.estilo, f.nombre, f.x, f.y, f.w, f.h, f.texto);
}

// A value inside a drawn box, clear of the border.
void AñadirValor(Página& p, const Fila& f) {
    const bool marca = f.estilo == Estilo::Marca;
    const int m = marca ? 0 : kMargen;
    Añadir(p, f.estilo, f.nombre, f.x + m, f.y, f.w - 2 * m, f.h);
}

std::string DosCifras(int n) {
    return std::string(n < 10 ? 1 : 0, '0').append(std::to_string(n));
}

void AñadirCasillaImporte(Página& p, int casilla, int y, bool negrita) {
    Añadir(p, Estilo::NúmeroCasilla, "", kColNúmero, y, kColImporte - kColNúmero, kAltoFila);
    Añadir(p, Estilo::TextoCentro, "", kColNúmero, y, kColImporte - kColNúmero, kAltoFila,
           DosCifras(casilla));
    p.elementos.back().fuente.negrita = true;
    Añadir(p, Estilo::Caja, "", kColImporte, y, kAnchoImporte, kAltoFila);
    Añadir(p, negrita ? Estilo::ImporteNegrita : Estilo::Importe, "rptCasilla" + std::to_string(casilla),
           kColImporte + kMargen, y, kAnchoImporte - 2 * kMargen, kAltoFila);
}

void AñadirFilasTipos(Página& p) {
    for (int r = 1; r <= 6; ++r) {
        const int y = kPrimeraFilaTipos + (r - 1) * kAltoFila;
        Añadir(p, Estilo::NúmeroCasilla, "", 1400, y, 330, kAltoFila);
        Añadir(p, Estilo::TextoCentro, "", 1400, y, 330, kAltoFila, DosCifras(r));
        p.elementos.back().fuente.negrita = true;
        Añadir(p, Estilo::Caja, "", 1730, y, 2670, kAltoFila);
        Añadir(p, Estilo::Importe, "rptCasilla" + std::to_string(r), 1730 + kMargen, y, 2670 - 2 * kMargen,
               kAltoFila);
        Añadir(p, Estilo::Caja, "", 4800, y, 900, kAltoFila);
        Añadir(p, Estilo::Importe, "rptTipos" + std::to_string(r), 4800 + kMargen, y, 900 - 2 * kMargen,
               kAltoFila);
        Añadir(p, Estilo::Texto, "", 5740, y, 250, kAltoFila, "%");
        Añadir(p, Estilo::Línea, "", 6050, y + kAltoFila / 2, kColNúmero - 6150, 0);
        p.elementos.back().colorLínea = 0x9A9A9A;
        AñadirCasillaImporte(p, r + 6, y, false);
    }
}

void AñadirFilasCasillas(Página& p) {
    for (const FilaCasilla& f : kFilasCasillas) {
        Añadir(p, f.negrita ? Estilo::TextoNegrita : Estilo::Texto, "", kIzq + kMargen, f.y,
               kColNúmero - kIzq - 2 * kMargen, kAltoFila, f.etiqueta);
        AñadirCasillaImporte(p, f.casilla, f.y, f.negrita);
    }
}

void AñadirRecuadros(Página& p) {
    for (const Fila& f : kRecuadros) {
        Añadir(p, Estilo::Caja, "", f.x, f.y, f.w, f.h);
        Añadir(p, Estilo::Rótulo, "", f.x + 40, f.y + 15, f.w - 80, 170, f.texto);
        Añadir(p, f.estilo, f.nombre, f.x + kMargen, f.y + 150, f.w - 2 * kMargen, f.h - 160);
    }
}

void AñadirCabeceraDerecha(Página& p) {
    // The design size of the point cloud: the largest symbol the bar-code library draws (89 x 39 mm),
    // centred in the frame; each print sets its size and centres it across.
    Añadir(p, Estilo::Imagen, "imgPDF", kPdfX + 12, kPdfY + 33, kPdfW - 24, 2211);
    Añadir(p, Estilo::TextoCentro, kBorrador, kPdfX, kPdfY + 700, kPdfW, 900, "BORRADOR");
    ElementoPágina& borrador = p.elementos.back();
    borrador.fuente.puntos = 36;
    borrador.fuente.negrita = true;
    borrador.colorTexto = 0x9A9A9A;
    Añadir(p, Estilo::ValorCentro, "rptNumeroJustificante", kPdfX, kNúmeroY, kPdfW, 280);
    p.elementos.back().fuente.puntos = 10;
    p.elementos.back().fuente.negrita = true;
    // 13 digits of Code 128 with their quiet zones, 1/75 inch a module, 12 mm tall.
    Añadir(p, Estilo::Imagen, "imgNumeroJustificante", kPdfX + (kPdfW - 2534) / 2.0, kBarraY, 2534, 691);
}

void AñadirPie(Página& p) {
    Añadir(p, Estilo::Texto, "lblPiePágina2", kIzq, kPieY + 20, 5600, 240, "Modelo y Versión");
    p.elementos.back().fuente.puntos = 6.5;
    Añadir(p, Estilo::TextoDerecha, "lblPiePágina", 6167, kPieY, kDer - 6167, 280);
    p.elementos.back().fuente.puntos = 8;
    p.elementos.back().fuente.negrita = true;
}

// ---- filling -------------------------------------------------------------------------------------

using enum CampoImpresión;

// A record number as the report reads it: an optional sign and digits, anything else ends it.
double LeerCifrasDelante(std::string_view s) {
    s = s.substr(std::min(s.find_first_not_of(' '), s.size()));
    bool negativo = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negativo = s[0] == '-';
        s.remove_prefix(1);
    }
    double v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
    }
    return negativo ? -v : v;
}

bool Marcado(std::string_view campo) {
    return campo == "S" || campo == "1";
}

bool EnBlanco(const Informe& i, std::string_view nombre) {
    return Recortar(i.Texto(nombre)).empty();
}

std::string Importe(std::string_view campo, bool mostrarCero) {
    return FormatearImporte(LeerCifrasDelante(campo) / 100.0, mostrarCero, FORMATO_IMPORTE);
}

std::string NombreCasilla(int i) {
    return "rptCasilla" + std::to_string(i);
}

// An account is printed unless it is made of zeros only.
bool CuentaDeCeros(const RegistroImpresión& r, CampoImpresión c) {
    return r.Campo(c, 3) == "0000000000" && r.Campo(c, 2) == "00" && r.Campo(c, 1) == "0000" &&
           r.Campo(c, 0) == "0000";
}

void RellenarCuenta(Informe& informe, const RegistroImpresión& r, CampoImpresión c,
                    std::string_view prefijo) {
    if (CuentaDeCeros(r, c)) return;
    for (int parte = 0; parte < 4; ++parte)
        informe.PonerTexto(std::string(prefijo) + std::to_string(parte), std::string(r.Campo(c, parte)));
}

// Writes the print record into the report's named fields, part by part in the order of the field map: some
// decisions read captions set before them.
class Relleno {
  public:
    Relleno(Informe& informe, const RegistroImpresión& r) : informe_(informe), r_(r) {}

    void Poner(std::string_view nombre, std::string_view valor) {
        informe_.PonerTexto(nombre, std::string(valor));
    }

    // The header: exercise, period, complementary return, administration and the taxpayer's identification.
    void Identificación(const DescripcionesImpresión& d) {
        Poner("rptEjercicio", r_.Campo(Ejercicio));
        Poner("rptPeriodo", r_.Campo(Periodo));
        Marca("chkComplementaria", Complementaria);
        Poner("rptJustifComp", r_.Campo(JustifComp));
        Poner("rptCodigoAdministracion", r_.Campo(CodigoAdministracion));
        Poner("rptNIF", r_.Campo(NIF));
        Poner("rptNombre", r_.Campo(Nombre));
        Poner("rptSigla", r_.Campo(Sigla));
        Poner("rptViaPublica", r_.Campo(ViaPublica));
        Poner("rptNumero", FormatearImporte(LeerCifrasDelante(r_.Campo(Numero)), false, "General Number"));
        Poner("rptEscalera", r_.Campo(Escalera));
        Poner("rptPiso", r_.Campo(Piso));
        Poner("rptPuerta", r_.Campo(Puerta));
        Poner("rptTelefono", r_.Campo(Telefono));
        Poner("rptProvincia", d.NombreProvincia);
        Poner("rptMunicipio", d.NombreMunicipio);
        Poner("rptCodigoPostal", r_.Campo(CodigoPostal));
        Poner("rptFax", r_.Campo(Fax));
    }

    // Boxes 1 to 26 and the rates. A total shows a zero when one of the boxes it adds up shows something; a
    // quota, when its base and its rate do.
    void Casillas() {
        for (int i = 1; i <= 6; ++i)
            ImporteCasilla(i, false);
        for (int i = 1; i <= 6; ++i)
            Poner("rptTipos" + std::to_string(i),
                  FormatearImporte(LeerCifrasDelante(r_.Campo(Tipos, i)) / 100.0, true, "General Number"));
        for (int i = 1; i <= 6; ++i) {
            const std::string tipo = "rptTipos" + std::to_string(i);
            ImporteCasilla(6 + i, !EnBlanco(informe_, NombreCasilla(i)) && !informe_.Texto(tipo).empty());
        }
        ImporteCasilla(13, false);
        ImporteCasilla(14, false);
        ImporteCasilla(15, AlgunoConTexto(7, 14));
        for (int i = 16; i <= 21; ++i)
            ImporteCasilla(i, false);
        ImporteCasilla(22, AlgunoConTexto(16, 21));
        ImporteCasilla(23, !EnBlanco(informe_, NombreCasilla(15)) || !EnBlanco(informe_, NombreCasilla(22)));
        ImporteCasilla(24, false);
        ImporteCasilla(25, false);
        ImporteCasilla(26, AlgunoConTexto(23, 25));
    }

    // The three results (the last shows a zero when neither other shows anything and there was activity),
    // the accounts and the form of payment.
    void ResultadosYPago() {
        Poner("rptResultado2", Importe(r_.Campo(Resultado, 2), false));
        Poner("rptResultado1", Importe(r_.Campo(Resultado, 1), false));
        Poner("rptResultado3", Importe(r_.Campo(Resultado, 3), EnBlanco(informe_, "rptResultado1") &&
                                                                   EnBlanco(informe_, "rptResultado2") &&
                                                                   !Marcado(r_.Campo(SinActividad))));
        RellenarCuenta(informe_, r_, CCCDev, "rptCCCDev");
        Marca("chkFPEfectivo", FPEfectivo);
        Marca("chkFPCuenta", FPCuenta);
        RellenarCuenta(informe_, r_, CCCIng, "rptCCCIng");
        Marca("chkSinActividad", SinActividad);
    }

  private:
    void Marca(std::string_view nombre, CampoImpresión c) { Poner(nombre, Marcado(r_.Campo(c)) ? "X" : ""); }
    void ImporteCasilla(int casilla, bool mostrarCero) {
        Poner(NombreCasilla(casilla), Importe(r_.Campo(Casilla, casilla), mostrarCero));
    }
    bool AlgunoConTexto(int desde, int hasta) const {
        for (int i = desde; i <= hasta; ++i)
            if (!EnBlanco(informe_, NombreCasilla(i))) return true;
        return false;
    }

    Informe& informe_;
    const RegistroImpresión& r_;
};

std::optional<std::string> LeerArchivo(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return std::nullopt;
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

ResultadoImpresión NoEncontrado() {
    return {código_impresión::kArchivoNoEncontrado, W("No se encontró el archivo")};
}

// Loads a bitmap into an image item at its natural size: pixels / resolution, in twips.
ResultadoImpresión CargarImagen(ElementoPágina& imagen, const std::filesystem::path& ruta) {
    std::optional<std::string> bytes = LeerArchivo(ruta);
    if (!bytes) return NoEncontrado();
    const std::optional<TamañoBmp> t = LeerTamañoBmp(*bytes);
    if (!t) return {código_impresión::kImagenNoVálida, W("Imagen no válida")};
    imagen.imagen = std::move(*bytes);
    imagen.ancho = TwipsDePíxeles(t->ancho, t->resoluciónX);
    imagen.alto = TwipsDePíxeles(t->alto, t->resoluciónY);
    return {};
}

// A position on a whole printer dot at 300, 360, 600 and 1200 dpi (1/60 inch): a symbol placed there keeps
// every module on whole dots instead of being resampled.
double EnPuntoImpresora(double twips) {
    return std::round(twips / 24) * 24;
}

// The point cloud, reduced by a whole factor until it fits its frame, centred across it.
ResultadoImpresión ColocarNubePuntos(Informe& informe, const ServicioCarpeta& carpeta) {
    const ElementoPágina& marco = informe.Elemento("shpPDF");
    const int hMax = static_cast<int>(marco.alto - 12);
    const int wMax = static_cast<int>(marco.ancho - 24);
    ElementoPágina& nube = informe.Elemento("imgPDF");
    if (ResultadoImpresión e = CargarImagen(nube, RutaNubePuntos(carpeta)); !e.Correcto()) return e;
    const int f = FactorReducción(nube.alto, nube.ancho, hMax, wMax);
    nube.alto /= f;
    nube.ancho /= f;
    nube.izquierda = EnPuntoImpresora(marco.izquierda + (marco.ancho - nube.ancho) / 2);
    return {};
}

// The receipt number, spread out, with its bar code centred under it.
ResultadoImpresión ColocarJustificante(Informe& informe, const std::string& númeroJustificante,
                                       const ServicioCarpeta& carpeta, ServicioCódigosBarras& biblioteca) {
    informe.PonerTexto("rptNumeroJustificante", JustificanteEspaciado(númeroJustificante));
    GenerarCódigoBarras(númeroJustificante, carpeta, biblioteca);
    ElementoPágina& barra = informe.Elemento("imgNumeroJustificante");
    if (ResultadoImpresión e = CargarImagen(barra, RutaCódigoBarras(carpeta)); !e.Correcto()) return e;
    const ElementoPágina& número = informe.Elemento("rptNumeroJustificante");
    barra.izquierda = EnPuntoImpresora(número.izquierda + (número.ancho - barra.ancho) / 2);
    return {};
}

const std::array<const char*, 12> kMeses = {"enero",      "febrero", "marzo",     "abril",
                                            "mayo",       "junio",   "julio",     "agosto",
                                            "septiembre", "octubre", "noviembre", "diciembre"};

} // namespace

// ---- Informe --------------------------------------------------------------------------------------

ElementoPágina& Informe::Elemento(std::string_view nombre) {
    for (ElementoPágina& e : página.elementos)
        if (e.nombre == nombre) return e;
    throw std::out_of_range("el informe no tiene el elemento " + std::string(nombre));
}

const ElementoPágina& Informe::Elemento(std::string_view nombre) const {
    return const_cast<Informe*>(this)->Elemento(nombre);
}

bool Informe::Existe(std::string_view nombre) const {
    for (const ElementoPágina& e : página.elementos)
        if (e.nombre == nombre) return true;
    return false;
}

void Informe::MarcoOpaco(bool sí) {
    ElementoPágina& marco = Elemento("marcoLiquidación");
    marco.opaco = sí;
    marco.colorFondo = kColorMarcoOpaco;
}

Informe CrearInforme() {
    Informe informe;
    Página& p = informe.página;
    for (const Fila& f : kFijas)
        AñadirFila(p, f);
    // The form number, large, inside its frame.
    Añadir(p, Estilo::EncabezadoCentro, "", kIzq, 820, 1250, 800, "817");
    p.elementos.back().fuente.puntos = 26;
    AñadirCabeceraDerecha(p);
    AñadirRecuadros(p);
    AñadirFilasTipos(p);
    AñadirFilasCasillas(p);
    for (const Fila& f : kCampos)
        AñadirValor(p, f);
    AñadirPie(p);
    informe.MarcoOpaco(false);
    return informe;
}

std::string JustificanteEspaciado(const std::string& númeroJustificante) {
    return FormatoTexto(númeroJustificante, std::string("!  @ @ @ @ @ ") + "@ @ @ @ @ @ @   @    ");
}

std::string FechaInforme(std::string_view ddmmaaaa) {
    const std::string iso = FechaAAAAMMDD(ddmmaaaa);
    if (iso.empty()) return {};
    const int mes = std::stoi(iso.substr(4, 2));
    const int día = std::stoi(iso.substr(6, 2));
    return "     " + std::to_string(día) + " de " + kMeses[static_cast<std::size_t>(mes - 1)] + " de " +
           iso.substr(0, 4);
}

int FactorReducción(double h, double w, int hMax, int wMax) {
    const auto veces = [](double v, int máximo) {
        return máximo > 0 ? static_cast<int>(std::floor(v / máximo)) : 0;
    };
    return std::max(veces(h, hMax), veces(w, wMax)) + 1;
}

ResultadoImpresión RellenarInforme(Informe& informe, const RegistroImpresión& r,
                                   const DescripcionesImpresión& d, const std::string& númeroJustificante,
                                   const ServicioCarpeta& carpeta, ServicioCódigosBarras& biblioteca) {
    Relleno relleno(informe, r);
    relleno.Identificación(d);
    relleno.Casillas();
    relleno.ResultadosYPago();
    relleno.Poner("lblFecha", FechaInforme(r.Campo(FechaImpresion)));

    if (!informe.Elemento("imgPDF").visible) return {};
    if (ResultadoImpresión e = ColocarNubePuntos(informe, carpeta); !e.Correcto()) return e;
    return ColocarJustificante(informe, númeroJustificante, carpeta, biblioteca);
}

} // namespace m817
