// The main window in real widgets on the offscreen platform: menus and toolbar as the user sees them, the
// error panel with its bar, the clipboard and the help key, and the frame's layout rules.
#include "ui/frmPrincipal.h"
#include "app/Hoja.h"
#include "platform/Texto1252.h"
#include "platform/qt/AyudaQt.h"
#include "platform/qt/PortapapelesQt.h"
#include "support/HojaPrueba.h"
#include "support/ServiciosVentana.h"
#include "ui/VistaErrores.h"
#include "ui/VistaHoja.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace m817;
using namespace m817::campos;

namespace {

struct Principal : ::testing::Test {
    prueba::HojaPrueba p;
    prueba::PortapapelesGuion portapapeles;
    prueba::AyudaGuion ayuda;
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

// The captions of a menu's items in order, "-" for a separator.
std::vector<QString> Elementos(QMenu* menú) {
    std::vector<QString> r;
    for (QAction* a : menú->actions())
        r.push_back(a->isSeparator() ? QString("-") : a->text());
    return r;
}

} // namespace

TEST_F(Principal, MenúsConSusTítulosTeclasYAtajos) {
    std::vector<QString> títulos;
    for (QAction* a : ventana->menuBar()->actions())
        títulos.push_back(a->text());
    EXPECT_EQ(títulos, (std::vector<QString>{"&Archivo", "&Edición", "&Ver", "Ay&uda"}));

    QMenu* archivo = ventana->menuBar()->actions()[0]->menu();
    EXPECT_EQ(Elementos(archivo), (std::vector<QString>{"&Nuevo", "&Abrir", "&Guardar", "&Eliminar", "-",
                                                        "Im&primir", "-", "Sa&lir"}));
    EXPECT_EQ(Elementos(archivo->actions()[0]->menu()),
              (std::vector<QString>{"&Nueva declaración", "&Copiar desde..."}));
    EXPECT_EQ(Elementos(ventana->menuBar()->actions()[1]->menu()),
              (std::vector<QString>{"Cor&tar", "&Copiar", "&Pegar"}));
    EXPECT_EQ(Elementos(ventana->menuBar()->actions()[2]->menu()), (std::vector<QString>{"Ver &Errores"}));
    EXPECT_EQ(Elementos(ventana->menuBar()->actions()[3]->menu()),
              (std::vector<QString>{"&Uso de la aplicación", "&Temas de Ayuda", "-", "&Acerca de..."}));

    const std::pair<const char*, const char*> atajos[] = {
        {"mnuAbrir", "Ctrl+A"},  {"mnuGuardar", "Ctrl+G"}, {"mnuImprimir", "Ctrl+P"},
        {"mnuCortar", "Ctrl+X"}, {"mnuCopiar", "Ctrl+C"},  {"mnuPegar", "Ctrl+V"},
        {"mnuEliminar", ""},     {"mnuSalir", ""},         {"mnuNuevaDeclaración", ""},
        {"mnuVerErrores", ""},
    };
    for (auto [nombre, atajo] : atajos) {
        QAction* a = ventana->Menú(QString::fromUtf8(nombre));
        ASSERT_NE(a, nullptr) << nombre;
        EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), atajo) << nombre;
    }
    EXPECT_TRUE(ventana->Menú("mnuVerErrores")->isCheckable());
}

