#include "platform/ArchivosPosix.h"

#include "support/Dobles.h"

#include <gtest/gtest.h>

TEST(ArchivosPosix, UnSegundoNombreNuncaSobrescribeYRenombrarSustituye) {
    m817::prueba::CarpetaTemporal carpeta;
    m817::ArchivosPosix archivos;
    const auto a = carpeta.Datos() / "a", b = carpeta.Datos() / "b", c = carpeta.Datos() / "c";
    carpeta.EscribirDatos("a", "uno");
    carpeta.EscribirDatos("b", "dos");
    EXPECT_FALSE(archivos.EnlazarOCopiar(a, b));
    EXPECT_TRUE(archivos.EnlazarOCopiar(a, c) && archivos.Renombrar(b, a) && !archivos.Existe(b));
    std::string en_a, en_c;
    EXPECT_TRUE(archivos.LeerTodo(a, en_a) && archivos.LeerTodo(c, en_c));
    EXPECT_EQ(en_a + en_c, "dosuno");
    EXPECT_TRUE(archivos.Eliminar(c));
    EXPECT_FALSE(archivos.Eliminar(c) || archivos.LeerTodo(c, en_c));
}
