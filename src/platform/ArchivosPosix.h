#pragma once
// The file service over the POSIX calls: positioned reads and writes, fsync, rename and link.
#include "platform/Archivos.h"

#include <functional>

namespace m817 {

class ArchivosPosix final : public ServicioArchivos {
  public:
    std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) override;
    bool Existe(const std::filesystem::path& ruta) override;
    bool EsCarpeta(const std::filesystem::path& ruta) override;
    TipoRuta Tipo(const std::filesystem::path& ruta) override;
    bool Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool EnlazarOCopiar(const std::filesystem::path& origen, const std::filesystem::path& destino) override;
    bool Eliminar(const std::filesystem::path& ruta) override;
};

// Writes a file made for the user (a PDF) without ever leaving a half one under its name: `escribir` fills a
// new file of a temporary name in the same folder through the descriptor it is given; that file is synced and
// renamed over `destino`. A link named `destino` is replaced, never followed. On any failure the temporary
// file goes and `destino` is as it was.
bool EscribirPorNombreTemporal(const std::filesystem::path& destino,
                               const std::function<bool(int)>& escribir);

} // namespace m817
