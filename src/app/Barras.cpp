#include "app/Barras.h"

namespace m817 {

Barras CalcularBarras(const MedidasVentana& m) {
    Barras b;
    // The horizontal bar takes room from the height only when the sheet is wider.
    b.altoVisible = m.altoInterior - (m.anchoHoja > m.anchoInterior ? m.altoBarraH : 0);
    if (m.altoHoja > b.altoVisible) {
        auto& v = b.vertical;
        v.visible = true;
        v.máximo = m.altoHoja - b.altoVisible;
        v.pasoGrande = static_cast<int>(static_cast<long long>(v.máximo) * m.altoInterior / m.altoHoja);
        v.pasoPequeño = v.pasoGrande / 10;
        v.longitud = m.altoInterior;
    }
    b.anchoVisible = m.anchoInterior - (b.vertical.visible ? m.anchoBarraV : 0);
    if (m.anchoHoja > b.anchoVisible) {
        auto& h = b.horizontal;
        h.visible = true;
        h.máximo = m.anchoHoja - b.anchoVisible;
        h.pasoGrande = static_cast<int>(static_cast<long long>(h.máximo) * m.anchoInterior / m.anchoHoja);
        h.pasoPequeño = h.pasoGrande / 10;
        h.longitud = m.anchoInterior;
    }
    if (b.vertical.visible && b.horizontal.visible) {
        b.vertical.longitud -= m.altoBarraH;
        b.horizontal.longitud -= m.anchoBarraV;
    }
    return b;
}

} // namespace m817
