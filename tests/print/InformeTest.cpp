#include "print/Informe.h"

#include "platform/Texto1252.h"
#include "print/ImagenBmp.h"
#include "print/NubePuntos.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace m817;
using enum CampoImpresión;

namespace {

RegistroImpresión RegistroCeros() { // of an empty sheet, printed on 5 December 2026
    RegistroImpresión r;
    DescripcionesImpresión d;
    MoverPantallaARegistroImpresión(HojaDeclaración{}, {2026, 12, 5, 0, 0, 0}, r, d);
    return r;
}

struct Relleno {
    Informe informe = CrearInforme();
    prueba::CarpetaTemporal carpeta;
    prueba::CódigosBarrasPrueba biblioteca;

    explicit Relleno(bool nube = false) { informe.Mostrar("imgPDF", nube); }
    ResultadoImpresión Rellenar(const RegistroImpresión& r, const DescripcionesImpresión& d = {},
                                const std::string& número = "") {
        return RellenarInforme(informe, r, d, número, carpeta, biblioteca);
    }
    std::string T(std::string_view nombre) const { return Utf8(informe.Texto(nombre)); }
    void Nube(int ancho, int alto, int ppp) {
        std::ofstream(RutaNubePuntos(carpeta), std::ios::binary) << prueba::BmpMonocromo(ancho, alto, ppp);
    }
};

} // namespace

// Rate rows: base, rate and quota side by side, each touching the next, under their headings, above box 13.
TEST(InformeDiseño, CadaFilaEnSuRenglón) {
    const Informe informe = CrearInforme();
    auto e = [&](const std::string& nombre) { return informe.Elemento(nombre); };
    auto abajo = [](const ElementoPágina& x) { return x.arriba + x.alto; };
    const auto& el = informe.página.elementos;
    auto cabecera = std::ranges::find_if(el, [](const auto& x) { return Utf8(x.texto) == "Base Imponible"; });
    ASSERT_NE(cabecera, el.end());
    EXPECT_GE(e("rptCasilla1").arriba, abajo(*cabecera));
    auto y = [&](const char* n, int i) { return e(n + std::to_string(i)).arriba; };
    for (int r = 1; r <= 6; ++r) // side by side, and touching the row below
        EXPECT_TRUE(y("rptTipos", r) == y("rptCasilla", r) && y("rptCasilla", r + 6) == y("rptCasilla", r) &&
                    (r == 6 || y("rptCasilla", r + 1) == abajo(e("rptCasilla" + std::to_string(r)))))
            << r;
    EXPECT_LE(abajo(e("rptCasilla12")), e("rptCasilla13").arriba);
    EXPECT_TRUE(informe.Existe("imgPDF") && !informe.Existe("imgNoHay"));
}

// Zeros show only where the form asks: the boxes the result comes from (given a base, a deduction or the
// largest amount), box 26, the compensation result. Each row names what differs from an empty sheet's page.
TEST(RellenarInforme, CadaValorEnSuCasillaYLosCerosSóloDondeElImpresoLoPide) {
    using Campos = std::map<std::pair<CampoImpresión, int>, std::string>;
    using Textos = std::map<std::string, std::string>;
    const Textos abajo = {{"rptCasilla15", "0,00"}, {"rptCasilla23", "0,00"}, {"rptCasilla26", "0,00"}};
    // clang-format off
    const std::pair<Campos, Textos> casos[] = {
        {{}, {{"chkSinActividad", ""}}},
        {{{{SinActividad, -1}, "1"}}, {{"chkSinActividad", "X"}, {"rptResultado3", ""}}},
        {{{{Casilla, 1}, " 00000000100000"}, {{Tipos, 1}, "0700"}}, {{"rptCasilla1", "1.000,00"}, {"rptTipos1", "7"}, {"rptCasilla7", "0,00"}}},
        {{{{Casilla, 16}, " 00000000000050"}}, {{"rptCasilla16", "0,50"}, {"rptCasilla15", ""}, {"rptCasilla22", "0,00"}}},
        {{{{Casilla, 25}, "-00000000123456"}}, {{"rptCasilla25", "-1.234,56"}, {"rptCasilla26", "0,00"}}},
        {{{{Resultado, 1}, " 00000123456789"}, {{Casilla, 26}, " 00000123456789"}},
         {{"rptResultado1", "1.234.567,89"}, {"rptCasilla26", "1.234.567,89"}, {"rptResultado3", ""}}},
        {{{{Resultado, 2}, " 00000000000001"}}, {{"rptResultado2", "0,01"}, {"rptResultado3", ""}}},
        {{{{Casilla, 13}, " 99999999999999"}}, {{"rptCasilla13", "999.999.999.999,99"}}},
        {{{{Tipos, 2}, "0650"}, {{Numero, -1}, "00012"}}, {{"rptTipos2", "6,5"}, {"rptNumero", "12"}}},
    };
    // clang-format on
    for (const auto& [campos, textos] : casos) {
        SCOPED_TRACE(textos.begin()->first + "=" + textos.begin()->second);
        RegistroImpresión r = RegistroCeros();
        for (const auto& [campo, valor] : campos)
            r.Poner(campo.first, campo.second, valor);
        Relleno relleno;
        ASSERT_TRUE(relleno.Rellenar(r).Correcto());
        Textos esperado =
            textos; // what the row names, then the zeros it brings, then the page of an empty sheet
        if (campos.contains({Casilla, 1}) || campos.contains({Casilla, 16}) || campos.contains({Casilla, 13}))
            esperado.insert(abajo.begin(), abajo.end());
        for (int i = 1; i <= 26; ++i)
            esperado.try_emplace("rptCasilla" + std::to_string(i), "");
        for (int i = 1; i <= 6; ++i)
            esperado.try_emplace("rptTipos" + std::to_string(i), "0");
        for (const char* n : {"rptResultado1", "rptResultado2", "rptNumero"})
            esperado.try_emplace(n, "");
        esperado.try_emplace("rptResultado3", "0,00");
        for (const auto& [n, v] : esperado)
            EXPECT_EQ(relleno.T(n), v) << n;
    }
}

