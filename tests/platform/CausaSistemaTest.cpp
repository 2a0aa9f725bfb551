#include "platform/CausaSistema.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

using namespace m817;
using namespace m817::prueba;

TEST(CausaSistema, LasCausasSeDicenEnEspañolConElArchivoDelante) {
    EXPECT_EQ(TextoCausa(EACCES) + "|" + TextoCausa(EROFS) + "|" + TextoCausa(0) + "|" + TextoCausa(12345),
              "Permiso denegado|Sistema de archivos de solo lectura||Error del sistema 12345");
    EXPECT_EQ(Utf8(LíneaCausa("/home/Año/D.txt", ENOSPC)),
              "/home/Año/D.txt: No queda espacio en el dispositivo");
    EXPECT_EQ(Utf8(LíneaCausa("/home/Año/D.txt", 0)), "/home/Año/D.txt");
    // What writing into a folder meets; a folder that is not there yet is made, and left empty.
    CarpetaTemporal carpeta;
    std::ofstream(carpeta.Datos() / "archivo") << "x";
    EXPECT_EQ(CausaEscritura(carpeta.Datos() / "archivo" / "sub"), ENOTDIR);
    EXPECT_EQ(CausaEscritura(carpeta.Datos() / "nueva"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(carpeta.Datos() / "nueva"));
}

// One the system did not report names the file alone; a file that is not there is no failure.
TEST(CausaSistema, SeGuardaElPrimerFalloYNoLosQueLeSiguen) {
    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    ArchivosFallidos fallidos(posix);
    ArchivosConCausa causa(fallidos), sinNúmero(posix);
    const auto ruta = carpeta.Datos() / "a.txt", falta = carpeta.Datos() / "no" / "b.txt";
    auto archivo = causa.Abrir(ruta, ModoApertura::Nuevo);
    ASSERT_TRUE(archivo && !causa.HayFallo());
    fallidos.LlenarDiscoEnEscritura(1, 0);
    EXPECT_FALSE(archivo->Escribir(0, "abc"));
    fallidos.soloLectura = true;
    EXPECT_FALSE(causa.Eliminar(ruta));
    EXPECT_EQ(Utf8(causa.Línea("otro")), ruta.string() + ": No queda espacio en el dispositivo");
    EXPECT_FALSE(sinNúmero.Existe(falta) || sinNúmero.HayFallo());
    EXPECT_EQ(Utf8(sinNúmero.Línea(ruta)), ruta.string());
    EXPECT_FALSE(sinNúmero.Abrir(falta, ModoApertura::LecturaEscritura));
    EXPECT_EQ(Utf8(sinNúmero.Línea(ruta)), falta.string() + ": No existe el archivo o la carpeta");
}
