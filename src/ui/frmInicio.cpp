#include "ui/frmInicio.h"

#include "app/Version.h"
#include "platform/Texto1252.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace m817 {
namespace {

constexpr int kAncho = 540;
constexpr int kAltoPortada = 250;
const QColor kAzul(18, 52, 86);
const QColor kAzulClaro(40, 96, 140);
const QColor kOro(214, 172, 82);

// The emblem: a sealed sheet of paper with its ruled lines, inside a gold ring.
void DibujarEmblema(QPainter& p, const QPointF& centro, qreal radio) {
    p.save();
    p.translate(centro);
    QRadialGradient fondo(QPointF(-radio * 0.3, -radio * 0.3), radio * 1.4);
    fondo.setColorAt(0, QColor(255, 255, 255, 60));
    fondo.setColorAt(1, QColor(255, 255, 255, 10));
    p.setBrush(fondo);
    p.setPen(QPen(kOro, radio * 0.08));
    p.drawEllipse(QPointF(0, 0), radio, radio);
    p.setPen(QPen(QColor(kOro.red(), kOro.green(), kOro.blue(), 120), radio * 0.025));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), radio * 0.86, radio * 0.86);

    // The sheet with a folded corner.
    const qreal a = radio * 0.78, h = radio * 1.0, pliegue = radio * 0.24;
    const QRectF hoja(-a / 2, -h / 2, a, h);
    QPainterPath contorno;
    contorno.moveTo(hoja.topLeft());
    contorno.lineTo(hoja.right() - pliegue, hoja.top());
    contorno.lineTo(hoja.right(), hoja.top() + pliegue);
    contorno.lineTo(hoja.bottomRight());
    contorno.lineTo(hoja.bottomLeft());
    contorno.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 246));
    p.drawPath(contorno);
    QPainterPath esquina;
    esquina.moveTo(hoja.right() - pliegue, hoja.top());
    esquina.lineTo(hoja.right() - pliegue, hoja.top() + pliegue);
    esquina.lineTo(hoja.right(), hoja.top() + pliegue);
    esquina.closeSubpath();
    p.setBrush(QColor(200, 206, 214));
    p.drawPath(esquina);

    p.setPen(QPen(QColor(150, 165, 182), radio * 0.045, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        const qreal y = hoja.top() + h * (0.36 + 0.11 * i);
        const qreal fin = i == 4 ? hoja.left() + a * 0.5 : hoja.right() - a * 0.16;
        p.drawLine(QPointF(hoja.left() + a * 0.16, y), QPointF(fin, y));
    }
    // The seal.
    p.setPen(Qt::NoPen);
    p.setBrush(kOro);
    p.drawEllipse(QPointF(hoja.right() - a * 0.12, hoja.bottom() - a * 0.12), radio * 0.17, radio * 0.17);
    p.restore();
}

QPixmap Portada() {
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap px(QSize(kAncho, kAltoPortada) * dpr);
    px.setDevicePixelRatio(dpr);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient cielo(0, 0, kAncho, kAltoPortada);
    cielo.setColorAt(0, kAzul);
    cielo.setColorAt(1, kAzulClaro);
    p.fillRect(QRect(0, 0, kAncho, kAltoPortada), cielo);
    // Soft diagonal bands for depth.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(255, 255, 255, 8 + 4 * i));
        QPolygonF banda;
        const qreal x = kAncho * (0.45 + 0.13 * i);
        banda << QPointF(x, 0) << QPointF(x + 60, 0) << QPointF(x - 80, kAltoPortada)
              << QPointF(x - 140, kAltoPortada);
        p.drawPolygon(banda);
    }

    DibujarEmblema(p, QPointF(100, kAltoPortada / 2.0), 62);

    QFont grande(QStringLiteral("DejaVu Sans"));
    grande.setPixelSize(44);
    grande.setBold(true);
    p.setFont(grande);
    p.setPen(Qt::white);
    p.drawText(QRectF(194, 62, kAncho - 204, 56), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Modelo 817"));

    p.setPen(QPen(kOro, 2));
    p.drawLine(QPointF(196, 126), QPointF(kAncho - 30, 126));

    QFont texto(QStringLiteral("DejaVu Sans"));
    texto.setPixelSize(14);
    p.setFont(texto);
    p.setPen(QColor(226, 234, 242));
    p.drawText(QRectF(196, 136, kAncho - 206, 50), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Régimen general · Autoliquidación trimestral"));
    return px;
}

// A thin ribbon under the artwork: the program's colours.
QPixmap Cinta() {
    QPixmap px(kAncho, 6);
    QPainter p(&px);
    p.fillRect(0, 0, kAncho, 2, kOro);
    p.fillRect(0, 2, kAncho, 4, kAzul.darker(130));
    return px;
}

} // namespace

frmInicio::frmInicio(QWidget* padre) : QDialog(padre) {
    // No caption: the window is its artwork.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    Picture1 = new QLabel(this);
    Picture1->setPixmap(Portada());
    Picture1->setFixedSize(kAncho, kAltoPortada);

    btnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, &QDialog::accept);

    Label1 = new QLabel(this);
    lblVersión = new QLabel(QStringLiteral("Versión"), this);
    lblVersión->setText(QStringLiteral("Versión ") + QString::fromStdString(Utf8(VersiónPrograma())));
    QFont fuente = lblVersión->font();
    fuente.setPointSizeF(fuente.pointSizeF() * 1.05);
    lblVersión->setFont(fuente);
    lblVersión->setStyleSheet(QStringLiteral("color: #2a3f55;"));

    Image1 = new QLabel(this);
    Image1->setPixmap(Cinta());
    Image1->setFixedSize(kAncho, 6);

    auto* pie = new QHBoxLayout;
    pie->setContentsMargins(18, 10, 14, 12);
    pie->addWidget(lblVersión);
    pie->addWidget(Label1, 1);
    pie->addWidget(btnAceptar);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(1, 1, 1, 1);
    todo->setSpacing(0);
    todo->addWidget(Picture1);
    todo->addWidget(Image1);
    todo->addLayout(pie);

    // The footer keeps its height whether or not the button shows.
    const int alto = kAltoPortada + 6 + 12 + 10 + btnAceptar->sizeHint().height() + 2;
    setFixedSize(kAncho + 2, alto);
}

void frmInicio::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    // A hairline border, since the window has no frame of its own.
    QPainter p(this);
    p.setPen(QColor(120, 130, 140));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

std::unique_ptr<frmInicio> frmInicio::MostrarPresentación() {
    auto f = std::make_unique<frmInicio>();
    f->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    f->btnAceptar->hide();
    f->setModal(false);
    f->show();
    f->raise();
    QApplication::processEvents();
    return f;
}

void frmInicio::MostrarAcercaDe(QWidget* padre) {
    frmInicio f(padre);
    f.btnAceptar->show();
    f.exec();
}

} // namespace m817
