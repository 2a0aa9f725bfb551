#pragma once
// The printer dialog: the list of printers with the default one marked and selected, and the
// buttons for a draft, the official copies or nothing. What it shows and does is the model's.
#include <QDialog>

class QListWidget;
class QPushButton;

namespace m817 {

class SelecciónImpresora;

class frmSeleccionarImpresora final : public QDialog {
  public:
    frmSeleccionarImpresora(SelecciónImpresora& modelo, QWidget* padre = nullptr);

    // Opens the dialog modally, unless there is no printer at all (the model has said so), and
    // returns the mode it leaves: 0 nothing, 1 draft, 2 official.
    static int Mostrar(SelecciónImpresora& modelo, QWidget* padre);

    QListWidget* lvwImpresoras;
    QPushButton* cmdBorrador;
    QPushButton* cmdOficial;
    QPushButton* cmdCancelar;

  private:
    void Rellenar();
    void ActualizarBotones();

    SelecciónImpresora& modelo_;
};

} // namespace m817
