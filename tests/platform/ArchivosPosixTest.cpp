#include "platform/ArchivosPosix.h"

#include "support/Dobles.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::prueba;

namespace {

class ArchivosPosixTest : public ::testing::Test {
  protected:
    std::filesystem::path Ruta(const char* nombre) const { return carpeta.Datos() / nombre; }
    CarpetaTemporal carpeta;
    ArchivosPosix archivos;
};

TEST_F(ArchivosPosixTest, LosModosDeAperturaCreanVacianOExigen) {
    EXPECT_FALSE(archivos.Abrir(Ruta("a"), ModoApertura::Lectura));
    EXPECT_FALSE(std::filesystem::exists(Ruta("a")));
    auto a = archivos.Abrir(Ruta("a"), ModoApertura::LecturaEscritura);
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->Escribir(0, "hola"));
    EXPECT_TRUE(a->Añadir(" mundo"));
    EXPECT_TRUE(a->Escribir(0, "H"));
    EXPECT_TRUE(a->Sincronizar());
    a.reset();
    EXPECT_EQ(LeerArchivo(Ruta("a")), "Hola mundo");

    a = archivos.Abrir(Ruta("a"), ModoApertura::LecturaEscritura); // keeps what there is
    EXPECT_EQ(a->Tamaño(), 10u);
    std::string resto;
    EXPECT_TRUE(a->LeerResto(5, resto));
    EXPECT_EQ(resto, "mundo");
    std::array<char, 8> trozo{};
    EXPECT_EQ(a->Leer(8, trozo), 2u); // fewer at the end
    EXPECT_EQ(a->Leer(80, trozo), 0u);
    EXPECT_TRUE(a->Truncar(4));
    a.reset();
    EXPECT_EQ(LeerArchivo(Ruta("a")), "Hola");

    a = archivos.Abrir(Ruta("a"), ModoApertura::Nuevo); // empties it
    EXPECT_EQ(a->Tamaño(), 0u);
    // A folder is not a file.
    EXPECT_FALSE(archivos.Abrir(carpeta.Datos(), ModoApertura::Lectura));
    EXPECT_TRUE(archivos.EsCarpeta(carpeta.Datos()));
    EXPECT_FALSE(archivos.EsCarpeta(Ruta("a")));
    // No folder, no file.
    EXPECT_FALSE(archivos.Abrir(Ruta("no/b"), ModoApertura::LecturaEscritura));
}

TEST_F(ArchivosPosixTest, UnSegundoNombreNuncaSobrescribeYRenombrarSustituye) {
    carpeta.EscribirDatos("a", "uno");
    carpeta.EscribirDatos("b", "dos");
    EXPECT_FALSE(archivos.EnlazarOCopiar(Ruta("a"), Ruta("b")));
    EXPECT_EQ(LeerArchivo(Ruta("b")), "dos");
    EXPECT_TRUE(archivos.EnlazarOCopiar(Ruta("a"), Ruta("c")));
    EXPECT_EQ(LeerArchivo(Ruta("c")), "uno");
    EXPECT_TRUE(archivos.Renombrar(Ruta("b"), Ruta("a")));
    EXPECT_EQ(LeerArchivo(Ruta("a")), "dos");
    EXPECT_EQ(LeerArchivo(Ruta("c")), "uno"); // the second name still holds the old file
    EXPECT_FALSE(archivos.Existe(Ruta("b")));
    EXPECT_TRUE(archivos.Eliminar(Ruta("c")));
    EXPECT_FALSE(archivos.Eliminar(Ruta("c")));
    std::string todo;
    EXPECT_TRUE(archivos.LeerTodo(Ruta("a"), todo));
    EXPECT_EQ(todo, "dos");
    EXPECT_FALSE(archivos.LeerTodo(Ruta("c"), todo));
}

} // namespace
