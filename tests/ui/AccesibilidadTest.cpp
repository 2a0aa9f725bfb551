// What a screen reader finds in the main window: Qt's accessibility interface walked over the whole window,
// every control it offers named, the numbered boxes by number and caption, the error list's entries by kind.
#include "ui/Accesibilidad.h"
#include "support/HojaPrueba.h"
#include "support/ServiciosVentana.h"
#include "ui/VentanaPrueba.h"
#include "ui/VistaErrores.h"
#include "ui/VistaHoja.h"
#include "ui/frmPrincipal.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace m817;
using namespace m817::campos;

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