TEST_F(Principal, BarraDeHerramientasEnSuOrdenConSusConsejos) {
    std::vector<QString> claves;
    for (QAction* a : ventana->tlbPrincipal()->actions()) {
        if (a->isSeparator())
            claves.push_back("|");
        else
            claves.push_back(ventana->tlbPrincipal()->widgetForAction(a)->objectName());
    }
    EXPECT_EQ(claves, (std::vector<QString>{"Nuevo", "Abrir", "Guardar", "Eliminar", "Imprimir", "|",
                                            "Cortar", "Copiar", "Pegar", "|", "VerErrores", "|", "Ayuda"}));
    const std::pair<const char*, const char*> consejos[] = {
        {"Nuevo", "Nueva declaración"},
        {"Abrir", "Abrir declaración"},
        {"Guardar", "Guardar declaración"},
        {"Eliminar", "Eliminar declaración"},
        {"Imprimir", "Imprimir declaración"},
        {"Cortar", "Cortar"},
        {"Copiar", "Copiar"},
        {"Pegar", "Pegar"},
        {"VerErrores", "Ver errores de la declaración"},
        {"Ayuda", "Ayuda"},
    };
    for (auto [clave, consejo] : consejos) {
        auto* botón = ventana->tlbPrincipal()->findChild<QToolButton*>(clave);
        ASSERT_NE(botón, nullptr) << clave;
        EXPECT_EQ(botón->toolTip(), QString::fromUtf8(consejo)) << clave;
        EXPECT_FALSE(botón->icon().isNull()) << clave;
    }
    auto* nuevo = ventana->tlbPrincipal()->findChild<QToolButton*>("Nuevo");
    ASSERT_NE(nuevo->menu(), nullptr);
    std::vector<QString> desplegable;
    for (QAction* a : nuevo->menu()->actions())
        desplegable.push_back(a->objectName() + "=" + a->text());
    EXPECT_EQ(desplegable, (std::vector<QString>{"NuevaDeclaración=Nueva declaración",
                                                 "CopiarDeclaración=Copiar desde..."}));
    EXPECT_TRUE(ventana->Botón("VerErrores")->isCheckable());
}

TEST_F(Principal, ImprimirEstáDesactivadoHastaQueLlegaLaImpresiónYCtrlGCompruebaAntes) {
    EXPECT_FALSE(ventana->Menú("mnuImprimir")->isEnabled());
    EXPECT_FALSE(ventana->Botón("Imprimir")->isEnabled());
    for (const char* n :
         {"mnuNuevaDeclaración", "mnuCopiarDeclaración", "mnuAbrir", "mnuGuardar", "mnuEliminar", "mnuSalir",
          "mnuCortar", "mnuCopiar", "mnuPegar", "mnuVerErrores", "mnuUso", "mnuTemas", "mnuAcercade"})
        EXPECT_TRUE(ventana->Menú(QString::fromUtf8(n))->isEnabled()) << n;
    ventana->Comandos().operaciones.Imprimir = [] {};
    ventana->ActualizarComandos();
    EXPECT_TRUE(ventana->Menú("mnuImprimir")->isEnabled());
    EXPECT_TRUE(ventana->Botón("Imprimir")->isEnabled());

    int guardados = 0;
    ventana->Comandos().operaciones.GuardarDeclaración = [&](bool) { return ++guardados > 0; };

    // Ctrl+G checks the field being edited first: a province not in the list stops the save.
    p.Escribir(cmbProvincia, "Zz");
    Procesar();
    p.mensajes.EsperarError("Provincia errónea");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
    Procesar();
    EXPECT_EQ(guardados, 0);
    EXPECT_FALSE(p.mensajes.Pendientes());
    p.Escribir(cmbProvincia, "Burgos");
    Procesar();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(guardados, 1);
}

