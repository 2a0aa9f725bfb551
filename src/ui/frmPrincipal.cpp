#include "ui/frmPrincipal.h"

#include "app/Barras.h"
#include "ui/VistaHoja.h"

#include <QApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

namespace m817 {

namespace {
constexpr int kAnchoMínimo = 4000; // twips
constexpr int kAltoMínimo = 6000;
} // namespace

frmPrincipal::frmPrincipal(frmHoja1& hoja1, QWidget* padre) : QMainWindow(padre), hoja1_(hoja1) {
    setObjectName("frmPrincipal");
    marco_ = new QWidget(this);
    marco_->setObjectName("marco");
    marco_->setAutoFillBackground(true);
    QPalette p = marco_->palette();
    p.setColor(QPalette::Window, QColor(0x8a, 0x93, 0xa3));
    marco_->setPalette(p);
    setCentralWidget(marco_);
    vista_ = new VistaHoja(hoja1_.hoja, marco_);
    vScrollBar_ = new QScrollBar(Qt::Vertical, marco_);
    hScrollBar_ = new QScrollBar(Qt::Horizontal, marco_);
    vScrollBar_->setObjectName("vScrollBar");
    hScrollBar_->setObjectName("hScrollBar");
    // Dragging the thumb moves the sheet continuously, as a change does.
    connect(vScrollBar_, &QScrollBar::valueChanged, this, [this] { vScrollBar_Change(); });
    connect(hScrollBar_, &QScrollBar::valueChanged, this, [this] { hScrollBar_Change(); });
    setMinimumSize(VistaHoja::Px(kAnchoMínimo), VistaHoja::Px(kAltoMínimo));
    Form_Load();
}

void frmPrincipal::Form_Load() {
    setWindowTitle("Modelo 817");
    resize(VistaHoja::Px(kAnchoHoja) + 40, 820);
}

void frmPrincipal::vScrollBar_Change() { vista_->move(vista_->x(), -vScrollBar_->value()); }
void frmPrincipal::hScrollBar_Change() { vista_->move(-hScrollBar_->value(), vista_->y()); }

void frmPrincipal::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void frmPrincipal::Form_Resize() {
    if (isMinimized()) return;
    int grosor = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    MedidasVentana m{VistaHoja::Twips(marco_->width()), VistaHoja::Twips(marco_->height()), kAnchoHoja, kAltoHoja,
                     VistaHoja::Twips(grosor), VistaHoja::Twips(grosor)};
    Barras b = CalcularBarras(m);
    auto colocar = [](QScrollBar* barra, const EstadoBarra& e, QRect r) {
        barra->setVisible(e.visible);
        if (!e.visible) {
            barra->setValue(0);
            return;
        }
        barra->setGeometry(r);
        barra->setRange(0, VistaHoja::Px(e.máximo));
        barra->setPageStep(std::max(1, VistaHoja::Px(e.pasoGrande)));
        barra->setSingleStep(std::max(1, VistaHoja::Px(e.pasoPequeño)));
    };
    int w = marco_->width(), h = marco_->height();
    colocar(vScrollBar_, b.vertical, QRect(w - grosor, 0, grosor, VistaHoja::Px(b.vertical.longitud)));
    colocar(hScrollBar_, b.horizontal, QRect(0, h - grosor, VistaHoja::Px(b.horizontal.longitud), grosor));
    vScrollBar_Change();
    hScrollBar_Change();
    vScrollBar_->raise();
    hScrollBar_->raise();
}

} // namespace m817
