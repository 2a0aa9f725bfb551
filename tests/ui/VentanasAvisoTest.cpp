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

TEST(frmInicio, PresentaciónSinBotónNiTítuloYSinBloquear) {
    auto splash = frmInicio::MostrarPresentación();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_FALSE(splash->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash->lblVersión->text(), QString::fromUtf8("Versión 3.2.2"));
    EXPECT_FALSE(splash->btnAceptar->isVisible());
    EXPECT_TRUE(splash->Label1->text().isEmpty());
    splash->close();
    EXPECT_FALSE(splash->isVisible());
}

TEST(frmInicio, AcercaDeEsModalConSuBotónQueLaCierra) {
    QWidget principal;
    principal.setWindowTitle(QStringLiteral("Modelo 817"));
    principal.show();
    bool vista = false;
    AlAparecer<frmInicio>([&](frmInicio& f) {
        vista = true;
        EXPECT_EQ(f.parentWidget(), &principal);
        EXPECT_EQ(f.lblVersión->text(), QString::fromUtf8("Versión 3.2.2"));
        EXPECT_TRUE(f.btnAceptar->isVisible());
        EXPECT_EQ(f.btnAceptar->text(), QStringLiteral("&Aceptar"));
        EXPECT_TRUE(f.windowTitle().isEmpty());
        f.btnAceptar->click();
    });
    frmInicio::MostrarAcercaDe(&principal);
    EXPECT_TRUE(vista);
}

TEST(frmAtencion, TítuloYTextos) {
    frmAtencion f;
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("ATENCIÓN"));

    struct Rótulo {
        const char* control;
        QString real;
        const char* esperado;
    };
    const Rótulo rótulos[] = {
        {"Frame3", f.Frame3->title(), ""},
        {"Label7", f.Label7->text(),
         "El modelo correspondiente a la autoliquidación del último período del año deberá ser presentado "
         "junto con el sobre de la declaración- resumen anual, acompañado de los \"ejemplares para el sobre "
         "anual\" correspondientes a todos los períodos de liquidación de dicho año."},
        {"Frame2", f.Frame2->title(), " IMPORTANTE: "},
        {"Label1", f.Label1->text(),
         "Compruebe que el código de puntos aparece impreso de forma clara en la parte superior derecha de "
         "la autoliquidación. Este código es muy importante para agilizar el tratamiento de la misma."},
        {"Label2", f.Label2->text(),
         "Si necesita corregir la autoliquidación una vez impresa, no lo haga sobre el papel. Haga las "
         "modificaciones en el programa y vuelva a imprimirla."},
        {"Frame1", f.Frame1->title(), " NO OLVIDE: "},
        {"Label6", f.Label6->text(), "-"},
        {"Label4", f.Label4->text(), "Firmar la autoliquidación."},
        {"Label5", f.Label5->text(), "-"},
        {"Label3", f.Label3->text(),
         "Pegar las etiquetas identificativas en todos los ejemplares de la autoliquidación."},
        {"btnAceptar", f.btnAceptar->text(), "&Aceptar"},
    };
    for (const auto& r : rótulos)
        EXPECT_EQ(r.real, QString::fromUtf8(r.esperado)) << r.control;

    // Each text sits in its own group, the bullets beside their lines.
    EXPECT_TRUE(f.Frame3->isAncestorOf(f.Label7));
    for (QLabel* l : {f.Label1, f.Label2})
        EXPECT_TRUE(f.Frame2->isAncestorOf(l));
    for (QLabel* l : {f.Label6, f.Label4, f.Label5, f.Label3})
        EXPECT_TRUE(f.Frame1->isAncestorOf(l));
}

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
