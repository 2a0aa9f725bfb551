#pragma once
// Text of the return is Windows-1252, one byte per character, as it is stored
// and printed. Literals in the source are UTF-8 and pass through W() once.
#include <string>
#include <string_view>

namespace m817 {

// UTF-8 -> Windows-1252. Characters with no place in the code page become '?'.
std::string W(std::string_view utf8);
// Windows-1252 -> UTF-8 (for the Qt boundary and for text files in UTF-8).
std::string Utf8(std::string_view cp1252);
// Whether every character of the UTF-8 text has a place in Windows-1252.
bool CabeEn1252(std::string_view utf8);

// Upper and lower case following Windows-1252 (á→Á, ñ→Ñ, š→Š, œ→Œ, ÿ→Ÿ; ß and µ stay).
char Mayúscula(char c);
std::string Mayúsculas(std::string_view s);
char Minúscula(char c);

// Blanks removed at both ends, or at the left or right only.
std::string Recortar(std::string_view s);
std::string RecortarIzquierda(std::string_view s);
std::string RecortarDerecha(std::string_view s);

} // namespace m817

namespace m817 {
// Sort key of a text for alphabetical lists: upper case with the accents
// removed, so Álava sorts with the A's.
std::string ClaveOrdenación(std::string_view s);
} // namespace m817
