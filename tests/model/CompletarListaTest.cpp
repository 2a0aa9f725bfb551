// Completion in the list fields compares the way the lists are sorted, without case or accents: the letters
// the key filter leaves (capitals without accents) reach every entry, Ávila and Málaga included.
#include "platform/Texto1252.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

struct Caso {
    IdCampo lista;
    const char* teclas;
    const char* elegida; // UTF-8
};

void PrintTo(const Caso& c, std::ostream* os) {
    *os << Definición(c.lista).nombre << " «" << c.teclas << "»";
}

class CompletarLista : public ::testing::TestWithParam<Caso> {};

const Caso kCasos[] = {
    {cmbProvincia, "AV", "Ávila"},
    {cmbProvincia, "av", "Ávila"},       // typed in small letters: the filter makes them capitals
    {cmbProvincia, "AL", "Álava/Araba"}, // the first of the AL's as the list sorts them, before Albacete
    {cmbProvincia, "ALB", "Albacete"},
    {cmbProvincia, "CAC", "Cáceres"},
    {cmbProvincia, "CAD", "Cádiz"},
    {cmbProvincia, "MAL", "Málaga"},
    {cmbProvincia, "LEON", "León"},
    {cmbAdministracion, "MAL", "Málaga"},
    {cmbAdministracion, "AV", "Ávila"},
    {cmbAdministracion, "CAD", "Cádiz"},
};

INSTANTIATE_TEST_SUITE_P(Tablas, CompletarLista, ::testing::ValuesIn(kCasos), [](const auto& i) {
    std::string n = std::string(Definición(i.param.lista).nombre) + "_";
    for (char c : std::string(i.param.teclas))
        n += std::isalpha(static_cast<unsigned char>(c)) ? c : '_';
    return n + "_" + std::to_string(i.index);
});

TEST_P(CompletarLista, LasTeclasAlcanzanLaEntradaConAcento) {
    const Caso& c = GetParam();
    HojaPrueba p;
    p.carpeta.CopiarTablasReales();
    p.Cargar();
    HojaDeclaración& hoja = p.hoja();

    p.Escribir(c.lista, c.teclas);
    EXPECT_EQ(Utf8(hoja.Texto(c.lista)), c.elegida);
    ASSERT_GE(hoja.Posición(c.lista), 0);
    EXPECT_EQ(Utf8(hoja.Lista(c.lista)[static_cast<std::size_t>(hoja.Posición(c.lista))].texto), c.elegida);
    // The part the user did not type stays selected, so the next key replaces it.
    const int tecleadas = static_cast<int>(std::string(c.teclas).size());
    EXPECT_EQ(hoja.SelInicio(c.lista), tecleadas);
    EXPECT_EQ(hoja.SelLongitud(c.lista), static_cast<int>(hoja.Texto(c.lista).size()) - tecleadas);

    // Leaving the field takes the entry (the script fails on "Provincia errónea" or "Administración
    // errónea").
    EXPECT_TRUE(hoja.Tabular());
    EXPECT_EQ(Utf8(hoja.Texto(c.lista)), c.elegida);
    EXPECT_EQ(p.ventana->errores.Buscar(Definición(c.lista).nombre == std::string_view("cmbProvincia")
                                            ? "cmbProvincia"
                                            : "cmbAdministracion"),
              nullptr);
}

TEST(CompletarLista, ElegidaLaProvinciaConAcentoSeOfrecenSusMunicipios) {
    HojaPrueba p;
    p.carpeta.CopiarTablasReales();
    p.Cargar();
    p.Escribir(cmbProvincia, "AV");
    ASSERT_TRUE(p.hoja().Tabular());
    ASSERT_FALSE(p.hoja().Lista(cmbMunicipio).empty());
    for (const auto& e : p.hoja().Lista(cmbMunicipio))
        EXPECT_EQ(e.código / 1000, 5) << Utf8(e.texto);
    p.Escribir(cmbMunicipio, "AVILA");
    EXPECT_EQ(Utf8(p.Texto(cmbMunicipio)), "Ávila");
    EXPECT_TRUE(p.hoja().Tabular());
}

} // namespace
