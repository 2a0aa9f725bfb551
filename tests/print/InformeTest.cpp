#include "print/Informe.h"

#include "platform/Texto1252.h"
#include "print/ImagenBmp.h"
#include "print/NubePuntos.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <gtest/gtest.h>

#include <cmath>

#include <fstream>
#include <map>
#include <set>

namespace m817 {
namespace {

using enum CampoImpresión;
using prueba::BmpMonocromo;
using prueba::CarpetaTemporal;
using prueba::CódigosBarrasPrueba;

// The rows of boxes as the form prints them: each rate row holds its base, rate and quota side by side, the
// six rows touch one another, the first is under its column headings and the sixth above box 13; the account
// boxes are under the payment marks; the symbol's picture lies within its frame.
TEST(InformeDiseño, CadaFilaEnSuRenglónYCadaImagenEnSuMarco) {
    const Informe informe = CrearInforme();
    auto e = [&](const std::string& nombre) { return informe.Elemento(nombre); };
    auto abajo = [](const ElementoPágina& x) { return x.arriba + x.alto; };
    const ElementoPágina* cabecera = nullptr;
    for (const ElementoPágina& x : informe.página.elementos)
        if (Utf8(x.texto) == "Base Imponible") cabecera = &x;
    ASSERT_NE(cabecera, nullptr);
    EXPECT_GE(e("rptCasilla1").arriba, abajo(*cabecera));
    for (int r = 1; r <= 6; ++r) {
        SCOPED_TRACE(r);
        const ElementoPágina base = e("rptCasilla" + std::to_string(r));
        EXPECT_EQ(e("rptTipos" + std::to_string(r)).arriba, base.arriba);
        EXPECT_EQ(e("rptCasilla" + std::to_string(r + 6)).arriba, base.arriba);
        if (r < 6) {
            EXPECT_EQ(e("rptCasilla" + std::to_string(r + 1)).arriba, abajo(base));
        }
    }
    EXPECT_LE(abajo(e("rptCasilla12")), e("rptCasilla13").arriba);
    for (const char* cuenta : {"rptCCCIng0", "rptCCCDev3"})
        EXPECT_GE(e(cuenta).arriba, abajo(e("chkFPCuenta"))) << cuenta;
    EXPECT_TRUE(informe.Existe("imgPDF"));
    EXPECT_FALSE(informe.Existe("imgNoHay"));
    const ElementoPágina marco = e("shpPDF"), nube = e("imgPDF");
    EXPECT_GE(nube.izquierda, marco.izquierda);
    EXPECT_GE(nube.arriba, marco.arriba);
    EXPECT_LE(nube.izquierda + nube.ancho, marco.izquierda + marco.ancho);
    EXPECT_LE(abajo(nube), abajo(marco));
}

TEST(InformeDiseño, LaNubeDePuntosVaArribaALaDerechaConElJustificanteDebajo) {
    const Informe informe = CrearInforme();
    const ElementoPágina& marco = informe.Elemento("shpPDF");
    EXPECT_LE(marco.arriba, 1000);
    EXPECT_GE(marco.izquierda + marco.ancho, informe.página.ancho - 1000);
    EXPECT_GE(marco.izquierda, informe.página.ancho / 2);
    const ElementoPágina& número = informe.Elemento("rptNumeroJustificante");
    const ElementoPágina& barra = informe.Elemento("imgNumeroJustificante");
    EXPECT_GE(número.arriba, marco.arriba + marco.alto);
    EXPECT_GE(barra.arriba, número.arriba + número.alto);
    // The largest symbol the bar-code library draws, 89 x 39 mm, fits without reduction and inside the frame.
    const double mm = 1440 / 25.4;
    EXPECT_EQ(FactorReducción(39 * mm, 89 * mm, static_cast<int>(marco.alto - 12),
                              static_cast<int>(marco.ancho - 24)),
              1);
    const ElementoPágina& nube = informe.Elemento("imgPDF");
    EXPECT_GT(nube.arriba, marco.arriba);
    EXPECT_LT(nube.arriba + 39 * mm, marco.arriba + marco.alto);
}

// A record of zeros: amounts " 000...", rates "0000", no marks, today's date.
RegistroImpresion RegistroCeros() {
    RegistroImpresion r;
    for (int i = 1; i <= 26; ++i)
        r.Poner(Casilla, i, " 00000000000000");
    for (int i = 1; i <= 3; ++i)
        r.Poner(Resultado, i, " 00000000000000");
    for (int i = 1; i <= 6; ++i)
        r.Poner(Tipos, i, "0000");
    for (CampoImpresión m : {Complementaria, FPEfectivo, FPCuenta, SinActividad})
        r.Poner(m, "0");
    r.Poner(Numero, "00000");
    r.Poner(FechaImpresion, "05122026");
    return r;
}

std::string Importe(long long céntimos) {
    std::string d = std::to_string(std::llabs(céntimos));
    return (céntimos < 0 ? "-" : " ") + std::string(14 - d.size(), '0') + d;
}

struct Relleno {
    Informe informe = CrearInforme();
    CarpetaTemporal carpeta;
    CódigosBarrasPrueba biblioteca;

