#pragma once
// The returns saved by the saving loop that the fault tests kill: the bytes of slot `slot` at its `vez`-th
// save depend on both numbers in every field, so a record that mixes two saves, or two slots, never passes
// for either.
#include "store/RegistroDeclaracion.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace m817::bucle {

inline RegistroDeclaración Registro(std::int32_t slot, std::int32_t vez) {
    RegistroDeclaración r;
    std::uint32_t h =
        static_cast<std::uint32_t>(slot) * 2654435761u ^ static_cast<std::uint32_t>(vez) * 40503u;
    for (const auto& d : kCamposRegistro) {
        if (d.campo == CampoRegistro::Marca || d.campo == CampoRegistro::FinRegistro) continue;
        std::string texto(d.ancho, ' ');
        for (auto& c : texto) {
            h = h * 1664525u + 1013904223u;
            c = static_cast<char>('A' + (h >> 24) % 26);
        }
        r.Poner(d.campo, texto);
    }
    r.Poner(CampoRegistro::Nombre, "BUCLE " + std::to_string(slot) + " " + std::to_string(vez) + " " +
                                       std::string(r.Campo(CampoRegistro::ViaPública)));
    return r;
}

// The slot and save number a record of the loop carries.
struct Marca {
    std::int32_t slot = 0, vez = 0;
};

inline std::optional<Marca> Leer(const RegistroDeclaración& r) {
    std::string_view s = r.Campo(CampoRegistro::Nombre);
    if (!s.starts_with("BUCLE ")) return std::nullopt;
    s.remove_prefix(6);
    Marca m;
    auto [p, e] = std::from_chars(s.data(), s.data() + s.size(), m.slot);
    if (e != std::errc() || p == s.data() + s.size() || *p != ' ') return std::nullopt;
    auto [q, e2] = std::from_chars(p + 1, s.data() + s.size(), m.vez);
    if (e2 != std::errc()) return std::nullopt;
    if (!(Registro(m.slot, m.vez) == r)) return std::nullopt;
    return m;
}

} // namespace m817::bucle
