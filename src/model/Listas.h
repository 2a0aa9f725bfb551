#pragma once
// The five list fields of the sheet: codes of their entries, completion of the typed text, and their events.
#include "model/Calculo.h"
#include "model/HojaDeclaracion.h"

#include <string>
#include <string_view>

namespace m817 {

// One of the five list fields: administration, period, street type, province, municipality.
bool EsCampoLista(IdCampo id);
// The list holds letter codes (street types).
bool ListaAlfabética(IdCampo id);
// Characters the list takes: 2 for the period, 0 (no limit) for the others.
int LongitudMáximaLista(IdCampo id);

// The code text of entry e: its letters in a letter list, else its number in decimal (province 8 gives "8").
std::string TextoCódigo(const EntradaLista& e, bool alfabética);
// The code text of the selected entry; empty when nothing is selected.
std::string CódigoCombo(const HojaDeclaración& hoja, IdCampo lista, bool alfabética);
// Selects the first entry whose code text is exactly código, or none; the field shows its text or nothing.
void SeleccionarCódigoCombo(HojaDeclaración& hoja, IdCampo lista, std::string_view código, bool alfabética);

// Completes the typed text with the first entry that begins with it, comparing as the list is sorted (case
// and accents folded: "AV" reaches Ávila); the completion stays selected, so the next key replaces it.
void AutocompletarLista(HojaDeclaración& hoja, IdCampo lista);
// One character key typed in a list: Backspace drops the typed text back by one, Escape empties it, any other
// key is discarded (KeyAscii = 0) once the text has longitudMáxima characters (0 = no limit).
void TeclaLista(HojaDeclaración& hoja, IdCampo lista, int& KeyAscii, int longitudMáxima);

// A month of the period: two digits, 01 to 12.
bool EsMesPeriodo(std::string_view texto);
// The period text is a whole value: an entry of the period's list or a month. While the user types, only such
// a text runs the result logic; the ones passed through on the way ("", a first digit) do not.
bool PeriodoCompleto(const HojaDeclaración& hoja, std::string_view texto);

// Events of the list fields, as the sheet dispatches them.
void Lista_Change(HojaDeclaración& hoja, IdCampo lista, const ValidarCamposFn& validar);
void Lista_Click(HojaDeclaración& hoja, IdCampo lista, const ValidarCamposFn& validar);
void Lista_KeyPress(HojaDeclaración& hoja, IdCampo lista, int& KeyAscii);
// The list's part of entering the field (also run when its drop-down opens).
void Lista_GotFocus(HojaDeclaración& hoja, IdCampo lista);

} // namespace m817
