#include "print/RegistroImpresion.h"

#include "print/HojaImpresion.h"

#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <clocale>

namespace m817 {
namespace {

using enum CampoImpresión;
using prueba::Cero;
using prueba::RegistroCompletoEsperado;

const FechaHora k5Dic2026{2026, 12, 5, 10, 0, 0};

struct CasoFormato {
    const char* valor;
    int longitud, tipo;
    const char* esperado;
    const char* recortado; // what is left in the argument
};

// Text, numbers with leading zeros, amounts (sign and 14 digits, cents last), rates (two whole digits and two
// decimals); an unknown kind is text.
TEST(FormatoFijo, CadaTipoDaSuAnchoExacto) {
    // clang-format off
    const CasoFormato casos[] = {
        {"  ab ", 5, kFormatoTexto, "ab   ", "ab"}, {"", 3, kFormatoTexto, "   ", ""},
        {"MAYOR", 3, kFormatoTexto, "MAY", "MAYOR"},
        {"12", 5, kFormatoNúmero, "00012", "12"}, {"", 5, kFormatoNúmero, "00000", ""},
        {"7", 2, kFormatoNúmero, "07", "7"}, {" 2010 ", 4, kFormatoNúmero, "2010", "2010"},
        {"12 BIS", 5, kFormatoNúmero, "00012", "12 BIS"}, {"-5", 3, kFormatoNúmero, "005", "-5"},
        {"8170612345676", 13, kFormatoNúmero, "8170612345676", "8170612345676"},
        {"1.234,56", 15, kFormatoImporte, " 00000000123456", "1.234,56"},
        {"-5", 15, kFormatoImporte, "-00000000000500", "-5"},
        {"", 15, kFormatoImporte, " 00000000000000", ""},
        {"0,5", 15, kFormatoImporte, " 00000000000050", "0,5"},
        {"-1.234,5", 15, kFormatoImporte, "-00000000123450", "-1.234,5"},
        {"999.999.999.999,99", 15, kFormatoImporte, " 99999999999999", "999.999.999.999,99"},
        {"7", 4, kFormatoTipo, "0700", "7"}, {"13", 4, kFormatoTipo, "1300", "13"},
        {"0", 4, kFormatoTipo, "0000", "0"}, {"", 4, kFormatoTipo, "0000", ""},
        {"6,5", 4, kFormatoTipo, "0650", "6,5"},
        {" x ", 3, 3, "x  ", "x"},
    };
    // clang-format on
    for (const CasoFormato& c : casos) {
        SCOPED_TRACE(std::string(c.valor) + " tipo " + std::to_string(c.tipo));
        std::string valor = c.valor;
        EXPECT_EQ(FormatoFijo(valor, c.longitud, c.tipo), c.esperado);
        EXPECT_EQ(valor, c.recortado);
    }
}

TEST(FormatoFijo, NoDependeDeLaConfiguraciónRegionalDelEquipo) {
    const char* antes = std::setlocale(LC_ALL, nullptr);
    const std::string anterior = antes ? antes : "C";
    prueba::LocalesDePrueba();
    ASSERT_NE(std::setlocale(LC_ALL, "es_ES.utf8"), nullptr) << "no hay configuración regional española";
    std::string importe = "1.234,56", tipo = "6,5";
    const std::string a = FormatoFijo(importe, 15, kFormatoImporte);
    const std::string t = FormatoFijo(tipo, 4, kFormatoTipo);
    std::setlocale(LC_ALL, anterior.c_str());
    EXPECT_EQ(a, " 00000000123456");
    EXPECT_EQ(t, "0650");
}

TEST(RegistroImpresion, UnaHojaVacíaDaCerosYBlancos) {
    HojaDeclaración hoja;
    RegistroImpresion r;
    DescripcionesImpresion d;
    MoverPantallaARegistroImpresion(hoja, k5Dic2026, r, d);

    ASSERT_EQ(r.Texto().size(), kLongitudRegistroImpresion);
    for (const auto& [campo, texto] :
         std::initializer_list<std::pair<CampoImpresión, const char*>>{{Modelo, "817"},
                                                                       {CodigoAdministracion, "     "},
                                                                       {Ejercicio, "0000"},
                                                                       {Numero, "00000"},
                                                                       {CodigoPostal, "00000"},
                                                                       {Municipio, "00000"},
                                                                       {Provincia, "00"},
                                                                       {Sigla, "  "}})
        EXPECT_EQ(r.Campo(campo), texto);
    for (int i = 1; i <= 26; ++i)
        EXPECT_EQ(r.Campo(Casilla, i), Cero()) << "casilla " << i;
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(r.Campo(Resultado, i), Cero());
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(r.Campo(Tipos, i), "0000");
    for (CampoImpresión marca : {Complementaria, FPEfectivo, FPCuenta, SinActividad})
        EXPECT_EQ(r.Campo(marca), "0");
    for (CampoImpresión texto :
         {Periodo, JustifComp, NIF, Nombre, ViaPublica, Escalera, Piso, Puerta, Telefono, Fax})
        EXPECT_EQ(r.Campo(texto), std::string(r.Campo(texto).size(), ' '));
    EXPECT_EQ(r.Campo(FechaImpresion), "05122026");
    EXPECT_EQ(d, DescripcionesImpresion{});
}

TEST(RegistroImpresion, UnaHojaCompletaDaElRegistroCampoACampo) {
    HojaDeclaración hoja;
    prueba::RellenarHojaCompleta(hoja);
    RegistroImpresion r;
    DescripcionesImpresion d;
    MoverPantallaARegistroImpresion(hoja, k5Dic2026, r, d);

    const std::string esperado = RegistroCompletoEsperado();
    ASSERT_EQ(esperado.size(), kLongitudRegistroImpresion);
    for (std::size_t i = 0; i < esperado.size(); ++i)
        ASSERT_EQ(r.Texto()[i], esperado[i]) << "posición " << i << ": " << r.Texto().substr(i, 20);

    EXPECT_EQ(d.NombreAdministracion, prueba::Rellenar("Palma", 30));
    EXPECT_EQ(d.NombreSigla, prueba::Rellenar("Calle", 30));
    EXPECT_EQ(d.NombreProvincia, prueba::Rellenar("Illes Balears", 30));
    EXPECT_EQ(d.NombreMunicipio, prueba::Rellenar(W("Alaró"), 30));
    EXPECT_EQ(d.CodigoAdministracionLista, "701  ");
}

TEST(RegistroImpresion, ElCódigoDeAdministraciónSeGuardaSinRecortarYUnNombreLargoSeCorta) {
    HojaDeclaración hoja;
    hoja.EscribirTexto(campos::edtCodigoAdministracion, " 7012345");
    prueba::Elegir(hoja, campos::cmbMunicipio, "Santa Margalida de la Costa Norte", 7055);
    RegistroImpresion r;
    DescripcionesImpresion d;
    MoverPantallaARegistroImpresion(hoja, k5Dic2026, r, d);
    EXPECT_EQ(r.Campo(CodigoAdministracion), " 7012");
    EXPECT_EQ(r.Campo(Municipio), "07055");
    EXPECT_EQ(d.NombreMunicipio, "Santa Margalida de la Costa No");
}

} // namespace
} // namespace m817
