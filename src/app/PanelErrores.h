#pragma once
// The error panel at the bottom of the main window: which entries it lists and in which order, its height
// within its limits as the window is resized and its bar dragged, and going from an entry to its field.
// The window draws it; everything it decides is here.
#include "app/Hoja.h"

#include <string_view>
#include <vector>

namespace m817 {

inline constexpr int kAltoMínimoPanelErrores = 400;   // twips
inline constexpr int kAltoInicialPanelErrores = 1500; // twips, before the user drags it

// A rectangle in twips.
struct RectTwips {
    int x = 0, y = 0, ancho = 0, alto = 0;
    bool operator==(const RectTwips&) const = default;
};

class PanelErrores {
  public:
    explicit PanelErrores(frmHoja1& hoja1) : hoja1_(hoja1) {}

    // The entries sorted by their text, which begins with the order number: sheet order.
    std::vector<ListaErrores::Entrada> Entradas() const;

    bool Visible() const { return visible_; }
    int Alto() const { return alto_; }
    int AltoMáximo() const { return altoMáximo_; }

    // The panel's part of showing or hiding it: with both flags, the whole return is checked first so that
    // the list is current.
    void Mostrar(bool mostrar, bool validar);

    // The main window was resized: the largest height is a third of the inner height (twips), and a higher
    // panel comes down to it. True when a visible panel changed height by more than 5 twips since it was
    // last drawn at a resize, and must be drawn again.
    bool Redimensionar(int altoInterior);

    // One mouse move over the drag bar with the left button held, Y twips below the point where the bar was
    // taken (negative above it). The window's resize caps the result afterwards.
    void Arrastrar(int Y);

    // Where the tree sits inside the panel, for a window anchoWindow twips wide.
    RectTwips Árbol(int anchoVentana) const;

    // Goes to the field the entry key names, if it is enabled and not locked (a check box or an option counts
    // as not locked). A key that names no field does nothing. True when that field has the focus.
    bool IrACampo(std::string_view clave);

    // The list got the input focus: the field the user was in is checked, since a menu or a click on the
    // list may have skipped its own check.
    void AlRecibirFoco() { hoja1_.ValidarÚltimoCampo(); }

  private:
    frmHoja1& hoja1_;
    bool visible_ = false;
    int alto_ = kAltoInicialPanelErrores;
    int altoMáximo_ = 0;
    int altoRecordado_ = 0;
};

// The field an entry key names: the control name before the first "#", and the number after it as its index
// (leading digits, as "07" gives 7); kNingúnCampo when there is none.
IdCampo CampoDeEntrada(std::string_view clave);

} // namespace m817
