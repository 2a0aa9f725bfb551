#pragma once
// The system clipboard through Qt.
#include "platform/Portapapeles.h"

namespace m817 {

class PortapapelesQt final : public ServicioPortapapeles {
  public:
    void Vaciar() override;
    void PonerTexto(const std::string& texto) override;
    bool LeerTexto(std::string& texto) override;
    bool LeerSelección(std::string& texto) override;
};

} // namespace m817
