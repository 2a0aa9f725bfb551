#pragma once
// The commands of the main window, the same for a menu item and its toolbar button: which checks run first,
// which operation of the sheet follows, and the clipboard commands, whose text goes through the sheet's key
// filter as typed text does. The window only connects its actions here.
#include "app/Hoja.h"
#include "platform/Ayuda.h"
#include "platform/Portapapeles.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace m817 {

// Kept out of this header: its page elements share a name with the sheet's layout elements.
class ImpresiónDeclaración;

enum class Comando {
    NuevaDeclaración,
    CopiarDeclaración,
    Abrir,
    Guardar,
    Eliminar,
    Imprimir,
    Salir,
    Cortar,
    Copiar,
    Pegar,
    VerErrores,
    Uso,
    Temas,
    AcercaDe,
};

// What the saved-declaration dialog is asked to show (texts in Windows-1252).
struct PeticiónSelección {
    std::string título;
    std::string botón; // caption of its choose button
    std::int32_t registroActual = 0;
};

// The program was started with the command line exactly "d": "Copiar" with nothing selected copies the
// record string of the sheet.
bool EsLíneaDepuración(int argc, const char* const* argv);

class ComandosPrincipal {
  public:
    ComandosPrincipal(frmHoja1& hoja1, ServicioPortapapeles& portapapeles, ServicioAyuda& ayuda);

    // What other windows and modules offer the commands; the sheet's own operations are set from the start,
    // the window adds its selection dialog and the print command. A command whose operation is missing is
    // not available (its menu item and button are disabled).
    struct Operaciones {
        // The modal selection dialog: the record number chosen, 0 for none (also when it closes itself
        // before being shown because there is nothing to choose).
        std::function<std::int32_t(const PeticiónSelección&)> SeleccionarDeclaración;
        std::function<bool(std::int32_t n, std::int32_t m)> AbrirDeclaración;
        std::function<bool(bool bPreguntar)> GuardarDeclaración;
        std::function<bool(std::int32_t n)> EliminarDeclaración;
        // The save question before the sheet closes; false for Cancel.
        std::function<bool()> ConfirmarGuardarCambios;
        // The whole print command, which checks the field being edited itself.
        std::function<void()> Imprimir;
        // The record string of the print record, for the debug copy.
        std::function<std::string()> RegistroDepuración;
    } operaciones;

    bool Disponible(Comando c) const;

    // Hands the print command what it needs of the sheet (the last field's check, the whole-return check,
    // saving, the exercise of the return) and makes "Imprimir" available; in a debug run "Copiar" with
    // nothing selected copies the record string of the sheet. The window adds its own parts (the error
    // panel, the dialogs).
    void ConectarImpresión(ImpresiónDeclaración& impresión, bool depuración);

    void NuevaDeclaración();
    void CopiarDesde();
    void Abrir();
    void Guardar();
    void Eliminar();
    void Imprimir();
    // The close of the sheet, which comes before the main window's: false keeps the program running.
    bool Cerrar();

    void Cortar();
    void Copiar();
    void Pegar();
    // Text that comes to the field with the focus by the mouse (the primary selection, a drop): pasted as
    // "Pegar" pastes, through the key filter.
    void PegarTexto(const std::string& texto);
    void PegarSelección();
    // "Seleccionar todo" of a field's menu.
    void SeleccionarTodo();
    // "Copiar" with nothing selected: only in a debug run.
    void CopiarRegistroDepuración();

    void UsoDeLaAplicación() { ayuda_.MostrarContexto(kContextoUso); }
    void TemasDeAyuda() { ayuda_.MostrarTemas(); }
    // The help key in the sheet: the topic of the field with the focus.
    void AyudaDelCampo();

    // The record number of the return on screen (edtIdDeclaración), 0 for an unsaved one.
    std::int32_t RegistroActual() const;

  private:
    // Runs a command that uses the selection dialog; an error inside it shows its own text.
    void ConDiálogo(const std::function<void()>& pasos);
    std::int32_t Seleccionar(std::string_view títuloUtf8, std::string_view botónUtf8);

    frmHoja1& hoja1_;
    ServicioPortapapeles& portapapeles_;
    ServicioAyuda& ayuda_;
};

} // namespace m817