TEST_F(Principal, ElPanelSeMuestraYOcultaConElMenúOElBotónSiempreAcordes) {
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

TEST_F(Principal, ElPanelListaLaComprobaciónEnteraEnOrdenYLlevaAlCampo) {
    ventana->Menú("mnuVerErrores")->trigger();
    Procesar();
    std::vector<std::string> claves = Claves();
    ASSERT_FALSE(claves.empty());
    ASSERT_NE(Entrada("edtNIF"), nullptr);
    // Sorted by text, which begins with the order number.
    auto* árbol = ventana->trvErrores();
    for (int i = 1; i < árbol->topLevelItemCount(); ++i)
        EXPECT_LT(árbol->topLevelItem(i - 1)->text(0), árbol->topLevelItem(i)->text(0));
    EXPECT_FALSE(Entrada("edtNIF")->icon(0).isNull());

    Entrar(edtNombre);
    ClicEn(Entrada("edtNIF"));
    EXPECT_EQ(hoja.Foco(), edtNIF);
    EXPECT_EQ(QApplication::focusWidget(), Ctl(edtNIF));

    // Enter in the list does the same.
    árbol->setFocus();
    árbol->setCurrentItem(Entrada("cmbAdministracion"));
    QTest::keyClick(árbol, Qt::Key_Return);
    Procesar();
    EXPECT_EQ(hoja.Foco(), cmbAdministracion);
    EXPECT_EQ(QApplication::focusWidget(), ventana->Vista()->Control(cmbAdministracion)->focusProxy()
                                               ? ventana->Vista()->Control(cmbAdministracion)->focusProxy()
                                               : Ctl(cmbAdministracion));
}

TEST_F(Principal, UnaCasillaBloqueadaNoTomaElFocoDesdeElPanel) {
    Entrar(edtNombre);
    ventana->Menú("mnuVerErrores")->trigger();
    Procesar();
    p.ventana->errores.AnotarError(1, "edtCasilla#15", W("Casilla calculada"), 3170, -1);
    Procesar();
    QTreeWidgetItem* item = Entrada("edtCasilla#15");
    ASSERT_NE(item, nullptr);
    ClicEn(item);
    EXPECT_EQ(hoja.Foco(), edtNombre);
    ClicEn(Entrada("edtNIF"));
    EXPECT_EQ(hoja.Foco(), edtNIF);
}

TEST_F(Principal, LaBarraDelPanelLoEstiraEntreSusLímites) {
    ventana->Menú("mnuVerErrores")->trigger();
    Procesar();
    BordeErrores* barra = ventana->pctBordeErrores();
    auto arrastrar = [&](int dy) {
        QPointF dentro(50, 2);
        QMouseEvent pulsar(QEvent::MouseButtonPress, dentro, barra->mapToGlobal(dentro), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(barra, &pulsar);
        QPointF destino = dentro + QPointF(0, dy);
        QMouseEvent mover(QEvent::MouseMove, destino, barra->mapToGlobal(destino), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(barra, &mover);
        Procesar();
    };
    const int alto = ventana->pctErrores()->height();
    arrastrar(-20);
    EXPECT_EQ(ventana->pctErrores()->height(), alto + 20);
    const int tercio = VistaHoja::Px(VistaHoja::Twips(ventana->centralWidget()->height()) / 3);
    arrastrar(-1000);
    EXPECT_EQ(ventana->pctErrores()->height(), tercio);
    arrastrar(2000);
    EXPECT_EQ(ventana->pctErrores()->height(), VistaHoja::Px(400));
    // The tree fills the panel with its margins.
    EXPECT_EQ(ventana->trvErrores()->geometry().top(), VistaHoja::Px(40));
    EXPECT_EQ(ventana->trvErrores()->height(), VistaHoja::Px(400 - 80));
}

TEST_F(Principal, ArrancaConLaHojaArribaAunqueUnCampoTomaraElFocoAlCargar) {
    EXPECT_NE(hoja.Foco(), kNingúnCampo);
    EXPECT_EQ(ventana->Vista()->pos(), QPoint(0, 0));
}

TEST_F(Principal, LaVentanaMásPequeñaDeLoPermitidoVuelveAlMínimo) {
    ventana->resize(100, 100);
    Procesar();
    EXPECT_EQ(ventana->size(), QSize(VistaHoja::Px(4000), VistaHoja::Px(6000)));
}

TEST_F(Principal, UnaHojaMásPequeñaQueElMarcoNoMuestraBarras) {
    ventana->resize(VistaHoja::Px(kAnchoHoja) + 80, VistaHoja::Px(kAltoHoja) + 200);
    Procesar();
    EXPECT_FALSE(ventana->vScrollBar()->isVisible());
    EXPECT_FALSE(ventana->hScrollBar()->isVisible());
    EXPECT_EQ(ventana->Vista()->pos(), QPoint(0, 0));
}

TEST_F(Principal, AlEntrarEnUnCampoLaHojaLoTraeALaVista) {
    ventana->resize(700, 500);
    Procesar();
    auto visible = [&](IdCampo id) {
        QRect r(Ctl(id)->mapTo(ventana->Marco(), QPoint(0, 0)), Ctl(id)->size());
        int alto = ventana->Marco()->height() -
                   (ventana->hScrollBar()->isVisible() ? ventana->hScrollBar()->height() : 0);
        int ancho = ventana->Marco()->width() -
                    (ventana->vScrollBar()->isVisible() ? ventana->vScrollBar()->width() : 0);
        return r.top() >= 0 && r.left() >= 0 && r.bottom() < alto && r.right() < ancho;
    };
    for (IdCampo id : {edtCasilla(25), cmbAdministracion, edtCasilla(12), edtNIF}) {
        Entrar(id);
        EXPECT_TRUE(visible(id)) << ClaveCampo(id);
    }
    // A resize keeps the field in view.
    Entrar(edtCasilla(25));
    ventana->resize(720, 460);
    Procesar();
    EXPECT_TRUE(visible(edtCasilla(25)));
    ventana->Menú("mnuVerErrores")->trigger();
    Procesar();
    EXPECT_TRUE(visible(edtCasilla(25)));
}

TEST_F(Principal, PortapapelesDeLasTeclasYDelMenú) {
    Entrar(edtJustifComp);
    portapapeles.Poner("12a4");
    QTest::keyClick(Ctl(edtJustifComp), Qt::Key_V, Qt::ControlModifier);
    Procesar();
    EXPECT_EQ(hoja.Texto(edtJustifComp), "124");
    EXPECT_EQ(static_cast<QLineEdit*>(Ctl(edtJustifComp))->text(), "124");
    EXPECT_EQ(p.mensajes.pitidos, 1);

    portapapeles.Poner("5");
    QTest::keyClick(Ctl(edtJustifComp), Qt::Key_Insert, Qt::ShiftModifier);
    Procesar();
    EXPECT_EQ(hoja.Texto(edtJustifComp), "1245");

    hoja.EstablecerSelección(edtJustifComp, 1, 2);
    QTest::keyClick(Ctl(edtJustifComp), Qt::Key_X, Qt::ControlModifier);
    Procesar();
    EXPECT_EQ(portapapeles.TextoUtf8(), "24");
    EXPECT_EQ(hoja.Texto(edtJustifComp), "15");

    hoja.EstablecerSelección(edtJustifComp, 0, 2);
    ventana->Botón("Copiar")->trigger();
    EXPECT_EQ(portapapeles.TextoUtf8(), "15");
    ventana->Botón("Pegar")->trigger();
    Procesar();
    EXPECT_EQ(hoja.Texto(edtJustifComp), "15");
}

TEST_F(Principal, CerrarCompruebaElCampoYPreguntaPorLosCambios) {
    const char* pregunta = "¿Desea guardar los cambios efectuados en la declaración?";
    // A field that does not pass keeps the window open, before any question.
    p.Escribir(cmbProvincia, "Zz");
    Procesar();
    p.mensajes.EsperarError("Provincia errónea");
    ventana->Menú("mnuSalir")->trigger();
    Procesar();
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_FALSE(p.mensajes.Pendientes());

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

TEST_F(Principal, F1AbreElTemaDelCampoYLosMenúsDeAyudaElSuyo) {
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

TEST(VentanaAyuda, AbreElDocumentoEnElTemaYTieneContenidoEÍndice) {
    AyudaQt ayuda(std::filesystem::path(M817_SOURCE_DIR) / "Ayuda" / "ayuda.html");
    ayuda.MostrarContexto(404);
    VentanaAyuda* v = ayuda.Ventana();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->AnclaActual(), "404");
    EXPECT_GT(v->Documento()->verticalScrollBar()->value(), 0);
    EXPECT_GE(v->Contenido()->topLevelItemCount(), 10);
    EXPECT_GE(v->Índice()->count(), 30);
    v->Documento()->verticalScrollBar()->setValue(0);

    ayuda.MostrarTemas();
    EXPECT_EQ(ayuda.Ventana(), v);
    EXPECT_EQ(v->Pestañas()->currentIndex(), 0);
    EXPECT_EQ(v->AnclaActual(), "contenido");

    // Typing in the index finds the first entry that begins so, accents and case aside.
    v->Pestañas()->setCurrentIndex(1);
    QTest::keyClicks(v->Buscar(), "calc");
    ASSERT_NE(v->Índice()->currentItem(), nullptr);
    EXPECT_EQ(v->Índice()->currentItem()->text(), QString::fromUtf8("Cálculo automático"));
    QTest::keyClick(v->Buscar(), Qt::Key_Return);
    EXPECT_EQ(v->AnclaActual(), "calculo");
}
