#pragma once
// Scroll bars of the main window: which are shown, their ranges and steps,
// from the sizes of the frame's inside and of the sheet (all in twips).

namespace m817 {

struct MedidasVentana {
    int anchoInterior, altoInterior; // the frame's client area
    int anchoHoja, altoHoja;
    int altoBarraH, anchoBarraV;     // thickness of the two bars
};

struct EstadoBarra {
    bool visible = false;
    int máximo = 0;
    int pasoGrande = 0;
    int pasoPequeño = 0;
    int longitud = 0; // length of the bar, shortened where the two meet
};

struct Barras {
    EstadoBarra vertical, horizontal;
    int altoVisible = 0;  // height of the sheet's visible area
    int anchoVisible = 0; // width of the sheet's visible area
};

Barras CalcularBarras(const MedidasVentana& m);

// Largest height of the error panel: one third of the inner height.
inline int AltoMáximoPanel(int altoInterior) { return altoInterior / 3; }

} // namespace m817
