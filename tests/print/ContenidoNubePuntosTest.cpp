#include "print/ContenidoNubePuntos.h"

#include "print/HojaImpresion.h"

#include <gtest/gtest.h>

using namespace m817;
using enum CampoImpresión;
using prueba::Rellenar;

static RegistroImpresión RegistroCompleto() {
    HojaDeclaración hoja;
    prueba::RellenarHojaCompleta(hoja);
    RegistroImpresión r;
    DescripcionesImpresión d;
    MoverPantallaARegistroImpresión(hoja, {2026, 12, 5, 10, 0, 0}, r, d);
    return r;
}

TEST(ContenidoNubePuntos, LasTreintaYTresPiezasEnSuOrden) {
    const auto ceros = [](int n) { return prueba::Repetir(" 00000000000000", 15 * n); };
    // clang-format off
    const std::string esperado = "817" "3.2.2   " "2010" "4T" "8170612345676" "701  " "X" "8170612345676" "12345678Z" +
        Rellenar(W("PEÑA GARCÍA, MARÍA"), 75) + "CL" + Rellenar("MAYOR", 50) + "00012" "A " "3 " "IZDA" +
        Rellenar("971123456", 15) + "07001" "07" "07340" + Rellenar("971654321", 15) + // municipality before province
        " 00000000123456" + ceros(5) + "007000020000500009000130000650" + // rates with a zero in front
        " 00000000008642" + ceros(7) + " 00000000008642" " 00000000200000" + ceros(5) + " 00000000200000" +
        "-00000000191358" + ceros(2) + "-00000000191358" " 00000000000000" " X" "21000418450200051332" // to pay, marks
        " 00000000191358" "00000000000000000000" " 00000000000000" " " "20261205"; // refund, account, offset, date
    // clang-format on
    ASSERT_EQ(esperado.size(), kLongitudContenidoNubePuntos);
    EXPECT_EQ(ContenidoNubePuntos(RegistroCompleto(), "8170612345676", "3.2.2"), esperado);
}

// The print record's fields with the marks as S or N, each account after its result: the last 96 bytes of
// the record are the results 1 and 2, the marks, the two accounts, result 3, no activity and the date.
TEST(CadenaRegistroImpresión, ElRegistroConLasMarcasSN) {
    const std::string r = prueba::RegistroCompletoEsperado();
    const std::size_t f = r.size() - 96;
    std::string esperado = r.substr(0, f) + r.substr(f, 15) + "NS" + r.substr(f + 32, 20) +
                           r.substr(f + 15, 15) + r.substr(f + 52, 35) + "N" + r.substr(f + 88);
    esperado[14] = 'S';
    EXPECT_EQ(CadenaRegistroImpresión(RegistroCompleto()), esperado);
}

TEST(ContenidoNubePuntos, LasMarcasYLasPartesDeLaCuenta) {
    for (const auto& [valor, nube, cadena] :
         {std::tuple{"1", 'X', 'S'}, {"S", 'X', 'N'}, {"0", ' ', 'N'}, {" ", ' ', 'N'}}) {
        RegistroImpresión r;
        for (CampoImpresión m : {Complementaria, FPEfectivo, FPCuenta, SinActividad})
            r.Poner(m, valor);
        for (std::size_t p : {35u, 675u, 676u, 747u})
            EXPECT_EQ(ContenidoNubePuntos(r, "", "")[p], nube) << valor << " en " << p;
        for (std::size_t p : {14u, 648u, 649u, 720u})
            EXPECT_EQ(CadenaRegistroImpresión(r)[p], cadena) << valor << " en " << p;
    }
    RegistroImpresión r; // each part trimmed and aligned in its width
    r.Poner(CCCIng, 0, " 21");
    r.Poner(CCCIng, 3, "  123");
    EXPECT_EQ(ContenidoNubePuntos(r, "", "").substr(677, 20), "21        123       ");
    EXPECT_EQ(CadenaRegistroImpresión(r).substr(650, 20), "21        123       ");
}

TEST(ContenidoNubePuntos, PatronesYFechas) {
    for (const auto& [valor, patrón, esperado] : {std::tuple{"10.20.300", "!@@@@@@@@", "10.20.30"},
                                                  {"ab", "@@@@", "  ab"},
                                                  {"abcdef", "@@@", "def"},
                                                  {"12", "!(@)-@", "(1)-2"},
                                                  {"", "!@@", "  "}})
        EXPECT_EQ(FormatoTexto(valor, patrón), esperado) << patrón;
    for (const auto& [ddmmaaaa, esperado] : {std::pair{"29022012", "20120229"},
                                             {"29022011", "20110301"},
                                             {"32122010", "20110101"},
                                             {"0512202", ""},
                                             {"05-12-26", ""}})
        EXPECT_EQ(FechaAAAAMMDD(ddmmaaaa), esperado) << ddmmaaaa;
}
