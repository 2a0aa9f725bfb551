// The main window in real widgets, driven as a desktop user drives it: pastes, clicks, the error panel,
// closing, help, the clipboard, and the view showing what the model holds.
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "platform/qt/PortapapelesQt.h"
#include "support/Dobles.h"
#include "ui/VentanaPrueba.h"
#include "ui/VistaErrores.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTreeWidget>

#include <functional>

using namespace m817;
using namespace m817::campos;

namespace {

struct Escritorio : prueba::VentanaPrueba {
    // Where the keyboard and the mouse reach a field: a list's typing box, or the field itself.
    QWidget* Destino(IdCampo id) {
        if (auto* c = qobject_cast<QComboBox*>(Ctl(id))) return c->lineEdit();
        return Ctl(id);
    }
    QString Pantalla(IdCampo id) { return static_cast<QLineEdit*>(Destino(id))->text(); }
    void Procesar() { QApplication::processEvents(); }
    void Entrar(IdCampo id) {
        ASSERT_TRUE(hoja.Enfocar(id));
        Procesar();
    }
    QTreeWidgetItem* Entrada(const std::string& clave) {
        auto* árbol = ventana->trvErrores();
        for (int i = 0; i < árbol->topLevelItemCount(); ++i)
            if (ÁrbolErrores::Clave(árbol->topLevelItem(i)) == clave) return árbol->topLevelItem(i);
        return nullptr;
    }
    void ClicEn(QTreeWidgetItem* item) {
        auto* árbol = ventana->trvErrores();
        árbol->scrollToItem(item);
        QRect r = árbol->visualItemRect(item);
        ASSERT_TRUE(árbol->viewport()->rect().contains(r.center()));
        QTest::mouseClick(árbol->viewport(), Qt::LeftButton, {}, r.center());
        Procesar();
    }
};

} // namespace

TEST_F(Escritorio, UnImporteEnteroSePegaComoEseImporteYLoDemásPasaPorElFiltro) {
    struct Caso {
        int casilla;
        const char* portapapeles;
        const char* queda;
        int pitidos;
    };
    const Caso casos[] = {{1, "1.234,56", "1234,56", 0},
                          {2, " 12.345.678,9\r\n", "12345678,9", 0},
                          {13, "-2.500", "2500", 1}, // box 13 takes no sign: as typed, the minus is refused
                          {1, "12a4", "124", 1}};    // not a grouped amount: each character as typed
    const std::pair<const char*, std::function<void(QWidget*)>> formas[] = {
        {"Ctrl+V", [](QWidget* w) { QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier); }},
        {"Mayús+Insert", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"Pegar", [this](QWidget*) { ventana->Botón("Pegar")->trigger(); }}};
    for (const auto& [forma, pegar] : formas) {
        for (const Caso& c : casos) {
            const IdCampo id = edtCasilla(c.casilla);
            Entrar(id);
            hoja.EstablecerSelección(id, 0, static_cast<int>(hoja.Texto(id).size()));
            portapapeles.Poner(c.portapapeles);
            const int antes = p.mensajes.pitidos;
            pegar(Ctl(id));
            Procesar();
            EXPECT_EQ(hoja.Texto(id), c.queda) << forma << " " << c.portapapeles;
            EXPECT_EQ(Pantalla(id), QString::fromUtf8(c.queda)) << forma << " " << c.portapapeles;
            EXPECT_EQ(p.mensajes.pitidos - antes, c.pitidos) << forma << " " << c.portapapeles;
        }
    }
    // A typed point is still a comma.
    Entrar(edtCasilla(3));
    QTest::keyClicks(Ctl(edtCasilla(3)), "7.5");
    EXPECT_EQ(hoja.Texto(edtCasilla(3)), "7,5");
}

TEST_F(Escritorio, ElBotónCentralYLoSoltadoPasanPorElFiltro) {
    Entrar(edtCasilla(1));
    for (const char* selección : {"xyz", "1.234,56"}) {
        portapapeles.selección = selección;
        QTest::mouseClick(Ctl(edtCasilla(1)), Qt::MiddleButton, {}, Ctl(edtCasilla(1))->rect().center());
        Procesar();
    }
    EXPECT_EQ(hoja.Texto(edtCasilla(1)), "1234,56");
    EXPECT_EQ(Pantalla(edtCasilla(1)), "1234,56");
    EXPECT_EQ(p.mensajes.pitidos, 1);

    // Dropped letters leave nothing behind; an amount goes in and the field takes the focus.
    for (const char* texto : {"xyz", "500"}) {
        QMimeData datos;
        datos.setText(texto);
        const QPoint punto = Ctl(edtCasilla(2))->rect().center();
        QDragEnterEvent entrar(punto, Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Ctl(edtCasilla(2)), &entrar);
        QDragMoveEvent mover(punto, Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Ctl(edtCasilla(2)), &mover);
        QDropEvent soltar(QPointF(punto), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
        if (mover.isAccepted()) QApplication::sendEvent(Ctl(edtCasilla(2)), &soltar);
        Procesar();
    }
    EXPECT_EQ(hoja.Foco(), edtCasilla(2));
    EXPECT_EQ(hoja.Texto(edtCasilla(2)), "500");
    EXPECT_EQ(Pantalla(edtCasilla(2)), "500");
}

TEST_F(Escritorio, UnClicEnUnImporteDelResultadoEligeSuOpción) {
    p.Escribir(cmbPeriodo, "4T");
    p.Casilla(16, "500");
    Entrar(edtNombre);
    ASSERT_EQ(hoja.OpciónSeleccionada(), 3);
    ASSERT_TRUE(hoja.Estado(optResultado(2)).habilitado);

    QTest::mouseClick(Ctl(edtResultado(2)), Qt::LeftButton, {}, Ctl(edtResultado(2))->rect().center());
    Procesar();
    EXPECT_EQ(hoja.OpciónSeleccionada(), 2);
    EXPECT_EQ(Pantalla(edtResultado(2)), "500,00");
    EXPECT_TRUE(hoja.Estado(edtCCCDev(0)).habilitado);

    // Option 1 is closed to a result of -500: a click on its amount chooses nothing.
    QTest::mouseClick(Ctl(edtResultado(1)), Qt::LeftButton, {}, Ctl(edtResultado(1))->rect().center());
    Procesar();
    EXPECT_EQ(hoja.OpciónSeleccionada(), 2);
    QTest::mouseClick(Ctl(edtResultado(3)), Qt::LeftButton, {}, Ctl(edtResultado(3))->rect().center());
    Procesar();
    EXPECT_EQ(hoja.OpciónSeleccionada(), 3);
}

TEST_F(Escritorio, UnClicEnUnaEntradaDelPanelLlevaASuCampo) {
    ventana->Menú("mnuVerErrores")->trigger();
    Procesar();
    ASSERT_NE(Entrada("edtNIF"), nullptr);
    EXPECT_FALSE(Entrada("edtNIF")->icon(0).isNull());

    Entrar(edtNombre);
    ClicEn(Entrada("edtNIF"));
    EXPECT_EQ(hoja.Foco(), edtNIF);
    EXPECT_EQ(QApplication::focusWidget(), Ctl(edtNIF));
}

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
