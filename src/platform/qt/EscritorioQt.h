#pragma once
// The desktop through Qt: a folder opens in whatever file manager the desktop has.
#include "platform/Escritorio.h"

namespace m817 {

class EscritorioQt final : public ServicioEscritorio {
  public:
    bool AbrirCarpeta(const std::filesystem::path& carpeta) override;
};

} // namespace m817
