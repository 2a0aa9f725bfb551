#pragma once
// The returns saved by the saving loop that the fault tests kill: the bytes of slot `slot` at its `vez`-th
// save depend on both numbers in every field, so a record that mixes two saves, or two slots, never passes
// for either.
#include "store/RegistroDeclaracion.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

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
    Marca m;
    const std::string nombre(r.Campo(CampoRegistro::Nombre));
    if (std::sscanf(nombre.c_str(), "BUCLE %d %d", &m.slot, &m.vez) != 2 || !(Registro(m.slot, m.vez) == r))
        return std::nullopt;
    return m;
}

} // namespace m817::bucle
