#include "app/Barras.h"

#include <gtest/gtest.h>

using namespace m817;

TEST(Barras, RangosYPasosSegúnLoQueCabe) {
    // A sheet smaller than the frame: no bars, the sheet sits at the corner.
    Barras b = CalcularBarras({12000, 18000, 11400, 17280, 255, 255});
    EXPECT_FALSE(b.vertical.visible);
    EXPECT_FALSE(b.horizontal.visible);
    EXPECT_EQ(b.altoVisible, 18000);

    // Taller only: the vertical bar, whole-twip steps.
    b = CalcularBarras({12000, 9000, 11400, 17280, 255, 255});
    ASSERT_TRUE(b.vertical.visible);
    EXPECT_FALSE(b.horizontal.visible);
    EXPECT_EQ(b.vertical.máximo, 17280 - 9000);
    EXPECT_EQ(b.vertical.pasoGrande, 8280 * 9000 / 17280);
    EXPECT_EQ(b.vertical.pasoPequeño, b.vertical.pasoGrande / 10);
    EXPECT_EQ(b.vertical.longitud, 9000);

    // Narrower and shorter: both bars, each shortened by the other in the corner;
    // the horizontal bar takes its height from the visible area.
    b = CalcularBarras({6000, 9000, 11400, 17280, 255, 240});
    ASSERT_TRUE(b.vertical.visible && b.horizontal.visible);
    EXPECT_EQ(b.altoVisible, 9000 - 255);
    EXPECT_EQ(b.vertical.máximo, 17280 - 8745);
    EXPECT_EQ(b.anchoVisible, 6000 - 240);
    EXPECT_EQ(b.horizontal.máximo, 11400 - 5760);
    EXPECT_EQ(b.vertical.longitud, 9000 - 255);
    EXPECT_EQ(b.horizontal.longitud, 6000 - 240);

    EXPECT_EQ(AltoMáximoPanel(9001), 3000);
}
