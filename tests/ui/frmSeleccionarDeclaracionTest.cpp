// The saved-return dialog in real widgets, over its model (whose rows, sorting and questions are tested with
// the model): choosing by double click or button, and what the dialog returns.
#include "ui/frmSeleccionarDeclaracion.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace m817;
using namespace m817::prueba;

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

TEST_F(DiálogoSelección, ElegirDevuelveElRegistroOCero) {
    const auto datos = carpeta.Datos();
    auto pulsar = [](const char* nombre) {
        QTimer::singleShot(0, [nombre] {
            auto* d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            auto* b = d->findChild<QPushButton*>(nombre);
            ASSERT_NE(b, nullptr);
            QTest::mouseClick(b, Qt::LeftButton);
        });
    };
    pulsar("cmdSeleccionar");
    EXPECT_EQ(frmSeleccionarDeclaración::Elegir(nullptr, W("Copiar declaración desde..."), "C&opiar", 4,
                                                archivos, datos, mensajes),
              4);
    pulsar("cmdCancelar");
    EXPECT_EQ(frmSeleccionarDeclaración::Elegir(nullptr, W("Abrir declaración"), "&Abrir", 4, archivos, datos,
                                                mensajes),
              0);
}

} // namespace
