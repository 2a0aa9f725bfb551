#pragma once
// The print command: from the check of the field being edited, through validation, the save
// question and the printer dialog, to one draft copy or three official copies with a new receipt
// number, and the notice after them. What belongs to the windows (the last field's check, the
// error panel, saving, the dialogs) is handed in as callbacks.
#include "model/HojaDeclaracion.h"
#include "platform/Aleatorio.h"
#include "platform/CarpetaPrograma.h"
#include "platform/CodigosBarras.h"
#include "platform/Escritorio.h"
#include "platform/Impresoras.h"
#include "platform/Mensajes.h"
#include "platform/Reloj.h"
#include "print/Informe.h"
#include "print/RegistroImpresion.h"
#include "print/SeleccionImpresora.h"
#include "validation/ListaErrores.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace m817 {

// The three official copies, in printing order.
struct CopiaOficial {
    const char* título;
    const char* pie; // lblPiePágina
    bool marcoOpaco; // marcoLiquidación
};
extern const std::array<CopiaOficial, 3> kCopiasOficiales;
inline constexpr const char* kTítuloBorrador = "Modelo 817 - Borrador";

struct AccionesImpresión {
    // The check of the field being edited; false stops the print.
    std::function<bool()> ValidarÚltimoCampo;
    // The whole-return check, which refills the error list.
    std::function<void()> ValidarCampos;
    std::function<void()> MostrarPanelErrores;
    std::function<bool(bool bPreguntar)> GuardarDeclaración;
    // Shows the printer dialog modally over the main window (not at all when its Cargar() fails)
    // and returns the mode it left.
    std::function<int(SelecciónImpresora&)> MostrarSelecciónImpresora;
    // The notice frmAtencion, modal over the main window.
    std::function<void()> MostrarAtención;
    // Lets pending window events run.
    std::function<void()> ProcesarEventos;
    // The exercise of the return on the sheet (EjercicioDeclaración); when not given, edtEjercicio.
    std::function<int()> EjercicioDeclaración;
};

class ImpresiónDeclaración {
  public:
    ImpresiónDeclaración(HojaDeclaración& hoja, const ListaErrores& errores, ServicioMensajes& mensajes,
                         ServicioReloj& reloj, ServicioCarpeta& carpeta, ServicioImpresoras& impresoras,
                         ServicioCódigosBarras& códigos, ServicioAleatorio& aleatorio, std::string versión);

    AccionesImpresión acciones;
    // Where the folder of printed files can be opened; without it nothing is offered.
    ServicioEscritorio* escritorio = nullptr;

    // The print command of the main window.
    void Imprimir();

    // Prints the copies from the print record: modo 1 draft, any other official. `resolución` is
    // the printer's, from ComprobarImpresora. True when the copies went to the printer; an
    // official print also hands back its new receipt number.
    bool ImprimirDeclaración(int modo, int resolución, std::string& númeroJustificante);

    // A new receipt number for the return's exercise, from the generator seeded at start-up.
    std::string GenerarJustificante();

    // Fills the print record and its descriptions from the sheet, dated today.
    void MoverPantallaARegistroImpresión();

    // "Copiar" with nothing selected in a debug run: the record string of the sheet as it is now.
    std::string CopiarRegistroImpresión();

    // The footer line of the official copies.
    std::string PiePáginaOficial(const std::string& númeroJustificante) const;

    // The program-wide records and printer choice.
    RegistroImpresión registro;
    DescripcionesImpresión descripciones;
    ImpresorasElegidas elegidas;

  private:
    bool ComprobarErrores();
    bool ConfirmarReimpresión();
    bool ImprimirCopias(int modo, int resolución, std::string& númeroJustificante);
    bool Enviar(Informe& informe);
    void Fallo(const ResultadoImpresión& r);
    // Whether jobs now go to the built-in printer that writes files.
    bool DestinoEsArchivo();
    void AvisarCopiasImpresas(std::size_t impresas);
    void OfrecerCarpeta();
    void RestaurarPredeterminada();
    void BorrarImágenes();
    std::string FechaHoy() const;

    HojaDeclaración& hoja_;
    const ListaErrores& errores_;
    ServicioMensajes& mensajes_;
    ServicioReloj& reloj_;
    ServicioCarpeta& carpeta_;
    ServicioImpresoras& impresoras_;
    ServicioCódigosBarras& códigos_;
    ServicioAleatorio& aleatorio_;
    std::string versión_;
    // The files the copies of this run were written to, when the printer writes files.
    std::vector<std::filesystem::path> archivos_;
};

} // namespace m817
