#pragma once
// The general content check of a field text: free text (letters, accented vowels, digits, "-", ",", ".",
// blanks) or digits only. The rules check the free-text and number fields with it, and the load of a saved
// return collects the fields whose stored text fails it.
#include <string>
#include <string_view>

namespace m817 {

inline constexpr int kContenidoTexto = 1;
inline constexpr int kContenidoDígitos = 2;

// Checks the text, trimmed, against its kind; an empty text passes (with permitirVacío false it is first
// taken as "0"). `texto` receives the text as checked: trimmed and mapped (upper case, accents
// removed), up to and including the first refused character. On failure, when `campo` is not empty and a
// list is given, `campo` followed by ", " is appended to *ListaCamposNoCargados.
bool ComprobarContenido(std::string_view campo, std::string& texto, int tipo, bool permitirVacío,
                        std::string* ListaCamposNoCargados = nullptr);

} // namespace m817
