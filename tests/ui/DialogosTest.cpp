// The program's own dialogs in real widgets: message boxes as the user sees and answers them, and the
// attention window.
#include "platform/Texto1252.h"
#include "platform/qt/Aplicacion.h"
#include "platform/qt/MensajesQt.h"
#include "ui/frmAtencion.h"

#include <QApplication>
#include <QLabel>
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

// Shows the message and, once the box is up, reads it and presses `pulsar` (NoButton: the Escape key).
Respuesta MostrarYPulsar(MensajesQt& s, const Mensaje& m, QMessageBox::StandardButton pulsar, Vista& vista) {
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caja, nullptr);
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

} // namespace

// The text goes in as the program holds it (Windows-1252, its line breaks) and shows as it is, markup and
// all.
TEST(MensajesEnPantalla, BotonesIconoTítuloTextoYRespuesta) {
    ASSERT_TRUE(PrepararAplicación(*qApp));
    MensajesQt mensajes;
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
        const R r = MostrarYPulsar(mensajes,
                                   {W("¿Guardar?\r\n<b>Peña & Cía</b> 1.000,00 €"), conTítulo ? "Aviso" : "",
                                    c.icono, c.botones, c.predeterminada},
                                   c.pulsar, v);
        EXPECT_EQ(r, c.respuesta);
        EXPECT_EQ(v.título, conTítulo ? "Aviso" : "Modelo 817");
        EXPECT_EQ(v.texto, QString::fromUtf8("¿Guardar?\n<b>Peña & Cía</b> 1.000,00 €"));
        EXPECT_EQ(v.formato, Qt::PlainText);
        EXPECT_EQ(v.icono, c.visto);
        EXPECT_EQ(v.botones.join(","), QString::fromUtf8(c.botonesVistos));
        EXPECT_EQ(v.predeterminado, QString::fromUtf8(c.predeterminadoVisto));
    }
}
