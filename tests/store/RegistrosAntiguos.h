#pragma once
// Records of the earlier layouts, written from their positions as the earlier versions wrote them.
#include "platform/Texto1252.h"

#include <string>
#include <utility>
#include <vector>

namespace m817::prueba {

// An old record (layout A: 549 bytes, layout B: 682) with a base and rate on each of its first lines.
struct Antiguo {
    bool disposiciónA = true;
    char marca = ' ';
    std::string versión = "2.1.1";
    std::string nif = "12345678Z";
    std::vector<std::pair<std::string, std::string>> líneas = {}; // base and rate of up to seven lines
    std::vector<std::string> otras = {"O1", "O2", "O3", "O4", "O5", "O6"};

    std::string Bytes() const {
        const std::size_t longitud = disposiciónA ? 549 : 682;
        std::string r(longitud, ' ');
        auto poner = [&r](std::size_t posición, const std::string& valor) {
            r.replace(posición, valor.size(), valor);
        };
        r[0] = marca;
        // clang-format off
        const std::pair<std::size_t, std::string> fijos[] = {
            {1, "817"}, {4, versión}, {12, "2005"}, {16, "2T"}, {18, "28"}, {23, nif}, {32, W("PEÑA LÓPEZ")},
            {107, "CL"}, {109, "MAYOR"}, {159, "7"}, {164, "A"}, {166, "3"}, {168, "IZDA"}, {172, "915551234"},
            {187, "28"}, {189, "28079"}, {194, "28013"}, {199, "915554321"}};
        // clang-format on
        for (const auto& [posición, valor] : fijos)
            poner(posición, valor);
        auto casilla = [&](std::size_t i, const std::string& v) { poner(214 + 19 * (i - 1), v); };
        const std::size_t tipos = disposiciónA ? 461 : 594;
        for (std::size_t i = 0; i < líneas.size(); ++i) {
            casilla(i + 1, líneas[i].first);
            poner(tipos + 6 * i, líneas[i].second);
        }
        if (!disposiciónA)
            for (std::size_t i = 8; i <= 14; ++i)
                casilla(i, "999,99"); // old quotas, never trusted
        for (std::size_t i = 0; i < otras.size(); ++i)
            casilla((disposiciónA ? 8 : 15) + i, otras[i]);
        // The refund account, the result, the receipt number and its date.
        poner(disposiciónA ? 503 : 636, "21000418450200051332D817051234567815/11/2005");
        poner(longitud - 2, "\r\n");
        return r;
    }
};

} // namespace m817::prueba
