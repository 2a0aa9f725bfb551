// The saved-return dialog in real widgets: what the list shows, clicks on its headers, choosing by double
// click or button, and the dialog that never shows when there is nothing to choose.
#include "ui/frmSeleccionarDeclaracion.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/Dobles.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace m817;
using namespace m817::prueba;

namespace {

struct Fila {
    const char* nif;
    const char* nombre; // UTF-8
    const char* ejercicio;
    const char* periodo;
    const char* complementaria;
    const char* fecha;
    bool viva = true;
};

// Records 1 to 5; record 3 is deleted.
const Fila kFilas[] = {
    {"22222222J", "GARCÍA LUIS", "2010", "2T", "0", ""},
    {"11111111H", "ZAPATA ANA", "2009", "1T", "1", "15/11/2010"},
    {"00000000T", "BORRADA", "2010", "1T", "0", "", false},
    {"33333333P", "ÁLVAREZ EVA", "2010", "1T", "0", ""},
    {"44444444A", "GARCÍA LUIS", "2009", "4T", "0", ""},
};

class DiálogoSelección : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string bytes;
        for (const auto& f : kFilas) {
            RegistroDeclaración r;
            r.Poner(CampoRegistro::NIF, f.nif);
            r.Poner(CampoRegistro::Nombre, W(f.nombre));
            r.Poner(CampoRegistro::Ejercicio, f.ejercicio);
            r.Poner(CampoRegistro::Periodo, f.periodo);
            r.Poner(CampoRegistro::Complementaria, f.complementaria);
            r.Poner(CampoRegistro::FechaImpresión, f.fecha);
            r.Poner(CampoRegistro::NúmeroJustificante, *f.fecha ? "8170612345673" : "");
            if (!f.viva) r.MarcarBorrado();
            bytes += r.Bytes();
        }
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
    // Column 0 (N.I.F.) of every row, top to bottom.
    static std::vector<std::string> NIFs(const frmSeleccionarDeclaración& d) {
        std::vector<std::string> v;
        auto* m = d.lvwDeclaraciones->model();
        for (int r = 0; r < m->rowCount(); ++r)
            v.push_back(m->index(r, 0).data().toString().toStdString());
        return v;
    }
    static void ClicEnEncabezado(frmSeleccionarDeclaración& d, int sección) {
        QHeaderView* h = d.lvwDeclaraciones->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(sección) + 5, h->height() / 2));
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

TEST_F(DiálogoSelección, MuestraLasDeclaracionesVivasEnSusColumnas) {
    auto d = Abrir("Eliminar declaración", "&Eliminar", 4);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Eliminar declaración");
    EXPECT_EQ(d->cmdSeleccionar->text(), "&Eliminar");
    EXPECT_TRUE(d->cmdSeleccionar->isDefault());
    EXPECT_EQ(d->cmdCancelar->text(), "&Cancelar");

    auto* m = d->lvwDeclaraciones->model();
    const char* encabezados[] = {"N.I.F.",         "Apellidos y Nombre", "Ejercicio", "Periodo",
                                 "Complementaria", "Impresión",          "",          ""};
    const int anchos[] = {1200, 9000 - 4125, 1000, 1000, 900, 900}; // twips
    ASSERT_EQ(m->columnCount(), 8);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(encabezados[c])) << c;
        EXPECT_EQ(d->lvwDeclaraciones->isColumnHidden(c), c >= 6) << c;
        if (c < 6) {
            // Wider only where the caption needs it.
            EXPECT_GE(d->lvwDeclaraciones->columnWidth(c), anchos[c] * d->logicalDpiX() / 1440 - 1) << c;
        }
        const auto alineación = m->index(0, c).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask;
        EXPECT_EQ(alineación, c < 2 ? Qt::AlignLeft : Qt::AlignHCenter) << c;
    }

    // The deleted record is not there; rows in N.I.F. order, the return on screen selected.
    EXPECT_EQ(NIFs(*d), (std::vector<std::string>{"11111111H", "22222222J", "33333333P", "44444444A"}));
    EXPECT_EQ(d->FilaActual(), 2);
    const QStringList fila0 = [&] {
        QStringList l;
        for (int c = 0; c < 8; ++c)
            l << m->index(0, c).data().toString();
        return l;
    }();
    EXPECT_EQ(fila0, (QStringList{"11111111H", "ZAPATA ANA", "2009", "1T", "C", "Emitida", "15/11/2010",
                                  "8170612345673"}));

    // An unsaved return on screen: the first row.
    d = Abrir("Abrir declaración", "&Abrir", 0);
    EXPECT_EQ(d->FilaActual(), 0);
}

TEST_F(DiálogoSelección, UnClicEnElEncabezadoOrdenaYOtroInvierte) {
    auto d = Abrir("Abrir declaración", "&Abrir", 1);
    ASSERT_TRUE(d);
    QHeaderView* h = d->lvwDeclaraciones->header();
    EXPECT_EQ(h->sortIndicatorSection(), 0);

    ClicEnEncabezado(*d, 2); // Ejercicio, then name, then period
    EXPECT_EQ(NIFs(*d), (std::vector<std::string>{"44444444A", "11111111H", "33333333P", "22222222J"}));
    EXPECT_EQ(h->sortIndicatorSection(), 2);
    EXPECT_EQ(h->sortIndicatorOrder(), Qt::AscendingOrder);
    ClicEnEncabezado(*d, 2);
    EXPECT_EQ(NIFs(*d), (std::vector<std::string>{"22222222J", "33333333P", "11111111H", "44444444A"}));
    EXPECT_EQ(h->sortIndicatorOrder(), Qt::DescendingOrder);

    // The selection follows its row.
    EXPECT_EQ(d->FilaActual(), 0);
    EXPECT_EQ(modelo.Registro(static_cast<std::size_t>(d->FilaActual())), 1);

    ClicEnEncabezado(*d, 1); // name, then every column to its right
    EXPECT_EQ(NIFs(*d), (std::vector<std::string>{"33333333P", "44444444A", "22222222J", "11111111H"}));
    EXPECT_EQ(h->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(DiálogoSelección, ElegirPorDobleClicOConElBotón) {
    struct Caso {
        const char* título;
        const char* botón;
        int fila; // in N.I.F. order: 0 is the printed return, record 2
        bool pregunta;
        std::int32_t registro;
    };
    const Caso casos[] = {
        {"Copiar declaración desde...", "C&opiar", 0, false, 2},
        {"Abrir declaración", "&Abrir", 0, true, 2},
        {"Eliminar declaración", "&Eliminar", 0, true, 2},
        {"Abrir declaración", "&Abrir", 3, false, 5},
    };
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

    // Nothing to choose (no file, or only deleted records): the user is told and no dialog shows.
    for (bool hayArchivo : {false, true}) {
        std::filesystem::remove(RutaDeclaraciones(datos));
        if (hayArchivo)
            carpeta.EscribirDatos(kNombreArchivoDeclaraciones, std::string(RegistroBorrado().Bytes()));
        mensajes.Esperar("No existe ninguna declaración grabada", Icono::Exclamación, Botones::Aceptar);
        EXPECT_EQ(frmSeleccionarDeclaración::Elegir(nullptr, W("Abrir declaración"), "&Abrir", 0, archivos,
                                                    datos, mensajes),
                  0);
    }
}

} // namespace
