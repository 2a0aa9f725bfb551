#include "print/RegistroImpresion.h"

#include "print/HojaImpresion.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace m817;
using enum CampoImpresión;

static std::pair<RegistroImpresión, DescripcionesImpresión> Mover(const HojaDeclaración& hoja) {
    std::pair<RegistroImpresión, DescripcionesImpresión> r;
    MoverPantallaARegistroImpresión(hoja, {2026, 12, 5, 10, 0, 0}, r.first, r.second);
    return r;
}

// Amounts: sign and 14 digits, cents last; rates: two whole digits, two decimals; unknown kinds are text.
TEST(FormatoFijo, CadaTipoDaSuAnchoExacto) {
    const int T = kFormatoTexto, N = kFormatoNúmero, I = kFormatoImporte, P = kFormatoTipo;
    // clang-format off
    const std::tuple<const char*, int, int, const char*, const char*> casos[] = {
        {"  ab ", 5, T, "ab   ", "ab"}, {"MAYOR", 3, T, "MAY", "MAYOR"}, {" x ", 3, 3, "x  ", "x"},
        {" 2010 ", 4, N, "2010", "2010"}, {"12 BIS", 5, N, "00012", "12 BIS"}, {"-5", 3, N, "005", "-5"},
        {"1.234,56", 15, I, " 00000000123456", "1.234,56"}, {"-5", 15, I, "-00000000000500", "-5"},
        {"", 15, I, " 00000000000000", ""}, {"999.999.999.999,99", 15, I, " 99999999999999", "999.999.999.999,99"},
        {"13", 4, P, "1300", "13"}, {"", 4, P, "0000", ""}, {"6,5", 4, P, "0650", "6,5"}, {"", 5, N, "00000", ""},
    };
    // clang-format on
    for (const auto& [entrada, longitud, tipo, esperado, recortado] : casos) {
        std::string valor = entrada;
        EXPECT_EQ(FormatoFijo(valor, longitud, tipo), esperado) << entrada << " tipo " << tipo;
        EXPECT_EQ(valor, recortado) << entrada << " tipo " << tipo;
    }
}

TEST(FormatoFijo, NoDependeDeLaConfiguraciónRegionalDelEquipo) {
    const std::string anterior = std::setlocale(LC_ALL, nullptr);
    prueba::LocalesDePrueba();
    ASSERT_NE(std::setlocale(LC_ALL, "es_ES.utf8"), nullptr) << "no hay configuración regional española";
    std::string importe = "1.234,56", tipo = "6,5";
    const std::string a = FormatoFijo(importe, 15, kFormatoImporte), t = FormatoFijo(tipo, 4, kFormatoTipo);
    std::setlocale(LC_ALL, anterior.c_str());
    EXPECT_EQ(a + "|" + t, " 00000000123456|0650");
}

TEST(RegistroImpresión, UnaHojaCompletaDaElRegistroCampoACampo) {
    HojaDeclaración hoja;
    prueba::RellenarHojaCompleta(hoja);
    const auto [r, d] = Mover(hoja);
    const std::string esperado = prueba::RegistroCompletoEsperado();
    ASSERT_EQ(r.Texto().size(), esperado.size());
    for (std::size_t i = 0; i < esperado.size(); ++i)
        ASSERT_EQ(r.Texto()[i], esperado[i]) << "posición " << i << ": " << r.Texto().substr(i, 20);
    EXPECT_EQ(d.NombreAdministración + d.NombreSigla + d.NombreProvincia + d.NombreMunicipio +
                  d.CódigoAdministraciónLista,
              prueba::Rellenar("Palma", 30) + prueba::Rellenar("Calle", 30) +
                  prueba::Rellenar("Illes Balears", 30) + prueba::Rellenar(W("Alaró"), 30) + "701  ");
    // The administration's code is kept untrimmed; a long name is cut.
    hoja.EscribirTexto(campos::edtCodigoAdministracion, " 7012345");
    prueba::Elegir(hoja, campos::cmbMunicipio, "Santa Margalida de la Costa Norte", 7055);
    const auto [r2, d2] = Mover(hoja);
    EXPECT_EQ(std::string(r2.Campo(CodigoAdministracion)) + "|" + std::string(r2.Campo(Municipio)),
              " 7012|07055");
    EXPECT_EQ(d2.NombreMunicipio, "Santa Margalida de la Costa No");
    EXPECT_EQ(Mover(HojaDeclaración{}).second, DescripcionesImpresión{}); // no entry chosen, no description
}
