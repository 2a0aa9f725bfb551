#include "validation/Identificadores.h"

#include "platform/Texto1252.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace m817 {
namespace {

TEST(FiltrarCaracter, TablaDeTeclas) {
    // clang-format off
    const std::tuple<int, std::string, std::string, bool, int> casos[] = {
        {300, "", "", false, kCódigoRechazo}, {-5, "", "", false, kCódigoRechazo},
        {kTeclaTabulador, "0123456789", "", true, kTeclaTabulador},
        {kTeclaEscape, "0123456789", "", true, kTeclaEscape}, {kTeclaIntro, "", "", true, kTeclaIntro},
        {'t', "0123456789T", "", true, 'T'}, {'.', "0123456789,.", "0123456789,,", true, ','},
        {'x', "0X", "Z", true, 'X'}, // a short replacement list leaves the key as it is
    };
    // clang-format on
    for (const auto& [entrada, permitidos, reemplazos, permitido, resultado] : casos) {
        int tecla = entrada;
        EXPECT_EQ(FiltrarCaracter(tecla, std::string_view(permitidos), std::string_view(reemplazos)),
                  permitido)
            << entrada;
        EXPECT_EQ(tecla, resultado) << entrada;
    }
    // Enter moves to the next field only when asked; any other key clears the flag.
    int tecla = kTeclaIntro;
    bool siguiente = false;
    EXPECT_TRUE(FiltrarCaracter(tecla, "0123456789", "", &siguiente));
    EXPECT_EQ(tecla, 0);
    EXPECT_TRUE(siguiente);
    tecla = 'A';
    EXPECT_FALSE(FiltrarCaracter(tecla, "0123456789", "", &siguiente));
    EXPECT_FALSE(siguiente);
}

// Every byte against the rule stated in words: letters (with ñ), accented vowels of any kind, digits
// and "-,. " pass, upper-cased and without accents; the four control keys stay; the rest is refused.
TEST(FiltrarCaracter, CadaByteConLasTablasPorDefecto) {
    const std::string vocales = W("áéíóúàèìòùäëïöüÁÉÍÓÚÀÈÌÒÙÄËÏÖÜ");
    const std::string plana = "AEIOUAEIOUAEIOUAEIOUAEIOUAEIOU";
    const char eñe = W("ñ")[0], EÑE = W("Ñ")[0];
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        int esperado = kCódigoRechazo;
        if (b == 8 || b == 9 || b == 13 || b == 27 || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
            std::string_view("-,. ").find(ch) != std::string_view::npos)
            esperado = b;
        else if (ch >= 'a' && ch <= 'z')
            esperado = b - 'a' + 'A';
        else if (ch == eñe || ch == EÑE)
            esperado = static_cast<unsigned char>(EÑE);
        else if (auto p = vocales.find(ch); p != std::string::npos)
            esperado = plana[p];
        int tecla = b;
        EXPECT_EQ(FiltrarCaracter(tecla), esperado != kCódigoRechazo) << "byte " << b;
        EXPECT_EQ(tecla, esperado) << "byte " << b;
    }
}

TEST(NormalizarTexto, Tabla) {
    // clang-format off
    const std::tuple<const char*, const char*, bool, const char*> casos[] = {
        {"Peña García", "", true, "PEÑA GARCIA"}, {"àèìòù ÄËÏÖÜ", "", true, "AEIOU AEIOU"},
        {"", "0123456789", true, ""}, {"O'Donnell", "", false, "O\x07"},
        {"12a4", "0123456789", false, "12\x07"}, {"linea\tdos", "", true, "LINEA\tDOS"},
    };
    // clang-format on
    for (const auto& [entrada, permitidos, permitido, resultado] : casos) {
        std::string texto = W(entrada);
        EXPECT_EQ(NormalizarTexto(texto, std::string_view(permitidos)), permitido) << entrada;
        EXPECT_EQ(texto, W(resultado)) << entrada;
    }
}

