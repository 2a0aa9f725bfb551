#pragma once
// Why a file operation failed, in words a user can act on. The reason is the system's error number, said in
// Spanish by a table of this program's own: a fresh machine may have no Spanish texts of its own.
#include "platform/Archivos.h"

#include <filesystem>
#include <memory>
#include <string>

namespace m817 {

// The reason for an error number (UTF-8); empty for 0.
std::string TextoCausa(int errnum);

// The line a failure message adds (Windows-1252): the file, then the reason when one is known.
std::string LíneaCausa(const std::filesystem::path& archivo, int errnum);

// Why no file can be written in the folder now, found by writing a small one there (and making the folder if
// it is missing, as a writer would); 0 when that works.
int CausaEscritura(const std::filesystem::path& carpeta);

// A file service that keeps the file and the error number of the first operation that failed through it,
// over another one. A failure the system did not report (a double's, a file too short) has no number.
class ArchivosConCausa final : public ServicioArchivos {
  public:
    explicit ArchivosConCausa(ServicioArchivos& real) : real_(real) {}

    std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) override;
    bool Existe(const std::filesystem::path& ruta) override { return real_.Existe(ruta); }
    bool EsCarpeta(const std::filesystem::path& ruta) override { return real_.EsCarpeta(ruta); }
    TipoRuta Tipo(const std::filesystem::path& ruta) override { return real_.Tipo(ruta); }
    bool Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool EnlazarOCopiar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool Eliminar(const std::filesystem::path& ruta) override;

    // The first failure, or the file given and no number when there was none.
    std::string Línea(const std::filesystem::path& predeterminado) const;
    // Records a failure met outside the service (a folder that could not be made).
    void Anotar(const std::filesystem::path& ruta, int errnum);
    bool HayFallo() const { return fallo_; }

  private:
    friend class ArchivoConCausa;
    // Runs one operation with errno cleared, and keeps what it says if it fails.
    template <typename F> auto Medir(const std::filesystem::path& ruta, F&& operación);

    ServicioArchivos& real_;
    bool fallo_ = false;
    std::filesystem::path archivo_;
    int causa_ = 0;
};

} // namespace m817
