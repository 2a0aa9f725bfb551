#include "ui/frmSeleccionarImpresora.h"

#include "platform/Texto1252.h"
#include "print/SeleccionImpresora.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace m817 {
namespace {

// Icon 1 an ordinary printer; icon 2 the default printer, with a check mark.
QIcon IconoImpresora(bool predeterminada) {
    QPixmap dibujo(32, 32);
    dibujo.fill(Qt::transparent);
    QPainter p(&dibujo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10)); // paper in
    p.setBrush(QColor(200, 200, 205));
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 19, 14, 10)); // paper out
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(12, 23), QPointF(20, 23));
    p.drawLine(QPointF(12, 26), QPointF(20, 26));
    if (predeterminada) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QRectF(0, 0, 13, 13));
        QPainterPath marca;
        marca.moveTo(3, 6.5);
        marca.lineTo(5.5, 9.5);
        marca.lineTo(10, 3.5);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(marca);
    }
    return QIcon(dibujo);
}

QString Qt1252(const std::string& s) {
    return QString::fromStdString(Utf8(s));
}

} // namespace

frmSeleccionarImpresora::frmSeleccionarImpresora(SelecciónImpresora& modelo, QWidget* padre)
    : QDialog(padre), modelo_(modelo) {
    setWindowTitle(QString::fromUtf8(SelecciónImpresora::kTítulo));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    lvwImpresoras = new QListWidget(this);
    lvwImpresoras->setObjectName(QStringLiteral("lvwImpresoras"));
    lvwImpresoras->setIconSize(QSize(32, 32));
    lvwImpresoras->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwImpresoras->setMinimumSize(360, 180);

    cmdBorrador = new QPushButton(QString::fromUtf8(SelecciónImpresora::kBorrador), this);
    cmdOficial = new QPushButton(QString::fromUtf8(SelecciónImpresora::kOficial), this);
    cmdCancelar = new QPushButton(QString::fromUtf8(SelecciónImpresora::kCancelar), this);
    cmdBorrador->setObjectName(QStringLiteral("cmdBorrador"));
    cmdOficial->setObjectName(QStringLiteral("cmdOficial"));
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdOficial->setDefault(true);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdBorrador);
    botones->addWidget(cmdOficial);
    botones->addWidget(cmdCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lvwImpresoras);
    todo->addLayout(botones);

    modelo_.AlCerrar = [this] { done(modelo_.Modo()); };
    connect(lvwImpresoras, &QListWidget::currentRowChanged, this, [this](int fila) {
        modelo_.Seleccionar(fila);
        ActualizarBotones();
    });
    connect(lvwImpresoras, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { modelo_.lvwImpresoras_DblClick(lvwImpresoras->row(item)); });
    connect(cmdBorrador, &QPushButton::clicked, this, [this] { modelo_.cmdBorrador_Click(); });
    connect(cmdOficial, &QPushButton::clicked, this, [this] { modelo_.cmdOficial_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { modelo_.cmdCancelar_Click(); });
    Rellenar();
}

void frmSeleccionarImpresora::Rellenar() {
    const int elegida = modelo_.Seleccionada();
    lvwImpresoras->clear();
    for (const EntradaImpresora& e : modelo_.Entradas()) {
        auto* item = new QListWidgetItem(IconoImpresora(e.icono == SelecciónImpresora::kIconoPredeterminada),
                                         Qt1252(e.texto), lvwImpresoras);
        item->setData(Qt::UserRole, QString::fromStdString(e.clave));
    }
    lvwImpresoras->setCurrentRow(elegida);
    if (elegida >= 0) lvwImpresoras->scrollToItem(lvwImpresoras->item(elegida));
    ActualizarBotones();
}

void frmSeleccionarImpresora::ActualizarBotones() {
    cmdBorrador->setEnabled(modelo_.BotonesHabilitados());
    cmdOficial->setEnabled(modelo_.BotonesHabilitados());
}

int frmSeleccionarImpresora::Mostrar(SelecciónImpresora& modelo, QWidget* padre) {
    if (!modelo.Cargar()) return modelo.Modo();
    frmSeleccionarImpresora diálogo(modelo, padre);
    diálogo.exec();
    modelo.AlCerrar = nullptr;
    return modelo.Modo();
}

} // namespace m817
