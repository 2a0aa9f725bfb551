#include "validation/Identificadores.h"

#include "platform/Texto1252.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m817;

// Letters (ñ too), accented vowels, digits and "-,. " pass upper-cased, unaccented; four control keys stay.
TEST(FiltrarCarácter, CadaByteConLasTablasPorDefecto) {
    const std::string vocales = W("áéíóúàèìòùäëïöüÁÉÍÓÚÀÈÌÒÙÄËÏÖÜ"), plana = "AEIOUAEIOUAEIOUAEIOUAEIOUAEIOU";
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        int esperado = kCódigoRechazo;
        if (b == 8 || b == 9 || b == 13 || b == 27 || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
            std::string_view("-,. ").find(ch) != std::string_view::npos)
            esperado = b;
        else if (b >= 'a' && b <= 'z')
            esperado = b - 'a' + 'A';
        else if (ch == W("ñ")[0] || ch == W("Ñ")[0])
            esperado = static_cast<unsigned char>(W("Ñ")[0]);
        else if (auto p = vocales.find(ch); p != std::string::npos)
            esperado = plana[p];
        int tecla = b;
        EXPECT_EQ(FiltrarCarácter(tecla), esperado != kCódigoRechazo) << "byte " << b;
        EXPECT_EQ(tecla, esperado) << "byte " << b;
    }
}

TEST(ValidarNIF, Ejemplos) {
    // clang-format off
    const std::pair<bool, std::vector<const char*>> grupos[] = {
        {true, {"12345678Z", "L1234567L", "X1234567L", " 12345678z ", "1234567L", "00000000T", "Y1234567X", "Z1234567R",
                "K1234567L", "M1234567L", "12345678Z99", "A58818501", "A5881850A", "H58818501", "P5881850A"}},
        {false, {"K1234567", "O1234567L", "9", "A58A18501", "12345678A", "12345678", "Y1234567L", "K1234567T",
                 "K12345A7L", "1234 5678Z", "A5881850B", "A58818502", "B1234567K", "H5881850A", "P58818501",
                 "I58818501", "T1234567L", "A5881850", "", "   "}}};
    // clang-format on
    for (const auto& [válido, nifs] : grupos)
        for (std::string nif : nifs)
            EXPECT_EQ(ValidarNIF(nif), válido) << nif;
    std::string nif = W(" ñ1234567l ");
    EXPECT_FALSE(ValidarNIF(nif));
    EXPECT_EQ(nif, W("Ñ1234567L")); // left trimmed and in capitals
}

TEST(ValidarCCC, Ejemplos) {
    EXPECT_EQ(DígitoControlCCC("0012345678", 3), 0);
    // clang-format off
    const std::pair<const char*, bool> casos[] = {
        {"20852066623456789011", true}, {"01821234860011223344", true}, {"20852066263456789011", false},
        {"20852066 23456789011", false}, {"2085206662345678901A", false}, {"2085206662345678901", false},
        {"00002066523456789011", false}, {"20852066600000000000", false}, // all-zero bank or account
    };
    // clang-format on
    for (const auto& [ccc, válido] : casos)
        EXPECT_EQ(ValidarCCC(ccc), válido) << ccc;
}

TEST(ValidarJustificante, Tabla) {
    // clang-format off
    const std::tuple<const char*, bool, bool> casos[] = {
        {"8170612345673X", true, false}, {"8030612345673", true, true}, {"8099999999996", true, true},
        {"8720612345672", true, true}, {"9990612345673", false, false}, {"8180612345674", false, false},
        {"817061234567", false, false}, {"8170612345674", false, false}, {"81706123456A0", false, false},
    };
    // clang-format on
    for (const auto& [número, válido, otroModelo] : casos) {
        bool otro = !otroModelo; // must be overwritten
        EXPECT_EQ(ValidarJustificante(número, otro), válido) << número;
        EXPECT_EQ(otro, otroModelo) << número;
    }
    EXPECT_EQ(ComponerJustificante(2009, 0), "8179600000004");
    EXPECT_EQ(ComponerJustificante(2028, 9999999), "8178699999994");
}
