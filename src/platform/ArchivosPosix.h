#pragma once
// The file service over the POSIX calls: positioned reads and writes, fsync, rename and link.
#include "platform/Archivos.h"

namespace m817 {

class ArchivosPosix final : public ServicioArchivos {
  public:
    std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) override;
    bool Existe(const std::filesystem::path& ruta) override;
    bool EsCarpeta(const std::filesystem::path& ruta) override;
    bool Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool EnlazarOCopiar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool Eliminar(const std::filesystem::path& ruta) override;
};

} // namespace m817
