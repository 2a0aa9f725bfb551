#pragma once
// A file service that fails on demand, over the real one. Tests run as root, where a read-only folder or a
// full disk cannot be made with permissions.
#include "platform/Archivos.h"

#include <cstddef>
#include <optional>

namespace m817::prueba {

class ArchivosFallidos final : public ServicioArchivos {
  public:
    explicit ArchivosFallidos(ServicioArchivos& real) : real_(real) {}

    // A read-only folder: nothing opens for writing, nothing is created, renamed or removed.
    bool soloLectura = false;
    // Every read fails (a damaged disk).
    bool lecturasFallan = false;
    // Reads at or past this offset fail (a disk damaged further on).
    std::optional<std::uint64_t> lecturasFallanDesde;
    // Every read of more than one byte gives only the first half of what was asked (a network share).
    bool lecturasCortas = false;
    // Asking a file's size fails from the n-th time on (1 = the next time).
    void FallarTamañoDesde(int n) { tamañoQueFalla_ = tamaños + n; }
    int tamaños = 0; // size queries so far
    // Every sync fails.
    bool sincronizacionFalla = false;
    // Second names and renames are refused (a file system that allows neither).
    bool enlacesFallan = false;
    bool renombradosFallan = false;

    // The disk fills up at the n-th write from now (1 = the next one): that write puts only its first
    // `escritos` bytes and fails. From then on the disk stays full: a write may rewrite bytes the file
    // already has, but whatever would grow a file is refused.
    void LlenarDiscoEnEscritura(int n, std::size_t escritos);
    int escrituras = 0; // writes attempted so far

    std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) override;
    bool Existe(const std::filesystem::path& ruta) override { return real_.Existe(ruta); }
    bool EsCarpeta(const std::filesystem::path& ruta) override { return real_.EsCarpeta(ruta); }
    TipoRuta Tipo(const std::filesystem::path& ruta) override { return real_.Tipo(ruta); }
    bool Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool EnlazarOCopiar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool Eliminar(const std::filesystem::path& ruta) override;

  private:
    friend class ArchivoFallido;
    ServicioArchivos& real_;
    std::optional<int> escrituraQueLlena_;
    std::optional<int> tamañoQueFalla_;
    std::size_t bytesAntesDeLlenar_ = 0;
    bool discoLleno_ = false;
};

} // namespace m817::prueba
