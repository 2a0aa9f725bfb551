#pragma once
// Codes of the typed characters the sheet treats specially.

namespace m817 {

inline constexpr int kTeclaRetroceso = 8;
inline constexpr int kTeclaTabulador = 9;
inline constexpr int kTeclaIntro = 13;
inline constexpr int kTeclaEscape = 27;
// A refused key ends as the bell code: nothing is inserted and the field beeps.
inline constexpr int kCódigoRechazo = 7;

} // namespace m817
