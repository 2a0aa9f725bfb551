#pragma once
// The splash window of start-up, which is also the "Acerca de..." box: the
// artwork and the version, and a button only when shown as the about box.
#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace m817 {

class frmInicio final : public QDialog {
    Q_OBJECT
  public:
    explicit frmInicio(QWidget* padre = nullptr);

    // Start-up: shown modeless, without caption or button, and painted before
    // returning. Destroy it (or close() it) once the sheet is loaded.
    static std::unique_ptr<frmInicio> MostrarPresentación();
    // "Acerca de...": modal over the main window, closed with its button.
    static void MostrarAcercaDe(QWidget* padre);

    QLabel* Picture1;
    QPushButton* btnAceptar;
    QLabel* Label1;
    QLabel* lblVersión;
    QLabel* Image1;

  protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace m817
