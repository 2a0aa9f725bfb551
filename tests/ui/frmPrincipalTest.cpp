// The main window in real widgets on the offscreen platform: menus and toolbar as the user sees them, the
// error panel with its bar, the clipboard and the help key, and the frame's layout rules.
#include "ui/frmPrincipal.h"
#include "app/Hoja.h"
#include "platform/Texto1252.h"
#include "platform/qt/AyudaQt.h"
#include "platform/qt/PortapapelesQt.h"
#include "support/HojaPrueba.h"
#include "ui/VentanaPrueba.h"
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

struct Principal : prueba::VentanaPrueba {
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

} // namespace

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
    auto* árbol = ventana->trvErrores();
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

TEST_F(Principal, LaVentanaMásPequeñaDeLoPermitidoVuelveAlMínimo) {
    ventana->resize(100, 100);
    Procesar();
    EXPECT_EQ(ventana->size(), QSize(VistaHoja::Px(4000), VistaHoja::Px(6000)));
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
