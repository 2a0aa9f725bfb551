#include "platform/InstanciaUnica.h"

#include <gtest/gtest.h>

#include <string>

TEST(InstanciaÚnica, TítulosDeVentanaDelPrograma) {
    // clang-format off
    const std::pair<std::string, bool> casos[] = {
        {"Modelo 817 - Hoja", true}, {"Modelo 8170", true}, {std::string("Modelo 817\0", 11), true}, // ten count
        {"modelo 817", false}, {"Modelo 81", false}, {" Modelo 817", false}, {"", false}};
    // clang-format on
    for (const auto& [título, delPrograma] : casos)
        EXPECT_EQ(m817::EsVentanaDelPrograma(título), delPrograma) << '"' << título << '"';
}
