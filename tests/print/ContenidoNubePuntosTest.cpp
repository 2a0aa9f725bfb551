#include "print/ContenidoNubePuntos.h"

#include "print/HojaImpresion.h"

#include <gtest/gtest.h>

namespace m817 {
namespace {

using enum CampoImpresión;
using prueba::Rellenar;

RegistroImpresion RegistroCompleto() {
    HojaDeclaración hoja;
    prueba::RellenarHojaCompleta(hoja);
    RegistroImpresion r;
    DescripcionesImpresion d;
    MoverPantallaARegistroImpresion(hoja, {2026, 12, 5, 10, 0, 0}, r, d);
    return r;
}

struct Pieza {
    const char* nombre;
    std::string esperado;
};

// Walks the text piece by piece, so that a wrong width shows which piece it is.
void ComprobarPiezas(const std::string& texto, const std::vector<Pieza>& piezas, std::size_t total) {
    std::size_t desde = 0;
    for (const Pieza& p : piezas) {
        SCOPED_TRACE(p.nombre);
        ASSERT_LE(desde + p.esperado.size(), texto.size());
        EXPECT_EQ(texto.substr(desde, p.esperado.size()), p.esperado);
        desde += p.esperado.size();
    }
    EXPECT_EQ(desde, total);
    EXPECT_EQ(texto.size(), total);
}

std::string Repetir(const std::string& s, int veces) {
    std::string r;
    for (int i = 0; i < veces; ++i)
        r += s;
    return r;
}

TEST(ContenidoNubePuntos, LasTreintaYTresPiezasEnSuOrden) {
    const std::string c = ContenidoNubePuntos(RegistroCompleto(), "8170612345676", "3.2.2");
    const std::string casillas7a26 = " 00000000008642" + Repetir(" 00000000000000", 7) + " 00000000008642" +
                                     " 00000000200000" + Repetir(" 00000000000000", 5) + " 00000000200000" +
                                     "-00000000191358" + Repetir(" 00000000000000", 2) + "-00000000191358";
    // clang-format off
    ComprobarPiezas(c, {
        {"modelo", "817"}, {"versión", "3.2.2   "}, {"ejercicio", "2010"}, {"periodo", "4T"},
        {"justificante", "8170612345676"}, {"administración", "701  "}, {"complementaria", "X"},
        {"justificante anterior", "8170612345676"}, {"NIF", "12345678Z"},
        {"nombre", Rellenar(W("PEÑA GARCÍA, MARÍA"), 75)}, {"sigla", "CL"}, {"vía", Rellenar("MAYOR", 50)},
        {"número", "00012"}, {"escalera", "A "}, {"piso", "3 "}, {"puerta", "IZDA"},
        {"teléfono", Rellenar("971123456", 15)}, {"municipio antes que provincia", "07001"},
        {"provincia", "07"}, {"código postal", "07340"}, {"fax", Rellenar("971654321", 15)},
        {"casillas 1 a 6", " 00000000123456" + Repetir(" 00000000000000", 5)},
        {"tipos con un cero delante", "007000020000500009000130000650"}, {"casillas 7 a 26", casillas7a26},
        {"a ingresar", " 00000000000000"}, {"en efectivo", " "}, {"adeudo en cuenta", "X"},
        {"cuenta de ingreso", "21000418450200051332"}, {"a devolver", " 00000000191358"},
        {"cuenta de devolución", "00000000000000000000"}, {"a compensar", " 00000000000000"},
        {"sin actividad", " "}, {"fecha", "20261205"},
    }, kLongitudContenidoNubePuntos);
    // clang-format on
}

// The print record's fields with the marks as S or N, each account after its result: the last 96 bytes of
// the record are the results 1 and 2, the marks, the two accounts, result 3, no activity and the date.
TEST(CadenaRegistroImpresion, ElRegistroConLasMarcasSN) {
    const std::string r = prueba::RegistroCompletoEsperado();
    const std::size_t f = r.size() - 96;
    std::string esperado = r.substr(0, f) + r.substr(f, 15) + "NS" + r.substr(f + 32, 20) +
                           r.substr(f + 15, 15) + r.substr(f + 52, 35) + "N" + r.substr(f + 88);
    esperado[14] = 'S';
    EXPECT_EQ(CadenaRegistroImpresion(RegistroCompleto()), esperado);
}

TEST(ContenidoNubePuntos, LasMarcasDeLasCasillasDeVerificación) {
    struct Caso {
        const char* valor;
        char nube, cadena;
    };
    for (const Caso c :
         {Caso{"1", 'X', 'S'}, Caso{"S", 'X', 'N'}, Caso{"0", ' ', 'N'}, Caso{" ", ' ', 'N'}}) {
        SCOPED_TRACE(c.valor);
        RegistroImpresion r;
        for (CampoImpresión m : {Complementaria, FPEfectivo, FPCuenta, SinActividad})
            r.Poner(m, c.valor);
        const std::string nube = ContenidoNubePuntos(r, "", "");
        const std::string cadena = CadenaRegistroImpresion(r);
        for (std::size_t p : {35u, 675u, 676u, 747u})
            EXPECT_EQ(nube[p], c.nube) << "contenido, posición " << p;
        for (std::size_t p : {14u, 648u, 649u, 720u})
            EXPECT_EQ(cadena[p], c.cadena) << "cadena, posición " << p;
    }
}

TEST(ContenidoNubePuntos, LasPartesDeLaCuentaSeRecortanYAlineanEnSuAncho) {
    RegistroImpresion r;
    r.Poner(CCCIng, 0, " 21");
    r.Poner(CCCIng, 3, "  123");
    const std::string nube = ContenidoNubePuntos(r, "", "");
    EXPECT_EQ(nube.substr(677, 20), "21        123       ");
    EXPECT_EQ(CadenaRegistroImpresion(r).substr(650, 20), "21        123       ");
}

TEST(FormatoTexto, RellenaLasPlazasDesdeElLadoQueDiceElPatrón) {
    struct Caso {
        const char* valor;
        const char* patrón;
        const char* esperado;
    };
    for (const Caso& c : {Caso{"3.2.2", "!@@@@@@@@", "3.2.2   "}, Caso{"10.20.300", "!@@@@@@@@", "10.20.30"},
                          Caso{"ab", "@@@@", "  ab"}, Caso{"abcdef", "@@@", "def"},
                          Caso{"12", "!(@)-@", "(1)-2"}, Caso{"", "!@@", "  "}}) {
        SCOPED_TRACE(c.patrón);
        EXPECT_EQ(FormatoTexto(c.valor, c.patrón), c.esperado);
    }
}

TEST(FechaAAAAMMDD, LeeLaFechaComoUnCalendario) {
    struct Caso {
        const char* ddmmaaaa;
        const char* esperado;
    };
    for (const Caso& c :
         {Caso{"05122026", "20261205"}, Caso{"29022012", "20120229"}, Caso{"29022011", "20110301"},
          Caso{"32122010", "20110101"}, Caso{"0512202", ""}, Caso{"05-12-26", ""}}) {
        SCOPED_TRACE(c.ddmmaaaa);
        EXPECT_EQ(FechaAAAAMMDD(c.ddmmaaaa), c.esperado);
    }
}

} // namespace
} // namespace m817
