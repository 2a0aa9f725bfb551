#pragma once
// The main window over a test sheet, shown and active, for the widget tests that drive it as a user would.
#include "support/HojaPrueba.h"
#include "support/ServiciosVentana.h"
#include "ui/VistaHoja.h"
#include "ui/frmPrincipal.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace m817::prueba {

struct VentanaPrueba : ::testing::Test {
    HojaPrueba p;
    PortapapelesGuion portapapeles;
    AyudaGuion ayuda;
    std::unique_ptr<frmPrincipal> ventana;
    HojaDeclaración& hoja = p.hoja();

    void SetUp() override {
        ventana = std::make_unique<frmPrincipal>(*p.ventana, portapapeles, ayuda);
        p.Cargar();
        ventana->resize(900, 700);
        ventana->show();
        QApplication::setActiveWindow(ventana.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
        ventana->Vista()->Sincronizar();
    }
    QWidget* Ctl(IdCampo id) { return ventana->Vista()->Control(id); }
};

} // namespace m817::prueba
