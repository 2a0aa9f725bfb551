#include "app/Version.h"

#include <gtest/gtest.h>

using namespace m817;

TEST(Versión, MayorMenorYCuartoNúmeroSinCerosALaIzquierda) {
    struct Caso {
        int mayor, menor, revisión;
        const char* esperada;
    };
    // The file version's third number never reaches these calls: 3.2.0.2 -> (3, 2, 2).
    const Caso casos[] = {
        {3, 2, 2, "3.2.2"}, {10, 0, 15, "10.0.15"}, {0, 0, 0, "0.0.0"}, {2, 11, 100, "2.11.100"}};
    for (const auto& c : casos)
        EXPECT_EQ(ConstruirVersión(c.mayor, c.menor, c.revisión), c.esperada) << c.esperada;
}

// This build is file version 3.2.0.2.
TEST(Versión, LaDeEstaCompilación) {
    EXPECT_EQ(VersiónPrograma(), "3.2.2");
}
