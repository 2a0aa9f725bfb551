#include "store/ArchivoDeclaraciones.h"

#include "platform/ArchivosPosix.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace m817;
using namespace m817::prueba;

namespace {

using C = const char*;
const auto Declaración = [](C nif, C e = "2010", C p = "1T", C c = "0") {
    return RegistroGuardado({.nif = nif, .ejercicio = e, .periodo = p, .complementaria = c});
};

class ArchivoDeclaracionesTest : public ::testing::Test {
  protected:
    std::filesystem::path Ruta() const { return RutaDeclaraciones(carpeta.Datos()); }
    std::string Contenido() const { return LeerArchivo(Ruta()); }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    ArchivosFallidos fallidos{posix};
};

TEST_F(ArchivoDeclaracionesTest, SoloSeCreaEnUnaCarpetaQueLoAdmiteYNoQuedanHuecosNiBorradosMuertos) {
    fallidos.soloLectura = true;
    EXPECT_FALSE(ArchivoDeclaraciones(fallidos, Ruta()).AbrirLecturaEscritura());
    EXPECT_FALSE(ArchivoDeclaraciones(posix, carpeta.Programa() / "No" / "D.txt").AbrirLecturaEscritura());
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    const auto a = Declaración("A"), b = Declaración("B");
    EXPECT_TRUE(archivo.Añadir(a) == 1 && archivo.Añadir(RegistroBorrado()) == 2 && archivo.Escribir(2, b));
    RegistroDeclaración l;
    EXPECT_TRUE(archivo.Leer(2, l) && l == b);
    EXPECT_FALSE(archivo.Leer(0, l) || archivo.Leer(3, l) || archivo.Escribir(0, a) ||
                 archivo.Escribir(4, a));
    EXPECT_EQ(Contenido(), ArchivoDe({a, b}));
}

// Cut bytes after three records, record written (0 appends), bytes the disk takes, -1 read-only, -2 no sync.
TEST_F(ArchivoDeclaracionesTest, UnaEscrituraFallidaDejaElArchivoIntacto) {
    const auto nuevo = Declaración("Z", "2010", "4T");
    const std::tuple<std::size_t, std::int32_t, int> fallos[] = {{0, 0, -1},    {0, 0, 300},   {0, 0, 749},
                                                                 {400, 0, 100}, {200, 0, 500}, {0, 2, 300},
                                                                 {100, 3, 1},   {0, 0, -2},    {0, 1, -2}};
    for (const auto& [cola, slot, lleno] : fallos) {
        SCOPED_TRACE(std::to_string(cola) + " " + std::to_string(slot) + " " + std::to_string(lleno));
        const std::string inicial =
            ArchivoDe({Declaración("A"), Declaración("B"), Declaración("C")}) + std::string(cola, 'x');
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        ArchivosFallidos servicio(posix);
        servicio.soloLectura = lleno == -1;
        servicio.sincronizacionFalla = lleno == -2;
        if (lleno >= 0) servicio.LlenarDiscoEnEscritura(1, static_cast<std::size_t>(lleno));
        ArchivoDeclaraciones archivo(servicio, Ruta());
        const bool guardado = archivo.AbrirLecturaEscritura() &&
                              (slot == 0 ? archivo.Añadir(nuevo).has_value() : archivo.Escribir(slot, nuevo));
        archivo.Cerrar();
        EXPECT_FALSE(guardado);
        EXPECT_EQ(Diferencia(Contenido(), inicial), "");
    }
}

// A short read is no record and a rewrite, which reads first, writes nothing; no size, no write.
TEST_F(ArchivoDeclaracionesTest, UnaLecturaCortaOSinTamañoNoLeeNiEscribe) {
    const std::string inicial = ArchivoDe({Declaración("A"), Declaración("B")});
    for (bool corta : {true, false}) {
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        ArchivosFallidos servicio(posix);
        ArchivoDeclaraciones archivo(servicio, Ruta());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        RegistroDeclaración leído;
        corta ? void(servicio.lecturasCortas = true) : servicio.FallarTamañoDesde(1);
        EXPECT_FALSE(corta ? archivo.Leer(1, leído)
                           : archivo.Escribir(3, Declaración("Z")) ||
                                 archivo.Recorrer([](auto, auto) { return true; }));
        EXPECT_FALSE(archivo.Escribir(2, Declaración("Z"))) << corta;
        EXPECT_EQ(Diferencia(Contenido(), inicial), "") << corta;
    }
}

TEST_F(ArchivoDeclaracionesTest, NoCabenMasDe32767Registros) {
    const std::string uno(Declaración("B").Bytes());
    std::string lleno;
    for (int i = 0; i < 32766; ++i)
        lleno += uno;
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, lleno);
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    EXPECT_EQ(archivo.Añadir(Declaración("A")), 32767);
    EXPECT_FALSE(archivo.Añadir(Declaración("A")));
    EXPECT_EQ(std::filesystem::file_size(Ruta()), 32767u * 750);
}

TEST_F(ArchivoDeclaracionesTest, LaBusquedaDeDuplicadosSoloVeDeclaracionesVivasDelMismoTipo) {
    // clang-format off
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones,
        ArchivoDe({Declaración("A"), [] { auto r = Declaración("B", "2010", "2T"); return r.MarcarBorrado(), r; }(),
                   Declaración("A", "2010", "1T", "1"), Declaración("C", "2009", "4T", ""), Declaración("A")}) +
        "cortado");
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
