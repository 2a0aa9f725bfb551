#pragma once
// The dialog in which the user picks a saved return to open, copy or delete. What it lists, how it sorts
// and what choosing does belong to the model (store/SelecciónDeclaraciones.h); the dialog draws it and
// reports the user's clicks to it.
#include "platform/Archivos.h"
#include "platform/Mensajes.h"
#include "store/SeleccionDeclaraciones.h"

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class QPushButton;
class QTreeView;

namespace m817 {

class ModeloListaDeclaraciones;

class frmSeleccionarDeclaración final : public QDialog {
  public:
    // título and botón (Windows-1252) are the window caption and the choose button's caption given by the
    // command ("Abrir declaración" / "&Abrir", ...). The model must have been loaded.
    frmSeleccionarDeclaración(SelecciónDeclaraciones& modelo, ServicioMensajes& mensajes, std::string título,
                              const std::string& botón, QWidget* padre = nullptr);
    ~frmSeleccionarDeclaración() override;

    // Loads the list of Datos/Declaraciones.txt with the return on screen (numRegistroActual, 0 when unsaved)
    // selected, shows the dialog modally and returns the record number chosen; 0 when the user cancels or
    // when there is nothing to choose (the user has been told, and the dialog never shows).
    static std::int32_t Elegir(QWidget* padre, const std::string& título, const std::string& botón,
                               std::int32_t numRegistroActual, ServicioArchivos& archivos,
                               const std::filesystem::path& datos, ServicioMensajes& mensajes);

    QTreeView* lvwDeclaraciones;
    QPushButton* cmdSeleccionar;
    QPushButton* cmdCancelar;

    // The row shown selected, from 0; -1 for none.
    int FilaActual() const;

    // The list's width in twips, from which the name column takes what the others leave.
    static constexpr int kAnchoLista = 9000;

  private:
    void Elegido();
    void Encabezado_Click(int sección);
    void MostrarSelección();

    SelecciónDeclaraciones& modelo_;
    ServicioMensajes& mensajes_;
    std::string título_;
    std::unique_ptr<ModeloListaDeclaraciones> lista_;
};

} // namespace m817
