#pragma once
// Today's date and time. The exercise and period rules depend on it; tests fix it.
#include <cstdint>

namespace m817 {

struct FechaHora {
    int año = 2010, mes = 1, día = 1;
    int hora = 0, minuto = 0, segundo = 0;
};

class ServicioReloj {
public:
    virtual ~ServicioReloj() = default;
    virtual FechaHora Ahora() const = 0;
};

// The machine's clock, local time.
class RelojSistema final : public ServicioReloj {
public:
    FechaHora Ahora() const override;
};

} // namespace m817
