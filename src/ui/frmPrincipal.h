#pragma once
// The main window: the sheet inside a frame moved by two scroll bars.
#include "app/Hoja.h"

#include <QMainWindow>

class QScrollBar;

namespace m817 {

class VistaHoja;

class frmPrincipal : public QMainWindow {
public:
    explicit frmPrincipal(frmHoja1& hoja1, QWidget* padre = nullptr);

    frmHoja1& Hoja1() { return hoja1_; }

    VistaHoja* Vista() const { return vista_; }
    QScrollBar* vScrollBar() const { return vScrollBar_; }
    QScrollBar* hScrollBar() const { return hScrollBar_; }
    QWidget* Marco() const { return marco_; }

    void vScrollBar_Change();
    void hScrollBar_Change();
    // Lays out the frame: minimum size, scroll bars, the sheet's place.
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void Form_Load();

    frmHoja1& hoja1_;
    QWidget* marco_ = nullptr;
    VistaHoja* vista_ = nullptr;
    QScrollBar* vScrollBar_ = nullptr;
    QScrollBar* hScrollBar_ = nullptr;
};

} // namespace m817
