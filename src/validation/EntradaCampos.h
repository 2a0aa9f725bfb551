#pragma once
// What happens while the user types into the sheet and moves between its fields: the key filter every typed
// or pasted character passes, the account boxes that move on when full, the list completion, scrolling the
// field that gets the focus into view, and which checks run when a field is entered, validated and left.
#include "model/HojaDeclaracion.h"
#include "validation/ReglasValidacion.h"

#include <optional>
#include <string>
#include <string_view>

namespace m817 {

// The scroll bars that move the sheet inside the main window, in twips. The sheet's top edge is at minus the
// vertical value, its left edge at minus the horizontal value.
class DesplazamientoHoja {
  public:
    virtual ~DesplazamientoHoja() = default;
    virtual int ValorV() const = 0;
    virtual void FijarV(int valor) = 0;
    virtual int MínimoV() const = 0;
    virtual int MáximoV() const = 0;
    virtual int ValorH() const = 0;
    virtual void FijarH(int valor) = 0;
    virtual int MínimoH() const = 0;
    virtual int MáximoH() const = 0;
    // The part of the main window's client area that shows the sheet.
    virtual int AltoVisible() const = 0;
    virtual int AnchoVisible() const = 0;
};

// Margin left around a field scrolled into view.
inline constexpr int kMargenEnfoque = 100;

// The key filter of the sheet, for a key typed into (or a character pasted into) `campo`. With
// ControlÚltimoCampo, a locked field (a check box or option counts as one) refuses every key but Enter. The
// key then goes through the permitted set of the field: digits and "T" in the period, digits in the receipt
// number, the amount rules in the boxes (minus only at the start of the boxes that may be negative and only
// once, one comma, "." typed as ",", nothing in front of a minus), and the default characters elsewhere
// (upper case, accents removed). On return KeyAscii is the code to insert, 13 for Enter (the focus moves on),
// or 7 for a refused key. An accepted key marks the return as modified.
bool VerTeclas(HojaDeclaración& hoja, IdCampo campo, int& KeyAscii, bool ControlÚltimoCampo);

// A pasted text that is a whole amount in the Spanish notation, with its points grouping the thousands
// (1.234,56, -2.500, 1.000; blanks around it ignored): that amount without the points, as a box is edited.
// Empty for any other text.
std::optional<std::string> ImportePegado(std::string_view texto);

// Selects the whole text of the field and moves the scroll bars so that the field is in view with a margin.
// A field without text or without a place on the sheet, or no scroll bars, is left at that.
void EnfocarCampo(HojaDeclaración& hoja, IdCampo campo, DesplazamientoHoja* desplazamiento);

// The events of the fields of the sheet, as the window hands them over.
class EntradaCampos {
  public:
    EntradaCampos(HojaDeclaración& hoja, ValidaciónDeclaración& validación,
                  DesplazamientoHoja* desplazamiento = nullptr);
    EntradaCampos(const EntradaCampos&) = delete;
    EntradaCampos& operator=(const EntradaCampos&) = delete;

    // The main window's scroll bars, once it exists (null: nothing scrolls).
    void FijarDesplazamiento(DesplazamientoHoja* desplazamiento) { desplazamiento_ = desplazamiento; }

    // The sheet's key preview: every key typed anywhere on the sheet.
    bool VerTeclas(IdCampo campo, int& KeyAscii, bool ControlÚltimoCampo);
    // Text pasted into the field with the focus, as one edit: a whole amount into an amount box goes in as
    // that amount (ImportePegado); any other text passes the key filter character by character, as typed.
    // False when a character was refused.
    bool Pegar(const std::string& texto);
    // The field got the focus: the period of the province, the editing form of a box, then into view.
    void AlRecibirFoco(IdCampo campo);
    // The field's own key handler, after the preview: list completion, and the account boxes' advance.
    void AlTeclear(IdCampo campo, int& KeyAscii);
    // The field is about to lose the focus: its check, which may keep the user in it.
    void AlValidar(IdCampo campo, bool& Cancel);
    // The field has lost the focus: a box is shown formatted and the whole return checked again.
    void AlPerderFoco(IdCampo campo);
    void EnfocarCampo(IdCampo campo);

    // Hands the key preview, key press, got-focus, validate, lost-focus and drop-down events of the sheet to
    // the handlers above (the got-focus and key-press handlers include the list and box steps of those
    // events; opening a list's drop-down is handled as entering it).
    void Conectar(EventosHoja& eventos);

  private:
    HojaDeclaración& hoja_;
    ValidaciónDeclaración& validación_;
    DesplazamientoHoja* desplazamiento_;
};

} // namespace m817
