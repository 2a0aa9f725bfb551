// The sheet in real widgets on the offscreen platform: keys go to the model and
// the widgets show what it holds.
#include "ui/VistaHoja.h"
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "support/Dobles.h"
#include "ui/frmPrincipal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;

namespace {

struct Ventana : ::testing::Test {
    prueba::MensajesGuion mensajes;
    prueba::RelojFijo reloj;
    prueba::CarpetaTemporal carpeta;
    ArchivosPosix archivos;
    frmHoja1 hoja1{mensajes, reloj, carpeta, archivos};
    HojaDeclaración& hoja = hoja1.hoja;
    frmPrincipal ventana{hoja1};
    void SetUp() override {
        ventana.resize(800, 700);
        ventana.show();
        QApplication::setActiveWindow(&ventana);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    }
    QWidget* Ctl(IdCampo id) { return ventana.Vista()->Control(id); }
    void Procesar() { QApplication::processEvents(); }
};

} // namespace

TEST_F(Ventana, LasTeclasPasanPorElModeloYLaVistaMuestraSuTexto) {
    ASSERT_TRUE(hoja.Enfocar(edtNombre));
    Procesar();
    QTest::keyClicks(Ctl(edtNombre), "PENA");
    QTest::keyClick(Ctl(edtNombre), Qt::Key_Left, Qt::ShiftModifier);
    QTest::sendKeyEvent(QTest::Press, Ctl(edtNombre), Qt::Key_unknown, QString::fromUtf8("Ñ"),
                        Qt::NoModifier);
    Procesar();
    EXPECT_EQ(hoja.Texto(edtNombre), W("PENÑ"));
    EXPECT_EQ(static_cast<QLineEdit*>(Ctl(edtNombre))->text(), QString::fromUtf8("PENÑ"));

    // What the program writes shows in the widget, states included.
    hoja.EscribirTexto(edtTipos(1), "1.234,50");
    hoja.Habilitar(edtCCCIng(0), true);
    hoja.EscribirValor(chkFPCuenta, 1);
    Procesar();
    auto* t = static_cast<QLineEdit*>(Ctl(edtTipos(1)));
    EXPECT_EQ(t->text(), "1.234,50");
    EXPECT_TRUE(t->isReadOnly());
    EXPECT_EQ(t->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_TRUE(Ctl(edtCCCIng(0))->isEnabled());
    EXPECT_TRUE(static_cast<QCheckBox*>(Ctl(chkFPCuenta))->isChecked());

    // A click on a box goes to the model; the widget does not toggle itself.
    QTest::mouseClick(Ctl(chkFPEfectivo), Qt::LeftButton, {}, QPoint(8, Ctl(chkFPEfectivo)->height() / 2));
    Procesar();
    EXPECT_EQ(hoja.Valor(chkFPEfectivo), 1);
    EXPECT_EQ(hoja.Foco(), chkFPEfectivo);

    // Lists show the model's entries and report the entry chosen.
    hoja.AñadirEntrada(cmbPeriodo, {"2T", 0});
    hoja.AñadirEntrada(cmbPeriodo, {"1T", 0});
    Procesar();
    auto* combo = static_cast<QComboBox*>(Ctl(cmbPeriodo));
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "1T");
    emit combo->activated(1);
    Procesar();
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "2T");
    EXPECT_EQ(hoja.Foco(), cmbPeriodo);
}
