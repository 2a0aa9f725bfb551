#pragma once
// Where everything stands on the sheet, in twips: the fields, their captions,
// the headings, frames and box numbers. The window draws the sheet from this
// table, and the focus step uses it to scroll a field into view.
#include "model/Catalogo.h"

#include <span>
#include <string_view>

namespace m817 {

enum class ClaseElemento : std::uint8_t {
    Campo,    // a field of the catalogue
    Etiqueta, // a caption; may be clickable when it has a name
    Banda,    // a section heading bar
    Marco,    // a frame around a group
    Número,   // a box number ("01" … "26")
};

struct ElementoHoja {
    ClaseElemento clase;
    int x, y, ancho, alto;      // twips, from the top left corner of the sheet
    IdCampo campo = kNingúnCampo;
    std::string_view texto{};   // UTF-8
    std::string_view nombre{};  // clickable captions: "lblApartado", "lblImporte", "lblLetra"
    int índice = -1;
    int puntos = 8;             // font size
    bool negrita = false;
    Alineación alineación = Alineación::Izquierda;
};

inline constexpr int kAnchoHoja = 11400;
inline constexpr int kAltoHoja = 17280;

std::span<const ElementoHoja> DisposiciónHoja();
// The rectangle of a field on the sheet (the whole control), or null.
const ElementoHoja* PosiciónCampo(IdCampo id);

} // namespace m817
