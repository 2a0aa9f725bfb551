#include "store/ArchivoDeclaraciones.h"

#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <functional>

using namespace m817;
using namespace m817::prueba;
using enum CampoRegistro;

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
    EXPECT_EQ(archivo.NúmeroRegistros(), 0);
    const auto a = Declaración("11111111H"), b = Declaración("22222222J");
    EXPECT_EQ(archivo.Añadir(a), 1);
    EXPECT_EQ(Contenido(), ArchivoDe({a})); // the first save gives a file of exactly 750 bytes
    EXPECT_EQ(archivo.Añadir(b), 2);

    auto a2 = a;
    a2.Poner(Nombre, W("PEÑA"));
    EXPECT_TRUE(archivo.Escribir(1, a2)); // a saved return writes its own slot
    EXPECT_EQ(Contenido(), ArchivoDe({a2, b}));

    RegistroDeclaración leído;
    EXPECT_TRUE(archivo.Leer(2, leído));
    EXPECT_EQ(leído, b);
    for (int n : {0, 3, -1})
        EXPECT_FALSE(archivo.Leer(n, leído)) << n;
    // Only the slots up to one past the last can be written: no hole of unwritten records.
    for (int n : {0, 4, -5})
        EXPECT_FALSE(archivo.Escribir(n, a)) << n;
    EXPECT_EQ(Contenido(), ArchivoDe({a2, b}));

    // Writing a bound return over its deleted slot makes it live again.
    EXPECT_TRUE(archivo.Escribir(1, RegistroBorrado()));
    EXPECT_TRUE(archivo.Leer(1, leído));
    EXPECT_FALSE(leído.Vivo());
    EXPECT_TRUE(archivo.Escribir(1, a2));
    archivo.Cerrar();

    ArchivoDeclaraciones deNuevo(posix, Ruta());
    ASSERT_TRUE(deNuevo.AbrirLectura());
    EXPECT_TRUE(deNuevo.Leer(1, leído));
    EXPECT_EQ(leído, a2);
}

TEST_F(ArchivoDeclaracionesTest, UnRegistroCortadoAlFinalNoCuentaYElSiguienteLoOcupa) {
    const auto a = Declaración("11111111H"), b = Declaración("22222222J"), c = Declaración("33333333P");
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones,
                          ArchivoDe({a, b}) + std::string(b.Bytes().substr(0, 300)));
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    EXPECT_EQ(archivo.NúmeroRegistros(), 2);
    RegistroDeclaración leído;
    EXPECT_FALSE(archivo.Leer(3, leído));
    int vistos = 0;
    EXPECT_TRUE(archivo.Recorrer([&](std::int32_t, std::string_view) { return ++vistos, true; }));
    EXPECT_EQ(vistos, 2);
    EXPECT_EQ(archivo.Añadir(c), 3);
    EXPECT_EQ(Contenido(), ArchivoDe({a, b, c}));
}

TEST_F(ArchivoDeclaracionesTest, SinCarpetaDatosOSinPermisoNoSeCreaNada) {
    ArchivoDeclaraciones sinCarpeta(posix, carpeta.Programa() / "NoExiste" / kNombreArchivoDeclaraciones);
    EXPECT_FALSE(sinCarpeta.AbrirLecturaEscritura());
    fallidos.soloLectura = true;
    ArchivoDeclaraciones soloLectura(fallidos, Ruta());
    EXPECT_FALSE(soloLectura.AbrirLecturaEscritura());
    EXPECT_FALSE(std::filesystem::exists(Ruta()));
}

// A write that fails, wherever it stops, leaves the file as it was.
struct Fallo {
    const char* caso;
    std::size_t cola;  // bytes of a cut record after the three whole ones
    std::int32_t slot; // record written; 0 appends
    std::function<void(ArchivosFallidos&)> preparar;
};

// clang-format off
const Fallo kFallos[] = {
    {"solo lectura", 0, 0, [](ArchivosFallidos& f) { f.soloLectura = true; }},
    {"disco lleno a mitad de añadir", 0, 0, [](ArchivosFallidos& f) { f.LlenarDiscoEnEscritura(1, 300); }},
    {"disco lleno al final de añadir", 0, 0, [](ArchivosFallidos& f) { f.LlenarDiscoEnEscritura(1, 749); }},
    {"disco lleno sobre una cola larga", 400, 0,
     [](ArchivosFallidos& f) { f.LlenarDiscoEnEscritura(1, 100); }},
    {"disco lleno pasada la cola", 200, 0, [](ArchivosFallidos& f) { f.LlenarDiscoEnEscritura(1, 500); }},
    {"disco lleno al reescribir", 0, 2, [](ArchivosFallidos& f) { f.LlenarDiscoEnEscritura(1, 300); }},
    {"disco lleno al reescribir el último", 100, 3,
     [](ArchivosFallidos& f) { f.LlenarDiscoEnEscritura(1, 1); }},
    {"sincronización fallida al añadir", 0, 0, [](ArchivosFallidos& f) { f.sincronizacionFalla = true; }},
    {"sincronización fallida al reescribir", 0, 1, [](ArchivosFallidos& f) { f.sincronizacionFalla = true; }},
};
// clang-format on

