#include "store/ArchivoDeclaraciones.h"

#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace m817;
using namespace m817::prueba;

namespace {

RegistroDeclaración Declaración(std::string nif, std::string ejercicio = "2010", std::string periodo = "1T",
                                std::string complementaria = "0", bool viva = true) {
    return RegistroGuardado({nif, "", ejercicio, periodo, complementaria, "", "", viva});
}

class ArchivoDeclaracionesTest : public ::testing::Test {
  protected:
    std::filesystem::path Ruta() const { return RutaDeclaraciones(carpeta.Datos()); }
    std::string Contenido() const { return LeerArchivo(Ruta()); }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    ArchivosFallidos fallidos{posix};
};

TEST_F(ArchivoDeclaracionesTest, GuardarLeerYReescribirDevuelvenLosMismosBytes) {
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura()); // a missing file is created
    const auto a = Declaración("11111111H"), b = Declaración("22222222J");
    EXPECT_EQ(archivo.Añadir(a), 1);
    EXPECT_EQ(archivo.Añadir(RegistroBorrado()), 2);
    EXPECT_TRUE(archivo.Escribir(2, b)); // a deleted slot lives again
    RegistroDeclaración leído;
    EXPECT_TRUE(archivo.Leer(2, leído) && leído == b);
    // Reads stay within the records, writes up to one past the last: no hole of unwritten records.
    EXPECT_FALSE(archivo.Leer(0, leído) || archivo.Leer(3, leído) || archivo.Escribir(0, a) ||
                 archivo.Escribir(4, a));
    EXPECT_EQ(Contenido(), ArchivoDe({a, b}));
}

TEST_F(ArchivoDeclaracionesTest, SinCarpetaDatosOSinPermisoNoSeCreaNada) {
    ArchivoDeclaraciones sinCarpeta(posix, carpeta.Programa() / "NoExiste" / kNombreArchivoDeclaraciones);
    EXPECT_FALSE(sinCarpeta.AbrirLecturaEscritura());
    fallidos.soloLectura = true;
    ArchivoDeclaraciones soloLectura(fallidos, Ruta());
    EXPECT_FALSE(soloLectura.AbrirLecturaEscritura());
    EXPECT_FALSE(std::filesystem::exists(Ruta()));
}

// A write that fails leaves the file as it was, and goes through on a sound disk. Each case: the bytes of a
// cut record after three whole ones, the record written (0 appends), and the bytes the disk takes before it
// is full, or kSoloLectura, or kSinSincronizar.
constexpr int kSoloLectura = -1, kSinSincronizar = -2;
TEST_F(ArchivoDeclaracionesTest, UnaEscrituraFallidaDejaElArchivoIntacto) {
    const auto nuevo = Declaración("99999999R", "2010", "4T");
    const std::tuple<std::size_t, std::int32_t, int> fallos[] = {
        {0, 0, kSoloLectura},   {0, 0, 300}, {0, 0, 749}, {400, 0, 100},
        {200, 0, 500},          {0, 2, 300}, {100, 3, 1}, {0, 0, kSinSincronizar},
        {0, 1, kSinSincronizar}};
    for (const auto& [cola, slot, lleno] : fallos) {
        SCOPED_TRACE(std::to_string(cola) + " " + std::to_string(slot) + " " + std::to_string(lleno));
        const std::string inicial =
            ArchivoDe({Declaración("11111111H"), Declaración("22222222J"), Declaración("33333333P")}) +
            std::string(cola, 'x');
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        ArchivosFallidos servicio(posix);
        servicio.soloLectura = lleno == kSoloLectura;
        servicio.sincronizacionFalla = lleno == kSinSincronizar;
        if (lleno >= 0) servicio.LlenarDiscoEnEscritura(1, static_cast<std::size_t>(lleno));
        ArchivoDeclaraciones archivo(servicio, Ruta());
        const bool guardado = archivo.AbrirLecturaEscritura() &&
                              (slot == 0 ? archivo.Añadir(nuevo).has_value() : archivo.Escribir(slot, nuevo));
        archivo.Cerrar();
        EXPECT_FALSE(guardado);
        EXPECT_EQ(Diferencia(Contenido(), inicial), "");

        ArchivoDeclaraciones sano(posix, Ruta());
        ASSERT_TRUE(sano.AbrirLecturaEscritura());
        EXPECT_TRUE(slot == 0 ? sano.Añadir(nuevo) == 4 : sano.Escribir(slot, nuevo));
    }
}

