#pragma once
// The desktop the program runs on: shows a folder in the user's file manager.
#include <filesystem>

namespace m817 {

class ServicioEscritorio {
  public:
    virtual ~ServicioEscritorio() = default;
    // Opens the folder in the desktop's file manager; false when the desktop could not.
    virtual bool AbrirCarpeta(const std::filesystem::path& carpeta) = 0;
};

} // namespace m817
