// The main window in real widgets, driven as a desktop user drives it: pastes, the middle button and drops,
// the wheel, clicks, the field's menu, undo, F6, the error panel and its bar, closing, help, the clipboard.
// Also what a screen reader finds: every control named, the numbered boxes by number and caption, the error
// list's entries by kind.
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "platform/qt/AyudaQt.h"
#include "platform/qt/PortapapelesQt.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/Dobles.h"
#include "support/HojaPrueba.h"
#include "support/ServiciosVentana.h"
#include "ui/Accesibilidad.h"
#include "ui/VentanaPrueba.h"
#include "ui/VistaErrores.h"
#include "ui/VistaHoja.h"
#include "ui/frmPrincipal.h"
#include "ui/frmSeleccionarDeclaracion.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

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
    // A wheel turned by the user over the middle of a widget, delivered as the system delivers it (as the
    // test library does with clicks: straight to notify, marked as coming from the system).
    void Rueda(QWidget* w, QPoint ángulo, Qt::KeyboardModifiers teclas = Qt::NoModifier) {
        const QPointF centro = QRectF(w->rect()).center();
        QWheelEvent e(centro, w->mapToGlobal(centro), QPoint(), ángulo, Qt::NoButton, teclas,
                      Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(w, &e);
        Procesar();
    }
    // Text dragged from elsewhere and dropped on a field.
    void Soltar(IdCampo id, const QString& texto) {
        QWidget* w = Destino(id);
        QMimeData datos;
        datos.setText(texto);
        const QPoint punto = w->rect().center();
        QDragEnterEvent entrar(punto, Qt::CopyAction | Qt::MoveAction, &datos, Qt::LeftButton,
                               Qt::NoModifier);
        QApplication::sendEvent(w, &entrar);
        QDragMoveEvent mover(punto, Qt::CopyAction | Qt::MoveAction, &datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &mover);
        if (mover.isAccepted()) {
            QDropEvent soltar(QPointF(punto), Qt::CopyAction | Qt::MoveAction, &datos, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(w, &soltar);
        }
        Procesar();
    }
    // The field's menu, opened by a right click; its entries by caption.
    QMenu* MenúDelCampo(IdCampo id) {
        QWidget* w = Destino(id);
        const QPoint punto = w->rect().center();
        QTest::mouseClick(w, Qt::RightButton, {}, punto);
        QContextMenuEvent e(QContextMenuEvent::Mouse, punto, w->mapToGlobal(punto));
        QApplication::sendEvent(w, &e);
        Procesar();
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    static QAction* Elemento(QMenu* menú, const char* texto) {
        for (QAction* a : menú->actions())
            if (a->text() == QString::fromUtf8(texto)) return a;
        return nullptr;
    }
    QTreeWidgetItem* Entrada(const std::string& clave) {
        auto* árbol = ventana->trvErrores();
        for (int i = 0; i < árbol->topLevelItemCount(); ++i)
            if (ÁrbolErrores::Clave(árbol->topLevelItem(i)) == clave) return árbol->topLevelItem(i);
        return nullptr;
    }
    std::vector<std::string> Claves() {
        std::vector<std::string> claves;
        auto* árbol = ventana->trvErrores();
        for (int i = 0; i < árbol->topLevelItemCount(); ++i)
            claves.push_back(ÁrbolErrores::Clave(árbol->topLevelItem(i)));
        return claves;
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

TEST_F(Escritorio, ElBotónCentralYLoSoltadoPasanPorElModeloYSuFiltro) {
    Entrar(edtCasilla(1));
    portapapeles.selección = "xyz";
    QTest::mouseClick(Ctl(edtCasilla(1)), Qt::MiddleButton, {}, Ctl(edtCasilla(1))->rect().center());
    Procesar();
    EXPECT_EQ(hoja.Texto(edtCasilla(1)), "");
    EXPECT_EQ(Pantalla(edtCasilla(1)), "");
    EXPECT_EQ(p.mensajes.pitidos, 1);

    portapapeles.selección = "1.234,56";
    QTest::mouseClick(Ctl(edtCasilla(1)), Qt::MiddleButton, {}, Ctl(edtCasilla(1))->rect().center());
    Procesar();
    EXPECT_EQ(hoja.Texto(edtCasilla(1)), "1234,56");
    EXPECT_EQ(Pantalla(edtCasilla(1)), "1234,56");

    // Dropped text: refused letters leave nothing behind, an amount goes in and the field takes the focus.
    Soltar(edtCasilla(2), "xyz");
    EXPECT_EQ(hoja.Texto(edtCasilla(2)), "");
    EXPECT_EQ(Pantalla(edtCasilla(2)), "");
    Soltar(edtCasilla(2), "500");
    EXPECT_EQ(hoja.Foco(), edtCasilla(2));
    EXPECT_EQ(hoja.Texto(edtCasilla(2)), "500");
    EXPECT_EQ(Pantalla(edtCasilla(2)), "500");
    // A computed box takes nothing, whatever way it comes.
    Soltar(edtCasilla(15), "9");
    EXPECT_EQ(Pantalla(edtCasilla(15)), QString::fromStdString(hoja.Texto(edtCasilla(15))));
    EXPECT_EQ(hoja.Foco(), edtCasilla(2));
}

TEST_F(Escritorio, LaRuedaDesplazaLaHojaYNoCambiaUnaListaCerrada) {
    ventana->resize(600, 450);
    Procesar();
    p.Escribir(cmbProvincia, "Burgos");
    p.Escribir(cmbMunicipio, "Burgos");
    Entrar(edtNombre);
    ASSERT_TRUE(ventana->vScrollBar()->isVisible());
    ASSERT_TRUE(ventana->hScrollBar()->isVisible());
    ventana->vScrollBar()->setValue(0);
    ventana->hScrollBar()->setValue(0);
    const std::string periodo = hoja.Texto(cmbPeriodo);

    for (IdCampo lista : {cmbPeriodo, cmbProvincia}) {
        Rueda(Destino(lista), QPoint(0, -120));
        Rueda(Ctl(lista), QPoint(0, -120));
    }
    EXPECT_EQ(hoja.Texto(cmbPeriodo), periodo);
    EXPECT_EQ(hoja.Texto(cmbProvincia), "Burgos");
    EXPECT_EQ(hoja.Texto(cmbMunicipio), "Burgos");
    EXPECT_EQ(hoja.Foco(), edtNombre);
    EXPECT_GT(ventana->vScrollBar()->value(), 0);
    EXPECT_EQ(ventana->Vista()->y(), -ventana->vScrollBar()->value());

    // Back up over a text field, then sideways with Shift.
    const int abajo = ventana->vScrollBar()->value();
    Rueda(Ctl(edtNIF), QPoint(0, 120));
    EXPECT_LT(ventana->vScrollBar()->value(), abajo);
    Rueda(Ctl(edtNIF), QPoint(0, -120), Qt::ShiftModifier);
    EXPECT_GT(ventana->hScrollBar()->value(), 0);
    EXPECT_EQ(ventana->Vista()->x(), -ventana->hScrollBar()->value());
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

TEST_F(Escritorio, UnaCuentaCerradaSeVeCerradaYUnClicEnEllaNoMueveNada) {
    Entrar(edtNombre);
    ASSERT_FALSE(hoja.Estado(edtCCCIng(0)).habilitado);
    auto centro = [](QWidget* w) { return w->grab().toImage().pixelColor(w->rect().center()); };
    EXPECT_NE(centro(Ctl(edtCCCIng(0))), centro(Ctl(edtNIF)));
    EXPECT_EQ(centro(Ctl(edtNIF)), QColor(Qt::white));

    QTest::mouseClick(Ctl(edtCCCIng(0)), Qt::LeftButton, {}, Ctl(edtCCCIng(0))->rect().center());
    Procesar();
    EXPECT_EQ(hoja.Foco(), edtNombre);
    QTest::keyClicks(QApplication::focusWidget(), "2100");
    Procesar();
    EXPECT_EQ(hoja.Texto(edtNombre), "2100");
    EXPECT_EQ(Pantalla(edtNombre), "2100");
    EXPECT_EQ(hoja.Texto(edtCCCIng(0)), "");
}

TEST_F(Escritorio, ElMenúDelCampoUsaLasÓrdenesDeEdición) {
    Entrar(edtJustifComp);
    QTest::keyClicks(Ctl(edtJustifComp), "1234");
    QMenu* menú = MenúDelCampo(edtJustifComp);
    ASSERT_NE(menú, nullptr);
    std::vector<QString> textos;
    for (QAction* a : menú->actions())
        textos.push_back(a->text());
    EXPECT_EQ(textos, (std::vector<QString>{"Cor&tar", "&Copiar", "&Pegar", "&Seleccionar todo"}));
    // Nothing is selected: nothing to cut or copy.
    EXPECT_FALSE(Elemento(menú, "Cor&tar")->isEnabled());
    Elemento(menú, "&Seleccionar todo")->trigger();
    menú->close();
    EXPECT_EQ(hoja.SelLongitud(edtJustifComp), 4);

    menú = MenúDelCampo(edtJustifComp);
    ASSERT_NE(menú, nullptr);
    Elemento(menú, "Cor&tar")->trigger();
    menú->close();
    Procesar();
    EXPECT_EQ(portapapeles.TextoUtf8(), "1234");
    EXPECT_EQ(hoja.Texto(edtJustifComp), "");
    EXPECT_EQ(Pantalla(edtJustifComp), "");
}

TEST_F(Escritorio, CtrlZDeshaceLaÚltimaEdiciónYCtrlFlechaVaPorPalabras) {
    Entrar(edtNombre);
    QTest::keyClicks(Ctl(edtNombre), "ANA PEREZ");
    QTest::keyClick(Ctl(edtNombre), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(hoja.Cursor(edtNombre), 4);
    QTest::keyClick(Ctl(edtNombre), Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(hoja.SelTexto(edtNombre), "PEREZ");
    QTest::keyClick(Ctl(edtNombre), Qt::Key_Delete);
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA ");
    QTest::keyClick(Ctl(edtNombre), Qt::Key_Z, Qt::ControlModifier);
    Procesar();
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA PEREZ");
    EXPECT_EQ(Pantalla(edtNombre), "ANA PEREZ");
}

TEST_F(Escritorio, F6VaDeLaHojaALaListaDeErroresYVuelve) {
    Entrar(edtNombre);
    QTest::keyClick(Destino(edtNombre), Qt::Key_F6);
    Procesar();
    EXPECT_TRUE(ventana->pctErrores()->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), ventana->trvErrores());
    ASSERT_NE(ventana->trvErrores()->currentItem(), nullptr);
    QTest::keyClick(ventana->trvErrores(), Qt::Key_F6);
    Procesar();
    EXPECT_EQ(QApplication::focusWidget(), Destino(edtNombre));

    // Enter on a line goes to its field.
    QTest::keyClick(Destino(edtNombre), Qt::Key_F6);
    for (int i = 0; i < ventana->trvErrores()->topLevelItemCount(); ++i)
        if (ÁrbolErrores::Clave(ventana->trvErrores()->topLevelItem(i)) == "edtNIF")
            ventana->trvErrores()->setCurrentItem(ventana->trvErrores()->topLevelItem(i));
    QTest::keyClick(ventana->trvErrores(), Qt::Key_Return);
    Procesar();
    EXPECT_EQ(hoja.Foco(), edtNIF);
    EXPECT_EQ(QApplication::focusWidget(), Destino(edtNIF));
}

TEST(VentanaInicial, CabeEnLaPantallaYEstáCentrada) {
    prueba::HojaPrueba p;
    prueba::PortapapelesGuion portapapeles;
    prueba::AyudaGuion ayuda;
    frmPrincipal ventana(*p.ventana, portapapeles, ayuda);
    p.Cargar();
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    const QRect libre = ventana.screen()->availableGeometry();
    EXPECT_TRUE(libre.contains(ventana.frameGeometry()))
        << libre.height() << " " << ventana.frameGeometry().height();
    EXPECT_LE((ventana.frameGeometry().center() - libre.center()).manhattanLength(), 4);
    EXPECT_GE(ventana.width(), VistaHoja::Px(4000));
    EXPECT_GE(ventana.height(), VistaHoja::Px(6000));
}

TEST_F(Escritorio, ElPanelSeMuestraYOcultaConElMenúOElBotónSiempreAcordes) {
    QAction* menú = ventana->Menú("mnuVerErrores");
    QAction* botón = ventana->Botón("VerErrores");
    EXPECT_FALSE(ventana->pctErrores()->isVisible());
    EXPECT_FALSE(menú->isChecked() || botón->isChecked());

    struct Paso {
        QAction* pulsado;
        bool visible;
    };
    for (Paso paso : {Paso{menú, true}, Paso{botón, false}, Paso{botón, true}, Paso{menú, false}}) {
        paso.pulsado->trigger();
        Procesar();
        EXPECT_EQ(ventana->pctErrores()->isVisible(), paso.visible);
        EXPECT_EQ(ventana->pctBordeErrores()->isVisible(), paso.visible);
        EXPECT_EQ(menú->isChecked(), paso.visible);
        EXPECT_EQ(botón->isChecked(), paso.visible);
    }
    // Stacked at the bottom: the drag bar right above the panel, the frame above both.
    menú->trigger();
    Procesar();
    EXPECT_EQ(ventana->pctBordeErrores()->geometry().bottom() + 1, ventana->pctErrores()->y());
    EXPECT_EQ(ventana->Marco()->geometry().bottom() + 1, ventana->pctBordeErrores()->y());
    EXPECT_EQ(ventana->pctErrores()->geometry().bottom() + 1, ventana->centralWidget()->height());
}

TEST_F(Escritorio, ElPanelListaLaComprobaciónEnteraEnOrdenYLlevaAlCampo) {
    ventana->Menú("mnuVerErrores")->trigger();
    Procesar();
    std::vector<std::string> claves = Claves();
    ASSERT_FALSE(claves.empty());
    ASSERT_NE(Entrada("edtNIF"), nullptr);
    EXPECT_FALSE(Entrada("edtNIF")->icon(0).isNull());

    Entrar(edtNombre);
    ClicEn(Entrada("edtNIF"));
    EXPECT_EQ(hoja.Foco(), edtNIF);
    EXPECT_EQ(QApplication::focusWidget(), Ctl(edtNIF));
}

TEST_F(Escritorio, LaVentanaMásPequeñaDeLoPermitidoVuelveAlMínimo) {
    ventana->resize(100, 100);
    Procesar();
    EXPECT_EQ(ventana->size(), QSize(VistaHoja::Px(4000), VistaHoja::Px(6000)));
}

TEST_F(Escritorio, CerrarCompruebaElCampoYPreguntaPorLosCambios) {
    const char* pregunta = "¿Desea guardar los cambios efectuados en la declaración?";
    p.Escribir(cmbProvincia, "Burgos");
    Procesar();
    ASSERT_TRUE(hoja.RegistroModificado);
    p.mensajes.Esperar(pregunta, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::Cancelar);
    EXPECT_FALSE(ventana->close());
    EXPECT_TRUE(ventana->isVisible());
    p.mensajes.Esperar(pregunta, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::No);
    EXPECT_TRUE(ventana->close());
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_FALSE(p.mensajes.Pendientes());
}

TEST_F(Escritorio, F1AbreElTemaDelCampoYLosMenúsDeAyudaElSuyo) {
    Entrar(edtNIF);
    QTest::keyClick(Ctl(edtNIF), Qt::Key_F1);
    Entrar(edtCasilla(25));
    QTest::keyClick(Ctl(edtCasilla(25)), Qt::Key_F1);
    ventana->Menú("mnuUso")->trigger();
    ventana->Menú("mnuTemas")->trigger();
    ventana->Botón("Ayuda")->trigger();
    EXPECT_EQ(ayuda.pedidos, (std::vector<int>{403, 406, 301, 0, 0}));
}

TEST(PortapapelesQt, TextoEnWindows1252) {
    PortapapelesQt portapapeles;
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Peña € 漢"));
    std::string t;
    ASSERT_TRUE(portapapeles.LeerTexto(t));
    EXPECT_EQ(t, W("Peña € ?"));
    portapapeles.PonerTexto(W("Año"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Año"));
    portapapeles.Vaciar();
    EXPECT_FALSE(portapapeles.LeerTexto(t));
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

namespace {

// Roles a user moves to and acts on: each needs a name to be told apart.
bool EsControl(QAccessible::Role r) {
    switch (r) {
    case QAccessible::EditableText:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::PushButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::ScrollBar:
    case QAccessible::Tree:
    case QAccessible::TreeItem:
    case QAccessible::ListItem:
        return true;
    default:
        return false;
    }
}

// Every accessible object under i, depth first.
void Recorrer(QAccessibleInterface* i, const std::function<void(QAccessibleInterface*)>& visitar,
              int nivel = 0) {
    if (!i || !i->isValid() || nivel > 40) return;
    visitar(i);
    for (int n = 0; n < i->childCount(); ++n)
        Recorrer(i->child(n), visitar, nivel + 1);
}

struct Accesible : prueba::VentanaPrueba {
    void SetUp() override {
        VentanaPrueba::SetUp();
        // Errors in the panel, so that its entries are walked too.
        ventana->MostrarPanelErrores(true, true);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(Accesible, NingúnControlDeLaVentanaQuedaSinNombre) {
    std::map<QString, int> roles; // what was walked, to know the walk reached the sheet and the panel
    std::vector<QString> sinNombre;
    std::map<QWidget*, QString> nombres;
    Recorrer(QAccessible::queryAccessibleInterface(ventana.get()), [&](QAccessibleInterface* i) {
        if (i->state().invisible || !EsControl(i->role())) return;
        ++roles[QString::number(i->role())];
        const QString nombre = i->text(QAccessible::Name).trimmed();
        auto* w = qobject_cast<QWidget*>(i->object());
        if (w) nombres[w] = nombre;
        if (nombre.isEmpty())
            sinNombre.push_back(
                QStringLiteral("rol %1 %2").arg(i->role()).arg(w ? w->objectName() : QString()));
    });
    for (const QString& s : sinNombre)
        ADD_FAILURE() << "Sin nombre: " << s.toStdString();

    // Every visible field of the sheet was reached, by its caption.
    const struct {
        IdCampo campo;
        const char* nombre;
    } esperados[] = {{edtCasilla(7), "Casilla 07 – Cuota devengada"},
                     {edtCasilla(1), "Casilla 01 – Base Imponible"},
                     {edtNIF, "N.I.F."},
                     {cmbPeriodo, "PERÍODO"},
                     {chkComplementaria, "AUTOLIQUIDACIÓN COMPLEMENTARIA"},
                     {optResultado(2), "5 - Devolución"},
                     {edtCCCDev(3), "Núm. de cuenta – cuenta de la devolución"}};
    for (const auto& e : esperados) {
        QWidget* w = ventana->Vista()->Control(e.campo);
        // On this platform a list is named by its value; the reader reaches its caption through the text box
        // that takes the focus.
        if (auto* lista = qobject_cast<QComboBox*>(w); lista && lista->lineEdit()) w = lista->lineEdit();
        ASSERT_TRUE(nombres.count(w)) << e.nombre;
        EXPECT_EQ(nombres[w].toStdString(), e.nombre);
    }
    int campos = 0;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id)
        if (QWidget* w = ventana->Vista()->Control(id); w && w->isVisible())
            campos += nombres.count(w) ? 1 : 0;
    EXPECT_GT(campos, 60);
    // The toolbar's buttons, by their commands.
    EXPECT_EQ(nombres[ventana->tlbPrincipal()->widgetForAction(ventana->Botón("Guardar"))].toStdString(),
              "Guardar declaración");
}

TEST_F(Accesible, LasEntradasDelPanelSeLeenConSuClase) {
    QAccessibleInterface* árbol = QAccessible::queryAccessibleInterface(ventana->trvErrores());
    ASSERT_NE(árbol, nullptr);
    EXPECT_EQ(árbol->text(QAccessible::Name).toStdString(), "Lista de errores");
    std::vector<std::string> entradas;
    Recorrer(árbol, [&](QAccessibleInterface* i) {
        if (i->role() == QAccessible::TreeItem || i->role() == QAccessible::ListItem)
            entradas.push_back(i->text(QAccessible::Name).toStdString());
    });
    ASSERT_FALSE(entradas.empty());
    // An empty sheet has errors: the N.I.F. one among them, said as an error.
    bool nif = false;
    for (const auto& e : entradas) {
        EXPECT_TRUE(e.rfind("Error: ", 0) == 0 || e.rfind("Aviso: ", 0) == 0) << e;
        nif = nif || e.find("N.I.F.") != std::string::npos;
    }
    EXPECT_TRUE(nif);
}
