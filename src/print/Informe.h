#pragma once
// The printed return, rptHoja1: one A4 page reproducing the official form, kept as a table of
// items (fixed captions, boxes, lines, and the named fields a print fills in). The fill reads only
// the print record and its descriptions, never the sheet.
#include "platform/CarpetaPrograma.h"
#include "platform/CodigosBarras.h"
#include "platform/Impresoras.h"
#include "platform/Pagina.h"
#include "print/RegistroImpresion.h"

#include <string>
#include <string_view>

namespace m817 {

// The full name of the tax, in the header.
inline constexpr std::string_view kNombreImpuesto = "IMPUESTO REGIONAL SOBRE EL GASTO";
// The settlement frame of the bank's copy is filled with this.
inline constexpr std::uint32_t kColorMarcoOpaco = 0xE4E4E4;
// The "BORRADOR" mark across the point-cloud frame, shown on every copy but the official one.
inline constexpr std::string_view kBorrador = "lblBorrador";

class Informe {
  public:
    std::string título;
    Página página;

    // The item with that control name; throws std::out_of_range when the page has none.
    ElementoPágina& Elemento(std::string_view nombre);
    const ElementoPágina& Elemento(std::string_view nombre) const;
    bool Existe(std::string_view nombre) const;
    // Caption of a named text item.
    const std::string& Texto(std::string_view nombre) const { return Elemento(nombre).texto; }
    void PonerTexto(std::string_view nombre, std::string texto) { Elemento(nombre).texto = std::move(texto); }
    void Mostrar(std::string_view nombre, bool sí) { Elemento(nombre).visible = sí; }
    // marcoLiquidación: opaque (filled) or transparent.
    void MarcoOpaco(bool sí);
};

// The report as designed: every caption, box and line of the form; the named fields hold their
// design captions; the official-only items (imgPDF, rptNumeroJustificante) are visible and
// lblBorrador too, as each print sets them.
Informe CrearInforme();

// Fills the named fields from the records as the print record says, in the order of the field
// map (some decisions read captions set before them). When imgPDF is visible it also loads
// PDF.BMP, scales and centres it in shpPDF, spreads out the receipt number, makes CODBAR.BMP with
// the bar-code library and places it under the number. A picture that cannot be loaded is a
// failure (code 53), reported to the caller.
ResultadoImpresión RellenarInforme(Informe& informe, const RegistroImpresión& registro,
                                   const DescripcionesImpresión& descripciones,
                                   const std::string& númeroJustificante, const ServicioCarpeta& carpeta,
                                   ServicioCódigosBarras& biblioteca);

// The receipt number as the form prints it: "  8 1 7 ... 7   6    ".
std::string JustificanteEspaciado(const std::string& númeroJustificante);
// "     5 de diciembre de 2026" from "05122026"; empty when it is not a date.
std::string FechaInforme(std::string_view ddmmaaaa);
// The reduction of a picture of h x w twips into a frame of hMax x wMax: a whole number >= 1.
int FactorReducción(double h, double w, int hMax, int wMax);

} // namespace m817
