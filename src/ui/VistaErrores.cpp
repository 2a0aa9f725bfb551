#include "ui/VistaErrores.h"

#include "ui/Accesibilidad.h"
#include "ui/Iconos.h"
#include "ui/VistaHoja.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace m817 {

namespace {
constexpr int kClave = Qt::UserRole;
}

BordeErrores::BordeErrores(QWidget* padre) : QWidget(padre) {
    setObjectName("pctBordeErrores");
    setCursor(Qt::SplitVCursor);
}

void BordeErrores::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) agarre_ = e->position().y();
    e->accept();
}

void BordeErrores::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const int Y = VistaHoja::Twips(static_cast<int>(std::lround(e->position().y() - agarre_)));
    if (Y != 0 && alArrastrar) alArrastrar(Y);
    e->accept();
}

void BordeErrores::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), palette().window());
    g.setPen(palette().color(QPalette::Light));
    g.drawLine(0, 0, width(), 0);
    g.setPen(palette().color(QPalette::Mid));
    g.drawLine(0, height() - 1, width(), height() - 1);
    // A grip in the middle says the bar can be dragged.
    g.setPen(Qt::NoPen);
    g.setBrush(palette().color(QPalette::Mid));
    const int y = height() / 2;
    for (int i = -2; i <= 2; ++i)
        g.drawEllipse(QPointF(width() / 2.0 + 5 * i, y), 1.0, 1.0);
}

ÁrbolErrores::ÁrbolErrores(QWidget* padre) : QTreeWidget(padre) {
    setObjectName("trvErrores");
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item && alElegir) alElegir(Clave(item));
    });
}

std::string ÁrbolErrores::Clave(const QTreeWidgetItem* item) {
    return item ? item->data(0, kClave).toByteArray().toStdString() : std::string();
}

std::string ÁrbolErrores::ClaveSeleccionada() const {
    return Clave(currentItem());
}

void ÁrbolErrores::Llenar(const std::vector<LíneaErrores>& líneas) {
    // Lines are updated in place rather than made anew: the check that runs when the list gets the focus
    // changes it between the press and the release of a click, which must still land on its line.
    static const QIcon iconos[] = {IconoEntrada(1), IconoEntrada(2), IconoEntrada(3)};
    QSignalBlocker bloqueo(this);
    for (int i = topLevelItemCount() - 1; i >= 0; --i) {
        const std::string clave = Clave(topLevelItem(i));
        bool sigue = false;
        for (const auto& l : líneas)
            sigue = sigue || l.clave == clave;
        if (!sigue) delete takeTopLevelItem(i);
    }
    for (int i = 0; i < static_cast<int>(líneas.size()); ++i) {
        const LíneaErrores& l = líneas[static_cast<std::size_t>(i)];
        QTreeWidgetItem* item = nullptr;
        for (int j = i; j < topLevelItemCount() && !item; ++j) {
            if (Clave(topLevelItem(j)) != l.clave) continue;
            item = topLevelItem(j);
            if (j != i) {
                const bool actual = currentItem() == item;
                takeTopLevelItem(j);
                insertTopLevelItem(i, item);
                if (actual) setCurrentItem(item);
            }
        }
        if (!item) {
            item = new QTreeWidgetItem;
            item->setData(0, kClave, QByteArray::fromStdString(l.clave));
            insertTopLevelItem(i, item);
        }
        if (item->text(0) != l.texto) item->setText(0, l.texto);
        item->setData(0, Qt::AccessibleTextRole, TextoAccesibleEntrada(l.imagen, l.texto));
        if (l.imagen >= 1 && l.imagen <= 3)
            item->setIcon(0, iconos[l.imagen - 1]);
        else
            item->setIcon(0, QIcon());
    }
}

void ÁrbolErrores::focusInEvent(QFocusEvent* e) {
    QTreeWidget::focusInEvent(e);
    if (alRecibirFoco) alRecibirFoco();
}

void ÁrbolErrores::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto* item = currentItem(); item && alElegir) alElegir(Clave(item));
        e->accept();
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

} // namespace m817
