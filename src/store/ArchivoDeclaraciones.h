#pragma once
// Datos/Declaraciones.txt: the saved returns, one 750-byte record each, numbered from 1; the record number is
// the identity of a saved return. Only whole records count: the bytes of a record cut short by a crash are
// not a record, and the next record written takes their place. Every write is synced before it reports
// success, and a write that fails leaves the file exactly as it was.
//
// A saved record is rewritten in place, and a process killed in the middle of that write can leave the first
// part of the new record over the rest of the old one. So before a whole record is overwritten, its old and
// new bytes go to a side file (the data file's name followed by kSufijoDeshacer), synced; the side file goes
// once the record is written and synced. Opening the file finds a side file left by a cut rewrite and puts
// the old record back (or, where the file cannot be written, shows the old record in its place).
//
// Another process may use the same file: every write holds an exclusive lock on it, and the readers that a
// half-written record could fool hold a shared one. Nothing is written into a file that is not made of
// 750-byte records ending in CR LF. Bytes after the last whole record are kept: 748 bytes that are a record
// (Modelo "817") are that record missing its line end, which the next write completes; any other tail is
// copied to a side file (kSufijoResto) before a new record covers it.
#include "platform/Archivos.h"
#include "store/RegistroDeclaracion.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace m817 {

inline constexpr const char* kNombreArchivoDeclaraciones = "Declaraciones.txt";
inline constexpr const char* kSufijoDeshacer = "_deshacer.txt";
inline constexpr const char* kSufijoResto = "_resto.txt";
// Record numbers are counted in a signed 16-bit number: a file of this many records takes no more.
inline constexpr std::int32_t kMáximoRegistros = 32767;

std::filesystem::path RutaDeclaraciones(const std::filesystem::path& carpetaDatos);

class ArchivoDeclaraciones {
  public:
    ArchivoDeclaraciones(ServicioArchivos& archivos, std::filesystem::path ruta);

    // False when the file is missing or cannot be read. A rewrite cut short is undone first where the folder
    // allows it.
    bool AbrirLectura();
    // Created empty if it does not exist; false when it cannot be (a missing Datos folder, a read-only one)
    // or when a rewrite cut short cannot be undone.
    bool AbrirLecturaEscritura();
    void Cerrar() { archivo_.reset(); }
    bool Abierto() const { return archivo_ != nullptr; }

    // Whole records in the file.
    std::optional<std::int32_t> NúmeroRegistros();
    // Record n (from 1); false when there is no such whole record or it cannot be read.
    bool Leer(std::int32_t n, RegistroDeclaración& registro);
    // Writes record n, from 1 to one past the last whole record (and never past kMáximoRegistros), then
    // syncs. On failure the file is put back as it was: its length and the bytes of the slot.
    bool Escribir(std::int32_t n, const RegistroDeclaración& registro);
    // Writes after the last whole record; the number given to it.
    std::optional<std::int32_t> Añadir(const RegistroDeclaración& registro);

    // Every whole record in order, with its number and its 750 bytes, until the visitor returns false.
    // False when reading fails.
    bool Recorrer(const std::function<bool(std::int32_t, std::string_view)>& visitante);

    // The side file of a rewrite.
    std::filesystem::path RutaDeshacer() const;

    // Why the last open or write failed when the file itself is the reason (not a regular file, not made of
    // records), as a message for the user naming the file (Windows-1252); empty otherwise.
    const std::string& Problema() const { return problema_; }
    // Where the last write kept the bytes at the end of the file that it covered; empty if it covered none.
    const std::filesystem::path& RestoGuardado() const { return resto_; }
    // The record shown as it was before a rewrite cut short, whose side file could not be applied to the
    // file; 0 if none.
    std::int32_t DeshechoEnMemoria() const { return deshecho_ ? deshecho_->n : 0; }

  private:
    struct Forma {
        std::uint64_t tamaño = 0;
        std::int32_t registros = 0; // whole ones, and a last one missing its line end
        bool sinFinal = false;      // the last record is 748 bytes, without its CR LF
        std::uint64_t cola = 0;     // bytes after the last record that are no record
    };
    std::optional<Forma> Medir();
    // Medir, and every record ends in CR LF; sets problema_ when not.
    std::optional<Forma> Comprobar();
    void ProblemaApertura();
    // Opens the file in that mode and checks, under a shared lock, that it is made of records.
    bool AbrirComprobado(ModoApertura modo);
    bool EscribirBloqueado(std::int32_t n, const RegistroDeclaración& registro);
    bool GuardarResto(std::uint64_t desde, std::uint64_t tamaño);
    enum class ResultadoDeshacer { Guardado, NoCreado, Fallido };
    ResultadoDeshacer GuardarDeshacer(std::int32_t n, std::string_view anterior, std::string_view nuevo);
    // Puts back the old record of a rewrite that was cut short. True when nothing is left to undo.
    bool Deshacer();
    // The same, in what this object reads only; under a lock on archivo_.
    void DeshacerEnMemoria();
    bool LeerRegistro(std::int32_t n, const Forma& forma, std::span<char> destino);

    ServicioArchivos& archivos_;
    std::filesystem::path ruta_;
    std::unique_ptr<Archivo> archivo_;
    std::string problema_;
    std::filesystem::path resto_;
    struct Deshecho {
        std::int32_t n;
        std::string anterior;
    };
    std::optional<Deshecho> deshecho_;
};

// What makes two saved returns the same one: NIF, exercise, period and the complementary flag ("1" or "0";
// blank, as a conversion leaves it, is "0"), each without blanks at either end, compared exactly.
struct ClaveDuplicado {
    std::string nif;
    std::string ejercicio;
    std::string periodo;
    std::string complementaria;

    // The key of a record image.
    static ClaveDuplicado De(const RegistroDeclaración& registro);
    bool Complementaria() const { return complementaria == "1"; }
};

struct ResultadoDuplicados {
    std::int32_t registros = 0;       // whole records in the file, deleted ones included
    std::int32_t primerDuplicado = 0; // first live record with the same key; 0 if none
    // A new return goes after the last record, if the count allows it.
    std::int32_t SiguienteRegistro() const { return registros + 1; }
    bool CabeOtro() const { return registros < kMáximoRegistros; }
};

// The scan of a first save: every record is counted, deleted ones are never duplicates. Empty when reading
// fails.
std::optional<ResultadoDuplicados> BuscarDuplicados(ArchivoDeclaraciones& archivo,
                                                    const ClaveDuplicado& clave);

// What deleting leaves in a slot: a blank record (preset rates kept) marked "*".
RegistroDeclaración RegistroBorrado();

// Texts (Windows-1252) of the saved-return operations.
std::string TextoErrorAbrir();
std::string TextoErrorGuardar();
std::string TextoErrorEliminar();
// Why a path that exists cannot be the data file (a folder, a FIFO, a device); empty for a regular file.
std::string TextoArchivoNoNormal(const std::filesystem::path& ruta, TipoRuta tipo);
// Told after a save that kept the bytes it covered at the end of the file.
std::string TextoRestoGuardado(const std::filesystem::path& ruta);
// The question at the first duplicate, for an ordinary or a complementary return.
std::string TextoPreguntaDuplicado(bool complementaria);
// The confirmation of a delete, with the values as stored (padded).
std::string TextoConfirmarEliminar(const RegistroDeclaración& registro);
// The "Aviso" question before a changed, printed return loses its print data.
std::string TextoAvisoGuardarImpresa(std::string_view fechaImpresión, std::string_view númeroJustificante);
inline constexpr const char* kTítuloAviso = "Aviso";

} // namespace m817
