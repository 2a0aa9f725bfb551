#include "ui/frmAtencion.h"
#include "ui/frmInicio.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

using namespace m817;

namespace {

// Runs `mirar` on the modal window once it is up; `mirar` must close it.
template <class Ventana> void AlAparecer(std::function<void(Ventana&)> mirar) {
    QTimer::singleShot(0, [mirar] {
        auto* v = qobject_cast<Ventana*>(QApplication::activeModalWidget());
        if (!v) {
            ADD_FAILURE() << "the modal window is not on screen";
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
            return;
        }
        mirar(*v);
    });
}

} // namespace

TEST(frmAtencion, ModalSobreLaVentanaPrincipalHastaAceptar) {
    QWidget principal;
    principal.setWindowTitle(QStringLiteral("Modelo 817"));
    principal.show();
    bool vista = false;
    AlAparecer<frmAtencion>([&](frmAtencion& f) {
        vista = true;
        EXPECT_EQ(f.parentWidget(), &principal);
        EXPECT_TRUE(f.isModal());
        // Every line of text is shown whole: the window is tall enough for its wrapped paragraphs.
        for (QLabel* l : {f.Label7, f.Label1, f.Label2, f.Label3}) {
            EXPECT_GE(l->height(), l->heightForWidth(l->width())) << l->text().left(20).toStdString();
        }
        f.btnAceptar->click();
    });
    frmAtencion::Mostrar(&principal);
    EXPECT_TRUE(vista);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
