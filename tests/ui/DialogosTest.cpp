// The program's own dialogs in real widgets: message boxes as the user sees them, the saved-return dialog
// over its model (whose rows, sorting and questions are tested with the model), and the attention window.
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "platform/qt/Aplicacion.h"
#include "platform/qt/MensajesQt.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/Dobles.h"
#include "support/Registros.h"
#include "ui/frmAtencion.h"
#include "ui/frmInicio.h"
#include "ui/frmSeleccionarDeclaracion.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace m817;
using namespace m817::prueba;

namespace {

// What the user saw in the box, and how it was answered.
struct Vista {
    QString título, texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    QStringList botones;
    QString predeterminado;
    Qt::TextFormat formato = Qt::AutoText;
};

// Shows the message and, once the box is up, reads it and presses `pulsar`
// (NoButton: the Escape key).
Respuesta MostrarYPulsar(MensajesQt& s, const Mensaje& m, QMessageBox::StandardButton pulsar, Vista& vista) {
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja) {
            ADD_FAILURE() << "no message box on screen";
            return;
        }
        vista.título = caja->windowTitle();
        vista.texto = caja->text();
        vista.icono = caja->icon();
        vista.formato = caja->textFormat();
        for (auto* b : caja->buttons())
            vista.botones << b->text();
        std::sort(vista.botones.begin(), vista.botones.end());
        if (caja->defaultButton()) vista.predeterminado = caja->defaultButton()->text();
        if (pulsar == QMessageBox::NoButton)
            QTest::keyClick(caja, Qt::Key_Escape);
        else
            caja->button(pulsar)->click();
    });
    return s.Mostrar(m);
}

class MensajesEnPantalla : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(PrepararAplicación(*qApp)); }
    MensajesQt mensajes;
};

} // namespace

TEST_F(MensajesEnPantalla, BotonesIconoTítuloYRespuesta) {
    using Q = QMessageBox;
    using R = Respuesta;
    constexpr auto Esc = Q::NoButton; // the Escape key
    struct Caso {
        Icono icono;
        Botones botones;
        R predeterminada;
        Q::StandardButton pulsar;
        Q::Icon visto;
        const char *botonesVistos, *predeterminadoVisto; // sorted, joined by commas
        R respuesta;
    };
    const Caso casos[] = {
        {Icono::Crítico, Botones::Aceptar, R::Aceptar, Q::Ok, Q::Critical, "Aceptar", "Aceptar", R::Aceptar},
        {Icono::Crítico, Botones::Aceptar, R::Aceptar, Esc, Q::Critical, "Aceptar", "Aceptar", R::Aceptar},
        {Icono::Pregunta, Botones::SíNo, R::No, Q::Yes, Q::Question, "&No,&Sí", "&No", R::Sí},
        {Icono::Pregunta, Botones::SíNo, R::No, Esc, Q::Question, "&No,&Sí", "&No", R::No},
        {Icono::Exclamación, Botones::SíNoCancelar, R::Sí, Q::No, Q::Warning, "&No,&Sí,Cancelar", "&Sí",
         R::No},
        {Icono::Exclamación, Botones::SíNoCancelar, R::Sí, Esc, Q::Warning, "&No,&Sí,Cancelar", "&Sí",
         R::Cancelar},
        {Icono::Información, Botones::AceptarCancelar, R::Cancelar, Q::Ok, Q::Information, "Aceptar,Cancelar",
         "Cancelar", R::Aceptar},
        {Icono::Ninguno, Botones::AceptarCancelar, R::Aceptar, Esc, Q::NoIcon, "Aceptar,Cancelar", "Aceptar",
         R::Cancelar}};
    bool conTítulo = false; // every other message has a title of its own
    for (const auto& c : casos) {
        SCOPED_TRACE(c.botonesVistos);
        conTítulo = !conTítulo;
        Vista v;
        const R r = MostrarYPulsar(
            mensajes, {W("¿Guardar?"), conTítulo ? "Aviso" : "", c.icono, c.botones, c.predeterminada},
            c.pulsar, v);
        EXPECT_EQ(r, c.respuesta);
        EXPECT_EQ(v.título, conTítulo ? "Aviso" : "Modelo 817");
        EXPECT_EQ(v.texto, QString::fromUtf8("¿Guardar?"));
        EXPECT_EQ(v.icono, c.visto);
        EXPECT_EQ(v.botones.join(","), QString::fromUtf8(c.botonesVistos));
        EXPECT_EQ(v.predeterminado, QString::fromUtf8(c.predeterminadoVisto));
    }
}