    Relleno() { informe.Mostrar("imgPDF", false); }
    ResultadoImpresión Rellenar(const RegistroImpresion& r, const DescripcionesImpresion& d = {},
                                const std::string& número = "") {
        return RellenarInforme(informe, r, d, número, carpeta, biblioteca);
    }
    std::string T(std::string_view nombre) const { return Utf8(informe.Texto(nombre)); }
};

// Amounts are blank where zero unless the form asks for a zero: the boxes the result is worked out from, and
// box 26 and the compensation result when no other result is given.
TEST(RellenarInforme, LosCerosSeMuestranSóloDondeElImpresoLoPide) {
    using Campos = std::map<std::pair<CampoImpresión, int>, std::string>;
    using Textos = std::map<std::string, std::string>; // captions; every other amount blank
    const Textos cerosAbajo = {{"rptCasilla15", "0,00"}, {"rptCasilla23", "0,00"}, {"rptCasilla26", "0,00"}};
    const std::pair<Campos, Textos> casos[] = {
        {{}, {{"rptResultado3", "0,00"}, {"rptTipos1", "0"}, {"rptTipos6", "0"}, {"chkSinActividad", ""}}},
        {{{{SinActividad, -1}, "1"}}, {{"chkSinActividad", "X"}, {"rptResultado3", ""}}},
        {{{{SinActividad, -1}, "S"}}, {{"chkSinActividad", "X"}, {"rptResultado3", ""}}},
        {{{{Casilla, 1}, Importe(100000)}, {{Tipos, 1}, "0700"}},
         {{"rptCasilla1", "1.000,00"}, {"rptTipos1", "7"}, {"rptCasilla7", "0,00"}}},
        {{{{Tipos, 3}, "1300"}}, {{"rptTipos3", "13"}, {"rptCasilla9", ""}}},
        {{{{Casilla, 16}, Importe(50)}},
         {{"rptCasilla16", "0,50"}, {"rptCasilla15", ""}, {"rptCasilla22", "0,00"}}},
        {{{{Casilla, 25}, Importe(-123456)}},
         {{"rptCasilla25", "-1.234,56"}, {"rptCasilla26", "0,00"}, {"rptResultado3", "0,00"}}},
        {{{{Resultado, 1}, Importe(123456789)}, {{Casilla, 26}, Importe(123456789)}},
         {{"rptResultado1", "1.234.567,89"}, {"rptCasilla26", "1.234.567,89"}, {"rptResultado3", ""}}},
        {{{{Resultado, 2}, Importe(1)}}, {{"rptResultado2", "0,01"}, {"rptResultado3", ""}}},
        {{{{Casilla, 13}, " 99999999999999"}}, {{"rptCasilla13", "999.999.999.999,99"}}},
        {{{{Tipos, 2}, "0650"}, {{Numero, -1}, "00012"}}, {{"rptTipos2", "6,5"}, {"rptNumero", "12"}}},
    };
    for (const auto& [campos, textos] : casos) {
        SCOPED_TRACE(textos.begin()->first + "=" + textos.begin()->second);
        RegistroImpresion r = RegistroCeros();
        for (const auto& [campo, valor] : campos)
            r.Poner(campo.first, campo.second, valor);
        Relleno relleno;
        ASSERT_TRUE(relleno.Rellenar(r).Correcto());
        Textos esperado = {
            {"rptResultado1", ""}, {"rptResultado2", ""}, {"rptResultado3", "0,00"}, {"rptNumero", ""}};
        for (int i = 1; i <= 26; ++i)
            esperado["rptCasilla" + std::to_string(i)] = "";
        for (int i = 1; i <= 6; ++i)
            esperado["rptTipos" + std::to_string(i)] = "0";
        // With a base, a deduction or the largest amount, the result's boxes show their zeros.
        if (campos.contains({Casilla, 1}) || campos.contains({Casilla, 16}) || campos.contains({Casilla, 13}))
            for (const auto& [n, v] : cerosAbajo)
                esperado[n] = v;
        for (const auto& [n, v] : textos)
            esperado[n] = v;
        for (const auto& [n, v] : esperado)
            EXPECT_EQ(relleno.T(n), v) << n;
    }
}

TEST(RellenarInforme, LosDatosIdentificativosTalComoEstánEnElRegistro) {
    RegistroImpresion r = RegistroCeros();
    r.Poner(Ejercicio, "2010");
    r.Poner(Periodo, "4T");
    r.Poner(Complementaria, "1");
    r.Poner(JustifComp, "8170612345676");
    r.Poner(CodigoAdministracion, "701");
    r.Poner(NIF, "12345678Z");
    r.Poner(Nombre, W("PEÑA"));
    r.Poner(Sigla, "CL");
    r.Poner(CodigoPostal, "07340");
    r.Poner(FPEfectivo, "S");
    DescripcionesImpresion d;
    d.NombreProvincia = std::string("Illes Balears") + std::string(17, ' ');
    d.NombreMunicipio = W("Alaró") + std::string(25, ' ');
    Relleno relleno;
    ASSERT_TRUE(relleno.Rellenar(r, d).Correcto());
    const std::pair<const char*, std::string> textos[] = {
        {"rptEjercicio", "2010"},
        {"rptPeriodo", "4T"},
        {"chkComplementaria", "X"},
        {"rptCodigoAdministracion", "701  "},
        {"rptNombre", "PEÑA" + std::string(71, ' ')},
        {"rptSigla", "CL"},
        {"rptProvincia", "Illes Balears" + std::string(17, ' ')},
        {"rptMunicipio", "Alaró" + std::string(25, ' ')},
        {"rptCodigoPostal", "07340"},
        {"chkFPEfectivo", "X"},
        {"chkFPCuenta", ""},
        {"lblFecha", "     5 de diciembre de 2026"},
    };
    for (const auto& [nombre, texto] : textos)
        EXPECT_EQ(relleno.T(nombre), texto) << nombre;
    for (const auto& [fecha, texto] : {std::pair{"01012010", "     1 de enero de 2010"},
                                       {"31082011", "     31 de agosto de 2011"},
                                       {"        ", ""}}) {
        r.Poner(FechaImpresion, fecha);
        ASSERT_TRUE(relleno.Rellenar(r, d).Correcto());
        EXPECT_EQ(relleno.T("lblFecha"), texto);
    }
}

TEST(RellenarInforme, UnaCuentaDeCerosSeDejaComoEstáEnElDiseño) {
    struct Caso {
        const char* nombre;
        std::array<const char*, 4> partes;
        bool impresa;
    };
    for (const Caso& c : {Caso{"ceros", {"0000", "0000", "00", "0000000000"}, false},
                          Caso{"un uno al final", {"0000", "0000", "00", "0000000001"}, true},
                          Caso{"entidad", {"2100", "0000", "00", "0000000000"}, true},
                          Caso{"en blanco", {"    ", "    ", "  ", "          "}, true}}) {
        SCOPED_TRACE(c.nombre);
        for (CampoImpresión cuenta : {CCCIng, CCCDev}) {
            RegistroImpresion r = RegistroCeros();
            for (int p = 0; p < 4; ++p)
                r.Poner(cuenta, p, c.partes[p]);
            Relleno relleno;
            const std::string prefijo = cuenta == CCCIng ? "rptCCCIng" : "rptCCCDev";
            for (int p = 0; p < 4; ++p)
                relleno.informe.PonerTexto(prefijo + std::to_string(p), "sin rellenar");
            ASSERT_TRUE(relleno.Rellenar(r).Correcto());
            for (int p = 0; p < 4; ++p)
                EXPECT_EQ(relleno.T(prefijo + std::to_string(p)), c.impresa ? c.partes[p] : "sin rellenar");
        }
    }
}

TEST(RellenarInforme, UnBorradorNoCargaImágenesNiHaceCódigoDeBarras) {
    Relleno relleno;
    relleno.informe.PonerTexto("rptNumeroJustificante", "sin rellenar");
    const double izquierda = relleno.informe.Elemento("imgPDF").izquierda;
    ASSERT_TRUE(relleno.Rellenar(RegistroCeros()).Correcto());
    EXPECT_EQ(relleno.T("rptNumeroJustificante"), "sin rellenar");
    EXPECT_TRUE(relleno.informe.Elemento("imgPDF").imagen.empty());
    EXPECT_EQ(relleno.informe.Elemento("imgPDF").izquierda, izquierda);
    EXPECT_TRUE(relleno.informe.Elemento("imgNumeroJustificante").imagen.empty());
    EXPECT_TRUE(relleno.biblioteca.números.empty());
}

void EscribirNube(const CarpetaTemporal& carpeta, int ancho, int alto, int resolución) {
    std::ofstream(RutaNubePuntos(carpeta), std::ios::binary) << BmpMonocromo(ancho, alto, resolución);
}

TEST(RellenarInforme, ElOficialCentraLaNubeEnSuMarcoYElCódigoBajoElNúmero) {
    Relleno relleno;
    relleno.informe.Mostrar("imgPDF", true);
    EscribirNube(relleno.carpeta, 2040, 720, 600);
    ASSERT_TRUE(relleno.Rellenar(RegistroCeros(), {}, "8170612345676").Correcto());

    const ElementoPágina& marco = relleno.informe.Elemento("shpPDF");
    const ElementoPágina& nube = relleno.informe.Elemento("imgPDF");
    EXPECT_DOUBLE_EQ(nube.ancho, 2040 * 2.4); // pixels / 600 dpi, in twips: f = 1
    EXPECT_DOUBLE_EQ(nube.alto, 720 * 2.4);
    // Centred to the nearest 1/60 inch, a whole number of dots at 300, 360, 600 and 1200 dpi.
    EXPECT_NEAR(nube.izquierda - marco.izquierda, marco.izquierda + marco.ancho - nube.izquierda - nube.ancho,
                24.0);
    EXPECT_EQ(std::fmod(nube.izquierda, 24.0), 0.0);
    EXPECT_EQ(std::fmod(nube.arriba, 24.0), 0.0);
    EXPECT_EQ(nube.arriba, CrearInforme().Elemento("imgPDF").arriba);
    EXPECT_EQ(nube.imagen, prueba::LeerArchivo(RutaNubePuntos(relleno.carpeta)));

    EXPECT_EQ(relleno.T("rptNumeroJustificante"), "  8 1 7 0 6 1 2 3 4 5 6 7   6    ");
    EXPECT_EQ(relleno.biblioteca.números, std::vector<std::string>{"8170612345676"});
    const ElementoPágina& número = relleno.informe.Elemento("rptNumeroJustificante");
    const ElementoPágina& barra = relleno.informe.Elemento("imgNumeroJustificante");
    EXPECT_DOUBLE_EQ(barra.ancho, 1056 * 2.4);
    EXPECT_NEAR(barra.izquierda - número.izquierda,
                número.izquierda + número.ancho - barra.izquierda - barra.ancho, 24.0);
    EXPECT_EQ(std::fmod(barra.izquierda, 24.0), 0.0);
    EXPECT_EQ(std::fmod(barra.arriba, 24.0), 0.0);
    EXPECT_FALSE(barra.imagen.empty());
}

TEST(RellenarInforme, UnaNubeQueNoCabeSeReducePorUnFactorEntero) {
    // At 1440 dots per inch a pixel is a twip, so the sizes below are the frame's limits exactly.
    const Informe diseño = CrearInforme();
    const int hMax = static_cast<int>(diseño.Elemento("shpPDF").alto) - 12;
    const int wMax = static_cast<int>(diseño.Elemento("shpPDF").ancho) - 24;
    struct Caso {
        const char* nombre;
        int ancho, alto, factor;
    };
    for (const Caso& c : {Caso{"cabe", wMax - 1, hMax - 1, 1}, Caso{"tan alta como el límite", 100, hMax, 2},
                          Caso{"tan ancha como el límite", wMax, 100, 2},
                          Caso{"dos veces y media más ancha", wMax * 5 / 2, 100, 3}}) {
        SCOPED_TRACE(c.nombre);
        Relleno relleno;
        relleno.informe.Mostrar("imgPDF", true);
        EscribirNube(relleno.carpeta, c.ancho, c.alto, 1440);
        ASSERT_TRUE(relleno.Rellenar(RegistroCeros(), {}, "8170612345676").Correcto());
        EXPECT_DOUBLE_EQ(relleno.informe.Elemento("imgPDF").alto, static_cast<double>(c.alto) / c.factor);
        EXPECT_DOUBLE_EQ(relleno.informe.Elemento("imgPDF").ancho, static_cast<double>(c.ancho) / c.factor);
    }
}

TEST(RellenarInforme, UnaImagenQueFaltaEsUnFalloParaQuienImprime) {
    struct Caso {
        const char* nombre;
        bool nube, barra;
    };
    for (const Caso c : {Caso{"sin nube", false, true}, Caso{"sin código de barras", true, false}}) {
        SCOPED_TRACE(c.nombre);
        Relleno relleno;
        relleno.informe.Mostrar("imgPDF", true);
        if (c.nube) EscribirNube(relleno.carpeta, 100, 100, 600);
        relleno.biblioteca.escribirBarra = c.barra;
        const ResultadoImpresión r = relleno.Rellenar(RegistroCeros(), {}, "8170612345676");
        EXPECT_EQ(r.código, código_impresión::kArchivoNoEncontrado);
    }
}

TEST(ImagenBmp, LeeTamañoYResoluciónDeLaCabecera) {
    const auto t = LeerTamañoBmp(BmpMonocromo(345, 142, 600));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->ancho, 345);
    EXPECT_EQ(t->alto, 142);
    EXPECT_EQ(t->resoluciónX, 600);
    EXPECT_EQ(t->resoluciónY, 600);
    for (const std::string& malo :
         {std::string(), std::string("BM"), std::string("PK") + std::string(60, '\0'),
          BmpMonocromo(345, 142, 600).substr(0, 30)})
        EXPECT_FALSE(LeerTamañoBmp(malo));
    // The oldest header is 12 bytes: a file of 26 bytes holds all it needs. No side may be 0.
    auto núcleo = [](int ancho, int alto) {
        std::string b = "BM" + std::string(12, '\0') + std::string("\x0C\0\0\0", 4);
        for (int v : {ancho, alto, 1, 1})
            b += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
        return b;
    };
    ASSERT_EQ(núcleo(345, 142).size(), 26u);
    ASSERT_TRUE(LeerTamañoBmp(núcleo(345, 142)));
    EXPECT_EQ(LeerTamañoBmp(núcleo(345, 142))->alto, 142);
    EXPECT_FALSE(LeerTamañoBmp(núcleo(0, 142)));
    EXPECT_FALSE(LeerTamañoBmp(núcleo(345, 0)));
    EXPECT_DOUBLE_EQ(TwipsDePíxeles(600, 600), 1440);
    EXPECT_DOUBLE_EQ(TwipsDePíxeles(96, 0), 1440);
}

} // namespace
} // namespace m817
