// Completion in the list fields compares the way the lists are sorted, without case or accents: the letters
// the key filter leaves (capitals without accents) reach every entry, Ávila and Málaga included.
#include "platform/Texto1252.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <string>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

TEST(CompletarLista, LasTeclasAlcanzanLaEntradaConAcentoYSusMunicipios) {
    HojaPrueba p;
    p.carpeta.CopiarTablasReales();
    p.Cargar();
    HojaDeclaración& hoja = p.hoja();
    const std::tuple<IdCampo, const char*, const char*> casos[] = {
        {cmbProvincia, "av", "Ávila"},     {cmbProvincia, "AL", "Álava/Araba"}, // before Albacete
        {cmbProvincia, "ALB", "Albacete"}, {cmbProvincia, "CAD", "Cádiz"},
        {cmbProvincia, "LEON", "León"},    {cmbAdministracion, "MAL", "Málaga"},
        {cmbProvincia, "AV", "Ávila"}, // last: its municipalities follow
    };
    for (const auto& [lista, teclas, elegida] : casos) {
        SCOPED_TRACE(teclas);
        p.Escribir(lista, teclas);
        EXPECT_EQ(Utf8(hoja.Texto(lista)), elegida);
        // The part the user did not type stays selected, so the next key replaces it.
        const int tecleadas = static_cast<int>(std::string(teclas).size());
        EXPECT_EQ(hoja.SelInicio(lista), tecleadas);
        EXPECT_EQ(hoja.SelLongitud(lista), static_cast<int>(hoja.Texto(lista).size()) - tecleadas);
        // Leaving takes the entry (the script fails on "Provincia errónea" or "Administración errónea").
        EXPECT_TRUE(hoja.Tabular());
        EXPECT_EQ(Utf8(hoja.Texto(lista)), elegida);
    }
    ASSERT_FALSE(hoja.Lista(cmbMunicipio).empty());
    for (const auto& e : hoja.Lista(cmbMunicipio))
        EXPECT_EQ(e.código / 1000, 5) << Utf8(e.texto);
    p.Escribir(cmbMunicipio, "AVILA");
    EXPECT_EQ(Utf8(p.Texto(cmbMunicipio)), "Ávila");
    EXPECT_TRUE(hoja.Tabular());
}