TEST_F(MensajesEnPantalla, ElTextoSeMuestraTalCualAunqueParezcaMarcado) {
    // Windows-1252 in, as the program holds it; line breaks as the program writes them.
    const std::string texto =
        W("¿Desea guardar los cambios efectuados en la declaración?\r\n<b>Peña & Cía</b> · 1.000,00 €");
    Vista v;
    MostrarYPulsar(mensajes, {texto, "", Icono::Pregunta, Botones::SíNo, Respuesta::No}, QMessageBox::No, v);
    EXPECT_EQ(v.texto, QString::fromUtf8("¿Desea guardar los cambios efectuados en la declaración?\n"
                                         "<b>Peña & Cía</b> · 1.000,00 €"));
    EXPECT_EQ(v.formato, Qt::PlainText);
}

namespace {

// Records 1 to 5; record 3 is deleted.
const Guardada kFilas[] = {{"22222222J", "GARCÍA LUIS", "2010", "2T", "0", "", ""},
                           {"11111111H", "ZAPATA ANA", "2009", "1T", "1", "15/11/2010", "8170612345673"},
                           {"00000000T", "BORRADA", "2010", "1T", "0", "", "", false},
                           {"33333333P", "ÁLVAREZ EVA", "2010", "1T", "0", "", ""},
                           {"44444444A", "GARCÍA LUIS", "2009", "4T", "0", "", ""}};

class DiálogoSelección : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string bytes;
        for (const auto& f : kFilas)
            bytes += RegistroGuardado(f).Bytes();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    }

    // The dialog for a command, shown (not modal) so that its widgets have their places.
    std::unique_ptr<frmSeleccionarDeclaración> Abrir(const char* título, const char* botón,
                                                     std::int32_t actual) {
        if (!modelo.Cargar(archivos, RutaDeclaraciones(carpeta.Datos()), mensajes, actual)) return nullptr;
        auto d = std::make_unique<frmSeleccionarDeclaración>(modelo, mensajes, W(título), W(botón));
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        return d;
    }
    static void DobleClic(frmSeleccionarDeclaración& d, int fila) {
        QTreeView* v = d.lvwDeclaraciones;
        const QRect r = v->visualRect(v->model()->index(fila, 1));
        // The view takes a double click only on the row it was pressed on.
        QTest::mousePress(v->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, r.center());
    }

    CarpetaTemporal carpeta;
    ArchivosPosix archivos;
    MensajesGuion mensajes;
    SeleccionDeclaraciones modelo;
};

TEST_F(DiálogoSelección, ElegirPorDobleClicOConElBotón) {
    struct Caso {
        const char* título;
        const char* botón;
        int fila; // in N.I.F. order: 0 is the printed return, record 2
        bool pregunta;
        std::int32_t registro;
    };
    const Caso casos[] = {
        {"Copiar declaración desde...", "C&opiar", 0, false, 2}, // a copy carries no print data
        {"Abrir declaración", "&Abrir", 0, true, 2},
        {"Abrir declaración", "&Abrir", 3, false, 5}};
    const std::string aviso =
        "La declaración seleccionada ya ha sido impresa.\r\r     N.I.F.: \t\t11111111H\r"
        "     Nombre: \tZAPATA ANA\r     Fec.Impresión: \t15/11/2010\r"
        "     Nº Justificante: \t8170612345673\r\r¿Continuar con la operación?";
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.título) + " " + std::to_string(c.fila));
        auto d = Abrir(c.título, c.botón, 0);
        ASSERT_TRUE(d);
        if (c.pregunta) {
            // No leaves the dialog open; the button then asks again.
            mensajes.EsperarPregunta(aviso, Respuesta::No, "Aviso");
            DobleClic(*d, c.fila);
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(modelo.NumRegistroSeleccionado(), 0);
            mensajes.EsperarPregunta(aviso, Respuesta::Sí, "Aviso");
            QTest::mouseClick(d->cmdSeleccionar, Qt::LeftButton);
        } else {
            DobleClic(*d, c.fila);
        }
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Accepted);
        EXPECT_EQ(modelo.NumRegistroSeleccionado(), c.registro);
    }
}

} // namespace

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
