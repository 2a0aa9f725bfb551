#include "platform/InstanciaUnica.h"

#include <gtest/gtest.h>

#include <string>

using namespace m817;

TEST(InstanciaÚnica, TítulosDeVentanaDelPrograma) {
    struct Caso {
        std::string título;
        bool delPrograma;
    };
    // clang-format off
    const Caso casos[] = {
        {"Modelo 817 - Hoja", true}, {"Modelo 8170", true}, {std::string("Modelo 817\0", 11), true}, // ten count
        {"modelo 817", false}, {"Modelo 81", false}, {" Modelo 817", false}, {"", false},
    };
    // clang-format on
    for (const auto& c : casos)
        EXPECT_EQ(EsVentanaDelPrograma(c.título), c.delPrograma) << '"' << c.título << '"';
}
