#pragma once
// Where everything stands on the sheet, in twips: the fields, their captions,
// the headings, frames and box numbers. The window draws the sheet from this
// table, and the focus step uses it to scroll a field into view.
#include "model/Catalogo.h"

#include <span>
#include <string_view>

namespace m817 {

// The captions a click reaches: the section headings, and the amount caption and letter of each result.
enum class EtiquetaActiva : std::uint8_t { Ninguna, lblApartado, lblImporte, lblLetra };
inline constexpr std::string_view kNombresEtiqueta[] = {"", "lblApartado", "lblImporte", "lblLetra"};

constexpr std::string_view NombreEtiqueta(EtiquetaActiva e) { return kNombresEtiqueta[static_cast<int>(e)]; }
// The caption a layout name stands for; Ninguna for any other name.
constexpr EtiquetaActiva EtiquetaDeNombre(std::string_view nombre) {
    for (int i = 1; i < static_cast<int>(std::size(kNombresEtiqueta)); ++i)
        if (kNombresEtiqueta[i] == nombre) return static_cast<EtiquetaActiva>(i);
    return EtiquetaActiva::Ninguna;
}

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
    std::string_view nombre{};  // clickable captions: NombreEtiqueta of theirs
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
