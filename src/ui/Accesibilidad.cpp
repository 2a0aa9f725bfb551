#include "ui/Accesibilidad.h"

#include "ui/VistaErrores.h"
#include "ui/VistaHoja.h"
#include "ui/frmPrincipal.h"
#include "validation/ListaErrores.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

namespace m817 {

namespace {

QString Etiqueta(IdCampo id) {
    const std::string_view e = Definición(id).etiqueta;
    return QString::fromUtf8(e.data(), static_cast<qsizetype>(e.size()));
}

QString DosCifras(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A menu text without its mnemonic marks.
QString SinAtajo(QString texto) {
    texto.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    texto.remove(QLatin1Char('&'));
    texto.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return texto;
}

} // namespace

QString NombreAccesible(IdCampo id) {
    using namespace campos;
    const DefiniciónCampo& d = Definición(id);
    const QString dash = QStringLiteral(" – ");
    if (d.control == Control::edtCasilla)
        return QStringLiteral("Casilla ") + DosCifras(d.índice) + dash + Etiqueta(id);
    // The rate of a line is that of its base box.
    if (d.control == Control::edtTipos) return Etiqueta(id) + dash + QStringLiteral("casilla ") + DosCifras(d.índice);
    if (d.control == Control::edtResultado) return Etiqueta(id) + dash + Etiqueta(optResultado(d.índice));
    if (d.control == Control::edtCCCIng) return Etiqueta(id) + dash + QStringLiteral("cuenta de adeudo del ingreso");
    if (d.control == Control::edtCCCDev) return Etiqueta(id) + dash + QStringLiteral("cuenta de la devolución");
    // The fields the sheet keeps out of sight for the saved return.
    if (id == edtIdDeclaración) return QStringLiteral("Número de registro de la declaración");
    if (id == edtNúmeroJustificante) return QStringLiteral("Número de justificante");
    if (id == edtFechaImpresión) return QStringLiteral("Fecha de impresión");
    return Etiqueta(id);
}

QString TextoAccesibleEntrada(int imagen, const QString& texto) {
    if (imagen == ListaErrores::kImagenError) return QStringLiteral("Error: ") + texto;
    if (imagen == ListaErrores::kImagenAviso) return QStringLiteral("Aviso: ") + texto;
    return texto;
}

void HacerAccesibleHoja(VistaHoja& vista) {
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        QWidget* w = vista.Control(id);
        if (!w) continue;
        w->setAccessibleName(NombreAccesible(id));
        // A list takes its text in a box of its own, which the reader meets as a text field.
        if (auto* lista = qobject_cast<QComboBox*>(w); lista && lista->lineEdit())
            lista->lineEdit()->setAccessibleName(NombreAccesible(id));
    }
    vista.setAccessibleName(QStringLiteral("Hoja de la declaración"));

    // Some styles draw no focus mark on a box without text, and a text box only blinks its caret: the frame
    // follows the focus while it is on the sheet.
    auto* marco = new QFocusFrame(&vista);
    QPointer<QFocusFrame> m(marco);
    QObject::connect(qApp, &QApplication::focusChanged, marco, [m, &vista](QWidget*, QWidget* ahora) {
        if (!m) return;
        // The whole field is framed, even when the focus is in a part of it (the text of a list).
        QWidget* campo = ahora && vista.isAncestorOf(ahora) ? ahora : nullptr;
        while (campo && campo->parentWidget() != &vista)
            campo = campo->parentWidget();
        m->setWidget(campo);
    });
}

void HacerAccesibleVentana(frmPrincipal& ventana) {
    if (QToolBar* barra = ventana.tlbPrincipal()) {
        barra->setAccessibleName(QStringLiteral("Barra de herramientas"));
        for (QToolButton* b : barra->findChildren<QToolButton*>()) {
            const QAction* a = b->defaultAction();
            if (a && !a->text().isEmpty()) b->setAccessibleName(SinAtajo(a->text()));
        }
    }
    if (ÁrbolErrores* árbol = ventana.trvErrores())
        árbol->setAccessibleName(QStringLiteral("Lista de errores"));
    if (QScrollBar* v = ventana.vScrollBar()) v->setAccessibleName(QStringLiteral("Desplazamiento vertical"));
    if (QScrollBar* h = ventana.hScrollBar())
        h->setAccessibleName(QStringLiteral("Desplazamiento horizontal"));
}

} // namespace m817
