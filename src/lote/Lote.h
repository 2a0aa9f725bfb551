#pragma once
// modelo817-lote: the saved returns of one data file listed, checked, printed as drafts or dumped as record
// strings from the command line, each put on a sheet as the window's "Abrir" puts it and checked by the same
// rules. The data file is only ever read.
#include "lote/ServiciosLote.h"
#include "platform/Archivos.h"
#include "platform/CarpetaPrograma.h"
#include "platform/CodigosBarras.h"
#include "platform/Reloj.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace m817::lote {

inline constexpr int kSalidaCorrecta = 0;
// A checked return has errors, or a draft was held back by its return.
inline constexpr int kSalidaConErrores = 1;
// The command line, the data file, a record or a PDF file failed.
inline constexpr int kSalidaFallo = 2;

enum class Orden { Ninguna, Ayuda, Listar, Validar, Borrador, Contenido };

struct Opciones {
    Orden orden = Orden::Ninguna;
    std::vector<std::int32_t> registros; // in the order given, ranges expanded
    bool csv = false;
    bool aceptarAvisos = false;
    int hilos = 0;                              // sheets checking side by side; 0: one per processor
    std::optional<std::filesystem::path> datos; // the folder of Declaraciones.txt
    std::optional<std::filesystem::path> pdf;
    std::optional<FechaHora> fecha;
};

struct LecturaArgumentos {
    Opciones opciones;
    std::string error; // UTF-8; empty when the command line is valid
};

// The arguments after the program's name.
LecturaArgumentos LeerArgumentos(const std::vector<std::string>& argumentos);

// "AAAA-MM-DD", a day of the calendar.
std::optional<FechaHora> LeerFecha(std::string_view texto);

// What --help prints (UTF-8).
std::string TextoAyuda();

// The file name of the draft of record n.
std::string NombreBorrador(std::int32_t n, std::string_view nif1252);

struct Entorno {
    // Where the reference tables and the user's data file are.
    ServicioCarpeta& carpeta;
    ServicioArchivos& archivos;
    ServicioReloj& reloj; // the machine's clock; --fecha replaces it
    std::ostream& salida;
    std::ostream& error;
    // Only the drafts need these: the printer that writes PDF files and the bar-code library.
    std::function<std::unique_ptr<ImpresoraArchivo>()> crearImpresora;
    ServicioCódigosBarras* códigos = nullptr;
};

// Runs the command; the exit status.
int Ejecutar(const Opciones& opciones, Entorno& entorno);

} // namespace m817::lote
