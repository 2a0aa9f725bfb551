#include "platform/Texto1252.h"

#include <gtest/gtest.h>

using namespace m817;

TEST(Texto1252, IdaYVueltaMayúsculasYRecortes) {
    const std::string utf8 = "Peña Álava €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ÿ";
    std::string w = W(utf8);
    EXPECT_EQ(w.size(), 40u);
    EXPECT_EQ(static_cast<unsigned char>(w[2]), 0xF1);
    EXPECT_EQ(Utf8(w), utf8);
    EXPECT_EQ(W("日"), "?");
    EXPECT_FALSE(CabeEn1252("Łódź"));
    EXPECT_TRUE(CabeEn1252("Bonillo, El"));
    EXPECT_EQ(Mayúsculas(W("áéíóúñüçšœžÿßµ abc")), W("ÁÉÍÓÚÑÜÇŠŒŽŸßµ ABC"));
    EXPECT_EQ(Mayúscula(static_cast<char>(0xF7)), static_cast<char>(0xF7)); // ÷ has no case
    EXPECT_EQ(Minúscula(W("Ñ")[0]), W("ñ")[0]);
    EXPECT_EQ(Recortar("  a b  ") + "|" + RecortarIzquierda("  a ") + "|" + RecortarDerecha("  a ") + "|" +
                  Recortar("\ta\t") + "|" + Recortar("   "),
              "a b|a |  a|\ta\t|"); // only spaces are trimmed
}
