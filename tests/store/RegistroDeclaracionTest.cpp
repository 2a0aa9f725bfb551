#include "store/RegistroDeclaracion.h"

#include "model/Importes.h"
#include "platform/Texto1252.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace m817;
using enum CampoRegistro;

namespace {

const auto Espacios = [](std::size_t n) { return std::string(n, ' '); };

TEST(RegistroDeclaracion, UnaDeclaracionCompletaQuedaEnSusPosiciones) {
    RegistroDeclaración r = prueba::RegistroDeDatos("registro-completo.txt");
    // Box i holds "i.000,00", so a box in the wrong place shows which it is; 15, 22, 23, 26 are never stored.
    for (int i = 1; i <= 26; ++i)
        if (auto c = CampoCasilla(i)) r.Poner(*c, std::to_string(i) + ".000,00");

    std::string casillas;
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 24, 25})
        casillas += std::to_string(i) + ".000,00" + Espacios(i < 10 ? 11 : 10);
    const std::string esperado =
        std::string(" ") + "817" + "3.2.2   " + "2010" + "3T" + "1" + "8170612345674" + "28   " +
        "12345678Z" + W("MUÑOZ ÁLVAREZ, JOSÉ") + std::string(56, 'X') + "CL" + "MAYOR" + Espacios(45) +
        "12345" + "A " + "3 " + "IZDA" + "915551234      " + "28" + "28079" + "28013" + "915554321      " +
        casillas + "0     " + "2     " + "5     " + "9     " + "13    " + "20    " + "0" + "1" + "2100" +
        "0418" + "45" + "0200051332" + "0049" + "1500" + "05" + "1234567890" + "D" + "8170612345681" +
        "15/11/2010" + "\r\n";
    ASSERT_EQ(esperado.size(), 750u);
    EXPECT_EQ(prueba::Diferencia(r.Bytes(), esperado), "");

    // Read back, every field gives its value again, trimmed and cut.
    const auto leído = RegistroDeclaración::DesdeBytes(esperado);
    EXPECT_EQ(leído, r);
    EXPECT_EQ(leído.Valor(Nombre), W("MUÑOZ ÁLVAREZ, JOSÉ") + std::string(56, 'X'));
    EXPECT_EQ(leído.Campo(Piso), "3 ");
    EXPECT_TRUE(leído.Marcado(Complementaria) && !leído.Marcado(FPEfectivo));

    // A new record only carries the rates and the line end, and so does one made anew.
    const std::string nuevo = Espacios(646) + "0     2     5     9     13    20    " + Espacios(66) + "\r\n";
    EXPECT_EQ(RegistroDeclaración().Bytes(), nuevo);
    r.MarcarBorrado();
    InicializarRegistro(r);
    EXPECT_EQ(r.Bytes(), nuevo);
    EXPECT_TRUE(r.Vivo());
}

TEST(RegistroDeclaracion, EnterosYNumerosEnLaNotacionDelPrograma) {
    // clang-format off
    const std::pair<const char*, std::optional<std::int32_t>> enteros[] = {
        {"2010", 2010}, {" 2011", 2011}, {"+7", 7}, {"-3", -3}, {"", std::nullopt}, {"20a0", std::nullopt},
        {"2010,5", std::nullopt}, {"- 1", std::nullopt}, {"+-12", std::nullopt}, {"99999999999", std::nullopt}};
    const std::pair<const char*, const char*> tipos[] = {
        {"", "0"}, {"   ", "0"}, {"13", "13"}, {" 13 ", "13"}, {"4,5", "4,5"}, {"4,50", "4,5"}, {"007", "7"},
        {"-2", "-2"}, {"1.000", "1000"}, {"0,1", "0,1"}, {",5", "0,5"}, {"abc", "abc"}, {"4.5,", "45"},
        {"1,2,3", "1,2,3"}, {"-0", "0"}};
    // clang-format on
    for (const auto& [texto, esperado] : enteros) {
        RegistroDeclaración r;
        r.Poner(Nombre, texto);
        EXPECT_EQ(r.Entero(Nombre), esperado) << texto;
    }
    for (const auto& [texto, esperado] : tipos)
        EXPECT_EQ(TextoTipo(texto), esperado) << "\"" << texto << "\"";
    EXPECT_EQ(LeerNúmero("1.234,56"), 1234.56);
    EXPECT_EQ(LeerNúmero(" -0,5 "), -0.5);
    const std::string enorme(400, '9'), diminuto = "0," + std::string(400, '0') + "1";
    for (const std::string no :
         {"", "-", ",", "1,000.00", "12a", "1e3", "1 000", enorme.c_str(), diminuto.c_str()})
        EXPECT_FALSE(LeerNúmero(no)) << no;
    EXPECT_EQ(TextoTipo(enorme), enorme); // kept as typed, not turned into the largest double
    EXPECT_TRUE(ImporteSobreLímite(ValorImporte(enorme)));
    EXPECT_EQ(TextoNúmero(130) + " " + TextoNúmero(61.73) + " " + TextoNúmero(0.1 + 0.2), "130 61,73 0,3");
}

} // namespace
