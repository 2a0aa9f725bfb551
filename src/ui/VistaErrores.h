#pragma once
// The error panel's widgets: the drag bar above it (pctBordeErrores) and the tree of entries (trvErrores)
// inside the panel (pctErrores). They report drags, clicks, Enter and the focus; the window decides.
#include <QTreeWidget>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace m817 {

class BordeErrores final : public QWidget {
  public:
    explicit BordeErrores(QWidget* padre = nullptr);
    // Every move with the left button held: how far below the point where the bar was taken, in twips.
    std::function<void(int Y)> alArrastrar;

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

  private:
    double agarre_ = 0;
};

// One line of the tree: its key, text (UTF-8) and image (1, 2 or 3).
struct LíneaErrores {
    std::string clave;
    QString texto;
    int imagen;
};

class ÁrbolErrores final : public QTreeWidget {
  public:
    explicit ÁrbolErrores(QWidget* padre = nullptr);

    // Shows these lines in this order; a line whose key stays keeps its place in the tree and its selection.
    void Llenar(const std::vector<LíneaErrores>& líneas);
    std::string ClaveSeleccionada() const;
    // The key of a line.
    static std::string Clave(const QTreeWidgetItem* item);

    std::function<void()> alRecibirFoco;
    // A click on a line or Enter: the key of the chosen line.
    std::function<void(const std::string& clave)> alElegir;

  protected:
    void focusInEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

} // namespace m817
