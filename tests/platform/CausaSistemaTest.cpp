// The reason a failure message gives: the system's error number in Spanish, the file that failed first, and
// what writing into a folder meets.
#include "platform/CausaSistema.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "support/ArchivosFallidos.h"
#include "support/DiscoEnMemoria.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

using namespace m817;
using namespace m817::prueba;

TEST(CausaSistema, LasCausasSeDicenEnEspañolConElArchivoDelante) {
    for (const auto& [número, texto] : {std::pair{EACCES, "Permiso denegado"},
                                        {EROFS, "Sistema de archivos de solo lectura"},
                                        {0, ""},
                                        {12345, "Error del sistema 12345"}})
        EXPECT_EQ(TextoCausa(número), texto);
    EXPECT_EQ(Utf8(LíneaCausa("/home/ana/Datos/Declaraciones.txt", ENOSPC)),
              "/home/ana/Datos/Declaraciones.txt: No queda espacio en el dispositivo");
    EXPECT_EQ(Utf8(LíneaCausa("/home/ana/Año/Declaraciones.txt", 0)), "/home/ana/Año/Declaraciones.txt");
}

TEST(CausaSistema, SeGuardaElPrimerFalloYNoLosQueLeSiguen) {
    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    ArchivosFallidos fallidos(posix);
    ArchivosConCausa causa(fallidos);
    const auto ruta = carpeta.Datos() / "a.txt";
    auto archivo = causa.Abrir(ruta, ModoApertura::Nuevo);
    ASSERT_TRUE(archivo);
    EXPECT_FALSE(causa.HayFallo());
    fallidos.LlenarDiscoEnEscritura(1, 0);
    EXPECT_FALSE(archivo->Escribir(0, "abc"));
    fallidos.soloLectura = true;
    EXPECT_FALSE(causa.Eliminar(ruta));
    EXPECT_EQ(Utf8(causa.Línea("otro")), ruta.string() + ": No queda espacio en el dispositivo");

    // A failure the system did not report names the file alone; a file that is not there is not a failure.
    ArchivosConCausa sinNúmero(posix);
    EXPECT_FALSE(sinNúmero.Existe(carpeta.Datos() / "no"));
    EXPECT_FALSE(sinNúmero.HayFallo());
    EXPECT_EQ(Utf8(sinNúmero.Línea(ruta)), ruta.string());
    EXPECT_FALSE(sinNúmero.Abrir(carpeta.Datos() / "no" / "b.txt", ModoApertura::LecturaEscritura));
    EXPECT_EQ(Utf8(sinNúmero.Línea(ruta)),
              (carpeta.Datos() / "no" / "b.txt").string() + ": No existe el archivo o la carpeta");
}

TEST(CausaSistema, EscribirEnUnaCarpetaDiceQuéLoImpide) {
    CarpetaTemporal carpeta;
    EXPECT_EQ(CausaEscritura(carpeta.Datos() / "nueva"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(carpeta.Datos() / "nueva"));
    std::ofstream(carpeta.Datos() / "archivo") << "x";
    EXPECT_EQ(CausaEscritura(carpeta.Datos() / "archivo" / "sub"), ENOTDIR);

    DiscoEnMemoria disco(carpeta.Datos() / "nueva", 64 * 1024);
    if (!disco.Montado()) GTEST_SKIP() << disco.Motivo();
    ASSERT_GT(disco.Llenar(), 0u);
    EXPECT_EQ(CausaEscritura(carpeta.Datos() / "nueva"), ENOSPC);
}
