#include "store/RegistroDeclaracion.h"

#include "model/Importes.h"
#include "platform/Texto1252.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace m817;
using enum CampoRegistro;

namespace {

std::string Espacios(std::size_t n) {
    return std::string(n, ' ');
}

TEST(RegistroDeclaracion, UnaDeclaracionCompletaQuedaEnSusPosiciones) {
    RegistroDeclaración r;
    // clang-format off
    const std::pair<CampoRegistro, std::string> valores[] = {
        {Marca, " "}, {Modelo, "817"}, {Versión, "3.2.2"}, {Ejercicio, "2010"}, {Periodo, "3T"},
        {Complementaria, "1"}, {JustificanteComplementada, "8170612345674"}, {Administración, "28"},
        {NIF, "12345678Z"},
        {Nombre, W("MUÑOZ ÁLVAREZ, JOSÉ") + std::string(70, 'X')}, // 89 characters: cut to 75
        {Sigla, "CL"}, {ViaPública, "MAYOR"}, {Número, "12345"}, {Escalera, "A"}, {Piso, "3"},
        {Puerta, "IZDA"}, {Teléfono, "915551234"}, {Provincia, "28"}, {Municipio, "28079"},
        {CódigoPostal, "28013"}, {Fax, "915554321"}, {Tipo1, "0"}, {Tipo2, "2"}, {Tipo3, "5"}, {Tipo4, "9"},
        {Tipo5, "13"}, {Tipo6, "20"}, {FPEfectivo, "0"}, {FPCuenta, "1"}, {CCCIngEntidad, "2100"},
        {CCCIngOficina, "0418"}, {CCCIngDígitos, "45"}, {CCCIngCuenta, "0200051332"}, {CCCDevEntidad, "0049"},
        {CCCDevOficina, "1500"}, {CCCDevDígitos, "05"}, {CCCDevCuenta, "1234567890"}, {Resultado, "D"},
        {NúmeroJustificante, "8170612345681"}, {FechaImpresión, "15/11/2010"}, {FinRegistro, "\r\n"},
    };
    // clang-format on
    for (const auto& [campo, valor] : valores)
        r.Poner(campo, valor);
    // Box i holds "i.000,00", so a box at the wrong place shows which one it is.
    for (int i = 1; i <= 26; ++i)
        if (auto c = CampoCasilla(i)) r.Poner(*c, std::to_string(i) + ".000,00");
    for (int calculada : {15, 22, 23, 26})
        EXPECT_FALSE(CampoCasilla(calculada));

    std::string casillas;
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9})
        casillas += std::to_string(i) + ".000,00" + Espacios(11);
    for (int i : {10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 24, 25})
        casillas += std::to_string(i) + ".000,00" + Espacios(10);
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
    EXPECT_EQ(leído.Valor(Casilla25), "25.000,00");
    EXPECT_EQ(leído.Campo(Piso), "3 ");
    EXPECT_TRUE(leído.Marcado(Complementaria));
    EXPECT_FALSE(leído.Marcado(FPEfectivo));
}

TEST(RegistroDeclaracion, UnRegistroNuevoSoloLlevaLosTiposYElFinal) {
    const std::string esperado =
        Espacios(646) + "0     2     5     9     13    20    " + Espacios(66) + "\r\n";
    RegistroDeclaración r;
    EXPECT_EQ(prueba::Diferencia(r.Bytes(), esperado), "");
    r.Poner(NIF, "X");
    r.MarcarBorrado();
    InicializarRegistro(r);
    EXPECT_EQ(r.Bytes(), esperado);
    EXPECT_TRUE(r.Vivo());
}

TEST(RegistroDeclaracion, EnteroSoloDeTextosQueSonNumeros) {
    // clang-format off
    const std::pair<const char*, std::optional<std::int32_t>> casos[] = {
        {"2010", 2010}, {" 2011", 2011}, {"+7", 7}, {"-3", -3}, {"", std::nullopt}, {"20a0", std::nullopt},
        {"2010,5", std::nullopt}, {"- 1", std::nullopt},
        {"+-12", std::nullopt}, // two signs
        {"99999999999", std::nullopt},
    };
    // clang-format on
    for (const auto& [texto, esperado] : casos) {
        RegistroDeclaración r;
        r.Poner(Nombre, texto);
        EXPECT_EQ(r.Entero(Nombre), esperado) << texto;
    }
}

TEST(RegistroDeclaracion, NumerosEnLaNotacionDelPrograma) {
    const std::pair<const char*, const char*> tipos[] = {
        {"", "0"},       {"   ", "0"},   {"13", "13"},   {" 13 ", "13"},     {"4,5", "4,5"},
        {"4,50", "4,5"}, {"007", "7"},   {"-2", "-2"},   {"1.000", "1000"},  {"0,1", "0,1"},
        {",5", "0,5"},   {"abc", "abc"}, {"4.5,", "45"}, {"1,2,3", "1,2,3"}, {"-0", "0"},
    };
    for (const auto& [texto, esperado] : tipos)
        EXPECT_EQ(TextoTipo(texto), esperado) << "\"" << texto << "\"";

    EXPECT_EQ(LeerNúmero("1.234,56"), 1234.56);
    EXPECT_EQ(LeerNúmero(" -0,5 "), -0.5);
    const std::string enorme(400, '9'), diminuto = "0," + std::string(400, '0') + "1";
    for (const std::string& no :
         {std::string(""), std::string("-"), std::string(","), std::string("1,000.00"), std::string("12a"),
          std::string("1e3"), std::string("1 000"), enorme, diminuto})
        EXPECT_FALSE(LeerNúmero(no)) << no;
    EXPECT_EQ(TextoTipo(enorme), enorme); // kept as typed, not turned into the largest double
    EXPECT_TRUE(ImporteSobreLímite(ValorImporte(enorme)));
    EXPECT_EQ(TextoNúmero(130), "130");
    EXPECT_EQ(TextoNúmero(61.73), "61,73");
    EXPECT_EQ(TextoNúmero(0.1 + 0.2), "0,3");
}

} // namespace
