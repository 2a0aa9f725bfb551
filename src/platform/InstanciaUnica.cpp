#include "platform/InstanciaUnica.h"

namespace m817 {

bool EsVentanaDelPrograma(std::string_view título) {
    return título.size() >= 10 && título.substr(0, 10) == "Modelo 817";
}

} // namespace m817
