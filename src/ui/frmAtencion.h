#pragma once
// The notice shown after an official print: what to check and what not to forget.
#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace m817 {

class frmAtencion final : public QDialog {
    Q_OBJECT
  public:
    explicit frmAtencion(QWidget* padre = nullptr);

    // Modal, owned by the main window; returns when "Aceptar" closes it.
    static void Mostrar(QWidget* padre);

    QGroupBox* Frame3;
    QLabel* Label7;
    QGroupBox* Frame2;
    QLabel* Label1;
    QLabel* Label2;
    QGroupBox* Frame1;
    QLabel* Label6;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label3;
    QPushButton* btnAceptar;
};

} // namespace m817