TEST(RellenarInforme, LosDatosIdentificativosTalComoEstánEnElRegistro) {
    RegistroImpresión r = RegistroCeros();
    // clang-format off
    const std::pair<CampoImpresión, const char*> datos[] = {
        {Ejercicio, "2010"}, {Periodo, "4T"}, {Complementaria, "1"}, {JustifComp, "8170612345676"}, {NIF, "12345678Z"},
        {CodigoAdministracion, "701"}, {Nombre, "PE\xD1" "A"}, {Sigla, "CL"}, {CodigoPostal, "07340"}, {FPEfectivo, "S"}};
    const std::pair<const char*, std::string> textos[] = {
        {"rptEjercicio", "2010"}, {"rptPeriodo", "4T"}, {"chkComplementaria", "X"}, {"rptCodigoAdministracion", "701  "},
        {"rptNombre", "PEÑA" + std::string(71, ' ')}, {"rptSigla", "CL"}, {"rptProvincia", "Illes Balears" + std::string(17, ' ')},
        {"rptMunicipio", "Alaró" + std::string(25, ' ')}, {"rptCodigoPostal", "07340"}, {"chkFPEfectivo", "X"},
        {"chkFPCuenta", ""}, {"lblFecha", "     5 de diciembre de 2026"}};
    // clang-format on
    for (const auto& [campo, valor] : datos)
        r.Poner(campo, valor);
    DescripcionesImpresión d;
    d.NombreProvincia = "Illes Balears" + std::string(17, ' '),
    d.NombreMunicipio = W("Alaró") + std::string(25, ' ');
    Relleno relleno;
    ASSERT_TRUE(relleno.Rellenar(r, d).Correcto());
    for (const auto& [nombre, texto] : textos)
        EXPECT_EQ(relleno.T(nombre), texto) << nombre;
}

TEST(RellenarInforme, UnBorradorNoCargaImágenesNiHaceCódigoDeBarras) {
    Relleno borrador;
    ASSERT_TRUE(borrador.Rellenar(RegistroCeros()).Correcto());
    EXPECT_TRUE(borrador.informe.Elemento("imgPDF").imagen.empty() && borrador.biblioteca.números.empty());
}

// At 1440 dots per inch a pixel is a twip: a cloud that does not fit its frame is reduced by a whole factor.
TEST(RellenarInforme, UnaNubeQueNoCabeSeReducePorUnFactorEntero) {
    const ElementoPágina marco = CrearInforme().Elemento("shpPDF");
    const int hMax = static_cast<int>(marco.alto) - 12, wMax = static_cast<int>(marco.ancho) - 24;
    for (const auto& [ancho, alto, f] :
         {std::tuple{wMax - 1, hMax - 1, 1.0}, {100, hMax, 2.0}, {wMax * 5 / 2, 100, 3.0}}) {
        Relleno relleno(true);
        relleno.Nube(ancho, alto, 1440);
        ASSERT_TRUE(relleno.Rellenar(RegistroCeros(), {}, "8170612345676").Correcto());
        const ElementoPágina& nube = relleno.informe.Elemento("imgPDF");
        EXPECT_EQ(std::pair(nube.ancho, nube.alto), std::pair(ancho / f, alto / f)) << ancho;
    }
}

TEST(RellenarInforme, UnaImagenQueFaltaEsUnFalloParaQuienImprime) {
    for (const bool nube : {false, true}) {
        Relleno r(true);
        if (nube) r.Nube(100, 100, 600);
        r.biblioteca.escribirBarra = !nube; // without the cloud, or without the bar code
        EXPECT_EQ(r.Rellenar(RegistroCeros(), {}, "817").código, código_impresión::kArchivoNoEncontrado)
            << nube;
    }
}

TEST(ImagenBmp, LeeTamañoYResoluciónDeLaCabeceraYRechazaLoDemás) {
    const auto t = LeerTamañoBmp(prueba::BmpMonocromo(345, 142, 600));
    ASSERT_TRUE(t);
    EXPECT_EQ(std::tuple(t->ancho, t->alto, t->resoluciónX, t->resoluciónY), std::tuple(345, 142, 600, 600));
    for (const std::string& malo :
         {std::string(), std::string("BM"), std::string("PK") + std::string(60, '\0'),
          prueba::BmpMonocromo(345, 142, 600).substr(0, 30), prueba::BmpMonocromo(0, 142, 600)})
        EXPECT_FALSE(LeerTamañoBmp(malo));
}
