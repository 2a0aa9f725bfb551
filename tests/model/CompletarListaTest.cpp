#include "platform/Texto1252.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

// Completion compares as the lists sort, without case or accents: capitals reach Ávila and Málaga too.
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
        EXPECT_EQ(hoja.SelInicio(lista), static_cast<int>(std::string(teclas).size())); // the rest selected
        // Leaving takes the entry (the script fails on "Provincia errónea" or "Administración errónea").
        EXPECT_TRUE(hoja.Tabular());
        EXPECT_EQ(Utf8(hoja.Texto(lista)), elegida);
    }
    p.Escribir(cmbMunicipio, "AVILA");
    EXPECT_EQ(Utf8(p.Texto(cmbMunicipio)), "Ávila");
    EXPECT_TRUE(hoja.Tabular());
}
