#pragma once
// A small file system in memory mounted over a folder, for the tests that need a disk that really fills up.
// Mounting needs root and a machine that allows it; Montado() says whether it worked and Motivo() why not.
#include <cstddef>
#include <filesystem>
#include <string>

namespace m817::prueba {

class DiscoEnMemoria {
  public:
    // Mounts a file system of `bytes` over carpeta (which must exist); unmounted when destroyed.
    DiscoEnMemoria(std::filesystem::path carpeta, std::size_t bytes);
    ~DiscoEnMemoria();
    DiscoEnMemoria(const DiscoEnMemoria&) = delete;
    DiscoEnMemoria& operator=(const DiscoEnMemoria&) = delete;

    bool Montado() const { return montado_; }
    const std::string& Motivo() const { return motivo_; }

    // Fills the free space with a file of its own until a write is refused. The bytes written.
    std::size_t Llenar();

  private:
    std::filesystem::path carpeta_;
    bool montado_ = false;
    std::string motivo_;
};

} // namespace m817::prueba