TEST(ValidarNIF, Ejemplos) {
    // The number as left in the argument is the input, trimmed and in capitals.
    // clang-format off
    const std::pair<const char*, bool> casos[] = {
        {"12345678Z", true}, {"K1234567", false}, {"L1234567L", true}, {"O1234567L", false}, {"9", false},
        {"A58A18501", false}, {"X1234567L", true}, {" 12345678z ", true}, {"12345678A", false},
        {"12345678", false}, {"1234567L", true}, {"00000000T", true}, {"x1234567l", true},
        {"Y1234567X", true}, {"Z1234567R", true}, {"Y1234567L", false}, {"K1234567L", true},
        {"M1234567L", true}, {"K1234567T", false}, {"K12345A7L", false}, {"1234 5678Z", false},
        {"12345678Z99", true}, {"A58818501", true}, {"A5881850A", true}, {"A5881850B", false},
        {"A58818502", false}, {"B1234567K", false}, {"H58818501", true}, {"H5881850A", false},
        {"P5881850A", true}, {"P58818501", false}, {"I58818501", false}, {"T1234567L", false},
        {"A5881850", false}, {"", false}, {"   ", false}, {" ñ1234567l ", false},
    };
    // clang-format on
    for (const auto& [entrada, válido] : casos) {
        std::string nif = W(entrada), esperado = W(entrada);
        esperado.erase(0, esperado.find_first_not_of(' '));
        esperado.erase(esperado.find_last_not_of(' ') + 1);
        for (char& c : esperado)
            c = c == W("ñ")[0] ? W("Ñ")[0] : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(ValidarNIF(nif), válido) << entrada;
        EXPECT_EQ(nif, esperado) << entrada;
    }
}

TEST(ValidarCCC, Ejemplos) {
    const std::tuple<const char*, int, int> dígitos[] = {
        {"0012345678", 3, 0}, {"1234567890", 1, 6}, {"0000000000", 1, 0}, {"0000000001", 1, 5},
        {"1000000000", 1, 1}, {"0000000100", 1, 4}, {"12", 1, 6},         {"99", 3, 0},
    };
    for (const auto& [número, desde, control] : dígitos)
        EXPECT_EQ(DigitoControlCCC(número, desde), control) << número;
    // clang-format off
    const std::pair<const char*, bool> casos[] = {
        {"20852066623456789011", true}, {"01821234860011223344", true}, {"20852066263456789011", false},
        {"20852066 23456789011", false}, {"2085206662345678901A", false}, {"2085206662345678901", false},
        {"", false}, {"00002066523456789011", false},
        {"20852066600000000000", false}, // all-zero bank or account
    };
    // clang-format on
    for (const auto& [ccc, válido] : casos)
        EXPECT_EQ(ValidarCCC(ccc), válido) << ccc;
}

TEST(ValidarJustificante, Tabla) {
    // clang-format off
    const std::tuple<const char*, bool, bool> casos[] = {
        {"8170612345673", true, false}, {"8170612345673X", true, false}, {"8030612345673", true, true},
        {"8060000000001", true, true}, {"8099999999996", true, true}, {"8240612345673", true, true},
        {"8560612345670", true, true}, {"8720612345672", true, true}, {"9990612345673", false, false},
        {"8180612345674", false, false}, {"817061234567", false, false}, {"8170612345674", false, false},
        {"8170612345672", false, false}, {"81706123456A0", false, false}, {"A170612345670", false, false},
    };
    // clang-format on
    for (const auto& [número, válido, otroModelo] : casos) {
        bool otro = !otroModelo; // must be overwritten
        EXPECT_EQ(ValidarJustificante(número, otro), válido) << número;
        EXPECT_EQ(otro, otroModelo) << número;
    }
    EXPECT_EQ(ComponerJustificante(2010, 1234567), "8170612345673");
    EXPECT_EQ(ComponerJustificante(2009, 0), "8179600000004");
    EXPECT_EQ(ComponerJustificante(2028, 9999999), "8178699999994");
    EXPECT_EQ(DígitoControlJustificante("817061234567"), 3);
    EXPECT_EQ(DígitoControlJustificante("81706123456"), -1);
    EXPECT_EQ(DígitoControlJustificante("81706123456x"), -1);
}

} // namespace
} // namespace m817
