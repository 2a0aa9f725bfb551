#pragma once
// The program's folders on this machine. A copy whose executable has a writable Datos/ beside it (a build
// folder, a copy on a USB stick) keeps everything there, as it always has. Installed, the program's own files
// (tables, help) are read from <prefix>/share/modelo817/, found from the executable's folder <prefix>/bin,
// and what the user owns goes to the user's own folders: returns in $XDG_DATA_HOME/modelo817, printer
// settings in $XDG_CONFIG_HOME/modelo817, printed PDFs in "Modelo 817" inside the documents folder, and the
// bar-code bitmaps of a print in a private folder of this process, removed at its end.
#include "platform/CarpetaPrograma.h"

#include <filesystem>

namespace m817 {

class CarpetaSistema final : public ServicioCarpeta {
  public:
    explicit CarpetaSistema(const std::filesystem::path& carpetaEjecutable);
    ~CarpetaSistema() override;
    CarpetaSistema(const CarpetaSistema&) = delete;
    CarpetaSistema& operator=(const CarpetaSistema&) = delete;

    // Whether the executable's folder holds a writable Datos/.
    static bool EsPortátil(const std::filesystem::path& carpetaEjecutable);
    bool Portátil() const { return portátil_; }

    std::filesystem::path Programa() const override { return programa_; }
    std::filesystem::path DatosUsuario() const override;
    std::filesystem::path Configuración() const override;
    std::filesystem::path Impresiones() const override;
    // Installed: made on the first call, private to the user (0700).
    std::filesystem::path Temporal() const override;
    bool CrearCarpeta(const std::filesystem::path& carpeta) const override;

  private:
    bool portátil_;
    std::filesystem::path programa_;
    std::filesystem::path datosUsuario_, configuración_, impresiones_;
    mutable std::filesystem::path temporal_;
};

} // namespace m817
