#include "ui/frmAtencion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace m817 {
namespace {

QLabel* Texto(const char* utf8, QWidget* padre) {
    auto* l = new QLabel(QString::fromUtf8(utf8), padre);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

QLabel* Viñeta(QWidget* padre) {
    auto* l = new QLabel(QStringLiteral("-"), padre);
    l->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return l;
}

} // namespace

frmAtencion::frmAtencion(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("ATENCIÓN"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Frame3 = new QGroupBox(this);
    Label7 = Texto("El modelo correspondiente a la autoliquidación del último período del año deberá ser "
                   "presentado junto con el sobre de la declaración- resumen anual, acompañado de los "
                   "\"ejemplares para el sobre anual\" correspondientes a todos los períodos de liquidación "
                   "de dicho año.",
                   Frame3);
    (new QVBoxLayout(Frame3))->addWidget(Label7);

    Frame2 = new QGroupBox(QStringLiteral(" IMPORTANTE: "), this);
    Label1 = Texto("Compruebe que el código de puntos aparece impreso de forma clara en la parte superior "
                   "derecha de la autoliquidación. Este código es muy importante para agilizar el "
                   "tratamiento de la misma.",
                   Frame2);
    Label2 = Texto("Si necesita corregir la autoliquidación una vez impresa, no lo haga sobre el papel. Haga "
                   "las modificaciones en el programa y vuelva a imprimirla.",
                   Frame2);
    auto* importante = new QVBoxLayout(Frame2);
    importante->setSpacing(10);
    importante->addWidget(Label1);
    importante->addWidget(Label2);

    Frame1 = new QGroupBox(QStringLiteral(" NO OLVIDE: "), this);
    Label6 = Viñeta(Frame1);
    Label4 = Texto("Firmar la autoliquidación.", Frame1);
    Label5 = Viñeta(Frame1);
    Label3 =
        Texto("Pegar las etiquetas identificativas en todos los ejemplares de la autoliquidación.", Frame1);
    auto* noOlvide = new QGridLayout(Frame1);
    noOlvide->setColumnMinimumWidth(0, 14);
    noOlvide->setColumnStretch(1, 1);
    noOlvide->addWidget(Label6, 0, 0);
    noOlvide->addWidget(Label4, 0, 1);
    noOlvide->addWidget(Label5, 1, 0);
    noOlvide->addWidget(Label3, 1, 1);

    btnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto* botón = new QHBoxLayout;
    botón->addStretch();
    botón->addWidget(btnAceptar);
    botón->addStretch();

    auto* todo = new QVBoxLayout(this);
    todo->setSpacing(12);
    todo->addWidget(Frame3);
    todo->addWidget(Frame2);
    todo->addWidget(Frame1);
    todo->addLayout(botón);

    // Wide enough that the paragraphs keep a comfortable line length.
    setFixedWidth(480);
    setFixedHeight(heightForWidth(480) > 0 ? heightForWidth(480) : sizeHint().height());
}

void frmAtencion::Mostrar(QWidget* padre) {
    frmAtencion f(padre);
    f.exec();
}

} // namespace m817
