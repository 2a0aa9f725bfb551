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