// A short read is no record, and a rewrite, which first reads what it replaces, writes nothing; a write
// measures the file under its lock before it writes: no size, no write.
TEST_F(ArchivoDeclaracionesTest, UnaLecturaCortaOSinTamañoNoLeeNiEscribe) {
    const std::string inicial = ArchivoDe({Declaración("11111111H"), Declaración("22222222J")});
    for (bool corta : {true, false}) {
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        ArchivosFallidos servicio(posix);
        ArchivoDeclaraciones archivo(servicio, Ruta());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        RegistroDeclaración leído;
        servicio.lecturasCortas = corta;
        if (!corta) servicio.FallarTamañoDesde(1);
        EXPECT_FALSE(corta ? archivo.Leer(1, leído) : archivo.Escribir(3, Declaración("99999999R")));
        EXPECT_FALSE(archivo.Escribir(2, Declaración("99999999R"))) << corta;
        archivo.Cerrar();
        EXPECT_EQ(Diferencia(Contenido(), inicial), "") << corta;
    }
}

TEST_F(ArchivoDeclaracionesTest, NoCabenMasDe32767Registros) {
    const std::string uno(Declaración("22222222J").Bytes());
    std::string lleno;
    while (lleno.size() < 32766 * uno.size())
        lleno += uno;
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, lleno);
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    EXPECT_EQ(archivo.Añadir(Declaración("11111111H")), 32767);
    EXPECT_FALSE(archivo.Añadir(Declaración("11111111H")));
    EXPECT_EQ(std::filesystem::file_size(Ruta()), 32767u * 750);
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, lleno + uno + uno);
    EXPECT_FALSE(archivo.AbrirLectura());
    EXPECT_NE(Utf8(archivo.Problema()).find("tiene 32768 registros"), std::string::npos);
}

// Only live returns of the same kind, compared exactly once trimmed; a blank complementary flag is "0".
TEST_F(ArchivoDeclaracionesTest, LaBusquedaDeDuplicadosSoloVeDeclaracionesVivasDelMismoTipo) {
    // clang-format off
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones,
        ArchivoDe({Declaración("A"), Declaración("B", "2010", "2T", "0", false), Declaración("A", "2010", "1T", "1"),
                   Declaración("C", "2009", "4T", ""), Declaración("A")}) + "cortado");
    const std::pair<ClaveDuplicado, std::int32_t> casos[] = {
        {{"A", "2010", "1T", "0"}, 1}, {{"A", "2010", "1T", "1"}, 3}, {{"B", "2010", "2T", "0"}, 0},
        {{" A ", "2010 ", " 1T", "0"}, 1}, {{"a", "2010", "1T", "0"}, 0}, {{"A", "2010", "2T", "0"}, 0},
        {{"A", "2009", "1T", "0"}, 0}, {{"C", "2009", "4T", "1"}, 0}, {{"C", "2009", "4T", "0"}, 4}};
    // clang-format on
    ArchivoDeclaraciones archivo(fallidos, Ruta());
    ASSERT_TRUE(archivo.AbrirLectura());
    for (const auto& [clave, duplicado] : casos) {
        const auto r = BuscarDuplicados(archivo, clave);
        EXPECT_EQ(r.value().primerDuplicado, duplicado) << clave.nif << "/" << clave.periodo;
        EXPECT_EQ(r->SiguienteRegistro(), 6); // deleted ones counted, the cut one not
    }
    fallidos.lecturasFallan = true;
    EXPECT_FALSE(BuscarDuplicados(archivo, {"11111111H", "2010", "1T", "0"}));
}

} // namespace
