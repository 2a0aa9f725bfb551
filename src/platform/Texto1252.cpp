#include "platform/Texto1252.h"

#include <array>
#include <cstdint>

namespace m817 {
namespace {

// Unicode code points of bytes 0x80..0x9F; 0 where the code page has no character.
constexpr std::array<char32_t, 32> kAlto = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

int ByteDe(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kAlto.size(); ++i)
        if (kAlto[i] == cp && cp != 0) return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 sequence; malformed bytes are taken one by one as U+FFFD.
char32_t Siguiente(std::string_view s, std::size_t& i) {
    auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int extra = (b >= 0xF0) ? 3 : (b >= 0xE0) ? 2 : (b >= 0xC0) ? 1 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = b & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

void AñadirUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

struct Tablas {
    std::array<unsigned char, 256> mayús{}, minus{};
    constexpr Tablas() {
        for (int c = 0; c < 256; ++c) mayús[c] = minus[c] = static_cast<unsigned char>(c);
        for (int c = 'a'; c <= 'z'; ++c) mayús[c] = static_cast<unsigned char>(c - 32);
        for (int c = 0xE0; c <= 0xFE; ++c)
            if (c != 0xF7) mayús[c] = static_cast<unsigned char>(c - 32);
        mayús[0x9A] = 0x8A; // š Š
        mayús[0x9C] = 0x8C; // œ Œ
        mayús[0x9E] = 0x8E; // ž Ž
        mayús[0xFF] = 0x9F; // ÿ Ÿ
        for (int c = 0; c < 256; ++c)
            if (mayús[c] != c) minus[mayús[c]] = static_cast<unsigned char>(c);
    }
};
constexpr Tablas kTablas;

bool EsBlanco(char c) { return c == ' '; }

} // namespace

std::string W(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        int b = ByteDe(Siguiente(utf8, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string Utf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) {
        auto b = static_cast<unsigned char>(c);
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0) cp = kAlto[b - 0x80] ? kAlto[b - 0x80] : 0xFFFD;
        AñadirUtf8(out, cp);
    }
    return out;
}

bool CabeEn1252(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();)
        if (ByteDe(Siguiente(utf8, i)) < 0) return false;
    return true;
}

char Mayúscula(char c) { return static_cast<char>(kTablas.mayús[static_cast<unsigned char>(c)]); }
char Minúscula(char c) { return static_cast<char>(kTablas.minus[static_cast<unsigned char>(c)]); }

std::string Mayúsculas(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Mayúscula(c);
    return out;
}

std::string RecortarIzquierda(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && EsBlanco(s[i])) ++i;
    return std::string(s.substr(i));
}

std::string RecortarDerecha(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && EsBlanco(s[n - 1])) --n;
    return std::string(s.substr(0, n));
}

std::string Recortar(std::string_view s) { return RecortarIzquierda(RecortarDerecha(s)); }

} // namespace m817

namespace m817 {

std::string ClaveOrdenación(std::string_view s) {
    // Upper-case letters of 0xC0..0xDD without their accents.
    static constexpr char kSinAcento[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUY";
    std::string out(s.size(), ' ');
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(Mayúscula(s[i]));
        out[i] = (c >= 0xC0 && c <= 0xDD && c != 0xD7) ? kSinAcento[c - 0xC0] : static_cast<char>(c);
    }
    return out;
}

} // namespace m817
