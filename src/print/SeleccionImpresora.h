#pragma once
// Choosing the printer and the kind of print (the dialog frmSeleccionarImpresora), making a printer
// the default for the length of a print, and checking that it draws finely enough for the point cloud.
#include "platform/Impresoras.h"
#include "platform/Mensajes.h"

#include <functional>
#include <string>
#include <vector>

namespace m817 {

// Modes the dialog leaves.
inline constexpr int kModoNinguno = 0;
inline constexpr int kModoBorrador = 1;
inline constexpr int kModoOficial = 2;

// The lowest resolution at which the point cloud can be printed.
inline constexpr int kResoluciónMínimaNube = 300;

// Program-wide: the printer chosen in the dialog, and the one that was the default when it opened.
struct ImpresorasElegidas {
    std::string ImpresoraSeleccionada;
    std::string ImpresoraAnterior;
};

struct EntradaImpresora {
    std::string clave; // "K" and the printer's position among the installed ones
    std::string texto; // its name
    int icono = 1;
};

// What the dialog shows and does; the window only draws it and passes on the clicks.
class SelecciónImpresora {
  public:
    static constexpr int kIconoImpresora = 1;
    static constexpr int kIconoPredeterminada = 2;
    static constexpr const char* kTítulo = "Imprimir";
    static constexpr const char* kBorrador = "Modo &Borrador";
    static constexpr const char* kOficial = "Modelo &Oficial";
    static constexpr const char* kCancelar = "&Cancelar";

    SelecciónImpresora(ServicioImpresoras& impresoras, ServicioMensajes& mensajes,
                       ImpresorasElegidas& elegidas);

    // Opening: the mode back to 0 and the list built. False when no printer is installed: the user
    // has been told and the dialog must not be shown.
    bool Cargar();

    const std::vector<EntradaImpresora>& Entradas() const { return entradas_; }
    int Seleccionada() const { return seleccionada_; } // index into Entradas(), -1 for none
    void Seleccionar(int índice);
    // The mode buttons work only while an entry is selected.
    bool BotonesHabilitados() const { return seleccionada_ >= 0; }

    void cmdBorrador_Click();
    void cmdOficial_Click();
    void cmdCancelar_Click();
    void lvwImpresoras_DblClick(int índice);

    int Modo() const { return modo_; }
    bool Cerrado() const { return cerrado_; }
    // Told when the dialog must close.
    std::function<void()> AlCerrar;

  private:
    void ElegirImpresora();
    void Cerrar();

    ServicioImpresoras& impresoras_;
    ServicioMensajes& mensajes_;
    ImpresorasElegidas& elegidas_;
    std::vector<EntradaImpresora> entradas_;
    int seleccionada_ = -1;
    int modo_ = kModoNinguno;
    bool cerrado_ = false;
};

// Makes the printer the default (the "device" entry of "windows") and the program's current
// printer, when its "PrinterPorts" entry gives a driver and a port; otherwise changes nothing.
void EstablecerImpresoraPredeterminada(ServicioImpresoras& impresoras, const std::string& nombre);

// Whether the current printer can print the point cloud; `resolución` then receives its dots per
// inch. Otherwise the user has been shown why and the result is false.
bool ComprobarImpresora(ServicioImpresoras& impresoras, ServicioMensajes& mensajes, int& resolución);

} // namespace m817
