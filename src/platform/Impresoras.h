#pragma once
// The printers: the installed ones in the system's order, the program's current printer, the
// profile entries that name the default printer ("windows"/"device") and each printer's driver and
// port ("PrinterPorts"), and printing a job. One printer is built in and prints to PDF files, so a
// machine without printers can still print its returns.
#include "platform/Pagina.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace m817 {

struct DatosImpresora {
    std::string nombre;
    // Print quality: a positive value is dots per inch; -1 to -4 are the classes draft, low,
    // medium and high; 0 means none is given.
    int calidad = 0;
    // Size of one device pixel, in twips.
    double anchoPíxel = 0;
    double altoPíxel = 0;
    // What its "PrinterPorts" entry holds.
    std::string controlador;
    std::string puerto;
    bool integrada = false; // the built-in PDF printer
};

inline constexpr int kCalidadBorrador = -1;
inline constexpr int kCalidadBaja = -2;
inline constexpr int kCalidadMedia = -3;
inline constexpr int kCalidadAlta = -4;

// What became of a print job. Codes 482 and 486 are the printing system's benign complaints.
struct ResultadoImpresión {
    int código = 0; // 0 printed
    std::string descripción;
    bool Correcto() const { return código == 0; }
};

namespace código_impresión {
inline constexpr int kCorrecto = 0;
inline constexpr int kSinImpresora = 1;      // the named printer is not installed
inline constexpr int kNoSePuedeIniciar = 2;  // the page could not be begun on the device
inline constexpr int kImpresoraConError = 3; // the printer reported an error state
inline constexpr int kArchivoNoEncontrado = 53;
inline constexpr int kImagenNoVálida = 481;
inline constexpr int kAvisoImpresora = 482;
inline constexpr int kAvisoImagen = 486;
} // namespace código_impresión

class ServicioImpresoras {
  public:
    virtual ~ServicioImpresoras() = default;

    // Every installed printer in the system's order (position 1 is the first element); an element
    // is empty when the printer's properties cannot be read.
    virtual std::vector<std::optional<DatosImpresora>> Instaladas() = 0;
    // Position (1, 2, ...) of the program's current printer; 0 when there is none.
    virtual int Actual() const = 0;
    virtual void EstablecerActual(int posición) = 0;
    // The name of the system's own default printer, empty when it has none.
    virtual std::string PredeterminadaSistema() const = 0;

    // The profile: text entries by section and name, compared without regard to case.
    virtual std::string LeerPerfil(const std::string& sección, const std::string& entrada,
                                   const std::string& predeterminado) = 0;
    virtual void EscribirPerfil(const std::string& sección, const std::string& entrada,
                                const std::string& valor) = 0;

    // Prints the job, without a print dialog, on the printer that the "device" entry of the
    // section "windows" names, or on the current printer when that entry names none installed.
    // Returns when the job has left the program.
    virtual ResultadoImpresión Imprimir(const TrabajoImpresión& trabajo) = 0;

    // The file the last job went to when it was written to one (the built-in PDF printer); empty
    // when it went to a printer.
    virtual std::filesystem::path ÚltimoArchivo() const { return {}; }
};

} // namespace m817
