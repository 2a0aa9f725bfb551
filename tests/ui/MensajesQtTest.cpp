#include "platform/qt/MensajesQt.h"
#include "platform/qt/Aplicacion.h"

#include "platform/Texto1252.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

using namespace m817;

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
    struct Caso {
        Mensaje mensaje;
        QMessageBox::StandardButton pulsar;
        QMessageBox::Icon icono;
        QStringList botones; // sorted
        QString predeterminado;
        Respuesta respuesta;
    };
    const Caso casos[] = {
        {{"Error al leer.", "", Icono::Crítico, Botones::Aceptar, Respuesta::Aceptar},
         QMessageBox::Ok,
         QMessageBox::Critical,
         {"Aceptar"},
         "Aceptar",
         Respuesta::Aceptar},
        {{"Error al leer.", "", Icono::Crítico, Botones::Aceptar, Respuesta::Aceptar},
         QMessageBox::NoButton,
         QMessageBox::Critical,
         {"Aceptar"},
         "Aceptar",
         Respuesta::Aceptar},
        {{"¿Seguro?", "Modelo 817", Icono::Pregunta, Botones::SíNo, Respuesta::No},
         QMessageBox::Yes,
         QMessageBox::Question,
         {"&No", "&Sí"},
         "&No",
         Respuesta::Sí},
        {{"¿Seguro?", "", Icono::Pregunta, Botones::SíNo, Respuesta::No},
         QMessageBox::NoButton,
         QMessageBox::Question,
         {"&No", "&Sí"},
         "&No",
         Respuesta::No},
        {{"¿Guardar?", "Aviso", Icono::Exclamación, Botones::SíNoCancelar, Respuesta::Sí},
         QMessageBox::No,
         QMessageBox::Warning,
         {"&No", "&Sí", "Cancelar"},
         "&Sí",
         Respuesta::No},
        {{"¿Guardar?", "Aviso", Icono::Exclamación, Botones::SíNoCancelar, Respuesta::Sí},
         QMessageBox::NoButton,
         QMessageBox::Warning,
         {"&No", "&Sí", "Cancelar"},
         "&Sí",
         Respuesta::Cancelar},
        {{"Listo.", "", Icono::Información, Botones::AceptarCancelar, Respuesta::Cancelar},
         QMessageBox::Ok,
         QMessageBox::Information,
         {"Aceptar", "Cancelar"},
         "Cancelar",
         Respuesta::Aceptar},
        {{"Listo.", "", Icono::Ninguno, Botones::AceptarCancelar, Respuesta::Aceptar},
         QMessageBox::NoButton,
         QMessageBox::NoIcon,
         {"Aceptar", "Cancelar"},
         "Aceptar",
         Respuesta::Cancelar},
    };
    for (const auto& c : casos) {
        Mensaje m = c.mensaje;
        m.texto = W(m.texto);
        m.título = W(m.título);
        Vista v;
        const Respuesta r = MostrarYPulsar(mensajes, m, c.pulsar, v);
        const std::string caso = c.mensaje.texto + " / " + v.botones.join(",").toStdString();
        EXPECT_EQ(r, c.respuesta) << caso;
        EXPECT_EQ(v.título,
                  QString::fromStdString(c.mensaje.título.empty() ? "Modelo 817" : c.mensaje.título))
            << caso;
        EXPECT_EQ(v.texto, QString::fromStdString(c.mensaje.texto)) << caso;
        EXPECT_EQ(v.icono, c.icono) << caso;
        EXPECT_EQ(v.botones, c.botones) << caso;
        EXPECT_EQ(v.predeterminado, c.predeterminado) << caso;
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