TEST_F(ArchivoDeclaracionesTest, UnaEscrituraFallidaDejaElArchivoIntacto) {
    const auto nuevo = Declaración("99999999R", "2010", "4T");
    for (const auto& f : kFallos) {
        SCOPED_TRACE(f.caso);
        std::string inicial =
            ArchivoDe({Declaración("11111111H"), Declaración("22222222J"), Declaración("33333333P")});
        inicial += std::string(f.cola, 'x');
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);

        ArchivosFallidos servicio(posix);
        f.preparar(servicio);
        ArchivoDeclaraciones archivo(servicio, Ruta());
        const bool guardado =
            archivo.AbrirLecturaEscritura() &&
            (f.slot == 0 ? archivo.Añadir(nuevo).has_value() : archivo.Escribir(f.slot, nuevo));
        archivo.Cerrar();
        EXPECT_FALSE(guardado);
        EXPECT_EQ(Diferencia(Contenido(), inicial), "");

        // The same save with a sound disk goes through.
        ArchivoDeclaraciones sano(posix, Ruta());
        ASSERT_TRUE(sano.AbrirLecturaEscritura());
        EXPECT_TRUE(f.slot == 0 ? sano.Añadir(nuevo) == 4 : sano.Escribir(f.slot, nuevo));
    }
}

// A read that gives fewer bytes than asked is no record, and a rewrite, which must first read what it
// replaces, writes nothing; a write measures the file under its lock before it writes: no size, no write.
TEST_F(ArchivoDeclaracionesTest, UnaLecturaCortaOSinTamañoNoLeeNiEscribe) {
    const std::string inicial = ArchivoDe({Declaración("11111111H"), Declaración("22222222J")});
    for (bool corta : {true, false}) {
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        ArchivosFallidos servicio(posix);
        ArchivoDeclaraciones archivo(servicio, Ruta());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        RegistroDeclaración leído;
        if (corta) {
            servicio.lecturasCortas = true;
            EXPECT_FALSE(archivo.Leer(1, leído));
        } else {
            servicio.FallarTamañoDesde(1);
            EXPECT_FALSE(archivo.Escribir(3, Declaración("99999999R")));
        }
        EXPECT_FALSE(archivo.Escribir(2, Declaración("99999999R"))) << corta;
        archivo.Cerrar();
        EXPECT_EQ(Diferencia(Contenido(), inicial), "") << corta;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.Datos()), {}), 1);
    }
}

TEST_F(ArchivoDeclaracionesTest, NoCabenMasDe32767Registros) {
    const std::string uno(Declaración("22222222J").Bytes());
    std::string lleno;
    for (std::int32_t i = 0; i < 32766; ++i)
        lleno += uno;
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, lleno);
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    EXPECT_EQ(archivo.Añadir(Declaración("11111111H")), 32767);
    EXPECT_FALSE(archivo.Añadir(Declaración("11111111H")));
    EXPECT_EQ(std::filesystem::file_size(Ruta()), 32767u * 750);
    archivo.Cerrar();
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, lleno + uno + uno);
    EXPECT_FALSE(archivo.AbrirLectura());
    EXPECT_EQ(Utf8(archivo.Problema()), "El archivo de declaraciones " + Ruta().string() +
                                            " tiene 32768 registros, más de los 32767 que puede guardar el "
                                            "programa. No se escribe nada en él.");
}

TEST_F(ArchivoDeclaracionesTest, LaBusquedaDeDuplicadosSoloVeDeclaracionesVivasDelMismoTipo) {
    carpeta.EscribirDatos(
        kNombreArchivoDeclaraciones,
        ArchivoDe({
            Declaración("11111111H", "2010", "1T", "0"),
            Declaración("22222222J", "2010", "2T", "0", false), // deleted
            Declaración("11111111H", "2010", "1T", "1"), Declaración("33333333P", "2009", "4T", "0"),
            Declaración("11111111H", "2010", "1T", "0"), // a second duplicate
        }) + "cortado");
    struct Caso {
        ClaveDuplicado clave;
        std::int32_t duplicado;
    };
    // clang-format off
    const Caso casos[] = {
        {{"11111111H", "2010", "1T", "0"}, 1},
        {{"11111111H", "2010", "1T", "1"}, 3}, // complementary only with complementary
        {{" 11111111H ", "2010 ", " 1T", "0"}, 1},
        {{"22222222J", "2010", "2T", "0"}, 0}, // deleted records never count
        {{"11111111h", "2010", "1T", "0"}, 0}, // exact comparison
        {{"11111111H", "2010", "2T", "0"}, 0}, {{"11111111H", "2009", "1T", "0"}, 0},
        {{"33333333P", "2009", "4T", "1"}, 0}, {{"33333333P", "2009", "4T", "0"}, 4}, {{"", "", "", ""}, 0},
    };
    // clang-format on
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLectura());
    for (const auto& c : casos) {
        const auto r = BuscarDuplicados(archivo, c.clave);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->primerDuplicado, c.duplicado) << c.clave.nif << "/" << c.clave.periodo;
        EXPECT_EQ(r->SiguienteRegistro(), 6); // deleted ones counted, the cut one not
    }
    EXPECT_EQ(ClaveDuplicado::De(Declaración("11111111H", "2010", "3T", "1")).periodo, "3T");
    EXPECT_TRUE(ClaveDuplicado::De(Declaración("11111111H", "2010", "3T", "1")).Complementaria());
}

TEST_F(ArchivoDeclaracionesTest, UnArchivoVacioOIlegibleEnLaBusqueda) {
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, "");
    ArchivoDeclaraciones vacío(posix, Ruta());
    ASSERT_TRUE(vacío.AbrirLectura());
    const auto r = BuscarDuplicados(vacío, {"11111111H", "2010", "1T", "0"});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->SiguienteRegistro(), 1);
    EXPECT_EQ(r->primerDuplicado, 0);
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, ArchivoDe({Declaración("11111111H")}));
    ArchivoDeclaraciones ilegible(fallidos, Ruta());
    ASSERT_TRUE(ilegible.AbrirLectura());
    fallidos.lecturasFallan = true;
    EXPECT_FALSE(BuscarDuplicados(ilegible, {"11111111H", "2010", "1T", "0"}));
}

} // namespace
